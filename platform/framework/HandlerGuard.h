#pragma once

#include "platform/framework/Forms.h"
#include "platform/framework/ScriptedUser.h"

namespace framework {

// Runs an event handler as a message loop would: its errors go to the application, which records
// them while the form stays open. The scripted user's errors are test failures and go on.
template <class F> void Guarded(TObject* sender, F&& f) {
    try {
        f();
    } catch (const EScriptError&) {
        throw;
    } catch (...) {
        Application()->HandleException(sender);
    }
}

} // namespace framework
