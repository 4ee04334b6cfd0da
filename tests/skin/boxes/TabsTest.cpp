#include "BoxesFixture.h"
#include "skin/boxes/SkinTabs.h"
#include "skin/boxes/SkinUpDown.h"
#include "skin/controls/SkinPaint.h"

namespace vd::test {
namespace {

class Tabs : public BoxTest {
public:
    TskSkinPageControl* Pages(int n, TskSkinData* skin = nullptr, TRect r = {10, 10, 310, 210}) {
        auto* p = Put<TskSkinPageControl>(r);
        for (int i = 0; i < n; ++i) {
            auto* s = new TskSkinTabSheet(p);
            s->SetPageControl(p);
            s->SetCaption("Page " + std::to_string(i));
        }
        if (skin) p->SetSkinData(skin);
        Show();
        return p;
    }
};

TEST_F(Tabs, TheScrollerComesWhenTheTabsDoNotFitAndGoesWhenWidened) {
    auto* p = Pages(6);
    EXPECT_EQ(p->TabScroller(), nullptr);
    p->SetWidth(150);
    Pump();
    ASSERT_NE(p->TabScroller(), nullptr);
    EXPECT_EQ(p->TabScroller()->BoundsRect(), (TRect{110, 0, 150, 20})) << "40 x 20 at the right edge, top";
    EXPECT_GT(p->TabScroller()->Max(), 0);
    Click(p->TabScroller(), 30, 10);
    EXPECT_EQ(p->FirstVisible(), 1) << "the right half shows the next tab first";
    EXPECT_EQ(p->TabScroller()->Position(), 1);
    p->SetFocus();
    p->SetActivePageIndex(0);
    Pump();
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(p->ActivePageIndex(), 4);
    EXPECT_EQ(p->TabScroller()->Position(), p->FirstVisibleTab()) << "keyboard selection moves the scroller";
    EXPECT_GT(p->TabScroller()->Position(), 0);
    p->SetWidth(600);
    Pump();
    EXPECT_EQ(p->TabScroller(), nullptr);
}

TEST_F(Tabs, PlainDisplayAreaHotTabAndSheets) {
    auto* p = Pages(3);
    const TRect d = p->DisplayRect();
    EXPECT_EQ(d, (TRect{1, 19, 299, 199})) << "inside a one-pixel frame below the 20-pixel row";
    EXPECT_EQ(p->ActivePage()->BoundsRect(), d);
    EXPECT_EQ(Probe(p, d.Left - 1, d.Top + 20), Rgb(clBtnShadow));
    EXPECT_EQ(Probe(p->ActivePage(), 10, 10), Rgb(clBtnFace)) << "a plain sheet";
    const TRect second = p->TabRect(1);
    MoveTo(p, second.Left + 3, 3);
    EXPECT_EQ(p->HotTab(), 1);
    EXPECT_EQ(Probe(p, second.Left + 3, 3), clskHotFill);
    const TRect first = p->TabRect(0);
    MoveTo(p, first.Left + 3, 3);
    EXPECT_NE(Probe(p, first.Left + 3, 3), clskHotFill) << "the selected tab has no hot look";
    EXPECT_EQ(Probe(p, second.Left + 3, 3), Rgb(clBtnFace)) << "the previous tab is plain again";
}

TEST_F(Tabs, SkinnedTabsTurnForEveryPosition) {
    auto* p = Pages(2, Skin);
    p->SetActivePageIndex(1);
    Pump();
    const TRect t0 = p->TabRect(0), t1 = p->TabRect(1);
    EXPECT_EQ(t0.Height(), 8) << "the skin's tab height";
    EXPECT_EQ(Probe(p, t0.Left + 1, t0.Top + 4), kProgBegin) << "the tab's left end";
    EXPECT_EQ(Probe(p, t0.Right - 2, t0.Top + 4), kProgEnd);
    EXPECT_EQ(Probe(p, t1.Left + 10, t1.Top + 1), kEdge[1]) << "the active tab's top edge";
    EXPECT_EQ(Probe(p, t1.Left + 10, t1.Top + 6), kClient[1]);
    p->SetTabPosition(tpBottom);
    Pump();
    const TRect b1 = p->TabRect(1);
    EXPECT_EQ(Probe(p, b1.Left + 10, b1.Bottom - 2), kEdge[1]) << "mirrored: the edge at the bottom";
    EXPECT_EQ(Probe(p, b1.Left + 10, b1.Top + 1), kClient[1]);
    p->SetTabPosition(tpLeft);
    Pump();
    const TRect l0 = p->TabRect(0);
    EXPECT_EQ(Probe(p, l0.Left + 4, l0.Bottom - 2), kProgBegin) << "turned counter-clockwise";
    EXPECT_EQ(Probe(p, l0.Left + 4, l0.Top + 1), kProgEnd);
    p->SetTabPosition(tpRight);
    Pump();
    const TRect r0 = p->TabRect(0);
    EXPECT_EQ(Probe(p, r0.Left + 4, r0.Top + 1), kProgBegin) << "turned clockwise";
}

TEST_F(Tabs, SheetBackgroundsAndTheTabStrip) {
    auto* p = Pages(2, Skin);
    const TRect d = p->DisplayRect();
    EXPECT_EQ(d.Left, 4) << "the skin's client insets";
    EXPECT_EQ(Probe(p->ActivePage(), 5, 5), kClient[0]) << "the client piece tiled";
    EXPECT_EQ(Probe(p, 250, 2), kThumb) << "tabsbgrect tiled behind the tabs";
    EXPECT_EQ(Probe(p, 1, d.Top + 20), kEdge[0]) << "the frame's left border";
    auto* sheet = static_cast<TskSkinTabSheet*>(p->ActivePage());
    sheet->WallPaper().SetSize(8, 8);
    FillColor(sheet->WallPaper().Canvas(), {0, 0, 8, 8}, kWallpaper);
    sheet->Invalidate();
    EXPECT_EQ(Probe(sheet, 5, 5), kWallpaper) << "a wallpaper wins over the skin";
}

TEST_F(Tabs, AnEmptyClientPieceLeavesThePlainFill) {
    auto* p = Put<TskSkinPageControl>({10, 10, 310, 210});
    auto* s = new TskSkinTabSheet(p);
    s->SetPageControl(p);
    s->SetCaption("One");
    p->SetSkinDataName("emptytab");
    p->SetSkinData(Skin);
    Show();
    EXPECT_EQ(Probe(s, 5, 5), Rgb(clBtnFace));
    EXPECT_EQ(Probe(p, 250, 2), Rgb(clBtnFace)) << "the strip cannot tile an empty piece either";
}

TEST_F(Tabs, TabControlScrollerAndBackground) {
    auto* t = Put<TskSkinTabControl>({10, 10, 310, 210});
    for (int i = 0; i < 8; ++i)
        t->Tabs().Add("Tab number " + std::to_string(i));
    t->SetDefaultItemHeight(30);
    Show();
    t->SetWidth(150);
    Pump();
    ASSERT_NE(t->TabScroller(), nullptr);
    EXPECT_EQ(t->TabScroller()->Width(), 36);
    EXPECT_EQ(t->TabScroller()->Height(), 18) << "whatever DefaultItemHeight is";
    t->SetSkinData(Skin);
    Pump();
    EXPECT_EQ(Probe(t, 20, 100), kClient[0]) << "the client piece behind the shared area";
    TBitmap b(10, 10);
    t->PaintBackground(b.Canvas().Handle());
    EXPECT_EQ(b.Canvas().Pixel(5, 5), kClient[0]);
}

// The scroller is the skin's up-down record at the skin's size: its own picture, whether or not
// the skin has a "resizebutton" record.
TEST_F(Tabs, TheScrollerDrawsTheSkinsUpDown) {
    std::string ini = BoxSkinIni();
    ini.replace(ini.find("8=resizebutton:button"), 21, "8=noresize:button");
    auto stored = TestStoredSkin(ini);
    Skin->LoadStoredSkin(stored.get());
    ASSERT_FALSE(Skin->Empty()) << Skin->LastLoadError();
    auto* p = Pages(6, Skin);
    p->SetWidth(150);
    Pump();
    ASSERT_NE(p->TabScroller(), nullptr);
    EXPECT_EQ(p->TabScroller()->SkinDataName(), "hupdown");
    EXPECT_EQ(p->TabScroller()->Width(), 20) << "the up-down picture's own size";
    EXPECT_EQ(Probe(p->TabScroller(), 1, 1), kRed);
    EXPECT_EQ(Probe(p->TabScroller(), 6, 10), kClient[0]);
    EXPECT_EQ(p->GetTabRect(0).Left, p->TabRect(0).Left + 1) << "the first tab starts one pixel in";
    EXPECT_EQ(p->GetTabRect(1), p->TabRect(1));
}

// The tab control tiles its client piece from its own corner, like the backgrounds its
// transparent children show, so a patterned piece lines up with them.
TEST_F(Tabs, TabControlTilesItsClientPieceFromItsCorner) {
    std::string ini = BoxSkinIni();
    ini.replace(ini.find("count=11\r\n"), 10, "count=12\r\n11=patterntab:tab\r\n");
    ini += "[patterntab]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nclientrect=0,0,8,8\r\n"
           "tabrect=0,40,30,48\r\n";
    auto stored = TestStoredSkin(ini);
    Skin->LoadStoredSkin(stored.get());
    ASSERT_FALSE(Skin->Empty()) << Skin->LastLoadError();
    auto* t = Put<TskSkinTabControl>({10, 10, 310, 210});
    t->Tabs().Add("One");
    t->SetSkinDataName("patterntab");
    t->SetSkinData(Skin);
    Show();
    // The piece is 8 x 8: the red corner, the face's edge and its client, as laid from (0, 0).
    auto expected = [](int x, int y) {
        const bool left = x % 8 < 4, top = y % 8 < 4;
        return left && top ? kRed : !left && !top ? kClient[0] : kEdge[0];
    };
    const TRect d = t->DisplayRect();
    ASSERT_GT(d.Width(), 40);
    for (int y = d.Top + 20; y < d.Top + 28; y += 3)
        for (int x = 40; x < 48; x += 3)
            EXPECT_EQ(Probe(t, x, y), expected(x, y)) << x << "," << y;
    TBitmap b(16, 16);
    t->PaintBackground(b.Canvas().Handle());
    EXPECT_EQ(b.Canvas().Pixel(5, 5), expected(5, 5)) << "the children's background, from the same corner";
}

TEST_F(Tabs, HiddenPagesNeverShiftCaptionsOrTheSelection) {
    auto* p = Pages(3);
    p->Pages(1)->SetTabVisible(false);
    Pump();
    ASSERT_EQ(p->TabCount(), 2);
    EXPECT_EQ(p->Tabs().Strings(1), "Page 2");
    const TRect second = p->TabRect(1);
    Click(p, second.Left + 3, 3);
    EXPECT_EQ(p->ActivePageIndex(), 2) << "the second visible tab is the third page";
    EXPECT_EQ(p->TabIndex(), 1);
    MoveTo(p, p->TabRect(0).Left + 3, 3);
    EXPECT_EQ(p->HotTab(), 0);
    EXPECT_EQ(Probe(p, p->TabRect(0).Left + 3, 3), clskHotFill) << "the hot look on the tab under the mouse";
}

} // namespace
} // namespace vd::test
