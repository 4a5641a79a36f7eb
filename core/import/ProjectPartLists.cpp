#include "core/import/ProjectPartLists.h"

#include "core/DeleteFolderTree.h"
#include "core/HostApi.h"

#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StagingFolders.h"
#include "platform/rtl/Text.h"
#include "platform/xml/XMLListLength.h"

namespace tarnwick {

namespace {

bool IsXmlDocument(const std::string& name) {
    return rtl::LowerCase(rtl::ExtractFileExt(name)) == ".xml";
}

// Every XML document below the folder; links are not entered.
bool FolderHoldsListLongerThan(const std::string& folder, std::size_t maxEntries) {
    const std::string dir = rtl::IncludeTrailingPathDelimiter(folder);
    bool longer = false;
    rtl::TSearchRec rec;
    for (int found = rtl::FindFirst(dir + "*.*", rtl::faAnyFile, rec); found == 0 && !longer;
         found = rtl::FindNext(rec)) {
        if (rec.Name == "." || rec.Name == ".." || (rec.Attr & rtl::faSymLink))
            continue;
        if (rec.Attr & rtl::faDirectory)
            longer = FolderHoldsListLongerThan(dir + rec.Name, maxEntries);
        else if (IsXmlDocument(rec.Name))
            longer = xml::HoldsListLongerThan(dir + rec.Name, maxEntries);
    }
    rtl::FindClose(rec);
    return longer;
}

// The unpacked part is removed on every way out.
struct UnpackedPart {
    explicit UnpackedPart(std::string folder) : Folder(std::move(folder)) {}
    ~UnpackedPart() { DeleteFolderTree(Folder); }
    const std::string Folder;
};

bool PackedPartHoldsListLongerThan(const std::string& packageFolder, std::size_t maxEntries) {
    const std::string archive = packageFolder + "XMGL.pck";
    if (!rtl::FileExists(archive))
        return false;
    // A hidden name of this process's, which no package entry has.
    const UnpackedPart part(packageFolder + rtl::StagingFolderName("XMGL.pck", 0, "reading") + "\\");
    sharemem::CountedText out;
    if (::ExtractFile(out.Var(), archive.c_str(), part.Folder.c_str()) != ExtractDone)
        return false;
    return FolderHoldsListLongerThan(part.Folder, maxEntries);
}

} // namespace

bool ProjectPartHoldsListLongerThan(const std::string& packageFolder, int version, std::size_t maxEntries) {
    if (version == 2)
        return PackedPartHoldsListLongerThan(packageFolder, maxEntries);
    const std::string folder = packageFolder + "XMGL\\";
    return rtl::DirectoryExists(folder) && FolderHoldsListLongerThan(folder, maxEntries);
}

} // namespace tarnwick
