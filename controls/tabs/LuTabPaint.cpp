// The painting pass: everything is drawn into TabBuffer, back to front, and copied to the screen
// in one transfer, so that the control never flickers.
#include "controls/tabs/LuCustomTabControl.h"
#include "controls/tabs/LuTabCaption.h"
#include "controls/tabs/LuTabFontScope.h"
#include "controls/tabs/LuTabResStrings.h"

#include "controls/common/LuColorMath.h"
#include "controls/common/LuGrafx.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <memory>

namespace lu {

void TLuCustomTabControl::FillSolid(const TRect& rect, TColor color) {
    gdi::HBRUSH brush = gdi::CreateSolidBrush(gdi::ColorToRGB(color));
    gdi::FillRect(m_tabBuffer->Canvas()->Handle(), &rect, brush);
    gdi::DeleteObject(brush);
}

bool TLuCustomTabControl::RestoreBufferTo(int level) const {
    const bool restored = gdi::RestoreDC(m_tabBuffer->Canvas()->Handle(), level);
    if (level < 1)
        return restored;
    if (!restored && (m_strandedLevel == 0 || level < m_strandedLevel))
        m_strandedLevel = level;
    else if (restored && m_strandedLevel >= level)
        m_strandedLevel = 0;
    return restored;
}

void TLuCustomTabControl::RestoreStrandedLevel() {
    if (m_strandedLevel != 0 && RestoreBufferTo(m_strandedLevel))
        m_tabBuffer->Canvas()->Refresh();
}

void TLuCustomTabControl::Paint() {
    m_paintedOnce = true;
    RestoreStrandedLevel();
    LayoutIfPending();
    if (m_tabBuffer->Width() != Width() || m_tabBuffer->Height() != Height())
        m_tabBuffer->SetSize(Width(), Height());
    TCanvas* canvas = m_tabBuffer->Canvas();
    canvas->Brush()->SetHandle(static_cast<gdi::HBRUSH>(gdi::GetStockObject(gdi::BLACK_BRUSH)));
    TRect whole = GetBoundsRect();
    ++whole.right;
    ++whole.bottom;
    bool handled = false;
    DoPaintBackground(canvas, whole, handled);
    if (!handled) {
        if (m_transparent)
            PaintParentBackground(this, canvas, false);
        else
            FillSolid(whole, m_backgroundColor);
    }
    PlaceCloseButton();
    PlaceScroller();
    PaintTabs();
    const TRect client = ClientRect();
    Canvas()->CopyRect(client, canvas, client);
    // The shadow is left out of one hot-track repaint only.
    m_hotRepaintOnly = false;
}

void TLuCustomTabControl::PaintTabs() {
    const int count = m_tabs->Count();
    if (count > 0) {
        int front = 0;
        for (int i = 0; i < count; ++i)
            if (m_tabs->Items(i)->Visible() && m_tabs->Items(i)->Row() == 0) {
                front = i;
                break;
            }
        // Every index once, downward from just before the first front-row tab, which comes last.
        const int start = front == 0 ? count - 1 : front - 1;
        int row = m_rowCount - 1;
        for (int k = 0; k < count; ++k) {
            const int i = (start - k + count) % count;
            const TLuTabData* tab = m_tabs->Items(i);
            if (!tab->Visible() || !IsTabFullyShown(i) || i < m_firstShownTab || i == m_tabIndex)
                continue;
            if (row > tab->Row() && row > 0) {
                PaintCard(row);
                row = tab->Row();
            }
            PaintTab(i);
        }
        if (row == 1)
            PaintCard(1);
    }
    // The current tab lies over its neighbours.
    if (m_tabIndex >= 0 && m_tabIndex >= m_firstShownTab && IsTabFullyShown(m_tabIndex))
        PaintTab(m_tabIndex);
    PaintCard(0);
}

void TLuCustomTabControl::PaintTab(int index) {
    TCanvas* canvas = m_tabBuffer->Canvas();
    const TRect r = GetTabRect(index);
    const TRect clip = canvas->ClipRect();
    TRect common;
    if (!gdi::IntersectRect(&common, &r, &clip))
        return;
    if (gdi::HRGN region = GetTabRegion(index, r)) {
        gdi::HDC dc = canvas->Handle();
        // Restored to this very level: a caption that failed may have left states above it.
        const int level = gdi::SaveDC(dc);
        if (level == 0)
            framework::RaiseResString(SSaveDCError);
        try {
            gdi::SelectClipRgn(dc, region);
            PaintTabBackground(index, r);
            PaintTabContents(index, r);
        } catch (...) {
            RestoreBufferTo(level);
            canvas->Refresh();
            throw;
        }
        const bool restored = RestoreBufferTo(level);
        // The context's objects went back with its state.
        canvas->Refresh();
        if (!restored)
            framework::RaiseResString(SRestoreDCError);
    }
    PaintTabOutline(index);
}

void TLuCustomTabControl::PaintTabBackground(int index, const TRect& rect) {
    TCanvas* canvas = m_tabBuffer->Canvas();
    bool handled = false;
    DoPaintTabBackground(canvas, index, rect, handled);
    if (handled)
        return;
    const TLuTabData* tab = m_tabs->Items(index);
    TColor selected = Color();
    TColor nearColor = m_tabColors->Unselected();
    TColor farColor = m_tabColors->Shadow();
    if (m_useColoredTabs) {
        selected = nearColor = tab->Color();
        farColor = DarkenColor(tab->Color(), 30);
    }
    if (index == m_tabIndex) {
        FillSolid(rect, selected);
    } else if (m_useGradients && HasFullColorDisplay()) {
        // The near colour lies at the tab's outer edge, the far one at its card.
        switch (m_tabOrientation) {
        case toTop:
            PaintGradient(canvas, rect, orVertical, nearColor, farColor, 1);
            break;
        case toBottom:
            PaintGradient(canvas, rect, orVertical, farColor, nearColor, 1);
            break;
        case toLeft:
            PaintGradient(canvas, rect, orHorizontal, nearColor, farColor, 1);
            break;
        case toRight:
            PaintGradient(canvas, rect, orHorizontal, farColor, nearColor, 1);
            break;
        }
    } else {
        FillSolid(rect, nearColor);
    }
}

void TLuCustomTabControl::DrawTabImage(const TLuTabData& tab, TRect imageRect, TSize imageSize) {
    if (m_imagePosition != ipStretch) {
        int dx = 0;
        if (m_imageAlignment == haCenter)
            dx = (imageRect.Width() - imageSize.cx) / 2;
        else if (m_imageAlignment == haRight)
            dx = imageRect.Width() - imageSize.cx;
        int dy = 0;
        if (m_imageAlignmentVertical == vaCenter)
            dy = (imageRect.Height() - imageSize.cy) / 2;
        else if (m_imageAlignmentVertical == vaBottom)
            dy = imageRect.Height() - imageSize.cy;
        gdi::OffsetRect(&imageRect, dx, dy);
    }
    TCanvas* canvas = m_tabBuffer->Canvas();
    if (tab.DisabledIndex() == -1)
        m_images->Draw(canvas, imageRect.left, imageRect.top, tab.ImageIndex(), tab.Enabled());
    else if (!tab.Enabled())
        m_images->Draw(canvas, imageRect.left, imageRect.top, tab.DisabledIndex());
    else if (tab.ImageIndex() != -1)
        m_images->Draw(canvas, imageRect.left, imageRect.top, tab.ImageIndex());
}

void TLuCustomTabControl::PaintTabContents(int index, const TRect& rect) {
    const TLuTabData& tab = *m_tabs->Items(index);
    const TRect content = GetContentRect(rect);
    const bool hasImage = m_images != nullptr && tab.ImageIndex() != -1;
    const TSize image = hasImage ? GetImageSize(tab.ImageIndex()) : TSize{};
    const int margin = tab.ImageIndex() == -1 ? 0 : m_imageMargin;
    TRect text = content;
    TRect imageRect = content;
    switch (m_imagePosition) {
    case ipLeft:
        text.left += image.cx + margin;
        imageRect.right = imageRect.left + image.cx;
        break;
    case ipTop:
        text.top += image.cy + margin;
        imageRect.bottom = imageRect.top + image.cy;
        break;
    case ipRight:
        text.right -= image.cx + margin;
        imageRect.left = imageRect.right - image.cx;
        break;
    case ipBottom:
        text.bottom -= image.cy + margin;
        imageRect.top = imageRect.bottom - image.cy;
        break;
    case ipBack:
    case ipStretch:
        break;
    }
    if (hasImage)
        DrawTabImage(tab, imageRect, image);
    m_paintIndex = index;
    m_textRect = text;
    bool disabled = false;
    const TColor color = CaptionColor(index, disabled);
    if (!tab.Caption().empty())
        DrawCaption(color, 0);
    if (m_showFocusRect && index == m_tabIndex && Focused())
        DrawFocusRectangle(text);
}

// The caption's colour for the tab's state, asked of OnGetTextColor. A disabled caption is drawn
// twice: first embossed one pixel right and down here, then in the colour answered.
TColor TLuCustomTabControl::CaptionColor(int index, bool& disabled) {
    const TLuTabData& tab = *m_tabs->Items(index);
    bool handled = false;
    TColor color = m_textColors->Unselected();
    disabled = !tab.Enabled();
    if (disabled) {
        color = m_textColors->DisabledHighlight();
        DoGetTextColor(index, tsDisabledHighlight, color, handled);
        if (!tab.Caption().empty())
            DrawCaption(color, 1);
        handled = false;
        color = m_textColors->DisabledShadow();
        DoGetTextColor(index, tsDisabledShadow, color, handled);
    } else if (m_hotTrack && m_hotTab == index) {
        color = m_hotTrackStyle == htsText ? m_hotTrackColor : m_textColors->Selected();
        DoGetTextColor(index, tsHotTrack, color, handled);
        if (m_hotTrackStyle == htsTab)
            DrawHighlightBar(true);
    } else if (index == m_tabIndex) {
        color = m_textColors->Selected();
        DoGetTextColor(index, tsSelected, color, handled);
        if (m_hotTrack && m_hotTrackStyle == htsTab)
            DrawHighlightBar(false);
    } else {
        DoGetTextColor(index, tsUnselected, color, handled);
    }
    return color;
}

void TLuCustomTabControl::DrawFocusRectangle(TRect r) {
    gdi::InflateRect(&r, 1, 0);
    if (m_tabStyle == tsRoundCorners) {
        switch (m_tabOrientation) {
        case toTop:
            r.top += 1;
            break;
        case toLeft:
            r.left += 2;
            break;
        case toBottom:
            r.bottom -= 1;
            break;
        case toRight:
            r.right -= 2;
            break;
        }
    }
    m_tabBuffer->Canvas()->DrawFocusRect(r);
}

void TLuCustomTabControl::DrawHighlightBar(bool hot) {
    TCanvas* canvas = m_tabBuffer->Canvas();
    TRect bar = GetTabRect(m_paintIndex);
    gdi::InflateRect(&bar, 1, 1);
    const TColor saved = canvas->Brush()->Color();
    if (!hot) {
        canvas->Brush()->SetColor(m_tabColors->HighlightBar());
    } else if (m_hotTrackColorType == htctActual) {
        canvas->Brush()->SetColor(m_hotTrackColor);
    } else {
        // The hot colour's complement: its hue turned by half a circle.
        const int hue = HueOfColor(m_hotTrackColor);
        const int turned = hue < 120 ? hue + 120 : hue - 120;
        canvas->Brush()->SetColor(HslToColorValue(static_cast<std::uint8_t>(turned), 240, 140));
    }
    switch (m_tabOrientation) {
    case toTop:
        bar.bottom = bar.top + 6;
        break;
    case toLeft:
        bar.right = bar.left + 6;
        break;
    case toBottom:
        bar.top = bar.bottom - 4;
        break;
    case toRight:
        bar.left = bar.right - 4;
        break;
    }
    canvas->Pen()->SetStyle(framework::psClear);
    canvas->Rectangle(bar);
    canvas->Pen()->SetStyle(framework::psSolid);
    canvas->Brush()->SetColor(saved);
}

void TLuCustomTabControl::DrawCaption(TColor color, int offset) {
    const TLuTabData& tab = *m_tabs->Items(m_paintIndex);
    const framework::TFontStyles style = m_tabFont->Style();
    if (m_paintIndex == m_tabIndex && m_boldCurrentTab)
        m_tabFont->SetStyle(style + framework::TFontStyles{framework::fsBold});
    try {
        TLuTabFontScope font(*this);
        const bool horizontal = m_textOrientation == orHorizontal;
        TRect x = m_textRect;
        const TSize size = MeasureText(tab.Caption(), horizontal);
        if (horizontal) {
            if (m_textAlignmentVertical == vaCenter) {
                const int d = (x.Height() - size.cy) / 2;
                x.top += d;
                x.bottom -= d;
            } else if (m_textAlignmentVertical == vaBottom) {
                x.top = x.bottom - size.cy;
            }
        } else if (m_tabOrientation == toRight) {
            if (m_textAlignment == haLeft) {
                x.right = x.left + size.cx;
            } else if (m_textAlignment == haCenter) {
                const int d = (x.Width() - size.cx) / 2;
                x.left += d;
                x.right -= d;
            }
        } else {
            if (m_textAlignment == haRight) {
                x.left = x.right - size.cx;
            } else if (m_textAlignment == haCenter) {
                const int d = (x.Width() - size.cx) / 2;
                x.left += d;
                x.right -= d;
            }
        }
        SplitCaptionLines(tab.Caption(), m_captionLines);
        int along = 0;
        int acrossOffset = 0;
        for (int i = 0; i < m_captionLines.Count(); ++i) {
            const std::string line = m_captionLines.Strings(i);
            const TSize lineSize = line.empty() ? TSize{} : MeasureText(line, horizontal);
            int px = 0;
            int py = 0;
            if (horizontal) {
                int d = 0;
                if (m_textAlignment == haCenter)
                    d = (x.Width() - lineSize.cx) / 2;
                else if (m_textAlignment == haRight)
                    d = x.Width() - lineSize.cx;
                px = x.left + d;
                py = x.top + acrossOffset;
                acrossOffset += lineSize.cy;
            } else if (m_tabOrientation == toRight) {
                int d = 0;
                if (m_textAlignmentVertical == vaCenter)
                    d = (x.Height() - lineSize.cy) / 2;
                else if (m_textAlignmentVertical == vaBottom)
                    d = x.Height() - lineSize.cy;
                px = x.right - along;
                py = x.top + d;
                along += lineSize.cx;
            } else {
                int d = 0;
                if (m_textAlignmentVertical == vaTop)
                    d = x.Height() - lineSize.cy;
                else if (m_textAlignmentVertical == vaCenter)
                    d = (x.Height() - lineSize.cy) / 2;
                px = x.left + along;
                py = x.bottom - d;
                along += lineSize.cx;
            }
            DrawAcceleratedText(px + offset, py + offset, line, m_tabBuffer->Canvas(), horizontal, color);
        }
        font.Restore();
    } catch (...) {
        m_tabFont->SetStyle(style);
        throw;
    }
    m_tabFont->SetStyle(style);
}

void TLuCustomTabControl::DrawAcceleratedText(int x, int y, const std::string& text, TCanvas* canvas,
                                              bool horizontal, TColor color) {
    const bool hadMark = text.find('&') != std::string::npos;
    gdi::HDC dc = canvas->Handle();
    for (const auto& [part, underlined] : SplitAcceleratedText(text)) {
        const framework::TFontStyles style = m_tabFont->Style();
        const bool addUnderline = underlined && !style.Contains(framework::fsUnderline);
        if (addUnderline)
            m_tabFont->SetStyle(style + framework::TFontStyles{framework::fsUnderline});
        try {
            TLuTabFontScope font(*this);
            gdi::SetTextColor(dc, gdi::ColorToRGB(color));
            gdi::SetBkMode(dc, gdi::TRANSPARENT);
            gdi::TextOut(dc, x, y, part);
            if (hadMark && !part.empty()) {
                const TSize size = MeasureText(part, horizontal);
                if (horizontal)
                    x += size.cx;
                else if (m_tabOrientation == toRight)
                    y += size.cy;
                else
                    y -= size.cy;
            }
            font.Restore();
        } catch (...) {
            if (addUnderline)
                m_tabFont->SetStyle(style);
            throw;
        }
        if (addUnderline)
            m_tabFont->SetStyle(style);
    }
}

void TLuCustomTabControl::PaintCard(int row) {
    TRect r = GetCardRect(row);
    if (r == TRect{})
        return;
    if (m_showCard) {
        ++r.right;
        ++r.bottom;
    }
    bool handled = false;
    DoPaintCardBackground(m_tabBuffer->Canvas(), row, r, handled);
    if (!handled) {
        if (m_useColoredTabs && m_tabIndex >= 0 && m_tabIndex < m_tabs->Count()) {
            SetColor(m_tabs->Items(m_tabIndex)->Color());
            FillSolid(r, m_tabs->Items(m_tabIndex)->Color());
        } else {
            FillSolid(r, Color());
        }
    }
    if (m_showCardFrame)
        PaintCardOutline(row);
}

void TLuCustomTabControl::PaintTabOutline(int index) {
    m_outline.clear();
    AddOutlinePoint(2, TPoint{0, index});
    BuildTabOutline(index);
    RenderOutline();
}

void TLuCustomTabControl::PaintCardOutline(int row) {
    m_outline.clear();
    AddOutlinePoint(2, TPoint{1, row});
    BuildCardOutline(row);
    RenderOutline();
}

void TLuCustomTabControl::RenderOutline() {
    TCanvas* canvas = m_tabBuffer->Canvas();
    TColor flat = AdjustColorLuminance(m_flatColor, m_flatColorAdjustment);
    // Shadows darken what lies under the control, so that they fall on the parent's background.
    std::unique_ptr<framework::TBitmap> background;
    for (std::size_t i = 0; i < m_outline.size(); i += m_outline[i] >= 2 ? 3 : 1)
        if (m_outline[i] == 5 || m_outline[i] == 6) {
            background = std::make_unique<framework::TBitmap>();
            background->SetSize(Width(), Height());
            PaintParentBackground(this, background->Canvas(), false);
            break;
        }
    TPoint pen = canvas->PenPos();
    for (std::size_t i = 0; i < m_outline.size();) {
        const int op = m_outline[i];
        if (op < 2) {
            if (op == 0)
                canvas->Pen()->SetColor(flat);
            ++i;
            continue;
        }
        const TPoint q{m_outline[i + 1], m_outline[i + 2]};
        i += 3;
        switch (op) {
        case 2:
            flat = AdjustColorLuminance(m_flatColor, m_flatColorAdjustment);
            break;
        case 3:
            canvas->MoveTo(q.x, q.y);
            pen = q;
            break;
        case 4:
            canvas->MoveTo(pen.x, pen.y);
            canvas->LineTo(q.x, q.y);
            pen = q;
            break;
        default: {
            const std::uint8_t weight = op == 5 ? 30 : 15;
            gdi::HDC dc = canvas->Handle();
            gdi::HDC under = background->Canvas()->Handle();
            auto shade = [&](int x, int y) {
                const TColor base = static_cast<TColor>(gdi::GetPixel(under, x, y));
                gdi::SetPixel(dc, x, y, gdi::ColorToRGB(MixColors(gdi::clBlack, base, weight)));
            };
            if (q.x == pen.x) {
                for (int y = std::min(pen.y, q.y); y <= std::max(pen.y, q.y); ++y)
                    shade(q.x, y);
            } else {
                const int y = q.x > pen.x ? pen.y : q.y;
                for (int x = std::min(pen.x, q.x); x <= std::max(pen.x, q.x); ++x)
                    shade(x, y);
            }
            canvas->MoveTo(q.x, q.y);
            pen = q;
            break;
        }
        }
    }
}

} // namespace lu
