#pragma once

#include <string>

namespace tarnwick {

inline constexpr char OptypeProjectImport[] = "导入项目";
inline constexpr char OptypeItemImport[] = "项目信息导入";

// Adds one row to Vek_PrjOption on the base database, stamped with the local time. False when the
// statement could not run; nothing is shown or logged. The reduced build adds no row and answers
// false.
bool WriteProjectOptionLog(const std::string& user, const std::string& optype, const std::string& memo);

// The statement that adds the row, with each value quoted.
std::string ProjectOptionStatement(const std::string& user, const std::string& optype,
                                   const std::string& memo, const std::string& time);

} // namespace tarnwick
