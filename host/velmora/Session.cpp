#include "host/velmora/Session.h"

#include "host/velmora/Terminal.h"

#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Text.h"

namespace velmora {

int AnswerId(const std::string& word) {
    const std::string w = rtl::LowerCase(word);
    if (w == "yes")
        return framework::IDYES;
    if (w == "no")
        return framework::IDNO;
    if (w == "ok")
        return framework::IDOK;
    if (w == "cancel")
        return framework::IDCANCEL;
    throw UsageError("an answer is yes, no, ok or cancel, not " + word);
}

void OpenSession(const Arguments& args) {
    if (args.Has("user"))
        host::SetCurrentUser(args.Value("user"));
    if (args.Has("project") && !host::OpenProject(args.Value("project")))
        throw rtl::Exception("the installation has no project " + args.Value("project"));
    if (args.Has("account-book"))
        host::SetSelectedAccountBook(args.Value("account-book"));
    Say("host", "user " + host::CurrentUser() + ", " +
                    (host::OpenProjectId().empty() ? "no project open"
                                                   : "project " + host::OpenProjectId() + " open"));
}

void PrepareApplication() {
    framework::TApplication* app = framework::Application();
    app->SetTitle("Velmora");
    app->SetExeName(host::InstallationFolder() + "Velmora");
    host::SetApplication(app);
    host::SetScreen(framework::Screen());
    host::SetHintWindowClass(framework::HintWindowClass());
}

namespace {

// What the run has written into the work folders so far.
std::string WorkFolderTally() {
    const std::string root = host::InstallationFolder();
    return "  (work folders: " + FolderTally({root + "~Vek~Temp", root + "Temp"}) + ")";
}

// The step the progress window shows, and the work folders as they were when it began.
struct ProgressStep {
    std::string text;
    std::string tally;
};

ProgressStep& ShownStep() {
    static ProgressStep step;
    return step;
}

} // namespace

// Each step's text, with what the run had written into the work folders when the step began. The
// folders are counted once per step: an import tells the same step again for each of its items,
// and counting every file again for each would cost as many lookups as items times files.
void PrintProgress(const host::ProcessCall& call) {
    ProgressStep& step = ShownStep();
    switch (call.Kind) {
    case host::ProcessCallKind::Begin:
    case host::ProcessCallKind::Change:
        if (call.Kind == host::ProcessCallKind::Begin || call.Text != step.text)
            step = {call.Text, WorkFolderTally()};
        Say("progress", call.Text + step.tally);
        break;
    case host::ProcessCallKind::Hide:
        break;
    case host::ProcessCallKind::End:
        step = {};
        Say("progress", "(closed)");
        break;
    }
}

} // namespace velmora
