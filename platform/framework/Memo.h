#pragma once

#include "platform/framework/MaskEdit.h"
#include "platform/framework/MemoText.h"

#include <string>
#include <vector>

namespace framework {

// The multi-line edit: lines joined by CR LF, the platform's line messages and a view that
// scrolls by whole lines. Lines do not wrap.
class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* owner);

    std::vector<std::string> Lines() const { return Memo().Lines(); }
    void SetLines(const std::vector<std::string>& lines);
    int LineCount() const { return Memo().LineCount(); }
    bool WantReturns() const { return m_wantReturns; }
    void SetWantReturns(bool wantReturns) { m_wantReturns = wantReturns; }
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
    void BoundsChanged(const TRect& oldBounds) override;

    int VisibleLineCount() const;

private:
    bool m_wantReturns = true;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};

} // namespace framework
