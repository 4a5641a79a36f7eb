#include "platform/rtl/Utf8.h"

namespace rtl {

namespace {
constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
} // namespace

char32_t DecodeCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra;
    char32_t cp;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + extra >= text.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(c)) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

std::u32string Utf8ToCodePoints(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        out.push_back(DecodeCodePoint(text, pos));
    return out;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string CodePointsToUtf8(std::u32string_view codePoints) {
    std::string out;
    out.reserve(codePoints.size());
    for (char32_t cp : codePoints)
        AppendCodePoint(out, cp);
    return out;
}

bool IsValidUtf8(std::string_view text) {
    std::string again;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t cp = DecodeCodePoint(text, pos);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        again.clear();
        AppendCodePoint(again, cp);
        if (text.substr(start, pos - start) != again)
            return false;
    }
    return true;
}

std::size_t CodePointCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count)
        DecodeCodePoint(text, pos);
    return count;
}

std::size_t ByteOffsetOfCodePoint(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < index && pos < text.size(); ++i)
        DecodeCodePoint(text, pos);
    return pos;
}

std::string CodePointSubstr(std::string_view text, std::size_t start, std::size_t count) {
    const std::size_t from = ByteOffsetOfCodePoint(text, start);
    std::size_t to = from;
    for (std::size_t i = 0; i < count && to < text.size(); ++i)
        DecodeCodePoint(text, to);
    return std::string(text.substr(from, to - from));
}

} // namespace rtl
