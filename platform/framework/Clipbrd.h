#pragma once

#include <string>

namespace framework {

constexpr int CF_TEXT = 1;

// The process's clipboard; only text is kept.
class TClipboard {
public:
    std::string AsText() const { return m_text; }
    void SetAsText(const std::string& text);
    bool HasFormat(int format) const { return format == CF_TEXT && m_hasText; }
    void Clear();

private:
    std::string m_text;
    bool m_hasText = false;
};

TClipboard& Clipboard();

} // namespace framework
