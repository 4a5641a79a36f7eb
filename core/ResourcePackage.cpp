// The resource package: "Package.XML" and the resource file that the package library makes for a
// list of resource ids, packed on the host's request without a wizard.

#include "core/EntryRoutines.h"

#include "core/CompressPackage.h"
#include "core/DeleteFolderTree.h"
#include "core/HostSession.h"
#include "core/ListSeparator.h"
#include "core/ModuleCalls.h"
#include "core/ModuleItems.h"
#include "core/PackageDocument.h"
#include "core/WorkFolders.h"
#include "core/export/ExportRunRoutines.h"

#include "platform/framework/Forms.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/xml/XMLDocument.h"

namespace tarnwick {

namespace {

xml::TXMLNode WriteResourceHeader(xml::TXMLDocument& doc, const std::string& packageFile) {
    const std::string caption = rtl::ExtractFileName(packageFile);
    const std::string serial = OpenProjectSerial();
    const xml::TXMLNode root = InitPackageXml(doc, ReaderPackageType, caption, "");
    if (!serial.empty())
        WriteProjectPersonsNode(WriteProjectInfoNode(root, serial, false));
    return root;
}

// A package without its module is still readable, so a failing lookup only leaves the module out.
void WriteResourceItemAttributes(const xml::TXMLNode& items, const std::string& resourceFile) {
    std::optional<TPackageItemModule> module;
    try {
        module = ReadPackModRow(ProjectMaterialsItem);
    } catch (...) {
    }
    AddPackageItem(items, ProjectMaterialsItem, module, rtl::ExtractFileName(resourceFile));
}

// The resource file, or "" when the package library made none.
std::string WriteResourceItem(const xml::TXMLNode& root, const std::string& resIds) {
    const xml::TXMLNode items = root.AddChild(ExportItemInfoNode);
    const std::string resourceFile = CallPackageResIDs(resIds);
    if (!rtl::FileExists(resourceFile))
        return "";
    WriteResourceItemAttributes(items, resourceFile);
    return resourceFile;
}

// The host keeps the work folder; it is left in place and empty for the next package.
void EmptyXmglFolder() {
    const std::string folder = XmglFolder();
    if (!rtl::DirectoryExists(folder))
        return;
    DeleteFolderTree(folder);
    rtl::CreateDir(folder);
}

} // namespace

bool PackProjectResources(const std::string& resIds, const std::string& packageFile) {
    xml::TXMLDocument doc(framework::Application());
    const xml::TXMLNode root = WriteResourceHeader(doc, packageFile);
    if (resIds.empty())
        return false;
    const std::string resourceFile = WriteResourceItem(root, resIds);

    const std::string document = XmglFolder() + PackageDocumentName;
    doc.SaveToFile(document);
    // Without a resource file the list still ends with the separator; the tool ignores that piece.
    const bool packed = CompressPackage(document + ListSeparator + resourceFile, packageFile);

    if (!resourceFile.empty() && rtl::FileExists(resourceFile))
        rtl::DeleteFile(resourceFile);
    EmptyXmglFolder();
    // A package file named inside the work folder went with it.
    return packed && rtl::FileExists(packageFile);
}

} // namespace tarnwick
