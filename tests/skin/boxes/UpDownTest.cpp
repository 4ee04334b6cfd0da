#include "BoxesFixture.h"
#include "skin/boxes/SkinUpDown.h"
#include "skin/controls/SkinPaint.h"

#include <climits>

namespace vd::test {
namespace {

class UpDowns : public BoxTest {
protected:
    TskSkinUpDown* UpDown(TskSkinData* skin = nullptr, TRect r = {10, 10, 60, 35}) {
        auto* u = Put<TskSkinUpDown>(r, skin);
        u->OnChange = [this](TObject*) { ++Changes; };
        u->OnUpButtonClick = [this](TObject*) { ++UpClicks; };
        u->OnDownButtonClick = [this](TObject*) { ++DownClicks; };
        Show();
        return u;
    }
    int Changes = 0, UpClicks = 0, DownClicks = 0;
};

TEST_F(UpDowns, PlainHalvesAndArrowsByOrientation) {
    auto* u = UpDown();
    EXPECT_EQ(u->Buttons(1).R, (TRect{0, 0, 25, 25})) << "horizontal: down on the left";
    EXPECT_EQ(u->Buttons(0).R, (TRect{25, 0, 50, 25}));
    EXPECT_EQ(Probe(u, 0, 0), Rgb(clBtnShadow)) << "plain buttons have a shadow frame";
    EXPECT_EQ(Probe(u, 3, 3), Rgb(clBtnFace));
    MoveTo(u, 30, 5);
    EXPECT_EQ(Probe(u, 25, 0), clskNavy) << "the hot button gets the navy frame";
    EXPECT_EQ(Probe(u, 27, 3), clskHotFill);
    Press(u, 30, 5);
    EXPECT_EQ(Probe(u, 27, 3), clskPressedFill);
    Release(u, 30, 5);
    u->SetOrientation(udVertical);
    EXPECT_EQ(u->Buttons(0).R, (TRect{0, 0, 50, 12}));
    EXPECT_EQ(u->Buttons(1).R, (TRect{0, 12, 50, 25}));
}

TEST_F(UpDowns, AClickStepsOnceOnReleaseAndFiresItsEvent) {
    auto* u = UpDown();
    u->SetMax(3);
    Click(u, 30, 5);
    EXPECT_EQ(u->Position(), 1);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(UpClicks, 1);
    Click(u, 5, 5);
    EXPECT_EQ(u->Position(), 0);
    EXPECT_EQ(DownClicks, 1);
    u->SetPosition(3);
    Changes = 0;
    Click(u, 30, 5);
    EXPECT_EQ(u->Position(), 3) << "at Max the position stays";
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(UpClicks, 2) << "the click event still fires";
    u->SetPosition(3);
    EXPECT_EQ(Changes, 1) << "OnChange fires for an unchanged value";
    Press(u, 30, 5);
    MoveTo(u, 30, 40);
    Release(u, 30, 40);
    EXPECT_EQ(UpClicks, 2) << "a release away from the button does not click";
}

TEST_F(UpDowns, HoldingRepeatsAfterTheFirstTickAndPausesOutside) {
    hb->SetAutoAdvance(false);
    auto* u = UpDown();
    Press(u, 30, 5);
    Advance(590);
    EXPECT_EQ(u->Position(), 0) << "500 ms to the first tick, which only re-arms";
    Advance(20);
    EXPECT_EQ(u->Position(), 1) << "the first step at about 600 ms";
    Advance(400);
    EXPECT_EQ(u->Position(), 5) << "then one every 100 ms";
    MoveTo(u, 30, 40);
    Advance(300);
    EXPECT_EQ(u->Position(), 5) << "outside the held button nothing repeats";
    MoveTo(u, 30, 5);
    Advance(60);
    EXPECT_EQ(u->Position(), 6) << "back in, the repeat resumes at 50 ms";
    Release(u, 30, 5);
    EXPECT_EQ(u->Position(), 7) << "and the release over the button steps once more";
    Advance(500);
    EXPECT_EQ(u->Position(), 7);
}

TEST_F(UpDowns, ZeroIncrementStartsNoTimerAndStepsOverflowNever) {
    hb->SetAutoAdvance(false);
    auto* u = UpDown();
    u->SetIncrement(0);
    Press(u, 30, 5);
    Advance(1000);
    Release(u, 30, 5);
    EXPECT_EQ(u->Position(), 0);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(UpClicks, 1);
    u->SetMax(INT_MAX);
    u->SetMin(INT_MIN);
    u->SetIncrement(INT_MAX);
    u->SetPosition(INT_MAX - 1);
    Click(u, 30, 5);
    EXPECT_EQ(u->Position(), INT_MAX - 1) << "a step past the 32-bit range is ignored";
    u->SetPosition(INT_MIN + 1);
    Click(u, 5, 5);
    EXPECT_EQ(u->Position(), INT_MIN + 1);
}

TEST_F(UpDowns, MinAndMaxMoveThePositionSilently) {
    auto* u = UpDown();
    u->SetPosition(50);
    Changes = 0;
    u->SetMin(60);
    EXPECT_EQ(u->Position(), 60);
    u->SetMax(10);
    EXPECT_EQ(u->Position(), 10);
    EXPECT_EQ(Changes, 0);
    u->SetPosition(500);
    EXPECT_EQ(Changes, 0) << "out of range is ignored";
}

TEST_F(UpDowns, SkinnedAtSkinSizeDrawsStatePieces) {
    auto* u = UpDown(Skin);
    EXPECT_EQ(u->Width(), 20);
    EXPECT_EQ(u->Height(), 20);
    EXPECT_EQ(u->Buttons(0).R, (TRect{10, 0, 20, 20}));
    EXPECT_EQ(Probe(u, 12, 10), kClient[0]) << "the normal state is the whole picture";
    MoveTo(u, 15, 10);
    EXPECT_EQ(Probe(u, 12, 10), kClient[1]) << "hot: the active piece";
    Press(u, 15, 10);
    EXPECT_EQ(Probe(u, 12, 10), kClient[2]) << "pressed: the down piece";
    Release(u, 15, 10);
    MoveTo(u, 5, 10);
    EXPECT_EQ(Probe(u, 3, 10), kClient[1]) << "an empty down piece falls back to the active one";
    Press(u, 5, 10);
    EXPECT_EQ(Probe(u, 3, 10), kClient[1]);
    Release(u, 5, 10);
}

TEST_F(UpDowns, SkinnedFreeSizeComposesTheResizeButton) {
    auto* u = Put<TskSkinUpDown>({10, 10, 70, 30});
    u->SetUseSkinSize(false);
    u->SetSkinData(Skin);
    Show();
    EXPECT_EQ(u->Width(), 60);
    EXPECT_EQ(Probe(u, 1, 1), kRed) << "the resize button's corner";
    EXPECT_EQ(Probe(u, 8, 10), kClient[0]);
    MoveTo(u, 45, 10);
    EXPECT_EQ(Probe(u, 38, 10), kClient[1]) << "the hot button from the record's active face";
}

} // namespace
} // namespace vd::test
