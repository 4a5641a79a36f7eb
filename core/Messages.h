#pragma once

#include <string>

namespace tarnwick {

// Message-box flags of the plug-in's boxes. Every box has the host application's title and is owned
// by the application in the slot; with the slot empty it has no owner and an empty title.
inline constexpr int InformationBoxFlags = 64;    // OK, information icon
inline constexpr int ConfirmExportFlags = 33;     // OK and Cancel, question icon
inline constexpr int OverwritePackageFlags = 292; // Yes and No, question icon, No the default
inline constexpr int OpenProjectFlags = 36;       // Yes and No, question icon

inline constexpr char LoadVekProjectManageError[] = "Load API Error: Load VekProjectManage Error";
inline constexpr char LoadVekPackageError[] = "Load API Error: Load VekPackage Error";

// Shows the text without its leading and trailing blanks and control characters. A text with
// nothing else in it shows no box at all.
void ShowInfo(const std::string& text);
// Tells which function's import a foreign package needs; nothing when kind is empty.
void ShowWrongPackageKind(const std::string& tool, const std::string& kind);
// The text ShowWrongPackageKind shows; empty when kind is empty.
std::string WrongPackageKindText(const std::string& tool, const std::string& kind);
// A box with the text exactly as given (the "Load API Error" boxes and the questions); answers the
// button pressed.
int ShowBox(const std::string& text, int flags);

} // namespace tarnwick
