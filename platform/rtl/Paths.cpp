#include "platform/rtl/Paths.h"

namespace rtl {

namespace {
// Index just past the last "\", "/" or ":", or 0.
std::size_t NameStart(std::string_view fileName) {
    const std::size_t pos = fileName.find_last_of("\\/:");
    return pos == std::string_view::npos ? 0 : pos + 1;
}

std::size_t ExtensionStart(std::string_view fileName) {
    const std::size_t dot = fileName.find_last_of('.');
    if (dot == std::string_view::npos || dot < NameStart(fileName))
        return std::string_view::npos;
    return dot;
}
} // namespace

bool IsPathDelimiter(char c) {
    return c == '\\' || c == '/';
}

bool HasTrailingPathDelimiter(std::string_view path) {
    return !path.empty() && IsPathDelimiter(path.back());
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string result(path);
    if (!HasTrailingPathDelimiter(path)) {
        const bool slashOnly =
            path.find('/') != std::string_view::npos && path.find('\\') == std::string_view::npos;
        result.push_back(slashOnly ? '/' : '\\');
    }
    return result;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    if (HasTrailingPathDelimiter(path))
        path.remove_suffix(1);
    return std::string(path);
}

std::string ExtractFilePath(std::string_view fileName) {
    return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileDir(std::string_view fileName) {
    std::size_t end = NameStart(fileName);
    if (end > 0 && IsPathDelimiter(fileName[end - 1]) && end > 1 && fileName[end - 2] != ':' &&
        !IsPathDelimiter(fileName[end - 2]))
        --end;
    return std::string(fileName.substr(0, end));
}

std::string ExtractFileName(std::string_view fileName) {
    return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName) {
    const std::size_t dot = ExtensionStart(fileName);
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view ext) {
    const std::size_t dot = ExtensionStart(fileName);
    std::string result(fileName.substr(0, dot == std::string_view::npos ? fileName.size() : dot));
    result.append(ext);
    return result;
}

} // namespace rtl
