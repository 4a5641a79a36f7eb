#include "platform/framework/CustomControl.h"
#include "platform/framework/DockTree.h"
#include "platform/framework/Forms.h"
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace framework;

namespace {

// A tree that marks each client's zone: red at the zone's top-left pixel.
class TMarkingTree : public TDockTree {
public:
    using TDockTree::TDockTree;
    std::vector<TRect> Painted;
    void PaintDockFrame(TCanvas* canvas, TControl*, const TRect& rect) override {
        Painted.push_back(rect);
        canvas->SetPixels(rect.left, rect.top, gdi::clRed);
    }
};

class TSite : public TCustomControl {
public:
    explicit TSite(TComponent* owner) : TCustomControl(owner) {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
        SetDockSite(true);
        SetUseDockManager(true);
        SetBorderWidth(2);
    }
    int Created = 0;

protected:
    TDockTree* CreateDockManager() override {
        ++Created;
        return new TMarkingTree(this);
    }
    void Paint() override {
        Canvas()->Brush()->SetColor(gdi::clWhite);
        Canvas()->FillRect(ClientRect());
    }
};

class Docking : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 200);
        site = new TSite(form.get());
        site->SetParent(form.get());
        site->SetBounds(0, 0, 104, 64);
    }
    TMarkingTree* Tree() const { return static_cast<TMarkingTree*>(site->DockManager()); }
    TWinControl* Client() {
        auto* c = new TCustomControl(form.get());
        c->SetBounds(200, 150, 10, 10);
        return c;
    }
    std::unique_ptr<TForm> form;
    TSite* site = nullptr;
};

} // namespace

TEST_F(Docking, TheFirstRequestMakesTheManagerWhichSharesTheSite) {
    EXPECT_EQ(site->DockManager(), nullptr);
    TWinControl* a = Client();
    a->ManualDock(site);
    EXPECT_EQ(site->Created, 1);
    EXPECT_EQ(a->Parent(), site);
    // The area inside the border width, less the base grabber at the top.
    EXPECT_EQ(a->BoundsRect(), (TRect{2, 14, 102, 62}));

    TWinControl* b = Client();
    b->ManualDock(site);
    EXPECT_EQ(site->Created, 1);
    EXPECT_EQ(a->BoundsRect(), (TRect{2, 14, 102, 32}));
    EXPECT_EQ(b->BoundsRect(), (TRect{2, 44, 102, 62}));

    // A site aligned to the top (292 wide in the form) puts its clients side by side.
    site->SetAlign(alTop);
    EXPECT_EQ(a->BoundsRect(), (TRect{2, 14, 146, 62}));
    EXPECT_EQ(b->BoundsRect(), (TRect{146, 14, 290, 62}));

    // A client that goes leaves its zone to the others.
    delete b;
    EXPECT_EQ(Tree()->ClientCount(), 1);
    EXPECT_EQ(a->BoundsRect(), (TRect{2, 14, 290, 62}));
}

TEST_F(Docking, TheSitePaintsEachClientsFrameInItsZone) {
    form->Show();
    TWinControl* a = Client();
    TWinControl* b = Client();
    a->ManualDock(site);
    b->ManualDock(site);
    UpdateAllWindows();
    EXPECT_EQ(Tree()->Painted.back(), (TRect{2, 32, 102, 62}));
    gdi::HDC dc = GetDC(site->Handle());
    EXPECT_EQ(gdi::GetPixel(dc, 2, 2), gdi::ColorToRGB(gdi::clRed));
    EXPECT_EQ(gdi::GetPixel(dc, 2, 32), gdi::ColorToRGB(gdi::clRed));
    EXPECT_EQ(gdi::GetPixel(dc, 3, 3), gdi::ColorToRGB(gdi::clWhite));
    ReleaseDC(site->Handle(), dc);
}

TEST_F(Docking, OnlyDockSitesTakeClients) {
    TWinControl* a = Client();
    site->SetDockSite(false);
    EXPECT_THROW(a->ManualDock(site), EInvalidOperation);
    EXPECT_THROW(a->ManualDock(nullptr), EInvalidOperation);
    EXPECT_EQ(a->Parent(), nullptr);

    // Without a dock manager the site takes the control as a plain child.
    site->SetDockSite(true);
    site->SetUseDockManager(false);
    a->ManualDock(site);
    EXPECT_EQ(a->Parent(), site);
    EXPECT_EQ(site->DockManager(), nullptr);
}
