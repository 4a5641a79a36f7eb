#include "core/ReadPackModField.h"

#include "core/HostApi.h"

#include "platform/ado/ADOQuery.h"
#include "platform/rtl/Text.h"

namespace tarnwick {

void ReadPackModField(const std::string& caption, const std::string& column, std::string& value) {
    value.clear();
    ado::TADOQuery query;
    query.SetConnection(GetBaseDBConnection());
    // The statement's text is the host's own: no blank after "=".
    query.SQL().SetText("select " + column +
                        " from Vek_PackMod where ModCaption =" + rtl::QuotedStr(rtl::Trim(caption)));
    query.Open();
    if (!query.Eof())
        value = query.Fields()[0].AsString();
}

} // namespace tarnwick
