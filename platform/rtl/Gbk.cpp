#include "platform/rtl/Gbk.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iconv.h>

namespace rtl {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(::iconv_open(to, from)) {
        if (m_handle == reinterpret_cast<iconv_t>(-1))
            throw EConvertError(std::string("No conversion from ") + from + " to " + to + " is available");
    }
    ~Converter() { ::iconv_close(m_handle); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; answers 0 when all input was used, else the errno that stopped it.
    // in and out advance past what was converted.
    int Convert(std::string_view& in, std::string& out) {
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = ::iconv(m_handle, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                const int error = errno;
                in = std::string_view(inPtr, inLeft);
                return error;
            }
        }
        in = std::string_view(inPtr, 0);
        return 0;
    }

private:
    iconv_t m_handle;
};

// Length of the well-formed UTF-8 sequence at the start of text, and its code point; 0 when malformed.
std::size_t DecodeStrict(std::string_view text, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

std::string Utf8ToGbkImpl(std::string_view utf8, const std::function<std::string(char32_t)>* onUnmappable) {
    Converter converter("GBK", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    std::string_view rest = utf8;
    while (converter.Convert(rest, out) != 0) {
        const std::size_t offset = utf8.size() - rest.size();
        char32_t cp = 0;
        const std::size_t length = DecodeStrict(rest, cp);
        if (length == 0)
            throw EConvertError("Invalid UTF-8 text at byte " + std::to_string(offset));
        if (!onUnmappable) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
            throw EConvertError(std::string("The character ") + code + " cannot be written as GBK");
        }
        out += (*onUnmappable)(cp);
        rest.remove_prefix(length);
    }
    return out;
}

} // namespace

bool IsGbkEncodingName(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return upper == "GBK" || upper == "GB2312" || upper == "CP936";
}

std::string GbkToUtf8(std::string_view gbk) {
    Converter converter("UTF-8", "GBK");
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    std::string_view rest = gbk;
    if (converter.Convert(rest, out) != 0)
        throw EConvertError("Invalid GBK text at byte " + std::to_string(gbk.size() - rest.size()));
    return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
    return Utf8ToGbkImpl(utf8, nullptr);
}

std::string Utf8ToGbk(std::string_view utf8, const std::function<std::string(char32_t)>& onUnmappable) {
    return Utf8ToGbkImpl(utf8, &onUnmappable);
}

} // namespace rtl
