#include "platform/framework/ComCtrls.h"
#include "platform/framework/ExtCtrls.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/ScrollBox.h"
#include "platform/framework/StdCtrls.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"
#include "platform/rtl/Utf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace framework;

namespace {

// Takes characters as a text box does; the form test uses it where the edit controls will go.
class TTypingBox : public TCustomControl {
public:
    explicit TTypingBox(TComponent* owner) : TCustomControl(owner) {
        SetInitialColor(gdi::clWindow);
        SetTabStop(true);
    }
    std::u32string Typed;

protected:
    void CreateParams(TCreateParams& p) override {
        TCustomControl::CreateParams(p);
        ApplyBorderStyle(p, bsSingle, true);
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == win::WM_GETDLGCODE) {
            m.Result = win::DLGC_WANTCHARS | win::DLGC_WANTARROWS;
            return;
        }
        TCustomControl::WndProc(m);
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        if (!Focused() && CanFocus())
            SetFocus();
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void KeyPress(char32_t& key) override {
        TCustomControl::KeyPress(key);
        if (key == 8) {
            if (!Typed.empty())
                Typed.pop_back();
        } else if (key >= 32) {
            Typed.push_back(key);
        }
        Invalidate();
    }
    void Paint() override {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
        Canvas()->Font()->Assign(Font());
        Canvas()->TextOut(2, 2, rtl::CodePointsToUtf8(Typed));
    }
};

class TStdForm : public TForm {
public:
    using TForm::TForm;
    void OkClick(TObject*) { Events.push_back("ok"); }
    std::vector<std::string> Events;
};

[[maybe_unused]] const auto registerTypingBox = RegisterClass<TTypingBox, TCustomControl>("TTypingBox");
[[maybe_unused]] const auto registerStdForm =
    RegisterClass<TStdForm, TForm>("TStdForm").Handler("OkClick", &TStdForm::OkClick);

template <class T> T* Find(TCustomForm& f, const char* name) {
    auto* c = dynamic_cast<T*>(f.FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

std::string FocusedName() {
    HWND h = GetFocus();
    return h != nullptr ? h->Control().Name() : "(none)";
}

class StdForm : public ::testing::Test {
protected:
    void SetUp() override {
        ScriptedUser().Reset();
        input::Reset();
        Application()->ClearErrors();
        form.reset(CreateForm<TStdForm>());
        for (const char* name : {"NameBox", "NoteBox", "Tree", "OkButton", "CancelButton"}) {
            auto* c = Find<TWinControl>(*form, name);
            c->OnEnter = [this, name](TObject*) { form->Events.push_back(std::string("enter ") + name); };
            c->OnExit = [this, name](TObject*) { form->Events.push_back(std::string("exit ") + name); };
        }
        for (const char* name : {"StdForm", "TopPanel", "BottomPanel", "OkButton", "CancelButton",
                                 "ClientPanel", "Box", "NameBox", "NoteBox", "Tree"}) {
            auto* c = std::string(name) == "StdForm" ? form.get() : Find<TControl>(*form, name);
            TWndMethod old = c->WindowProc;
            c->WindowProc = [this, name, old](TMessage& m) {
                if (m.Msg == win::WM_PAINT && m.WParam == 0)
                    paints.push_back(name);
                old(m);
            };
        }
    }
    void TearDown() override {
        form.reset();
        ScriptedUser().Reset();
        input::Reset();
    }
    std::unique_ptr<TStdForm> form;
    std::vector<std::string> paints;
};

TEST_F(StdForm, AScriptClicksTypesAndTabsThroughAFormFromItsResource) {
    auto* ok = Find<TButton>(*form, "OkButton");
    auto* name = Find<TTypingBox>(*form, "NameBox");
    auto* note = Find<TTypingBox>(*form, "NoteBox");
    // The bottom panel grew from 300 to the form's client width (420 less a 3-pixel frame), under a 19-pixel
    // caption.
    EXPECT_EQ(Find<TPanel>(*form, "BottomPanel")->BoundsRect(), (TRect{0, 254, 414, 295}));
    EXPECT_EQ(ok->Left(), 244);
    EXPECT_EQ(Find<TButton>(*form, "CancelButton")->Left(), 329);
    Find<TTreeView>(*form, "Tree")->Items()->AddChild(nullptr, "项目");

    std::vector<std::string> order;
    const std::string png = std::string(TARNWICK_BINARY_DIR) + "/std_form.png";
    ScriptedUser()
        .ScriptFor("TStdForm")
        .Do([&](TCustomForm& f) {
            EXPECT_EQ(f.ActiveControl(), name);
            EXPECT_EQ(FocusedName(), "NameBox");
        })
        .Type("NameBox", "ab 中文")
        .PressKey(win::VK_TAB)
        .Do([&](TCustomForm&) { order.push_back(FocusedName()); })
        .Type("NoteBox", "x")
        .PressKey(win::VK_TAB)
        .Do([&](TCustomForm&) { order.push_back(FocusedName()); })
        .PressKey(win::VK_TAB)
        .Do([&](TCustomForm&) { order.push_back(FocusedName()); })
        .PressKey(win::VK_TAB)
        .Do([&](TCustomForm&) { order.push_back(FocusedName()); })
        .PressKey(win::VK_TAB)
        .Do([&](TCustomForm&) { order.push_back(FocusedName()); })
        .PressKey(win::VK_A + 13, {}, {ssAlt})
        .Do([&](TCustomForm&) { order.push_back(FocusedName()); })
        .Click("NoteBox")
        .Do([&](TCustomForm& f) {
            order.push_back(FocusedName());
            SaveFormPng(f, png);
        })
        .PressKey(win::VK_RETURN);

    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_TRUE(Application()->Errors().empty());
    EXPECT_EQ(order, (std::vector<std::string>{"NoteBox", "Tree", "OkButton", "CancelButton", "NameBox",
                                               "NameBox", "NoteBox"}));
    EXPECT_EQ(rtl::CodePointsToUtf8(name->Typed), "ab 中文");
    EXPECT_EQ(rtl::CodePointsToUtf8(note->Typed), "x");
    EXPECT_EQ(form->Events,
              (std::vector<std::string>{"enter NameBox", "exit NameBox", "enter NoteBox", "exit NoteBox",
                                        "enter Tree", "exit Tree", "enter OkButton", "exit OkButton",
                                        "enter CancelButton", "exit CancelButton", "enter NameBox",
                                        "exit NameBox", "enter NoteBox", "ok"}));
    // Parents paint before their children, in z-order.
    ASSERT_GE(paints.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(paints.begin(), paints.begin() + 10),
              (std::vector<std::string>{"StdForm", "TopPanel", "BottomPanel", "OkButton", "CancelButton",
                                        "ClientPanel", "Box", "NameBox", "NoteBox", "Tree"}));
    EXPECT_TRUE(std::filesystem::exists(png));
}

TEST_F(StdForm, EscapeClicksTheCancelButtonAndTheFormCanBeRenderedToABitmap) {
    ScriptedUser()
        .ScriptFor("TStdForm")
        .Do([](TCustomForm& f) {
            TBitmap bitmap;
            RenderForm(f, bitmap);
            EXPECT_EQ(bitmap.Width(), 420);
            EXPECT_EQ(bitmap.Height(), 320);
            // The caption bar, then the button face of the top panel.
            EXPECT_EQ(bitmap.Canvas()->Pixels(100, 10), gdi::GetSysColor(gdi::COLOR_ACTIVECAPTION));
            auto* top = static_cast<TControl*>(f.FindComponent("TopPanel"));
            TPoint p = top->ClientToScreen(TPoint{200, 30});
            EXPECT_EQ(bitmap.Canvas()->Pixels(p.x - f.Left(), p.y - f.Top()),
                      gdi::GetSysColor(gdi::COLOR_BTNFACE));
        })
        .PressKey(win::VK_ESCAPE);
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_TRUE(form->Events.size() >= 1 && form->Events.back() != "ok");
}

} // namespace
