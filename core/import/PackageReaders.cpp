#include "core/import/PackageReaders.h"

#include "core/HostApi.h"
#include "core/Messages.h"
#include "core/ModuleItems.h"
#include "core/PackageDocument.h"
#include "core/import/ImportState.h"
#include "core/import/LocalModule.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <optional>

namespace tarnwick {

namespace {

class PrjInfoReader {
public:
    explicit PrjInfoReader(const xml::TXMLDocument& doc) : m_doc(doc) {}

    void Text(const char* name, tarnwick::Text& field) const { field = Read(name); }
    void Date(const char* name, TDateTime& field) const {
        const std::string value = Read(name);
        double day = 0;
        field = !value.empty() && rtl::TryStrToFloat(value, day) ? day : 0;
    }
    void Integer(const char* name, std::int32_t& field) const { field = rtl::StrToIntDef(Read(name), 0); }

private:
    std::string Read(const char* name) const {
        std::string value;
        ReadPrjInfoAttribute(m_doc, name, value);
        return value;
    }

    const xml::TXMLDocument& m_doc;
};

void ReadProjectRecord(const PrjInfoReader& read, TVekPrjInfo& rec) {
    read.Text("PrjID", rec.PrjID);
    read.Text("PrjName", rec.PrjName);
    read.Text("PrjReportOrgan", rec.PrjReportOrgan);
    read.Text("AuditContent", rec.AuditContent);
    read.Text("PrjExecuteOrganID", rec.PrjExecuteOrganID);
    read.Text("PrjExecuteOrgan", rec.PrjExecuteOrgan);
    read.Text("AuditedCorpID", rec.AuditedCorpID);
    read.Text("AuditStyle", rec.AuditStyle);
    read.Text("PrjLevel", rec.PrjLevel);
    read.Text("PrjClass", rec.PrjClass);
    read.Text("SpecialClass", rec.SpecialClass);
    read.Text("OrgFunction", rec.OrgFunction);
    read.Date("PlanExecStartDate", rec.PlanExecStartDate);
    read.Date("PlanExecEndDate", rec.PlanExecEndDate);
    read.Integer("ValidWorkDays", rec.ValidWorkDays);
    read.Integer("PrjPersonsQuantity", rec.PrjPersonsQuantity);
    read.Text("AuditArea", rec.AuditArea);
    read.Integer("IsLeaderGive", rec.IsLeaderGive);
    read.Integer("IsGranted", rec.IsGranted);
    read.Integer("IsReport", rec.IsReport);
    read.Text("ProjectRely", rec.ProjectRely);
    read.Text("AuditObject", rec.AuditObject);
    read.Text("AuditEmphasis", rec.AuditEmphasis);
    read.Text("ReMark", rec.ReMark);
    read.Text("AuditedCorpName", rec.AuditedCorpName);
    read.Date("LastAuditDate", rec.LastAuditDate);
    read.Text("LastAuditOrg", rec.LastAuditOrg);
    read.Text("AuthorizedField", rec.AuthorizedField);
    read.Text("SupervisorOrg", rec.SupervisorOrg);
    read.Text("AuditSpan", rec.AuditSpan);
    read.Integer("IsIndividual", rec.IsIndividual);
    read.Text("STATTARGENAME", rec.STATTARGENAME);
    read.Text("STATTARGEID", rec.STATTARGEID);
}

} // namespace

void ReadPrjInfoAttribute(const xml::TXMLDocument& doc, const std::string& name, std::string& value) {
    value = PackageAttributeText(FindRootNode(doc, PrjInfoNode), name);
}

void ReadPackageProjectInfo(const std::string& xmlFile) {
    ResetPrjInfoRecord(PackageProjectInfo);
    PackagePrjInfoExport.clear();
    xml::TXMLDocument doc;
    try {
        doc.LoadFromFile(xmlFile);
    } catch (const rtl::Exception&) {
        ShowInfo("打开文件失败！");
        return;
    }
    const PrjInfoReader read(doc);
    ReadProjectRecord(read, PackageProjectInfo);
    ReadPrjInfoAttribute(doc, "PrjInfoExport", PackagePrjInfoExport);
    if (VekGetWorkingStyle() == 1)
        PackagePrjInfoExport = "FALSE";
}

void ReadPackagePersons(const std::string& xmlFile, std::vector<std::string>& persons) {
    try {
        xml::TXMLDocument doc;
        doc.LoadFromFile(xmlFile);
        for (const xml::TXMLNode& person : PackagePersons(FindProjectPersons(doc)))
            persons.push_back(PackageAttributeText(person, "PerUUID"));
    } catch (...) {
        // The persons read so far are all the preparation gets.
    }
}

std::vector<xml::TXMLNode> RequiredPackageItems(const xml::TXMLDocument& doc) {
    if (FindRootNode(doc, ExportItemInfoNode).IsNull())
        throw rtl::Exception("The package document has no " + std::string(ExportItemInfoNode));
    return PackageItems(doc);
}

bool PackageHasOnlyProjectInfo(const std::string& xmlFile) {
    xml::TXMLDocument doc;
    doc.LoadFromFile(xmlFile);
    const std::vector<xml::TXMLNode> items = RequiredPackageItems(doc);
    return std::all_of(items.begin(), items.end(),
                       [](const xml::TXMLNode& item) { return item.NodeName() == ProjectInfoItem; });
}

bool PackageIsProjectFree(const std::string& xmlFile, bool& hasMaterials) {
    xml::TXMLDocument doc;
    doc.LoadFromFile(xmlFile);
    bool projectFree = true;
    for (const xml::TXMLNode& item : RequiredPackageItems(doc)) {
        const std::optional<TLocalModule> module = FindLocalModule(item);
        if (!module || !WorksOnProject(*module))
            continue;
        projectFree = false;
        if (module->ModCaption == ProjectMaterialsItem)
            hasMaterials = true;
    }
    return projectFree;
}

bool OpenPackageProject(const std::string& prjId) {
    const sharemem::CountedText id(prjId);
    VekOpenProject(id.Get(), 1);
    return true;
}

} // namespace tarnwick
