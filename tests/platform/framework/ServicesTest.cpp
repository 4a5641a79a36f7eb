#include "tests/platform/framework/TestControls.h"

#include "platform/framework/Clipbrd.h"
#include "platform/framework/ColorIdents.h"
#include "platform/framework/Timers.h"
#include "platform/framework/TypInfo.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace fwtest;

TEST(Timers, FireOnTheVirtualClockInTimeOrder) {
    TComponent owner(nullptr);
    auto* fast = new TTimer(&owner);
    auto* slow = new TTimer(&owner);
    fast->SetInterval(100);
    slow->SetInterval(250);
    std::vector<std::string> log;
    const std::int64_t start = Clock().Now();
    fast->OnTimer = [&](TObject*) { log.push_back("fast@" + std::to_string(Clock().Now() - start)); };
    slow->OnTimer = [&](TObject*) {
        log.push_back("slow@" + std::to_string(Clock().Now() - start));
        fast->SetEnabled(false);
    };
    Clock().Advance(99);
    EXPECT_TRUE(log.empty());
    Clock().Advance(401);
    EXPECT_EQ(log, (std::vector<std::string>{"fast@100", "fast@200", "slow@250", "slow@500"}));
    fast->SetEnabled(true); // restarts its interval from now
    Clock().Advance(100);
    EXPECT_EQ(log.back(), "fast@600");
    delete slow;
    delete fast;
    Clock().Advance(1000); // nothing left to fire
    EXPECT_EQ(log.size(), 5u);
    EXPECT_THROW(Clock().Advance(-1), rtl::ERangeError);
}

TEST(Timers, AnErrorInOnTimerGoesToTheApplication) {
    Application()->ClearErrors();
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = [](TObject*) { throw rtl::Exception("tick failed"); };
    Clock().Advance(25);
    EXPECT_EQ(Application()->Errors(), (std::vector<std::string>{"tick failed", "tick failed"}));
    Application()->ClearErrors();
}

namespace {

class RecordingLink : public TActionLink {
public:
    using TActionLink::TActionLink;
    void SetCaption(const std::string& v) override { Log.push_back("caption " + v); }
    void SetChecked(bool v) override { Log.push_back(std::string("checked ") + (v ? "1" : "0")); }
    void SetEnabled(bool v) override { Log.push_back(std::string("enabled ") + (v ? "1" : "0")); }
    void SetImageIndex(int v) override { Log.push_back("image " + std::to_string(v)); }
    bool IsImageIndexLinked() const override { return false; }
    std::vector<std::string> Log;
};

} // namespace

TEST(Actions, ChangesReachLinkedClientsAndExecuteRespectsEnabled) {
    TAction action(nullptr);
    RecordingLink link(nullptr);
    link.SetAction(&action);
    EXPECT_EQ(action.ClientCount(), 1);
    int executed = 0;
    action.OnExecute = [&](TObject*) { ++executed; };
    action.SetCaption("导出");
    action.SetCaption("导出"); // unchanged: nothing sent
    action.SetChecked(true);
    action.SetImageIndex(4); // this link does not take images
    action.SetEnabled(false);
    EXPECT_EQ(link.Log, (std::vector<std::string>{"caption 导出", "checked 1", "enabled 0"}));
    EXPECT_FALSE(link.Execute());
    action.SetEnabled(true);
    EXPECT_TRUE(link.Execute());
    EXPECT_EQ(executed, 1);
    {
        RecordingLink second(nullptr);
        second.SetAction(&action);
        EXPECT_EQ(action.ClientCount(), 2);
    }
    EXPECT_EQ(action.ClientCount(), 1);
}

TEST(Actions, ALinkOutlivingItsActionIsCleared) {
    RecordingLink link(nullptr);
    {
        TAction action(nullptr);
        link.SetAction(&action);
    }
    EXPECT_EQ(link.Action(), nullptr);
    EXPECT_FALSE(link.Execute());
}

TEST(Application, SlotsHoldTheOwnObjectsUntilReplaced) {
    TApplication* own = Application();
    TScreen* ownScreen = Screen();
    EXPECT_EQ(own, OwnApplication());
    EXPECT_EQ(ownScreen, OwnScreen());
    TApplication host(nullptr);
    TScreen hostScreen(nullptr);
    SetApplication(&host);
    SetScreen(&hostScreen);
    const TClassInfo* hint = FindClassInfo("TComponent");
    SetHintWindowClass(hint);
    {
        std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
        EXPECT_EQ(form->Owner(), &host);
        EXPECT_EQ(hostScreen.FormCount(), 1);
        EXPECT_EQ(hostScreen.Forms(0), form.get());
    }
    EXPECT_EQ(hostScreen.FormCount(), 0);
    EXPECT_EQ(HintWindowClass(), hint);
    SetApplication(own);
    SetScreen(ownScreen);
    SetHintWindowClass(nullptr);
    EXPECT_EQ(Application(), own);
}

TEST(Application, TitleExeNameMainFormAndHints) {
    TApplication app(nullptr);
    EXPECT_FALSE(app.ExeName().empty());
    EXPECT_EQ(app.ExeName().front(), '/');
    app.SetExeName("/opt/velmora/Velmora.exe");
    EXPECT_EQ(app.ExeName(), "/opt/velmora/Velmora.exe");
    {
        TTestForm form(&app);
        app.SetMainForm(&form);
        EXPECT_EQ(app.MainForm(), &form);
    }
    EXPECT_EQ(app.MainForm(), nullptr);
    app.ActivateHint();
    app.CancelHint();
    EXPECT_FALSE(app.HintActive());
    int ran = 0;
    app.Post([&] { ++ran; });
    EXPECT_EQ(ran, 0);
    app.ProcessMessages();
    EXPECT_EQ(ran, 1);
}

TEST(Application, ShowMessageIsAPlainWindowTitledWithTheApplication) {
    ScriptedUser().Reset();
    DialogService().ClearRecords();
    std::string oldTitle = Application()->Title();
    Application()->SetTitle("Velmora");
    ScriptedUser().AnswerBox(IDOK);
    ShowMessage("请选择导出的信息！");
    ASSERT_EQ(DialogService().Records().size(), 1u);
    EXPECT_EQ(DialogService().Records()[0].kind, TDialogKind::Message);
    EXPECT_EQ(DialogService().Records()[0].title, "Velmora");
    try {
        ShowMessage("第二条");
        FAIL();
    } catch (const EScriptError& e) {
        EXPECT_STREQ(e.what(), "Unexpected message \"第二条\" (title \"Velmora\"): no answer queued");
    }
    EXPECT_EQ(DialogService().Records().size(), 2u);
    ScriptedUser().AnswerBox(IDOK);
    EXPECT_EQ(Application()->MessageBox("done", "T", MB_OK | MB_ICONINFORMATION), IDOK);
    EXPECT_EQ(DialogService().Records().back().flags, 64);
    Application()->SetTitle(oldTitle);
}

TEST(Services, ClipboardMouseAndPlatformVersion) {
    Clipboard().Clear();
    EXPECT_FALSE(Clipboard().HasFormat(CF_TEXT));
    Clipboard().SetAsText("复制");
    EXPECT_TRUE(Clipboard().HasFormat(CF_TEXT));
    EXPECT_EQ(Clipboard().AsText(), "复制");
    Clipboard().Clear();

    EXPECT_EQ(Mouse().WheelScrollLines(), 3);
    Mouse().SetWheelScrollLines(5);
    EXPECT_EQ(Mouse().WheelScrollLines(), 5);
    Mouse().SetWheelScrollLines(3);

    EXPECT_EQ(Win32MajorVersion(), 5);
    SetPlatformVersion(4, 0);
    EXPECT_EQ(Win32MajorVersion(), 4);
    EXPECT_EQ(Win32MinorVersion(), 0);
    SetPlatformVersion(5, 1);
}

TEST(Services, ColourIdentifiers) {
    EXPECT_EQ(IdentToColor("clBtnFace"), 0xFF00000Fu);
    EXPECT_EQ(IdentToColor("CLWINDOW"), 0xFF000005u);
    EXPECT_EQ(IdentToColor("clNone"), 0x1FFFFFFFu);
    EXPECT_EQ(IdentToColor("clDefault"), 0x20000000u);
    EXPECT_EQ(ColorToIdent(0x0000FF), "clRed");
    EXPECT_EQ(ColorToIdent(15790320), std::nullopt);
    RegisterColorIdent("clLuPanelEdge", 0x00ABCDEF);
    EXPECT_EQ(IdentToColor("clLuPanelEdge"), 0x00ABCDEFu);
}

namespace {

// How many pixels of a picture have a colour.
int CountColour(TBitmap& b, gdi::COLORREF colour) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += b.Canvas()->Pixels(x, y) == static_cast<TColor>(colour);
    return n;
}

} // namespace

TEST(Dialogs, AMessageBoxIsDrawnWithTheIconItsFlagsNameAndItsButtons) {
    struct Case {
        TDialogKind kind;
        int flags;
        const char* file;
        gdi::COLORREF iconColour; // 0: no icon
        int buttons;
    };
    const Case cases[] = {
        {TDialogKind::MessageBox, MB_OK | MB_ICONINFORMATION, "box_information.png", gdi::RGB(30, 90, 200),
         1},
        {TDialogKind::MessageBox, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, "box_question.png",
         gdi::RGB(30, 90, 200), 2},
        {TDialogKind::MessageBox, MB_OKCANCEL | MB_ICONWARNING, "box_warning.png", gdi::RGB(240, 200, 0), 2},
        {TDialogKind::MessageBox, MB_YESNOCANCEL | MB_ICONERROR, "box_error.png", gdi::RGB(200, 30, 30), 3},
        {TDialogKind::Message, 0, "box_message.png", 0, 1},
    };
    int previousWidth = 0;
    for (const Case& c : cases) {
        TDialogRecord record;
        record.kind = c.kind;
        record.flags = c.flags;
        record.title = "Velmora";
        record.text = "项目已存在，是否覆盖？";
        TBitmap picture;
        RenderMessageBox(record, picture);
        SaveMessageBoxPng(record, std::string(TARNWICK_BINARY_DIR) + "/" + c.file);
        if (c.iconColour != 0) {
            EXPECT_GT(CountColour(picture, c.iconColour), 200) << c.file;
        } else {
            EXPECT_EQ(CountColour(picture, gdi::RGB(30, 90, 200)), 0) << c.file;
        }
        // Buttons are 75 pixels wide and set 6 apart: three of them widen the box.
        if (c.buttons == 3) {
            EXPECT_GT(picture.Width(), previousWidth);
        }
        previousWidth = picture.Width();
    }
    TDialogRecord open;
    open.kind = TDialogKind::Open;
    TBitmap none;
    EXPECT_THROW(RenderMessageBox(open, none), EInvalidOperation);
    TDialogRecord unknown;
    unknown.flags = 7;
    EXPECT_THROW(RenderMessageBox(unknown, none), EInvalidOperation);
}
