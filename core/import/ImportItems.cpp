#include "core/import/ImportItems.h"

#include "core/AccountBook.h"
#include "core/BuildTrait.h"
#include "core/HostApi.h"
#include "core/HostSession.h"
#include "core/ListSeparator.h"
#include "core/ModuleItems.h"
#include "core/PackageDocument.h"
#include "core/PackageState.h"
#include "core/WorkFolders.h"
#include "core/import/ImportState.h"
#include "core/import/LocalModule.h"
#include "core/import/PackageReaders.h"
#include "core/import/UserKind.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <optional>

namespace tarnwick {

namespace {

constexpr char ReadFailedText[] = "读取信息失败！";
constexpr std::int32_t CreatedProjectMaterialsEntry = 201;

constexpr int ModuleNeedsAccountBook = 2;

bool AccountBookSelected() {
    std::string book;
    GetSelectedAccountBookId(book);
    return !book.empty() && book != "-1";
}

// A module that works on a project imports into the open one: while another project is open, an
// item of the package's project (or of none) must not reach it, whatever the mode. Without an open
// project the module itself refuses to import.
bool IsOfOpenProject(const TLocalModule& module) {
    if (!WorksOnProject(module))
        return true;
    const std::string open = OpenProjectSerial();
    return open.empty() || open == PackageProjectInfo.PrjID.Str();
}

// The item filters by ImportMode, the open project and the selected account book, on the module's
// binding; the user is not considered here.
bool PassesImportFilters(const std::string& caption, const TLocalModule& module) {
    const std::string& modInPrj = module.ModInPrj;
    if (ImportMode == ImportModeProjectFree && modInPrj == "1")
        return false;
    if (ImportMode == ImportModeIntoProject && caption == ProjectInfoItem)
        return false;
    if (!IsOfOpenProject(module))
        return false;
    // The book is asked for every item that gets this far, whatever its module needs.
    const int inPrj = rtl::StrToInt(modInPrj);
    const bool bookSelected = AccountBookSelected();
    return inPrj != ModuleNeedsAccountBook || bookSelected;
}

bool SameLibraryName(std::string a, std::string b) {
    std::replace(a.begin(), a.end(), '/', '\\');
    std::replace(b.begin(), b.end(), '/', '\\');
    return rtl::SameText(a, rtl::Trim(b));
}

// A single name, optionally followed by one "\", naming a file or folder right inside the package
// folder that is no link: anything else could make a module read outside the package.
bool IsPlainPackageEntry(const std::string& appFileName, const std::string& packageFolder) {
    std::string name = appFileName;
    if (!name.empty() && name.back() == '\\')
        name.pop_back();
    if (name.empty() || name == "." || name == ".." || name.find_first_of("\\/") != std::string::npos)
        return false;
    const int attr = rtl::FileGetAttr(packageFolder + name);
    return attr != -1 && !(attr & rtl::faSymLink);
}

enum class Filters { Apply, Ignore };

// The item as its tab will carry it, or none when the filters leave it out; raises when the item
// cannot be imported here: it cannot be read, this installation lacks its module, or its module
// needs a project the package does not name.
std::optional<TImportItem> ReadItem(const xml::TXMLNode& node, int index, const std::string& packageFolder,
                                    Filters filters) {
    const std::optional<TLocalModule> module = FindLocalModule(node);
    if (!module)
        throw rtl::Exception("no module of this installation");
    if (OnlyProjectFreeItems && WorksOnProject(*module))
        throw rtl::Exception("the item's module needs a project, and the package names none");
    if (filters == Filters::Apply && !PassesImportFilters(PackageAttributeText(node, "ModCaption"), *module))
        return std::nullopt;
    // What the package says of its module must agree with the module found, though only the local
    // module's library and entry id are used.
    const std::string named = rtl::Trim(PackageAttributeText(node, "ModDllFile"));
    if (!named.empty() && !SameLibraryName(named, module->ModDllFile))
        throw rtl::Exception("the item names another library than its module's");
    rtl::StrToInt(PackageAttributeText(node, "EntryID"));
    TImportItem item;
    item.Index = index;
    item.Caption = PackageAttributeText(node, "ModCaption");
    item.EntryID = rtl::StrToInt(module->EntryID);
    item.ModDllFile = module->ModDllFile;
    item.AppFileName = PackageAttributeText(node, "AppFileName");
    if (!IsPlainPackageEntry(item.AppFileName, packageFolder))
        throw rtl::Exception("the item's file is no plain entry of the package folder");
    return item;
}

// The host unpacked a version-2 package's materials into ProjectMaterialsFolder when it created the
// project; the reduced build reads no other version.
bool CreatedProjectMaterialsAreUnpacked() {
    if constexpr (BuildTrait::KeepsPackageState)
        return LastPackageVersion == 2;
    else
        return true;
}

} // namespace

TImportItems ReadImportItems(const std::string& xmlFile, const std::string& packageFolder) {
    xml::TXMLDocument doc;
    doc.LoadFromFile(xmlFile);
    TImportItems result;
    const std::vector<xml::TXMLNode> nodes = RequiredPackageItems(doc);
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
        try {
            if (std::optional<TImportItem> item = ReadItem(nodes[i], i, packageFolder, Filters::Apply))
                result.Items.push_back(std::move(*item));
        } catch (...) {
            result.Errors += nodes[i].NodeName() + ReadFailedText + "\r\n";
        }
    }
    return result;
}

int CountReadableItems(const std::string& xmlFile, const std::string& packageFolder) {
    xml::TXMLDocument doc;
    doc.LoadFromFile(xmlFile);
    const std::vector<xml::TXMLNode> nodes = RequiredPackageItems(doc);
    int count = 0;
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
        try {
            ReadItem(nodes[i], i, packageFolder, Filters::Ignore);
            ++count;
        } catch (...) {
            // The wizard names it among the items it could not read.
        }
    }
    return count;
}

int CountImportableItems(const std::string& xmlFile) {
    int count = 0;
    // What the wizard would offer, so that nothing counted here fails to become a tab there.
    for (const TImportItem& item : ReadImportItems(xmlFile, rtl::ExtractFilePath(xmlFile)).Items) {
        if (item.Caption == SystemPersonnelItem && !CurrentUserIsAdministrator())
            continue;
        ++count;
    }
    return count;
}

TModuleCallTarget ModuleCallTargetOf(const TImportItem& item, const std::string& packageFolder, bool preview) {
    const std::string prefix = preview ? ListSeparator : "";
    if (ProjectCreatedByImport && item.Caption == ProjectMaterialsItem) {
        if (CreatedProjectMaterialsAreUnpacked())
            return {CreatedProjectMaterialsEntry, ProjectMaterialsFolder()};
        return {CreatedProjectMaterialsEntry, prefix + packageFolder + item.AppFileName};
    }
    return {item.EntryID, prefix + packageFolder + item.AppFileName};
}

} // namespace tarnwick
