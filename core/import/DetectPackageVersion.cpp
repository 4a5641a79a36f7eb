#include "core/import/DetectPackageVersion.h"

#include "core/HostApi.h"
#include "core/LogEntry.h"
#include "core/Messages.h"
#include "core/PackageDocument.h"

#include "platform/ado/ClientDataSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "platform/xml/XMLDocument.h"

namespace tarnwick {

namespace {

constexpr int NotAPackage = -1;
constexpr int NoUsableVersion = 0;

// Every package the detection turns away ends the import, so what it says is logged as well, with
// the preparation it runs for.
void Tell(const std::string& text) {
    ShowInfoAndLog(text, LogModuleCode::ImportPreparation);
}

void TellWrongPackageKind(const std::string& tool, const std::string& kind) {
    Tell(WrongPackageKindText(tool, kind));
}

bool HasExtension(const std::string& fileName, const char* extension) {
    return rtl::LowerCase(rtl::ExtractFileExt(fileName)) == extension;
}

// Raises for a file that is no client dataset.
bool ClientDataSetHasData(const std::string& fileName) {
    ado::TClientDataSet data;
    data.LoadFromFile(fileName);
    return !data.IsDataNull();
}

// A package the tool refuses extracts nothing, and what was extracted tells the rest (the tool's
// reason is given back in refusal, for the log); so does a work folder that could not be made. A
// work folder that could not take the package (no space left, a write error) is no fault of the
// package's: the user is told so, the tool's reason goes to the log, and the answer is false instead
// of calling the package malformed.
bool ExtractPackage(const std::string& packageFile, const std::string& folder, std::string& refusal) {
    if (!rtl::DirectoryExists(folder))
        rtl::ForceDirectories(folder);
    sharemem::CountedText out;
    const std::int32_t extracted = ::ExtractFile(out.Var(), packageFile.c_str(), folder.c_str());
    if (extracted == ExtractArchiveRefused)
        refusal = rtl::Trim(out.Str());
    if (extracted != ExtractDestinationFailed || !rtl::DirectoryExists(folder))
        return true;
    ShowInfoAndLog("数据包无法解压，磁盘空间不足或写入失败，不能导入！", LogModuleCode::ImportPreparation);
    WriteLogEntry(out.Str(), LogModuleCode::ImportPreparation);
    return false;
}

int VersionOfPackageDocument(const std::string& xmlFile) {
    xml::TXMLDocument doc;
    try {
        doc.LoadFromFile(xmlFile);
    } catch (const rtl::Exception&) {
        Tell("打开文件失败！");
        return NotAPackage;
    }
    return PackageVersionOf(PackageAttributeText(FindRootNode(doc, PackageInfoNode), "PackageVersion"));
}

// A package without "Package.XML": one of another function's, told by the files it holds. An archive
// the tool refused holds none of them; its reason stands beside the text in the log.
int DetectForeignPackage(const std::string& folder, const std::string& refusal) {
    if (VekGetWorkingStyle() == 1)
        return NoUsableVersion;
    if (rtl::FileExists(folder + "perinfo.per")) {
        TellWrongPackageKind("系统人员管理", "系统人员");
        return NoUsableVersion;
    }
    if (rtl::FileExists(folder + "PrjInfo.dat")) {
        // This one box shows its text untrimmed.
        const std::string text = "数据包不属于Velmora项目信息包，不能正常导入！";
        ShowBox(text, InformationBoxFlags);
        WriteLogEntry(text, LogModuleCode::ImportPreparation);
        return NoUsableVersion;
    }
    if (rtl::FileExists(folder + "XMGL_Package_GDB.pck")) {
        TellWrongPackageKind("项目管理", "归档包");
        return NoUsableVersion;
    }
    if (rtl::FileExists(folder + "SJFF.Dat")) {
        if (ClientDataSetHasData(folder + "SJFF.Dat"))
            TellWrongPackageKind("审计分析", "审计方法");
        return NoUsableVersion;
    }
    const std::string text = "数据包格式不正确或非项目数据包，请检查后导入！";
    ShowInfo(text);
    WriteLogEntry(refusal.empty() ? text : text + " " + refusal, LogModuleCode::ImportPreparation);
    return NotAPackage;
}

} // namespace

int DetectPackageVersion(const std::string& packageFile, const std::string& folder) {
    if (HasExtension(packageFile, ".sql") && ClientDataSetHasData(packageFile)) {
        TellWrongPackageKind("审计分析", "SQL语句");
        return NoUsableVersion;
    }
    const std::string dir = rtl::IncludeTrailingPathDelimiter(folder);
    std::string refusal;
    if (!ExtractPackage(packageFile, dir, refusal))
        return NotAPackage;
    // Without its work folder nothing can be told about the package.
    if (!rtl::DirectoryExists(dir)) {
        Tell("导入工作目录无法建立，不能导入！");
        return NotAPackage;
    }
    const std::string xmlFile = dir + PackageDocumentName;
    if (rtl::FileExists(xmlFile))
        return VersionOfPackageDocument(xmlFile);
    return DetectForeignPackage(dir, refusal);
}

} // namespace tarnwick
