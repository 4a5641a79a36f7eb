#include "platform/framework/PixelText.h"

#include "platform/framework/Graphics.h"
#include "platform/rtl/Text.h"

#include <array>
#include <charconv>
#include <optional>
#include <vector>

namespace framework {

namespace {

bool IsKeyCharacter(char c) {
    return c > ' ' && c < 127 && c != ';' && c != '=';
}

class TPixelTextParser {
public:
    TPixelTextParser(std::string_view text, const std::string& what) : m_text(text), m_what(what) {}

    gdi::HBITMAP Parse() {
        int number = 0;
        std::size_t start = 0;
        while (start <= m_text.size()) {
            std::size_t end = m_text.find('\n', start);
            std::string line =
                rtl::TrimRight(m_text.substr(start, end == std::string_view::npos ? end : end - start));
            ++number;
            if (!line.empty() && line.front() != ';')
                ReadLine(line, number);
            if (end == std::string_view::npos)
                break;
            start = end + 1;
        }
        if (m_rows.empty())
            Fail(number, "no rows of pixels");
        return MakeBitmap();
    }

private:
    void ReadLine(std::string_view line, int number) {
        std::size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            ReadKey(line, equals, number);
        else
            ReadRow(line, number);
    }

    void ReadKey(std::string_view line, std::size_t equals, int number) {
        if (!m_rows.empty())
            Fail(number, "a key after the first row");
        std::string key = rtl::Trim(line.substr(0, equals));
        std::string value = rtl::Trim(line.substr(equals + 1));
        if (key.size() != 1 || !IsKeyCharacter(key.front()))
            Fail(number, "a key is one character other than ';' and '='");
        auto& slot = m_colors[static_cast<unsigned char>(key.front())];
        if (slot)
            Fail(number, "key " + key + " is defined twice");
        std::uint32_t rgb = 0;
        auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), rgb, 16);
        if (value.size() != 6 || error != std::errc() || end != value.data() + value.size())
            Fail(number, "a colour is six hexadecimal digits RRGGBB");
        slot = gdi::RGB(int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF));
    }

    void ReadRow(std::string_view line, int number) {
        if (!m_rows.empty() && line.size() != m_rows.front().size())
            Fail(number, "the row has " + std::to_string(line.size()) + " pixels, the first row " +
                             std::to_string(m_rows.front().size()));
        for (char c : line)
            if (!IsKeyCharacter(c) || !m_colors[static_cast<unsigned char>(c)])
                Fail(number, std::string("no key for '") + c + "'");
        m_rows.emplace_back(line);
    }

    gdi::HBITMAP MakeBitmap() const {
        gdi::HBITMAP bitmap =
            gdi::CreateBitmap(int(m_rows.front().size()), int(m_rows.size()), 1, 32, nullptr);
        for (std::size_t y = 0; y < m_rows.size(); ++y) {
            std::uint32_t* row = bitmap->surface.Row(int(y));
            for (std::size_t x = 0; x < m_rows[y].size(); ++x)
                row[x] = *m_colors[static_cast<unsigned char>(m_rows[y][x])];
        }
        return bitmap;
    }

    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw EInvalidGraphic(m_what + "(" + std::to_string(line) + "): " + message);
    }

    std::string_view m_text;
    const std::string& m_what;
    std::array<std::optional<gdi::COLORREF>, 128> m_colors{};
    std::vector<std::string> m_rows;
};

} // namespace

gdi::HBITMAP ParsePixelText(std::string_view text, const std::string& what) {
    return TPixelTextParser(text, what).Parse();
}

} // namespace framework
