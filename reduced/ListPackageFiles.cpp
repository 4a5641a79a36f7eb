// The reduced build packs "Package.XML" and the list of files its modules wrote, wherever they lie.
// Its work folder "~Vek~Temp\XMGL\" is neither emptied nor created before a run: nothing there
// joins the package unless listed. A run that reached its end deletes the listed files and leaves
// the work folder empty.

#include "core/export/ExportPackageFiles.h"

#include "core/DeleteFolderTree.h"
#include "core/ListSeparator.h"
#include "core/PackageDocument.h"
#include "core/WorkFolders.h"
#include "core/export/ExportItemAttributes.h"
#include "reduced/SplitTextToList.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

#include <set>

namespace tarnwick {

namespace {

class ListPackageFiles : public ExportPackageFiles {
public:
    ListPackageFiles() : m_workFolder(XmglFolder()) {}

    const std::string& WorkFolder() const override { return m_workFolder; }

    bool Prepare() override { return true; }

    bool TakesMaterials(const std::string& dir) const override { return rtl::FileExists(dir); }

    bool TakeResult(const xml::TXMLNode& items, const std::string& caption, const std::string& result) override {
        const std::string name = rtl::ExtractFileName(result);
        if (!rtl::FileExists(result) || !FileNameIsFree(name))
            return false;
        // A file joins the package, and is removed after it, only with the item that names it.
        if (!WriteExportItemAttributes(items, caption, result))
            return false;
        m_names.insert(rtl::UpperCase(name));
        m_fileList += result + ListSeparator;
        return true;
    }

    std::string PackSource() const override {
        return m_workFolder + PackageDocumentName + ListSeparator + m_fileList;
    }

    void Finish() override {
        DeleteListedFiles();
        if (rtl::DirectoryExists(m_workFolder)) {
            DeleteFolderTree(m_workFolder);
            rtl::CreateDir(m_workFolder);
        }
    }

    // A failed run ends as one that reached its end: the wizard closes and nothing it wrote stays.
    void Free() override { Finish(); }

private:
    // The package stores each file under its bare name, so a second file of a name already taken,
    // or one named like the table of contents, would overwrite it there.
    bool FileNameIsFree(const std::string& name) const {
        const std::string key = rtl::UpperCase(name);
        return key != rtl::UpperCase(PackageDocumentName) && !m_names.contains(key);
    }

    // The module libraries wrote these files for this package alone.
    void DeleteListedFiles() const {
        rtl::TStringList files;
        SplitTextToList(m_fileList, ListSeparator, files);
        for (int i = 0; i < files.Count(); ++i)
            if (rtl::FileExists(files.Strings(i)))
                rtl::DeleteFile(files.Strings(i));
    }

    const std::string m_workFolder;
    std::string m_fileList;
    std::set<std::string> m_names;
};

} // namespace

std::unique_ptr<ExportPackageFiles> MakeExportPackageFiles() {
    return std::make_unique<ListPackageFiles>();
}

} // namespace tarnwick
