// A message box drawn as a form, so that what a run showed can be kept as a picture.
#include "platform/framework/Dialogs.h"

#include "platform/framework/Forms.h"
#include "platform/framework/GraphicControl.h"
#include "platform/framework/StdCtrls.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <vector>

namespace framework {

namespace {

constexpr int Margin = 12;
constexpr int IconSize = 32;
constexpr int MaxTextWidth = 360;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 23;
constexpr int ButtonGap = 6;

// The system's own captions, as the host's language shows them.
std::string ButtonCaption(int id) {
    switch (id) {
    case IDOK:
        return "确定";
    case IDCANCEL:
        return "取消";
    case IDABORT:
        return "中止(&A)";
    case IDRETRY:
        return "重试(&R)";
    case IDIGNORE:
        return "忽略(&I)";
    case IDYES:
        return "是(&Y)";
    case IDNO:
        return "否(&N)";
    default:
        return "?";
    }
}

enum class TBoxIcon { None, Error, Question, Warning, Information };

TBoxIcon IconOf(int flags) {
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        return TBoxIcon::Error;
    case MB_ICONQUESTION:
        return TBoxIcon::Question;
    case MB_ICONWARNING:
        return TBoxIcon::Warning;
    case MB_ICONINFORMATION:
        return TBoxIcon::Information;
    default:
        return TBoxIcon::None;
    }
}

// Our own drawings of the four icons: a red disc with a cross, blue discs with "?" and "i", and a
// yellow triangle with "!".
class TMessageIcon : public TGraphicControl {
public:
    TMessageIcon(TComponent* owner, TBoxIcon icon) : TGraphicControl(owner), m_icon(icon) {
        SetBounds(0, 0, IconSize, IconSize);
    }

protected:
    void Paint() override {
        TCanvas* c = Canvas();
        switch (m_icon) {
        case TBoxIcon::Error:
            PaintDisc(*c, gdi::RGB(200, 30, 30));
            PaintCross(*c);
            break;
        case TBoxIcon::Question:
            PaintDisc(*c, gdi::RGB(30, 90, 200));
            PaintSymbol(*c, "?", gdi::clWhite, 16);
            break;
        case TBoxIcon::Information:
            PaintDisc(*c, gdi::RGB(30, 90, 200));
            PaintSymbol(*c, "i", gdi::clWhite, 16);
            break;
        case TBoxIcon::Warning:
            PaintTriangle(*c);
            PaintSymbol(*c, "!", gdi::clBlack, 20);
            break;
        case TBoxIcon::None:
            break;
        }
    }

private:
    static void PaintDisc(TCanvas& c, TColor color) {
        const double centre = (IconSize - 1) / 2.0;
        const double radius = IconSize / 2.0 - 1;
        for (int y = 0; y < IconSize; ++y)
            for (int x = 0; x < IconSize; ++x) {
                const double dx = x - centre;
                const double dy = y - centre;
                if (dx * dx + dy * dy <= radius * radius)
                    c.SetPixels(x, y, color);
            }
    }
    static void PaintCross(TCanvas& c) {
        c.Pen()->SetColor(gdi::clWhite);
        for (int k = -1; k <= 1; ++k) {
            c.MoveTo(10 + k, 10);
            c.LineTo(22 + k, 22);
            c.MoveTo(21 + k, 10);
            c.LineTo(9 + k, 22);
        }
    }
    static void PaintTriangle(TCanvas& c) {
        c.Brush()->SetColor(gdi::RGB(240, 200, 0));
        c.Pen()->SetColor(gdi::RGB(120, 90, 0));
        c.Polygon({TPoint{16, 1}, TPoint{31, 30}, TPoint{1, 30}});
    }
    static void PaintSymbol(TCanvas& c, const char* symbol, TColor color, int size) {
        c.Font()->SetName("Arial");
        c.Font()->SetSize(size);
        c.Font()->SetStyle(TFontStyles{fsBold});
        c.Font()->SetColor(color);
        c.Brush()->SetStyle(bsClear);
        const TSize extent = c.TextExtent(symbol);
        c.TextOut((IconSize - extent.cx) / 2, (IconSize - extent.cy) / 2 + 1, symbol);
    }

    TBoxIcon m_icon;
};

std::vector<int> ButtonsOfBox(const TDialogRecord& record) {
    if (record.kind == TDialogKind::Message)
        return {IDOK};
    std::vector<int> buttons = MessageBoxButtons(record.flags);
    if (buttons.empty())
        throw EInvalidOperation("A message box with button flags " + std::to_string(record.flags & 0x0F) +
                                " cannot be drawn");
    return buttons;
}

// The text block's size when it wraps at the widest a box allows.
TSize MeasureText(const TFont& font, const std::string& text) {
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas()->Font()->Assign(&font);
    gdi::HDC dc = scratch.Canvas()->Handle();
    gdi::HGDIOBJ old = gdi::SelectObject(dc, scratch.Canvas()->Font()->Handle());
    TRect r{0, 0, MaxTextWidth, 0};
    gdi::DrawText(dc, text, &r, gdi::DT_CALCRECT | gdi::DT_WORDBREAK | gdi::DT_NOPREFIX | gdi::DT_EXPANDTABS);
    gdi::SelectObject(dc, old);
    return TSize{r.Width(), r.Height()};
}

// Lays the box out as the system does: the icon at the top left, the text beside it, and the
// buttons centred in a row below both.
void BuildBox(TForm& form, const TDialogRecord& record) {
    form.SetBorderStyle(bsDialog);
    form.SetCaption(record.title);
    form.Font()->SetName("宋体");
    form.Font()->SetSize(9);
    const std::vector<int> buttons = ButtonsOfBox(record);
    const TBoxIcon icon = record.kind == TDialogKind::Message ? TBoxIcon::None : IconOf(record.flags);

    int textLeft = Margin;
    int contentBottom = Margin;
    if (icon != TBoxIcon::None) {
        auto* picture = new TMessageIcon(&form, icon);
        picture->SetBounds(Margin, Margin, IconSize, IconSize);
        picture->SetParent(&form);
        textLeft += IconSize + Margin;
        contentBottom = Margin + IconSize;
    }
    const TSize text = MeasureText(*form.Font(), record.text);
    const int textTop =
        icon != TBoxIcon::None && text.cy < IconSize ? Margin + (IconSize - text.cy) / 2 : Margin;
    auto* label = new TLabel(&form);
    label->SetShowAccelChar(false);
    label->SetWordWrap(true);
    label->SetAutoSize(false);
    label->SetBounds(textLeft, textTop, text.cx, text.cy);
    label->SetCaption(record.text);
    label->SetParent(&form);
    contentBottom = std::max(contentBottom, textTop + text.cy);

    const int row =
        static_cast<int>(buttons.size()) * ButtonWidth + (static_cast<int>(buttons.size()) - 1) * ButtonGap;
    const int clientWidth = std::max(textLeft + text.cx + Margin, row + 2 * Margin);
    const int buttonTop = contentBottom + Margin + 2;
    form.SetClientWidth(clientWidth);
    form.SetClientHeight(buttonTop + ButtonHeight + Margin);
    const int defaultIndex = (record.flags & 0xF00) >> 8;
    int x = (clientWidth - row) / 2;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto* button = new TButton(&form);
        button->SetCaption(ButtonCaption(buttons[i]));
        button->SetBounds(x, buttonTop, ButtonWidth, ButtonHeight);
        button->SetDefault(static_cast<int>(i) == defaultIndex);
        button->SetParent(&form);
        x += ButtonWidth + ButtonGap;
    }
}

void Require(const TDialogRecord& record) {
    if (record.kind != TDialogKind::MessageBox && record.kind != TDialogKind::Message)
        throw EInvalidOperation("Only message boxes and messages can be drawn, not file dialogs");
}

} // namespace

void RenderMessageBox(const TDialogRecord& record, TBitmap& bitmap) {
    Require(record);
    TForm form(nullptr);
    BuildBox(form, record);
    RenderForm(form, bitmap);
}

void SaveMessageBoxPng(const TDialogRecord& record, const std::string& path) {
    Require(record);
    TForm form(nullptr);
    BuildBox(form, record);
    SaveFormPng(form, path);
}

} // namespace framework
