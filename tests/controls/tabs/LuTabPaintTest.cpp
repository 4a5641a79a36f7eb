// The painting pass read back from the screen: the wizards' page control, several rows, scrolled
// and side tabs as pictures (build folder's pictures/), and the details of a tab's drawing.
#include "tests/controls/tabs/TabTestSupport.h"
#include "tests/support/Pictures.h"

#include "controls/common/LuColorMath.h"
#include "platform/framework/FormResources.h"
#include "platform/framework/MaskEdit.h"
#include "platform/gdi/Faults.h"
#include "platform/gdi/Gdi.h"

using namespace tabtest;

namespace {

// The form as shown, written to the pictures folder.
void SaveShot(framework::TCustomForm& form, const std::string& name, int zoom = 1) {
    framework::TBitmap shot;
    framework::RenderForm(form, shot);
    tests::SavePicture(shot, name, zoom);
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
std::string WizardForm(const std::string& extra, const std::vector<std::string>& captions, int width = 360,
                       int height = 140) {
    const std::string size = "Width = " + std::to_string(width) + "\n    Height = " + std::to_string(height);
    std::string text = "object F: TPaintTestForm\n  Left = 100\n  Top = 100\n  " + size +
                       "\n  BorderStyle = bsNone\n"
                       "  object Pages: TLuPageControl\n    Left = 0\n    Top = 0\n    " + size +
                       "\n    Align = alClient\n    FlatColor = 10263441\n"
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
    SaveShot(*wizard, "page_control_wizard", 3);

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
    SaveShot(*wizard, "page_control_multiline");

    TLuPageControl* scrolled = Load(WizardForm("", many, 300));
    EXPECT_TRUE(scrolled->ScrollerNeeded());
    scrolled->SetActivePageIndex(5);
    scrolled->Repaint();
    EXPECT_GT(scrolled->FirstShownTab(), 0);
    SaveShot(*wizard, "page_control_scrolled");

    for (const char* edge : {"toLeft", "toRight"}) {
        TLuPageControl* side = Load(WizardForm(std::string("    TabOrientation = ") + edge +
                                                   "\n    TextOrientation = orVertical\n    TabStyle = tsCutCorner\n",
                                               {"选择模块", "模块信息", "完成"}, 300, 260));
        side->SetActivePageIndex(1);
        side->Repaint();
        EXPECT_FALSE(side->ScrollerNeeded()) << edge;
        EXPECT_LT(side->GetTabRect(0).Width(), side->GetTabRect(0).Height()) << edge;
        SaveShot(*wizard, std::string("page_control_side_") + edge);
    }
}

// One control of three cut-corner tabs on a white background, the middle one selected.
class TabDrawing : public TabForm {
protected:
    void SetUp() override {
        TabForm::SetUp();
        c = AddTabs(TRect{10, 10, 310, 110});
        for (const char* caption : {"常规", "模块", "报告"}) {
            auto tab = std::make_unique<TLuTabData>();
            tab->SetCaption(caption);
            c->Tabs()->Add(std::move(tab));
        }
        c->SetTabStyle(tsCutCorner);
        c->SetBackgroundColor(gdi::clWhite);
        c->SetFlatColor(Flat);
        c->SetHotTrack(false);
        form->Show();
        c->SetTabIndex(1);
        Draw();
    }
    void Draw() { c->Repaint(); }
    TColor Pixel(int x, int y) const { return static_cast<TColor>(gdi::GetPixel(c->Canvas()->Handle(), x, y)); }
    TPoint Centre(int index) const {
        const TRect r = c->GetTabRect(index);
        return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // The whole control as painted.
    std::vector<TColor> Shot() const {
        std::vector<TColor> pixels;
        for (int y = 0; y < c->Height(); ++y)
            for (int x = 0; x < c->Width(); ++x)
                pixels.push_back(Pixel(x, y));
        return pixels;
    }
    TTestTabControl* c = nullptr;
};

TEST_F(TabDrawing, TheFrontCardOpensUnderTheSelectedTab) {
    const TRect card = c->GetCardRect(0);
    const TRect selected = c->GetTabRect(1);
    EXPECT_EQ(Pixel(selected.left, selected.top + 5), Flat) << "the tab's own side";
    EXPECT_NE(Pixel((selected.left + selected.right) / 2, card.top), Flat) << "the opening";
    EXPECT_EQ(Pixel(selected.right + 10, card.top), Flat);
    EXPECT_EQ(Pixel(card.left, card.top + 20), Flat) << "a full frame";
    // The shadow darkens the parent's background along the right and bottom sides.
    const auto under = static_cast<TColor>(gdi::ColorToRGB(form->Color()));
    EXPECT_EQ(Pixel(card.right - 1, card.top + 30), MixColors(gdi::clBlack, under, 30));
    EXPECT_EQ(Pixel(card.right, card.top + 30), MixColors(gdi::clBlack, under, 15));
    EXPECT_EQ(Pixel(card.left + 30, card.bottom), MixColors(gdi::clBlack, under, 15));

    // Without a selection the card's top side runs through.
    c->SetTabIndex(-1);
    Draw();
    EXPECT_EQ(Pixel((selected.left + selected.right) / 2, card.top), Flat);

    // A partial frame is the side next to the tabs only; no shadow at the bottom edge.
    c->SetTabIndex(1);
    c->SetShowFullFrame(false);
    Draw();
    EXPECT_NE(Pixel((selected.left + selected.right) / 2, card.top), Flat);
    EXPECT_EQ(Pixel(selected.right + 10, card.top), Flat);
    EXPECT_NE(Pixel(card.left, card.top + 20), Flat);
    // Tabs at the bottom have a full frame but no shadow.
    c->SetShowShadow(true);
    c->SetTabOrientation(toBottom);
    Draw();
    const TRect bottomCard = c->GetCardRect(0);
    EXPECT_EQ(Pixel(bottomCard.right, bottomCard.top + 30), Flat);
    EXPECT_EQ(Pixel(bottomCard.right - 1, bottomCard.top + 30), static_cast<TColor>(gdi::ColorToRGB(c->Color())));
}

TEST_F(TabDrawing, TabFillsFollowTheirStateAndAHandlerMayTakeThemOver) {
    c->SetUseGradients(false);
    c->TabColors()->SetUnselected(gdi::clAqua);
    Draw();
    const TPoint other = Centre(0);
    EXPECT_EQ(Pixel(other.x, other.y - 3), gdi::clAqua);
    EXPECT_EQ(Pixel(Centre(1).x - 12, Centre(1).y - 3), static_cast<TColor>(gdi::ColorToRGB(c->Color())));
    c->SetUseGradients(true);
    Draw();
    const TRect r = c->GetTabRect(0);
    EXPECT_NE(Pixel(r.left + 4, r.top + 2), Pixel(r.left + 4, r.bottom - 2)) << "a gradient from the outer edge";

    c->OnPaintTabBackground = [](framework::TObject*, TCanvas*, int index, const TRect&, bool& handled) {
        handled = index == 0;
    };
    Draw();
    EXPECT_EQ(Pixel(r.left + 4, r.top + 4), gdi::clWhite) << "left unfilled";
    EXPECT_EQ(Pixel(r.left, r.top + 4), Flat) << "the outline stays";

    // With coloured tabs the card and the control take the current tab's colour.
    c->OnPaintTabBackground = nullptr;
    c->Tabs()->Items(1)->SetColor(gdi::clYellow);
    c->SetUseColoredTabs(true);
    Draw();
    EXPECT_EQ(c->Color(), gdi::clYellow);
    EXPECT_EQ(Pixel(150, 80), gdi::clYellow);
}

TEST_F(TabDrawing, CaptionColoursAreAskedForEachState) {
    std::vector<std::pair<int, TLuTextStyle>> asked;
    c->OnGetTextColor = [&asked](framework::TObject*, int index, TLuTextStyle style, TColor&, bool&) {
        asked.emplace_back(index, style);
    };
    c->Tabs()->Items(2)->SetEnabled(false);
    Draw();
    using Asked = std::vector<std::pair<int, TLuTextStyle>>;
    // Back to front: the others from the last, then the current tab on top.
    EXPECT_EQ(asked, (Asked{{2, tsDisabledHighlight}, {2, tsDisabledShadow}, {0, tsUnselected}, {1, tsSelected}}));

    // A hot current tab: the hot style and a bar in the hot colour.
    c->SetHotTrack(true);
    c->SetHotTrackColorType(htctActual);
    c->SetHotTrackColor(gdi::clRed);
    MoveTo(*c, Centre(1));
    asked.clear();
    Draw();
    EXPECT_EQ(asked.back(), (std::pair<int, TLuTextStyle>{1, tsHotTrack}));
    const TRect r = c->GetTabRect(1);
    EXPECT_EQ(Pixel(r.left + 12, r.top + 2), gdi::clRed);
    c->SetHotTrackColorType(htctComplement);
    Draw();
    EXPECT_EQ(Pixel(r.left + 12, r.top + 2), HslToColorValue(HueOfColor(gdi::clRed) + 120, 240, 140));
}

TEST_F(TabDrawing, ImagesStandBesideTheCaptionAndDisabledTabsShowTheirOwn) {
    // Two 8 x 8 images: red and blue squares.
    auto* images = new framework::TCustomImageList(form.get());
    images->SetWidth(8);
    images->SetHeight(8);
    framework::TBitmap strip;
    strip.SetSize(16, 8);
    strip.Canvas()->Brush()->SetColor(gdi::clRed);
    strip.Canvas()->FillRect(TRect{0, 0, 8, 8});
    strip.Canvas()->Brush()->SetColor(gdi::clBlue);
    strip.Canvas()->FillRect(TRect{8, 0, 16, 8});
    images->Add(&strip, nullptr);
    c->SetImages(images);
    c->Tabs()->Items(0)->SetImageIndex(0);
    c->Tabs()->Items(2)->SetImageIndex(0);
    c->Tabs()->Items(2)->SetDisabledIndex(1);
    c->Tabs()->Items(2)->SetEnabled(false);
    c->RequestLayout();
    Draw();
    // Left of the caption, centred across the tab.
    const TRect content = c->GetContentRect(c->GetTabRect(0));
    const int top = content.top + (content.Height() - 8) / 2;
    EXPECT_EQ(Pixel(content.left + 4, top + 4), gdi::clRed);
    EXPECT_NE(Pixel(content.left + 4, top - 1), gdi::clRed);
    const TRect disabled = c->GetContentRect(c->GetTabRect(2));
    EXPECT_EQ(Pixel(disabled.left + 4, disabled.top + (disabled.Height() - 8) / 2 + 4), gdi::clBlue);
    // The image makes room: the tab with one is wider than the same tab without.
    EXPECT_GT(c->GetTabRect(0).Width(), c->GetTabRect(1).Width());
}

TEST_F(TabDrawing, TheFocusRectangleShowsOnlyWithTheFocus) {
    // The control took the focus when the form was shown.
    ASSERT_TRUE(c->Focused());
    const std::vector<TColor> focused = Shot();
    c->SetShowFocusRect(false);
    Draw();
    const std::vector<TColor> without = Shot();
    EXPECT_NE(without, focused);
    c->SetShowFocusRect(true);
    auto* other = new framework::TEdit(form.get());
    other->SetBounds(10, 200, 60, 20);
    other->SetParent(form.get());
    other->SetFocus();
    Draw();
    EXPECT_EQ(Shot(), without);
}

TEST_F(TabDrawing, AHotTrackRepaintLeavesTheShadowOutOnce) {
    c->SetHotTrack(true);
    MoveTo(*c, Centre(0));
    EXPECT_TRUE(c->HotRepaintOnly());
    c->Update();
    EXPECT_FALSE(c->HotRepaintOnly()) << "the next paint draws the shadow again";
}

// Each save and each restore of the buffer's drawing state fails once in turn, wherever it falls
// in the pass: around a tab, its caption or a part of the caption. The failed paint must leave the
// buffer as it found it, so the next paint is whole again.
TEST_F(TabDrawing, APaintThatFailsLeavesTheBufferUnclippedAndHoldsNoFont) {
    c->Tabs()->Items(0)->SetCaption("常&规");
    c->Tabs()->Items(2)->SetEnabled(false);
    c->RequestLayout();
    Draw();
    const std::vector<TColor> whole = Shot();
    gdi::HDC buffer = c->TabBuffer()->Canvas()->Handle();
    auto depth = [buffer] {
        const int level = gdi::SaveDC(buffer);
        gdi::RestoreDC(buffer, level);
        return level - 1;
    };
    const int depthBefore = depth();
    const int objects = gdi::LiveObjectCount();
    const struct {
        gdi::FaultingCall call;
        const char* message;
    } faults[] = {{gdi::FaultingCall::SaveDC, "Error saving device context"},
                  {gdi::FaultingCall::RestoreDC, "Error restoring device context"}};
    for (const auto& fault : faults) {
        int failedPaints = 0;
        for (int passing = 0; passing < 40; ++passing) {
            SCOPED_TRACE(testing::Message() << fault.message << " after " << passing << " calls");
            gdi::FailOneCallAfter(fault.call, passing);
            std::string error;
            try {
                Draw();
            } catch (const rtl::Exception& e) {
                error = e.what();
            }
            gdi::ResetFaults();
            if (error.empty())
                continue;
            ++failedPaints;
            EXPECT_EQ(error, fault.message);
            c->Invalidate();
            Draw();
            EXPECT_TRUE(Shot() == whole) << "the next paint is clipped or drawn in another state";
            EXPECT_EQ(depth(), depthBefore);
            EXPECT_EQ(gdi::LiveObjectCount(), objects) << "a caption font left behind";
        }
        // Every tab saves its state, and so does each caption drawn and each part of it: the
        // disabled tab 1 + 2 x (1 + 1), tab 0 1 + 1 + 3 parts, tab 1 1 + 1 + 1.
        EXPECT_EQ(failedPaints, 13) << fault.message;
    }
}

TEST_F(TabDrawing, EveryStyleAndEdgeIsDrawnWithoutLeavingDrawingObjectsBehind) {
    // A 4 x 4 sheet: styles down, edges across; each control has a selected and a disabled tab.
    form->SetBounds(100, 100, 4 * 170, 4 * 110);
    std::vector<TTestTabControl*> all;
    for (int style = 0; style < 4; ++style)
        for (int edge = 0; edge < 4; ++edge) {
            TTestTabControl* t =
                AddTabs(TRect{edge * 170 + 5, style * 110 + 5, edge * 170 + 165, style * 110 + 105});
            for (const char* caption : {"甲&A", "乙&B", "丙"}) {
                auto tab = std::make_unique<TLuTabData>();
                tab->SetCaption(caption);
                t->Tabs()->Add(std::move(tab));
            }
            t->Tabs()->Items(2)->SetEnabled(false);
            t->SetTabStyle(static_cast<TLuTabStyle>(style));
            t->SetTabOrientation(static_cast<TLuTabOrientation>(edge));
            t->SetFlatColor(Flat);
            t->SetTabIndex(1);
            all.push_back(t);
        }
    c->SetVisible(false);
    for (TTestTabControl* t : all)
        t->Repaint();
    const int objects = gdi::LiveObjectCount();
    for (TTestTabControl* t : all) {
        t->Invalidate();
        t->Repaint();
    }
    EXPECT_EQ(gdi::LiveObjectCount(), objects);
    SaveShot(*form, "tab_outlines", 2);

    // Per edge: the side of the front card that borders the tabs, and whether it runs along x.
    const struct {
        TLuTabOrientation edge;
        int TRect::*line;
        bool alongX;
    } sides[] = {{toTop, &TRect::top, true},
                 {toLeft, &TRect::left, false},
                 {toBottom, &TRect::bottom, true},
                 {toRight, &TRect::right, false}};
    const char* const styleNames[] = {"single slant", "double slant", "cut corner", "round corners"};
    const char* const edgeNames[] = {"top", "left", "bottom", "right"};
    for (TTestTabControl* t : all) {
        SCOPED_TRACE(std::string(styleNames[t->TabStyle()]) + " on the " + edgeNames[t->TabOrientation()]);
        const auto& side = sides[t->TabOrientation()];
        ASSERT_EQ(side.edge, t->TabOrientation());
        auto pixel = [t](TPoint p) {
            return static_cast<TColor>(gdi::GetPixel(t->Canvas()->Handle(), p.x, p.y));
        };
        const int selected = t->TabIndex();
        ASSERT_TRUE(t->IsTabFullyShown(selected));

        // The selected tab's outline: every corner but the two at its base, and the middle of
        // every straight line between them.
        const TLuTabShape shape = t->GetMappedTabShape(selected);
        const int last = shape.Count() - 1;
        for (int i = 1; i < last; ++i)
            EXPECT_EQ(pixel(shape[i]), Flat) << "corner " << i;
        for (int i = 1; i + 1 < last; ++i) {
            const TPoint from = shape[i];
            const TPoint to = shape[i + 1];
            if (from.x == to.x || from.y == to.y) {
                EXPECT_EQ(pixel(TPoint{(from.x + to.x) / 2, (from.y + to.y) / 2}), Flat)
                    << "line from corner " << i;
            }
        }

        // The card's side is open under the selected tab, in the tab's colour, and drawn on both
        // sides of the opening up to its ends.
        const TRect card = t->GetCardRect(0);
        auto onSide = [&](int along) {
            return side.alongX ? TPoint{along, card.*side.line} : TPoint{card.*side.line, along};
        };
        auto along = [&](TPoint p) { return side.alongX ? p.x : p.y; };
        // The side's two ends, 4 pixels in (clear of the corners and the shadow).
        const int first = (side.alongX ? card.left : card.top) + 4;
        const int end = (side.alongX ? card.right : card.bottom) - 4;
        const int base0 = along(shape[0]);
        const int base1 = along(shape[last]);
        const auto face = static_cast<TColor>(gdi::ColorToRGB(t->Color()));
        EXPECT_EQ(pixel(onSide((base0 + base1) / 2)), face) << "the opening";
        const int opening0 = std::min(base0, base1);
        const int opening1 = std::max(base0, base1);
        // (A long slanted tab on a short side may open it to its end.)
        std::vector<int> drawn;
        if (opening0 - 3 > first)
            drawn.insert(drawn.end(), {first, opening0 - 3});
        if (opening1 + 3 < end)
            drawn.insert(drawn.end(), {opening1 + 3, end});
        EXPECT_FALSE(drawn.empty());
        for (int a : drawn)
            EXPECT_EQ(pixel(onSide(a)), Flat) << "the card's side at " << a;
    }
}

} // namespace
