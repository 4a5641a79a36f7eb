#pragma once

// Packages made by a test to a crafted recipe: "Package.XML" written as text, so that a test can
// leave out or bend whatever the export always writes, beside the files the test names.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tests {

// Attributes in the order given; values are escaped.
using Attributes = std::vector<std::pair<std::string, std::string>>;

// One element, empty or around inner markup.
std::string Element(const std::string& name, const Attributes& attributes, const std::string& inner = "");

// A module of the sample installation's Vek_PackMod, by caption; raises for another caption.
struct SampleModule {
    const char* guid;
    const char* library;
    const char* entryId;
};
const SampleModule& SampleModuleOf(const std::string& caption);

// An item as the export writes it for a module of the sample installation (or for a caption this
// installation lacks, with the module given).
std::string SampleItem(const std::string& caption, const std::string& appFileName);
std::string ForeignItem(const std::string& caption, const std::string& dllFile,
                        const std::string& appFileName);

struct CraftedDocument {
    bool packageInfo = true;
    std::optional<std::string> version = std::string("3"); // PackageVersion; none leaves it out
    std::optional<std::string> prjId;                      // none: no PrjInfo
    std::string prjName = "测试项目";
    std::vector<std::string> persons; // PerUUID of each PrjPer
    std::optional<std::vector<std::string>> items =
        std::vector<std::string>{}; // markup; none: no ExportItemInfo
};

// The document's text: UTF-8, declared as such.
std::string CraftedXml(const CraftedDocument& doc);

// An item captioned as one module of the sample installation that names another (asModule's GUID,
// library and entry id).
std::string DisguisedItem(const std::string& caption, const std::string& asModule,
                          const std::string& appFileName);

// Packs the files, by relative path, into file with the host's compression tool; raises when it
// cannot.
void WriteArchive(const std::string& file, const std::vector<std::pair<std::string, std::string>>& files);
// Packs "Package.XML" (the given text) and the files as WriteArchive does.
void WriteCraftedPackage(const std::string& file, const std::string& packageXml,
                         const std::vector<std::pair<std::string, std::string>>& files);

} // namespace tests
