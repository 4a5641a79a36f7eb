// The painting pass read back from the screen: the wizards' page control, several rows, scrolled
// and side tabs as pictures (build folder's pictures/), and the details of a tab's drawing.
#include "tests/controls/tabs/TabTestSupport.h"

#include "controls/common/LuColorMath.h"
#include "platform/framework/FormResources.h"
#include "platform/gdi/Gdi.h"

#include <filesystem>

using namespace tabtest;

namespace {

std::string PicturePath(const std::string& name) {
    const auto dir = std::filesystem::path(TARNWICK_BINARY_DIR) / "pictures";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

constexpr TColor Flat = 10263441;
constexpr TColor Bar = 3983359;

class TPaintTestForm : public framework::TForm {
public:
    using TForm::TForm;
};

[[maybe_unused]] const auto registerForm =
    framework::RegisterClass<TPaintTestForm, framework::TForm>("TPaintTestForm");

// The wizards' settings, with the given extra lines for the page control.
std::string WizardForm(const std::string& extra, const std::vector<std::string>& captions, int width = 360) {
    std::string text = "object F: TPaintTestForm\n  Left = 100\n  Top = 100\n  Width = " + std::to_string(width) +
                       "\n  Height = 140\n  BorderStyle = bsNone\n"
                       "  object Pages: TLuPageControl\n    Left = 0\n    Top = 0\n    Width = " +
                       std::to_string(width) +
                       "\n    Height = 140\n    Align = alClient\n    FlatColor = 10263441\n"
                       "    HotTrackColor = 3983359\n    HotTrackColorType = htctActual\n"
                       "    ShowCardFrame = False\n    ShowFocusRect = False\n"
                       "    TabColors.HighlightBar = 3983359\n    FixedDimension = 18\n" +
                       extra;
    int n = 0;
    for (const std::string& caption : captions) {
        ++n;
        text += "    object Sheet" + std::to_string(n) + ": TLuTabSheet\n      Caption = '" + caption +
                "'\n      Color = 15790320\n    end\n";
    }
    return text + "  end\nend\n";
}

class TabPaint : public TabForm {
protected:
    TLuPageControl* Load(const std::string& text) {
        wizard = std::make_unique<TPaintTestForm>(nullptr);
        framework::ReadComponentText(*wizard, text, "wizard.form");
        wizard->Show();
        auto* pc = static_cast<TLuPageControl*>(wizard->FindComponent("Pages"));
        pc->Repaint();
        return pc;
    }
    void TearDown() override {
        if (wizard)
            wizard->Hide();
        wizard.reset();
        TabForm::TearDown();
    }
    static TColor Pixel(TLuCustomTabControl& c, int x, int y) {
        return static_cast<TColor>(gdi::GetPixel(c.Canvas()->Handle(), x, y));
    }
    std::unique_ptr<TPaintTestForm> wizard;
};

TEST_F(TabPaint, TheWizardsPageControlShowsItsTabsWithOneHotAndOneSelected) {
    TLuPageControl* pc = Load(WizardForm("", {"选择模块", "模块信息", "导出完成"}));
    pc->SetActivePageIndex(1);
    pc->Repaint();
    ASSERT_EQ(pc->Tabs()->Count(), 3);
    const TRect selected = pc->GetTabRect(1);
    const TRect hot = pc->GetTabRect(2);
    MoveTo(*pc, TPoint{(hot.left + hot.right) / 2, hot.bottom - 4});
    pc->Repaint();
    ASSERT_EQ(pc->HotTab(), 2);
    framework::SaveFormPng(*wizard, PicturePath("page_control_wizard.png"));

    // The selected tab's bar in the highlight colour, the hot tab's in the hot colour.
    EXPECT_EQ(Pixel(*pc, (selected.left + selected.right) / 2, selected.top + 2), Bar);
    EXPECT_EQ(Pixel(*pc, (hot.left + hot.right) / 2 - 4, hot.top + 2), Bar);
    // The outline in the flat colour, open toward the card; no card frame under the tabs.
    EXPECT_EQ(Pixel(*pc, selected.left, selected.bottom - 3), Flat);
    const TRect card = pc->GetCardRect(0);
    EXPECT_EQ(Pixel(*pc, (card.left + card.right) / 2, card.top + 1), TColor(15790320));
}

TEST_F(TabPaint, SeveralRowsScrolledAndSideTabs) {
    const std::vector<std::string> many = {"项目信息", "项目资料", "系统人员", "审计事项", "审计分析", "账套"};
    TLuPageControl* multi = Load(WizardForm("    MultiLine = True\n", many, 300));
    EXPECT_GE(multi->RowCount(), 2);
    multi->SetActivePageIndex(4);
    multi->Repaint();
    EXPECT_EQ(multi->Tabs()->Items(4)->Row(), 0) << "the selected row comes to the front";
    framework::SaveFormPng(*wizard, PicturePath("page_control_multiline.png"));

    TLuPageControl* scrolled = Load(WizardForm("", many, 300));
    EXPECT_TRUE(scrolled->ScrollerNeeded());
    scrolled->SetActivePageIndex(5);
    scrolled->Repaint();
    EXPECT_GT(scrolled->FirstShownTab(), 0);
    framework::SaveFormPng(*wizard, PicturePath("page_control_scrolled.png"));

    TLuPageControl* side =
        Load(WizardForm("    TabOrientation = toLeft\n    TextOrientation = orVertical\n    ShowCardFrame = True\n",
                        {"选择模块", "模块信息", "完成"}));
    side->SetActivePageIndex(0);
    side->Repaint();
    EXPECT_LT(side->GetTabRect(0).Width(), side->GetTabRect(0).Height());
    framework::SaveFormPng(*wizard, PicturePath("page_control_side.png"));
}

} // namespace
