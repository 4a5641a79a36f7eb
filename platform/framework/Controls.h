#pragma once

#include "platform/framework/ActnList.h"
#include "platform/framework/Classes.h"
#include "platform/framework/Graphics.h"
#include "platform/framework/Messages.h"
#include "platform/framework/ScriptedUser.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Color.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace framework {

class TWinControl;
class TCustomForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
// Controls use the first two; forms all of them.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TMouseButton { mbLeft, mbRight, mbMiddle };
// Cursors: crDefault leaves the choice to the window (the arrow, or its class cursor).
enum : int { crDefault = 0, crArrow = -2, crIBeam = -4 };

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = TSet<TControlStateItem>;

extern const TEnumInfo AlignInfo;
extern const TEnumInfo AnchorKindInfo;
extern const TEnumInfo AlignmentInfo;
// The names a stream may give a left-or-right alignment: the first two of TAlignment.
extern const TEnumInfo LeftRightInfo;
extern const TEnumInfo TextLayoutInfo;
extern const TEnumInfo BiDiModeInfo;
extern const TEnumInfo BorderStyleInfo;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* sender, TShiftState shift, TPoint mousePos, bool& handled)>;
using TKeyEvent = std::function<void(TObject* sender, std::uint16_t& key, TShiftState shift)>;
// Characters are whole code points: a Chinese character is one key press.
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;
using TCanResizeEvent = std::function<void(TObject* sender, int& newWidth, int& newHeight, bool& resize)>;

class TSizeConstraints : public TPersistent {
public:
    int MinWidth() const { return m_minWidth; }
    void SetMinWidth(int v);
    int MinHeight() const { return m_minHeight; }
    void SetMinHeight(int v);
    int MaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(int v);
    int MaxHeight() const { return m_maxHeight; }
    void SetMaxHeight(int v);
    void Assign(const TPersistent* source) override;
    // Applies the limits; a maximum of 0 means none.
    void Constrain(int& width, int& height) const;

    TNotifyEvent OnChange;

private:
    void Change();
    int m_minWidth = 0;
    int m_minHeight = 0;
    int m_maxWidth = 0;
    int m_maxHeight = 0;
};

class TControl;

class TControlActionLink : public TActionLink {
public:
    explicit TControlActionLink(TControl* client);
    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    void SetCaption(const std::string& value) override;
    void SetEnabled(bool value) override;
    void SetHint(const std::string& value) override;
    void SetVisible(bool value) override;

protected:
    TControl* m_control;
};

// A class of action link, as a control names the link it wants: it makes the link for a client.
using TControlActionLinkClass = std::unique_ptr<TControlActionLink> (*)(TControl* client);
template <class T> std::unique_ptr<TControlActionLink> NewActionLink(TControl* client) {
    return std::make_unique<T>(client);
}

// The accelerator test: the character after a single "&" of the caption, compared without case.
bool IsAccel(char32_t key, const std::string& caption);

// Translates the modifier bits of mouse messages and the key state into a shift state.
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyDataToShiftState(LPARAM keyData);

class TControl : public TComponent, public IScriptTarget {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The message entry: WindowProc starts as WndProc and may be replaced to subclass the control.
    TWndMethod WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* parent);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return m_left; }
    void SetLeft(int v) { SetBounds(v, m_top, m_width, m_height); }
    int Top() const { return m_top; }
    void SetTop(int v) { SetBounds(m_left, v, m_width, m_height); }
    int Width() const { return m_width; }
    void SetWidth(int v) { SetBounds(m_left, m_top, v, m_height); }
    int Height() const { return m_height; }
    void SetHeight(int v) { SetBounds(m_left, m_top, m_width, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return TRect{m_left, m_top, m_left + m_width, m_top + m_height}; }
    void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, r.Width(), r.Height()); }
    TRect ClientRect() const { return GetClientRect(); }
    virtual TRect GetClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    void SetClientWidth(int v);
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientHeight(int v);
    // Screen position of the client area's top left.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    TAlign Align() const { return m_align; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TAnchors anchors);
    bool AutoSize() const { return m_autoSize; }
    virtual void SetAutoSize(bool autoSize);
    TSizeConstraints* Constraints() { return &m_constraints; }
    virtual void ChangeScale(int m, int d);

    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    virtual bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled);
    // Caption and Text are one value.
    const std::string& Caption() const { return m_text; }
    void SetCaption(const std::string& caption) { SetText(caption); }
    virtual std::string Text() const { return m_text; }
    virtual void SetText(const std::string& text);
    TColor Color() const { return m_color; }
    virtual void SetColor(TColor color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool parentColor);
    bool IsColorStored() const { return !m_parentColor && m_color != m_defaultColor; }
    bool IsWidthStored() const { return m_width != m_defaultSize.x; }
    bool IsHeightStored() const { return m_height != m_defaultSize.y; }
    virtual bool IsVisibleStored() const { return !m_visible; }
    TFont* Font() const { return m_font.get(); }
    void SetFont(const TFont* font) { m_font->Assign(font); }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont);
    bool IsFontStored() const { return !m_parentFont; }
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint) { m_hint = hint; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool parentShowHint);
    const std::string& HelpKeyword() const { return m_helpKeyword; }
    void SetHelpKeyword(const std::string& keyword) { m_helpKeyword = keyword; }
    TComponent* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TComponent* menu);
    TBiDiMode BiDiMode() const { return m_biDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    bool UseRightToLeftReading() const { return m_biDiMode != bdLeftToRight; }
    virtual bool UseRightToLeftAlignment() const { return m_biDiMode == bdRightToLeft; }
    // The alignment of what the control shows, for right-to-left mirroring.
    virtual TAlignment GetControlsAlignment() const { return taLeftJustify; }
    int Cursor() const { return m_cursor; }
    void SetCursor(int cursor) { m_cursor = cursor; }
    TControlStyle ControlStyle() const { return m_controlStyle; }
    void SetControlStyle(TControlStyle style) { m_controlStyle = style; }
    TControlState ControlState() const { return m_controlState; }
    void SetControlState(TControlState state) { m_controlState = state; }

    // True when the control and every parent up to the top are visible.
    bool Showing() const;
    virtual bool IsWindowed() const { return false; }

    virtual void Invalidate();
    void Repaint();
    void Refresh() { Repaint(); }
    virtual void Update();
    void BringToFront();
    void SendToBack();

    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

    TBasicAction* Action() const;
    void SetAction(TBasicAction* action);
    TControlActionLink* ActionLink() const { return m_actionLink.get(); }

    virtual void Click();
    virtual void DblClick();

    // The docking request: the control becomes a child of the dock site and, where the site uses
    // a dock manager, one of its clients, placed by it. Raises EInvalidOperation for a control
    // that is no dock site.
    void ManualDock(TWinControl* newDockSite);

    // The scripted user's entries: real input, after scrolling the control into view.
    void ScriptClick() override;
    void ScriptClickAt(TPoint point) override;
    void ScriptCheck(bool checked) override;
    void ScriptSelectTab(const std::string& caption) override;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;

    // The parent's align pass moves controls through this, so their anchor records stay.
    void AlignBounds(int left, int top, int width, int height);
    void UpdateAnchorRules();
    // Where the anchors keep the control for a parent client size; false when they do not move it.
    bool AnchoredBounds(int parentWidth, int parentHeight, TRect& bounds) const;

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    virtual TControlActionLinkClass GetActionLinkClass() const;
    virtual void Resize();
    virtual bool CanResize(int& newWidth, int& newHeight);
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    virtual void AdjustSize();
    // Takes new bounds; a windowed control's window hears of them first.
    virtual void ApplyBounds(const TRect& bounds);
    // Stores the bounds, then BoundsChanged.
    void UpdateBoundsRect(const TRect& bounds);
    // The bounds changed; windowed controls move their windows.
    virtual void BoundsChanged(const TRect& oldBounds);
    virtual void VisibleChanging() {}
    void RequestAlign();
    virtual void InvalidateControl(bool isVisible, bool isOpaque);
    void SendCancelMode();

    // Framework notifications; each override calls the base.
    virtual void CMColorChanged(TMessage& message);
    virtual void CMParentColorChanged(TMessage& message);
    virtual void CMParentFontChanged(TMessage& message);
    virtual void CMFontChanged(TMessage& message);
    virtual void CMTextChanged(TMessage& message);
    virtual void CMEnabledChanged(TMessage& message);
    virtual void CMVisibleChanged(TMessage& message);

    void WMMouseButton(TMessage& message);
    void WMMouseWheel(TMessage& message);

    void SetTextSilently(const std::string& text) { m_text = text; }
    void SetColorSilently(TColor color) { m_color = color; }
    // What a new control of the class looks like; the writer leaves these values out.
    void SetInitialColor(TColor color) { m_color = m_defaultColor = color; }
    void SetInitialSize(int width, int height);

private:
    friend class TWinControl;
    void ApplyParentColor();

    TWinControl* m_parent = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    TAlign m_align = alNone;
    TAnchors m_anchors{akLeft, akTop};
    TRect m_anchorOrigin;
    TPoint m_anchorParentSize{-1, -1};
    bool m_autoSize = false;
    TSizeConstraints m_constraints;
    bool m_visible = true;
    bool m_enabled = true;
    std::string m_text;
    TColor m_color = gdi::clWindow;
    TColor m_defaultColor = gdi::clWindow;
    TPoint m_defaultSize{0, 0};
    bool m_parentColor = false;
    bool m_parentFont = true;
    std::unique_ptr<TFont> m_font;
    bool m_fontFromParent = false;
    std::string m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    std::string m_helpKeyword;
    TComponent* m_popupMenu = nullptr;
    TBiDiMode m_biDiMode = bdLeftToRight;
    int m_cursor = 0;
    TControlStyle m_controlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState m_controlState;
    std::unique_ptr<TControlActionLink> m_actionLink;
    bool m_anchorMove = false;
};

// The control that gets the mouse while it is captured (windowless controls capture through
// their parent's window).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

TCustomForm* GetParentForm(const TControl* control);

} // namespace framework
