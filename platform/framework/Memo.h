#pragma once

#include "platform/framework/MaskEdit.h"
#include "platform/framework/MemoText.h"

#include <string>
#include <vector>

namespace framework {

// The multi-line edit: lines joined by CR LF, the platform's line messages and a view that
// scrolls by whole lines. With WordWrap, lines wrap at the client width the way word-broken text
// does (after blanks, next to CJK characters, inside a word longer than the line), and the line
// messages count the display lines.
class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);

    std::vector<std::string> Lines() const { return Memo().Lines(); }
    void SetLines(const std::vector<std::string>& lines);
    int LineCount() const { return Memo().LineCount(); }
    bool WantReturns() const { return m_wantReturns; }
    void SetWantReturns(bool wantReturns) { m_wantReturns = wantReturns; }
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    int FirstVisibleLine() const { return Memo().FirstVisibleLine(); }

protected:
    TCustomMemo(TComponent* owner, std::unique_ptr<TMemoText> model);

    TMemoText& Memo() { return static_cast<TMemoText&>(Model()); }
    const TMemoText& Memo() const { return static_cast<const TMemoText&>(Model()); }

    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    bool EditKey(std::uint16_t key, TShiftState shift) override;
    bool EditChar(char32_t ch) override;
    LRESULT DialogCode() const override;
    void PaintText(gdi::HDC dc) override;
    int PositionAt(int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void BoundsChanged(const TRect& oldBounds) override;
    void CMFontChanged(TMessage& message) override;

    // The widths of the characters of a line of the text, starting at position start, as drawn.
    virtual std::vector<int> Advances(std::u32string_view line, std::size_t start);
    // How many display lines the client area shows from the first visible one on.
    virtual int VisibleLineCount() const;
    // The display line at a client y, and the position in a display line nearest to a client x.
    virtual int LineAtY(int y);
    int PositionInLine(int line, int x);
    // Brings the wrap and the page size in line with the client area; force after a font change.
    void UpdateLayout(bool force = false);

private:
    void InstallWrapper();

    bool m_wantReturns = true;
    bool m_wordWrap = true;
    // The width the display lines were last wrapped at.
    int m_wrapWidth = -1;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};

} // namespace framework
