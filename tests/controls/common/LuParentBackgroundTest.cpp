#include "controls/common/LuCommon.h"
#include "platform/framework/CustomControl.h"
#include "platform/framework/Forms.h"

#include "LuTestCanvas.h"

#include <gtest/gtest.h>

namespace {

using framework::TBitmap;
using framework::TRect;
using lutest::Prepare;

// A parent that paints a marker pixel at (12, 7) of its client area.
class TMarkedPanel : public framework::TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override { Canvas()->SetPixels(12, 7, gdi::clRed); }
};

class TCountingParent : public framework::TWinControl {
public:
    using TWinControl::TWinControl;
    int invalidated = 0;
    void Invalidate() override {
        ++invalidated;
        TWinControl::Invalidate();
    }
};

TEST(ParentBackground, PaintsTheParentUnderTheControl) {
    TMarkedPanel parent(nullptr);
    parent.SetBounds(0, 0, 60, 40);
    parent.SetColor(gdi::clYellow);
    framework::TCustomControl child(nullptr);
    child.SetBounds(10, 5, 20, 10);
    child.SetParent(&parent);

    TBitmap b;
    Prepare(b, 20, 10, gdi::clBlue);
    lu::PaintParentBackground(&child, b.Canvas(), true);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), gdi::clYellow);
    EXPECT_EQ(b.Canvas()->Pixels(2, 2), gdi::clRed); // the parent's (12, 7)
    EXPECT_EQ(b.Canvas()->Pixels(19, 9), gdi::clYellow);
    gdi::POINT origin;
    gdi::GetViewportOrgEx(b.Canvas()->Handle(), &origin);
    EXPECT_EQ(origin, (gdi::POINT{0, 0}));
    child.SetParent(nullptr);
}

TEST(ParentBackground, ParentlessTouchesNothing) {
    framework::TCustomControl child(nullptr);
    child.SetBounds(10, 5, 20, 10);
    TBitmap b;
    Prepare(b, 20, 10, gdi::clBlue);
    gdi::HDC dc = b.Canvas()->Handle();
    gdi::SetViewportOrgEx(dc, 3, 4, nullptr);
    int level = gdi::SaveDC(dc);
    lu::PaintParentBackground(&child, dc, true);
    EXPECT_EQ(gdi::SaveDC(dc), level + 1); // no state left saved
    gdi::RestoreDC(dc, level);
    gdi::POINT origin;
    gdi::GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin, (gdi::POINT{3, 4}));
    gdi::SetViewportOrgEx(dc, 0, 0, nullptr);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(b.Canvas()->Pixels(x, y), gdi::clBlue);
}

TEST(ParentBackground, InvalidatesOnlyPlainParents) {
    TCountingParent plain(nullptr);
    plain.SetBounds(0, 0, 40, 40);
    framework::TCustomControl child(nullptr);
    child.SetBounds(1, 1, 5, 5);
    child.SetParent(&plain);
    TBitmap b;
    Prepare(b, 5, 5, gdi::clBlue);
    int before = plain.invalidated;
    lu::PaintParentBackground(&child, b.Canvas(), false);
    EXPECT_EQ(plain.invalidated, before);
    lu::PaintParentBackground(&child, b.Canvas(), true);
    EXPECT_EQ(plain.invalidated, before + 1);
    child.SetDesigning(true);
    lu::PaintParentBackground(&child, b.Canvas(), true);
    EXPECT_EQ(plain.invalidated, before + 1);
    child.SetDesigning(false);
    child.SetParent(nullptr);
}

} // namespace
