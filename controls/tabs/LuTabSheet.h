#pragma once

#include "controls/tabs/LuTabTypes.h"
#include "platform/framework/CustomControl.h"

namespace lu {

class TLuPageControl;

// One page of a page control: a container that fills the control's display rectangle and holds
// the controls of that page. The page control shows one page at a time.
class TLuTabSheet : public framework::TCustomControl {
public:
    explicit TLuTabSheet(framework::TComponent* owner);
    ~TLuTabSheet() override;

    // The page's colour; while the page control uses coloured tabs it colours the tab and card too.
    virtual TColor GetColor() const { return Color(); }
    void SetColor(TColor value) override;
    int DisabledIndex() const { return m_disabledIndex; }
    virtual void SetDisabledIndex(int value);
    int ImageIndex() const { return m_imageIndex; }
    virtual void SetImageIndex(int value);
    TLuPageControl* PageControl() const { return m_pageControl; }
    // Moves the page to another page control (none: out of any).
    virtual void SetPageControl(TLuPageControl* value);
    // The page's place in its page control; -1 without one.
    virtual int GetPageIndex() const;
    virtual void SetPageIndex(int value);
    int PageIndex() const { return GetPageIndex(); }
    bool IsPageIndexStored() const { return false; }
    bool TabEnabled() const { return m_tabEnabled; }
    virtual void SetTabEnabled(bool value);
    // The page's place among the shown tabs; -1 while its tab is hidden.
    virtual int GetTabIndex() const;
    int TabIndex() const { return GetTabIndex(); }
    bool TabVisible() const { return m_tabVisible; }
    virtual void SetTabVisible(bool value);
    // Only the page control shows and hides pages; SetVisible always raises.
    virtual bool GetVisible() const { return Visible(); }
    void SetVisible(bool value) override;
    bool IsVisibleStored() const override { return false; }

    TLuPaintBackgroundEvent OnPaintBackground;

    void ReadState(framework::TReader& reader) override;

protected:
    void AssignTo(framework::TPersistent* dest) const override;
    void CreateParams(framework::TCreateParams& params) override;
    void Paint() override;
    void WndProc(framework::TMessage& message) override;
    void CMTextChanged(framework::TMessage& message) override;

private:
    friend class TLuPageControl;
    void SetShown(bool shown);
    void RequestPageLayout();

    int m_disabledIndex = -1;
    int m_imageIndex = -1;
    TLuPageControl* m_pageControl = nullptr;
    bool m_tabEnabled = true;
    bool m_tabVisible = true;
};

} // namespace lu
