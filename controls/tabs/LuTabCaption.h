#pragma once

#include "platform/rtl/StringList.h"

#include <string>
#include <string_view>
#include <vector>

namespace lu {

// A caption line as it is shown: only its first "&" counts. "&&" shows one "&"; an "&" before a
// character marks that character as the accelerator and is not shown; an "&" that ends the line
// is shown.
std::string ShownCaptionLine(std::string_view line);
// A caption line cut where its drawing changes: before the accelerator, the accelerator character
// itself (a whole character, however many bytes it takes), and the rest. Only the first "&"
// counts; "&&" gives the text up to and including the first "&" and the text after the pair.
struct TCaptionPart {
    std::string text;
    bool underlined = false;
};
std::vector<TCaptionPart> SplitAcceleratedText(const std::string& line);
// The lines of a caption, split at each CR LF. A caption that ends in CR LF has no empty last
// line; an empty caption has no line.
void SplitCaptionLines(std::string_view caption, rtl::TStringList& lines);

} // namespace lu
