// The page control and its tab sheets: pages and their tabs, the active page and its events,
// hidden tabs, closing, colours, form resources, and five pages driven through real input.
#include "tests/controls/tabs/TabTestSupport.h"

#include "platform/framework/ExtCtrls.h"
#include "platform/framework/FormResources.h"
#include "platform/framework/MaskEdit.h"
#include "platform/framework/ScrollBox.h"
#include "platform/framework/StdCtrls.h"
#include "platform/rtl/Exceptions.h"

using namespace tabtest;

namespace {

using Events = std::vector<std::string>;

class PageControl : public TabForm {
protected:
    // A page control of the given pages (captions), on the shown form.
    TLuPageControl* AddPages(const std::vector<std::string>& captions, const TRect& bounds = {10, 10, 390, 210}) {
        auto* pc = new TLuPageControl(form.get());
        pc->SetBoundsRect(bounds);
        pc->SetParent(form.get());
        for (const std::string& caption : captions) {
            auto* page = new TLuTabSheet(pc);
            page->SetCaption(caption);
            page->SetPageControl(pc);
        }
        pc->OnChanging = [this](framework::TObject*, int index, bool& allow) {
            events.push_back("changing " + std::to_string(index));
            allow = index != vetoed;
        };
        pc->OnChange = [this](framework::TObject*) { events.push_back("change"); };
        form->Show();
        return pc;
    }
    // Paints the page control, which lays its tabs out.
    static void Paint(TLuPageControl* pc) { pc->Repaint(); }
    // The pages shown, by caption.
    static std::vector<std::string> Shown(const TLuPageControl& pc) {
        std::vector<std::string> shown;
        for (int i = 0; i < pc.PageCount(); ++i)
            if (pc.Pages(i)->GetVisible())
                shown.push_back(pc.Pages(i)->Caption());
        return shown;
    }
    Events events;
    int vetoed = -1;
};

TEST_F(PageControl, ATabForEveryPageWhoseTabIsVisibleInPageOrder) {
    TLuPageControl* pc = AddPages({"甲", "乙", "丙"});
    pc->Pages(1)->SetTabVisible(false);
    EXPECT_EQ(pc->GetPageCount(), 3);
    ASSERT_EQ(pc->Tabs()->Count(), 2);
    EXPECT_EQ(pc->Tabs()->Items(1)->Caption(), "丙");
    EXPECT_EQ(pc->Pages(0)->TabIndex(), 0);
    EXPECT_EQ(pc->Pages(1)->TabIndex(), -1);
    EXPECT_EQ(pc->Pages(2)->TabIndex(), 1);
    EXPECT_EQ(pc->Pages(2)->PageIndex(), 2);
    // Adding a page shows none of them.
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_TRUE(Shown(*pc).empty());
    EXPECT_THROW(pc->GetPage(3), rtl::EListError);
    EXPECT_THROW(pc->SetActivePageIndex(-1), rtl::EListError);

    // Moving a page moves its tab.
    pc->Pages(2)->SetPageIndex(0);
    EXPECT_EQ(pc->Tabs()->Items(0)->Caption(), "丙");
    try {
        pc->Pages(0)->SetPageIndex(3);
        ADD_FAILURE() << "no error";
    } catch (const rtl::Exception& e) {
        EXPECT_STREQ(e.what(), "3 is an invalid PageIndex value. PageIndex must be between 0 and 2");
    }
    EXPECT_THROW(pc->Pages(0)->SetPageIndex(-1), rtl::EListError);
    EXPECT_EQ(pc->Pages(0)->Caption(), "丙");
    try {
        pc->Pages(0)->SetVisible(true);
        ADD_FAILURE() << "no error";
    } catch (const rtl::Exception& e) {
        EXPECT_STREQ(e.what(), "You cannot change the Visible property of a page");
    }
}

TEST_F(PageControl, TheActivePageFollowsItsTabAndAVetoKeepsBoth) {
    TLuPageControl* pc = AddPages({"甲", "乙", "丙"});
    pc->SetActivePageIndex(1);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    EXPECT_EQ(pc->TabIndex(), 1);
    EXPECT_EQ(Shown(*pc), (std::vector<std::string>{"乙"}));
    EXPECT_EQ(events, (Events{"changing 1", "change"}));
    // The page fills the display rectangle.
    Paint(pc);
    EXPECT_EQ(pc->Pages(1)->BoundsRect(), pc->GetDisplayRect());

    events.clear();
    vetoed = 2;
    pc->SetActivePage(pc->Pages(2));
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    EXPECT_EQ(pc->TabIndex(), 1);
    EXPECT_EQ(events, (Events{"changing 2"}));

    // A page whose tab may not be selected, and one of another control, change nothing.
    events.clear();
    pc->Pages(0)->SetTabEnabled(false);
    pc->SetActivePage(pc->Pages(0));
    TLuPageControl other(form.get());
    TLuTabSheet stranger(&other);
    stranger.SetPageControl(&other);
    pc->SetActivePage(&stranger);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    EXPECT_TRUE(events.empty());
}

TEST_F(PageControl, AHiddenTabLeavesItsPageShownWithoutASelectedTab) {
    TLuPageControl* pc = AddPages({"甲", "乙", "丙"});
    pc->Pages(2)->SetTabVisible(false);
    // A page without a tab is shown at once.
    pc->SetActivePage(pc->Pages(2));
    EXPECT_EQ(pc->ActivePage(), pc->Pages(2));
    EXPECT_EQ(pc->TabIndex(), -1);
    EXPECT_TRUE(events.empty());

    pc->SetActivePageIndex(0);
    events.clear();
    pc->Pages(0)->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), pc->Pages(0));
    EXPECT_EQ(pc->TabIndex(), -1);
    EXPECT_TRUE(events.empty());

    // Showing all tabs again selects the active page's tab without showing another page.
    pc->HideAllTabs();
    EXPECT_EQ(pc->Tabs()->Count(), 0);
    events.clear();
    pc->Pages(0)->SetTabVisible(true);
    EXPECT_EQ(pc->TabIndex(), 0);
    EXPECT_EQ(events, (Events{"changing 0", "change"}));
    EXPECT_EQ(Shown(*pc), (std::vector<std::string>{"甲"}));

    // Selecting another tab then switches pages as usual.
    pc->ShowAllTabs();
    pc->SetTabIndex(1);
    EXPECT_EQ(pc->ActivePage(), pc->Pages(1));
}

TEST_F(PageControl, FreeingTheActivePageLeavesNoneAndClosingSelectsANeighbour) {
    TLuPageControl* pc = AddPages({"甲", "乙", "丙", "丁"});
    pc->SetActivePageIndex(1);
    delete pc->Pages(1);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_EQ(pc->TabIndex(), -1);
    EXPECT_EQ(pc->PageCount(), 3);

    // Through the close button: nothing without a handler that allows it.
    pc->SetShowCloseButton(true);
    pc->SetActivePageIndex(2);
    Paint(pc);
    ASSERT_NE(pc->CloseButton(), nullptr);
    const TRect button = pc->CloseButton()->BoundsRect();
    const TPoint centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ClickAt(*pc, centre);
    EXPECT_EQ(pc->PageCount(), 3);
    pc->OnClose = [](framework::TObject*, bool& allow) { allow = true; };
    ClickAt(*pc, centre);
    ASSERT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage()->Caption(), "丙") << "the tab before the closed one";
    pc->SetActivePageIndex(0);
    Paint(pc);
    ClickAt(*pc, centre);
    ASSERT_EQ(pc->PageCount(), 1);
    EXPECT_EQ(pc->ActivePage()->Caption(), "丙") << "the new first tab";
}

TEST_F(PageControl, FindNextPageExaminesEveryPageOnce) {
    TLuPageControl* pc = AddPages({"甲", "乙", "丙"});
    EXPECT_EQ(pc->FindNextPage(pc->Pages(2), true, true), pc->Pages(0));
    EXPECT_EQ(pc->FindNextPage(pc->Pages(0), false, true), pc->Pages(2));
    // From a page outside the list the search starts at the last page going forward and at the
    // first going backward; that page is examined too, last.
    EXPECT_EQ(pc->FindNextPage(nullptr, true, true), pc->Pages(0));
    EXPECT_EQ(pc->FindNextPage(nullptr, false, true), pc->Pages(2));
    pc->Pages(0)->SetTabVisible(false);
    pc->Pages(1)->SetTabVisible(false);
    EXPECT_EQ(pc->FindNextPage(nullptr, true, true), pc->Pages(2));
    pc->Pages(0)->SetTabVisible(true);
    pc->Pages(2)->SetTabVisible(false);
    EXPECT_EQ(pc->FindNextPage(nullptr, false, true), pc->Pages(0));
    pc->Pages(2)->SetTabVisible(true);
    // With a single page whose tab shows, the search comes back to it.
    pc->Pages(0)->SetTabVisible(false);
    EXPECT_EQ(pc->FindNextPage(pc->Pages(2), true, true), pc->Pages(2));
    EXPECT_EQ(pc->FindNextPage(pc->Pages(2), true, false), pc->Pages(0));
    TLuPageControl empty(form.get());
    EXPECT_EQ(empty.FindNextPage(nullptr, true, false), nullptr);
}

TEST_F(PageControl, APageColourSwitchesColouredTabsOnAndSwitchingThemOffRecoloursThePages) {
    TLuPageControl* pc = AddPages({"甲", "乙"});
    EXPECT_FALSE(pc->UseColoredTabs());
    pc->Pages(1)->SetColor(gdi::clYellow);
    EXPECT_TRUE(pc->UseColoredTabs());
    EXPECT_EQ(pc->Tabs()->Items(1)->Color(), gdi::clYellow);
    pc->SetUseColoredTabs(false);
    EXPECT_EQ(pc->Pages(1)->Color(), gdi::clBtnFace);
    EXPECT_EQ(pc->Pages(0)->Color(), gdi::clBtnFace);
}

TEST_F(PageControl, PagesMadeInCodeAreButtonFaceAndTheSelectedTabMergesIntoThem) {
    // As the wizards make their module pages.
    TLuPageControl* pc = AddPages({"甲", "乙"});
    pc->SetActivePageIndex(1);
    Paint(pc);
    TLuTabSheet* page = pc->Pages(1);
    EXPECT_EQ(page->Color(), gdi::clBtnFace);
    EXPECT_FALSE(pc->UseColoredTabs());
    page->Repaint();
    const auto face = static_cast<TColor>(gdi::ColorToRGB(gdi::clBtnFace));
    auto pixel = [](framework::TCustomControl& c, int x, int y) {
        return static_cast<TColor>(gdi::GetPixel(c.Canvas()->Handle(), x, y));
    };
    EXPECT_EQ(pixel(*page, page->Width() / 2, page->Height() / 2), face);
    // The selected tab, the card under its opening and the page are one colour.
    const TRect tab = pc->GetTabRect(1);
    EXPECT_EQ(pixel(*pc, (tab.left + tab.right) / 2, tab.bottom - 3), face);
    EXPECT_EQ(pixel(*pc, (tab.left + tab.right) / 2, pc->GetCardRect(0).top + 1), face);
}

TEST_F(PageControl, SavingResourcesDropsTheHandlesOfHiddenPages) {
    TLuPageControl* pc = AddPages({"甲", "乙"});
    auto* edit = new framework::TEdit(pc->Pages(0));
    edit->SetParent(pc->Pages(0));
    pc->SetActivePageIndex(0);
    pc->SetActivePageIndex(1);
    pc->Pages(0)->HandleNeeded();
    pc->SetSaveResources(true);
    EXPECT_FALSE(pc->Pages(0)->HandleAllocated());
    pc->SetActivePageIndex(0);
    EXPECT_TRUE(pc->Pages(0)->HandleAllocated());
    EXPECT_TRUE(edit->HandleAllocated());
    EXPECT_FALSE(pc->Pages(1)->HandleAllocated());
}

// Five pages, the fourth without a tab, driven by a person.
class FivePages : public PageControl {
protected:
    void SetUp() override {
        PageControl::SetUp();
        before = new framework::TEdit(form.get());
        before->SetBounds(10, 250, 100, 20);
        before->SetParent(form.get());
        pc = AddPages({"概况(&G)", "模块(&M)", "人员(&P)", "隐藏(&H)", "报告(&R)"});
        pc->Pages(3)->SetTabVisible(false);
        for (int i = 0; i < pc->PageCount(); ++i) {
            auto* edit = new framework::TEdit(pc->Pages(i));
            edit->SetBounds(10, 10, 100, 20);
            edit->SetParent(pc->Pages(i));
        }
        pc->SetActivePageIndex(0);
        Paint(pc);
        events.clear();
    }
    std::string Active() const { return pc->ActivePage()->Caption(); }
    TLuPageControl* pc = nullptr;
    framework::TEdit* before = nullptr;
};

TEST_F(FivePages, AClickOnATabShowsItsPage) {
    ASSERT_EQ(pc->Tabs()->Count(), 4);
    ClickAt(*pc, Inside(*pc, 2));
    EXPECT_EQ(Active(), "人员(&P)");
    EXPECT_EQ(Shown(*pc), (std::vector<std::string>{"人员(&P)"}));
    EXPECT_EQ(events, (Events{"changing 2", "change"}));
    ClickAt(*pc, Inside(*pc, 3));
    EXPECT_EQ(Active(), "报告(&R)");
}

TEST_F(FivePages, CtrlTabCyclesOverThePagesWithTabs) {
    static_cast<framework::TEdit*>(pc->Pages(0)->Controls(0))->SetFocus();
    std::vector<std::string> seen;
    for (int i = 0; i < 5; ++i) {
        framework::input::PressKey(win::VK_TAB, {framework::ssCtrl});
        seen.push_back(Active());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"模块(&M)", "人员(&P)", "报告(&R)", "概况(&G)", "模块(&M)"}));
    framework::input::PressKey(win::VK_TAB, {framework::ssCtrl, framework::ssShift});
    EXPECT_EQ(Active(), "概况(&G)");
    framework::input::PressKey(win::VK_TAB, {framework::ssCtrl, framework::ssShift});
    EXPECT_EQ(Active(), "报告(&R)");

    // Outside the page control Ctrl+Tab switches no page.
    before->SetFocus();
    framework::input::PressKey(win::VK_TAB, {framework::ssCtrl});
    EXPECT_EQ(Active(), "报告(&R)");
}

TEST_F(FivePages, AnAcceleratorSelectsItsPage) {
    before->SetFocus();
    framework::input::PressKey(win::VK_A + ('p' - 'a'), {framework::ssAlt});
    EXPECT_EQ(Active(), "人员(&P)");
    EXPECT_TRUE(pc->Focused());
    // The page without a tab has no accelerator, nor has a disabled tab.
    framework::input::PressKey(win::VK_A + ('h' - 'a'), {framework::ssAlt});
    EXPECT_EQ(Active(), "人员(&P)");
    pc->Pages(4)->SetTabEnabled(false);
    framework::input::PressKey(win::VK_A + ('r' - 'a'), {framework::ssAlt});
    EXPECT_EQ(Active(), "人员(&P)");
}

TEST_F(FivePages, HideAllTabsHidesTheStripAndLeavesThePagesToCode) {
    const TRect withTabs = pc->GetDisplayRect();
    pc->HideAllTabs();
    Paint(pc);
    EXPECT_EQ(pc->Tabs()->Count(), 0);
    EXPECT_EQ(pc->FixedDimension(), 0);
    EXPECT_LT(pc->GetDisplayRect().top, withTabs.top) << "the card takes the strip's place";
    EXPECT_EQ(Active(), "概况(&G)") << "the active page stays";
    EXPECT_EQ(pc->ActivePage()->BoundsRect(), pc->GetDisplayRect());
    pc->SetActivePageIndex(3);
    EXPECT_EQ(Active(), "隐藏(&H)");
    EXPECT_EQ(Shown(*pc), (std::vector<std::string>{"隐藏(&H)"}));
    pc->SetActivePageIndex(4);
    EXPECT_EQ(Active(), "报告(&R)");
    // Nothing to click in the strip any more.
    ClickAt(*pc, TPoint{20, 5});
    EXPECT_EQ(Active(), "报告(&R)");
}

// Form resources.

class TTabTestForm : public framework::TForm {
public:
    using TForm::TForm;
};

[[maybe_unused]] const auto registerForm = framework::RegisterClass<TTabTestForm, framework::TForm>("TTabTestForm");

const char* const WizardPages = R"(object F: TTabTestForm
  Left = 100
  Top = 100
  Width = 400
  Height = 260
  object PageSelectItem: TLuPageControl
    Left = 0
    Top = 0
    Width = 400
    Height = 260
    ActivePage = TabSheet2
    ActivePageDefault = TabSheet1
    Align = alClient
    FlatColor = 10263441
    HotTrackColor = 3983359
    HotTrackColorType = htctActual
    ShowCardFrame = False
    ShowFocusRect = False
    TabColors.HighlightBar = 3983359
    TabIndex = 1
    TabOrder = 0
    FixedDimension = 18
    object TabSheet1: TLuTabSheet
      Caption = '选择模块'
      object Label1: TLabel
        Left = 8
        Top = 8
        Caption = '模块'
      end
    end
    object TabSheet2: TLuTabSheet
      Caption = '模块信息'
      Color = 15790320
    end
    object TabSheet3: TLuTabSheet
      Caption = '完成'
      TabVisible = False
    end
  end
end
)";

TEST(PageControlStream, PagesJoinInOrderAndTheDefaultPageWins) {
    TTabTestForm form(nullptr);
    framework::ReadComponentText(form, WizardPages, "pages.form");
    auto* pc = static_cast<TLuPageControl*>(form.FindComponent("PageSelectItem"));
    ASSERT_NE(pc, nullptr);
    ASSERT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->Pages(0)->Name(), "TabSheet1");
    EXPECT_EQ(pc->Pages(2)->Name(), "TabSheet3");
    EXPECT_EQ(pc->Tabs()->Count(), 2);
    EXPECT_GT(pc->FixedDimension(), 0) << "laid out at once";
    EXPECT_EQ(pc->ActivePage(), pc->Pages(0));
    EXPECT_EQ(pc->TabIndex(), 0);
    EXPECT_TRUE(pc->Pages(0)->GetVisible());
    EXPECT_FALSE(pc->Pages(1)->GetVisible());
    // A page joins its control after its properties are read, so its colour switches nothing on.
    EXPECT_FALSE(pc->UseColoredTabs());
    EXPECT_EQ(pc->Pages(1)->Color(), 15790320);
    EXPECT_EQ(pc->Pages(0)->Color(), gdi::clBtnFace) << "a page that stores no colour";
    EXPECT_EQ(pc->Pages(0)->ControlCount(), 1);

    // Written back: the pages in page order, no page's place or visibility.
    pc->Pages(2)->SetPageIndex(0);
    pc->Pages(0)->SetColor(gdi::clBtnFace);
    const std::string text = framework::WriteComponentText(form);
    EXPECT_LT(text.find("object TabSheet3"), text.find("object TabSheet1"));
    EXPECT_EQ(text.find("PageIndex"), std::string::npos);
    EXPECT_EQ(text.find("    Visible"), std::string::npos);
    // Only the page of another colour stores one.
    EXPECT_EQ(text.find("Color = clBtnFace"), std::string::npos) << text;
    EXPECT_NE(text.find("Color = 15790320"), std::string::npos) << text;
    EXPECT_NE(text.find("FixedDimension = " + std::to_string(pc->FixedDimension())), std::string::npos);
    TTabTestForm again(nullptr);
    framework::ReadComponentText(again, text, "again.form");
    auto* copy = static_cast<TLuPageControl*>(again.FindComponent("PageSelectItem"));
    EXPECT_EQ(copy->Pages(0)->Name(), "TabSheet3");

    // Freeing the default page clears the reference.
    delete pc->ActivePageDefault();
    EXPECT_EQ(pc->ActivePageDefault(), nullptr);
}

// What a form says of a page's place, alignment and tab order, and a negative border width of any
// windowed control, leave the pages filling the display rectangle and every client-aligned child
// filling its parent.
const char* const MisplacedPages = R"(object F: TTabTestForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object Pages: TLuPageControl
    Left = 0
    Top = 0
    Width = 400
    Height = 200
    ActivePage = Ringed
    BorderWidth = -3
    object Ringed: TLuTabSheet
      Caption = 'Ringed'
      BorderWidth = -7
      object RingedChild: TPanel
        Align = alClient
      end
    end
    object Placed: TLuTabSheet
      Caption = 'Placed'
      Align = alNone
      Anchors = [akRight]
      Left = 5
      Top = 6
      Width = 70
      Height = 80
      TabOrder = 0
    end
  end
  object Box: TScrollBox
    Left = 0
    Top = 200
    Width = 400
    Height = 100
    BorderWidth = -3
    object BoxChild: TPanel
      Align = alClient
    end
  end
end
)";

TEST(PageControlStream, PagesFillTheDisplayRectWhateverTheFormSays) {
    TTabTestForm form(nullptr);
    framework::ReadComponentText(form, MisplacedPages, "misplaced.form");
    auto* pc = static_cast<TLuPageControl*>(form.FindComponent("Pages"));
    auto* ringed = static_cast<TLuTabSheet*>(form.FindComponent("Ringed"));
    auto* placed = static_cast<TLuTabSheet*>(form.FindComponent("Placed"));
    auto* box = static_cast<framework::TScrollBox*>(form.FindComponent("Box"));
    auto* ringedChild = static_cast<framework::TControl*>(form.FindComponent("RingedChild"));
    auto* boxChild = static_cast<framework::TControl*>(form.FindComponent("BoxChild"));
    for (const framework::TComponent* read :
         std::vector<const framework::TComponent*>{pc, ringed, placed, box, ringedChild, boxChild})
        ASSERT_NE(read, nullptr);
    form.Show();

    EXPECT_EQ(pc->BorderWidth(), 0);
    EXPECT_EQ(ringed->BorderWidth(), 0);
    EXPECT_EQ(box->BorderWidth(), 0);
    ASSERT_EQ(pc->ActivePage(), ringed);
    EXPECT_EQ(ringed->BoundsRect(), pc->GetDisplayRect());
    EXPECT_EQ(ringedChild->BoundsRect(), ringed->ClientRect());
    EXPECT_EQ(boxChild->BoundsRect(), box->ClientRect());

    EXPECT_EQ(placed->Align(), framework::alClient);
    EXPECT_EQ(placed->Anchors(), TLuTabSheet(nullptr).Anchors());
    EXPECT_EQ(placed->TabOrder(), 1) << "the pages keep the tab order of the page list";
    pc->SetActivePageIndex(1);
    EXPECT_EQ(placed->BoundsRect(), pc->GetDisplayRect());
}

} // namespace
