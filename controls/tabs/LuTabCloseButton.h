#pragma once

#include "controls/tabs/LuTabChildButton.h"

// The small close button a tab control shows at the end of its strip. It fires OnClose when the
// mouse is released over it after a press on it; it is drawn disabled while no tab is current.
namespace lu {

class TLuTabCloseButton : public TLuTabChildButton {
public:
    explicit TLuTabCloseButton(framework::TComponent* owner);

    framework::TNotifyEvent OnClose;

protected:
    virtual void DoClose();

    void Paint() override;
    bool OnPressedPart(int x, int y) const override;
    void Released() override;

private:
    bool HasCurrentTab() const;
};

} // namespace lu
