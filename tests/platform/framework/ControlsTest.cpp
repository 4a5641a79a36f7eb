#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/Timers.h"
#include "platform/framework/WinControl.h"
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace framework;

namespace {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// A windowed control that takes the focus and can have the default border.
class TProbe : public TWinControl {
public:
    explicit TProbe(TComponent* owner) : TWinControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
        SetTabStop(true);
        SetBounds(0, 0, 60, 30);
    }
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style) {
        m_borderStyle = style;
        RecreateWnd();
    }
    int DlgCode = 0;

protected:
    void CreateParams(TCreateParams& p) override {
        TWinControl::CreateParams(p);
        ApplyBorderStyle(p, m_borderStyle, Ctl3D());
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == win::WM_GETDLGCODE) {
            m.Result = DlgCode;
            return;
        }
        TWinControl::WndProc(m);
    }
    void DoEnter() override {
        Log().push_back("enter " + Name());
        TWinControl::DoEnter();
    }
    void DoExit() override {
        Log().push_back("exit " + Name());
        TWinControl::DoExit();
    }
    void KeyDown(std::uint16_t& key, TShiftState shift) override {
        Log().push_back("keydown " + Name() + " " + std::to_string(key));
        TWinControl::KeyDown(key, shift);
    }
    void KeyPress(char32_t& key) override {
        Log().push_back("char " + Name() + " " + std::to_string(static_cast<unsigned>(key)));
        TWinControl::KeyPress(key);
    }

private:
    TBorderStyle m_borderStyle = bsNone;
};

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        Log().clear();
        input::Reset();
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override {
        form->Hide();
        form.reset();
        input::Reset();
    }
    template <class T = TProbe> T* Add(TWinControl* parent, const std::string& name, TRect r) {
        auto* c = new T(form.get());
        c->SetName(name);
        c->SetBoundsRect(r);
        c->SetParent(parent);
        return c;
    }
    std::unique_ptr<TForm> form;
};

TEST_F(Controls, AlignmentFillsTopBottomLeftRightThenClientAndAnchorsFollowResizes) {
    auto* top = Add(form.get(), "Top", {0, 0, 10, 40});
    top->SetAlign(alTop);
    auto* bottom = Add(form.get(), "Bottom", {0, 0, 10, 50});
    bottom->SetAlign(alBottom);
    bottom->SetBorderWidth(5);
    auto* left = Add(form.get(), "Left", {0, 0, 30, 10});
    left->SetAlign(alLeft);
    auto* right = Add(form.get(), "Right", {0, 0, 20, 10});
    right->SetAlign(alRight);
    auto* client = Add(form.get(), "Client", {0, 0, 1, 1});
    client->SetAlign(alClient);
    auto* ok = Add(bottom, "Ok", {300, 10, 375, 35});
    ok->SetAnchors({akRight, akBottom});
    auto* stretch = Add(bottom, "Stretch", {10, 10, 110, 35});
    stretch->SetAnchors({akLeft, akRight});

    EXPECT_EQ(top->BoundsRect(), (TRect{0, 0, 400, 40}));
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 250, 400, 300}));
    EXPECT_EQ(left->BoundsRect(), (TRect{0, 40, 30, 250}));
    EXPECT_EQ(right->BoundsRect(), (TRect{380, 40, 400, 250}));
    EXPECT_EQ(client->BoundsRect(), (TRect{30, 40, 380, 250}));

    form->SetBounds(100, 100, 500, 320);
    EXPECT_EQ(bottom->BoundsRect(), (TRect{0, 270, 500, 320}));
    EXPECT_EQ(client->BoundsRect(), (TRect{30, 40, 480, 270}));
    EXPECT_EQ(ok->BoundsRect(), (TRect{400, 10, 475, 35}));
    EXPECT_EQ(stretch->BoundsRect(), (TRect{10, 10, 210, 35}));

    // A second top control stacks below the first; constraints bound what alignment gives.
    auto* top2 = Add(form.get(), "Top2", {0, 100, 10, 120});
    top2->SetAlign(alTop);
    client->Constraints()->SetMaxWidth(100);
    form->Realign();
    EXPECT_EQ(top2->BoundsRect(), (TRect{0, 40, 500, 60}));
    EXPECT_EQ(client->BoundsRect(), (TRect{30, 60, 130, 270}));
}

TEST_F(Controls, TheDefaultBorderFollowsBorderStyleAndCtl3D) {
    auto* p = Add(form.get(), "P", {10, 10, 70, 40});
    p->SetColor(gdi::RGB(255, 255, 0));
    form->Show();
    EXPECT_EQ(p->ClientRect(), (TRect{0, 0, 60, 30}));

    p->SetBorderStyle(bsSingle);
    EXPECT_TRUE(GetWindowLong(p->Handle(), win::GWL_EXSTYLE) & win::WS_EX_CLIENTEDGE);
    EXPECT_EQ(p->ClientRect(), (TRect{0, 0, 56, 26}));
    EXPECT_EQ(p->ClientOrigin(), (TPoint{112, 112}));
    UpdateAllWindows();
    gdi::HDC dc = GetWindowDC(p->Handle());
    EXPECT_EQ(gdi::GetPixel(dc, 0, 0), gdi::GetSysColor(gdi::COLOR_BTNSHADOW));
    EXPECT_EQ(gdi::GetPixel(dc, 59, 29), gdi::GetSysColor(gdi::COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(gdi::GetPixel(dc, 2, 2), gdi::RGB(255, 255, 0));
    ReleaseDC(p->Handle(), dc);
    auto hit = [&](int x, int y) {
        return SendMessage(p->Handle(), win::WM_NCHITTEST, 0, PointToLParam(TPoint{110 + x, 110 + y}));
    };
    EXPECT_EQ(hit(1, 1), win::HTBORDER);
    EXPECT_EQ(hit(30, 15), win::HTCLIENT);
    EXPECT_EQ(hit(70, 15), win::HTNOWHERE);

    p->SetCtl3D(false);
    EXPECT_TRUE(GetWindowLong(p->Handle(), win::GWL_STYLE) & win::WS_BORDER);
    EXPECT_EQ(p->ClientRect(), (TRect{0, 0, 58, 28}));
    UpdateAllWindows();
    dc = GetWindowDC(p->Handle());
    EXPECT_EQ(gdi::GetPixel(dc, 0, 0), gdi::GetSysColor(gdi::COLOR_WINDOWFRAME));
    EXPECT_EQ(gdi::GetPixel(dc, 1, 1), gdi::RGB(255, 255, 0));
    ReleaseDC(p->Handle(), dc);
}

// Non-client area that is no border answers HTNOWHERE by default.
class TMarginProbe : public TProbe {
public:
    using TProbe::TProbe;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == win::WM_NCCALCSIZE) {
            gdi::InflateRect(reinterpret_cast<TRect*>(m.LParam), -5, -5);
            return;
        }
        TProbe::WndProc(m);
    }
};

TEST_F(Controls, NonClientAreaWithoutABorderIsNowhere) {
    auto* p = Add<TMarginProbe>(form.get(), "M", {0, 0, 40, 40});
    form->Show();
    EXPECT_EQ(p->ClientRect(), (TRect{0, 0, 30, 30}));
    EXPECT_EQ(SendMessage(p->Handle(), win::WM_NCHITTEST, 0, PointToLParam(TPoint{102, 102})),
              win::HTNOWHERE);
    EXPECT_EQ(WindowFromPoint(TPoint{102, 102}), p->Handle());
}

struct MouseRecord {
    std::vector<std::string> events;
};

TEST_F(Controls, CaptureKeepsTheMouseOutsideTheControlWithNegativeClientPositions) {
    auto* p = Add(form.get(), "P", {50, 50, 110, 80});
    std::vector<TPoint> moves;
    int clicks = 0;
    p->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { moves.push_back({x, y}); };
    p->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    input::PressButton(mbLeft, TPoint{160, 160});
    EXPECT_EQ(GetCapture(), p->Handle());
    input::MoveMouse(TPoint{120, 130});
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), (TPoint{-30, -20}));
    input::ReleaseButton(mbLeft, TPoint{120, 130});
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(clicks, 0);
    input::Click(TPoint{160, 160});
    EXPECT_EQ(clicks, 1);

    // A windowless control captures through its parent's window.
    auto* g = new TControl(form.get());
    g->SetBounds(200, 50, 20, 20);
    g->SetParent(form.get());
    std::vector<TPoint> gmoves;
    g->OnMouseMove = [&](TObject*, TShiftState, int x, int y) { gmoves.push_back({x, y}); };
    input::PressButton(mbLeft, TPoint{305, 155});
    EXPECT_EQ(GetCaptureControl(), g);
    input::MoveMouse(TPoint{290, 140});
    ASSERT_FALSE(gmoves.empty());
    EXPECT_EQ(gmoves.back(), (TPoint{-10, -10}));
    input::ReleaseButton(mbLeft, TPoint{290, 140});
    EXPECT_EQ(GetCaptureControl(), nullptr);
}

TEST_F(Controls, DoubleClicksNeedCsDoubleClicksOtherwiseTheSecondPressIsPlain) {
    auto* p = Add(form.get(), "P", {0, 0, 50, 50});
    std::vector<std::string> events;
    p->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, int, int) {
        events.push_back(s.Contains(ssDouble) ? "double" : "down");
    };
    p->OnDblClick = [&](TObject*) { events.push_back("dblclick"); };
    form->Show();
    input::DoubleClick(TPoint{110, 110});
    EXPECT_EQ(events, (std::vector<std::string>{"down", "dblclick", "double"}));

    events.clear();
    Clock().Advance(1000);
    p->SetControlStyle(p->ControlStyle() - TControlStyle{csDoubleClicks});
    input::DoubleClick(TPoint{110, 110});
    EXPECT_EQ(events, (std::vector<std::string>{"down", "down"}));

    // Presses too far apart in time are two single presses.
    events.clear();
    p->SetControlStyle(p->ControlStyle() + TControlStyle{csDoubleClicks});
    Clock().Advance(1000);
    input::Click(TPoint{110, 110});
    Clock().Advance(input::DoubleClickTime + 1);
    input::Click(TPoint{110, 110});
    EXPECT_EQ(events, (std::vector<std::string>{"down", "down"}));
}

TEST_F(Controls, MouseEnterAndLeaveFollowWindowedAndWindowlessControls) {
    auto* p = Add(form.get(), "P", {0, 0, 100, 100});
    auto* g = new TControl(form.get());
    g->SetName("G");
    g->SetBounds(10, 10, 20, 20);
    g->SetParent(p);
    std::vector<std::string> events;
    auto watch = [&](TControl* c) {
        TWndMethod old = c->WindowProc;
        c->WindowProc = [&events, c, old](TMessage& m) {
            if (m.Msg == win::CM_MOUSEENTER)
                events.push_back("enter " + c->Name());
            if (m.Msg == win::CM_MOUSELEAVE)
                events.push_back("leave " + c->Name());
            old(m);
        };
    };
    watch(p);
    watch(g);
    form->Show();
    input::MoveMouse(TPoint{150, 150});
    input::MoveMouse(TPoint{115, 115});
    input::MoveMouse(TPoint{180, 180});
    input::MoveMouse(TPoint{300, 300});
    EXPECT_EQ(events,
              (std::vector<std::string>{"enter P", "leave P", "enter G", "leave G", "enter P", "leave P"}));
}

TEST_F(Controls, FocusMovesWithEnterAndExitAndTabFollowsTheTabOrder) {
    auto* box = Add(form.get(), "Box", {0, 0, 200, 100});
    box->SetTabStop(false);
    auto* a = Add(box, "A", {0, 0, 50, 20});
    auto* b = Add(box, "B", {60, 0, 110, 20});
    auto* c = Add(form.get(), "C", {0, 150, 50, 170});
    b->SetTabOrder(0);
    std::vector<std::string> focusChanged;
    TWndMethod old = c->WindowProc;
    c->WindowProc = [&, old](TMessage& m) {
        if (m.Msg == win::CM_FOCUSCHANGED)
            focusChanged.push_back(reinterpret_cast<TWinControl*>(m.LParam)->Name());
        old(m);
    };
    form->Show();
    EXPECT_EQ(form->ActiveControl(), b);
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(Log(), (std::vector<std::string>{"enter Box", "enter B"}));

    Log().clear();
    input::PressKey(win::VK_TAB);
    EXPECT_TRUE(a->Focused());
    input::PressKey(win::VK_TAB);
    EXPECT_TRUE(c->Focused());
    EXPECT_EQ(Log(), (std::vector<std::string>{"exit B", "enter A", "exit A", "exit Box", "enter C"}));
    input::PressKey(win::VK_TAB, {ssShift});
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(focusChanged, (std::vector<std::string>{"B", "A", "C", "A"}));

    // A control that wants Tab gets it as a key and a character.
    Log().clear();
    a->DlgCode = win::DLGC_WANTTAB | win::DLGC_WANTCHARS;
    input::PressKey(win::VK_TAB);
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(Log(), (std::vector<std::string>{"keydown A 9", "char A 9"}));

    b->SetEnabled(false);
    EXPECT_FALSE(b->CanFocus());
    EXPECT_THROW(b->SetFocus(), EInvalidOperation);
    c->Hide();
    input::PressKey(win::VK_TAB);
    EXPECT_TRUE(a->Focused()); // B is disabled and C hidden: Tab comes back to A
}

TEST_F(Controls, FreeingTheFocusedControlOrItsContainerLeavesTheFormWithoutIt) {
    auto* box = Add(form.get(), "Box", {0, 0, 200, 100});
    auto* a = Add(box, "A", {0, 0, 50, 20});
    auto* b = Add(form.get(), "B", {0, 150, 50, 170});
    form->Show();
    a->SetFocus();
    ASSERT_TRUE(a->Focused());
    delete a;
    EXPECT_EQ(form->ActiveControl(), nullptr);
    b->SetFocus();
    EXPECT_TRUE(b->Focused());
    auto* inner = Add(box, "Inner", {0, 0, 50, 20});
    inner->SetFocus();
    delete box;
    EXPECT_EQ(form->ActiveControl(), nullptr);
    input::PressKey(win::VK_TAB);
    EXPECT_TRUE(b->Focused());
    form->Hide();
}

TEST_F(Controls, DialogKeysReachTheInnermostContainerAroundTheFocusFirst) {
    auto* outer = Add(form.get(), "Outer", {0, 0, 300, 200});
    auto* inner = Add(outer, "Inner", {0, 0, 200, 100});
    auto* edit = Add(inner, "Edit", {0, 0, 50, 20});
    auto* other = Add(form.get(), "Other", {0, 210, 300, 250});
    std::vector<std::string> seen;
    auto route = [&](TWinControl* c, bool answer) {
        TWndMethod old = c->WindowProc;
        c->WindowProc = [&seen, c, old, answer](TMessage& m) {
            if (m.Msg == win::CM_DIALOGKEY) {
                old(m); // the framework's routing first, as a page control does
                seen.push_back(c->Name() + (m.Result != 0 ? " (answered)" : ""));
                if (m.Result == 0 && answer)
                    m.Result = 1;
                return;
            }
            old(m);
        };
    };
    route(outer, true);
    route(inner, true);
    route(other, true);
    form->Show();
    edit->SetFocus();
    input::PressKey(win::VK_RETURN);
    EXPECT_EQ(seen, (std::vector<std::string>{"Inner", "Outer (answered)"}));

    // Keys the focused control asks for never become dialog keys.
    seen.clear();
    edit->DlgCode = win::DLGC_WANTALLKEYS;
    Log().clear();
    input::PressKey(win::VK_RETURN);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(Log().front(), "keydown Edit 13");
}

TEST_F(Controls, WindowTimersRunOnTheVirtualClockAndDieWithTheHandle) {
    auto* p = Add(form.get(), "P", {0, 0, 50, 50});
    std::vector<std::pair<std::int64_t, WPARAM>> fired;
    TWndMethod old = p->WindowProc;
    p->WindowProc = [&, old](TMessage& m) {
        if (m.Msg == win::WM_TIMER)
            fired.push_back({Clock().Now(), m.WParam});
        old(m);
    };
    form->Show();
    const std::int64_t start = Clock().Now();
    SetTimer(p->Handle(), 7, 100);
    SetTimer(p->Handle(), 8, 250);
    Clock().Advance(300);
    ASSERT_EQ(fired.size(), 4u);
    EXPECT_EQ(fired[0], (std::pair<std::int64_t, WPARAM>{start + 100, 7}));
    EXPECT_EQ(fired[2], (std::pair<std::int64_t, WPARAM>{start + 250, 8}));
    EXPECT_EQ(fired[3], (std::pair<std::int64_t, WPARAM>{start + 300, 7}));
    EXPECT_TRUE(KillTimer(p->Handle(), 7));
    EXPECT_FALSE(KillTimer(p->Handle(), 7));
    fired.clear();
    p->DestroyHandle();
    Clock().Advance(1000);
    EXPECT_TRUE(fired.empty());
}

TEST_F(Controls, PaintingGoesThroughUpdateRegionsAndPostedMessagesWaitForTheLoop) {
    auto* p = Add(form.get(), "P", {10, 10, 60, 40});
    p->SetColor(gdi::RGB(0, 0, 255));
    std::vector<std::string> paints;
    TWndMethod old = p->WindowProc;
    p->WindowProc = [&, old](TMessage& m) {
        if (m.Msg == win::WM_ERASEBKGND)
            paints.push_back("erase");
        if (m.Msg == win::WM_PAINT && m.WParam == 0)
            paints.push_back("paint");
        if (m.Msg == win::WM_USER)
            paints.push_back("user");
        old(m);
    };
    form->Show();
    Application()->ProcessMessages();
    EXPECT_EQ(paints, (std::vector<std::string>{"paint", "erase"}));
    paints.clear();
    TRect r{0, 0, 10, 10};
    InvalidateRect(p->Handle(), &r, false);
    PostMessage(p->Handle(), win::WM_USER);
    EXPECT_TRUE(paints.empty());
    Application()->ProcessMessages();
    EXPECT_EQ(paints, (std::vector<std::string>{"user", "paint"}));

    gdi::Surface shot(400, 300, 32);
    ComposeWindow(form->Handle(), shot, 0, 0);
    EXPECT_EQ(shot.Pixel(20, 20), gdi::RGB(0, 0, 255));
    EXPECT_EQ(shot.Pixel(5, 5), gdi::ColorToRGB(gdi::clBtnFace));

    // A message for a window that is gone by then is dropped.
    PostMessage(p->Handle(), win::WM_USER);
    p->DestroyHandle();
    paints.clear();
    Application()->ProcessMessages();
    EXPECT_TRUE(std::find(paints.begin(), paints.end(), "user") == paints.end());
}

TEST_F(Controls, RepaintPaintsAWindowedControlAtOnce) {
    auto* p = Add(form.get(), "P", {10, 10, 60, 40});
    int paints = 0;
    TWndMethod old = p->WindowProc;
    p->WindowProc = [&, old](TMessage& m) {
        if (m.Msg == win::WM_PAINT && m.WParam == 0)
            ++paints;
        old(m);
    };
    form->Show();
    Application()->ProcessMessages();
    paints = 0;
    p->Repaint();
    EXPECT_EQ(paints, 1);
    EXPECT_FALSE(p->Handle()->HasUpdate());
}

class TFailingPaint : public TProbe {
public:
    using TProbe::TProbe;
    bool Fail = false;

protected:
    void PaintWindow(gdi::HDC dc) override {
        if (Fail)
            throw rtl::Exception("no paint");
        TProbe::PaintWindow(dc);
    }
};

// A paint that fails reaches the caller, and the paint still ends: its context goes (under the
// sanitizers one left behind is a leak), also when the control paints through a buffer.
TEST_F(Controls, APaintThatFailsStillEnds) {
    auto* p = Add<TFailingPaint>(form.get(), "P", {10, 10, 60, 40});
    p->SetColor(gdi::RGB(0, 0, 255));
    bool& fail = p->Fail;
    form->Show();
    Application()->ProcessMessages();
    const int objects = gdi::LiveObjectCount();
    for (bool buffered : {false, true}) {
        SCOPED_TRACE(buffered ? "double-buffered" : "direct");
        p->SetDoubleBuffered(buffered);
        fail = true;
        EXPECT_THROW(p->Repaint(), rtl::Exception);
        EXPECT_EQ(gdi::LiveObjectCount(), objects);
        fail = false;
        p->SetColor(gdi::RGB(0, 255, 0));
        p->Repaint();
        gdi::Surface shot(400, 300, 32);
        ComposeWindow(form->Handle(), shot, 0, 0);
        EXPECT_EQ(shot.Pixel(20, 20), gdi::RGB(0, 255, 0));
        p->SetColor(gdi::RGB(0, 0, 255));
    }
}

} // namespace
