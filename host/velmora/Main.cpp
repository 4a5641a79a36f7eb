// velmora: the stand-in host run from a terminal.

#include "host/velmora/Arguments.h"
#include "host/velmora/Commands.h"
#include "host/velmora/Terminal.h"

#include <exception>
#include <iostream>

namespace velmora {

std::string HelpText(const std::string& command) {
    if (command == "init")
        return R"(usage: velmora init DIR [--empty]

Makes a sample installation in DIR (which must not hold one yet) and puts the built plug-in
Tarnwick.so into it: base.db with users, persons, projects and the modules of Vek_PackMod, one
database per project with its materials, the module libraries, the package library and
"~Vek~Temp".

  --empty    no projects: an installation to import packages into
)";
    if (command == "export")
        return R"(usage: velmora export DIR --modules CAPTIONS [options]

Runs the plug-in's export wizard (RunAppEvn, mode 0) on the installation in DIR with a scripted
user: the user checks the modules, steps through each module tab, presses "导出", names the
package (a project is open) or chooses the file (no project), and answers the boxes. Every step
and every text of the progress window is printed; then the outcome: the messages shown, the log
entries written and the package handed to the host.

  --modules CAPTIONS   the modules to check, by caption, separated by commas
                       (for example "项目信息,项目资料")
  --user ID            the user who works (default: the administrator)
  --project ID         the project that is open (default: none)
  --account-book ID    the account book selected in the audit analysis
  --name NAME          the package name typed into the dialog (a project is open)
  --memo MEMO          the package memo typed into the dialog
  --save PATH          the file chosen in the save dialog (no project is open)
  --answer ANSWER      the answer to the next question: yes, no, ok or cancel
                       (give it once per question, in order; messages are answered OK)
  --pictures DIR       write a PNG of every page the user sees into DIR
)";
    if (command == "contents")
        return R"(usage: velmora contents PACKAGE

Prints the table of contents of a ".Package" file: its header (PackageInfo), its project (PrjInfo
with its persons) and each item of ExportItemInfo with the size of the data it names.
)";
    return R"(usage: velmora COMMAND ...

The stand-in host of the Tarnwick plug-in, run from a terminal.

  velmora init DIR [--empty]               make a sample installation
  velmora export DIR --modules CAPTIONS    run the export wizard with a scripted user
  velmora contents PACKAGE                 print a package's table of contents
  velmora help [COMMAND]                   this text, or a command's (also COMMAND --help)
)";
}

namespace {

int Dispatch(const std::string& command, const std::vector<std::string>& words) {
    if (command == "init")
        return RunInit(words);
    if (command == "export")
        return RunExport(words);
    if (command == "contents")
        return RunContents(words);
    throw UsageError("unknown command " + command);
}

bool AsksForHelp(const std::vector<std::string>& words) {
    for (const std::string& w : words)
        if (w == "--help" || w == "-h")
            return true;
    return false;
}

} // namespace

} // namespace velmora

int main(int argc, char** argv) {
    using namespace velmora;
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty()) {
        std::cerr << HelpText("");
        return 2;
    }
    const std::string command = all.front();
    const std::vector<std::string> words(all.begin() + 1, all.end());
    if (command == "help" || command == "--help" || command == "-h") {
        std::cout << HelpText(words.empty() ? "" : words.front());
        return 0;
    }
    if (AsksForHelp(words)) {
        std::cout << HelpText(command);
        return 0;
    }
    try {
        return Dispatch(command, words);
    } catch (const UsageError& e) {
        Complain(e.what());
        std::cerr << HelpText(command);
        return 2;
    } catch (const std::exception& e) {
        Complain(e.what());
        return 1;
    }
}
