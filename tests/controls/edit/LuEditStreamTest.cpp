// The edits in form resources: their published names and stream defaults, old stream properties,
// what a linked frame controller keeps out of the stream, and the controller's pushes.

#include "EditForm.h"

#include "platform/framework/FormResources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace edittest;
using lu::TLuEdit;
using lu::TLuFrameController;
using lu::TLuMemo;
using lu::TLuRichEdit;

class TEditTestForm : public TForm {
public:
    using TForm::TForm;
};

[[maybe_unused]] const auto registerForm = RegisterClass<TEditTestForm, TForm>("TEditTestForm");

std::unique_ptr<TEditTestForm> ReadForm(const std::string& body) {
    auto form = std::make_unique<TEditTestForm>(nullptr);
    ReadComponentText(*form, "object F: TEditTestForm\n" + body + "end\n", "edits.form");
    return form;
}

const char* const classes[] = {"TLuEdit", "TLuMemo", "TLuRichEdit"};

TEST(EditStream, TheControllersPushesFindEveryFramingPropertyByName) {
    TEditTestForm form(nullptr);
    TLuEdit edit(&form);
    TLuMemo memo(&form);
    TLuRichEdit rich(&form);
    for (TControl* c :
         {static_cast<TControl*>(&edit), static_cast<TControl*>(&memo), static_cast<TControl*>(&rich)}) {
        for (const char* name :
             {"ParentColor", "Color", "DisabledColor", "FocusColor", "FrameColor", "FrameHotColor",
              "FrameHotTrack", "FrameHotStyle", "FrameSides", "FrameStyle", "FrameVisible",
              "FramingPreference", "FrameController", "TabOnEnter", "OnMouseEnter", "OnMouseLeave"})
            EXPECT_TRUE(IsPublishedProp(*c, name)) << c->ClassName() << "." << name;
        // No drop button is published: the controller's button settings are skipped.
        EXPECT_FALSE(IsPublishedProp(*c, "FlatButtons")) << c->ClassName();
    }
    for (const char* name :
         {"Alignment", "MaxLength", "ReadOnly", "PasswordChar", "CharCase", "AutoSelect", "Text"})
        EXPECT_TRUE(IsPublishedProp(edit, name)) << name;
    EXPECT_FALSE(IsPublishedProp(edit, "EditMask"));
    EXPECT_FALSE(IsPublishedProp(memo, "Alignment"));
    for (const char* name :
         {"OnLineColChange", "OnClipboardChange", "OnMouseWheelDown", "Lines", "WordWrap"}) {
        EXPECT_TRUE(IsPublishedProp(memo, name)) << name;
        EXPECT_TRUE(IsPublishedProp(rich, name)) << name;
    }
}

TEST(EditStream, OldFramePropertiesLoadAsTheirNewSettingsAndAreNeverWritten) {
    for (const char* cls : classes) {
        auto form =
            ReadForm(std::string("  object A: ") + cls +
                     "\n    FrameSides = [sdTop]\n    FrameFlat = True\n    FrameFlatStyle = fsBump\n  end\n"
                     "  object B: " +
                     cls + "\n    FrameFocusStyle = fsRaised\n  end\n  object C: " + cls +
                     "\n    FrameFocusStyle = fsShiny\n  end\n");
        TComponent* a = form->FindComponent("A");
        EXPECT_EQ(GetOrdProp(*a, "FrameHotTrack"), 1) << cls;
        EXPECT_EQ(GetEnumProp(*a, "FrameStyle"), "fsStatus") << cls;
        EXPECT_EQ(GetEnumProp(*a, "FrameHotStyle"), "fsLowered") << cls;
        // Loading hot tracking leaves the sides as streamed.
        EXPECT_EQ(GetSetProp(*a, "FrameSides"), "sdTop") << cls;
        // A style name that no longer exists leaves the hot style alone.
        EXPECT_EQ(GetEnumProp(*form->FindComponent("B"), "FrameHotStyle"), "fsRaised") << cls;
        EXPECT_EQ(GetEnumProp(*form->FindComponent("C"), "FrameHotStyle"), "fsFlatBold") << cls;
        const std::string written = WriteComponentText(*form);
        for (const char* old : {"FrameFlat ", "FrameFocusStyle", "FrameFlatStyle"})
            EXPECT_EQ(written.find(old), std::string::npos) << cls << ": " << old << " in\n" << written;
        EXPECT_NE(written.find("FrameHotTrack = True"), std::string::npos) << written;
    }
}

TEST(EditStream, ThePackageNameDialogsEditAndMemoLoadAndWriteBack) {
    auto form =
        ReadForm("  object EdtName: TLuEdit\n    Left = 8\n    Top = 39\n    Width = 277\n    Height = 20\n"
                 "    Ctl3D = False\n    FrameVisible = True\n    MaxLength = 50\n  end\n"
                 "  object EdtMemo: TLuMemo\n    Left = 8\n    Top = 88\n    Width = 277\n    Height = 89\n"
                 "    FrameVisible = True\n  end\n"
                 "  object Off: TLuEdit\n    Enabled = False\n    Color = clYellow\n"
                 "    DisabledColor = clSilver\n  end\n");
    auto* name = dynamic_cast<TLuEdit*>(form->FindComponent("EdtName"));
    auto* memo = dynamic_cast<TLuMemo*>(form->FindComponent("EdtMemo"));
    ASSERT_NE(name, nullptr);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(name->MaxLength(), 50);
    EXPECT_TRUE(name->FrameVisible());
    EXPECT_TRUE(name->Ctl3D());
    EXPECT_TRUE(memo->FrameVisible());
    // Once loaded, a disabled edit shows its disabled colour and keeps the streamed one.
    auto* off = dynamic_cast<TLuEdit*>(form->FindComponent("Off"));
    ASSERT_NE(off, nullptr);
    EXPECT_EQ(off->Color(), gdi::clSilver);
    off->SetEnabled(true);
    EXPECT_EQ(off->Color(), gdi::clYellow);
    const std::string written = WriteComponentText(*form);
    EXPECT_NE(written.find("MaxLength = 50"), std::string::npos) << written;
    EXPECT_NE(written.find("Color = clYellow"), std::string::npos) << written;
    // Defaults stay out of the stream.
    const std::string dialogPart = written.substr(0, written.find("object Off"));
    for (const char* unwritten :
         {"Color", "FrameStyle", "FrameSides", "FramingPreference", "TabOnEnter", "Alignment"})
        EXPECT_EQ(dialogPart.find(std::string("    ") + unwritten + " ="), std::string::npos)
            << unwritten << "\n"
            << written;
}

TEST(EditStream, ColourAndFrameSettingsAreWrittenOnlyWhenTheyAreTheControlsOwn) {
    TEditTestForm form(nullptr);
    form.SetName("F");
    auto* edit = new TLuEdit(&form);
    edit->SetName("E");
    edit->SetParent(&form);
    edit->SetColor(gdi::clYellow);
    edit->SetFrameStyle(lu::fsBump);
    edit->SetAlignment(taRightJustify);
    edit->SetTabOnEnter(true);
    std::string written = WriteComponentText(form);
    EXPECT_NE(written.find("Color = clYellow"), std::string::npos) << written;
    // The focus colour followed and is not written while it equals the colour.
    EXPECT_EQ(written.find("FocusColor"), std::string::npos) << written;
    EXPECT_NE(written.find("FrameStyle = fsBump"), std::string::npos) << written;
    EXPECT_NE(written.find("Alignment = taRightJustify"), std::string::npos) << written;
    EXPECT_NE(written.find("TabOnEnter = True"), std::string::npos) << written;

    edit->SetFocusColor(gdi::clAqua);
    edit->SetEnabled(false);
    written = WriteComponentText(form);
    EXPECT_EQ(written.find(" Color = "), std::string::npos) << written;
    EXPECT_NE(written.find("FocusColor = clAqua"), std::string::npos) << written;

    // A linked controller keeps what it pushes out of the stream.
    auto* controller = new TLuFrameController(&form);
    controller->SetName("Ctl");
    controller->SetFrameStyle(lu::fsGroove);
    edit->SetFrameController(controller);
    EXPECT_EQ(edit->FrameStyle(), lu::fsGroove);
    written = WriteComponentText(form);
    EXPECT_NE(written.find("FrameController = Ctl"), std::string::npos) << written;
    EXPECT_NE(written.find("TabOnEnter = True"), std::string::npos) << written;
    const std::string editPart = written.substr(0, written.find("object Ctl"));
    for (const char* kept : {"FrameStyle", "FocusColor", "DisabledColor"})
        EXPECT_EQ(editPart.find(kept), std::string::npos) << kept << "\n" << written;
}

TEST(EditStream, TheControllerPushesItsSettingsIntoAllThreeAndLetsGoWhenFreed) {
    TEditTestForm form(nullptr);
    auto* controller = new TLuFrameController(&form);
    controller->SetFrameHotTrack(true);
    controller->SetFrameHotColor(gdi::clNavy);
    controller->SetDisabledColor(gdi::clSilver);
    auto* edit = new TLuEdit(&form);
    auto* memo = new TLuMemo(&form);
    auto* rich = new TLuRichEdit(&form);
    edit->SetFrameController(controller);
    memo->SetFrameController(controller);
    rich->SetFrameController(controller);
    for (TControl* c :
         {static_cast<TControl*>(edit), static_cast<TControl*>(memo), static_cast<TControl*>(rich)}) {
        EXPECT_EQ(GetOrdProp(*c, "FrameHotTrack"), 1) << c->ClassName();
        EXPECT_EQ(GetOrdProp(*c, "FrameVisible"), 1) << c->ClassName();
        EXPECT_EQ(GetOrdProp(*c, "FrameHotColor"), gdi::clNavy) << c->ClassName();
        EXPECT_EQ(GetOrdProp(*c, "DisabledColor"), gdi::clSilver) << c->ClassName();
    }
    // The controller's colour comes alone; the edit's own focus colour follows it.
    controller->SetColor(gdi::clYellow);
    EXPECT_EQ(edit->Color(), gdi::clYellow);
    EXPECT_EQ(edit->FocusColor(), gdi::clYellow);
    controller->SetFrameStyle(lu::fsLowered);
    EXPECT_EQ(rich->FrameStyle(), lu::fsLowered);

    delete controller;
    EXPECT_EQ(edit->FrameController(), nullptr);
    EXPECT_EQ(memo->FrameController(), nullptr);
    EXPECT_EQ(rich->FrameController(), nullptr);
}

} // namespace
