#pragma once

#include <string>
#include <string_view>

namespace rtl {

// Path texts are kept as written: "\" and "/" are both separators, and ":" also ends a folder part
// (a drive prefix) for the extraction routines. Only the file-system adapter maps them to the OS.

bool IsPathDelimiter(char c);
bool HasTrailingPathDelimiter(std::string_view path);
// Appends "\" unless the text already ends with a separator; a text written with "/" only gets "/".
std::string IncludeTrailingPathDelimiter(std::string_view path);
// Removes one trailing separator.
std::string ExcludeTrailingPathDelimiter(std::string_view path);

// Everything up to and including the last "\", "/" or ":".
std::string ExtractFilePath(std::string_view fileName);
// ExtractFilePath without its trailing separator (a bare root or drive keeps it).
std::string ExtractFileDir(std::string_view fileName);
// Everything after the last "\", "/" or ":".
std::string ExtractFileName(std::string_view fileName);
// The extension with its dot, or "" when the name part has no dot.
std::string ExtractFileExt(std::string_view fileName);
// Replaces the extension of the name part (or appends one); ext includes its dot.
std::string ChangeFileExt(std::string_view fileName, std::string_view ext);

} // namespace rtl
