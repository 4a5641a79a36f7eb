#include "host/ziptool/ZipEntryName.h"

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
