// Tarnwick packs the whole work folder "~Vek~Temp\CommonReader\": emptied before the run, removed
// with the package inside it when the run ends, however it ends.

#include "core/export/ExportPackageFiles.h"

#include "core/DeleteFolderTree.h"
#include "core/LogEntry.h"
#include "core/Messages.h"
#include "core/PackageState.h"
#include "core/WorkFolders.h"
#include "core/export/ExportItemAttributes.h"

#include "platform/rtl/FileSystem.h"

namespace tarnwick {

namespace {

class FolderPackageFiles : public ExportPackageFiles {
public:
    FolderPackageFiles() : m_workFolder(CommonReaderFolder()) {}
    ~FolderPackageFiles() override { Free(); }

    const std::string& WorkFolder() const override { return m_workFolder; }

    bool Prepare() override {
        if (rtl::DirectoryExists(m_workFolder))
            DeleteFolderTree(m_workFolder);
        // A file the clean-up could not remove would join the new package.
        if (!FolderIsGoneOrEmpty(m_workFolder)) {
            ShowInfoAndLog("导出工作目录无法清空，不能导出！", LogModuleCode::ExportRun);
            return false;
        }
        if (!rtl::DirectoryExists(m_workFolder) && !rtl::CreateDir(m_workFolder)) {
            // Saving the document fails later and reports the run as failed.
            ShowInfo("创建临时目录失败");
            WriteLogEntry("创建临时目录" + m_workFolder + "失败！", LogModuleCode::ExportRun);
        }
        LastPackageFolder = m_workFolder;
        return true;
    }

    bool TakesMaterials(const std::string& dir) const override { return rtl::DirectoryExists(dir); }

    bool TakeResult(const xml::TXMLNode& items, const std::string& caption, const std::string& result) override {
        return WriteExportItemAttributes(items, caption, result);
    }

    std::string PackSource() const override { return m_workFolder; }

    void Finish() override {}

    void Free() override {
        if (rtl::DirectoryExists(m_workFolder))
            DeleteFolderTree(m_workFolder);
    }

private:
    const std::string m_workFolder;
};

} // namespace

std::unique_ptr<ExportPackageFiles> MakeExportPackageFiles() {
    return std::make_unique<FolderPackageFiles>();
}

} // namespace tarnwick
