#include "LuPanelTestSupport.h"

#include "platform/gdi/CallLog.h"

using namespace paneltest;
using lu::TLuPanel;

namespace {

class DockedPanels : public PanelForm {
protected:
    void SetUp() override {
        PanelForm::SetUp();
        site = Add<TLuPanel>(10, 10, 200, 100);
        site->SetColor(gdi::clYellow);
        site->SetDockSite(true);
        site->SetUseDockManager(true);
        client = new TLuPanel(form.get());
        client->SetCaption("停靠");
        client->SetColor(gdi::clWhite);
        client->SetBorderOuter(lu::fsNone);
    }
    // How many pixels of the rect have the colour.
    int Count(const TRect& r, gdi::TColor color) {
        framework::UpdateAllWindows();
        gdi::HDC dc = framework::GetWindowDC(site->Handle());
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += gdi::GetPixel(dc, x, y) == Rgb(color);
        framework::ReleaseDC(site->Handle(), dc);
        return n;
    }
    TLuPanel* site = nullptr;
    TLuPanel* client = nullptr;
};

TEST_F(DockedPanels, ClientsGetACaptionGrabberWithACloseGlyph) {
    EXPECT_EQ(site->DockManager(), nullptr);
    client->ManualDock(site);
    ASSERT_NE(dynamic_cast<lu::TLuPanelDockManager*>(site->DockManager()), nullptr);
    EXPECT_TRUE(site->DoubleBuffered());
    // Inside the raised border, less the 14-pixel grabber on top.
    EXPECT_EQ(client->BoundsRect(), (TRect{2, 16, 198, 98}));

    // An unfocused windowed client shows the inactive colours.
    EXPECT_EQ(Pixel(site, 150, 8), Rgb(gdi::clInactiveCaption));
    EXPECT_GT(Count(TRect{2, 2, 60, 16}, gdi::clInactiveCaptionText), 0);    // the caption
    EXPECT_GT(Count(TRect{183, 3, 196, 14}, gdi::clInactiveCaptionText), 0); // the close glyph
    EXPECT_EQ(Count(TRect{70, 2, 180, 16}, gdi::clInactiveCaptionText), 0);

    client->SetFocus();
    site->Invalidate();
    EXPECT_EQ(Pixel(site, 150, 8), Rgb(gdi::clActiveCaption));

    site->SetShowDockClientCaptions(false);
    EXPECT_EQ(Pixel(site, 150, 8), Rgb(gdi::clYellow));
}

TEST_F(DockedPanels, PanelsAlignedTopOrBottomHaveTheGrabberOnTheLeft) {
    site->SetAlign(framework::alTop);
    client->ManualDock(site);
    const TRect r = site->ClientRect();
    EXPECT_EQ(client->BoundsRect(), (TRect{16, 2, r.right - 2, 98}));
    EXPECT_EQ(Pixel(site, 8, 60), Rgb(gdi::clInactiveCaption));

    // The caption runs upwards from the grabber's lower end, on its baseline.
    gdi::StartCallLog();
    gdi::ClearCallLog();
    site->Invalidate();
    framework::UpdateAllWindows();
    gdi::StopCallLog();
    const gdi::CallLogEntry* caption = nullptr;
    for (const gdi::CallLogEntry& e : gdi::CallLogEntries())
        if (e.call == "TextOut" && e.text == "停靠")
            caption = &e;
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->position, (gdi::POINT{14, 95}));
    EXPECT_EQ(caption->escapement, 900);
    EXPECT_EQ(caption->align, unsigned(gdi::TA_BASELINE));
    EXPECT_EQ(caption->color, Rgb(gdi::clCaptionText));
    EXPECT_EQ(caption->face, "Verdana");
    EXPECT_GT(Count(TRect{3, 3, 14, 14}, gdi::clInactiveCaptionText), 0); // the close glyph
}

TEST_F(DockedPanels, ClicksAndCommandsRepaintTheSite) {
    client->ManualDock(site);
    framework::UpdateAllWindows();
    ASSERT_FALSE(site->Handle()->HasUpdate());
    framework::SendMessage(site->Handle(), win::WM_COMMAND, 0, 0);
    EXPECT_TRUE(site->Handle()->HasUpdate());
    framework::UpdateAllWindows();
    framework::SendMessage(site->Handle(), win::WM_MOUSEACTIVATE, 0, 0);
    EXPECT_TRUE(site->Handle()->HasUpdate());

    // A client that goes leaves the manager.
    delete client;
    EXPECT_EQ(site->DockManager()->ClientCount(), 0);
}

// A dock site's client adjustment already takes the borders off for the dock manager; children
// aligned in it lose them once, not twice.
TEST_F(DockedPanels, AlignedChildrenOfADockSiteLoseTheBordersOnce) {
    auto* strip = Add<TLuPanel>(0, 0, 10, 20, site);
    strip->SetAlign(framework::alTop);
    site->SetBorderWidth(3);
    EXPECT_EQ(strip->BoundsRect(), (TRect{5, 5, 195, 25}));
    client->ManualDock(site);
    EXPECT_EQ(client->BoundsRect(), (TRect{5, 19, 195, 95}));
}

TEST_F(DockedPanels, DesignedPanelsAreNotSubclassed) {
    site->SetDesigning(true, false);
    client->ManualDock(site);
    framework::UpdateAllWindows();
    framework::SendMessage(site->Handle(), win::WM_COMMAND, 0, 0);
    EXPECT_FALSE(site->Handle()->HasUpdate());
    site->SetDesigning(false, false);
}

} // namespace
