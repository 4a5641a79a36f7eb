#include "tests/platform/framework/TestControls.h"

#include <gtest/gtest.h>

#include <memory>

using namespace framework;
using namespace fwtest;

namespace {

class Modal : public ::testing::Test {
protected:
    void SetUp() override {
        ScriptedUser().Reset();
        DialogService().ClearRecords();
        Application()->ClearErrors();
    }
    void TearDown() override { ScriptedUser().Reset(); }
};

} // namespace

TEST_F(Modal, ScriptedRunAnswersBoxesAndDialogsAndEndsWithTheButtonsResult) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    ScriptedUser()
        .ScriptFor("TTestForm")
        .Type("NameEdit", "包")
        .Type("NameEdit", "一")
        .Check("Agree")
        .Click("ActionButton")
        .Do([](TCustomForm& f) {
            EXPECT_TRUE(f.Modal());
            EXPECT_EQ(Screen()->ActiveForm(), &f);
        })
        .Click("OkButton");
    ScriptedUser().AnswerBox(IDYES, "保存吗？");
    ScriptedUser().AnswerFile("/tmp/out/package.vpk");

    EXPECT_EQ(form->ShowModal(), mrOk);

    EXPECT_EQ(form->Events, (std::vector<std::string>{"create", "show", "save", "ok", "close"}));
    EXPECT_EQ(form->SavedPath, "/tmp/out/package.vpk");
    EXPECT_EQ(static_cast<TTestEdit*>(form->FindComponent("NameEdit"))->Text(), "包一");
    EXPECT_TRUE(static_cast<TTestCheckBox*>(form->FindComponent("Agree"))->Checked());
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Modal());

    const auto& boxes = DialogService().Records();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, TDialogKind::MessageBox);
    EXPECT_EQ(boxes[0].text, "保存吗？");
    EXPECT_EQ(boxes[0].title, "Velmora 导出向导");
    EXPECT_EQ(boxes[0].flags, 36);
    EXPECT_EQ(boxes[0].result, IDYES);
    EXPECT_EQ(boxes[1].kind, TDialogKind::Save);
    EXPECT_EQ(boxes[1].title, "Save package");
    EXPECT_EQ(boxes[1].filter, "Packages|*.vpk");
    EXPECT_EQ(boxes[1].fileName, "/tmp/out/package.vpk");
    EXPECT_EQ(ScriptedUser().PendingAnswers(), 0u);
    EXPECT_TRUE(Application()->Errors().empty());
}

TEST_F(Modal, AFormLeftOpenByItsScriptEndsWithAnError) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    ScriptedUser().ScriptFor("TestForm").Type("NameEdit", "x");
    try {
        form->ShowModal();
        FAIL();
    } catch (const EScriptError& e) {
        EXPECT_STREQ(
            e.what(),
            "Form TestForm (TTestForm) was left open by its script after \"type 'x' into NameEdit\"");
    }
    EXPECT_FALSE(form->Modal());
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(Screen()->ActiveForm(), nullptr);

    try {
        form->ShowModal();
        FAIL();
    } catch (const EScriptError& e) {
        EXPECT_STREQ(e.what(), "Form TestForm (TTestForm) was shown modally without a script");
    }
}

TEST_F(Modal, AnUnexpectedBoxFailsWithItsText) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    ScriptedUser().ScriptFor("TTestForm").Click("ActionButton").Click("OkButton");
    try {
        form->ShowModal();
        FAIL();
    } catch (const EScriptError& e) {
        EXPECT_STREQ(e.what(),
                     "Unexpected message box \"保存吗？\" (title \"Velmora 导出向导\"): no answer queued");
    }
    ASSERT_EQ(DialogService().Records().size(), 1u);
    EXPECT_EQ(DialogService().Records()[0].text, "保存吗？");
    EXPECT_TRUE(Application()->Errors().empty()); // a script failure is never swallowed as a handler error
}

TEST_F(Modal, AnswersMustFitTheBox) {
    struct Case {
        std::function<void()> queue;
        const char* message;
    };
    const Case cases[] = {
        {[] { ScriptedUser().AnswerBox(IDOK); },
         "Message box \"保存吗？\" (title \"Velmora 导出向导\") has no button 1"},
        {[] { ScriptedUser().AnswerBox(IDYES, "别的"); },
         "Unexpected message box \"保存吗？\" (title \"Velmora 导出向导\"): expected \"别的\""},
        {[] { ScriptedUser().AnswerFile("x"); }, "Unexpected message box \"保存吗？\" (title \"Velmora "
                                                 "导出向导\"): the next answer is for a file dialog"},
    };
    for (const Case& c : cases) {
        ScriptedUser().Reset();
        std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
        ScriptedUser().ScriptFor("TTestForm").Click("ActionButton").Click("OkButton");
        c.queue();
        try {
            form->ShowModal();
            ADD_FAILURE() << c.message;
        } catch (const EScriptError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST_F(Modal, ANoAnswerAndACancelledDialogLeaveThePathAlone) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    ScriptedUser().ScriptFor("TTestForm").Click("ActionButton").Click("ActionButton").Click("OkButton");
    ScriptedUser().AnswerBox(IDNO);
    ScriptedUser().AnswerBox(IDYES);
    ScriptedUser().CancelFile();
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(form->SavedPath, "");
    ASSERT_EQ(DialogService().Records().size(), 3u);
    EXPECT_EQ(DialogService().Records()[0].result, IDNO);
    EXPECT_EQ(DialogService().Records()[2].result, IDCANCEL);
}

TEST_F(Modal, CloseEndsAModalFormWithCancelAndRunsOnClose) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    ScriptedUser().ScriptFor("TTestForm").Close();
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(form->Events, (std::vector<std::string>{"create", "show", "close"}));
}

TEST_F(Modal, CloseOnAFormNeverShownRunsOnCloseDirectly) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    form->Close();
    EXPECT_EQ(form->Events, (std::vector<std::string>{"create", "close"}));
    EXPECT_FALSE(form->Visible());
}

TEST_F(Modal, OnCloseCanRefuseToClose) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        if (++closes == 1)
            action = caNone;
    };
    ScriptedUser().ScriptFor("TTestForm").Close().Click("OkButton");
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(closes, 2);
}

TEST_F(Modal, AnErrorInAHandlerIsRecordedAndTheFormStaysOpen) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    auto* ok = static_cast<TTestButton*>(form->FindComponent("OkButton"));
    ok->SetModalResult(0);
    ok->OnClick = [&](TObject* sender) { form->FailingClick(sender); };
    ScriptedUser()
        .ScriptFor("TTestForm")
        .Click("OkButton")
        .Do([](TCustomForm& f) { EXPECT_TRUE(f.Visible()); })
        .Click("OkButton")
        .Close();
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(Application()->Errors(), (std::vector<std::string>{"'x' is not a valid integer value",
                                                                 "'x' is not a valid integer value"}));
}

TEST_F(Modal, ScriptsRefuseWhatTheFormCannotDo) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    ScriptedUser().ScriptFor("TTestForm").Click("NoSuchButton");
    EXPECT_THROW(form->ShowModal(), EScriptError);
    ScriptedUser().ScriptFor("TTestForm").Check("OkButton");
    try {
        form->ShowModal();
        FAIL();
    } catch (const EScriptError& e) {
        EXPECT_STREQ(e.what(), "OkButton (TTestButton) cannot be checked");
    }
    ScriptedUser().ScriptFor("TTestForm").Click("SaveDialog1");
    EXPECT_THROW(form->ShowModal(), EScriptError);
}

TEST_F(Modal, NestedModalFormsTakeTheirOwnScripts) {
    std::unique_ptr<TTestForm> outer(CreateForm<TTestForm>());
    std::unique_ptr<TTestForm> inner(CreateForm<TTestForm>());
    ASSERT_EQ(inner->Name(), "TestForm_1");
    int innerResult = -1;
    auto* ok = static_cast<TTestButton*>(outer->FindComponent("OkButton"));
    ok->OnClick = [&](TObject*) { innerResult = inner->ShowModal(); };
    // The form's name picks its script before the class does.
    ScriptedUser().ScriptFor("TestForm_1").Close();
    ScriptedUser().ScriptFor("TTestForm").Click("OkButton");
    EXPECT_EQ(outer->ShowModal(), mrOk);
    EXPECT_EQ(innerResult, mrCancel);
}

TEST_F(Modal, ShowModalOnAVisibleFormIsRefused) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    form->Show();
    EXPECT_THROW(form->ShowModal(), EInvalidOperation);
}

TEST_F(Modal, ReleasedFormsAreFreedByProcessMessages) {
    auto* form = CreateForm<TTestForm>();
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    ScriptedUser().ScriptFor("TTestForm").Close();
    TComponent watcher(nullptr);
    int before = Application()->ComponentCount();
    EXPECT_EQ(form->ShowModal(), mrCancel);
    Application()->ProcessMessages();
    EXPECT_EQ(Application()->ComponentCount(), before - 1);
}

TEST_F(Modal, AProviderAnswersWhatIsNotQueued) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    ScriptedUser().ScriptFor("TTestForm").Click("ActionButton").Click("ActionButton").Click("OkButton");
    ScriptedUser().AnswerBox(IDNO);
    std::vector<std::string> asked;
    ScriptedUser().SetAnswerProvider([&](const TDialogRecord& shown) -> std::optional<TDialogAnswer> {
        asked.push_back(shown.text);
        if (shown.kind == TDialogKind::Save)
            return TDialogAnswer{TDialogAnswer::File, IDOK, "/tmp/out/provided.vpk", {}};
        return TDialogAnswer{TDialogAnswer::Button, IDYES, {}, {}};
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(form->SavedPath, "/tmp/out/provided.vpk");
    // The queued answer went first; the provider saw only the box and the dialog after it.
    ASSERT_EQ(DialogService().Records().size(), 3u);
    EXPECT_EQ(DialogService().Records()[0].result, IDNO);
    EXPECT_EQ(DialogService().Records()[1].result, IDYES);
    EXPECT_EQ(asked.size(), 2u);

    // A provider without an answer leaves the box unexpected; a wrong kind of answer is refused.
    ScriptedUser().Reset();
    ScriptedUser().ScriptFor("TTestForm").Click("ActionButton").Click("OkButton");
    ScriptedUser().SetAnswerProvider([](const TDialogRecord&) { return std::optional<TDialogAnswer>(); });
    EXPECT_THROW(form->ShowModal(), EScriptError);
    ScriptedUser().Reset();
    ScriptedUser().ScriptFor("TTestForm").Click("ActionButton").Click("OkButton");
    ScriptedUser().SetAnswerProvider(
        [](const TDialogRecord&) { return TDialogAnswer{TDialogAnswer::File, IDOK, "x", {}}; });
    EXPECT_THROW(form->ShowModal(), EScriptError);
    ScriptedUser().Reset();
    EXPECT_EQ(ScriptedUser().PendingAnswers(), 0u);
}
