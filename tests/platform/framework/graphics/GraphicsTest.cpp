#include "platform/framework/Graphics.h"
#include "platform/framework/BitmapResources.h"
#include "platform/framework/TypInfo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using namespace framework;
using gdi::RGB;

// A bitmap of the given size filled with one colour.
void Fill(TBitmap& b, int w, int h, TColor color) {
    b.SetSize(w, h);
    b.Canvas()->Brush()->SetColor(color);
    b.Canvas()->FillRect(TRect{0, 0, w, h});
}

TEST(Font, SizeHeightAndDeviceFont) {
    TFont f;
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Height(), -11);
    const struct {
        int size;
        int height;
    } cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {14, -19}};
    for (const auto& c : cases) {
        f.SetSize(c.size);
        EXPECT_EQ(f.Height(), c.height) << c.size;
        EXPECT_EQ(f.Size(), c.size) << c.size;
    }

    f.SetName("Verdana");
    f.SetStyle({fsBold, fsItalic, fsStrikeOut});
    f.SetCharset(gdi::GB2312_CHARSET);
    f.SetPitch(fpVariable);
    f.SetOrientation(900);
    gdi::LOGFONT log;
    ASSERT_TRUE(gdi::GetObject(f.Handle(), &log));
    EXPECT_EQ(log.lfFaceName, "Verdana");
    EXPECT_EQ(log.lfHeight, f.Height());
    EXPECT_EQ(log.lfWeight, 700);
    EXPECT_TRUE(log.lfItalic);
    EXPECT_FALSE(log.lfUnderline);
    EXPECT_TRUE(log.lfStrikeOut);
    EXPECT_EQ(log.lfCharSet, gdi::GB2312_CHARSET);
    EXPECT_EQ(log.lfPitchAndFamily, gdi::VARIABLE_PITCH);
    EXPECT_EQ(log.lfEscapement, 900);
}

TEST(Font, SetHandleTakesTheFontAndOwnsIt) {
    const int live = gdi::LiveObjectCount();
    {
        gdi::LOGFONT log;
        log.lfHeight = -14;
        log.lfEscapement = 900;
        log.lfWeight = gdi::FW_BOLD;
        log.lfItalic = true;
        log.lfPitchAndFamily = gdi::VARIABLE_PITCH;
        log.lfFaceName = "Verdana";
        TBitmap b;
        Fill(b, 40, 40, gdi::clWhite);
        TFont* font = b.Canvas()->Font();
        int changes = 0;
        font->OnChange = [&](TObject*) { ++changes; };
        gdi::HFONT made = gdi::CreateFontIndirect(&log);
        font->SetHandle(made);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(font->Handle(), made);
        EXPECT_EQ(font->Name(), "Verdana");
        EXPECT_EQ(font->Height(), -14);
        EXPECT_EQ(font->Style(), (TFontStyles{fsBold, fsItalic}));
        EXPECT_EQ(font->Pitch(), fpVariable);
        EXPECT_EQ(font->Orientation(), 900);
        font->SetHandle(made);
        EXPECT_EQ(changes, 1);

        // The canvas draws with the very font it was given.
        gdi::StartCallLog();
        gdi::ClearCallLog();
        b.Canvas()->TextOut(10, 30, "A");
        gdi::StopCallLog();
        ASSERT_FALSE(gdi::CallLogEntries().empty());
        EXPECT_EQ(gdi::CallLogEntries().back().escapement, 900);
        EXPECT_EQ(gdi::CallLogEntries().back().face, "Verdana");

        // A second font replaces the first, which the font deletes, as it deletes the second when
        // a property changes: nothing is left over below.
        font->SetHandle(gdi::CreateFontIndirect(&log));
        b.Canvas()->TextOut(10, 30, "A");
        font->SetHeight(-20);
        EXPECT_EQ(font->Orientation(), 900);
        EXPECT_THROW(font->SetHandle(nullptr), EInvalidGraphicOperation);
    }
    EXPECT_EQ(gdi::LiveObjectCount(), live);
}

TEST(Font, ChangesAndAssign) {
    int live = gdi::LiveObjectCount();
    {
        TFont f;
        int changes = 0;
        f.OnChange = [&](TObject* sender) {
            EXPECT_EQ(sender, &f);
            ++changes;
        };
        gdi::HFONT first = f.Handle();
        EXPECT_TRUE(f.HandleAllocated());
        f.SetSize(8); // unchanged
        EXPECT_EQ(changes, 0);
        f.SetColor(gdi::clRed);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(f.Handle(), first); // colour is not part of the device font
        f.SetStyle({fsUnderline});
        EXPECT_EQ(changes, 2);
        EXPECT_FALSE(f.HandleAllocated());

        TFont g;
        g.SetName("Tahoma");
        g.SetSize(12);
        g.SetColor(gdi::clBlue);
        f.Assign(&g);
        EXPECT_EQ(changes, 3);
        EXPECT_EQ(f.Name(), "Tahoma");
        EXPECT_EQ(f.Size(), 12);
        EXPECT_EQ(f.Color(), gdi::clBlue);
        EXPECT_EQ(f.Style(), TFontStyles{});

        TPen p;
        EXPECT_THROW(f.Assign(&p), rtl::EConvertError);
        EXPECT_THROW(f.Assign(nullptr), rtl::EConvertError);
    }
    EXPECT_EQ(gdi::LiveObjectCount(), live);
}

TEST(Font, PublishedProperties) {
    TFont f;
    SetStrProp(f, "Name", "Arial");
    SetSetProp(f, "Style", "[fsBold,fsUnderline]");
    SetOrdProp(f, "Size", 10);
    SetEnumProp(f, "Pitch", "fpFixed");
    EXPECT_EQ(f.Name(), "Arial");
    EXPECT_EQ(f.Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(f.Height(), -13);
    EXPECT_EQ(f.Pitch(), fpFixed);
    EXPECT_FALSE(GetPropInfo(f, "Size")->IsStored(f));
    EXPECT_TRUE(IsPublishedProp(TPen(), "Mode"));
    EXPECT_TRUE(IsPublishedProp(TBrush(), "Style"));
}

TEST(Canvas, ShapesPixelsAndLazySelection) {
    TBitmap b;
    b.SetSize(20, 20);
    TCanvas* c = b.Canvas();
    EXPECT_EQ(c->Pixels(0, 0), gdi::clWhite); // a new bitmap is white

    c->Pen()->SetColor(gdi::clRed);
    c->MoveTo(2, 1);
    c->LineTo(8, 1);
    EXPECT_EQ(c->Pixels(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(c->Pixels(7, 1), RGB(255, 0, 0));
    EXPECT_EQ(c->Pixels(8, 1), gdi::clWhite); // end point left out
    EXPECT_EQ(c->PenPos(), (TPoint{8, 1}));

    // A change after selection is picked up by the next operation.
    c->Pen()->SetColor(gdi::clBlue);
    c->LineTo(8, 5);
    EXPECT_EQ(c->Pixels(8, 1), RGB(0, 0, 255));

    // A system colour resolves through the colour table.
    c->SetPixels(0, 19, gdi::clBtnFace);
    EXPECT_EQ(c->Pixels(0, 19), gdi::GetSysColor(gdi::COLOR_BTNFACE));

    // Clear pen with solid brush covers one pixel less on the right and bottom.
    c->Pen()->SetStyle(psClear);
    c->Brush()->SetColor(gdi::clGreen);
    c->Rectangle(10, 10, 14, 14);
    EXPECT_EQ(c->Pixels(10, 10), gdi::clGreen);
    EXPECT_EQ(c->Pixels(12, 12), gdi::clGreen);
    EXPECT_EQ(c->Pixels(13, 12), gdi::clWhite);
    EXPECT_EQ(c->Pixels(12, 13), gdi::clWhite);

    c->Brush()->SetColor(gdi::clYellow);
    c->FillRect(TRect{15, 15, 17, 17});
    EXPECT_EQ(c->Pixels(16, 16), gdi::clYellow);
    EXPECT_EQ(c->Pixels(17, 16), gdi::clWhite);

    c->Brush()->SetColor(gdi::clNavy);
    c->FrameRect(TRect{0, 10, 5, 15});
    EXPECT_EQ(c->Pixels(0, 10), gdi::clNavy);
    EXPECT_EQ(c->Pixels(4, 14), gdi::clNavy);
    EXPECT_EQ(c->Pixels(2, 12), gdi::clWhite);

    // Polygon with a clear pen: pixel centres inside.
    c->Brush()->SetColor(gdi::clMaroon);
    c->Polygon({{10, 0}, {16, 0}, {16, 6}, {10, 6}});
    EXPECT_EQ(c->Pixels(10, 0), gdi::clMaroon);
    EXPECT_EQ(c->Pixels(15, 5), gdi::clMaroon);
    EXPECT_EQ(c->Pixels(16, 5), gdi::clWhite);

    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(gdi::clBlack);
    c->Polyline({{0, 8}, {4, 8}, {4, 9}});
    EXPECT_EQ(c->Pixels(0, 8), gdi::clBlack);
    EXPECT_EQ(c->Pixels(4, 8), gdi::clBlack);
    EXPECT_EQ(c->Pixels(4, 9), gdi::clWhite);
}

TEST(Canvas, PenModeAndFocusRect) {
    TBitmap b;
    Fill(b, 10, 10, RGB(0x10, 0x20, 0x30));
    TCanvas* c = b.Canvas();
    c->Pen()->SetColor(gdi::clWhite);
    c->Pen()->SetMode(pmXor);
    c->MoveTo(0, 0);
    c->LineTo(3, 0);
    EXPECT_EQ(c->Pixels(1, 0), RGB(0xEF, 0xDF, 0xCF));

    Fill(b, 10, 10, gdi::clWhite);
    c->DrawFocusRect(TRect{0, 0, 6, 4});
    std::string row;
    for (int x = 0; x < 6; ++x)
        row += c->Pixels(x, 0) == gdi::clBlack ? '#' : '.';
    EXPECT_EQ(row, "#.#.#.");
}

TEST(Canvas, TextAndBrushStyle) {
    TBitmap b;
    Fill(b, 80, 30, gdi::clWhite);
    TCanvas* c = b.Canvas();
    c->Font()->SetColor(gdi::clRed);
    TSize ext = c->TextExtent("Hello");
    EXPECT_GT(ext.cx, 10);
    EXPECT_GT(ext.cy, 8);
    EXPECT_EQ(c->TextWidth("Hello"), ext.cx);
    EXPECT_EQ(c->TextHeight("x"), ext.cy);
    c->Font()->SetSize(16);
    EXPECT_GT(c->TextWidth("Hello"), ext.cx); // a new size is selected before measuring

    // Clear brush: no background; the ink is in the font colour.
    c->Brush()->SetStyle(bsClear);
    c->TextRect(TRect{0, 0, 80, 30}, 2, 2, "Hello");
    bool red = false;
    bool other = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            TColor p = c->Pixels(x, y);
            red = red || p == gdi::clRed;
            other = other || (p != gdi::clRed && p != gdi::clWhite);
        }
    EXPECT_TRUE(red);
    EXPECT_FALSE(other);

    // Solid brush: TextRect fills the rectangle and clips to it.
    c->Brush()->SetColor(gdi::clAqua);
    c->TextRect(TRect{0, 0, 10, 10}, 0, 0, "Hello");
    EXPECT_EQ(c->Pixels(9, 9), gdi::clAqua);
    EXPECT_NE(c->Pixels(12, 5), gdi::clAqua);
}

TEST(Canvas, ClipLockAndCustomHandle) {
    // A canvas that makes its context on demand, as a control canvas does.
    struct SurfaceCanvas : TCanvas {
        gdi::Surface surface{8, 8, 32};
        gdi::HDC dc = nullptr;
        int created = 0;
        ~SurfaceCanvas() override {
            SetHandle(nullptr);
            if (dc)
                gdi::DeleteDC(dc);
        }
        void CreateHandle() override {
            ++created;
            dc = gdi::CreateSurfaceDC(&surface);
            SetHandle(dc);
        }
    };
    SurfaceCanvas c;
    EXPECT_FALSE(c.HandleAllocated());
    EXPECT_EQ(c.ClipRect(), (TRect{0, 0, 8, 8}));
    EXPECT_EQ(c.created, 1);
    gdi::IntersectClipRect(c.Handle(), 2, 2, 4, 4);
    EXPECT_EQ(c.ClipRect(), (TRect{2, 2, 4, 4}));
    c.Brush()->SetColor(gdi::clRed);
    c.FillRect(TRect{0, 0, 8, 8});
    EXPECT_EQ(c.surface.Pixel(2, 2), gdi::clRed);
    EXPECT_EQ(c.surface.Pixel(1, 1), gdi::clWhite);
    EXPECT_EQ(c.created, 1);

    // A canvas without a way to make a context refuses to draw.
    TCanvas bare;
    EXPECT_THROW(bare.FillRect(TRect{0, 0, 1, 1}), EInvalidOperation);

    c.Lock();
    c.Lock();
    EXPECT_EQ(c.LockCount(), 2);
    EXPECT_TRUE(c.TryLock());
    c.Unlock();
    c.Unlock();
    c.Unlock();
    EXPECT_EQ(c.LockCount(), 0);
    EXPECT_THROW(c.Unlock(), EInvalidOperation);
}

TEST(Canvas, DrawCopyAndBrushCopy) {
    TBitmap src;
    Fill(src, 4, 4, gdi::clRed);
    src.Canvas()->SetPixels(1, 1, gdi::clLime);
    src.Canvas()->SetPixels(0, 3, gdi::clBlue); // lower-left: the automatic transparent colour

    TBitmap dst;
    Fill(dst, 10, 10, gdi::clWhite);
    TCanvas* c = dst.Canvas();
    c->Draw(2, 2, &src);
    EXPECT_EQ(c->Pixels(2, 2), gdi::clRed);
    EXPECT_EQ(c->Pixels(3, 3), gdi::clLime);
    EXPECT_EQ(c->Pixels(2, 5), gdi::clBlue);
    EXPECT_EQ(c->Pixels(6, 6), gdi::clWhite);

    Fill(dst, 10, 10, gdi::clWhite);
    src.SetTransparent(true);
    EXPECT_EQ(src.TransparentColor(), gdi::clBlue);
    c->Draw(0, 0, &src);
    EXPECT_EQ(c->Pixels(0, 3), gdi::clWhite);
    EXPECT_EQ(c->Pixels(1, 1), gdi::clLime);
    src.SetTransparentColor(gdi::clLime);
    EXPECT_EQ(src.TransparentMode(), tmFixed);
    c->Draw(4, 0, &src);
    EXPECT_EQ(c->Pixels(5, 1), gdi::clWhite);
    EXPECT_EQ(c->Pixels(4, 3), gdi::clBlue);
    src.SetTransparent(false);

    Fill(dst, 10, 10, gdi::clWhite);
    c->StretchDraw(TRect{0, 0, 8, 8}, &src);
    EXPECT_EQ(c->Pixels(2, 2), gdi::clLime);
    EXPECT_EQ(c->Pixels(3, 3), gdi::clLime);
    EXPECT_EQ(c->Pixels(0, 7), gdi::clBlue);

    // CopyRect follows CopyMode.
    Fill(dst, 10, 10, RGB(0x0F, 0x0F, 0x0F));
    c->CopyRect(TRect{0, 0, 4, 4}, src.Canvas(), TRect{0, 0, 4, 4});
    EXPECT_EQ(c->Pixels(0, 0), gdi::clRed);
    c->SetCopyMode(gdi::SRCPAINT);
    c->CopyRect(TRect{4, 0, 8, 4}, src.Canvas(), TRect{0, 0, 4, 4});
    EXPECT_EQ(c->Pixels(4, 0), RGB(0xFF, 0x0F, 0x0F));
    c->SetCopyMode(gdi::SRCCOPY);

    // BrushCopy paints the pixels of one colour with the brush.
    Fill(dst, 10, 10, gdi::clWhite);
    c->Brush()->SetColor(gdi::clYellow);
    c->BrushCopy(TRect{0, 0, 4, 4}, &src, TRect{0, 0, 4, 4}, gdi::clRed);
    EXPECT_EQ(c->Pixels(0, 0), gdi::clYellow);
    EXPECT_EQ(c->Pixels(1, 1), gdi::clLime);
    EXPECT_EQ(c->Pixels(0, 3), gdi::clBlue);

    // A monochrome bitmap draws black and white whatever the target's text colours.
    TBitmap mono;
    mono.SetMonochrome(true);
    mono.SetSize(2, 1);
    mono.Canvas()->SetPixels(0, 0, gdi::clBlack);
    gdi::SetTextColor(c->Handle(), gdi::clRed);
    c->Draw(0, 9, &mono);
    EXPECT_EQ(c->Pixels(0, 9), gdi::clBlack);
    EXPECT_EQ(c->Pixels(1, 9), gdi::clWhite);
}

TEST(Bitmap, SizeFormatAssignAndChanges) {
    int live = gdi::LiveObjectCount();
    {
        TBitmap b;
        EXPECT_TRUE(b.Empty());
        EXPECT_NE(b.Handle(), nullptr);
        int changes = 0;
        b.OnChange = [&](TObject*) { ++changes; };
        Fill(b, 4, 3, gdi::clRed);
        EXPECT_GE(changes, 2); // the size and the drawing
        changes = 0;
        b.SetSize(6, 5);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(b.Canvas()->Pixels(3, 2), gdi::clRed); // kept area keeps its pixels
        EXPECT_EQ(b.Canvas()->Pixels(5, 4), gdi::clWhite);
        EXPECT_THROW(b.SetWidth(-1), EInvalidGraphicOperation);

        TBitmap copy;
        copy.Assign(&b);
        copy.Canvas()->SetPixels(0, 0, gdi::clBlue);
        EXPECT_EQ(b.Canvas()->Pixels(0, 0), gdi::clRed); // a deep copy
        EXPECT_EQ(copy.Width(), 6);

        copy.Canvas()->SetPixels(1, 0, gdi::clWhite);
        copy.SetPixelFormat(pf1bit);
        EXPECT_TRUE(copy.Monochrome());
        EXPECT_EQ(copy.Canvas()->Pixels(0, 0), gdi::clBlack);
        EXPECT_EQ(copy.Canvas()->Pixels(1, 0), gdi::clWhite);
        copy.SetPixelFormat(pf24bit);
        EXPECT_FALSE(copy.Monochrome());
        EXPECT_EQ(copy.PixelFormat(), pf24bit);
        EXPECT_THROW(copy.SetPixelFormat(pf8bit), EInvalidGraphicOperation);

        copy.Assign(nullptr);
        EXPECT_TRUE(copy.Empty());
        TFont f;
        EXPECT_THROW(copy.Assign(&f), rtl::EConvertError);

        gdi::HBITMAP h = b.ReleaseHandle();
        EXPECT_TRUE(b.Empty());
        b.SetHandle(h);
        EXPECT_EQ(b.Width(), 6);
    }
    EXPECT_EQ(gdi::LiveObjectCount(), live);
}

// The pictures in tests/fixtures/framework/bitmaps are compiled into this test (its CMakeLists).
TEST(Bitmap, ResourcesOfTheCallingLibrary) {
    TBitmap b;
    b.LoadFromResourceName("test_glyph"); // the name's case does not matter
    EXPECT_EQ(b.Width(), 24);
    EXPECT_EQ(b.Height(), 12);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), gdi::clOlive);
    EXPECT_EQ(b.Canvas()->Pixels(10, 2), gdi::clGreen);
    b.LoadFromResourceName("TEST_DEEP");
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), gdi::clGray);

    // Bitmap resources are no files: nothing is looked for in a folder.
    for (const char* name : {"LUCOMMON_CHECKBOX_CHECKED", "../bitmaps/TEST_GLYPH", "TEST_GLYPH.pixels", ""})
        EXPECT_THROW(b.LoadFromResourceName(name), EResNotFound) << name;
    // Another library's resources are its own: the platform has none of this test's.
    const void* platform = FindClassInfo(typeid(TBitmap))->Library();
    EXPECT_THROW(b.LoadFromLibraryResource(platform, "TEST_GLYPH"), EResNotFound);
    EXPECT_EQ(b.Width(), 4); // a failed load keeps the picture
}

TEST(Bitmap, ColourMapAppliesToPaletteImagesOnly) {
    const std::vector<std::pair<TColor, TColor>> map = {{gdi::clLime, gdi::clBlue},
                                                        {gdi::clBlue, gdi::clRed}};
    const struct {
        const char* name;
        int x;
        TColor before;
        TColor after;
    } cases[] = {
        {"TEST_PALETTE", 0, gdi::clLime, gdi::clBlue}, // all at once: lime becomes blue, not red
        {"TEST_PALETTE", 2, gdi::clBlue, gdi::clRed},
        {"TEST_GLYPH", 0, gdi::clOlive, gdi::clOlive},
        {"TEST_DEEP", 0, gdi::clLime, gdi::clLime}, // 24 bits per pixel: loaded unmapped
    };
    for (const auto& c : cases) {
        TBitmap b;
        b.LoadFromResourceName(c.name);
        EXPECT_EQ(b.Canvas()->Pixels(c.x, 0), c.before) << c.name;
        b.LoadFromResourceName(c.name, map);
        EXPECT_EQ(b.Canvas()->Pixels(c.x, 0), c.after) << c.name;
    }
    TBitmap glyph;
    glyph.LoadFromResourceName("TEST_GLYPH", {{gdi::clOlive, gdi::clYellow}});
    EXPECT_EQ(glyph.Canvas()->Pixels(0, 0), gdi::clYellow); // picture text is a palette image
}

TEST(Bitmap, PictureTextErrorsNameTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "X(1): no rows of pixels"},
        {"a = 00FF00\n; only a key\n", "X(3): no rows of pixels"},
        {"ab = 00FF00\naa\n", "X(1): a key is one character"},
        {"a = 00FF0\naa\n", "X(1): a colour is six hexadecimal digits"},
        {"a = 00FG00\naa\n", "X(1): a colour is six hexadecimal digits"},
        {"a = 000000\na = 000000\n", "X(2): key a is defined twice"},
        {"a = 000000\naa\na\n", "X(3): the row has 1 pixels, the first row 2"},
        {"a = 000000\nab\n", "X(2): no key for 'b'"},
        {"a = 000000\naa\nb = 000000\n", "X(3): a key after the first row"},
    };
    for (const auto& c : cases) {
        try {
            gdi::DeleteObject(DecodeBitmapData(c.text, "X"));
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
    gdi::HBITMAP ok = DecodeBitmapData("; comment\r\nk = 000000\r\n w = FFFFFF\nkw \nwk\n", "X");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->surface.Width(), 2);
    EXPECT_EQ(ok->surface.Pixel(1, 1), 0u);
    gdi::DeleteObject(ok);
    EXPECT_THROW(DecodeBitmapData(std::string("\x89PNG\r\n\x1a\n broken", 16), "X"), EInvalidGraphic);
}

TEST(Bitmap, SaveToPngAndLoadFromFile) {
    namespace fs = std::filesystem;
    fs::path dir = fs::path(TARNWICK_BINARY_DIR) / "graphics_png";
    fs::remove_all(dir);
    fs::create_directories(dir);
    TBitmap src;
    Fill(src, 3, 2, gdi::clRed);
    src.Canvas()->SetPixels(2, 1, gdi::clLime);
    src.SaveToPng((dir / "picture.png").string());
    TBitmap b;
    b.LoadFromFile((dir / "picture.png").string());
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), gdi::clLime);
    EXPECT_THROW(src.SaveToPng((dir / "no" / "such.png").string()), rtl::EInOutError);
    fs::remove_all(dir);
}

TEST(Brush, SetHandleTakesAStockOrOwnBrush) {
    const int live = gdi::LiveObjectCount();
    {
        TBitmap b;
        Fill(b, 4, 4, gdi::clWhite);
        TBrush* brush = b.Canvas()->Brush();
        brush->SetHandle(static_cast<gdi::HBRUSH>(gdi::GetStockObject(gdi::BLACK_BRUSH)));
        EXPECT_EQ(brush->Color(), gdi::clBlack);
        EXPECT_EQ(brush->Style(), bsSolid);
        b.Canvas()->FillRect(TRect{0, 0, 2, 2});
        EXPECT_EQ(b.Canvas()->Pixels(1, 1), gdi::clBlack);
        // A change makes a brush of its own; the stock brush lives on.
        brush->SetColor(gdi::clRed);
        b.Canvas()->FillRect(TRect{0, 0, 2, 2});
        EXPECT_EQ(b.Canvas()->Pixels(1, 1), gdi::clRed);
        gdi::LOGBRUSH log;
        EXPECT_TRUE(gdi::GetObject(static_cast<gdi::HBRUSH>(gdi::GetStockObject(gdi::BLACK_BRUSH)), &log));

        brush->SetHandle(static_cast<gdi::HBRUSH>(gdi::GetStockObject(gdi::NULL_BRUSH)));
        EXPECT_EQ(brush->Style(), bsClear);
        gdi::HBRUSH own = gdi::CreateSolidBrush(gdi::RGB(0, 0, 255));
        brush->SetHandle(own);
        EXPECT_EQ(brush->Handle(), own);
        EXPECT_EQ(brush->Color(), gdi::clBlue);
        b.Canvas()->FillRect(TRect{2, 2, 4, 4});
        EXPECT_EQ(b.Canvas()->Pixels(3, 3), gdi::clBlue);
        EXPECT_THROW(brush->SetHandle(nullptr), EInvalidGraphicOperation);
    }
    EXPECT_EQ(gdi::LiveObjectCount(), live); // the brush it was given was deleted with it
}

TEST(Brush, StylesAndPattern) {
    TBrush br;
    br.SetStyle(bsCross);
    EXPECT_THROW(br.Handle(), EInvalidGraphicOperation);
    br.SetStyle(bsClear);
    br.SetColor(gdi::clRed);
    EXPECT_EQ(br.Style(), bsSolid); // a colour makes a clear brush solid

    TBitmap pattern;
    Fill(pattern, 8, 8, gdi::clWhite);
    pattern.Canvas()->SetPixels(0, 0, gdi::clBlack);
    TBitmap b;
    Fill(b, 16, 16, gdi::clGray);
    b.Canvas()->Brush()->SetBitmap(&pattern);
    b.Canvas()->FillRect(TRect{0, 0, 16, 16});
    EXPECT_EQ(b.Canvas()->Pixels(8, 8), gdi::clBlack);
    EXPECT_EQ(b.Canvas()->Pixels(9, 8), gdi::clWhite);
    b.Canvas()->Brush()->SetBitmap(nullptr);
}

} // namespace
