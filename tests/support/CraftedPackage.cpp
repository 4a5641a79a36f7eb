#include "tests/support/CraftedPackage.h"

#include "core/HostApi.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tests {

namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

const std::map<std::string, SampleModule> kSampleModules = {
    {"项目信息", {"{6A1F0C2E-0001-4C57-9E10-000000000001}", "Modules\\ProjectInfo.dll", "1"}},
    {"项目资料", {"{6A1F0C2E-0002-4C57-9E10-000000000002}", "Modules\\ProjectMaterials.dll", "2"}},
    {"系统人员", {"{6A1F0C2E-0003-4C57-9E10-000000000003}", "Modules\\Personnel.dll", "3"}},
    {"审计事项", {"{6A1F0C2E-0004-4C57-9E10-000000000004}", "Modules\\AuditMatters.dll", "4"}},
    {"审计分析", {"{6A1F0C2E-0005-4C57-9E10-000000000005}", "Modules\\AuditMatters.dll", "5"}},
};

} // namespace

std::string Element(const std::string& name, const Attributes& attributes, const std::string& inner) {
    std::string text = "<" + name;
    for (const auto& [key, value] : attributes)
        text += " " + key + "=\"" + Escaped(value) + "\"";
    return inner.empty() ? text + "/>" : text + ">" + inner + "</" + name + ">";
}

const SampleModule& SampleModuleOf(const std::string& caption) {
    return kSampleModules.at(caption);
}

std::string DisguisedItem(const std::string& caption, const std::string& asModule,
                          const std::string& appFileName) {
    const SampleModule& m = SampleModuleOf(asModule);
    return Element(caption, {{"ModGuid", m.guid},
                             {"ModCaption", caption},
                             {"ModDllFile", m.library},
                             {"EntryID", m.entryId},
                             {"AppName", caption},
                             {"AppFileName", appFileName}});
}

std::string SampleItem(const std::string& caption, const std::string& appFileName) {
    return DisguisedItem(caption, caption, appFileName);
}

std::string ForeignItem(const std::string& caption, const std::string& dllFile,
                        const std::string& appFileName) {
    return Element(caption, {{"ModCaption", caption},
                             {"ModDllFile", dllFile},
                             {"EntryID", "9"},
                             {"AppName", caption},
                             {"AppFileName", appFileName}});
}

std::string CraftedXml(const CraftedDocument& doc) {
    std::string body;
    if (doc.packageInfo) {
        Attributes info = {{"PackageTypeName", "XMGL_PACKAGE_READER"},
                           {"PackageType", "1"},
                           {"PackageUser", "200000000000000011"},
                           {"PackageCaption", "构造包"},
                           {"PackageMemo", ""},
                           {"PackageCreateTime", "2026-01-05"}};
        if (doc.version)
            info.emplace_back("PackageVersion", *doc.version);
        info.emplace_back("PackageReaderVer", "2");
        body += Element("PackageInfo", info);
    }
    if (doc.prjId) {
        std::string persons;
        for (const std::string& person : doc.persons)
            persons += Element("PrjPer", {{"PerUUID", person}, {"PerName", "某人"}});
        body +=
            Element("PrjInfo", {{"PrjID", *doc.prjId}, {"PrjName", doc.prjName}, {"PrjInfoExport", "True"}},
                    Element("PrjPerInfo", {}, persons));
    }
    if (doc.items) {
        std::string items;
        for (const std::string& item : *doc.items)
            items += item;
        body += Element("ExportItemInfo", {}, items);
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + Element("VekPackage", {}, body);
}

void WriteCraftedPackage(const std::string& file, const std::string& packageXml,
                         const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<std::pair<std::string, std::string>> all = {{"Package.XML", packageXml}};
    all.insert(all.end(), files.begin(), files.end());
    WriteArchive(file, all);
}

void WriteArchive(const std::string& file, const std::vector<std::pair<std::string, std::string>>& files) {
    const fs::path staging = fs::path(file).concat(".staging");
    fs::remove_all(staging);
    fs::create_directories(staging);
    for (const auto& [path, bytes] : files) {
        fs::create_directories((staging / path).parent_path());
        std::ofstream(staging / path, std::ios::binary) << bytes;
    }
    sharemem::CountedText out;
    const bool packed = CompressFile(out.Var(), staging.c_str(), file.c_str()) == 1;
    fs::remove_all(staging);
    if (!packed)
        throw std::runtime_error("cannot pack " + file + ": " + out.Str());
}

} // namespace tests
