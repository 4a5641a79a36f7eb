// velmora archive DIR: the plug-in's archive package of the open project, asked for without a wizard.

#include "host/velmora/InstalledPlugin.h"
#include "host/velmora/Arguments.h"
#include "host/velmora/Commands.h"
#include "host/velmora/HostRequest.h"
#include "host/velmora/Plugin.h"
#include "host/velmora/Terminal.h"

#include "core/Exports.h"
#include "host/HostControl.h"

#include "platform/framework/ComCtrls.h"
#include "platform/framework/Forms.h"
#include "platform/rtl/FileSystem.h"

#include <memory>

namespace velmora {

namespace {

// The host's main form with the tree view that names what to archive: the open project and its
// materials.
class ArchiveTree {
public:
    ArchiveTree() : m_mainForm(std::make_unique<framework::TForm>(nullptr)) {
        framework::Application()->SetMainForm(m_mainForm.get());
        m_tree = new framework::TTreeView(m_mainForm.get());
        m_tree->SetParent(m_mainForm.get());
        const std::string project = host::OpenProjectId();
        if (!project.empty()) {
            framework::TTreeNode* root = m_tree->Items()->Add(nullptr, project);
            for (const std::string& name : MaterialNames(project))
                m_tree->Items()->AddChild(root, name);
        }
        m_tree->HandleNeeded();
    }
    ~ArchiveTree() { framework::Application()->SetMainForm(nullptr); }
    ArchiveTree(const ArchiveTree&) = delete;
    ArchiveTree& operator=(const ArchiveTree&) = delete;

    framework::TTreeView* Tree() const { return m_tree; }

private:
    static std::vector<std::string> MaterialNames(const std::string& project) {
        std::vector<std::string> names;
        rtl::TSearchRec rec;
        for (int found = rtl::FindFirst(host::ProjectMaterialsFolder(project) + "*.*", rtl::faAnyFile, rec);
             found == 0; found = rtl::FindNext(rec))
            if (rec.Name != "." && rec.Name != "..")
                names.push_back(rec.Name);
        rtl::FindClose(rec);
        return names;
    }

    std::unique_ptr<framework::TForm> m_mainForm;
    framework::TTreeView* m_tree = nullptr;
};

int RunArchive(const std::vector<std::string>& words) {
    std::vector<OptionRule> options = SessionOptions;
    options.push_back({"caption"});
    options.push_back({"memo"});
    const Arguments args(words, options);
    if (args.Positional().size() != 1)
        throw UsageError("archive takes one installation folder");
    const std::string caption = args.Value("caption", "归档包");
    const std::string memo = args.Value("memo");

    std::int32_t result = 0;
    std::string stored;
    {
        HostRequest request(args.Positional().front(), args);
        Plugin plugin(host::InstallationFolder(), InstalledPluginFileName());
        const ArchiveTree tree;
        Say("host", "calls VekGDBPck of " + plugin.File() + " with a tree view of " +
                        std::to_string(tree.Tree()->Items()->Count()) + " nodes");
        const sharemem::CountedText captionText(caption), memoText(memo);
        result = plugin.Bind<tarnwick::TVekGDBPck>("VekGDBPck")(tree.Tree(), captionText.Get(), memoText.Get());
        Say("host", "VekGDBPck answered " + std::to_string(result));
        request.ReportRecords();
        if (!host::PackagesTaken().empty())
            stored = rtl::ToNativePath(host::PackagesTaken().back().StoredAs);
    }
    if (result != 1 || stored.empty()) {
        Say("host", "no archive package was handed over");
        Complain("the archive package was not handed over (VekGDBPck answered " + std::to_string(result) + ")");
        return 1;
    }
    return Commands().at("contents").run({stored});
}

} // namespace

[[maybe_unused]] const bool registered = RegisterCommand(
    {"archive", "archive DIR                      build the open project's archive package",
     R"(usage: velmora archive DIR [options]

Asks the installation's plug-in for the archive package of the open project (VekGDBPck), as the
host does without showing a wizard: the project's information and persons and its materials, in a
package of type XMGL_PACKAGE_GDB written into the host's temporary folder and handed to its
package management. Prints the progress, the answer, the log entries, where the package went and
its table of contents. Without --project the plug-in finds no open project and builds nothing.

  --project ID     the project that is open (default: none)
  --user ID        the user who works (default: the administrator)
  --caption TEXT   the archive's caption (default: 归档包)
  --memo TEXT      the archive's memo
)",
     RunArchive});

} // namespace velmora
