// libFuzzer target: a package file as an attacker would hand it over, through ExtractFile and the
// readers of "Package.XML", the import preparation's among them.
#include "core/PackageDocument.h"
#include "core/import/PackageProbes.h"
#include "core/import/PackageReaders.h"
#include "host/ziptool/VekZipTool.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/RemoveTree.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const char* const kItemAttributes[] = {"ModGuid", "ModCaption", "ModDllFile", "EntryID", "AppFileName"};
const char* const kRootNodes[] = {tarnwick::PackageInfoNode, tarnwick::PrjInfoNode, tarnwick::ExportItemInfoNode};

const std::string& WorkFolder() {
    // Never destroyed, so that the exit handler that removes the folder can still name it.
    static const std::string* folder = [] {
        std::string pattern = "/tmp/tarnwick-fuzz-package-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        auto* made = new std::string(pattern + "/");
        std::atexit([] { rtl::RemoveTree(WorkFolder()); });
        return made;
    }();
    return *folder;
}

void ReadEverything(const xml::TXMLDocument& doc) {
    for (const char* name : kRootNodes) {
        xml::TXMLNode node = tarnwick::FindRootNode(doc, name);
        tarnwick::PackageAttributeText(node, "PackageVersion");
        tarnwick::PackageAttributeText(node, "PackageTypeName");
    }
    for (const xml::TXMLNode& item : tarnwick::PackageItems(doc)) {
        item.NodeName();
        for (const char* attribute : kItemAttributes)
            tarnwick::PackageAttribute(item, attribute);
    }
    for (const xml::TXMLNode& person : tarnwick::PackagePersons(tarnwick::FindProjectPersons(doc)))
        tarnwick::PackageAttributeText(person, "PerUUID");
    std::string value;
    for (const char* name : {"PrjID", "PrjName", "PlanExecStartDate", "PrjYear"})
        tarnwick::ReadPrjInfoAttribute(doc, name, value);
}

// The import preparation's readers, which load the document again by its file name.
void ReadAsThePreparationDoes(const std::string& file) {
    tarnwick::ReadPackageProjectInfo(file);
    std::vector<std::string> persons;
    tarnwick::ReadPackagePersons(file, persons);
    for (const char* type : {tarnwick::ReaderPackageType, tarnwick::ArchivePackageType})
        tarnwick::PackageTypeIs(file, type);
    tarnwick::PackageHasOnlyProjectInfo(file);
}

// An input whose first byte is odd is the text of "Package.XML", packed by the tool before it is
// unpacked: mutations of an archive rarely get past its checksums to the document inside.
std::string ArchiveOf(const std::uint8_t* data, std::size_t size) {
    const std::string archive = WorkFolder() + "input.Package";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size == 0 || (data[0] & 1) == 0) {
        rtl::WriteFileBytes(archive, bytes);
        return archive;
    }
    const std::string document = WorkFolder() + "Package.XML";
    rtl::WriteFileBytes(document, bytes.substr(1));
    std::string out;
    if (!host::CompressFile(document, archive, out))
        std::abort();
    return archive;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string archive = ArchiveOf(data, size);
    const std::string dest = WorkFolder() + "CommonReader";
    std::string out;
    if (host::ExtractFile(archive, dest, out)) {
        try {
            xml::TXMLDocument doc;
            tarnwick::LoadPackageDocument(doc, dest);
            ReadEverything(doc);
            ReadAsThePreparationDoes(doc.FileName());
        } catch (const rtl::Exception&) {
            // Refusing bad input with an exception is the expected outcome.
        }
    }
    rtl::RemoveTree(dest);
    return 0;
}
