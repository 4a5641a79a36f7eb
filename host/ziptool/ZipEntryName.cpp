#include "host/ziptool/ZipEntryName.h"

#include "platform/rtl/Utf8.h"

namespace host {

namespace {

// Strict: overlong forms, surrogates and truncated sequences are refused.
bool IsUtf8(std::string_view text) {
    std::string again;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t start = pos;
        char32_t cp = rtl::DecodeCodePoint(text, pos);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        again.clear();
        rtl::AppendCodePoint(again, cp);
        if (text.substr(start, pos - start) != again)
            return false;
    }
    return true;
}

} // namespace

std::string ZipEntryName::Joined() const {
    std::string joined;
    for (const std::string& part : parts) {
        if (!joined.empty())
            joined += '/';
        joined += part;
    }
    return joined;
}

ZipEntryName ParseZipEntryName(std::string_view name) {
    ZipEntryName result;
    auto refuse = [&](const char* why) {
        result.parts.clear();
        result.refusal = "the entry \"" + std::string(name) + "\" " + why;
        return result;
    };
    if (name.empty())
        return refuse("has no name");
    if (name.front() == '/' || name.front() == '\\')
        return refuse(name.size() > 1 && (name[1] == '/' || name[1] == '\\') ? "is a network (UNC) path"
                                                                             : "is an absolute path");
    if (name.find(':') != std::string_view::npos)
        return refuse("names a drive or holds a \":\"");
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F)
            return refuse("holds a control character");
    if (!IsUtf8(name))
        return refuse("is not UTF-8 text");

    std::size_t pos = 0;
    while (pos <= name.size()) {
        std::size_t end = name.find_first_of("/\\", pos);
        if (end == std::string_view::npos)
            end = name.size();
        std::string_view part = name.substr(pos, end - pos);
        if (part == "..")
            return refuse("leads out of its folder (\"..\")");
        if (!part.empty() && part != ".")
            result.parts.emplace_back(part);
        pos = end + 1;
    }
    if (result.parts.empty())
        return refuse("has no name");
    result.isFolder = name.back() == '/' || name.back() == '\\';
    return result;
}

} // namespace host
