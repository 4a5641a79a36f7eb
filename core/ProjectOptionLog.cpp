#include "core/ProjectOptionLog.h"

#include "core/BuildTrait.h"
#include "core/HostApi.h"

#include "platform/ado/ADOCommand.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Text.h"

namespace tarnwick {

std::string ProjectOptionStatement(const std::string& user, const std::string& optype,
                                   const std::string& memo, const std::string& time) {
    return "Insert into Vek_PrjOption(UserID,Optype,OpMemo,OpTime) values(" + rtl::QuotedStr(user) + "," +
           rtl::QuotedStr(optype) + "," + rtl::QuotedStr(memo) + "," + rtl::QuotedStr(time) + ")";
}

bool WriteProjectOptionLog(const std::string& user, const std::string& optype, const std::string& memo) {
    if constexpr (!BuildTrait::WritesOperationRecords)
        return false;
    try {
        // The stored form is fixed, whatever separators the process has been given.
        const std::string time =
            rtl::FormatDateTime("yyyy-mm-dd hh:nn:ss", rtl::Now(), rtl::TFormatSettings());
        ado::TADOCommand command;
        command.SetConnection(GetBaseDBConnection());
        command.SetCommandText(ProjectOptionStatement(user, optype, memo, time));
        command.Execute();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace tarnwick
