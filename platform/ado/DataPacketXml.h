#pragma once

#include "platform/ado/RowSet.h"

#include <string>
#include <string_view>

namespace ado {

// The XML data packet of a client dataset:
//
//   <DATAPACKET Version="2.0">
//     <METADATA><FIELDS><FIELD attrname="ID" fieldtype="i4"/></FIELDS></METADATA>
//     <ROWDATA><ROW ID="1"/></ROWDATA>
//   </DATAPACKET>
//
// Reads the packet held in bytes; raises EDatabaseError naming the file when they hold none.
TRowSet ParseDataPacket(const std::string& bytes, std::string_view fileName);
void SaveDataPacket(const TRowSet& rows, std::string_view fileName);

} // namespace ado
