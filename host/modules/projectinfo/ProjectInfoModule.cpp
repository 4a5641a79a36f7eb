#include "host/HostControl.h"
#include "host/HostState.h"
#include "host/modules/common/ModuleLibrary.h"
#include "host/modules/common/ResultPlace.h"

#include "platform/xml/XMLDocument.h"
#include "platform/xml/XMLListLength.h"

#include <utility>

// "项目信息": the open project's record and its persons, as the project part "XMGL\" (full build) or
// "XMGL.pck" (reduced build) that the host's project creation reads as well.
namespace host::modules {

namespace {

// The lines a page shows for a project part: a few fields that say which project it is.
std::vector<std::string> PartLines(const std::string& folder) {
    const std::string file = folder + "PrjInfo.xml";
    if (xml::HoldsListLongerThan(file, host::MaxProjectPartList))
        throw rtl::Exception("the project part in " + folder + " holds a list of more than " +
                             std::to_string(host::MaxProjectPartList) + " entries");
    xml::TXMLDocument doc;
    doc.LoadFromFile(file);
    xml::TXMLNode info = doc.DocumentElement().ChildNodes().FindNode("PrjInfo");
    if (info.IsNull())
        throw rtl::Exception("no project in " + folder);
    std::vector<std::string> lines;
    const std::pair<const char*, const char*> fields[] = {
        {"PrjID", "项目编号"},           {"PrjName", "项目名称"},   {"AuditedCorpName", "被审计单位"},
        {"PrjExecuteOrgan", "实施机构"}, {"AuditSpan", "审计期间"},
    };
    for (const auto& [name, caption] : fields)
        lines.push_back(std::string(caption) + "：" + info.Attributes(name).value_or(""));
    xml::TXMLNode persons = info.ChildNodes().FindNode("PrjPerInfo");
    lines.push_back("项目人员：" + std::to_string(persons.IsNull() ? 0 : persons.ChildNodes().Count()) +
                    " 人");
    return lines;
}

class ProjectInfoModule : public ModuleLibrary {
public:
    std::string Export(std::int32_t) override {
        const std::string serial = OpenProjectSerial();
        const std::string folder = FreshResultFolder("XMGL");
        host::WriteProjectPart(serial, folder);
        return ReducedBuild() ? PackResult(folder, "XMGL.pck") : folder;
    }

    // The host refuses a part of any project but the open one, and a user who is no member of it;
    // its reason is raised, and the entry answers the refusal as this item's failure.
    std::int32_t Import(std::int32_t, const std::string& path) override {
        ItemFolder folder(path);
        host::detail::StoreProjectPart(folder.Path());
        return ImportDone;
    }

    PageContent ExportContent(std::int32_t) override {
        const std::string serial = OpenProjectSerial();
        const std::string folder = FreshScratchFolder("XMGLPage");
        struct Cleanup {
            std::string folder;
            ~Cleanup() { host::detail::RemoveTree(folder); }
        } cleanup{folder};
        host::WriteProjectPart(serial, folder);
        return {"将导出当前项目的基本信息：", PartLines(folder)};
    }

    PageContent ImportContent(std::int32_t, const std::string& path) override {
        ItemFolder folder(path);
        return {"将导入以下项目的基本信息：", PartLines(folder.Path())};
    }
};

} // namespace

ModuleLibrary& TheModule() {
    static ProjectInfoModule module;
    return module;
}

} // namespace host::modules
