// The bit button: standard kinds, glyph strips and image-list images, layout, streaming.

#include "controls/button/LuBitBtn.h"

#include "platform/framework/ActnList.h"
#include "platform/framework/FormResources.h"

#include "ButtonForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using namespace buttontest;
using lu::TLuBitBtn;

class TProbeBitBtn : public TLuBitBtn {
public:
    using TLuBitBtn::TLuBitBtn;
    TRect CaptionRect() { return GetCaptionRect(); }
    TRect GlyphRect() { return GetGlyphRect(); }
};

// A strip of one-coloured cells on olive, each with a block of its colour in the middle.
void MakeStrip(TBitmap& strip, int cellSize, std::initializer_list<gdi::TColor> cells) {
    const int n = static_cast<int>(cells.size());
    strip.SetSize(cellSize * n, cellSize);
    strip.Canvas()->Brush()->SetColor(gdi::clOlive);
    strip.Canvas()->FillRect(TRect{0, 0, cellSize * n, cellSize});
    int i = 0;
    for (gdi::TColor c : cells) {
        strip.Canvas()->Brush()->SetColor(c);
        strip.Canvas()->FillRect(TRect{i * cellSize + 4, 4, i * cellSize + cellSize - 4, cellSize - 4});
        ++i;
    }
}

class BitButton : public ButtonForm {
protected:
    void SetUp() override {
        ButtonForm::SetUp();
        button = Add<TProbeBitBtn>("Bit", TRect{20, 20, 120, 60});
        form->Show();
    }
    gdi::COLORREF Px(int x, int y) { return PixelOf(button, x, y); }
    TProbeBitBtn* button = nullptr;
};

TEST_F(BitButton, KindsBringTheirCaptionGlyphAndModalResult) {
    using namespace lu;
    const struct {
        TBitBtnKind kind;
        const char* caption;
        TModalResult result;
        bool isDefault;
        bool isCancel;
        const char* resource;
    } kinds[] = {
        {bkOK, "OK", mrOk, true, false, "LUCOMMON_OK"},
        {bkCancel, "Cancel", mrCancel, false, true, "LUCOMMON_CANCEL"},
        {bkHelp, "&Help", mrNone, false, false, "LUCOMMON_HELP"},
        {bkYes, "&Yes", mrYes, true, false, "LUCOMMON_YES"},
        {bkNo, "&No", mrNo, false, true, "LUCOMMON_NO"},
        {bkClose, "&Close", mrNone, false, false, "LUCOMMON_CLOSE"},
        {bkAbort, "Abort", mrAbort, false, false, "LUCOMMON_ABORT"},
        {bkRetry, "&Retry", mrRetry, false, false, "LUCOMMON_RETRY"},
        {bkIgnore, "&Ignore", mrIgnore, false, false, "LUCOMMON_IGNORE"},
        {bkAll, "&All", mrAll, false, false, "LUCOMMON_ALL"},
    };
    EXPECT_EQ(KindResourceNames[bkCustom], nullptr);
    for (const auto& k : kinds) {
        EXPECT_STREQ(KindResourceNames[k.kind], k.resource);
        button->SetKind(k.kind);
        EXPECT_EQ(button->Kind(), k.kind);
        EXPECT_EQ(button->Caption(), k.caption);
        EXPECT_EQ(button->ModalResult(), k.result) << k.caption;
        EXPECT_EQ(button->Default(), k.isDefault) << k.caption;
        EXPECT_EQ(button->Cancel(), k.isCancel) << k.caption;
        EXPECT_EQ(button->NumGlyphs(), 2) << k.caption;
        // The library's own picture: two 16 x 16 cells on the colour the glyph leaves out.
        TBitmap* glyph = LoadButtonKindGlyph(k.kind);
        EXPECT_EQ(glyph, LoadButtonKindGlyph(k.kind));
        ASSERT_EQ(glyph->Width(), 32) << k.caption;
        ASSERT_EQ(glyph->Height(), 16) << k.caption;
        EXPECT_EQ(glyph->Canvas()->Pixels(0, 15), gdi::clOlive) << k.caption;
        EXPECT_EQ(glyph->Canvas()->Pixels(16, 15), gdi::clOlive) << k.caption;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ(button->Glyph()->Canvas()->Pixels(x, y), glyph->Canvas()->Pixels(x, y)) << k.caption;
    }
    // Back to no kind: everything the last kind brought stays.
    button->SetKind(bkCustom);
    EXPECT_EQ(button->Kind(), bkCustom);
    EXPECT_EQ(button->Caption(), "&All");
    EXPECT_EQ(button->ModalResult(), mrAll);
    EXPECT_EQ(button->Glyph()->Width(), 32);
    EXPECT_TRUE(LoadButtonKindGlyph(bkCustom)->Empty());
}

TEST_F(BitButton, AKindChangedByHandBecomesCustomAndKeepsWhatItHas) {
    using namespace lu;
    button->SetKind(bkYes);
    button->SetCaption("是(&Y)");
    EXPECT_EQ(button->Kind(), bkYes);
    button->SetModalResult(mrOk);
    EXPECT_EQ(button->Kind(), bkCustom);
    EXPECT_EQ(button->Caption(), "是(&Y)");
    EXPECT_TRUE(button->Default());
    EXPECT_EQ(button->Glyph()->Width(), 32);

    button->SetKind(bkCancel);
    button->SetDefault(true);
    EXPECT_EQ(button->Kind(), bkCustom);
    button->SetKind(bkCancel);
    TBitmap own;
    MakeStrip(own, 16, {gdi::clRed});
    button->SetGlyph(&own);
    EXPECT_EQ(button->Kind(), bkCustom);
    EXPECT_EQ(button->NumGlyphs(), 1);
}

TEST_F(BitButton, FormsStoreOnlyWhatTheKindDoesNotBring) {
    TForm f(nullptr);
    ReadComponentText(f,
                      "object KindForm: TForm\n"
                      "  object Fine: TLuBitBtn\n"
                      "    Caption = 'Fine'\n"
                      "    Kind = bkOK\n"
                      "  end\n"
                      "  object Stop: TLuBitBtn\n"
                      "    Kind = bkCancel\n"
                      "  end\n"
                      "end\n",
                      "KindForm");
    auto* fine = dynamic_cast<TLuBitBtn*>(f.FindComponent("Fine"));
    auto* stop = dynamic_cast<TLuBitBtn*>(f.FindComponent("Stop"));
    ASSERT_NE(fine, nullptr);
    ASSERT_NE(stop, nullptr);
    // A stream's caption wins over the kind's while loading.
    EXPECT_EQ(fine->Caption(), "Fine");
    EXPECT_EQ(fine->ModalResult(), mrOk);
    EXPECT_TRUE(fine->Default());
    EXPECT_EQ(stop->Caption(), "Cancel");
    EXPECT_TRUE(stop->Cancel());

    TBitmap own;
    MakeStrip(own, 16, {gdi::clRed, gdi::clBlue});
    auto* custom = new TLuBitBtn(&f);
    custom->SetName("Own");
    custom->SetParent(&f);
    custom->SetGlyph(&own);
    custom->SetModalResult(mrIgnore);

    const std::string text = WriteComponentText(f);
    const std::size_t ownAt = text.find("object Own");
    ASSERT_NE(ownAt, std::string::npos) << text;
    const std::string kinds = text.substr(0, ownAt);
    const std::string custom_ = text.substr(ownAt);
    EXPECT_NE(kinds.find("Caption = 'Fine'"), std::string::npos) << text;
    EXPECT_NE(kinds.find("Kind = bkOK"), std::string::npos) << text;
    EXPECT_NE(kinds.find("Kind = bkCancel"), std::string::npos) << text;
    for (const char* left : {"Caption = 'Cancel'", "ModalResult", "Default", "Cancel = ", "Glyph", "NumGlyphs"})
        EXPECT_EQ(kinds.find(left), std::string::npos) << left << "\n" << text;
    for (const char* kept : {"Glyph.Data", "NumGlyphs = 2", "ModalResult = 5"})
        EXPECT_NE(custom_.find(kept), std::string::npos) << kept << "\n" << text;

    // At run time the kind's caption replaces the button's.
    fine->SetKind(lu::bkCustom);
    fine->SetKind(lu::bkOK);
    EXPECT_EQ(fine->Caption(), "OK");
}

TEST_F(BitButton, TheGlyphStripCountsItsCellsAndBadValuesAreRefused) {
    const struct {
        int width;
        int height;
        int numGlyphs;
    } strips[] = {{64, 16, 4}, {80, 16, 1}, {30, 16, 3}, {0, 16, 3}, {16, 16, 1}, {32, 16, 2}};
    for (const auto& s : strips) {
        button->SetNumGlyphs(3);
        TBitmap strip;
        strip.SetSize(s.width, s.height);
        button->SetGlyph(&strip);
        EXPECT_EQ(button->NumGlyphs(), s.numGlyphs) << s.width << " x " << s.height;
    }
    EXPECT_THROW(button->SetNumGlyphs(5), rtl::Exception);
    EXPECT_THROW(button->SetNumGlyphs(0), rtl::Exception);
    button->SetMargin(-2);
    EXPECT_EQ(button->Margin(), 2);
    button->SetMargin(-1);
    EXPECT_EQ(button->Margin(), -1);
}

TEST_F(BitButton, LayoutPlacesGlyphAndCaption) {
    TBitmap glyph;
    MakeStrip(glyph, 16, {gdi::clRed});
    button->SetGlyph(&glyph);
    button->SetCaption("Go");
    // The push button's caption area is (5, 5, 95, 35); margin 2, spacing 4.
    const struct {
        lu::TButtonLayout layout;
        TRect caption;
        TRect glyph;
    } cases[] = {
        {lu::blGlyphLeft, {27, 5, 95, 35}, {7, 12, 23, 28}},
        {lu::blGlyphRight, {5, 5, 73, 35}, {77, 12, 93, 28}},
        {lu::blGlyphTop, {5, 27, 95, 35}, {42, 7, 58, 23}},
        {lu::blGlyphBottom, {5, 5, 95, 13}, {42, 17, 58, 33}},
    };
    for (const auto& c : cases) {
        button->SetLayout(c.layout);
        EXPECT_EQ(button->CaptionRect(), c.caption) << int(c.layout);
        EXPECT_EQ(button->GlyphRect(), c.glyph) << int(c.layout);
    }

    // Margin -1 with the glyph on top: glyph and caption centred as one block of height
    // gh + Spacing + h, the glyph t pixels from the top and the caption below it.
    button->SetLayout(lu::blGlyphTop);
    button->SetMargin(-1);
    const TRect caption = button->CaptionRect();
    const int h = caption.Height();
    const int t = (40 - (16 + h + 4)) / 2;
    EXPECT_EQ(caption.top, 5 + t + 16);
    EXPECT_EQ(button->GlyphRect().top, t);
    // Pressed in the classic look both move one pixel down.
    input::PressButton(mbLeft, At(button, 50, 20));
    EXPECT_EQ(button->CaptionRect().top, 6 + t + 16);
    EXPECT_EQ(button->GlyphRect().top, t + 1);
    input::ReleaseButton(mbLeft, At(button, 150, 20));
}

TEST_F(BitButton, AnImageOfTheListIsDrawnInsteadOfTheGlyphForCustomButtons) {
    auto* list = new TImageList(form.get());
    TBitmap images;
    MakeStrip(images, 16, {gdi::clRed, gdi::clLime, gdi::clBlue, gdi::clNavy});
    list->AddMasked(&images, gdi::clOlive);
    TBitmap glyph;
    MakeStrip(glyph, 16, {gdi::clFuchsia});
    button->SetGlyph(&glyph);
    button->SetImages(list);
    button->SetImageIndex(3);
    // The glyph rect is (7, 12, 23, 28); the middle of the image at (15, 20).
    EXPECT_EQ(Px(15, 20), Rgb(gdi::clNavy));
    EXPECT_EQ(Px(8, 13), Rgb(gdi::clBtnFace));

    // Disabled: the image greyed, or the disabled image as it is.
    button->SetEnabled(false);
    EXPECT_EQ(Px(15, 20), Rgb(gdi::clBtnShadow));
    button->SetDisabledIndex(2);
    EXPECT_EQ(Px(15, 20), Rgb(gdi::clBlue));
    button->SetEnabled(true);
    EXPECT_EQ(Px(15, 20), Rgb(gdi::clNavy));

    // An index the list lacks draws nothing.
    button->SetImageIndex(9);
    EXPECT_EQ(Px(15, 20), Rgb(gdi::clBtnFace));
    button->SetImageIndex(3);

    // A button of a kind draws its glyph.
    button->SetKind(lu::bkOK);
    EXPECT_NE(Px(15, 20), Rgb(gdi::clNavy));

    // A change of the list paints the waiting repaint at once.
    button->SetKind(lu::bkCustom);
    button->SetGlyph(&glyph);
    UpdateAllWindows();
    button->Invalidate();
    list->Delete(0);
    EXPECT_FALSE(button->Handle()->HasUpdate());

    delete list;
    EXPECT_EQ(button->Images(), nullptr);
    EXPECT_EQ(Px(15, 20), Rgb(gdi::clFuchsia));
}

TEST_F(BitButton, TheGlyphLeavesOutItsCornerColourAndShowsItsSecondCellWhileDisabled) {
    TBitmap strip;
    MakeStrip(strip, 16, {gdi::clRed, gdi::clBlue});
    button->SetColor(gdi::clAqua);
    button->SetGlyph(&strip);
    EXPECT_EQ(Px(15, 20), Rgb(gdi::clRed));
    EXPECT_EQ(Px(8, 13), Rgb(gdi::clAqua));
    button->SetEnabled(false);
    EXPECT_EQ(Px(15, 20), Rgb(gdi::clBlue));
    EXPECT_EQ(Px(8, 13), Rgb(gdi::clAqua));

    // A one-cell glyph looks the same disabled.
    TBitmap single;
    MakeStrip(single, 16, {gdi::clRed});
    button->SetGlyph(&single);
    EXPECT_EQ(Px(15, 20), Rgb(gdi::clRed));
}

TEST_F(BitButton, AnActionGivesItsImageAndScalingKeepsTheCentringMargin) {
    auto* action = new TAction(form.get());
    action->SetImageIndex(2);
    button->SetAction(action);
    EXPECT_EQ(button->ImageIndex(), 2);

    button->ChangeScale(2, 1);
    EXPECT_EQ(button->Margin(), 4);
    EXPECT_EQ(button->Spacing(), 8);
    button->SetMargin(-1);
    button->ChangeScale(3, 2);
    EXPECT_EQ(button->Margin(), -1);
    EXPECT_EQ(button->Spacing(), 12);
}

} // namespace
