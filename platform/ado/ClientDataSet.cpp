#include "platform/ado/ClientDataSet.h"

#include "platform/ado/DataPacketXml.h"
#include "platform/ado/DatabaseError.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"

namespace ado {

void TClientDataSet::LoadFromFile(std::string_view fileName) {
    std::string bytes;
    try {
        bytes = rtl::ReadFileBytes(fileName);
    } catch (const rtl::EInOutError& e) {
        throw EDatabaseError(e.what());
    }
    if (bytes.empty()) {
        Close();
        return;
    }
    OpenWith(ParseDataPacket(bytes, fileName));
    m_hasData = true;
}

void TClientDataSet::SaveToFile(std::string_view fileName) const {
    CheckActive();
    TRowSet rows = Rows();
    for (int i = 0; i < FieldCount(); ++i)
        rows.columns[static_cast<std::size_t>(i)].name = Fields()[i].FieldName();
    SaveDataPacket(rows, fileName);
}

TRowSet TClientDataSet::InternalOpen() {
    RaiseError("Missing data provider or data packet");
}

} // namespace ado
