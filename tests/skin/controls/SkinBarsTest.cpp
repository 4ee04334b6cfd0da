#include "SkinFixture.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinStatusPanel.h"

namespace vd::test {
namespace {

TEST_F(SkinTest, StatusBarLeavesRoomForItsGrip) {
    auto* bar = new TskSkinStatusBar(Form);
    bar->SetParent(Form);
    Show();
    const int W = bar->Width();
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->Height(), 21);
    EXPECT_EQ(GetAdjustedClientRect(bar), (TRect{0, 0, W, 21})) << "no grip by default";
    bar->SetSizeGrip(true);
    EXPECT_EQ(GetAdjustedClientRect(bar), (TRect{0, 0, W - 21, 21}));
    EXPECT_EQ(bar->GripRect(), (TRect{W - 19, 0, W, 19}));
    for (int o : {3, 6, 9, 12, 15}) {
        EXPECT_EQ(Probe(bar, W - 19 + o, 19), ColorToRGB(clBtnShadow)) << o;
        EXPECT_EQ(Probe(bar, W - 19 + o + 1, 19), ColorToRGB(clBtnHighlight)) << o;
    }
    EXPECT_EQ(Probe(bar, W - 1, 19), ColorToRGB(clBtnFace)) << "a sixth pair does not fit";
    auto hit = [&](int x, int y) {
        const TPoint s = bar->ClientToScreen({x, y});
        return bar->Perform(WM_NCHITTEST, 0, LPARAM((s.Y & 0xFFFF) << 16 | (s.X & 0xFFFF)));
    };
    EXPECT_EQ(hit(W - 10, 10), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(W - 19, 0), HTBOTTOMRIGHT) << "edges included";
    EXPECT_EQ(hit(10, 10), HTCLIENT);
    bar->SetGripVisible(false);
    EXPECT_EQ(GetAdjustedClientRect(bar), (TRect{0, 0, W, 21})) << "maximized: the room goes back";
}

TEST_F(SkinTest, StatusBarPassesItsSkinToItsPanels) {
    auto* bar = new TskSkinStatusBar(Form);
    bar->SetParent(Form);
    auto* panel = new TskSkinStatusPanel(Form);
    panel->SetParent(bar);
    bar->SetSkinData(Skin);
    EXPECT_EQ(panel->SkinData(), Skin);
}

// Stand-ins for the form frame's menus, which are not part of this library: they record the
// calls and open (or not) as told.
class FakePopup : public TskSkinPopupMenu {
public:
    explicit FakePopup(TComponent* o) : TskSkinPopupMenu(o) {}
    bool PopupFromRect(TControl* c, const TRect& r, int flag) override {
        ++Calls;
        Opener = c;
        Where = r;
        (void)flag;
        return Opens;
    }
    bool Opens = true;
    int Calls = 0;
    TControl* Opener = nullptr;
    TRect Where;
};

class FakeImages : public TskImagesMenuLink {
public:
    explicit FakeImages(TComponent* o) : TskImagesMenuLink(o) {}
    bool PopupFromRect(const TRect&) override {
        ++Calls;
        return Opens;
    }
    bool Opens = true;
    int Calls = 0;
};

class MenuButtons : public SkinTest {
protected:
    TskSkinMenuSpeedButton* Button(TRect r = {10, 10, 70, 35}) {
        auto* b = new TskSkinMenuSpeedButton(Form);
        b->SetParent(Form);
        b->SetBoundsRect(r);
        b->OnClick = [this](TObject*) { Log.push_back("click"); };
        b->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Log.push_back("down"); };
        b->OnShowTrackMenu = [this](TObject*) { Log.push_back("show"); };
        b->OnHideTrackMenu = [this](TObject*) { Log.push_back("hide"); };
        return b;
    }
    std::vector<std::string> Log;
};

TEST_F(MenuButtons, PressOpensTheMenuAndTheCloseReportReleases) {
    auto* b = Button();
    auto* menu = new FakePopup(Form);
    b->SetSkinPopupMenu(menu);
    Show();
    hb->Click(RawButton::Left, At(b, 5, 5));
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"show"}))
        << "no OnMouseDown, no OnClick; the release is ignored";
    EXPECT_TRUE(b->MenuOpen());
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(menu->Opener, b);
    EXPECT_EQ(menu->Where, (TRect{110, 110, 170, 135}));
    b->Perform(WM_SKINMENUCLOSED, 0, 0);
    EXPECT_FALSE(b->MenuOpen());
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Log.back(), "hide");
}

TEST_F(MenuButtons, MenuThatDoesNotOpenLeavesTheButtonUp) {
    auto* b = Button();
    auto* menu = new FakePopup(Form);
    menu->Opens = false; // no form frame to show it
    b->SetSkinPopupMenu(menu);
    Show();
    hb->Click(RawButton::Left, At(b, 5, 5));
    Pump();
    EXPECT_FALSE(b->MenuOpen());
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(Log, (std::vector<std::string>{"show", "hide"}));
    hb->Advance(1000);
    hb->Click(RawButton::Left, At(b, 5, 5));
    Pump();
    EXPECT_EQ(menu->Calls, 2) << "the next press opens again";
}

TEST_F(MenuButtons, TrackModeOpensOnlyFromTheStrip) {
    auto* b = Button();
    b->SetTrackButtonMode(true);
    auto* menu = new FakePopup(Form);
    auto* images = new FakeImages(Form);
    b->SetSkinPopupMenu(menu);
    Show();
    hb->Click(RawButton::Left, At(b, 60 - 16, 5));
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"down", "click"})) << "left of the strip: an ordinary click";
    EXPECT_EQ(menu->Calls, 0);
    Log.clear();
    b->SetSkinImagesMenu(images);
    hb->Advance(1000);
    hb->ButtonDown(RawButton::Left, At(b, 60 - 15, 5)); // the strip's left edge
    Pump();
    EXPECT_EQ(Log, (std::vector<std::string>{"show", "show"})) << "both menus asked, popup first";
    EXPECT_EQ(menu->Calls, 1);
    EXPECT_EQ(images->Calls, 1);
    ASSERT_TRUE(images->OnInternalMenuClose);
    images->OnInternalMenuClose(images);
    EXPECT_FALSE(b->Down());
    hb->ButtonUp(RawButton::Left, At(b, 60 - 15, 5));
}

// The images menu outlives the buttons that link it and keeps their callbacks: a close or a
// changed choice after a button was freed reaches no button.
TEST_F(MenuButtons, ImagesMenuCallbacksOutliveNoButton) {
    auto* images = new FakeImages(Form);
    auto* freed = Button();
    freed->SetSkinImagesMenu(images);
    Show();
    hb->Click(RawButton::Left, At(freed, 5, 5));
    Pump();
    ASSERT_TRUE(freed->MenuOpen());
    ASSERT_TRUE(images->OnInternalMenuClose && images->OnInternalChange);
    freed->Free();
    Pump();
    images->OnInternalMenuClose(images);
    images->OnInternalChange(images);
    EXPECT_EQ(Log, (std::vector<std::string>{"show"})) << "no hide from a freed button";
}

// A button narrower than its track part, or skinned from a record of another shape, paints
// within its own bounds in every state: it draws straight into the form's pixels.
TEST_F(MenuButtons, NarrowAndOddlySkinnedButtonsPaintSafely) {
    struct Case {
        const char* Record;
        bool NewStyle, TrackMode;
    };
    const Case cases[] = {{"toolbutton", false, true},
                          {"resizebutton", false, true},
                          {"resizetoolbutton", true, true},
                          {"toolmenubutton", false, true},
                          {"bevel", false, false}};
    Show();
    const TRect around{0, 0, 70, 50};
    std::vector<TColor> before;
    // Compares the form's pixels around the button with those before it came, outside R.
    auto outsideChanged = [&](const TRect& r) {
        const std::vector<TColor> now = FormPixels(around);
        int changed = 0;
        for (int y = around.Top; y < around.Bottom; ++y)
            for (int x = around.Left; x < around.Right; ++x) {
                const std::size_t i =
                    std::size_t(y - around.Top) * around.Width() + std::size_t(x - around.Left);
                const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
                changed += !inside && now[i] != before[i];
            }
        return changed;
    };
    for (const Case& c : cases)
        for (int w : {4, 14, 40}) {
            const TRect r{10, 10, 10 + w, 30};
            before = FormPixels(around);
            auto* b = Button(r);
            b->SetNewStyle(c.NewStyle);
            if (!c.NewStyle) b->SkinDataName = c.Record;
            b->SetTrackButtonMode(c.TrackMode);
            b->SetSkinPopupMenu(new FakePopup(Form));
            b->SetSkinData(Skin);
            const TRect placed = b->BoundsRect();
            Pump();
            EXPECT_EQ(outsideChanged(placed), 0) << c.Record << " " << w << " up";
            hb->MouseMove(At(b, 1, 1));
            Pump();
            EXPECT_EQ(outsideChanged(placed), 0) << c.Record << " " << w << " hot";
            hb->ButtonDown(RawButton::Left, At(b, w - 1, 2));
            Pump();
            EXPECT_EQ(outsideChanged(placed), 0) << c.Record << " " << w << " pressed";
            hb->ButtonUp(RawButton::Left, At(b, w - 1, 2));
            b->Perform(WM_SKINMENUCLOSED, 0, 0);
            Pump();
            b->Free();
        }
}

// The button paints on the form: freed, it must not leave its picture there.
TEST_F(MenuButtons, FreedButtonLeavesTheFormAsItWas) {
    Show();
    const TRect r{10, 10, 70, 35};
    const std::vector<TColor> before = FormPixels(r);
    auto* b = Button(r);
    b->SetSkinData(Skin);
    ASSERT_NE(FormPixels(r), before) << "the button is drawn";
    b->Free();
    EXPECT_EQ(FormPixels(r), before);
}

TEST_F(MenuButtons, OwnKindRecordPressesOnlyTheTrackPart) {
    auto* b = Button({10, 10, 30, 30});
    b->SetTrackButtonMode(true);
    b->SetSkinPopupMenu(new FakePopup(Form));
    b->SetSkinData(Skin);
    Show();
    hb->MouseMove(At(b, 16, 10));
    hb->ButtonDown(RawButton::Left, At(b, 16, 10));
    Pump();
    EXPECT_TRUE(b->MenuOpen());
    EXPECT_EQ(Probe(b, 8, 10), kClient[1]) << "the main part active";
    EXPECT_EQ(Probe(b, 15, 10), kClient[2]) << "the track part pressed";
    hb->ButtonUp(RawButton::Left, At(b, 16, 10));
    b->Perform(WM_SKINMENUCLOSED, 0, 0);
}

// On a face that stretches in width only, the pressed track part is still cut from the record's
// own track rect of the down face; only where it lands moves with the width.
TEST_F(MenuButtons, StretchedOwnKindFaceCutsThePressedTrackFromTheRecord) {
    std::string ini = TestSkinIni();
    ini.replace(ini.find("count=31\r\n"), 10, "count=32\r\n31=htoolmenubutton:menubutton\r\n");
    ini += "[htoolmenubutton]\r\npictureindex=0\r\nskinrect=0,0,20,20\r\nactiveskinrect=20,0,40,20\r\n"
           "downskinrect=40,0,60,20\r\nlefttoppoint=4,0\r\nrighttoppoint=16,0\r\nclientrect=4,0,16,20\r\n"
           "trackbuttonrect=14,0,20,20\r\n";
    auto stored = TestStoredSkin(ini);
    Skin->LoadStoredSkin(stored.get());
    ASSERT_FALSE(Skin->Empty()) << Skin->LastLoadError();
    auto* b = Button({10, 10, 50, 30});
    b->SkinDataName = "htoolmenubutton";
    b->SetTrackButtonMode(true);
    b->SetSkinPopupMenu(new FakePopup(Form));
    b->SetSkinData(Skin);
    Show();
    ASSERT_EQ(b->SkinResizeKind(), 2);
    EXPECT_EQ(b->GetTrackButtonRect(), (TRect{34, 0, 40, 20}));
    hb->MouseMove(At(b, 36, 10));
    hb->ButtonDown(RawButton::Left, At(b, 36, 10));
    Pump();
    ASSERT_TRUE(b->MenuOpen());
    EXPECT_EQ(Probe(b, 35, 10), kClient[2]) << "the down face's client, left of its right edge";
    EXPECT_EQ(Probe(b, 38, 10), kEdge[2]) << "the down face's right edge";
    hb->ButtonUp(RawButton::Left, At(b, 36, 10));
    b->Perform(WM_SKINMENUCLOSED, 0, 0);
}

} // namespace
} // namespace vd::test
