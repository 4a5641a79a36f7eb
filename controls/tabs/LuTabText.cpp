// Caption fonts in the buffer's drawing context, and caption sizes.
#include "controls/tabs/LuCustomTabControl.h"
#include "controls/tabs/LuTabCaption.h"
#include "controls/tabs/LuTabResStrings.h"

#include "controls/common/LuFonts.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <utility>

namespace lu {

void TLuCustomTabControl::SelectTabFont() const {
    gdi::HDC dc = m_tabBuffer->Canvas()->Handle();
    int angle = 0;
    if (m_textOrientation == orVertical)
        angle = m_tabOrientation == toRight ? 270 : 90;
    gdi::HFONT font = CreateAngledFont(m_tabFont.get(), angle);
    const int level = gdi::SaveDC(dc);
    if (level == 0) {
        gdi::DeleteObject(font);
        framework::RaiseResString(SSaveDCError);
    }
    m_fontStack.push_back(TSelectedFont{font, level});
    gdi::SelectObject(dc, font);
}

void TLuCustomTabControl::RestoreTabFont() const {
    // Back to the very state saved with the font, also when a state saved later was left behind.
    TSelectedFont selected{nullptr, -1};
    if (!m_fontStack.empty()) {
        selected = m_fontStack.back();
        m_fontStack.pop_back();
    }
    const bool restored = RestoreBufferTo(selected.savedLevel);
    if (selected.font != nullptr)
        gdi::DeleteObject(selected.font);
    if (!restored)
        framework::RaiseResString(SRestoreDCError);
}

TSize TLuCustomTabControl::MeasureText(const std::string& text, bool horizontal) const {
    SplitCaptionLines(text, m_measureLines);
    gdi::HDC dc = m_tabBuffer->Canvas()->Handle();
    TSize total{};
    for (int i = 0; i < m_measureLines.Count(); ++i) {
        const std::string line = ShownCaptionLine(m_measureLines.Strings(i));
        TSize size{};
        if (!line.empty() && !gdi::GetTextExtentPoint32(dc, line, &size))
            size = TSize{};
        if (horizontal) {
            total.cx = std::max(total.cx, size.cx);
            total.cy += size.cy;
        } else {
            std::swap(size.cx, size.cy);
            total.cx += size.cx;
            total.cy = std::max(total.cy, size.cy);
        }
    }
    return total;
}

} // namespace lu
