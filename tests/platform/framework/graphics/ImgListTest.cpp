#include "platform/framework/ImgList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace framework;

// Two 4 x 4 cells: a red square on a fuchsia key, and a white square with a black dot.
void MakeStrip(TBitmap& strip) {
    strip.SetSize(8, 4);
    TCanvas* c = strip.Canvas();
    c->Brush()->SetColor(gdi::clFuchsia);
    c->FillRect(TRect{0, 0, 8, 4});
    c->Brush()->SetColor(gdi::clRed);
    c->FillRect(TRect{1, 1, 3, 3});
    c->Brush()->SetColor(gdi::clWhite);
    c->FillRect(TRect{4, 0, 8, 4});
    c->SetPixels(5, 1, gdi::clBlack);
}

std::string Row(TCanvas* c, int y, int from, int to) {
    std::string s;
    for (int x = from; x < to; ++x) {
        TColor p = c->Pixels(x, y);
        s += p == gdi::clRed                             ? 'R'
             : p == gdi::clWhite                         ? 'w'
             : p == gdi::clBlack                         ? 'k'
             : p == gdi::clGreen                         ? 'g'
             : p == gdi::ColorToRGB(gdi::clBtnShadow)    ? 's'
             : p == gdi::ColorToRGB(gdi::clBtnHighlight) ? 'h'
                                                         : '?';
    }
    return s;
}

TEST(ImageList, AddCellsAndDrawMasked) {
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    TBitmap strip;
    MakeStrip(strip);
    EXPECT_EQ(list.AddMasked(&strip, gdi::clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);

    TBitmap target;
    target.SetSize(10, 6);
    target.Canvas()->Brush()->SetColor(gdi::clGreen);
    target.Canvas()->FillRect(TRect{0, 0, 10, 6});
    list.Draw(target.Canvas(), 1, 1, 0);
    EXPECT_EQ(Row(target.Canvas(), 1, 0, 6), "gggggg");
    EXPECT_EQ(Row(target.Canvas(), 2, 0, 6), "ggRRgg");
    list.Draw(target.Canvas(), 5, 1, 1);
    EXPECT_EQ(Row(target.Canvas(), 2, 5, 9), "wkww");

    TBitmap copy;
    list.GetBitmap(0, &copy);
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.Canvas()->Pixels(1, 1), gdi::clRed);

    EXPECT_THROW(list.Draw(target.Canvas(), 0, 0, 2), EInvalidOperation);
    EXPECT_THROW(list.Delete(-1), EInvalidOperation);
    TBitmap empty;
    EXPECT_THROW(list.Add(&empty, nullptr), EInvalidOperation);

    // An explicit mask: white keeps the target.
    TBitmap mask;
    mask.SetMonochrome(true);
    mask.SetSize(8, 4);
    mask.Canvas()->SetPixels(0, 0, gdi::clBlack);
    EXPECT_EQ(list.Add(&strip, &mask), 2);
    list.Draw(target.Canvas(), 0, 0, 2);
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), gdi::clFuchsia);
    EXPECT_EQ(target.Canvas()->Pixels(1, 0), gdi::clGreen);
}

TEST(ImageList, DisabledImageIsGreyed) {
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    TBitmap strip;
    MakeStrip(strip);
    list.AddMasked(&strip, gdi::clFuchsia);

    // The greyed colours are the system's; a distinct highlight shows it apart from white.
    gdi::SetSysColorForTest(gdi::COLOR_BTNHIGHLIGHT, gdi::RGB(250, 250, 200));
    TBitmap target;
    target.SetSize(6, 6);
    target.Canvas()->Brush()->SetColor(gdi::clGreen);
    target.Canvas()->FillRect(TRect{0, 0, 6, 6});
    list.Draw(target.Canvas(), 0, 0, 0, false);
    // The red square's ink in shadow, its highlight one pixel down and right.
    EXPECT_EQ(Row(target.Canvas(), 0, 0, 5), "ggggg");
    EXPECT_EQ(Row(target.Canvas(), 1, 0, 5), "gssgg");
    EXPECT_EQ(Row(target.Canvas(), 2, 0, 5), "gsshg");
    EXPECT_EQ(Row(target.Canvas(), 3, 0, 5), "gghhg");

    // Light pixels leave no ink: only the black dot of the second image shows.
    target.Canvas()->FillRect(TRect{0, 0, 6, 6});
    list.Draw(target.Canvas(), 0, 0, 1, false);
    EXPECT_EQ(Row(target.Canvas(), 1, 0, 4), "gsgg");
    EXPECT_EQ(Row(target.Canvas(), 2, 0, 4), "gghg");
    gdi::ResetSysColors();
}

TEST(ImageList, ChangeLinks) {
    auto* list = new TImageList(nullptr);
    TChangeLink a;
    auto b = std::make_unique<TChangeLink>();
    int aCount = 0;
    int bCount = 0;
    a.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, list);
        ++aCount;
    };
    b->OnChange = [&](TObject*) { ++bCount; };
    list->RegisterChanges(&a);
    list->RegisterChanges(b.get());
    list->RegisterChanges(&a); // once only
    EXPECT_EQ(a.Sender(), list);

    TBitmap strip;
    MakeStrip(strip);
    list->AddMasked(&strip, gdi::clDefault);
    EXPECT_EQ(aCount, 1);
    EXPECT_EQ(bCount, 1);

    b.reset(); // a freed link unregisters itself
    list->Delete(0);
    EXPECT_EQ(aCount, 2);

    list->SetWidth(8); // a new size clears the list
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(aCount, 3);

    delete list; // the link forgets its list
    EXPECT_EQ(a.Sender(), nullptr);
}

} // namespace
