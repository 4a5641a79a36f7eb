#include "controls/panel/LuGroupBox.h"

#include "controls/common/LuBorders.h"
#include "controls/common/LuCanvasText.h"
#include "controls/common/LuGrafx.h"
#include "platform/gdi/Gdi.h"

namespace lu {

using framework::TMessage;

const framework::TEnumInfo GroupBoxStyleInfo{"TLuGroupBoxStyle",
                                             {"gsStandard", "gsCustom", "gsTopLine", "gsFlat"}};

TLuCustomGroupBox::TLuCustomGroupBox(framework::TComponent* owner) : TLuCustomPanel(owner) {
    SetBorderOuterSilently(fsNone);
    SetBorderInnerSilently(fsNone);
    SetAlignment(framework::taLeftJustify);
    SetAlignmentVerticalSilently(avTop);
    SetInitialSize(Width(), 105);
    SetControlStyle(ControlStyle() +
                    framework::TControlStyle{framework::csSetCaption, framework::csDoubleClicks});
}

void TLuCustomGroupBox::SetGroupStyle(TLuGroupBoxStyle value) {
    if (value == m_groupStyle)
        return;
    m_groupStyle = value;
    if (value == gsCustom || value == gsTopLine)
        SetThemeAwareSilently(false);
    // The caption takes another height off the client area in the custom style.
    Realign();
    Invalidate();
}

void TLuCustomGroupBox::AdjustClientRect(TRect& rect) {
    TLuCustomPanel::AdjustClientRect(rect);
    const int h = FontTextExtent(Font(), "Yy").cy;
    if (m_groupStyle == gsCustom) {
        rect.top += h;
        gdi::InflateRect(&rect, -2, -2);
        return;
    }
    const int a = h / 2 - 1;
    rect.top += a < BorderWidth() ? a : h - BorderWidth();
    const int inset = m_groupStyle == gsStandard ? 2 : 1;
    gdi::InflateRect(&rect, -inset, -inset);
}

TRect TLuCustomGroupBox::CaptionRect(TCanvas* canvas) const {
    if (Caption().empty() || m_groupStyle == gsCustom)
        return TRect{0, 0, 0, 0};
    const framework::TSize size = canvas->TextExtent(Caption());
    const int offset = m_groupStyle == gsTopLine ? 0 : 8;
    if (UseRightToLeftReading())
        return TRect{Width() - offset - size.cx, 0, Width() - offset, size.cy};
    return TRect{offset, 0, offset + size.cx, size.cy};
}

void TLuCustomGroupBox::Paint() {
    const bool themed = ThemeAware() && gdi::GetThemeServices().ThemesEnabled();
    if (!themed && m_groupStyle == gsCustom) {
        TLuCustomPanel::Paint();
        return;
    }
    PaintOffScreen([this, themed](TCanvas* canvas) {
        canvas->Font()->Assign(Font());
        const int frameTop = canvas->TextHeight("Pp") / 2 - 1;
        const TRect captionRect = CaptionRect(canvas);
        if (themed) {
            PaintThemed(canvas, captionRect, frameTop);
            return;
        }
        gdi::HDC dc = canvas->Handle();
        if (Transparent()) {
            gdi::ExcludeClipRect(dc, captionRect.left, captionRect.top, captionRect.right,
                                 captionRect.bottom);
        } else {
            canvas->Brush()->SetStyle(framework::bsSolid);
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(TRect{0, 0, Width(), Height()});
        }
        PaintFrame(canvas, TRect{0, frameTop, Width(), Height()});
        PaintCaption(canvas, captionRect);
    });
}

void TLuCustomGroupBox::PaintThemed(TCanvas* canvas, const TRect& captionRect, int frameTop) {
    gdi::ThemeServices& themes = gdi::GetThemeServices();
    const gdi::ThemedElementDetails element{"BUTTON", gdi::BP_GROUPBOX,
                                            Enabled() ? gdi::GBS_NORMAL : gdi::GBS_DISABLED};
    if (!Transparent())
        PaintParentBackground(this, canvas, false);
    gdi::HDC dc = canvas->Handle();
    gdi::ExcludeClipRect(dc, captionRect.left, captionRect.top, captionRect.right, captionRect.bottom);
    themes.DrawElement(dc, element, TRect{0, frameTop, Width(), Height()});
    gdi::SelectClipRgn(dc, nullptr);
    if (Caption().empty() || m_groupStyle == gsCustom)
        return;
    canvas->TextExtent(std::string()); // the canvas selects its font for the theme's text
    themes.DrawText(dc, element, Caption(), captionRect,
                    gdi::DT_SINGLELINE | (UseRightToLeftReading() ? gdi::DT_RTLREADING : 0u));
}

void TLuCustomGroupBox::PaintFrame(TCanvas* canvas, const TRect& R) {
    const TColor c = FlatShade();
    const TFrameStyle outer = BorderOuter();
    auto line = [canvas, c](int x0, int y0, int x1, int y1) {
        canvas->Pen()->SetColor(c);
        canvas->MoveTo(x0, y0);
        canvas->LineTo(x1, y1);
    };
    switch (m_groupStyle) {
    case gsStandard:
        if (outer == fsNone)
            PaintBorderSides(canvas, R, fsGroove, sdAllSides);
        else if (outer == fsFlat || outer == fsFlatBold)
            PaintBevel(canvas, R, c, c, outer == fsFlat ? 1 : 2, sdAllSides);
        else
            PaintBorderSides(canvas, R, outer, sdAllSides);
        break;
    case gsTopLine:
        if (outer == fsNone) {
            PaintBorderSides(canvas, R, fsGroove, TSides{sdTop});
        } else if (outer == fsFlat || outer == fsFlatBold) {
            line(R.left + 2, R.top, R.right - 2, R.top);
            if (outer == fsFlatBold)
                line(R.left + 2, R.top + 1, R.right - 2, R.top + 1);
        } else {
            PaintBorderSides(canvas, R, outer, TSides{sdTop});
        }
        break;
    case gsFlat:
        line(R.left, R.top + 2, R.left, R.bottom - 2);
        line(R.left + 2, R.top, R.right - 2, R.top);
        line(R.right - 1, R.top + 2, R.right - 1, R.bottom - 2);
        line(R.left + 2, R.bottom - 1, R.right - 2, R.bottom - 1);
        canvas->SetPixels(R.left + 1, R.top + 1, c);
        canvas->SetPixels(R.right - 2, R.top + 1, c);
        canvas->SetPixels(R.right - 2, R.bottom - 2, c);
        canvas->SetPixels(R.left + 1, R.bottom - 2, c);
        break;
    case gsCustom:
        break;
    }
}

void TLuCustomGroupBox::PaintCaption(TCanvas* canvas, const TRect& captionRect) {
    gdi::HDC dc = canvas->Handle();
    if (Caption().empty() || m_groupStyle == gsCustom) {
        gdi::SelectClipRgn(dc, nullptr);
        return;
    }
    if (!Transparent())
        canvas->FillRect(captionRect);
    canvas->Brush()->SetStyle(framework::bsClear);
    const unsigned flags = gdi::DT_SINGLELINE | (UseRightToLeftReading() ? gdi::DT_RTLREADING : 0u);
    if (!Enabled()) {
        TRect shadow = captionRect;
        gdi::OffsetRect(&shadow, 1, 1);
        canvas->Font()->SetColor(gdi::clBtnHighlight);
        DrawCanvasText(canvas, Caption(), shadow, flags);
        canvas->Font()->SetColor(gdi::clBtnShadow);
    }
    gdi::SelectClipRgn(dc, nullptr);
    TRect r = captionRect;
    DrawCanvasText(canvas, Caption(), r, flags);
    canvas->Brush()->SetStyle(framework::bsSolid);
}

void TLuCustomGroupBox::CMDialogChar(TMessage& m) {
    if (framework::IsAccel(static_cast<char32_t>(m.WParam), Caption()) && CanFocus()) {
        SelectFirst();
        m.Result = 1;
        return;
    }
    TLuCustomPanel::CMDialogChar(m);
}

void TLuCustomGroupBox::CMFontChanged(TMessage& m) {
    TLuCustomPanel::CMFontChanged(m);
    // The frame and the client area hang on the text height.
    Realign();
    Invalidate();
}

namespace {

using G = TLuGroupBox;

[[maybe_unused]] const auto registerCustomGroupBox =
    framework::RegisterClass<TLuCustomGroupBox, TLuCustomPanel>("TLuCustomGroupBox");

[[maybe_unused]] const auto registerGroupBox =
    framework::RegisterClass<G, TLuCustomGroupBox>("TLuGroupBox")
        .Enum("Alignment", &G::Alignment, &G::SetAlignment, framework::AlignmentInfo,
              std::optional<framework::TAlignment>(framework::taLeftJustify))
        .Enum("BorderOuter", &G::BorderOuter, &G::SetBorderOuter, FrameStyleInfo,
              std::optional<TFrameStyle>(fsNone))
        .Enum("GroupStyle", &G::GroupStyle, &G::SetGroupStyle, GroupBoxStyleInfo,
              std::optional<TLuGroupBoxStyle>(gsFlat))
        .Boolean("ThemeAware", &G::ThemeAware, &G::SetThemeAware, true);

} // namespace

} // namespace lu
