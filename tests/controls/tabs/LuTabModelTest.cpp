// The tab control's data: tabs, colour sets, properties and their effects, streaming.
#include "tests/controls/tabs/TabTestSupport.h"

#include "platform/framework/ExtCtrls.h"
#include "platform/framework/FormResources.h"
#include "platform/gdi/FontEngine.h"

#include <functional>

using namespace tabtest;
using framework::TForm;

namespace {

std::unique_ptr<TLuTabData> Tab(const std::string& caption) {
    auto tab = std::make_unique<TLuTabData>();
    tab->SetCaption(caption);
    return tab;
}

} // namespace

TEST(TabDataList, AssignMakesIndependentCopiesWithoutTheLayoutPlaces) {
    TLuTabDataList source;
    auto first = Tab("模块&A");
    first->SetColor(gdi::clRed);
    first->SetDisabledIndex(4);
    first->SetImageIndex(3);
    first->SetEnabled(false);
    first->SetVisible(false);
    first->SetHint("hint");
    first->SetTabRect(TRect{1, 2, 3, 4});
    first->SetRow(2);
    source.Add(std::move(first));
    source.Add(Tab("B"));

    TLuTabDataList copy;
    copy.Add(Tab("old"));
    copy.Assign(&source);
    ASSERT_EQ(copy.Count(), 2);
    const TLuTabData* a = copy.Items(0);
    EXPECT_EQ(a->Caption(), "模块&A");
    EXPECT_EQ(a->Color(), gdi::clRed);
    EXPECT_EQ(a->DisabledIndex(), 4);
    EXPECT_EQ(a->ImageIndex(), 3);
    EXPECT_FALSE(a->Enabled());
    EXPECT_FALSE(a->Visible());
    EXPECT_EQ(a->Hint(), "hint");
    EXPECT_EQ(a->TabRect(), TRect{});
    EXPECT_EQ(a->Row(), 0);
    EXPECT_EQ(copy.Items(1)->Caption(), "B");

    copy.Items(1)->SetCaption("changed");
    EXPECT_EQ(source.Items(1)->Caption(), "B");
    EXPECT_NE(copy.Items(1), source.Items(1));
}

TEST(TabDataList, AssigningAListToItselfKeepsItsTabs) {
    TLuTabDataList list;
    list.Add(Tab("A"));
    list.Add(Tab("B"));
    TLuTabData* before = list.Items(1);
    list.Assign(&list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(1), before);
    EXPECT_EQ(list.Items(0)->Caption(), "A");
}

TEST(TabDataList, IndexesOutsideTheListAndForeignSourcesAreErrors) {
    TLuTabDataList list;
    list.Add(Tab("A"));
    EXPECT_THROW(list.Items(1), rtl::EListError);
    EXPECT_THROW(list.Items(-1), rtl::EListError);
    EXPECT_THROW(list.SetItems(1, Tab("B")), rtl::EListError);
    list.SetItems(0, Tab("B"));
    EXPECT_EQ(list.Items(0)->Caption(), "B");

    TLuTabColors colors(nullptr);
    EXPECT_THROW(list.Assign(&colors), rtl::EConvertError);
    EXPECT_THROW(list.Items(0)->Assign(&colors), rtl::EConvertError);
    EXPECT_EQ(list.Count(), 1);
}

TEST(TabColors, AssignCopiesThroughTheSettersAndRepaintsTheOwner) {
    TTestTabControl c(nullptr);
    TLuTabColors tabColors(nullptr);
    tabColors.SetHighlightBar(3983359);
    tabColors.SetShadow(gdi::clRed);
    c.Repaints = 0;
    c.SetTabColors(&tabColors);
    EXPECT_EQ(c.TabColors()->HighlightBar(), 3983359);
    EXPECT_EQ(c.TabColors()->Shadow(), gdi::clRed);
    EXPECT_EQ(c.TabColors()->Unselected(), gdi::clWindow);
    EXPECT_EQ(c.Repaints, 2); // the unchanged colour repaints nothing

    TLuTextColors textColors(nullptr);
    textColors.SetSelected(gdi::clBlue);
    c.Repaints = 0;
    c.SetTextColors(&textColors);
    EXPECT_EQ(c.TextColors()->Selected(), gdi::clBlue);
    EXPECT_EQ(c.TextColors()->DisabledHighlight(), gdi::clBtnHighlight);
    EXPECT_EQ(c.Repaints, 1);

    EXPECT_THROW(c.TabColors()->Assign(&textColors), rtl::EConvertError);
    EXPECT_EQ(c.TabColors()->Shadow(), gdi::clRed);
}

TEST(CustomTabControl, ANewControlIsEmptyAndTabStopped) {
    TTestTabControl c(nullptr);
    EXPECT_EQ(c.Width(), 300);
    EXPECT_EQ(c.Height(), 100);
    EXPECT_EQ(c.Tabs()->Count(), 0);
    EXPECT_EQ(c.TabIndex(), -1);
    EXPECT_EQ(c.HotTab(), -1);
    EXPECT_TRUE(c.TabStop());
    EXPECT_TRUE(c.ShowFocusRect());
    EXPECT_TRUE(c.LayoutPending());
    EXPECT_EQ(c.Color(), gdi::clBtnFace);
    EXPECT_EQ(c.ControlStyle(),
              (framework::TControlStyle{framework::csAcceptsControls, framework::csCaptureMouse,
                                        framework::csClickEvents, framework::csDoubleClicks}));
    EXPECT_EQ(c.RegionCache()->Capacity(), 1);
    EXPECT_EQ(c.TabBuffer()->Width(), 300);
    EXPECT_EQ(c.TabFont()->Name(), c.Font()->Name());
    EXPECT_EQ(c.Scroller(), nullptr);
    EXPECT_EQ(c.CloseButton(), nullptr);
    EXPECT_EQ(c.Handle()->ClassStyle() & (win::CS_HREDRAW | win::CS_VREDRAW), 0u);
}

TEST(CustomTabControl, SizePropertiesDropNegativeValues) {
    struct Size {
        const char* name;
        std::function<int(TLuCustomTabControl&)> get;
        std::function<void(TLuCustomTabControl&, int)> set;
    };
    const std::vector<Size> sizes{
        {"CutCornerSize", &TLuCustomTabControl::CutCornerSize, &TLuCustomTabControl::SetCutCornerSize},
        {"TabHeight", &TLuCustomTabControl::TabHeight, &TLuCustomTabControl::SetTabHeight},
        {"TabWidth", &TLuCustomTabControl::TabWidth, &TLuCustomTabControl::SetTabWidth},
        {"Margin", &TLuCustomTabControl::Margin, &TLuCustomTabControl::SetMargin},
        {"ImageMargin", &TLuCustomTabControl::ImageMargin, &TLuCustomTabControl::SetImageMargin},
        {"RowIndent", &TLuCustomTabControl::RowIndent, &TLuCustomTabControl::SetRowIndent},
        {"RowOverlap", &TLuCustomTabControl::RowOverlap, &TLuCustomTabControl::SetRowOverlap},
        {"BorderWidth", &TLuCustomTabControl::BorderWidth, &TLuCustomTabControl::SetBorderWidth},
    };
    for (const Size& size : sizes) {
        TTestTabControl c(nullptr);
        size.set(c, 9);
        size.set(c, -1);
        EXPECT_EQ(size.get(c), 9) << size.name;
        size.set(c, 0);
        EXPECT_EQ(size.get(c), 0) << size.name;
    }
}

TEST(CustomTabControl, ChangesReLayOutOrRepaintOnlyWhenTheValueChanges) {
    enum Effect { Layout, Repaint, Neither };
    struct Change {
        const char* name;
        std::function<void(TLuCustomTabControl&)> set;
        Effect effect;
    };
    const std::vector<Change> changes{
        {"AlignTabs single line", [](auto& c) { c.SetAlignTabs(true); }, Neither},
        {"BoldCurrentTab", [](auto& c) { c.SetBoldCurrentTab(true); }, Layout},
        {"ShowCardFrame", [](auto& c) { c.SetShowCardFrame(false); }, Layout},
        {"UseColoredTabs", [](auto& c) { c.SetUseColoredTabs(true); }, Repaint},
        {"CutCornerSize of a slanted tab", [](auto& c) { c.SetCutCornerSize(8); }, Neither},
        {"FlatColor", [](auto& c) { c.SetFlatColor(10263441); }, Repaint},
        {"ImagePosition", [](auto& c) { c.SetImagePosition(ipTop); }, Layout},
        {"HotTrack", [](auto& c) { c.SetHotTrack(false); }, Neither},
        {"HotTrackColor", [](auto& c) { c.SetHotTrackColor(3983359); }, Repaint},
        {"HotTrackColorType", [](auto& c) { c.SetHotTrackColorType(htctActual); }, Repaint},
        {"Margin", [](auto& c) { c.SetMargin(3); }, Layout},
        {"MultiLine", [](auto& c) { c.SetMultiLine(true); }, Layout},
        {"TabStyle", [](auto& c) { c.SetTabStyle(tsRoundCorners); }, Layout},
        {"TabOrientation", [](auto& c) { c.SetTabOrientation(toLeft); }, Layout},
        {"TabSequence", [](auto& c) { c.SetTabSequence(tsReverse); }, Layout},
        {"TextAlignment", [](auto& c) { c.SetTextAlignment(haLeft); }, Layout},
        {"Transparent", [](auto& c) { c.SetTransparent(true); }, Repaint},
        {"UseGradients", [](auto& c) { c.SetUseGradients(false); }, Repaint},
        {"BackgroundColor", [](auto& c) { c.SetBackgroundColor(gdi::clRed); }, Repaint},
    };
    for (const Change& change : changes) {
        TTestTabControl c(nullptr);
        c.SetLayoutPending(false);
        c.Repaints = 0;
        change.set(c);
        EXPECT_EQ(c.LayoutPending(), change.effect == Layout) << change.name;
        EXPECT_EQ(c.Repaints > 0, change.effect != Neither) << change.name;
        // The same value again does nothing.
        c.SetLayoutPending(false);
        c.Repaints = 0;
        change.set(c);
        EXPECT_FALSE(c.LayoutPending()) << change.name;
        EXPECT_EQ(c.Repaints, 0) << change.name;
    }

    TTestTabControl c(nullptr);
    c.SetTabStyle(tsCutCorner);
    c.SetMultiLine(true);
    c.SetLayoutPending(false);
    c.SetCutCornerSize(9);
    EXPECT_TRUE(c.LayoutPending()) << "CutCornerSize of a cut-corner tab";
    c.SetLayoutPending(false);
    c.SetAlignTabs(true);
    EXPECT_TRUE(c.LayoutPending()) << "AlignTabs while MultiLine";
}

TEST(CustomTabControl, ShadowNeedsTheFullFrame) {
    TTestTabControl c(nullptr);
    c.SetShowFullFrame(false);
    EXPECT_FALSE(c.ShowShadow());
    c.SetShowShadow(true);
    EXPECT_TRUE(c.ShowFullFrame());
    EXPECT_TRUE(c.ShowShadow());
}

TEST(CustomTabControl, RegionCacheCapacityIgnoresValuesTheCacheRefuses) {
    TTestTabControl c(nullptr);
    for (int refused : {0, -2, 1}) {
        c.SetRegionCacheCapacity(refused);
        EXPECT_EQ(c.RegionCache()->Capacity(), 1) << refused;
    }
    c.SetRegionCacheCapacity(-1);
    EXPECT_EQ(c.RegionCacheCapacity(), -1);
    EXPECT_EQ(c.RegionCache()->Capacity(), -1);
    c.SetRegionCacheCapacity(4);
    EXPECT_EQ(c.RegionCache()->Capacity(), 4);
}

TEST(CustomTabControl, BackgroundFollowsTheParentUntilItIsSetDirectly) {
    TForm form(nullptr);
    form.SetColor(gdi::clBtnFace);
    auto* c = new TTestTabControl(&form);
    c->SetName("Tabs");
    c->SetParent(&form);
    form.SetColor(gdi::clTeal);
    EXPECT_EQ(c->BackgroundColor(), gdi::clTeal);
    EXPECT_TRUE(c->ParentBackgroundColor());
    EXPECT_EQ(framework::WriteComponentText(form).find("BackgroundColor"), std::string::npos);

    c->SetBackgroundColor(gdi::clRed);
    EXPECT_FALSE(c->ParentBackgroundColor());
    EXPECT_NE(framework::WriteComponentText(form).find("BackgroundColor = clRed"), std::string::npos);
    form.SetColor(gdi::clWhite);
    EXPECT_EQ(c->BackgroundColor(), gdi::clRed);

    c->SetParentBackgroundColor(true);
    EXPECT_EQ(c->BackgroundColor(), gdi::clWhite);
    EXPECT_TRUE(c->ParentBackgroundColor());
}

TEST(CustomTabControl, FormResourcesSetThePropertiesAndAlwaysHoldTheRowThickness) {
    const char* text = R"(object F: TForm
  object Stored: TTestTabControl
    Hint = 'own'
    FixedDimension = 18
    FlatColor = 10263441
    HotTrackColor = 3983359
    HotTrackColorType = htctActual
    ShowCardFrame = False
    ShowFocusRect = False
    TabColors.HighlightBar = 3983359
    TabStyle = tsCutCorner
    TabOrientation = toLeft
  end
  object Plain: TTestTabControl
  end
end
)";
    TForm form(nullptr);
    framework::ReadComponentText(form, text, "tabs.form");
    auto* stored = dynamic_cast<TTestTabControl*>(form.FindComponent("Stored"));
    auto* plain = dynamic_cast<TTestTabControl*>(form.FindComponent("Plain"));
    ASSERT_NE(stored, nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(stored->FixedDimension(), 18);
    EXPECT_EQ(stored->FlatColor(), 10263441);
    EXPECT_EQ(stored->HotTrackColorType(), htctActual);
    EXPECT_FALSE(stored->ShowCardFrame());
    EXPECT_FALSE(stored->ShowFocusRect());
    EXPECT_TRUE(plain->ShowFocusRect());
    EXPECT_EQ(stored->TabColors()->HighlightBar(), 3983359);
    EXPECT_EQ(stored->TabStyle(), tsCutCorner);
    EXPECT_EQ(stored->TabOrientation(), toLeft);
    EXPECT_EQ(stored->SavedHint(), "own");
    EXPECT_TRUE(stored->LayoutPending());

    const std::string written = framework::WriteComponentText(form);
    EXPECT_NE(written.find("FixedDimension = 18"), std::string::npos) << written;
    EXPECT_NE(written.find("FixedDimension = 0"), std::string::npos) << written;
    EXPECT_NE(written.find("TabColors.HighlightBar = 3983359"), std::string::npos) << written;
    EXPECT_EQ(written.find("ShowFocusRect = True"), std::string::npos) << written;
}

TEST(CustomTabControl, ImageListChangesRepaintAndAFreedListIsForgotten) {
    TForm form(nullptr);
    auto* c = new TTestTabControl(&form);
    auto* images = new framework::TImageList(&form);
    c->SetImages(images);
    c->Repaints = 0;
    images->SetWidth(20);
    EXPECT_GT(c->Repaints, 0);
    // Only the list in use is heard.
    auto* other = new framework::TImageList(&form);
    c->SetImages(other);
    c->SetImages(images);
    c->Repaints = 0;
    other->SetWidth(24);
    EXPECT_EQ(c->Repaints, 0);
    delete images;
    EXPECT_EQ(c->Images(), nullptr);
}

TEST(CustomTabControl, VerticalTextTurnsARasterFontIntoVerdana) {
    gdi::SetRasterFontForTest("MS Sans Serif", true);
    TTestTabControl c(nullptr);
    c.Font()->SetName("MS Sans Serif");
    c.SetTextOrientation(orVertical);
    EXPECT_EQ(c.Font()->Name(), "Verdana");
    EXPECT_EQ(c.TabFont()->Name(), "Verdana");
    gdi::SetRasterFontForTest("MS Sans Serif", false);
}
