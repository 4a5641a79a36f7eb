#pragma once

#include "host/HostControl.h"
#include "host/velmora/Arguments.h"

#include <string>

// The host's side of a wizard run from the terminal: who works, what is open, the objects the host
// hands to its plug-ins, and the progress window's texts.
namespace velmora {

// "yes", "no", "ok" or "cancel" as the button id of a message box; raises UsageError otherwise.
int AnswerId(const std::string& word);
// Applies --user, --project and --account-book to the open installation and says what is set.
void OpenSession(const Arguments& args);
// The host's own objects, as it hands them to its plug-ins.
void PrepareApplication();
// One line per text of the progress window.
void PrintProgress(const host::ProcessCall& call);

} // namespace velmora
