// Window states of the frame: parking of minimized forms, maximizing against the work area,
// roll-up, magnetic edges, the fade-in, and skin changes.
#include "FrameFixture.h"

#include "skin/controls/SkinControl.h"
#include "skin/form/frame/SkinComponent.h"

namespace vd::test {
namespace {

TEST_F(FrameTest, MinimizedFormsParkInRowsAndFallBackToTheFirstPlace) {
    hb->SetMonitors({{{0, 0, 300, 100}, {0, 0, 300, 60}}});
    std::vector<TPoint> places;
    TRect before;
    for (int i = 0; i < 5; ++i) {
        TForm* f = NewFrameForm(false, {10, 10, 210, 50});
        ShowForm(f);
        before = f->BoundsRect();
        Frame->SetWindowState(skwsMinimized);
        Pump();
        places.push_back({f->Left(), f->Top()});
        EXPECT_EQ(f->Width(), 120);
        EXPECT_EQ(f->Height(), 25);
    }
    // Two places a row (120 wide in 300), two rows (25 high in 60), then the first place again.
    const std::vector<TPoint> expected{{0, 35}, {120, 35}, {0, 10}, {120, 10}, {0, 35}};
    EXPECT_EQ(places, expected);
    // Restoring gives the form its old bounds back.
    Frame->SetWindowState(skwsNormal);
    EXPECT_EQ(Frame->Form()->BoundsRect(), before);
    EXPECT_EQ(before, (TRect{10, 10, 210, 50}));
}

TEST_F(FrameTest, ParkingWithAZeroMinimumHeightEnds) {
    // A skin whose client rectangle covers the whole picture: the minimized height is 0.
    hb->SetMonitors({{{0, 0, 300, 100}, {0, 0, 300, 60}}});
    std::vector<TPoint> places;
    for (int i = 0; i < 3; ++i) {
        TForm* f = NewFrameForm(false, {10, 10, 210, 110});
        Skin = new TskSkinData(f);
        std::string ini = FrameSkinIni();
        ini.replace(ini.find("clientrect=4,24,96,56"), 21, "clientrect=0,0,100,60");
        auto stored = FrameStoredSkin(ini);
        Skin->LoadStoredSkin(stored.get());
        Frame->SetSkinData(Skin);
        ShowForm(f);
        Frame->SetWindowState(skwsMinimized);
        places.push_back({f->Left(), f->Top()});
    }
    EXPECT_EQ(places[0], (TPoint{0, 60}));
    EXPECT_EQ(places[1], (TPoint{100, 60}));
    EXPECT_EQ(places[2], (TPoint{200, 60}));
}

TEST_F(FrameTest, MaximizeTakesTheWorkAreaOrOnePixelLessThanABareMonitor) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    Frame->SetWindowState(skwsMaximized);
    EXPECT_EQ(f->BoundsRect(), (TRect{0, 0, 1024, 740}));
    Frame->SetWindowState(skwsNormal);
    EXPECT_EQ(f->BoundsRect(), (TRect{100, 100, 400, 300}));
    // No task bar: the window stays one pixel inside the monitor on every side.
    hb->SetMonitors({{{0, 0, 1024, 768}, {0, 0, 1024, 768}}});
    Frame->SetWindowState(skwsMaximized);
    EXPECT_EQ(f->BoundsRect(), (TRect{1, 1, 1023, 767}));
    Frame->MaximizeOnFullScreen = true;
    Frame->SetWindowState(skwsNormal);
    Frame->SetWindowState(skwsMaximized);
    EXPECT_EQ(f->BoundsRect(), (TRect{1, 1, 1023, 767}));
}

// First shown maximized, then restored: the first placement of a window whose size does not
// change still lays the frame out again (the nudge), as every other restore does.
TEST_F(FrameTest, TheFirstRestoreLaysTheFrameOutAtTheSameSize) {
    TForm* f = NewFrameForm(true, {0, 0, 1024, 740});
    Frame->PositionInMonitor = skpScreenCenter;
    Frame->SetWindowState(skwsMaximized);
    ShowForm(f);
    ASSERT_EQ(f->BoundsRect(), (TRect{0, 0, 1024, 740}));
    int resizes = 0;
    f->OnResize = [&](TObject*) { ++resizes; };
    Frame->SetWindowState(skwsNormal);
    Pump();
    EXPECT_GT(resizes, 0);
    EXPECT_EQ(f->Width(), 1024);
    EXPECT_EQ(f->Height(), 740);
    // Placed in the middle of the monitor.
    EXPECT_EQ(f->Top(), (768 - 740) / 2);
    f->OnResize = nullptr;
}

TEST_F(FrameTest, MinimizingTheMainFormMinimizesTheApplication) {
    TForm* f = NewFrameForm(true);
    Application->SetMainForm(f);
    ShowForm(f);
    Frame->SetWindowState(skwsMinimized);
    EXPECT_EQ(Frame->WindowState(), skwsNormal);
    EXPECT_TRUE(IsIconic(Application->Handle()));
    Application->Restore();
    EXPECT_FALSE(IsIconic(Application->Handle()));
}

TEST_F(FrameTest, RollUpRules) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    int changes = 0;
    Frame->OnChangeRollUpState = [&](TObject*) { ++changes; };
    Frame->RollUp(true);
    EXPECT_TRUE(Frame->RolledUp());
    EXPECT_EQ(f->Height(), 28); // the frame without client: 60 - 32
    Frame->RollUp(false);
    EXPECT_EQ(f->Height(), 200);
    EXPECT_EQ(changes, 2);
    // Minimized forms do not roll up.
    Frame->SetWindowState(skwsMinimized);
    Frame->RollUp(true);
    EXPECT_FALSE(Frame->RolledUp());
    Frame->SetWindowState(skwsNormal);
    // Rolled up only while maximized: restoring unrolls it.
    Frame->SetWindowState(skwsMaximized);
    Frame->RollUp(true);
    EXPECT_TRUE(Frame->RolledUp());
    Frame->SetWindowState(skwsNormal);
    EXPECT_FALSE(Frame->RolledUp());
    EXPECT_EQ(f->BoundsRect(), (TRect{100, 100, 400, 300}));
    // Without the roll-up icon nothing happens.
    Frame->SetBorderIcons(skbiSystemMenu);
    Frame->RollUp(true);
    EXPECT_FALSE(Frame->RolledUp());
}

TEST_F(FrameTest, MagneticEdgesHoldUntilThePointerMovesOn) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    Frame->Magnetic = true;
    hb->MouseMove({200, 200});
    int x = 3, y = 100;
    Frame->SnapToEdges(x, y, 200, 300);
    EXPECT_EQ(x, 0);
    // Three pixels further: still held at the edge.
    hb->MouseMove({203, 200});
    x = 4;
    Frame->SnapToEdges(x, y, 200, 300);
    EXPECT_EQ(x, 0);
    // Six pixels: released, following the pointer.
    hb->MouseMove({206, 200});
    x = 4;
    Frame->SnapToEdges(x, y, 200, 300);
    EXPECT_EQ(x, 6);
    // The right and the bottom edge of the work area (a size change forgets the left snap).
    Frame->NudgeSize();
    hb->MouseMove({500, 500});
    x = 1024 - 300 - 2;
    y = 740 - 200 + 4;
    Frame->SnapToEdges(x, y, 200, 300);
    EXPECT_EQ(x, 724);
    EXPECT_EQ(y, 540);
    // A maximized form does not move.
    Frame->SetWindowState(skwsMaximized);
    TRect r{50, 50, 50 + 1024, 50 + 740};
    SendMessage(f->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.TopLeft(), (TPoint{0, 0}));
}

TEST_F(FrameTest, FadeInRisesTenAStepFromATimer) {
    TForm* f = NewFrameForm(true);
    Frame->AlphaBlendAnimation = true;
    hb->SetAutoAdvance(false);
    f->Show();
    Pump();
    Byte alpha = 255;
    ASSERT_TRUE(GetLayeredAlpha(f->Handle(), alpha));
    std::vector<int> steps;
    for (int i = 0; i < 40 && GetLayeredAlpha(f->Handle(), alpha); ++i) {
        hb->Advance(6);
        Pump();
        if (GetLayeredAlpha(f->Handle(), alpha) && (steps.empty() || steps.back() != alpha))
            steps.push_back(alpha);
    }
    hb->SetAutoAdvance(true);
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(steps[0], 10);
    EXPECT_EQ(steps[1], 20);
    // Opaque at the end: the layered style is gone.
    EXPECT_FALSE(GetLayeredAlpha(f->Handle(), alpha));
    EXPECT_EQ(GetWindowLong(f->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST_F(FrameTest, AlphaBlendValueStaysLayered) {
    TForm* f = NewFrameForm(true);
    Frame->SetAlphaBlendValue(120);
    Frame->SetAlphaBlend(true);
    hb->SetAutoAdvance(false);
    f->Show();
    Pump();
    hb->Advance(5);
    Pump();
    hb->SetAutoAdvance(true);
    Byte alpha = 0;
    ASSERT_TRUE(GetLayeredAlpha(f->Handle(), alpha));
    EXPECT_EQ(alpha, 120);
    Frame->SetAlphaBlend(false);
    EXPECT_FALSE(GetLayeredAlpha(f->Handle(), alpha));
}

class CountingControl : public TskSkinControl {
public:
    using TskSkinControl::TskSkinControl;
    void ChangeSkinData() override {
        ++Changes;
        TskSkinControl::ChangeSkinData();
    }
    void ResetSkinIndex() override {
        ++Resets;
        TskSkinControl::ResetSkinIndex();
    }
    int Changes = 0, Resets = 0;
};

class CountingComponent : public TskSkinComponent {
public:
    using TskSkinComponent::TskSkinComponent;
    void BeforeChangeSkinData() override { ++Before; }
    void ChangeSkinData() override { ++After; }
    int Before = 0, After = 0;
};

TEST_F(FrameTest, SkinMessagesRebuildObjectsAndReskinControls) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    auto* mine = new CountingControl(f);
    mine->SetParent(f);
    mine->SetSkinData(Skin);
    auto* panel = new TskSkinControl(f);
    panel->SetParent(f);
    auto* nested = new CountingControl(f);
    nested->SetParent(panel);
    auto* comp = new CountingComponent(f);
    // Another skin object owned by another form: this frame keeps its objects, but its controls
    // that use the loading skin are re-skinned.
    TForm* other = NewFrameForm(false, {500, 100, 700, 300});
    auto* otherSkin = new TskSkinData(other);
    nested->SetSkinData(otherSkin);
    mine->Changes = mine->Resets = nested->Changes = nested->Resets = 0;
    const size_t objects = GetSkinForm(f)->Objects().size();
    ASSERT_EQ(objects, 6u);
    auto stored = FrameStoredSkin();
    otherSkin->LoadStoredSkin(stored.get());
    TskSkinForm* frame = GetSkinForm(f);
    EXPECT_EQ(frame->Objects().size(), objects);
    EXPECT_EQ(nested->Resets, 0); // only a frame's own skin resets its controls first
    EXPECT_EQ(nested->Changes, 1);
    EXPECT_EQ(mine->Changes, 0);
    EXPECT_EQ(comp->Before, 0);
    EXPECT_EQ(comp->After, 1);
    // Its own skin: objects rebuilt, every control using it re-skinned.
    int before = 0, after = 0;
    frame->OnBeforeChangeSkinData = [&](TObject*) { ++before; };
    frame->OnAfterChangeSkinData = [&](TObject*) { ++after; };
    Skin->LoadStoredSkin(Stored.get());
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(mine->Resets, 1);
    EXPECT_EQ(mine->Changes, 1);
    EXPECT_EQ(comp->Before, 1);
    EXPECT_EQ(frame->Objects().size(), objects);
    EXPECT_TRUE(frame->SkinInUse());
}

TEST_F(FrameTest, SkinLoadGrowsAFormToTheMinimumAndKeepsARolledUpCaption) {
    TForm* f = NewFrameForm(false, {100, 100, 150, 110});
    ShowForm(f);
    Skin = new TskSkinData(f);
    Stored = FrameStoredSkin();
    Skin->LoadStoredSkin(Stored.get());
    Frame->SetSkinData(Skin);
    EXPECT_EQ(f->Width(), 120); // the plain frame's minimum, above the skin's 100
    EXPECT_EQ(f->Height(), 28);
    // A failed load leaves an empty skin: the plain frame with its six default buttons.
    auto broken = std::make_unique<TskCompressedStoredSkin>();
    broken->SetCompressedStream({1, 2, 3});
    Skin->LoadStoredSkin(broken.get());
    EXPECT_FALSE(Frame->SkinInUse());
    EXPECT_EQ(Frame->Objects().size(), 6u);
    EXPECT_FALSE(Frame->HasRegion());
}

TEST_F(FrameTest, BorderIconsHideAndDisableButtons) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    Frame->SetBorderIcons(skbiSystemMenu | skbiMinimize);
    Frame->SetSkinData(Skin);
    TskActiveSkinObject* max = Frame->FindObject("maxbutton");
    ASSERT_NE(max, nullptr);
    EXPECT_FALSE(max->Enabled);
    EXPECT_FALSE(max->Visible);
    // The hidden button leaves its place to the next one.
    EXPECT_EQ(Frame->FindObject("minbutton")->ObjectRect, (TRect{261, 4, 277, 20}));
    EXPECT_EQ(Frame->FindObject("closebutton")->HintText, "Close");
    Frame->HideCaptionButtons = true;
    Frame->SetSkinData(Skin);
    EXPECT_FALSE(Frame->FindObject("closebutton")->Enabled);
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

TEST_F(FrameTest, DraggingTheCaptionMovesAndSnapsWithoutPressingAnObject) {
    TForm* f = NewFrameForm(true, {100, 100, 400, 300});
    ShowForm(f);
    Frame->Magnetic = true;
    hb->MouseMove(ScreenOf(f, 100, 12));
    Pump();
    hb->ButtonDown(RawButton::Left, {200, 112});
    hb->MouseMove({150, 112});
    hb->MouseMove({103, 112}); // the left edge 3 pixels from the work area's: snapped
    hb->ButtonUp(RawButton::Left, {103, 112});
    Pump();
    EXPECT_EQ(f->Left(), 0);
    EXPECT_EQ(f->Top(), 100);
    EXPECT_EQ(Frame->PressedIndex(), -1);
    EXPECT_EQ(GetCapture(), nullptr);
    // A maximized form does not move.
    Frame->SetWindowState(skwsMaximized);
    hb->ButtonDown(RawButton::Left, {100, 12});
    hb->MouseMove({300, 200});
    hb->ButtonUp(RawButton::Left, {300, 200});
    Pump();
    EXPECT_EQ(f->BoundsRect(), (TRect{0, 0, 1024, 740}));
}

} // namespace
} // namespace vd::test
