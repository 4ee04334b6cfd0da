#include "SkinFixture.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinFace.h"
#include "skin/controls/SkinGraphicCustomControl.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinToolBar.h"

#include <algorithm>
#include <initializer_list>

namespace vd::test {
namespace {

// A plain skinned control: the base's face and nothing else.
class Plain : public TskSkinCustomControl {
public:
    explicit Plain(TComponent* o, const char* name) : TskSkinCustomControl(o) { SetSkinDataName(name); }
};

class PlainGraphic : public TskGraphicSkinCustomControl {
public:
    explicit PlainGraphic(TComponent* o, const char* name) : TskGraphicSkinCustomControl(o) {
        SkinDataName = name;
    }
};

TskSkinFace NineFace() {
    TskSkinFace f;
    f.skinrect = {0, 0, 20, 20};
    f.lefttoppoint = {4, 4};
    f.righttoppoint = {16, 4};
    f.leftbottompoint = {4, 16};
    f.rightbottompoint = {16, 16};
    f.clientrect = {4, 4, 16, 16};
    f.SkinResizeKind = 1;
    return f;
}

TEST(SkinFaceTest, MapSkinRectMovesEachPartWithItsCorner) {
    const TskSkinFace f = NineFace();
    struct Case {
        TRect In, Out;
    };
    // The face grows from 20 x 20 to 50 x 40: dW 30, dH 20.
    const Case cases[] = {
        {{0, 0, 3, 3}, {0, 0, 3, 3}},         // inside the top-left corner: stays
        {{17, 1, 19, 3}, {47, 1, 49, 3}},     // top-right corner: moves right
        {{1, 17, 3, 19}, {1, 37, 3, 39}},     // bottom-left: moves down
        {{17, 17, 19, 19}, {47, 37, 49, 39}}, // bottom-right: both
        {{1, 1, 18, 18}, {1, 1, 48, 38}},     // from TL to BR: grows both ways
        {{1, 1, 18, 3}, {1, 1, 48, 3}},       // from TL to TR: grows right (the caption bar)
        {{1, 17, 18, 19}, {1, 37, 48, 39}},   // from BL to BR: grows right and moves down
        {{1, 1, 3, 18}, {1, 1, 3, 38}},       // from TL to BL: grows down
        {{17, 1, 19, 18}, {47, 1, 49, 38}},   // from TR to BR: moves right, grows down
        {{5, 5, 10, 10}, {5, 5, 10, 10}},     // in the client area: unchanged
    };
    for (const Case& c : cases) {
        const TRect r = f.MapSkinRect(c.In, 50, 40);
        EXPECT_EQ(r, c.Out) << c.In.Left << "," << c.In.Top << "," << c.In.Right << "," << c.In.Bottom;
    }
    TskSkinFace h = NineFace();
    h.SkinResizeKind = 2;
    EXPECT_EQ(h.MapSkinRect({2, 0, 18, 4}, 50, 20), (TRect{2, 0, 48, 4})) << "spanning the middle grows";
    EXPECT_EQ(h.MapSkinRect({17, 0, 19, 4}, 50, 20), (TRect{47, 0, 49, 4})) << "right of the middle moves";
    TskSkinFace v = NineFace();
    v.SkinResizeKind = 3;
    EXPECT_EQ(v.MapSkinRect({0, 2, 4, 18}, 20, 40), (TRect{0, 2, 4, 38}));
    EXPECT_EQ(v.MapSkinRect({0, 17, 4, 19}, 20, 40), (TRect{0, 37, 4, 39}));
}

TEST_F(SkinTest, SetBoundsFollowsTheResizeKind) {
    struct Case {
        const char* Record;
        int Kind;
        TSize Asked, Got;
    };
    const Case cases[] = {
        {"button", 1, {60, 30}, {60, 30}},     // both directions
        {"fixed", 0, {60, 30}, {20, 20}},      // the skin rect's size
        {"hscrollbar", 2, {60, 30}, {60, 20}}, // width only
        {"vkind", 3, {60, 30}, {20, 30}},      // height only
        {"no such record", -1, {60, 30}, {60, 30}},
    };
    for (const Case& c : cases) {
        auto* p = new Plain(Form, c.Record);
        p->SetParent(Form);
        p->SetSkinData(Skin);
        p->SetBounds(0, 0, c.Asked.cx, c.Asked.cy);
        EXPECT_EQ(p->SkinResizeKind(), c.Kind) << c.Record;
        EXPECT_EQ((TSize{p->Width(), p->Height()}), (c.Got)) << c.Record;
        auto* g = new PlainGraphic(Form, c.Record);
        g->SetParent(Form);
        g->SetSkinData(Skin);
        g->SetBounds(0, 0, c.Asked.cx, c.Asked.cy);
        EXPECT_EQ((TSize{g->Width(), g->Height()}), (c.Got)) << "windowless " << c.Record;
    }
}

TEST_F(SkinTest, NineFaceKeepsItsCornersAtAnySize) {
    auto* p = new Plain(Form, "button");
    p->SetParent(Form);
    p->SetBounds(10, 10, 60, 40);
    p->SetSkinData(Skin);
    Show();
    EXPECT_EQ(Probe(p, 0, 0), kRed);
    EXPECT_EQ(Probe(p, 59, 0), kGreen);
    EXPECT_EQ(Probe(p, 0, 39), kBlue);
    EXPECT_EQ(Probe(p, 59, 39), kYellow);
    EXPECT_EQ(Probe(p, 30, 20), kClient[0]);
    EXPECT_EQ(p->CurClientRect(), (TRect{4, 4, 56, 36}));
}

TEST_F(SkinTest, MissingRecordOrPictureGivesThePlainLookAndTheDefaultSize) {
    for (const char* name : {"no such record", "nopicture"}) {
        auto* p = new Plain(Form, name);
        p->SetParent(Form);
        p->SetBounds(10, 10, 60, 40);
        p->SetDefaultWidth(33);
        p->SetDefaultHeight(22);
        p->SetSkinData(Skin);
        Show();
        EXPECT_FALSE(p->Skinned()) << name;
        EXPECT_EQ((TSize{p->Width(), p->Height()}), (TSize{33, 22})) << name;
        EXPECT_EQ(Probe(p, 5, 5), ColorToRGB(clBtnFace)) << name;
        p->Free();
    }
    auto* g = new PlainGraphic(Form, "nopicture");
    g->SetParent(Form);
    g->SetBounds(10, 10, 30, 30);
    g->SetSkinData(Skin);
    EXPECT_EQ(Probe(g, 15, 15), ColorToRGB(clBtnFace)) << "a windowless control without a picture";
}

// A control of no size leaves the form as it was: the windowed one has no pixels of its own,
// the windowless one paints straight into the form's, where nothing clips a careless face.
TEST_F(SkinTest, ZeroSizePaintsNothing) {
    Show();
    const TRect around{0, 0, 60, 60};
    const std::vector<TColor> before = FormPixels(around);
    ASSERT_EQ(std::count(before.begin(), before.end(), before.front()), std::ssize(before)) << "a plain form";
    for (const char* record : {"button", "no such record"}) {
        auto* windowed = new Plain(Form, record);
        auto* windowless = new PlainGraphic(Form, record);
        for (TControl* c : std::initializer_list<TControl*>{windowed, windowless}) {
            c->SetParent(Form);
            c->SetBounds(20, 20, 0, 0);
        }
        windowed->SetSkinData(Skin);
        windowless->SetSkinData(Skin);
        windowed->Repaint();
        windowless->Repaint();
        Form->Repaint();
        EXPECT_EQ(windowed->Width() + windowed->Height() + windowless->Width() + windowless->Height(), 0)
            << record;
        EXPECT_EQ(FormPixels(around), before) << record;
        windowed->Free();
        windowless->Free();
    }
}

// Both bases follow their skin object: one they moved away from no longer reaches them, and a
// freed one leaves them in the plain look.
TEST_F(SkinTest, BothBasesFollowTheirSkinObject) {
    auto* other = new TskSkinData(Form);
    other->LoadStoredSkin(Stored.get());
    auto* windowed = new Plain(Form, "button");
    auto* windowless = new PlainGraphic(Form, "button");
    windowed->SetParent(Form);
    windowed->SetBounds(10, 10, 40, 30);
    windowless->SetParent(Form);
    windowless->SetBounds(60, 10, 40, 30);
    Show();
    windowed->SetSkinData(other);
    windowless->SetSkinData(other);
    windowed->SetSkinData(Skin);
    windowless->SetSkinData(Skin);
    other->Free();
    EXPECT_EQ(windowed->SkinData(), Skin);
    EXPECT_EQ(windowless->SkinData(), Skin);
    EXPECT_EQ(Probe(windowed, 20, 15), kClient[0]);
    EXPECT_EQ(Probe(windowless, 20, 15), kClient[0]);

    Skin->Free();
    EXPECT_EQ(windowed->SkinData(), nullptr);
    EXPECT_EQ(windowless->SkinData(), nullptr);
    windowed->ChangeSkinData();
    windowless->ChangeSkinData();
    EXPECT_FALSE(windowed->Skinned());
    EXPECT_FALSE(windowless->Skinned());
    EXPECT_EQ(Probe(windowed, 20, 15), ColorToRGB(clBtnFace));
    EXPECT_EQ(Probe(windowless, 20, 15), ColorToRGB(clBtnFace));
}

TEST_F(SkinTest, MaskRegionIsSetAndRemoved) {
    auto* p = new Plain(Form, "fixed");
    p->SetParent(Form);
    Show();
    p->SetSkinData(Skin);
    EXPECT_TRUE(p->RegionSet());
    p->SetSkinDataName("no such record");
    p->ChangeSkinData();
    EXPECT_FALSE(p->RegionSet());
    p->SetSkinDataName("fixed");
    p->ChangeSkinData();
    EXPECT_TRUE(p->RegionSet());
    p->Free(); // the window frees the region it owns
}

// Below its fixed parts a nine-part face has no shape: the window then shows whole instead of
// keeping the shape of its earlier size.
TEST_F(SkinTest, ASizeWithoutAShapeDropsTheOldRegion) {
    auto* p = new Plain(Form, "maskedface");
    p->SetParent(Form);
    p->SetBounds(0, 0, 40, 40);
    Show();
    p->SetSkinData(Skin);
    std::vector<TRect> rects;
    ASSERT_TRUE(p->RegionSet());
    ASSERT_TRUE(GetWindowRgnRects(p->Handle(), rects));
    p->SetBounds(0, 0, 6, 6);
    EXPECT_FALSE(p->RegionSet());
    EXPECT_FALSE(GetWindowRgnRects(p->Handle(), rects)) << "the 40 x 40 shape is gone";
    p->SetBounds(0, 0, 30, 30);
    EXPECT_TRUE(p->RegionSet());
    EXPECT_TRUE(GetWindowRgnRects(p->Handle(), rects));
}

TEST_F(SkinTest, FramedPanelTilesItsClientPiece) {
    auto* p = new TskSkinPanel(Form);
    p->SetParent(Form);
    p->SetBounds(10, 10, 80, 60);
    p->SetSkinData(Skin);
    Show();
    EXPECT_EQ(Probe(p, 0, 0), kRed);
    EXPECT_EQ(Probe(p, 79, 59), kYellow);
    EXPECT_EQ(Probe(p, 40, 30), kClient[0]);
    TRect r{0, 0, p->Width(), p->Height()};
    p->AdjustClientRect(r);
    EXPECT_EQ(r, (TRect{4, 4, 76, 56}));
}

TEST_F(SkinTest, PanelWithoutAClientPieceFillsItsClientArea) {
    auto* p = new TskSkinPanel(Form);
    p->SetSkinDataName("emptyclient");
    p->SetParent(Form);
    p->SetBounds(10, 10, 80, 60);
    p->SetSkinData(Skin);
    Show();
    EXPECT_EQ(Probe(p, 0, 0), kRed);
    EXPECT_EQ(Probe(p, 40, 30), ColorToRGB(clBtnFace));
}

TEST_F(SkinTest, WallpaperOutsideThePictureListCountsAsNone) {
    auto* bad = new TskSkinPanel(Form);
    bad->SetSkinDataName("badwallpaper");
    bad->SetParent(Form);
    bad->SetBounds(10, 10, 80, 60);
    bad->SetSkinData(Skin);
    auto* good = new TskSkinPanel(Form);
    good->SetSkinDataName("wallpaper");
    good->SetParent(Form);
    good->SetBounds(100, 10, 80, 60);
    good->SetSkinData(Skin);
    Show();
    EXPECT_EQ(bad->BgPictureIndex(), -1);
    TRect r{0, 0, 80, 60};
    bad->AdjustClientRect(r);
    EXPECT_EQ(r, (TRect{4, 4, 76, 56})) << "the client rect agrees with the frame that is painted";
    EXPECT_EQ(Probe(bad, 0, 0), kRed);
    TRect w{0, 0, 80, 60};
    good->AdjustClientRect(w);
    EXPECT_EQ(w, (TRect{0, 0, 80, 60}));
    EXPECT_EQ(Probe(good, 0, 0), kWallpaper);
    EXPECT_EQ(Probe(good, 79, 59), kWallpaper);
}

TEST_F(SkinTest, ToolBarCentresSkinnedChildren) {
    auto* bar = new TskSkinToolBar(Form);
    bar->SetParent(Form);
    bar->SetBounds(0, 0, 300, 40);
    auto* p = new Plain(Form, "fixed");
    p->SetParent(bar);
    p->SetSkinData(Skin);
    p->SetBounds(5, 0, 20, 20);
    EXPECT_EQ(p->Top(), 40 / 2 - 20 / 2);
    p->SetTop(3);
    EXPECT_EQ(p->Top(), 10) << "whatever Top was asked for";
}

} // namespace
} // namespace vd::test
