#include "LabelTestForm.h"

#include "platform/framework/FormResources.h"

namespace {

using framework::TForm;

class LabelStream : public lutest::LabelTest {};

TEST_F(LabelStream, PublishedPropertiesAreReadAndOnlyChangedOnesWritten) {
    const char* text = "object F: TForm\n"
                       "  object Note: TLuLabel\n"
                       "    Left = 16\n"
                       "    Top = 7\n"
                       "    Width = 377\n"
                       "    Height = 36\n"
                       "    AutoSize = False\n"
                       "    WordWrap = True\n"
                       "    Caption = '说明：'\n"
                       "    Angle = 30\n"
                       "    Rotation = roCurve\n"
                       "    CenterPoint = cpLowerLeft\n"
                       "    Blinking = True\n"
                       "    BlinkColor = clRed\n"
                       "    BlinkIntervalOn = 700\n"
                       "    BevelWidth = 3\n"
                       "    BorderInner = fsLowered\n"
                       "    BorderOuter = fsPopup\n"
                       "    BorderSides = [sdLeft, sdBottom]\n"
                       "    BorderColor = 255\n"
                       "    BorderWidth = 2\n"
                       "    FlyByEnabled = True\n"
                       "    LightTextStyle = True\n"
                       "    TextStyle = tsShadow\n"
                       "    ShadowDepth = 4\n"
                       "    Layout = tlCenter\n"
                       "    FrameSides = [sdTop, sdRight]\n"
                       "  end\n"
                       "end\n";
    TForm loaded(nullptr);
    framework::ReadComponentText(loaded, text, "note.form");
    auto* note = dynamic_cast<lu::TLuLabel*>(loaded.FindComponent("Note"));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->BoundsRect(), (framework::TRect{16, 7, 393, 43}));
    EXPECT_FALSE(note->AutoSize());
    EXPECT_TRUE(note->WordWrap());
    EXPECT_EQ(note->Caption(), "说明：");
    EXPECT_EQ(note->Angle(), 30);
    EXPECT_EQ(note->Rotation(), lu::roCurve);
    EXPECT_EQ(note->CenterPoint(), lu::cpLowerLeft);
    EXPECT_TRUE(note->Blinking());
    EXPECT_EQ(note->BlinkColor(), gdi::clRed);
    EXPECT_EQ(note->BlinkIntervalOn(), 700);
    EXPECT_EQ(note->BevelWidth(), 3);
    EXPECT_EQ(note->BorderInner(), lu::fsLowered);
    EXPECT_EQ(note->BorderOuter(), lu::fsPopup);
    EXPECT_EQ(note->BorderSides(), (lu::TSides{lu::sdLeft, lu::sdBottom}));
    EXPECT_EQ(note->BorderColor(), gdi::TColor(255));
    EXPECT_EQ(note->BorderWidth(), 2);
    EXPECT_TRUE(note->FlyByEnabled());
    EXPECT_TRUE(note->LightTextStyle());
    EXPECT_EQ(note->TextStyle(), lu::tsShadow);
    EXPECT_EQ(note->ShadowDepth(), 4);
    EXPECT_EQ(note->Layout(), framework::tlCenter);
    // Loaded takes the font's colour as the label's own.
    EXPECT_EQ(note->CurrentColor(), note->Font()->Color());

    const std::string written = framework::WriteComponentText(loaded);
    for (const char* line : {"Angle = 30", "Rotation = roCurve", "BorderSides = [sdLeft, sdBottom]",
                             "BlinkIntervalOn = 700", "TextStyle = tsShadow", "BorderOuter = fsPopup"})
        EXPECT_NE(written.find(line), std::string::npos) << line;
    for (const char* name : {"FrameSides", "BlinkIntervalOff", "HighlightColor", "ShadowColor", "FlatColor",
                             "FlyByColor", "BorderHighlight", "BorderShadow"})
        EXPECT_EQ(written.find(name), std::string::npos) << name;
}

TEST_F(LabelStream, NegativeSizesAreDropped) {
    auto* label = AddLabel("Tarnwick", framework::TRect{0, 0, 100, 40});
    label->SetBevelWidth(-1);
    label->SetBorderWidth(-3);
    label->SetShadowDepth(-2);
    EXPECT_EQ(label->BevelWidth(), 1);
    EXPECT_EQ(label->BorderWidth(), 0);
    EXPECT_EQ(label->ShadowDepth(), 2);
}

} // namespace
