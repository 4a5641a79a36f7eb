#include "host/ziptool/ZipEntryName.h"

#include "host/ziptool/ZipToolSettings.h"

#include "platform/rtl/Utf8.h"

namespace host {

std::string ZipEntryName::Joined() const {
    std::string joined;
    for (const std::string& part : parts) {
        if (!joined.empty())
            joined += '/';
        joined += part;
    }
    return joined;
}

std::string Folded(std::string name) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return name;
}

std::string ShownName(std::string_view name) {
    constexpr std::size_t kShown = 120;
    if (name.size() <= kShown)
        return "\"" + std::string(name) + "\"";
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut; // never inside a character
    return "\"" + std::string(name.substr(0, cut)) + "...\" (" + std::to_string(name.size()) + " bytes)";
}

ZipEntryName ParseZipEntryName(std::string_view name) {
    ZipEntryName result;
    auto refuse = [&](const std::string& why) {
        result.parts.clear();
        result.refusal = "the entry " + ShownName(name) + " " + why;
        return result;
    };
    if (name.empty())
        return refuse("has no name");
    if (name.size() > MaxPathBytes)
        return refuse("is longer than a path may be (" + std::to_string(MaxPathBytes) + " bytes)");
    if (name.front() == '/' || name.front() == '\\')
        return refuse(name.size() > 1 && (name[1] == '/' || name[1] == '\\') ? "is a network (UNC) path"
                                                                             : "is an absolute path");
    if (name.find(':') != std::string_view::npos)
        return refuse("names a drive or holds a \":\"");
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F)
            return refuse("holds a control character");
    if (!rtl::IsValidUtf8(name))
        return refuse("is not UTF-8 text");

    std::size_t pos = 0;
    while (pos <= name.size()) {
        std::size_t end = name.find_first_of("/\\", pos);
        if (end == std::string_view::npos)
            end = name.size();
        std::string_view part = name.substr(pos, end - pos);
        if (part == "..")
            return refuse("leads out of its folder (\"..\")");
        if (part.size() > MaxNameBytes)
            return refuse("holds a name longer than a file system takes (" + std::to_string(MaxNameBytes) +
                          " bytes)");
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
