#pragma once

#include "platform/framework/WinControl.h"

namespace lu {

class TLuCustomGlyphButton;

// Binds a glyph button's Checked to its action's, while the two agree.
class TLuCheckedActionLink : public framework::TWinControlActionLink {
public:
    explicit TLuCheckedActionLink(framework::TControl* client);

    bool IsCheckedLinked() const override;
    void SetChecked(bool value) override;

private:
    TLuCustomGlyphButton* m_button;
};

} // namespace lu
