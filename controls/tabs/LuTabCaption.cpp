#include "controls/tabs/LuTabCaption.h"

#include <algorithm>

namespace lu {

std::string ShownCaptionLine(std::string_view line) {
    const std::size_t mark = line.find('&');
    if (mark == std::string_view::npos || mark + 1 == line.size())
        return std::string(line);
    // Of a pair the first "&" goes; a single mark goes too.
    std::string shown(line.substr(0, mark));
    shown += line.substr(mark + 1);
    return shown;
}

namespace {

// The length in bytes of the UTF-8 character that starts at the position.
std::size_t CharacterLength(const std::string& text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    return std::min(length, text.size() - pos);
}

} // namespace

std::vector<TCaptionPart> SplitAcceleratedText(const std::string& line) {
    const std::size_t mark = line.find('&');
    if (mark == std::string::npos)
        return {{line, false}};
    if (mark + 1 < line.size() && line[mark + 1] == '&')
        return {{line.substr(0, mark + 1), false}, {line.substr(mark + 2), false}};
    const std::size_t after = mark + 1;
    const std::size_t length = after < line.size() ? CharacterLength(line, after) : 0;
    return {{line.substr(0, mark), false}, {line.substr(after, length), true}, {line.substr(after + length), false}};
}

void SplitCaptionLines(std::string_view caption, rtl::TStringList& lines) {
    lines.Clear();
    std::size_t start = 0;
    for (std::size_t crlf = caption.find("\r\n"); crlf != std::string_view::npos;
         crlf = caption.find("\r\n", start)) {
        lines.Add(std::string(caption.substr(start, crlf - start)));
        start = crlf + 2;
    }
    if (start < caption.size())
        lines.Add(std::string(caption.substr(start)));
}

} // namespace lu
