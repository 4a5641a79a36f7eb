#include "core/PackageDocument.h"

#include "core/HostApi.h"
#include "core/HostSession.h"
#include "core/ListSeparator.h"
#include "core/VekPrjInfo.h"
#include "platform/ado/ADODataSet.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Paths.h"

#include <string_view>
#include <utility>

namespace tarnwick {

namespace {

std::function<rtl::TDateTime()>& PackageClock() {
    static std::function<rtl::TDateTime()> clock;
    return clock;
}

void SetText(const xml::TXMLNode& node, const char* name, const Text& value) {
    node.SetAttributes(name, value.Str());
}

void SetDate(const xml::TXMLNode& node, const char* name, TDateTime value) {
    node.SetAttributes(name, rtl::FloatToStr(value));
}

void SetInteger(const xml::TXMLNode& node, const char* name, std::int32_t value) {
    node.SetAttributes(name, rtl::IntToStr(value));
}

// Exactly on the separator: an empty piece is an empty field and a line break is part of its field.
std::vector<std::string> SplitPersonFields(std::string_view info) {
    std::vector<std::string> fields;
    constexpr std::string_view separator(ListSeparator);
    for (;;) {
        std::size_t at = info.find(separator);
        fields.emplace_back(info.substr(0, at));
        if (at == std::string_view::npos)
            return fields;
        info.remove_prefix(at + separator.size());
    }
}

std::string PersonList() {
    sharemem::CountedText fileName;
    GetUserListByPrj(fileName.Var());
    return fileName.Str();
}

std::string PersonInfo(const std::string& perUUID) {
    sharemem::CountedText info;
    GetUserInfo(info.Var(), perUUID.c_str());
    return info.Str();
}

constexpr const char* PersonAttributes[] = {"PerName", "PerSex",  "PerAge",   "PerJob",
                                            "PerRole", "PerMemo", "LoginName"};
constexpr std::size_t PersonFieldCount = std::size(PersonAttributes);

} // namespace

xml::TXMLNode PreparePackageDocument(xml::TXMLDocument& doc, const std::string& packageType,
                                     const std::string& caption, const std::string& memo,
                                     const std::string& packageVersion) {
    doc.SetActive(false);
    doc.SetOptions({xml::doNodeAutoCreate, xml::doAttrNull, xml::doAutoPrefix, xml::doNamespaceDecl});
    doc.SetActive(true);
    if (!doc.Active())
        doc.SetActive(true);
    doc.SetVersion("1.0");
    doc.SetEncoding("GB2312");

    xml::TXMLNode root = doc.AddChild(PackageRootNode);
    xml::TXMLNode info = root.AddChild(PackageInfoNode);
    info.SetAttributes("PackageTypeName", packageType.empty() ? std::string(ReaderPackageType) : packageType);
    info.SetAttributes("PackageType", std::string("1"));
    info.SetAttributes("PackageUser", CurrentUserId());
    info.SetAttributes("PackageCaption", caption);
    info.SetAttributes("PackageMemo", memo);
    info.SetAttributes("PackageCreateTime", PackageTimeText(PackageNow()));
    info.SetAttributes("PackageVersion", packageVersion);
    info.SetAttributes("PackageReaderVer", std::string(PackageReaderVer));
    return root;
}

xml::TXMLNode WriteProjectInfoNode(const xml::TXMLNode& root, const std::string& serial, bool exportFlag) {
    xml::TXMLNode node = root.AddChild(PrjInfoNode);
    TVekPrjInfo rec;
    sharemem::CountedText serialText(serial);
    VekLoadPrj(&rec, serialText.Get());

    SetText(node, "PrjID", rec.PrjID);
    SetText(node, "PrjName", rec.PrjName);
    SetText(node, "PrjReportOrgan", rec.PrjReportOrgan);
    SetText(node, "AuditContent", rec.AuditContent);
    SetText(node, "PrjExecuteOrganID", rec.PrjExecuteOrganID);
    SetText(node, "PrjExecuteOrgan", rec.PrjExecuteOrgan);
    SetText(node, "AuditStyle", rec.AuditStyle);
    SetText(node, "PrjLevel", rec.PrjLevel);
    SetText(node, "PrjClass", rec.PrjClass);
    SetText(node, "SpecialClass", rec.SpecialClass);
    SetText(node, "OrgFunction", rec.OrgFunction);
    SetDate(node, "PlanExecStartDate", rec.PlanExecStartDate);
    SetDate(node, "PlanExecEndDate", rec.PlanExecEndDate);
    SetInteger(node, "ValidWorkDays", rec.ValidWorkDays);
    SetInteger(node, "PrjPersonsQuantity", rec.PrjPersonsQuantity);
    SetText(node, "AuditArea", rec.AuditArea);
    SetInteger(node, "IsLeaderGive", rec.IsLeaderGive);
    SetInteger(node, "IsGranted", rec.IsGranted);
    SetInteger(node, "IsReport", rec.IsReport);
    SetText(node, "ProjectRely", rec.ProjectRely);
    SetText(node, "AuditObject", rec.AuditObject);
    SetText(node, "AuditEmphasis", rec.AuditEmphasis);
    SetText(node, "ReMark", rec.ReMark);
    SetText(node, "AuditedCorpID", rec.AuditedCorpID);
    SetText(node, "AuditedCorpName", rec.AuditedCorpName);
    SetDate(node, "LastAuditDate", rec.LastAuditDate);
    SetText(node, "LastAuditOrg", rec.LastAuditOrg);
    SetText(node, "AuthorizedField", rec.AuthorizedField);
    SetText(node, "SupervisorOrg", rec.SupervisorOrg);
    SetText(node, "AuditSpan", rec.AuditSpan);
    SetInteger(node, "IsIndividual", rec.IsIndividual);
    SetText(node, "STATTARGENAME", rec.STATTARGENAME);
    SetText(node, "STATTARGEID", rec.STATTARGEID);
    node.SetAttributes("PrjInfoExport", rtl::BoolToStr(exportFlag, true));
    return node;
}

void WriteProjectPersonsNode(const xml::TXMLNode& parent) {
    xml::TXMLNode persons = parent.AddChild(PrjPerInfoNode);
    std::string fileName = PersonList();
    if (fileName.empty() || !rtl::FileExists(fileName))
        return;

    ado::TADODataSet list;
    list.LoadFromFile(fileName);
    for (list.First(); !list.Eof(); list.Next()) {
        std::string perUUID = list.FieldByName("PerUUID").AsString();
        std::vector<std::string> fields = SplitPersonFields(PersonInfo(perUUID));
        // An incomplete person is left out alone; the persons after it are still written.
        if (fields.size() < PersonFieldCount)
            continue;
        xml::TXMLNode person = persons.AddChild(PrjPerNode);
        person.SetAttributes("PerUUID", perUUID);
        for (std::size_t i = 0; i < PersonFieldCount; ++i)
            person.SetAttributes(PersonAttributes[i], fields[i]);
    }
}

xml::TXMLNode AddPackageItem(const xml::TXMLNode& exportItemInfo, const std::string& caption,
                             const std::optional<TPackageItemModule>& module,
                             const std::optional<std::string>& appFileName) {
    xml::TXMLNode item = exportItemInfo.AddChild(caption);
    if (module) {
        item.SetAttributes("ModGuid", module->ModGuid);
        item.SetAttributes("ModCaption", module->ModCaption);
        item.SetAttributes("ModDllFile", module->ModDllFile);
        item.SetAttributes("EntryID", module->EntryID);
    }
    item.SetAttributes("AppName", caption);
    if (appFileName)
        item.SetAttributes("AppFileName", *appFileName);
    return item;
}

void SetPackageClock(std::function<rtl::TDateTime()> clock) {
    PackageClock() = std::move(clock);
}

rtl::TDateTime PackageNow() {
    const auto& clock = PackageClock();
    return clock ? clock() : rtl::Now();
}

std::string PackageTimeText(rtl::TDateTime value) {
    return rtl::DateTimeToStr(value);
}

xml::TXMLNode FindPackageNode(const xml::TXMLNode& parent, const std::string& name) {
    if (parent.IsNull())
        return {};
    return parent.ChildNodes().FindNode(name);
}

xml::TXMLNode FindRootNode(const xml::TXMLDocument& doc, const std::string& name) {
    return FindPackageNode(doc.DocumentElement(), name);
}

xml::TXMLNode FindProjectPersons(const xml::TXMLDocument& doc) {
    return FindPackageNode(FindRootNode(doc, PrjInfoNode), PrjPerInfoNode);
}

namespace {

std::vector<xml::TXMLNode> ChildElements(const xml::TXMLNode& parent, const char* onlyName) {
    std::vector<xml::TXMLNode> elements;
    if (parent.IsNull())
        return elements;
    // One step per child: a package may hold very many, and counting or indexing walks them all.
    for (xml::TXMLNode child = parent.ChildNodes().First(); child; child = child.NextSibling()) {
        if (child.NodeType() == xml::ntElement && (onlyName == nullptr || child.NodeName() == onlyName))
            elements.push_back(child);
    }
    return elements;
}

} // namespace

std::vector<xml::TXMLNode> PackageItems(const xml::TXMLDocument& doc) {
    return ChildElements(FindRootNode(doc, ExportItemInfoNode), nullptr);
}

std::vector<xml::TXMLNode> PackagePersons(const xml::TXMLNode& prjPerInfo) {
    return ChildElements(prjPerInfo, PrjPerNode);
}

std::optional<std::string> PackageAttribute(const xml::TXMLNode& node, const std::string& name) {
    if (node.IsNull() || !node.HasAttribute(name))
        return std::nullopt;
    return node.Attributes(name).value_or(std::string());
}

std::string PackageAttributeText(const xml::TXMLNode& node, const std::string& name) {
    return PackageAttribute(node, name).value_or(std::string());
}

void LoadPackageDocument(xml::TXMLDocument& doc, const std::string& folder) {
    std::string fileName = rtl::IncludeTrailingPathDelimiter(folder) + PackageDocumentName;
    if (!rtl::FileExists(fileName))
        throw rtl::EInOutError("The package document " + fileName + " does not exist");
    doc.LoadFromFile(fileName);
}

} // namespace tarnwick
