#include "controls/tabs/LuTabCaption.h"

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
