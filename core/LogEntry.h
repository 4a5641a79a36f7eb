#pragma once

#include <string>

namespace tarnwick {

// The activity a log entry belongs to (its module code).
namespace LogModuleCode {
inline constexpr char ExportRun[] = "AllInfoImportPck";
inline constexpr char ArchivePackage[] = "VekGDBPackage";
inline constexpr char ImportEntry[] = "ImportXMLInfo";
inline constexpr char ImportPreparation[] = "IniXMLInfo";
inline constexpr char ImportRun[] = "解包进行中...";
inline constexpr char AccountBookLookup[] = "GetSelAccBookID";
} // namespace LogModuleCode

inline constexpr char LogProgram[] = "Tarnwick";
inline constexpr int LogLevel = 1;
inline constexpr int LogKind = 4;

// One entry in the host's log: level 1, the current user's identifier fetched just now, the module
// code and the program name. The reduced build writes none of these.
void WriteLogEntry(const std::string& message, const char* moduleCode);
// The information box of the text, then the same text as a log entry.
void ShowInfoAndLog(const std::string& message, const char* moduleCode);

} // namespace tarnwick
