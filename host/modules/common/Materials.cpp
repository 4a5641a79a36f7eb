#include "host/modules/common/Materials.h"

#include "host/HostState.h"
#include "host/modules/common/ModuleLibrary.h"
#include "host/modules/common/ResultPlace.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileReplacement.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <set>

namespace host::modules {

namespace {

std::vector<std::string> SplitIds(const std::string& text) {
    std::vector<std::string> ids;
    std::string piece;
    auto flush = [&] {
        std::string id = rtl::Trim(piece);
        if (!id.empty())
            ids.push_back(id);
        piece.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "@&@") == 0) {
            flush();
            i += 2;
        } else if (text[i] == ',') {
            flush();
        } else {
            piece += text[i];
        }
    }
    flush();
    return ids;
}

bool IsBareFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

void ListFiles(const std::string& folder, const std::string& prefix, std::vector<std::string>& files) {
    const std::string dir = rtl::IncludeTrailingPathDelimiter(folder);
    rtl::TSearchRec rec;
    for (int rc = rtl::FindFirst(dir + "*.*", rtl::faAnyFile, rec); rc == 0; rc = rtl::FindNext(rec)) {
        if (rec.Name == "." || rec.Name == ".." || (rec.Attr & rtl::faSymLink))
            continue;
        if (rec.Attr & rtl::faDirectory)
            ListFiles(dir + rec.Name, prefix + rec.Name + "\\", files);
        else
            files.push_back(prefix + rec.Name);
    }
    rtl::FindClose(rec);
}

// Each file of from takes the place of the file of its name below to in one rename, so that a
// failure or a killed process leaves the old file or the new one, never a part of either. Files
// unpacked for this import alone are moved, which spares their second write; a folder the module was
// given is copied, since the wizard may import it again.
void PlaceMaterials(const std::string& from, const std::string& to, bool move) {
    const std::string src = rtl::IncludeTrailingPathDelimiter(from);
    const std::string dst = rtl::IncludeTrailingPathDelimiter(to);
    if (!rtl::ForceDirectories(dst) && !rtl::DirectoryExists(dst))
        throw rtl::EInOutError("the folder \"" + dst + "\" cannot be created");
    std::vector<rtl::TSearchRec> entries;
    rtl::TSearchRec rec;
    for (int rc = rtl::FindFirst(src + "*.*", rtl::faAnyFile, rec); rc == 0; rc = rtl::FindNext(rec))
        if (rec.Name != "." && rec.Name != ".." && !(rec.Attr & rtl::faSymLink))
            entries.push_back(rec);
    rtl::FindClose(rec);
    for (const rtl::TSearchRec& entry : entries) {
        if (entry.Attr & rtl::faDirectory)
            PlaceMaterials(src + entry.Name, dst + entry.Name, move);
        else if (move)
            rtl::MoveFileReplacing(src + entry.Name, dst + entry.Name);
        else
            rtl::CopyFileReplacing(src + entry.Name, dst + entry.Name);
    }
}

} // namespace

std::vector<std::string> MaterialFiles() {
    std::vector<std::string> files;
    ListFiles(host::ProjectMaterialsFolder(OpenProjectSerial()), "", files);
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> ItemFiles(const std::string& item) {
    ItemFolder folder(item);
    std::vector<std::string> files;
    ListFiles(folder.Path(), "", files);
    std::sort(files.begin(), files.end());
    return files;
}

std::string ExportMaterials() {
    const std::string source = host::ProjectMaterialsFolder(OpenProjectSerial());
    if (!HoldsFiles(source))
        return NothingSelected;
    const std::string folder = FreshResultFolder("ResFile");
    host::detail::CopyTree(source, folder);
    return ReducedBuild() ? PackResult(folder, "ResFile.pck") : folder;
}

std::int32_t ImportMaterials(const std::string& item) {
    const std::string target = host::ProjectMaterialsFolder(OpenProjectSerial());
    ItemFolder folder(item);
    if (!HoldsFiles(folder.Path()))
        return ImportNothing;
    PlaceMaterials(folder.Path(), target, folder.Unpacked());
    return ImportDone;
}

std::string PackResourceMaterials(const std::string& resIds) {
    const std::string serial = OpenProjectSerial();
    const std::string source = host::ProjectMaterialsFolder(serial);
    host::Database db;
    db.Open(host::ProjectDatabasePath(serial), false);
    std::set<std::string> names;
    for (const std::string& id : SplitIds(resIds))
        for (const auto& row : db.Query("select ResCaption from Vek_ResTrv where ResID = ? and ResTypeName = "
                                        "'DGGL_ZL'",
                                        {id}))
            if (IsBareFileName(row.at(0)) && rtl::FileExists(source + row.at(0)) &&
                !(rtl::FileGetAttr(source + row.at(0)) & rtl::faSymLink))
                names.insert(row.at(0));
    if (names.empty())
        return "";
    std::string scratch = FreshScratchFolder("ResIDs");
    for (const std::string& name : names)
        rtl::WriteFileBytes(scratch + name, rtl::ReadFileBytes(source + name));
    return PackResult(scratch, "ResFile.pck");
}

std::string ArchiveMaterials() {
    const std::string source = host::ProjectMaterialsFolder(OpenProjectSerial());
    if (!HoldsFiles(source))
        return "";
    const std::string folder = CommonReaderFolder() + "ResFile\\";
    host::detail::RemoveTree(folder);
    rtl::ForceDirectories(folder);
    host::detail::CopyTree(source, folder);
    return folder;
}

} // namespace host::modules
