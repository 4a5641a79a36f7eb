#include "GdiTestSupport.h"

#include <gtest/gtest.h>

namespace gdi {
namespace {

using test::TestCanvas;

TEST(Blits, RasterOperationsOnOnePixel) {
    struct Case {
        unsigned rop;
        COLORREF expected;
    };
    const COLORREF src = 0x00F0F0, dst = 0x0FF00F, pat = 0x123456;
    const Case cases[] = {
        {SRCCOPY, src},
        {SRCAND, src & dst},
        {SRCPAINT, src | dst},
        {SRCINVERT, src ^ dst},
        {DSTINVERT, ~dst & 0xFFFFFF},
        {PATCOPY, pat},
        {NOTSRCCOPY, ~src & 0xFFFFFF},
        {BLACKNESS, 0},
        {WHITENESS, 0xFFFFFF},
        {MERGEPAINT, (~src | dst) & 0xFFFFFF},
    };
    for (const Case& c : cases) {
        TestCanvas from(1, 1), to(1, 1);
        SetPixel(from.dc(), 0, 0, src);
        SetPixel(to.dc(), 0, 0, dst);
        HBRUSH brush = CreateSolidBrush(pat);
        HGDIOBJ old = SelectObject(to.dc(), brush);
        EXPECT_TRUE(BitBlt(to.dc(), 0, 0, 1, 1, from.dc(), 0, 0, c.rop));
        EXPECT_EQ(to.At(0, 0), c.expected) << std::hex << c.rop;
        SelectObject(to.dc(), old);
        DeleteObject(brush);
    }
}

TEST(Blits, ColourToMonochromeFollowsTheBackgroundColourAndBack) {
    TestCanvas image(3, 1);
    SetPixel(image.dc(), 0, 0, RGB(255, 0, 255));
    SetPixel(image.dc(), 1, 0, RGB(255, 255, 255));
    SetPixel(image.dc(), 2, 0, RGB(0, 0, 0));
    HDC maskDc = CreateCompatibleDC(nullptr);
    HBITMAP mask = CreateBitmap(3, 1, 1, 1, nullptr);
    SelectObject(maskDc, mask);
    SetBkColor(image.dc(), RGB(255, 0, 255));
    BitBlt(maskDc, 0, 0, 3, 1, image.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(mask->surface.Pixel(0, 0), 0xFFFFFFu); // the background colour
    EXPECT_EQ(mask->surface.Pixel(1, 0), 0u);        // white is not the background colour here
    EXPECT_EQ(mask->surface.Pixel(2, 0), 0u);

    TestCanvas back(3, 1);
    SetTextColor(back.dc(), RGB(10, 20, 30));
    SetBkColor(back.dc(), RGB(40, 50, 60));
    BitBlt(back.dc(), 0, 0, 3, 1, maskDc, 0, 0, SRCCOPY);
    EXPECT_EQ(back.At(0, 0), RGB(40, 50, 60));
    EXPECT_EQ(back.At(1, 0), RGB(10, 20, 30));

    // The masked copy keeps the destination where the mask is white.
    TestCanvas target(3, 1);
    SetPixel(target.dc(), 0, 0, RGB(7, 7, 7));
    EXPECT_TRUE(MaskedStretchBlt(target.dc(), 0, 0, 3, 1, image.dc(), 0, 0, 3, 1, maskDc, 0, 0));
    EXPECT_EQ(target.At(0, 0), RGB(7, 7, 7));
    EXPECT_EQ(target.At(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(target.At(2, 0), RGB(0, 0, 0));
    DeleteDC(maskDc);
    DeleteObject(mask);
}

TEST(Blits, DrawingOnAMonochromeBitmapGivesBlackOrWhite) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateBitmap(2, 1, 1, 1, nullptr);
    SelectObject(dc, mono);
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(200, 200, 200)), 0xFFFFFFu);
    EXPECT_EQ(SetPixel(dc, 1, 0, RGB(100, 100, 100)), 0u);
    DeleteDC(dc);
    DeleteObject(mono);
}

TEST(Blits, OverlappingCopyWithinOneContextReadsTheSourceFirst) {
    TestCanvas canvas(5, 1);
    for (int x = 0; x < 3; ++x)
        SetPixel(canvas.dc(), x, 0, RGB(x + 1, 0, 0));
    BitBlt(canvas.dc(), 1, 0, 3, 1, canvas.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(canvas.At(1, 0), RGB(1, 0, 0));
    EXPECT_EQ(canvas.At(2, 0), RGB(2, 0, 0));
    EXPECT_EQ(canvas.At(3, 0), RGB(3, 0, 0));
}

TEST(Blits, StretchAndTransparentCopy) {
    TestCanvas source(2, 1);
    SetPixel(source.dc(), 0, 0, RGB(1, 0, 0));
    SetPixel(source.dc(), 1, 0, RGB(2, 0, 0));
    TestCanvas wide(4, 2);
    StretchBlt(wide.dc(), 0, 0, 4, 2, source.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(wide.At(0, 1), RGB(1, 0, 0));
    EXPECT_EQ(wide.At(1, 0), RGB(1, 0, 0));
    EXPECT_EQ(wide.At(2, 1), RGB(2, 0, 0));
    TestCanvas mirrored(2, 1);
    StretchBlt(mirrored.dc(), 0, 0, 2, 1, source.dc(), 2, 0, -2, 1, SRCCOPY);
    EXPECT_EQ(mirrored.At(0, 0), RGB(2, 0, 0));
    EXPECT_EQ(mirrored.At(1, 0), RGB(1, 0, 0));
    TestCanvas keyed(2, 1);
    SetPixel(keyed.dc(), 0, 0, RGB(9, 9, 9));
    TransparentBlt(keyed.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 2, 1, RGB(1, 0, 0));
    EXPECT_EQ(keyed.At(0, 0), RGB(9, 9, 9));
    EXPECT_EQ(keyed.At(1, 0), RGB(2, 0, 0));
}

TEST(Blits, SourceOutsideItsBitmapAndClipLeaveTheDestination) {
    TestCanvas source(2, 2);
    SetPixel(source.dc(), 1, 1, 0);
    TestCanvas target(3, 3);
    IntersectClipRect(target.dc(), 0, 0, 3, 2);
    BitBlt(target.dc(), 0, 0, 3, 3, source.dc(), 0, 0, NOTSRCCOPY);
    EXPECT_EQ(target.Picture(), (std::vector<std::string>{"##.", "#..", "..."}));
}

} // namespace
} // namespace gdi
