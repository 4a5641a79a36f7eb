#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The package items the import wizard offers, each tied to a module of this installation.
namespace tarnwick {

// One item as its module tab carries it. The library and the entry id are the local module's:
// a package names modules, never the code that runs for them.
struct TImportItem {
    int Index = 0;          // among all children of ExportItemInfo, skipped ones counted
    std::string Caption;    // ModCaption
    std::int32_t EntryID = 0;
    std::string ModDllFile;
    std::string AppFileName; // one name inside the package folder, a folder's with a trailing "\"
};

struct TImportItems {
    std::vector<TImportItem> Items;
    // Per item that could not be read: its node name, "读取信息失败！" and CR LF.
    std::string Errors;
};

// The items of the package's "Package.XML" (xmlFile) extracted into packageFolder that this
// import offers: items filtered out by ImportMode or the account book, and items whose module works
// on a project while another project than the package's is open, are left out; an item that
// cannot be read, whose module this installation lacks, whose module needs a project while
// OnlyProjectFreeItems holds, or whose file is not a plain entry of the package folder is listed in
// Errors and left out. A document that does not load, or that has no ExportItemInfo, raises.
TImportItems ReadImportItems(const std::string& xmlFile, const std::string& packageFolder);
// How many items ReadImportItems would not list in Errors, whatever the filters; raises like it.
int CountReadableItems(const std::string& xmlFile, const std::string& packageFolder);
// How many of the package's items this user could import under the current ImportMode: the items
// the wizard would offer (ReadImportItems, with the package folder beside xmlFile), the "系统人员"
// item only for the administrator. Raises when the document cannot be loaded or has no
// ExportItemInfo.
int CountImportableItems(const std::string& xmlFile);

// The entry id and path a module library is called with for an item: normally the item's own;
// for the project materials of a project just created from the package, entry id 201, and for a
// version-2 package the folder the host unpacked them into. A preview path begins with "@&@".
struct TModuleCallTarget {
    std::int32_t EntryID = 0;
    std::string Path;
};
TModuleCallTarget ModuleCallTargetOf(const TImportItem& item, const std::string& packageFolder, bool preview);

} // namespace tarnwick
