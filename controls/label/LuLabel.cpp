#include "controls/label/LuLabel.h"

#include "controls/common/LuBlinkingControls.h"
#include "controls/common/LuBorders.h"
#include "controls/common/LuFonts.h"
#include "controls/common/LuOldPropReader.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lu {

using framework::TCanvas;
using framework::TMessage;
using framework::TPoint;
using framework::TRect;

const framework::TEnumInfo RotationInfo{"TRotation", {"roNone", "roFlat", "roCurve"}};
const framework::TEnumInfo CenterPointInfo{"TCenterPoint",
                                           {"cpUpperLeft", "cpUpperCenter", "cpUpperRight", "cpLeftCenter",
                                            "cpCenter", "cpRightCenter", "cpLowerLeft", "cpLowerCenter",
                                            "cpLowerRight"}};

namespace {

// Rounds halves to the even neighbour, as the default floating-point rounding mode does.
int Rnd(double value) {
    return static_cast<int>(std::lrint(value));
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// Kept in 0..359 for every value, however far below zero.
int NormalizedAngle(int value) {
    return ((value % 360) + 360) % 360;
}

} // namespace

TLuLabel::TLuLabel(framework::TComponent* owner) : framework::TLabel(owner) {
    SetControlStyle(ControlStyle() + framework::TControlStyle{framework::csOpaque});
    SetLayout(framework::tlTop);
    NeedBlinkingControls().RegisterControl(this);
}

TLuLabel::~TLuLabel() {
    if (TLuBlinkingControlsList* list = BlinkingControls()) {
        list->UnregisterControl(this);
        ReleaseBlinkListIfEmpty();
    }
}

bool TLuLabel::Loading() const {
    return ComponentState().Contains(framework::csLoading);
}

bool TLuLabel::Designing() const {
    return ComponentState().Contains(framework::csDesigning);
}

// ---- Properties

void TLuLabel::SetAngle(int value) {
    if (value == m_angle)
        return;
    m_angle = NormalizedAngle(value);
    // Only outline faces turn.
    if (!Loading() && value != 0 && !FontIsTrueType(Font()))
        Font()->SetName("Verdana");
    if (m_angle != 0 && m_rotation == roNone)
        m_rotation = roFlat;
    AdjustBounds();
    Repaint();
}

void TLuLabel::SetRotation(TRotation value) {
    if (value == m_rotation)
        return;
    if (!Loading() && value != roNone && !FontIsTrueType(Font()))
        Font()->SetName("Verdana");
    m_rotation = value;
    if (value == roNone) {
        m_angle = 0;
    } else if (value == roFlat) {
        m_angle = 0;
        m_centerPoint = cpCenter;
    }
    // A turn that ends leaves an auto-sized label with the turned size otherwise.
    AdjustBounds();
    Invalidate();
}

void TLuLabel::SetBlinking(bool value) {
    if (value == m_blinking)
        return;
    m_blinking = value;
    if (!value) {
        m_currentColor = m_fontColor;
        Repaint();
    }
}

std::uint16_t TLuLabel::BlinkIntervalOff() const {
    return NeedBlinkingControls().IntervalOff();
}

void TLuLabel::SetBlinkIntervalOff(std::uint16_t value) {
    NeedBlinkingControls().SetIntervalOff(value);
}

std::uint16_t TLuLabel::BlinkIntervalOn() const {
    return NeedBlinkingControls().IntervalOn();
}

void TLuLabel::SetBlinkIntervalOn(std::uint16_t value) {
    NeedBlinkingControls().SetIntervalOn(value);
}

void TLuLabel::SetFlyByEnabled(bool value) {
    if (value == m_flyByEnabled)
        return;
    m_flyByEnabled = value;
    if (!value && m_flyByShown) {
        m_flyByShown = false;
        Font()->SetColor(m_flyBySavedColor);
    }
    Invalidate();
}

namespace {

template <class T> bool Change(T& field, T value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

void TLuLabel::SetBlinkColor(TColor value) {
    if (Change(m_blinkColor, value))
        Invalidate();
}

void TLuLabel::SetBevelWidth(int value) {
    if (value >= 0 && Change(m_bevelWidth, value))
        Invalidate();
}

void TLuLabel::SetBorderColor(TColor value) {
    if (Change(m_borderColor, value))
        Invalidate();
}

void TLuLabel::SetBorderInner(TFrameStyle value) {
    if (Change(m_borderInner, value))
        Invalidate();
}

void TLuLabel::SetBorderOuter(TFrameStyle value) {
    if (Change(m_borderOuter, value))
        Invalidate();
}

void TLuLabel::SetBorderSides(TSides value) {
    if (Change(m_borderSides, value))
        Invalidate();
}

void TLuLabel::SetBorderHighlight(TColor value) {
    if (Change(m_borderHighlight, value))
        Invalidate();
}

void TLuLabel::SetBorderShadow(TColor value) {
    if (Change(m_borderShadow, value))
        Invalidate();
}

void TLuLabel::SetBorderWidth(int value) {
    if (value >= 0 && Change(m_borderWidth, value))
        Invalidate();
}

void TLuLabel::SetFlatColor(TColor value) {
    if (Change(m_flatColor, value))
        Invalidate();
}

void TLuLabel::SetCenterPoint(TCenterPoint value) {
    if (Change(m_centerPoint, value))
        Invalidate();
}

void TLuLabel::SetFlyByColor(TColor value) {
    if (Change(m_flyByColor, value))
        Invalidate();
}

void TLuLabel::SetLightTextStyle(bool value) {
    if (Change(m_lightTextStyle, value))
        Invalidate();
}

void TLuLabel::SetTextStyle(TTextStyle value) {
    if (Change(m_textStyle, value))
        Invalidate();
}

void TLuLabel::SetHighlightColor(TColor value) {
    if (Change(m_highlightColor, value))
        Invalidate();
}

void TLuLabel::SetShadowColor(TColor value) {
    if (Change(m_shadowColor, value))
        Invalidate();
}

void TLuLabel::SetShadowDepth(int value) {
    if (value >= 0 && Change(m_shadowDepth, value))
        Invalidate();
}

// ---- Messages and life cycle

void TLuLabel::Loaded() {
    framework::TLabel::Loaded();
    if (m_rotation == roNone && m_angle != 0)
        m_rotation = roFlat;
    if (m_rotation != roNone && !FontIsTrueType(Font()))
        Font()->SetName("Verdana");
    m_fontColor = m_currentColor = Font()->Color();
    if (Designing())
        Repaint();
}

void TLuLabel::DefineProperties(framework::TFiler& filer) {
    framework::TLabel::DefineProperties(filer);
    filer.DefineProperty("FrameSides", &TLuOldPropReader::SkipSetValue);
}

void TLuLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case win::CM_FONTCHANGED:
        framework::TLabel::WndProc(m);
        CMFontChanged();
        return;
    case win::CM_TEXTCHANGED:
        framework::TLabel::WndProc(m);
        Repaint();
        return;
    case win::CM_MOUSEENTER:
        framework::TLabel::WndProc(m);
        CMMouseEnter();
        return;
    case win::CM_MOUSELEAVE:
        framework::TLabel::WndProc(m);
        CMMouseLeave();
        return;
    case win::CM_BLINKQUERY:
        framework::TLabel::WndProc(m);
        m.Result = m_blinking ? 1 : 0;
        return;
    case win::CM_BLINKSTATE:
        framework::TLabel::WndProc(m);
        if (m_blinking)
            ApplyBlinkState((m.WParam & 0xFF) != 0);
        return;
    default:
        framework::TLabel::WndProc(m);
    }
}

void TLuLabel::CMFontChanged() {
    if (Loading())
        return;
    // While blinking the phase owns the current colour.
    if (!m_blinking)
        m_fontColor = m_currentColor = Font()->Color();
    if (m_angle != 0 && !FontIsTrueType(Font()))
        m_angle = 0;
}

void TLuLabel::CMMouseEnter() {
    if (Designing())
        return;
    if (m_flyByEnabled) {
        m_flyBySavedColor = Font()->Color();
        m_flyByShown = true;
        Font()->SetColor(m_flyByColor);
    }
    MouseEnter();
}

void TLuLabel::CMMouseLeave() {
    if (m_flyByEnabled && m_flyByShown) {
        m_flyByShown = false;
        Font()->SetColor(m_flyBySavedColor);
    }
    MouseLeave();
}

void TLuLabel::MouseEnter() {
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TLuLabel::MouseLeave() {
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TLuLabel::ApplyBlinkState(bool on) {
    m_currentColor = on ? m_blinkColor : m_fontColor;
    Refresh();
}

// ---- Borders and size

int TLuLabel::BorderExtent(TFrameStyle style) const {
    switch (style) {
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return m_bevelWidth;
    case fsNone:
        return 0;
    default:
        // The bold flat frame is two rings wide like the etched and 3D ones.
        return 2;
    }
}

void TLuLabel::AdjustRectByBorders(TRect& rect, bool includeBorderWidth) {
    if (includeBorderWidth)
        gdi::InflateRect(&rect, -m_borderWidth, -m_borderWidth);
    for (int extent : {BorderExtent(m_borderOuter), BorderExtent(m_borderInner)}) {
        if (m_borderSides.Contains(sdLeft))
            rect.left += extent;
        if (m_borderSides.Contains(sdTop))
            rect.top += extent;
        if (m_borderSides.Contains(sdRight))
            rect.right -= extent;
        if (m_borderSides.Contains(sdBottom))
            rect.bottom -= extent;
    }
}

void TLuLabel::AddBorderExtent(TRect& rect) {
    const int horizontalSides = int(m_borderSides.Contains(sdLeft)) + int(m_borderSides.Contains(sdRight));
    const int verticalSides = int(m_borderSides.Contains(sdTop)) + int(m_borderSides.Contains(sdBottom));
    for (int extent : {BorderExtent(m_borderOuter), BorderExtent(m_borderInner)}) {
        rect.right += extent * horizontalSides;
        rect.bottom += extent * verticalSides;
    }
    // The text keeps BorderWidth off all four edges, whichever sides show the band.
    rect.right += 2 * m_borderWidth;
    rect.bottom += 2 * m_borderWidth;
    if (m_rotation == roNone && m_textStyle == tsShadow) {
        rect.right += m_shadowDepth;
        rect.bottom += m_shadowDepth;
    }
    if (TurnsItsBox()) {
        if (m_textStyle == tsShadow) {
            rect.right += m_shadowDepth / 2;
            rect.bottom += m_shadowDepth / 2;
        }
        // The box round the turned extent. Turned by more than a right angle, the box is that of
        // the turn beyond the right angle with width and height exchanged.
        const double w = rect.right;
        const double h = rect.bottom;
        const double phi = Radians(m_angle % 180);
        const double cosPhi = std::fabs(std::cos(phi));
        const double sinPhi = std::sin(phi);
        rect.right = Rnd(w * cosPhi + h * sinPhi);
        rect.bottom = Rnd(w * sinPhi + h * cosPhi);
    }
}

bool TLuLabel::TurnsItsBox() const {
    return m_rotation == roFlat && m_angle != 0 && m_angle != 180;
}

void TLuLabel::AdjustBounds() {
    if (ComponentState().Contains(framework::csReading) || !AutoSize())
        return;
    TRect rect = ClientRect();
    // Turned text is drawn as one line. Wrapped in the turned box, its lines would change with
    // every box they give.
    const bool wraps = WordWrap() && !TurnsItsBox();
    // Wrapped text is measured in the width the border extent leaves, which the extent then
    // gives back: the next adjustment finds the same lines instead of a wider label each time.
    if (wraps) {
        TRect room{0, 0, 0, 0};
        AddBorderExtent(room);
        rect.right = std::max(rect.left, rect.right - room.right);
    }
    MeasureText(rect, gdi::DT_EXPANDTABS | (wraps ? gdi::DT_WORDBREAK : 0u));
    AddBorderExtent(rect);
    framework::TAlignment alignment = Alignment();
    if (UseRightToLeftAlignment() && alignment != framework::taCenter)
        alignment =
            alignment == framework::taLeftJustify ? framework::taRightJustify : framework::taLeftJustify;
    int x = Left();
    // The right edge stays where it is.
    if (alignment == framework::taRightJustify)
        x += Width() - rect.right;
    SetBounds(x, Top(), rect.right, rect.bottom);
}

// ---- Painting

TRect TLuLabel::PaintBorderStyle(const TRect& rect, TFrameStyle style) {
    TCanvas* canvas = Canvas();
    switch (style) {
    case fsFlat:
        return PaintBevel(canvas, rect, m_flatColor, m_flatColor, 1, m_borderSides);
    case fsPopup:
        return PaintBevel(canvas, rect, m_borderHighlight, m_borderShadow, m_bevelWidth, m_borderSides);
    case fsStatus:
        return PaintBevel(canvas, rect, m_borderShadow, m_borderHighlight, m_bevelWidth, m_borderSides);
    default:
        return PaintBorderSides(canvas, rect, style, m_borderSides);
    }
}

void TLuLabel::Paint() {
    TCanvas* canvas = Canvas();
    TRect rect{0, 0, Width(), Height()};
    rect = PaintBorderStyle(rect, m_borderOuter);
    if (m_borderWidth > 0)
        rect = PaintBevel(canvas, rect, m_borderColor, m_borderColor, m_borderWidth, m_borderSides);
    rect = PaintBorderStyle(rect, m_borderInner);
    canvas->Brush()->SetColor(Color());
    if (!Transparent())
        canvas->FillRect(rect);
    canvas->Brush()->SetStyle(framework::bsClear);
    if (m_rotation == roCurve)
        DrawCurvedText();
    else
        DrawFlatText();
}

unsigned TLuLabel::TextFormat() const {
    unsigned format = gdi::DT_EXPANDTABS;
    switch (Alignment()) {
    case framework::taRightJustify:
        format |= gdi::DT_RIGHT;
        break;
    case framework::taCenter:
        format |= gdi::DT_CENTER;
        break;
    default:
        format |= gdi::DT_LEFT;
        break;
    }
    if (UseRightToLeftReading())
        format |= gdi::DT_RIGHT | gdi::DT_RTLREADING;
    if (WordWrap())
        format |= gdi::DT_WORDBREAK;
    if (!ShowAccelChar())
        format |= gdi::DT_NOPREFIX;
    return format;
}

// The raised and recessed layers, or the shadow, drawn under the text itself.
std::vector<TLuLabel::TTextLayer> TLuLabel::StyleLayers(int shadowOffset) const {
    std::vector<TTextLayer> layers;
    if (m_textStyle == tsRaised || m_textStyle == tsRecessed) {
        const bool raised = m_textStyle == tsRaised;
        const TColor back = raised ? m_shadowColor : m_highlightColor;
        const TColor front = raised ? m_highlightColor : m_shadowColor;
        if (!(raised && m_lightTextStyle))
            layers.push_back(TTextLayer{1, 1, back, true});
        if (!(!raised && m_lightTextStyle))
            layers.push_back(TTextLayer{-1, -1, front, true});
    } else if (m_textStyle == tsShadow) {
        layers.push_back(TTextLayer{shadowOffset, shadowOffset, m_shadowColor, false});
    }
    return layers;
}

std::vector<TLuLabel::TTextLayer> TLuLabel::FlatTextLayers() const {
    // A disabled label's text is embossed, whatever its style and colour.
    if (!Enabled())
        return {TTextLayer{1, 1, gdi::clBtnHighlight, false}, TTextLayer{0, 0, gdi::clBtnShadow, false}};
    const bool turned = m_rotation == roFlat;
    const int halfDepth = m_shadowDepth / 2;
    std::vector<TTextLayer> layers = StyleLayers(turned ? halfDepth : m_shadowDepth);
    const int mainOffset = turned && m_textStyle == tsShadow ? -halfDepth : 0;
    layers.push_back(TTextLayer{mainOffset, mainOffset, m_currentColor, false});
    return layers;
}

std::vector<TLuLabel::TTextLayer> TLuLabel::CurvedTextLayers() const {
    // The style layers stay under a disabled label's embossed characters.
    std::vector<TTextLayer> layers = StyleLayers(m_shadowDepth);
    if (Enabled()) {
        layers.push_back(TTextLayer{0, 0, m_currentColor, false});
    } else {
        layers.push_back(TTextLayer{1, 1, gdi::clBtnHighlight, false});
        layers.push_back(TTextLayer{0, 0, gdi::clBtnShadow, false});
    }
    return layers;
}

void TLuLabel::DrawFlatText() {
    TRect textRect = ClientRect();
    AdjustRectByBorders(textRect, true);
    const unsigned format = TextFormat();
    Canvas()->SetFont(Font());
    if (m_rotation == roFlat)
        DrawFlatRotatedText(textRect, format);
    else
        DrawUnrotatedText(textRect, format);
}

void TLuLabel::DrawUnrotatedText(const TRect& textRect, unsigned format) {
    TRect placed = textRect;
    PlaceVertically(placed, format);
    for (const TTextLayer& layer : FlatTextLayers()) {
        TRect r = placed;
        gdi::OffsetRect(&r, layer.dx, layer.dy);
        DrawTextIn(r, layer.color, format);
    }
}

void TLuLabel::PlaceVertically(TRect& rect, unsigned format) {
    if (Layout() != framework::tlTop) {
        TRect measured = rect;
        DrawTextIn(measured, 0, format | gdi::DT_CALCRECT);
        const int room = Height() - m_borderWidth - measured.bottom;
        gdi::OffsetRect(&rect, 0, Layout() == framework::tlBottom ? room : room / 2);
    }
    if ((format & gdi::DT_RIGHT) && m_textStyle == tsShadow)
        gdi::OffsetRect(&rect, -m_shadowDepth, 0);
    if (Layout() == framework::tlBottom && m_textStyle == tsShadow)
        gdi::OffsetRect(&rect, 0, -m_shadowDepth);
}

// The platform's text drawing in the canvas font; with DT_CALCRECT it measures into rect.
void TLuLabel::DrawTextIn(TRect& rect, TColor color, unsigned format) {
    TCanvas* canvas = Canvas();
    gdi::HDC dc = canvas->Handle();
    gdi::HGDIOBJ oldFont = gdi::SelectObject(dc, canvas->Font()->Handle());
    gdi::SetTextColor(dc, framework::DeviceColor(color));
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::DrawText(dc, GetLabelText(), &rect, format);
    gdi::SelectObject(dc, oldFont);
}

TPoint TLuLabel::FlatRotationAnchor(const TRect& textRect, unsigned format, unsigned& align) {
    TCanvas* canvas = Canvas();
    const int cx = Width() / 2;
    const int cy = Height() / 2;
    const int th = canvas->TextHeight("Pp");
    const int tw = canvas->TextWidth(Caption());
    const double q = th / 4.0;
    const double theta = Radians(m_angle + 90);
    const int d = m_textStyle == tsShadow ? m_shadowDepth / 2 : 0;
    const int twd = tw + d;
    const int thd = th + d;
    const bool centred = format & gdi::DT_CENTER;
    const bool right = format & gdi::DT_RIGHT;
    const int L = textRect.left, T = textRect.top, R = textRect.right, B = textRect.bottom;
    // A quarter of the text height off the centre, across the baseline, so that the middle of the
    // letters and not their baseline passes through the centre.
    const int acrossX = cx - Rnd(q * std::cos(theta));
    align = gdi::TA_BASELINE;
    switch (m_angle) {
    case 0:
        align = centred ? gdi::TA_CENTER | gdi::TA_TOP : gdi::TA_LEFT | gdi::TA_TOP;
        return TPoint{centred ? cx : right ? R - tw - 2 * d : L + d, cy - thd / 2};
    case 90:
        return TPoint{acrossX, centred ? B - (B - twd) / 2 : right ? T + tw + 2 * d : B - d};
    case 180:
        return TPoint{centred ? R - (R - twd) / 2 : right ? L + twd : R - d, cy - thd / 4};
    case 270:
        return TPoint{acrossX, centred ? (B - twd) / 2 : right ? B - tw - 2 * d : T + d};
    default:
        align = gdi::TA_BASELINE | gdi::TA_CENTER;
        return TPoint{acrossX, cy + Rnd(q * std::sin(theta))};
    }
}

void TLuLabel::DrawFlatRotatedText(const TRect& textRect, unsigned format) {
    TCanvas* canvas = Canvas();
    unsigned align = 0;
    const TPoint anchor = FlatRotationAnchor(textRect, format, align);
    gdi::SetTextAlign(canvas->Handle(), align);
    canvas->Font()->SetHandle(CreateAngledFont(Font(), m_angle));
    for (const TTextLayer& layer : FlatTextLayers()) {
        TRect clip = textRect;
        if (layer.movesClip)
            gdi::OffsetRect(&clip, layer.dx, layer.dy);
        canvas->Font()->SetColor(layer.color);
        canvas->TextRect(clip, anchor.x + layer.dx, anchor.y + layer.dy, Caption());
    }
}

void TLuLabel::DrawCurvedText() {
    TCanvas* canvas = Canvas();
    const std::u32string text = rtl::Utf8ToCodePoints(GetLabelText());
    const int width = Width();
    const int height = Height();
    const int bw = m_borderWidth;
    const int a = 2 * bw;
    // Columns and rows of the nine centre points: the near edge, the middle, the far edge. Round
    // the middle the ellipse reaches half way; from an edge, all the way across.
    const int column = m_centerPoint % 3;
    const int row = m_centerPoint / 3;
    const int cx = column == 0 ? bw : column == 1 ? width / 2 : width - bw;
    const int cy = row == 0 ? bw : row == 1 ? height / 2 : height - bw;
    const int rx = column == 1 ? width / 2 - a : width - a;
    const int ry = row == 1 ? height / 2 - a : height - a;
    // The angular step divides by the horizontal radius: without one there is no ellipse to follow.
    if (rx == 0)
        return;
    canvas->SetFont(Font());
    double theta = Radians(m_angle);
    gdi::SetTextAlign(canvas->Handle(), gdi::TA_BASELINE | gdi::TA_CENTER);
    gdi::LOGFONT log;
    gdi::GetObject(canvas->Font()->Handle(), &log);
    const std::vector<TTextLayer> layers = CurvedTextLayers();
    for (char32_t c : text) {
        const std::string character = rtl::CodePointsToUtf8(std::u32string(1, c));
        const int h = canvas->TextHeight("Yy");
        const int x = cx - Rnd(std::sin(theta) * (rx - h));
        const int y = cy - Rnd(std::cos(theta) * (ry - h));
        log.lfEscapement = Rnd(theta * 1800.0 / std::numbers::pi);
        canvas->Font()->SetHandle(gdi::CreateFontIndirect(&log));
        for (const TTextLayer& layer : layers) {
            canvas->Font()->SetColor(layer.color);
            canvas->TextOut(x + layer.dx, y + layer.dy, character);
        }
        theta -= (canvas->TextWidth("w") + 2) / double(rx);
    }
}

namespace {

[[maybe_unused]] const auto registerLabel =
    framework::RegisterClass<TLuLabel, framework::TLabel>("TLuLabel")
        .Integer("Angle", &TLuLabel::Angle, &TLuLabel::SetAngle, 0)
        .Boolean("Blinking", &TLuLabel::Blinking, &TLuLabel::SetBlinking, false)
        .Color("BlinkColor", &TLuLabel::BlinkColor, &TLuLabel::SetBlinkColor, gdi::clHighlight)
        .Integer("BlinkIntervalOff", &TLuLabel::BlinkIntervalOff, &TLuLabel::SetBlinkIntervalOff, 500)
        .Integer("BlinkIntervalOn", &TLuLabel::BlinkIntervalOn, &TLuLabel::SetBlinkIntervalOn, 500)
        .Integer("BevelWidth", &TLuLabel::BevelWidth, &TLuLabel::SetBevelWidth, 1)
        .Enum("BorderInner", &TLuLabel::BorderInner, &TLuLabel::SetBorderInner, FrameStyleInfo,
              std::optional<TFrameStyle>(fsNone))
        .Enum("BorderOuter", &TLuLabel::BorderOuter, &TLuLabel::SetBorderOuter, FrameStyleInfo,
              std::optional<TFrameStyle>(fsNone))
        .Set("BorderSides", &TLuLabel::BorderSides, &TLuLabel::SetBorderSides, SideInfo,
             std::optional<TSides>(sdAllSides))
        .Color("BorderColor", &TLuLabel::BorderColor, &TLuLabel::SetBorderColor, gdi::clBtnFace)
        .Color("BorderHighlight", &TLuLabel::BorderHighlight, &TLuLabel::SetBorderHighlight,
               gdi::clBtnHighlight)
        .Color("BorderShadow", &TLuLabel::BorderShadow, &TLuLabel::SetBorderShadow, gdi::clBtnShadow)
        .Integer("BorderWidth", &TLuLabel::BorderWidth, &TLuLabel::SetBorderWidth, 0)
        .Color("FlatColor", &TLuLabel::FlatColor, &TLuLabel::SetFlatColor, gdi::clBtnShadow)
        .Enum("CenterPoint", &TLuLabel::CenterPoint, &TLuLabel::SetCenterPoint, CenterPointInfo,
              std::optional<TCenterPoint>(cpCenter))
        .Color("FlyByColor", &TLuLabel::FlyByColor, &TLuLabel::SetFlyByColor, gdi::clHighlight)
        .Boolean("FlyByEnabled", &TLuLabel::FlyByEnabled, &TLuLabel::SetFlyByEnabled, false)
        .Boolean("LightTextStyle", &TLuLabel::LightTextStyle, &TLuLabel::SetLightTextStyle, false)
        .Enum("Rotation", &TLuLabel::Rotation, &TLuLabel::SetRotation, RotationInfo,
              std::optional<TRotation>(roNone))
        .Color("HighlightColor", &TLuLabel::HighlightColor, &TLuLabel::SetHighlightColor, gdi::clBtnHighlight)
        .Color("ShadowColor", &TLuLabel::ShadowColor, &TLuLabel::SetShadowColor, gdi::clBtnShadow)
        .Integer("ShadowDepth", &TLuLabel::ShadowDepth, &TLuLabel::SetShadowDepth, 2)
        .Enum("TextStyle", &TLuLabel::TextStyle, &TLuLabel::SetTextStyle, TextStyleInfo,
              std::optional<TTextStyle>(tsNormal))
        .Event("OnMouseEnter", &TLuLabel::OnMouseEnter)
        .Event("OnMouseLeave", &TLuLabel::OnMouseLeave);

} // namespace

} // namespace lu
