#include "tests/platform/framework/TestControls.h"

#include "platform/framework/FormResources.h"
#include "platform/framework/FormText.h"
#include "platform/framework/TypInfo.h"

#include <gtest/gtest.h>

#include <memory>

using namespace framework;
using namespace fwtest;

namespace {

template <class T> T* Find(TComponent& root, const char* name) {
    auto* c = dynamic_cast<T*>(root.FindComponent(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

class FormReader : public ::testing::Test {
protected:
    void SetUp() override { LoadedLog().clear(); }
};

} // namespace

TEST_F(FormReader, LoadsEveryKindOfProperty) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    EXPECT_EQ(form->Owner(), Application());
    EXPECT_EQ(form->Name(), "TestForm");
    EXPECT_EQ(form->Caption(), "Velmora 导出向导");
    EXPECT_EQ(form->Tag(), 7);
    EXPECT_EQ(form->Events, (std::vector<std::string>{"create"}));

    auto* top = Find<TTestPanel>(*form, "TopPanel");
    auto* inner = Find<TTestPanel>(*form, "InnerPanel");
    auto* ok = Find<TTestButton>(*form, "OkButton");
    auto* actionButton = Find<TTestButton>(*form, "ActionButton");
    auto* edit = Find<TTestEdit>(*form, "NameEdit");
    auto* memo = Find<TTestMemo>(*form, "Memo");
    auto* action = Find<TAction>(*form, "SaveAction");
    auto* dialog = Find<TSaveDialog>(*form, "SaveDialog1");
    auto* controller = Find<TTestController>(*form, "Controller");

    // Owned by the root, parented by the enclosing object.
    EXPECT_EQ(ok->Owner(), form.get());
    EXPECT_EQ(ok->GetParentComponent(), inner);
    EXPECT_EQ(inner->GetParentComponent(), top);
    EXPECT_EQ(top->GetParentComponent(), form.get());
    EXPECT_EQ(top->Children(), (std::vector<TTestControl*>{inner}));

    EXPECT_EQ(top->Width(), 592);
    EXPECT_EQ(top->Font()->Name(), "宋体");
    EXPECT_EQ(top->Font()->Height(), -12);
    EXPECT_EQ(inner->Font()->Name(), "Tahoma");
    EXPECT_EQ(top->Align(), alTop);
    EXPECT_EQ(static_cast<std::uint32_t>(top->Color()), 0xFF00000Fu);
    EXPECT_EQ(inner->Left(), -8);
    EXPECT_EQ(inner->Color(), 15790320);
    EXPECT_TRUE(inner->ParentColor());
    EXPECT_EQ(inner->Anchors(), (TAnchors{akRight, akBottom}));
    EXPECT_EQ(ok->Left(), 0x1A);
    EXPECT_EQ(ok->Caption(), "确定(&O)\tx");
    EXPECT_EQ(ok->ModalResult(), 1);
    EXPECT_TRUE(static_cast<bool>(ok->OnClick));
    EXPECT_EQ(ok->EventBinding("OnClick"), "OkButtonClick");
    EXPECT_EQ(actionButton->Caption(), "It's");
    EXPECT_EQ(actionButton->Action(), action); // written before the action: resolved by the fix-up pass
    EXPECT_EQ(edit->Align(), alClient);
    EXPECT_EQ(static_cast<std::uint32_t>(edit->Color()), 0xFF000005u);
    EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"first", "it's", "你好"}));
    EXPECT_EQ(action->Caption(), "Save");
    EXPECT_EQ(action->ImageIndex(), 3);
    EXPECT_EQ(dialog->Filter(), "Packages|*.vpk");
    EXPECT_EQ(dialog->Title(), "Save package");

    // Obsolete properties: FrameFlat set hot tracking and styles, FrameFocusStyle then the hot style,
    // the old FrameSides was read and dropped.
    EXPECT_TRUE(controller->FrameHotTrack());
    EXPECT_EQ(controller->FrameStyle(), fsStatus);
    EXPECT_EQ(controller->FrameHotStyle(), fsNone);
    EXPECT_EQ(controller->SkippedSides, (std::vector<std::string>{"sdLeft", "sdTop"}));
}

TEST_F(FormReader, LoadedRunsOnceForEveryObjectInCreationOrderAfterReading) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    EXPECT_EQ(LoadedLog(),
              (std::vector<std::string>{"TestForm", "Controller", "TopPanel", "InnerPanel", "OkButton",
                                        "ActionButton", "NameEdit", "Agree", "Memo"}));
    auto* ok = Find<TTestButton>(*form, "OkButton");
    EXPECT_EQ(ok->LoadedCount, 1);
    EXPECT_TRUE(ok->SawLoadingInLoaded);
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponentState state = form->Components(i)->ComponentState();
        EXPECT_FALSE(state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csFixups));
    }
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));
}

TEST_F(FormReader, WriterKeepsOnlyStoredNonDefaultValuesAndRoundTrips) {
    std::unique_ptr<TTestForm> form(CreateForm<TTestForm>());
    const std::string written = WriteComponentText(*form);
    const std::string expected = R"(object TestForm: TTestForm
  Tag = 7
  Caption = 'Velmora 导出向导'
  OnClose = FormClose
  OnCreate = FormCreate
  OnShow = FormShow
  object Controller: TTestController
    FrameStyle = fsStatus
    FrameHotStyle = fsNone
    FrameHotTrack = True
    FixedDimension = 0
  end
  object TopPanel: TTestPanel
    Width = 592
    Align = alTop
    Font.Height = -12
    Font.Name = '宋体'
    object InnerPanel: TTestPanel
      Left = -8
      Anchors = [akRight, akBottom]
      ParentColor = True
      object OkButton: TTestButton
        Left = 26
        Caption = '确定(&O)'#9'x'
        ModalResult = 1
        OnClick = OkButtonClick
      end
      object ActionButton: TTestButton
        Caption = 'It''s'
        Action = SaveAction
      end
    end
  end
  object NameEdit: TTestEdit
    Align = alClient
    Color = clWindow
  end
  object Agree: TTestCheckBox
  end
  object Memo: TTestMemo
    Lines = (
      'first'
      'it''s'
      '你好')
  end
  object SaveAction: TAction
    OnExecute = SaveActionExecute
    Caption = 'Save'
    ImageIndex = 3
  end
  object SaveDialog1: TSaveDialog
    Title = 'Save package'
    Filter = 'Packages|*.vpk'
  end
end
)";
    EXPECT_EQ(written, expected);

    // Reading the written text gives the same objects again.
    RegisterFormResource("TestFormCopy", written);
    auto copy = std::make_unique<TTestForm>(nullptr);
    ReadComponentResource(*copy, "TestFormCopy");
    EXPECT_EQ(WriteComponentText(*copy), written);
    EXPECT_EQ(Find<TTestButton>(*copy, "ActionButton")->Action(), Find<TAction>(*copy, "SaveAction"));
}

// Each class registers TabStop and AutoSize with the value its controls start with, so that a
// form leaves out exactly the value a new control has and keeps the other.
TEST_F(FormReader, TabStopAndAutoSizeAreWrittenWhereTheyDifferFromANewControl) {
    const struct {
        const char* className;
        const char* property;
    } cases[] = {{"TButton", "TabStop"}, {"TEdit", "TabStop"},     {"TMaskEdit", "TabStop"},
                 {"TMemo", "TabStop"},   {"TRichEdit", "TabStop"}, {"TTreeView", "TabStop"},
                 {"TPanel", "TabStop"},  {"TLabel", "AutoSize"},   {"TPanel", "AutoSize"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.className) + "." + c.property);
        TForm form(nullptr);
        form.SetName("F");
        auto* control = dynamic_cast<TControl*>(GetClassInfo(c.className).Create(&form));
        ASSERT_NE(control, nullptr);
        control->SetName("C");
        control->SetParent(&form);
        const std::int64_t start = GetOrdProp(*control, c.property);
        const TPropInfo* info = GetPropInfo(*control, c.property);
        ASSERT_TRUE(info->ordDefault.has_value());
        EXPECT_EQ(*info->ordDefault, start);
        const std::string line = std::string(c.property) + " = ";
        EXPECT_EQ(WriteComponentText(form).find(line), std::string::npos);

        SetOrdProp(*control, c.property, 1 - start);
        const std::string written = WriteComponentText(form);
        EXPECT_NE(written.find(line + (start ? "False" : "True")), std::string::npos) << written;
        TForm again(nullptr);
        ReadComponentText(again, written, "written.form");
        EXPECT_EQ(GetOrdProp(*again.FindComponent("C"), c.property), 1 - start);
    }
}

TEST_F(FormReader, ASecondRootWithTheSameOwnerGetsAFreshName) {
    std::unique_ptr<TTestForm> first(CreateForm<TTestForm>());
    std::unique_ptr<TTestForm> second(CreateForm<TTestForm>());
    EXPECT_EQ(first->Name(), "TestForm");
    EXPECT_EQ(second->Name(), "TestForm_1");
}

TEST_F(FormReader, ErrorsNameTheResourceTheLineAndTheProperty) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"object F: TTestForm\n  object P: TNoSuchPanel\n  end\nend\n",
         "bad.form(2): class TNoSuchPanel not found (object P)"},
        {"object F: TTestForm\n  object P: TTestPanel\n    Width = 1\n    Height = 2\n  end\nend\n",
         "bad.form(4): error reading P.Height: Property Height does not exist"},
        {"object F: TTestForm\n  object P: TTestPanel\n    Align = alMiddle\n  end\nend\n",
         "bad.form(3): error reading P.Align: Invalid property value: alMiddle is not a TAlign value"},
        {"object F: TTestForm\n  object P: TTestPanel\n    Width = 'wide'\n  end\nend\n",
         "bad.form(3): error reading P.Width: Invalid property value: an integer expected, a string found"},
        {"object F: TTestForm\n  object P: TTestPanel\n    Color = clPlaid\n  end\nend\n",
         "bad.form(3): error reading P.Color: Invalid property value: clPlaid is not a colour"},
        {"object F: TTestForm\n  object P: TTestPanel\n    Anchors = [akLeft, akUp]\n  end\nend\n",
         "bad.form(3): error reading P.Anchors: Invalid property element: akUp is not a TAnchorKind value"},
        {"object F: TTestForm\n  object P: TTestPanel\n  end\n  object p: TTestPanel\n  end\nend\n",
         "bad.form(4): A component named p already exists"},
        {"object F: TTestForm\n  object B: TTestButton\n    Action = Missing\n  end\nend\n",
         "bad.form(3): error reading B.Action: component Missing not found"},
        {"object F: TTestForm\n  object B: TTestButton\n    Action = P\n  end\n  object P: TTestPanel\n  "
         "end\nend\n",
         "bad.form(3): error reading B.Action: Invalid property value: P (TTestPanel) does not fit property "
         "Action"},
        {"object F: TTestForm\n  object B: TTestButton\n    OnClick = NoSuchHandler\n  end\nend\n",
         "bad.form(3): error reading B.OnClick: Method NoSuchHandler not found in TTestForm"},
        {"object F: TTestForm\n  object B: TTestButton\n    OnClick = FormClose\n  end\nend\n",
         "bad.form(3): error reading B.OnClick: The handler does not fit event OnClick"},
        {"object F: TTestForm\n  Caption = 'open\nend\n", "bad.form(2): unterminated string"},
        {"object F: TTestForm\n  Tag = 12x\nend\n", "bad.form(2): malformed number"},
        {"object F: TTestForm\n  Width = 320\n  Left = 2147483647\nend\n",
         "bad.form(3): error reading F.Left: Control bounds out of range: 2147483647, 0, 320 x 240"},
        {"object F: TTestForm\n  object P: TTestPanel\n", "bad.form(3): 'end' expected for object P"},
        {"object F: TTestPanel\nend\n", "bad.form(1): resource describes TTestPanel, not TTestForm"},
        {"object F: TTestForm\n  object C: TTestController\n    FrameFlat = 3\n  end\nend\n",
         "bad.form(3): error reading C.FrameFlat: Invalid property value: a Boolean expected"},
    };
    for (const Case& c : cases) {
        TTestForm form(nullptr);
        try {
            ReadComponentText(form, c.text, "bad.form");
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const EReadError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    }
}

TEST_F(FormReader, DefinePropertiesValueReadingFollowsTheFilerProtocol) {
    const char* text = "object F: TTestForm\n  object C: TTestController\n    FrameSides = []\n  end\nend\n";
    TTestForm form(nullptr);
    ReadComponentText(form, text, "sides.form");
    EXPECT_TRUE(Find<TTestController>(form, "C")->SkippedSides.empty());
}

TEST(FormText, ParsesAndFormatsValues) {
    TFormObject tree =
        ParseFormText("object A: TX\n  V = -$10\n  S = 'a'#13#10'b' +\n    'c'\n  D = {0aFF}\nend\n", "t");
    ASSERT_EQ(tree.properties.size(), 3u);
    EXPECT_EQ(tree.properties[0].value.integer, -16);
    EXPECT_EQ(tree.properties[1].value.text, "a\r\nbc");
    EXPECT_EQ(tree.properties[2].value.text, std::string("\x0a\xff", 2));
    EXPECT_EQ(FormatFormValue(tree.properties[1].value, 0), "'a'#13#10'bc'");
    EXPECT_EQ(FormatFormValue(tree.properties[2].value, 0), "{\n  0AFF}");
}

TEST_F(FormReader, FramesReadTheirOwnResourceAndHandlers) {
    RegisterFormResource("TestFrame", "object Frame_Row: TTestFrame\n"
                                      "  object View: TTestButton\n"
                                      "    Caption = '查看'\n"
                                      "    OnClick = ViewClick\n"
                                      "  end\n"
                                      "end\n");
    TComponent owner(nullptr);
    auto* first = CreateForm<TTestFrame>(&owner);
    auto* second = CreateForm<TTestFrame>(&owner);
    EXPECT_EQ(first->Name(), "Frame_Row");
    EXPECT_EQ(second->Name(), "Frame_Row_1");
    auto* view = Find<TTestButton>(*second, "View");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Owner(), second);
    view->ScriptClick();
    EXPECT_EQ(second->Views, 1);
    EXPECT_EQ(first->Views, 0);
    EXPECT_EQ(WriteComponentText(*second), "object Frame_Row_1: TTestFrame\n"
                                           "  object View: TTestButton\n"
                                           "    Caption = '查看'\n"
                                           "    OnClick = ViewClick\n"
                                           "  end\n"
                                           "end\n");
}

TEST(Persistent, AssignCopiesBetweenKnownPairsOnly) {
    TTestFont a, b;
    a.SetName("宋体");
    b.Assign(&a);
    EXPECT_EQ(b.Name(), "宋体");
    TComponent other(nullptr);
    try {
        b.Assign(&other);
        FAIL();
    } catch (const rtl::EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TComponent to a TTestFont");
    }
}
