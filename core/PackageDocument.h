#pragma once

#include "platform/rtl/DateTime.h"
#include "platform/xml/XMLDocument.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// "Package.XML", the table of contents of every package: written into the work folder before it is
// compressed, read back after extraction.
namespace tarnwick {

inline constexpr char PackageDocumentName[] = "Package.XML";

inline constexpr char PackageRootNode[] = "VekPackage";
inline constexpr char PackageInfoNode[] = "PackageInfo";
inline constexpr char PrjInfoNode[] = "PrjInfo";
inline constexpr char PrjPerInfoNode[] = "PrjPerInfo";
inline constexpr char PrjPerNode[] = "PrjPer";
inline constexpr char ExportItemInfoNode[] = "ExportItemInfo";

inline constexpr char ReaderPackageType[] = "XMGL_PACKAGE_READER";
inline constexpr char ArchivePackageType[] = "XMGL_PACKAGE_GDB";
inline constexpr char PackageReaderVer[] = "2";

// Sets the document up (options, version, encoding), adds the root and its PackageInfo and answers
// the root. An empty packageType stands for ReaderPackageType. The user comes from the host and the
// creation time from the package clock, both at this moment.
xml::TXMLNode InitPackageXml(xml::TXMLDocument& doc, const std::string& packageType,
                             const std::string& caption, const std::string& memo);
// The set-up shared by both builds, which differ only in the package version they write.
xml::TXMLNode PreparePackageDocument(xml::TXMLDocument& doc, const std::string& packageType,
                                     const std::string& caption, const std::string& memo,
                                     const std::string& packageVersion);

// Appends PrjInfo with the project record the host loads for serial, as the host leaves it, and
// the export flag; answers PrjInfo.
xml::TXMLNode WriteProjectInfoNode(const xml::TXMLNode& root, const std::string& serial, bool exportFlag);
// Appends PrjPerInfo with one PrjPer per person of the open project; PrjPerInfo stays empty when the
// host names no existing person list. A person whose information has fewer than seven fields is
// left out.
void WriteProjectPersonsNode(const xml::TXMLNode& parent);

// The Vek_PackMod row an item belongs to.
struct TPackageItemModule {
    std::string ModGuid;
    std::string ModCaption;
    std::string ModDllFile;
    std::string EntryID;
};
// Appends the item element named after caption under ExportItemInfo. Without a module the four
// module attributes are left out; without a file name AppFileName is.
xml::TXMLNode AddPackageItem(const xml::TXMLNode& exportItemInfo, const std::string& caption,
                             const std::optional<TPackageItemModule>& module,
                             const std::optional<std::string>& appFileName);

// The creation time's source; an empty function restores the local clock.
void SetPackageClock(std::function<rtl::TDateTime()> clock);
// The time on that clock, which also names the archive packages.
rtl::TDateTime PackageNow();
// The creation time's text: short date, and the long time unless it is midnight to the second.
std::string PackageTimeText(rtl::TDateTime value);

// Readers. These never create nodes, whatever the document's options: a missing element is the
// missing node and a missing attribute is null.
xml::TXMLNode FindPackageNode(const xml::TXMLNode& parent, const std::string& name);
// PackageInfo, PrjInfo or ExportItemInfo among the root's children.
xml::TXMLNode FindRootNode(const xml::TXMLDocument& doc, const std::string& name);
// PrjPerInfo inside PrjInfo (the copy an archive package keeps under the root is not this one).
xml::TXMLNode FindProjectPersons(const xml::TXMLDocument& doc);
// The item elements of ExportItemInfo in document order; none when it is absent.
std::vector<xml::TXMLNode> PackageItems(const xml::TXMLDocument& doc);
// The PrjPer elements of a PrjPerInfo in document order.
std::vector<xml::TXMLNode> PackagePersons(const xml::TXMLNode& prjPerInfo);
std::optional<std::string> PackageAttribute(const xml::TXMLNode& node, const std::string& name);
// An absent attribute reads as empty.
std::string PackageAttributeText(const xml::TXMLNode& node, const std::string& name);

// Loads folder's Package.XML, under either spelling of its name; raises for a missing or malformed
// document.
void LoadPackageDocument(xml::TXMLDocument& doc, const std::string& folder);

} // namespace tarnwick
