// What the scripted user does to a control, as a person would: scroll it into view, then click.
#include "platform/framework/Controls.h"

#include "platform/framework/Input.h"
#include "platform/framework/WinControl.h"
#include "platform/gdi/Gdi.h"

namespace framework {

namespace {

std::string Describe(const TControl& control) {
    return control.Name() + " (" + control.ClassName() + ")";
}

void RequireShowing(const TControl& control, const char* what) {
    if (!control.Showing())
        throw EScriptError(Describe(control) + " cannot " + what + ": it is not shown");
}

// Where the control lies on the screen.
TRect ScreenBounds(const TControl& control) {
    const TPoint topLeft = control.Parent() != nullptr
                               ? control.Parent()->ClientToScreen(TPoint{control.Left(), control.Top()})
                               : TPoint{control.Left(), control.Top()};
    return TRect{topLeft.x, topLeft.y, topLeft.x + control.Width(), topLeft.y + control.Height()};
}

bool HasVerticalScrollBar(TWinControl& c) {
    return c.HandleAllocated() && (GetWindowLong(c.Handle(), win::GWL_STYLE) & win::WS_VSCROLL) != 0;
}

// Clicks one arrow of the scrolling container until the control lies within its client area,
// or until its top does when it is taller than the area.
void ScrollIntoViewOf(TWinControl& container, const TControl& control) {
    const TPoint origin = container.ClientOrigin();
    const int height = container.ClientHeight();
    TRect r = ScreenBounds(control);
    gdi::OffsetRect(&r, -origin.x, -origin.y);
    const bool up = r.top < 0;
    const bool down = !up && r.top > 0 && r.bottom > height;
    if (!up && !down)
        return;
    const int arrow = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    const TPoint click{origin.x + container.ClientWidth() + arrow / 2,
                       origin.y + (up ? arrow / 2 : height - arrow / 2 - 1)};
    while (up ? r.top < 0 : r.top > 0 && r.bottom > height) {
        const int before = r.top;
        input::Click(click);
        r = ScreenBounds(control);
        gdi::OffsetRect(&r, -origin.x, -origin.y);
        if (r.top == before)
            throw EScriptError(Describe(control) + " cannot be scrolled into view in " + Describe(container));
    }
}

void ScrollIntoView(const TControl& control) {
    for (TWinControl* c = control.Parent(); c != nullptr; c = c->Parent())
        if (HasVerticalScrollBar(*c))
            ScrollIntoViewOf(*c, control);
}

} // namespace

void TControl::ScriptClick() {
    RequireShowing(*this, "be clicked");
    ScrollIntoView(*this);
    input::Click(input::CentreOf(*this));
}

void TControl::ScriptClickAt(TPoint point) {
    RequireShowing(*this, "be clicked");
    const TRect client = ClientRect();
    if (!gdi::PtInRect(&client, point))
        throw EScriptError(Describe(*this) + " has no point (" + std::to_string(point.x) + ", " +
                           std::to_string(point.y) + ") in its client area");
    ScrollIntoView(*this);
    input::Click(ClientToScreen(point));
}

void TControl::ScriptCheck(bool checked) {
    const auto* box = dynamic_cast<const IScriptCheckable*>(this);
    if (box == nullptr) {
        IScriptTarget::ScriptCheck(checked);
        return;
    }
    // A box that can also be grayed takes up to three clicks.
    constexpr int MostClicks = 3;
    for (int clicks = 0; box->ScriptChecked() != checked; ++clicks) {
        if (clicks == MostClicks)
            throw EScriptError(Describe(*this) + " is still " + (checked ? "unchecked" : "checked") +
                               " after " + std::to_string(MostClicks) + " clicks");
        ScriptClick();
    }
}

void TControl::ScriptSelectTab(const std::string& caption) {
    const auto* tabs = dynamic_cast<const IScriptTabs*>(this);
    if (tabs == nullptr) {
        IScriptTarget::ScriptSelectTab(caption);
        return;
    }
    RequireShowing(*this, "select a tab");
    ScrollIntoView(*this);
    TRect tab;
    if (!tabs->ScriptTabRect(caption, tab))
        throw EScriptError(Describe(*this) + " shows no tab '" + caption + "'");
    input::Click(ClientToScreen(TPoint{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2}));
}

} // namespace framework
