#include "platform/ado/CustomADODataSet.h"

#include "platform/ado/DatabaseError.h"
#include "platform/ado/RecordsetXml.h"
#include "platform/rtl/Exceptions.h"

namespace ado {

TCustomADODataSet::~TCustomADODataSet() = default;

void TCustomADODataSet::SaveToFile(std::string_view fileName) const {
    CheckActive();
    TRowSet rows = Rows();
    for (int i = 0; i < FieldCount(); ++i)
        rows.columns[static_cast<std::size_t>(i)].name = Fields()[i].FieldName();
    SaveRecordsetXml(rows, fileName);
}

void TCustomADODataSet::LoadFromFile(std::string_view fileName) {
    TRowSet rows;
    try {
        rows = LoadRecordsetXml(fileName);
    } catch (const rtl::EInOutError& e) {
        throw EDatabaseError(e.what());
    }
    OpenWith(std::move(rows));
}

} // namespace ado
