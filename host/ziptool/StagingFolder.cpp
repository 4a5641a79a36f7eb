#include "host/ziptool/StagingFolder.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/RemoveTree.h"
#include "platform/rtl/StagingFolders.h"

#include <string_view>

namespace host {

namespace {

constexpr int kStagingAttempts = 100;
constexpr std::string_view kContentFolder = "/content/";

bool IsFolder(int attr) {
    return attr != -1 && (attr & rtl::faDirectory) && !(attr & rtl::faSymLink);
}

bool IsPlainFile(int attr) {
    return attr != -1 && !(attr & (rtl::faDirectory | rtl::faSymLink));
}

} // namespace

TStagingFolder::TStagingFolder(const std::string& destDir)
    : m_dest(rtl::ExcludeTrailingPathDelimiter(destDir)) {
    const std::string parent = rtl::ExtractFileDir(m_dest);
    m_parent = parent.empty() ? "" : rtl::IncludeTrailingPathDelimiter(parent);
    CreateParents();
    try {
        CreateStaging();
    } catch (...) {
        if (!m_createdParent.empty())
            rtl::RemoveTree(m_createdParent);
        throw;
    }
}

TStagingFolder::~TStagingFolder() {
    rtl::RemoveTree(m_staging);
    if (!m_placed && !m_createdParent.empty())
        rtl::RemoveTree(m_createdParent);
}

void TStagingFolder::CreateParents() {
    if (m_parent.empty() || rtl::DirectoryExists(m_parent))
        return;
    std::string outermost = rtl::ExcludeTrailingPathDelimiter(m_parent);
    for (std::string up = rtl::ExtractFileDir(outermost); !up.empty() && up != outermost && !rtl::DirectoryExists(up);
         up = rtl::ExtractFileDir(up))
        outermost = up;
    if (!rtl::ForceDirectories(m_parent)) {
        rtl::RemoveTree(outermost);
        throw rtl::EInOutError("the folder \"" + m_parent + "\" cannot be created");
    }
    m_createdParent = outermost;
}

std::size_t TStagingFolder::LongestContentPath(const std::string& destDir) {
    const std::string dest = rtl::ExcludeTrailingPathDelimiter(destDir);
    const std::string parent = rtl::ExtractFileDir(dest);
    const std::string staging = rtl::StagingFolderName(rtl::ExtractFileName(dest), kStagingAttempts - 1);
    return (parent.empty() ? 0 : rtl::ToNativePath(parent).size() + 1) + staging.size() + kContentFolder.size();
}

void TStagingFolder::CreateStaging() {
    for (int attempt = 0; attempt < kStagingAttempts && m_staging.empty(); ++attempt) {
        const std::string staging = m_parent + rtl::StagingFolderName(rtl::ExtractFileName(m_dest), attempt);
        if (rtl::CreateDir(staging))
            m_staging = staging + "/";
    }
    if (m_staging.empty())
        throw rtl::EInOutError("no staging folder can be created in \"" + m_parent + "\"");
    m_content = m_staging + std::string(kContentFolder.substr(1));
    m_replaced = m_staging + "replaced/";
    if (!rtl::CreateDir(m_content) || !rtl::CreateDir(m_replaced))
        throw rtl::EInOutError("the staging folder \"" + m_staging + "\" cannot be filled");
}

void TStagingFolder::MoveIntoPlace() {
    try {
        if (rtl::FileGetAttr(m_dest) == -1)
            MoveName(rtl::ToNativePath(m_content), rtl::ToNativePath(m_dest));
        else
            MergeFolder(m_content, rtl::IncludeTrailingPathDelimiter(m_dest));
    } catch (...) {
        PutBack();
        throw;
    }
    m_placed = true;
}

void TStagingFolder::MergeFolder(const std::string& from, const std::string& to) {
    std::vector<rtl::TSearchRec> children;
    rtl::TSearchRec rec;
    for (int rc = rtl::FindFirst(from + "*.*", rtl::faAnyFile, rec); rc == 0; rc = rtl::FindNext(rec))
        if (rec.Name != "." && rec.Name != "..")
            children.push_back(rec);
    rtl::FindClose(rec);

    for (const rtl::TSearchRec& child : children) {
        const std::string source = from + child.Name;
        // The existing spelling of the name, when the destination has it in another case.
        const std::string target = rtl::ToNativePath(to + child.Name);
        const int existing = rtl::FileGetAttr(target);
        if (existing == -1) {
            MoveName(rtl::ToNativePath(source), target);
        } else if (IsFolder(existing) && IsFolder(child.Attr)) {
            MergeFolder(source + "/", target + "/");
        } else if (IsPlainFile(existing) && IsPlainFile(child.Attr)) {
            MoveName(target, rtl::ToNativePath(m_replaced) + std::to_string(m_replacedCount++));
            MoveName(rtl::ToNativePath(source), target);
        } else {
            throw rtl::EInOutError("\"" + target + "\" is in the way");
        }
    }
}

void TStagingFolder::MoveName(const std::string& from, const std::string& to) {
    if (!rtl::RenameFile(from, to))
        throw rtl::EInOutError("\"" + from + "\" cannot be moved to \"" + to + "\"");
    m_moves.push_back({from, to});
}

void TStagingFolder::PutBack() {
    for (auto move = m_moves.rbegin(); move != m_moves.rend(); ++move)
        rtl::RenameFile(move->to, move->from);
    m_moves.clear();
}

} // namespace host
