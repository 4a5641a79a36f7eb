#include "core/AccountBook.h"

#include "core/HostApi.h"
#include "core/HostSession.h"
#include "core/LogEntry.h"
#include "core/Messages.h"

namespace tarnwick {

namespace {

// Unlike every other entry, this one names the open project instead of the user, at level 2.
void LogAccountBookFailure() {
    VekLogWrite("获取电子数据编码失败！", 2, OpenProjectSerial().c_str(), LogModuleCode::AccountBookLookup,
                "TARNWICK", LogKind);
}

} // namespace

void GetSelectedAccountBookId(std::string& id) {
    id.clear();
    try {
        auto lookup = reinterpret_cast<TGetSelAccBookID>(VekGetAppInterface("SJFX", "GetSelAccBookID", 1));
        if (lookup) {
            sharemem::CountedText answer;
            lookup(answer.Var());
            id = answer.Str();
        }
    } catch (...) {
        id.clear();
        // The lookup passes no error on, not even one of its own report.
        try {
            ShowInfo("装载 GetSelAccBookID 失败！");
        } catch (...) {
        }
        try {
            LogAccountBookFailure();
        } catch (...) {
        }
    }
}

} // namespace tarnwick
