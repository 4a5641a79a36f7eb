// The calls the control library makes on the framework beyond the basics: parent backgrounds for
// themed drawing, action-link classes, the non-client hit test, window-position changes, enabling
// windows, beeps, alignment for right-to-left reading, and the setters a subclass overrides.
#include "platform/framework/ActnList.h"
#include "platform/framework/CustomControl.h"
#include "platform/framework/Dialogs.h"
#include "platform/framework/Forms.h"
#include "platform/framework/GraphicControl.h"
#include "platform/framework/Input.h"
#include "platform/framework/ScrollBox.h"
#include "platform/framework/TypInfo.h"
#include "platform/framework/WinControl.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Themes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace framework;

namespace {

constexpr gdi::COLORREF Yellow = gdi::RGB(255, 255, 0);
constexpr gdi::COLORREF Red = gdi::RGB(255, 0, 0);
constexpr gdi::COLORREF Green = gdi::RGB(0, 160, 0);

// A red block painted by the parent itself.
class TBlockParent : public TCustomControl {
public:
    explicit TBlockParent(TComponent* owner) : TCustomControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(Red);
        Canvas()->FillRect(TRect{40, 40, 60, 60});
    }
};

// A windowless green strip on the parent.
class TStrip : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(Green);
        Canvas()->FillRect(ClientRect());
    }
};

// Erases with its parent's background, as a themed control does, within an optional rectangle.
class TSeeThrough : public TWinControl {
public:
    explicit TSeeThrough(TComponent* owner) : TWinControl(owner) { SetColor(gdi::RGB(0, 0, 255)); }
    bool Bordered = false;
    const TRect* Only = nullptr;

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        ApplyBorderStyle(p, Bordered ? bsSingle : bsNone, true);
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == win::WM_ERASEBKGND && m.WParam != 0) {
            auto dc = reinterpret_cast<gdi::HDC>(m.WParam);
            if (Only != nullptr)
                TWinControl::WndProc(m);
            gdi::GetThemeServices().DrawParentBackground(Handle(), dc, nullptr, false, Only);
            m.Result = 1;
            return;
        }
        TWinControl::WndProc(m);
    }
};

class ControlCalls : public ::testing::Test {
protected:
    void SetUp() override {
        input::Reset();
        DialogService().ClearRecords();
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, 300, 200);
    }
    void TearDown() override {
        form->Hide();
        form.reset();
        input::Reset();
    }
    template <class T> T* Add(TWinControl* parent, TRect r) {
        auto* c = new T(form.get());
        c->SetBoundsRect(r);
        c->SetParent(parent);
        return c;
    }
    gdi::COLORREF PixelOf(TWinControl& c, int x, int y) {
        gdi::HDC dc = GetDC(c.Handle());
        gdi::COLORREF p = gdi::GetPixel(dc, x, y);
        ReleaseDC(c.Handle(), dc);
        return p;
    }
    std::unique_ptr<TForm> form;
};

TEST_F(ControlCalls, ThemedParentBackgroundShowsWhatTheParentPaintsUnderTheControl) {
    auto* parent = Add<TBlockParent>(form.get(), {10, 10, 210, 160});
    parent->SetColor(Yellow);
    auto* strip = Add<TStrip>(parent, {0, 70, 200, 80});
    (void)strip;
    auto* plain = Add<TSeeThrough>(parent, {30, 30, 90, 90});
    auto* bordered = new TSeeThrough(form.get());
    bordered->Bordered = true;
    bordered->SetBoundsRect({100, 30, 160, 90});
    bordered->SetParent(parent);
    form->Show();
    UpdateAllWindows();

    // Client (10, 10) of the plain one lies on parent (40, 40): the red block; its row 40 on the
    // green strip; (0, 0) on the yellow face.
    EXPECT_EQ(PixelOf(*plain, 0, 0), Yellow);
    EXPECT_EQ(PixelOf(*plain, 10, 10), Red);
    EXPECT_EQ(PixelOf(*plain, 29, 29), Red);
    EXPECT_EQ(PixelOf(*plain, 30, 30), Yellow);
    EXPECT_EQ(PixelOf(*plain, 5, 40), Green);
    // The border moves the client area by its width: client (0, 38) lies on parent row 70.
    EXPECT_EQ(PixelOf(*bordered, 0, 37), Yellow);
    EXPECT_EQ(PixelOf(*bordered, 0, 38), Green);

    // With a rectangle only that part shows the parent; the rest keeps the control's own erase.
    const TRect only{0, 0, 15, 15};
    plain->Only = &only;
    plain->Invalidate();
    UpdateAllWindows();
    EXPECT_EQ(PixelOf(*plain, 12, 12), Red);
    EXPECT_EQ(PixelOf(*plain, 20, 20), gdi::RGB(0, 0, 255));
    plain->Only = nullptr;

    gdi::HDC dc = GetDC(plain->Handle());
    EXPECT_THROW(gdi::GetThemeServices().DrawParentBackground(nullptr, dc, nullptr, false), rtl::Exception);
    ReleaseDC(plain->Handle(), dc);
}

class TCheckedLink : public TWinControlActionLink {
public:
    using TWinControlActionLink::TWinControlActionLink;
    bool IsCheckedLinked() const override { return true; }
    void SetChecked(bool value) override { Checked = value; }
    bool Checked = false;
};

class TLinkedBox : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    TControlActionLinkClass GetActionLinkClass() const override { return &NewActionLink<TCheckedLink>; }
};

TEST_F(ControlCalls, AControlChoosesTheClassOfItsActionLink) {
    TAction action(form.get());
    auto* plain = Add<TWinControl>(form.get(), {0, 0, 10, 10});
    auto* box = Add<TLinkedBox>(form.get(), {0, 0, 10, 10});
    plain->SetAction(&action);
    box->SetAction(&action);
    EXPECT_NE(dynamic_cast<TWinControlActionLink*>(plain->ActionLink()), nullptr);
    auto* link = dynamic_cast<TCheckedLink*>(box->ActionLink());
    ASSERT_NE(link, nullptr);
    action.SetChecked(true);
    EXPECT_TRUE(link->Checked);
    box->SetAction(nullptr);
    plain->SetAction(nullptr);
}

TEST_F(ControlCalls, ALinkedControlFollowsItsActionWhileTheyAgree) {
    TAction action(form.get());
    action.SetCaption("导出");
    auto* control = Add<TWinControl>(form.get(), {0, 0, 10, 10});
    control->SetAction(&action);
    EXPECT_EQ(control->Caption(), "导出");
    action.SetCaption("下一步");
    action.SetEnabled(false);
    EXPECT_EQ(control->Caption(), "下一步");
    EXPECT_FALSE(control->Enabled());
    // A caption of the control's own stays.
    control->SetCaption("关闭");
    action.SetCaption("上一步");
    EXPECT_EQ(control->Caption(), "关闭");
    control->SetAction(nullptr);
}

// A control that keeps a drop button's room at the right of its non-client area and claims it.
class TDropProbe : public TWinControl {
public:
    explicit TDropProbe(TComponent* owner) : TWinControl(owner) {}
    bool Ctl3DBorder = true;
    bool OverButton = false;

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        ApplyBorderStyle(p, bsSingle, Ctl3DBorder);
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == win::WM_NCCALCSIZE && m.LParam != 0)
            reinterpret_cast<TRect*>(m.LParam)->right -= 16;
        TWinControl::WndProc(m);
        if (m.Msg == win::WM_NCHITTEST) {
            OverButton = m.Result == win::HTNOWHERE;
            if (OverButton)
                m.Result = win::HTCLIENT;
        }
    }
};

TEST_F(ControlCalls, TheHitTestAnswersTheBorderOnlyOnTheFrameSoACarvedOutButtonIsFound) {
    auto* drop = Add<TDropProbe>(form.get(), {10, 10, 110, 35}); // 100 x 25, client edge of 2
    auto* flat = new TDropProbe(form.get());
    flat->Ctl3DBorder = false; // a one-pixel border
    flat->SetBoundsRect({10, 50, 110, 75});
    flat->SetParent(form.get());
    form->Show();
    auto hit = [](TWinControl* c, int x, int y) {
        const TPoint o = c->ClientToScreen(TPoint{0, 0});
        const TRect a = c->Handle()->ClientArea();
        return SendMessage(c->Handle(), win::WM_NCHITTEST, 0,
                           PointToLParam(TPoint{o.x - a.left + x, o.y - a.top + y}));
    };
    struct Case {
        TDropProbe* control;
        int x, y;
        LRESULT expected;
        bool overButton;
    };
    const Case cases[] = {
        {drop, 0, 0, win::HTBORDER, false},   {drop, 1, 12, win::HTBORDER, false},
        {drop, 99, 12, win::HTBORDER, false}, {drop, 50, 24, win::HTBORDER, false},
        {drop, 2, 2, win::HTCLIENT, false},   {drop, 81, 12, win::HTCLIENT, false},
        {drop, 82, 12, win::HTCLIENT, true},  {drop, 97, 2, win::HTCLIENT, true},
        {drop, 98, 12, win::HTBORDER, false}, {flat, 0, 12, win::HTBORDER, false},
        {flat, 1, 12, win::HTCLIENT, false},  {flat, 83, 12, win::HTCLIENT, true},
        {flat, 99, 12, win::HTBORDER, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hit(c.control, c.x, c.y), c.expected) << c.x << "," << c.y;
        EXPECT_EQ(c.control->OverButton, c.overButton) << c.x << "," << c.y;
    }

    // The scroll bar of a scroll box and the caption of a form keep their own answers.
    auto* box = Add<TScrollBox>(form.get(), {120, 10, 220, 60});
    auto* tall = Add<TWinControl>(box, {0, 0, 50, 200});
    (void)tall;
    ASSERT_TRUE(box->VertScrollBarVisible());
    const TPoint o = box->ClientOrigin();
    EXPECT_EQ(SendMessage(box->Handle(), win::WM_NCHITTEST, 0,
                          PointToLParam({o.x + box->ClientWidth() + 2, o.y + 5})),
              win::HTVSCROLL);
    // A page down and a page up move by the client height, each its own way.
    SendMessage(box->Handle(), win::WM_VSCROLL, win::SB_PAGEDOWN, 0);
    EXPECT_EQ(box->VertPosition(), box->ClientHeight());
    SendMessage(box->Handle(), win::WM_VSCROLL, win::SB_PAGEUP, 0);
    EXPECT_EQ(box->VertPosition(), 0);
    TForm captioned(nullptr);
    captioned.SetBounds(0, 0, 200, 100);
    captioned.HandleNeeded();
    EXPECT_EQ(SendMessage(captioned.Handle(), win::WM_NCHITTEST, 0, PointToLParam({50, 10})), win::HTCAPTION);
    EXPECT_EQ(SendMessage(captioned.Handle(), win::WM_NCHITTEST, 0, PointToLParam({1, 50})), win::HTBORDER);
}

// Records what a control reports of itself while WM_WINDOWPOSCHANGED is handled.
class TPosProbe : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<std::string> Seen;
    bool Swallow = false;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == win::WM_WINDOWPOSCHANGED) {
            const auto* pos = reinterpret_cast<const TWindowPos*>(m.LParam);
            Seen.push_back("pos old " + std::to_string(Width()) + "x" + std::to_string(Height()) + " new " +
                           std::to_string(pos->cx) + "x" + std::to_string(pos->cy) + " flags " +
                           std::to_string(pos->flags));
            if (Swallow)
                return;
        }
        if (m.Msg == win::WM_SIZE)
            Seen.push_back("size " + std::to_string(ClientWidth()));
        TWinControl::WndProc(m);
    }
};

TEST_F(ControlCalls, AWindowPositionChangeShowsTheOldSizeUntilItIsHandled) {
    auto* p = Add<TPosProbe>(form.get(), {10, 10, 60, 40});
    std::vector<std::string> subclassSaw;
    TWndMethod old = p->WindowProc;
    p->WindowProc = [&, old](TMessage& m) {
        if (m.Msg == win::WM_WINDOWPOSCHANGED)
            subclassSaw.push_back(std::to_string(p->Width()));
        old(m);
    };
    form->Show();
    p->Seen.clear();
    p->SetBounds(10, 10, 70, 30);
    EXPECT_EQ(p->Seen, (std::vector<std::string>{
                           "pos old 50x30 new 70x30 flags " + std::to_string(win::SWP_NOMOVE), "size 70"}));
    EXPECT_EQ(subclassSaw, (std::vector<std::string>{"50"}));
    EXPECT_EQ(p->Width(), 70);

    // A receiver that keeps the message to itself still leaves the control at its new place.
    p->Seen.clear();
    p->Swallow = true;
    p->SetBounds(20, 10, 70, 30);
    EXPECT_EQ(p->Seen,
              (std::vector<std::string>{"pos old 70x30 new 70x30 flags " + std::to_string(win::SWP_NOSIZE)}));
    EXPECT_EQ(p->BoundsRect(), (TRect{20, 10, 90, 40}));
}

TEST_F(ControlCalls, EnableWindowSwitchesTheWindowAndCancelsItsCapture) {
    auto* p = Add<TPosProbe>(form.get(), {10, 10, 60, 40});
    int clicks = 0;
    p->OnClick = [&](TObject*) { ++clicks; };
    std::vector<std::string> heard;
    TWndMethod old = p->WindowProc;
    p->WindowProc = [&, old](TMessage& m) {
        if (m.Msg == win::WM_ENABLE)
            heard.push_back("enable " + std::to_string(m.WParam));
        if (m.Msg == win::WM_CANCELMODE)
            heard.push_back("cancel mode");
        old(m);
    };
    form->Show();
    SetCapture(p->Handle());
    EXPECT_FALSE(EnableWindow(p->Handle(), false));
    EXPECT_TRUE(EnableWindow(p->Handle(), false));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(p->Handle()));
    EXPECT_TRUE(p->Enabled()); // the window, not the control
    input::Click(input::CentreOf(*p));
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(EnableWindow(p->Handle(), true));
    input::Click(input::CentreOf(*p));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(heard, (std::vector<std::string>{"cancel mode", "enable 0", "enable 1"}));

    // The control's Enabled reaches its window the same way.
    heard.clear();
    p->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(p->Handle()));
    EXPECT_EQ(heard, (std::vector<std::string>{"cancel mode", "enable 0"}));
}

TEST_F(ControlCalls, MessageBeepIsRecordedAndClearedWithTheDialogRecords) {
    EXPECT_TRUE(MessageBeep(0));
    EXPECT_TRUE(MessageBeep(win::MB_SIMPLEBEEP));
    EXPECT_EQ(DialogService().Beeps(), (std::vector<unsigned>{0, win::MB_SIMPLEBEEP}));
    DialogService().ClearRecords();
    EXPECT_TRUE(DialogService().Beeps().empty());
}

class TMirrored : public TWinControl {
public:
    using TWinControl::TWinControl;
    TAlignment GetControlsAlignment() const override { return taRightJustify; }
};

TEST_F(ControlCalls, RightToLeftAlignmentFollowsTheBiDiMode) {
    auto* c = Add<TWinControl>(form.get(), {0, 0, 10, 10});
    const std::pair<TBiDiMode, bool> cases[] = {{bdLeftToRight, false},
                                                {bdRightToLeft, true},
                                                {bdRightToLeftNoAlign, false},
                                                {bdRightToLeftReadingOnly, false}};
    for (auto [mode, expected] : cases) {
        c->SetBiDiMode(mode);
        EXPECT_EQ(c->UseRightToLeftAlignment(), expected) << mode;
    }
    EXPECT_EQ(c->GetControlsAlignment(), taLeftJustify);
    TControl* mirrored = Add<TMirrored>(form.get(), {0, 0, 10, 10});
    EXPECT_EQ(mirrored->GetControlsAlignment(), taRightJustify);
}

// A page refuses Visible from outside; its page control shows it through the framework directly.
class TPage : public TWinControl {
public:
    using TWinControl::TWinControl;
    void SetVisible(bool) override {
        throw EInvalidOperation("You cannot change the Visible property of a page");
    }
    void SetColor(TColor color) override {
        ColorsSet.push_back(color);
        TWinControl::SetColor(color);
    }
    std::vector<TColor> ColorsSet;
};

[[maybe_unused]] const auto registerPage = RegisterClass<TPage, TWinControl>("TCallsTestPage");

class TPages : public TWinControl {
public:
    explicit TPages(TComponent* owner) : TWinControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    }
    void SetChildOrder(TComponent* child, int order) override {
        Orders.push_back(child->Name() + " " + std::to_string(order));
    }
    std::vector<std::string> Orders;
};

TEST_F(ControlCalls, SettersReachTheSubclassAndAnEqualColourChangesNothing) {
    auto* pages = Add<TPages>(form.get(), {0, 0, 100, 100});
    auto* page = Add<TPage>(pages, {0, 0, 100, 100});
    page->SetName("Page1");
    auto* other = Add<TPage>(pages, {0, 0, 100, 100});
    other->SetName("Page2");
    TControl& asControl = *page;

    EXPECT_THROW(asControl.Hide(), EInvalidOperation);
    EXPECT_THROW(SetOrdProp(*page, "Visible", 0), EInvalidOperation);
    EXPECT_TRUE(page->Visible());
    page->TControl::SetVisible(false);
    EXPECT_FALSE(page->Visible());

    SetOrdProp(*page, "Color", static_cast<std::int64_t>(gdi::clWindow));
    asControl.SetColor(Red);
    EXPECT_EQ(page->ColorsSet, (std::vector<TColor>{gdi::clWindow, Red}));

    static_cast<TWinControl*>(pages)->SetChildOrder(other, 0);
    EXPECT_EQ(pages->Orders, (std::vector<std::string>{"Page2 0"}));
    // The z-order is the framework's own business.
    other->BringToFront();
    EXPECT_EQ(pages->Orders.size(), 1u);
    EXPECT_EQ(pages->Controls(1), other);

    // An equal colour neither sends CM_COLORCHANGED nor ends following the parent's colour.
    auto* child = Add<TWinControl>(form.get(), {0, 0, 10, 10});
    child->SetParentColor(true);
    int changes = 0;
    TWndMethod old = child->WindowProc;
    child->WindowProc = [&, old](TMessage& m) {
        if (m.Msg == win::CM_COLORCHANGED)
            ++changes;
        old(m);
    };
    child->SetColor(child->Color());
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(child->ParentColor());
    child->SetColor(Red);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(child->ParentColor());
}

} // namespace
