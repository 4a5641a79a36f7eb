// velmora contents PACKAGE: what a package holds, as its "Package.XML" tells it.

#include "host/velmora/Arguments.h"
#include "host/velmora/Commands.h"
#include "host/velmora/Terminal.h"
#include "host/velmora/TreeTally.h"

#include "host/ziptool/VekZipTool.h"

#include "platform/rtl/Exceptions.h"
#include "platform/xml/XMLDocument.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

namespace fs = std::filesystem;

namespace velmora {

namespace {

// A scratch folder that goes with its content.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "velmora-contents-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw rtl::Exception("no scratch folder can be made in " + fs::temp_directory_path().string());
        m_path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

std::string Attribute(const xml::TXMLNode& node, const std::string& name) {
    return node.Attributes(name).value_or("");
}

void PrintAttributes(const std::string& heading, const xml::TXMLNode& node) {
    std::cout << heading << "\n";
    for (const std::string& name : node.AttributeNames())
        std::cout << "    " << name << " = " << Attribute(node, name) << "\n";
}

// The item's data inside the extracted package; empty when the name would lead out of it.
fs::path ItemData(const fs::path& root, std::string appFileName) {
    for (char& c : appFileName)
        if (c == '\\')
            c = '/';
    while (!appFileName.empty() && appFileName.back() == '/')
        appFileName.pop_back();
    const fs::path relative(appFileName);
    if (appFileName.empty() || relative.is_absolute())
        return {};
    for (const fs::path& part : relative)
        if (part == "..")
            return {};
    return root / relative;
}

void PrintItem(const fs::path& root, const xml::TXMLNode& item) {
    const std::string appFileName = Attribute(item, "AppFileName");
    std::cout << "    " << item.NodeName() << "  (module " << Attribute(item, "ModDllFile") << ", entry "
              << Attribute(item, "EntryID") << ")\n";
    if (!item.HasAttribute("AppFileName")) {
        std::cout << "        no data (AppFileName is missing)\n";
        return;
    }
    const fs::path data = ItemData(root, appFileName);
    if (data.empty() || !fs::exists(fs::symlink_status(data))) {
        std::cout << "        " << appFileName << ": not in the package\n";
        return;
    }
    TreeTally size;
    AddToTally(data.string(), size);
    std::cout << "        " << appFileName << ": " << size.files << (size.files == 1 ? " file, " : " files, ")
              << size.bytes << " bytes\n";
}

} // namespace

namespace {

int RunContents(const std::vector<std::string>& words) {
    const Arguments args(words, {});
    if (args.Positional().size() != 1)
        throw UsageError("contents takes one package file");
    const std::string package = args.Positional().front();
    if (!fs::is_regular_file(package))
        throw rtl::Exception(package + " is no file");
    ScratchFolder scratch;
    std::string out;
    if (!host::ExtractFile(package, scratch.Path().string(), out))
        throw rtl::Exception(package + " cannot be unpacked: " + out);

    xml::TXMLDocument doc;
    doc.LoadFromFile((scratch.Path() / "Package.XML").string());
    const xml::TXMLNode root = doc.DocumentElement();
    std::cout << "package " << package << " (" << fs::file_size(package) << " bytes)\n";
    if (const xml::TXMLNode info = root.ChildNodes().FindNode("PackageInfo"))
        PrintAttributes("  PackageInfo", info);
    if (const xml::TXMLNode project = root.ChildNodes().FindNode("PrjInfo")) {
        std::cout << "  PrjInfo: " << Attribute(project, "PrjID") << " " << Attribute(project, "PrjName")
                  << " (PrjInfoExport " << Attribute(project, "PrjInfoExport") << ")\n";
        if (const xml::TXMLNode persons = project.ChildNodes().FindNode("PrjPerInfo"))
            for (xml::TXMLNode person = persons.ChildNodes().First(); person; person = person.NextSibling())
                std::cout << "    person " << Attribute(person, "PerUUID") << " "
                          << Attribute(person, "PerName") << "\n";
    }
    // One step per child, counted and printed in one walk: a package may hold very many.
    std::vector<xml::TXMLNode> items;
    if (const xml::TXMLNode list = root.ChildNodes().FindNode("ExportItemInfo"))
        for (xml::TXMLNode child = list.ChildNodes().First(); child; child = child.NextSibling())
            items.push_back(child);
    std::cout << "  ExportItemInfo: " << items.size() << (items.size() == 1 ? " item\n" : " items\n");
    for (const xml::TXMLNode& item : items)
        if (item.NodeType() == xml::ntElement)
            PrintItem(scratch.Path(), item);
    return 0;
}

} // namespace

[[maybe_unused]] const bool registered =
    RegisterCommand({"contents", "contents PACKAGE                 print a package's table of contents",
                     R"(usage: velmora contents PACKAGE

Prints the table of contents of a ".Package" file: its header (PackageInfo), its project (PrjInfo
with its persons) and each item of ExportItemInfo with the size of the data it names.
)",
                     RunContents});

} // namespace velmora
