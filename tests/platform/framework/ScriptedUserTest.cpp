// The scripted user drives a wizard-like form as a person would: it picks a tab by its caption,
// scrolls a row of a scroll box into view and checks the box in it, waits while timers run, and
// answers the closing message, whose picture is kept.
#include "platform/framework/CustomControl.h"
#include "platform/framework/Dialogs.h"
#include "platform/framework/ExtCtrls.h"
#include "platform/framework/Forms.h"
#include "platform/framework/Input.h"
#include "platform/framework/ScrollBox.h"
#include "platform/framework/StdCtrls.h"
#include "platform/framework/Timers.h"
#include "platform/framework/TypInfo.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Png.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace framework;

namespace {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// Tabs across the top; a press on a tab shows its page.
class TScriptTabs : public TCustomControl, public IScriptTabs {
public:
    explicit TScriptTabs(TComponent* owner) : TCustomControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
        SetColor(gdi::clBtnFace);
    }
    TPanel* AddPage(const std::string& caption) {
        auto* page = new TPanel(Owner());
        page->SetName("Sheet" + std::to_string(m_pages.size() + 1));
        page->SetCaption("");
        page->SetBevelOuter(bvNone);
        page->SetBounds(0, TabHeight, Width(), Height() - TabHeight);
        page->SetVisible(m_pages.empty());
        page->SetParent(this);
        m_pages.push_back(page);
        m_captions.push_back(caption);
        return page;
    }
    int ActiveIndex() const { return m_active; }
    bool ScriptTabRect(const std::string& caption, TRect& rect) const override {
        for (std::size_t i = 0; i < m_captions.size(); ++i)
            if (m_captions[i] == caption) {
                rect = TabRect(i);
                return true;
            }
        return false;
    }

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        for (std::size_t i = 0; i < m_captions.size(); ++i) {
            TRect r = TabRect(i);
            if (gdi::PtInRect(&r, TPoint{x, y})) {
                Select(static_cast<int>(i));
                Log().push_back("tab " + m_captions[i]);
            }
        }
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void Paint() override {
        TCanvas* c = Canvas();
        c->Font()->SetName("宋体");
        c->Font()->SetSize(9);
        for (std::size_t i = 0; i < m_captions.size(); ++i) {
            TRect r = TabRect(i);
            c->Brush()->SetColor(static_cast<int>(i) == m_active ? gdi::clWindow : gdi::clBtnFace);
            c->Pen()->SetColor(gdi::clBtnShadow);
            c->Rectangle(r);
            c->Brush()->SetStyle(bsClear);
            c->TextOut(r.left + 6, r.top + 4, m_captions[i]);
        }
    }

private:
    static constexpr int TabHeight = 20;
    static constexpr int TabWidth = 70;
    TRect TabRect(std::size_t i) const {
        const int left = static_cast<int>(i) * TabWidth;
        return TRect{left, 0, left + TabWidth, TabHeight};
    }
    void Select(int index) {
        if (index == m_active)
            return;
        m_pages[static_cast<std::size_t>(index)]->Show();
        m_pages[static_cast<std::size_t>(m_active)]->Hide();
        m_active = index;
        Invalidate();
    }
    std::vector<TPanel*> m_pages;
    std::vector<std::string> m_captions;
    int m_active = 0;
};

// A box that a click moves from unchecked to checked (through grayed when allowed), and back.
class TScriptBox : public TCustomControl, public IScriptCheckable {
public:
    explicit TScriptBox(TComponent* owner) : TCustomControl(owner) {
        SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks});
        SetBounds(0, 0, 120, 17);
    }
    enum TState { Unchecked, Checked, Grayed };
    TState State() const { return m_state; }
    bool AllowGrayed = false;
    bool ScriptChecked() const override { return m_state == Checked; }
    void Click() override {
        m_state = m_state == Unchecked ? (AllowGrayed ? Grayed : Checked)
                  : m_state == Checked ? Unchecked
                                       : Checked;
        Log().push_back("click " + Name());
        Invalidate();
        TCustomControl::Click();
    }

protected:
    void Paint() override {
        TCanvas* c = Canvas();
        c->Brush()->SetColor(gdi::clWindow);
        c->Pen()->SetColor(gdi::clBtnShadow);
        c->Rectangle(TRect{1, 2, 14, 15});
        if (m_state != Unchecked) {
            c->Brush()->SetColor(m_state == Checked ? gdi::RGB(0, 0, 255) : gdi::clGray);
            c->FillRect(TRect{4, 5, 11, 12});
        }
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetName("宋体");
        c->Font()->SetSize(9);
        c->TextOut(20, 2, Caption());
    }

private:
    TState m_state = Unchecked;
};

class TWizardForm : public TForm {
public:
    explicit TWizardForm(TComponent* owner) : TForm(owner) {
        SetName("WizardForm");
        SetCaption("导出向导");
        SetBorderStyle(bsDialog);
        SetBounds(100, 100, 320, 260);
        tabs = new TScriptTabs(this);
        tabs->SetName("Tabs");
        tabs->SetBounds(8, 8, 296, 170);
        tabs->SetParent(this);
        TPanel* general = tabs->AddPage("常规");
        TPanel* modules = tabs->AddPage("模块");

        // What a module library builds in the sheet it is given: owned by nobody on the form.
        auto* option = new TScriptBox(nullptr);
        option->SetName("ModuleOption");
        option->SetCaption("包含附件");
        option->SetBounds(10, 10, 120, 17);
        option->SetParent(general);

        rows = new TScrollBox(this);
        rows->SetName("Rows");
        rows->SetBounds(4, 4, 280, 104);
        rows->SetParent(modules);
        for (int i = 1; i <= 5; ++i) {
            auto* row = new TPanel(this);
            row->SetName("Row" + std::to_string(i));
            row->SetCaption("");
            row->SetBounds(0, (i - 1) * 40, 240, 40);
            row->SetParent(rows);
            auto* check = new TScriptBox(this);
            check->SetName("Row" + std::to_string(i) + "Check");
            check->SetCaption("模块 " + std::to_string(i));
            check->AllowGrayed = i == 3;
            check->SetBounds(8, 12, 120, 17);
            check->SetParent(row);
        }

        blink = new TTimer(this);
        blink->SetInterval(500);
        blink->OnTimer = [this](TObject*) { ++blinks; };

        auto* finish = new TButton(this);
        finish->SetName("FinishButton");
        finish->SetCaption("完成");
        finish->SetBounds(229, 190, 75, 25);
        finish->SetParent(this);
        finish->OnClick = [this](TObject*) {
            Application()->MessageBox("导出完成，共导出 1 个模块。", "Velmora 导出向导",
                                      MB_OK | MB_ICONINFORMATION);
            SetModalResult(mrOk);
        };
    }

    TScriptTabs* tabs;
    TScrollBox* rows;
    TTimer* blink;
    int blinks = 0;
};

[[maybe_unused]] const auto registerTabs = RegisterClass<TScriptTabs, TCustomControl>("TScriptTabs");
[[maybe_unused]] const auto registerBox = RegisterClass<TScriptBox, TCustomControl>("TScriptBox");
[[maybe_unused]] const auto registerWizard = RegisterClass<TWizardForm, TForm>("TWizardForm");

class ScriptedUserRun : public ::testing::Test {
protected:
    void SetUp() override {
        Log().clear();
        input::Reset();
        ScriptedUser().Reset();
        DialogService().ClearRecords();
        Application()->ClearErrors();
        form = std::make_unique<TWizardForm>(nullptr);
    }
    void TearDown() override {
        form.reset();
        ScriptedUser().Reset();
        input::Reset();
    }
    TScriptBox* Box(const char* name) { return dynamic_cast<TScriptBox*>(&form->FindScriptControl(name)); }
    std::unique_ptr<TWizardForm> form;
};

TEST_F(ScriptedUserRun, SelectsATabChecksARowOfAScrollBoxWaitsAndPicturesTheClosingMessage) {
    const std::string dir = TARNWICK_BINARY_DIR;
    std::vector<std::int64_t> hotTrack;
    ScriptedUser()
        .ScriptFor("WizardForm")
        .Check("ModuleOption")
        .SelectTab("Tabs", "模块")
        .Check("Row3Check")
        .Do([&](TCustomForm& f) {
            // A hot-tracking timer as a tab control runs one while the mouse is over a tab.
            SetTimer(form->tabs->Handle(), 1, 60);
            TWndMethod old = form->tabs->WindowProc;
            form->tabs->WindowProc = [&hotTrack, old](TMessage& m) {
                if (m.Msg == win::WM_TIMER)
                    hotTrack.push_back(Clock().Now());
                old(m);
            };
            SaveFormPng(f, dir + "/scripted_wizard.png");
        })
        .Wait(600)
        .Click("FinishButton");
    ScriptedUser().AnswerBox(IDOK, "导出完成，共导出 1 个模块。");
    const std::int64_t start = Clock().Now();

    EXPECT_EQ(form->ShowModal(), mrOk);

    EXPECT_TRUE(Application()->Errors().empty());
    EXPECT_EQ(form->tabs->ActiveIndex(), 1);
    EXPECT_GT(form->rows->VertPosition(), 0);
    EXPECT_EQ(Box("ModuleOption")->State(), TScriptBox::Checked);
    // The third row can be grayed, so it took two clicks; the other rows were left alone.
    EXPECT_EQ(Box("Row3Check")->State(), TScriptBox::Checked);
    EXPECT_EQ(Box("Row2Check")->State(), TScriptBox::Unchecked);
    EXPECT_EQ(Log(), (std::vector<std::string>{"click ModuleOption", "tab 模块", "click Row3Check",
                                               "click Row3Check"}));
    EXPECT_EQ(form->blinks, 1);
    EXPECT_EQ(hotTrack.size(), 10u);
    EXPECT_GE(Clock().Now() - start, 600);

    ASSERT_EQ(DialogService().Records().size(), 1u);
    const TDialogRecord& box = DialogService().Records()[0];
    const std::string png = dir + "/scripted_message_box.png";
    SaveMessageBoxPng(box, png);
    EXPECT_TRUE(std::filesystem::exists(png));
    TBitmap picture;
    RenderMessageBox(box, picture);
    EXPECT_GT(picture.Width(), 200);
    int iconPixels = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < 80; ++x)
            iconPixels += picture.Canvas()->Pixels(x, y) == gdi::RGB(30, 90, 200);
    EXPECT_GT(iconPixels, 400); // the blue disc of the information icon
}

TEST_F(ScriptedUserRun, ScriptsRefuseWhatAPersonCouldNotDo) {
    struct Case {
        std::function<void(TUserScript&)> script;
        std::string error;
    };
    const Case cases[] = {
        {[](TUserScript& s) { s.SelectTab("Tabs", "报告"); }, "Tabs (TScriptTabs) shows no tab '报告'"},
        {[](TUserScript& s) { s.SelectTab("Rows", "模块"); },
         "Rows (TScrollBox) has no tab '模块' to select"},
        {[](TUserScript& s) {
             s.ClickAt("Tabs", TPoint{296, 5});
         },
         "Tabs (TScriptTabs) has no point (296, 5) in its client area"},
        // The rows lie on the hidden page until its tab is chosen.
        {[](TUserScript& s) { s.Check("Row1Check"); },
         "Row1Check (TScriptBox) cannot be clicked: it is not shown"},
        {[](TUserScript& s) { s.Check("FinishButton"); }, "FinishButton (TButton) cannot be checked"},
    };
    for (const Case& c : cases) {
        c.script(ScriptedUser().ScriptFor("WizardForm"));
        try {
            form->ShowModal();
            ADD_FAILURE() << c.error;
        } catch (const EScriptError& e) {
            EXPECT_EQ(std::string(e.what()), c.error);
        }
    }
    EXPECT_THROW(TUserScript().Wait(-1), EScriptError);

    // A box that a click cannot reach stays as it is, and the script says so.
    Box("ModuleOption")->SetEnabled(false);
    ScriptedUser().ScriptFor("WizardForm").Check("ModuleOption");
    try {
        form->ShowModal();
        ADD_FAILURE();
    } catch (const EScriptError& e) {
        EXPECT_STREQ(e.what(), "ModuleOption (TScriptBox) is still unchecked after 3 clicks");
    }
}

TEST_F(ScriptedUserRun, ControlsPlacedInASheetAreFoundByNameOrByTheirSheet) {
    auto* other = new TScriptBox(nullptr);
    other->SetName("ModuleOption");
    other->SetParent(static_cast<TWinControl*>(form->FindComponent("Sheet2")));
    try {
        form->FindScriptControl("ModuleOption");
        ADD_FAILURE();
    } catch (const EScriptError& e) {
        EXPECT_STREQ(e.what(),
                     "Form WizardForm (TWizardForm) has 2 controls named ModuleOption; name the one "
                     "meant by its container (Sheet.Name)");
    }
    EXPECT_EQ(&form->FindScriptControl("Sheet2.ModuleOption"), other);
    EXPECT_NE(&form->FindScriptControl("sheet1.moduleoption"), other);
    EXPECT_EQ(&form->FindScriptControl("Row4Check"), form->FindComponent("Row4Check"));
}

TEST_F(ScriptedUserRun, AClickAtAPointScrollsItsRowIntoViewFirst) {
    std::vector<TPoint> presses;
    auto* row5 = Box("Row5Check");
    row5->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { presses.push_back({x, y}); };
    ScriptedUser()
        .ScriptFor("WizardForm")
        .SelectTab("Tabs", "模块")
        .ClickAt("Row5Check", TPoint{3, 4})
        .Do([&](TCustomForm&) {
            // The box of row 5 (172 to 189) lies within the 100-pixel client area after 12 arrow
            // clicks of 8 pixels.
            EXPECT_EQ(form->rows->VertPosition(), 96);
        })
        .SelectTab("Tabs", "常规")
        .Click("FinishButton");
    ScriptedUser().AnswerBox(IDOK);
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(presses, (std::vector<TPoint>{TPoint{3, 4}}));
    EXPECT_EQ(row5->State(), TScriptBox::Checked);
}

} // namespace
