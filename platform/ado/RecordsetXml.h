#pragma once

#include "platform/ado/RowSet.h"

#include <string_view>

namespace ado {

// The XML persistence of a recordset: a schema of the row's attributes, then one row element per
// record with one attribute per non-null value.
//
//   <xml xmlns:s=".." xmlns:dt=".." xmlns:rs=".." xmlns:z="#RowsetSchema">
//     <s:Schema id="RowsetSchema">
//       <s:ElementType name="row" content="eltOnly">
//         <s:AttributeType name="PerUUID" rs:number="1" rs:nullable="true" rs:writeunknown="true">
//           <s:datatype dt:type="string"/>
//         </s:AttributeType>
//         <s:extends type="rs:rowbase"/>
//       </s:ElementType>
//     </s:Schema>
//     <rs:data>
//       <z:row PerUUID="0001"/>
//     </rs:data>
//   </xml>
//
// A column whose name is no XML name gets the attribute "c" + its position and keeps its name in
// rs:name. The loader goes by local names, so files written with other namespace URIs read as well.
void SaveRecordsetXml(const TRowSet& rows, std::string_view fileName);
// Raises EDatabaseError for a missing file or one that holds no persisted recordset.
TRowSet LoadRecordsetXml(std::string_view fileName);

} // namespace ado
