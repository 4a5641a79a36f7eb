#include "platform/ado/ValueText.h"

#include <charconv>

namespace ado {

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool ParseInteger(std::string_view text, std::int64_t& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseReal(std::string_view text, double& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

} // namespace

std::string ValueToText(const TFieldValue& value, bool hexBytes) {
    char buffer[64];
    if (const auto* i = std::get_if<std::int64_t>(&value)) {
        auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, *i);
        return std::string(buffer, ptr);
    }
    if (const auto* d = std::get_if<double>(&value)) {
        auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, *d);
        return std::string(buffer, ptr);
    }
    if (const auto* s = std::get_if<std::string>(&value)) {
        if (!hexBytes)
            return *s;
        std::string hex;
        hex.reserve(s->size() * 2);
        for (unsigned char c : *s) {
            hex += hexDigits[c >> 4];
            hex += hexDigits[c & 15];
        }
        return hex;
    }
    return {};
}

TFieldValue TextToValue(std::string_view text, TFieldType type) {
    std::int64_t integer = 0;
    double real = 0;
    switch (type) {
    case TFieldType::ftInteger:
    case TFieldType::ftLargeint:
    case TFieldType::ftBoolean:
        if (ParseInteger(text, integer))
            return integer;
        if (ParseReal(text, real))
            return real;
        break;
    case TFieldType::ftFloat:
        if (ParseReal(text, real))
            return real;
        break;
    case TFieldType::ftBlob:
        if (text.size() % 2 == 0) {
            std::string bytes;
            for (std::size_t i = 0; i < text.size(); i += 2) {
                const int high = HexValue(text[i]);
                const int low = HexValue(text[i + 1]);
                if (high < 0 || low < 0)
                    return std::string(text);
                bytes += static_cast<char>(high * 16 + low);
            }
            return bytes;
        }
        break;
    default:
        break;
    }
    return std::string(text);
}

} // namespace ado
