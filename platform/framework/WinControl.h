#pragma once

#include "platform/framework/Controls.h"
#include "platform/framework/Window.h"

#include <vector>

namespace framework {

class TDockTree;

class TWinControlActionLink : public TControlActionLink {
public:
    using TControlActionLink::TControlActionLink;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Handles are made when first needed: by Handle(), or when the control is shown.
    HWND Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }
    void HandleNeeded();
    void DestroyHandle();
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(m_controls.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;
    // The first visible child under a client point, last in z-order first.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Sends the message to every child in order until one answers non-zero.
    void Broadcast(TMessage& message);
    void Realign();
    void DisableAlign();
    void EnableAlign();
    bool AlignDisabled() const { return m_alignLevel > 0; }
    virtual void ShowControl(TControl* control);
    // Where the form resource puts a child among its siblings; a page control keeps its own order.
    virtual void SetChildOrder(TComponent* child, int order);

    TRect GetClientRect() const override;
    TPoint ClientOrigin() const override;
    int BorderWidth() const { return m_borderWidth; }
    // A negative width is dropped, as every size property drops it.
    void SetBorderWidth(int width);
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool ctl3D);
    bool ParentCtl3D() const { return m_parentCtl3D; }
    void SetParentCtl3D(bool parentCtl3D);
    bool DoubleBuffered() const { return m_doubleBuffered; }
    void SetDoubleBuffered(bool doubleBuffered) { m_doubleBuffered = doubleBuffered; }
    bool DockSite() const { return m_dockSite; }
    void SetDockSite(bool dockSite) { m_dockSite = dockSite; }
    bool UseDockManager() const { return m_useDockManager; }
    void SetUseDockManager(bool use) { m_useDockManager = use; }
    TDockTree* DockManager() const { return m_dockManager.get(); }
    // Creates the dock manager of a dock site that uses one (through CreateDockManager).
    void DockManagerNeeded();

    // Focus.
    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop);
    int TabOrder() const;
    bool IsTabOrderStored() const { return TabOrder() >= 0; }
    void SetTabOrder(int order);
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    void SelectFirst();

    void SetBounds(int left, int top, int width, int height) override;
    void Invalidate() override;
    void Update() override;
    void Loaded() override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    // Paints the control and its windowless children into a context of its own client area.
    void PaintTo(gdi::HDC dc, int x, int y);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // The scripted user types and presses keys into the focused control.
    void ScriptType(const std::string& text) override;
    void ScriptKey(std::uint16_t key, TShiftState shift) override;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateHandle();
    virtual void CreateWnd();
    virtual void DestroyWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void DestroyWindowHandle();
    virtual TDockTree* CreateDockManager();

    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void AdjustClientRect(TRect& rect);
    void AlignControl(TControl* control);

    virtual void PaintWindow(gdi::HDC dc);
    // Parts of the default non-client painting that forms and scrolling controls refine.
    virtual void PaintCaptionText(gdi::HDC dc, const TRect& bar);
    virtual void PaintScrollBar(gdi::HDC dc, const TRect& bar);
    void PaintHandler(TMessage& message);
    // WM_PAINT through an off-screen bitmap, copied to the window in one transfer.
    void PaintDoubleBuffered(gdi::HDC dc);
    void PaintControls(gdi::HDC dc, TControl* first);

    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void DoEnter();
    virtual void DoExit();
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);

    TControlActionLinkClass GetActionLinkClass() const override;
    void ApplyBounds(const TRect& bounds) override;
    void BoundsChanged(const TRect& oldBounds) override;
    void VisibleChanging() override;
    void InvalidateControl(bool isVisible, bool isOpaque) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;

    virtual void CMDialogKey(TMessage& message);
    virtual void CMDialogChar(TMessage& message);
    virtual void CMFocusChanged(TMessage& message);
    virtual void CMEnter(TMessage& message);
    virtual void CMExit(TMessage& message);

    // Creates handles of this control and its shown windowed children, or destroys them when
    // the control stops showing.
    void UpdateShowing();

private:
    friend class TControl;
    friend class TDockTree; // lays clients out in the adjusted client area
    void InsertChild(TControl* control);
    void RemoveChild(TControl* control);
    // Moves a child in the z-order.
    void MoveChild(TControl* control, int order);
    bool IsControlMouseMsg(TMessage& message);
    void WMNCCalcSize(TMessage& message);
    void WMNCPaint(TMessage& message);
    void WMNCHitTest(TMessage& message);
    void WMWindowPosChanged(TMessage& message);
    void WMNCLButtonDown(TMessage& message);
    // The styles of the window, or those it would be created with.
    void WindowStyles(std::uint32_t& style, std::uint32_t& exStyle);
    void WMEraseBkgnd(TMessage& message);
    void WMPaint(TMessage& message);
    void WMSetCursor(TMessage& message);
    void CNKeyDown(TMessage& message);
    void CNChar(TMessage& message);
    void DoAlignChildren(TControl* control, TRect& rect);
    void FixTabList();

    HWND m_handle = nullptr;
    std::vector<TControl*> m_controls; // z-order, bottom first
    std::vector<TWinControl*> m_tabList;
    int m_alignLevel = 0;
    bool m_alignPending = false;
    int m_borderWidth = 0;
    bool m_ctl3D = true;
    bool m_parentCtl3D = true;
    bool m_doubleBuffered = false;
    bool m_dockSite = false;
    bool m_useDockManager = false;
    std::unique_ptr<TDockTree> m_dockManager;
    bool m_tabStop = false;
    bool m_destroying = false;
};

// The border of controls that follow BorderStyle and Ctl3D: a 2-pixel sunken client edge in
// 3-D, else a 1-pixel frame.
void ApplyBorderStyle(TCreateParams& params, TBorderStyle style, bool ctl3D);

// The cursor the last WM_SETCURSOR chose.
int CurrentCursor();

} // namespace framework
