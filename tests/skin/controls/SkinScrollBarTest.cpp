#include "skin/controls/SkinScrollBar.h"
#include "SkinFixture.h"

#include <functional>

namespace vd::test {
namespace {

class ScrollBars : public SkinTest {
protected:
    TskSkinScrollBar* Bar(TRect r = {10, 10, 210, 29}) {
        auto* b = new TskSkinScrollBar(Form);
        b->SetParent(Form);
        b->SetBoundsRect(r);
        b->OnChange = [this](TObject*) { ++Changes; };
        return b;
    }
    int Changes = 0;
};

TEST_F(ScrollBars, PlainGeometryWithTheCornerMarker) {
    auto* b = Bar();
    b->SetBoth(true);
    b->CalcRects();
    EXPECT_EQ(b->PartAt(TskSkinScrollBar::ptDown).R, (TRect{1, 1, 17, 18}));
    EXPECT_EQ(b->TrackRect(), (TRect{17, 1, 164, 18}));
    EXPECT_EQ(b->PartAt(TskSkinScrollBar::ptUp).R, (TRect{164, 1, 180, 18}));
}

TEST_F(ScrollBars, WritersKeepThePositionInRange) {
    struct Case {
        const char* What;
        TScrollRange Start;
        std::function<void(TskSkinScrollBar*)> Do;
        int Position, PageSize;
    };
    const Case cases[] = {
        {"SetRange clamps to the last page", {0, 99, 95, 10}, [](auto*) {}, 90, 10},
        {"Max rewritten keeps a valid position", {10, 100, 81, 20}, [](auto* b) { b->SetMax(100); }, 81, 20},
        {"Max lowered moves to the last page", {10, 100, 81, 20}, [](auto* b) { b->SetMax(90); }, 71, 20},
        {"a page that fits after the position is taken",
         {10, 100, 81, 20},
         [](auto* b) { b->SetPageSize(15); },
         81,
         15},
        {"a page that does not fit is refused",
         {10, 100, 81, 20},
         [](auto* b) { b->SetPageSize(25); },
         81,
         20},
        {"a page larger than the range never goes below Min",
         {0, 9, 5, 20},
         [](auto* b) { b->SetPosition(7); },
         0,
         20},
        {"SetRange with a large page", {0, 9, 5, 20}, [](auto*) {}, 0, 20},
        {"Min raises the position", {0, 100, 5, 0}, [](auto* b) { b->SetMin(30); }, 30, 0},
        {"without a page the position stops at Max",
         {0, 100, 5, 0},
         [](auto* b) { b->SetPosition(500); },
         100,
         0},
    };
    for (const Case& c : cases) {
        auto* b = Bar();
        b->SetRange(c.Start);
        c.Do(b);
        EXPECT_EQ(b->Position(), c.Position) << c.What;
        EXPECT_EQ(b->PageSize(), c.PageSize) << c.What;
        b->Free();
    }
}

TEST_F(ScrollBars, OnChangeOnlyWhenThePositionChanges) {
    auto* b = Bar();
    b->SetRange({.Min = 0, .Max = 99, .Position = 95, .PageSize = 10});
    EXPECT_EQ(Changes, 0);
    b->SetPosition(95);
    EXPECT_EQ(Changes, 0) << "clamps to 90, the position it already has";
    b->SetPosition(3);
    EXPECT_EQ(Changes, 1);
    b->SimpleSetPosition(9);
    EXPECT_EQ(Changes, 1);
}

TEST_F(ScrollBars, ThumbNeverLongerThanTheTrack) {
    auto* b = Bar({10, 10, 60, 29}); // a track of 14 pixels
    b->SetRange({.Min = 0, .Max = 9, .Position = 0, .PageSize = 20});
    b->CalcRects();
    const TRect t = b->PartAt(TskSkinScrollBar::ptThumb).R;
    EXPECT_LE(t.Width(), b->TrackRect().Width());
    EXPECT_GE(t.Left, b->TrackRect().Left);
    EXPECT_LE(t.Right, b->TrackRect().Right);
    EXPECT_EQ(b->OffsetToPosition(100), 0) << "an empty span maps to Min";
}

TEST_F(ScrollBars, ButtonRepeatsAfter500ThenEvery50) {
    auto* b = Bar();
    Show();
    hb->SetAutoAdvance(false);
    hb->ButtonDown(RawButton::Left, At(b, 190, 9)); // the up button
    Pump();
    EXPECT_EQ(b->Position(), 1);
    hb->Advance(499);
    Pump();
    EXPECT_EQ(b->Position(), 1);
    hb->Advance(1);
    Pump();
    EXPECT_EQ(b->Position(), 1) << "the first tick only changes the rate";
    hb->Advance(50);
    Pump();
    EXPECT_EQ(b->Position(), 2);
    for (int i = 0; i < 2; ++i) {
        hb->Advance(50);
        Pump();
    }
    EXPECT_EQ(b->Position(), 4);
    hb->ButtonUp(RawButton::Left, At(b, 190, 9));
    hb->Advance(200);
    Pump();
    EXPECT_EQ(b->Position(), 4);
}

TEST_F(ScrollBars, PagingStopsAtTheThumbAndDragMovesThePosition) {
    auto* b = Bar();
    b->SetLargeChange(10);
    int lastChanges = 0, downs = 0;
    b->OnLastChange = [&](TObject*) { ++lastChanges; };
    b->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    Show();
    hb->SetAutoAdvance(false);
    hb->MouseMove(At(b, 60, 9));
    hb->ButtonDown(RawButton::Left, At(b, 60, 9));
    for (int i = 0; i < 40; ++i) {
        hb->Advance(50);
        Pump();
    }
    hb->ButtonUp(RawButton::Left, At(b, 60, 9));
    Pump();
    b->CalcRects();
    const TRect t = b->PartAt(TskSkinScrollBar::ptThumb).R;
    EXPECT_GT(b->Position(), 10);
    EXPECT_GE(t.Right, 60) << "paging stopped once the thumb reached the mouse";
    EXPECT_LT(t.Left, 60 + 1);
    EXPECT_EQ(lastChanges, 0) << "only a thumb release";
    const int before = b->Position();
    const TPoint grab = At(b, (t.Left + t.Right) / 2, 9);
    hb->ButtonDown(RawButton::Left, grab);
    hb->MouseMove({grab.X + 40, grab.Y});
    Pump();
    EXPECT_GT(b->Position(), before);
    hb->ButtonUp(RawButton::Left, {grab.X + 40, grab.Y});
    Pump();
    EXPECT_EQ(lastChanges, 1);
    const int pos = b->Position();
    downs = 0;
    hb->Click(RawButton::Right, At(b, 190, 9));
    Pump();
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(b->Position(), pos) << "the right button only fires OnMouseDown";
}

TEST_F(ScrollBars, KeysAndWheelOnlyWhenFocusable) {
    auto* b = Bar();
    Show();
    b->SetFocus();
    Word key = VK_RIGHT;
    b->Perform(WM_KEYDOWN, key, 0);
    EXPECT_EQ(b->Position(), 0);
    b->SetCanFocused(true);
    b->SetFocus();
    b->Perform(WM_KEYDOWN, VK_RIGHT, 0);
    b->Perform(WM_KEYDOWN, VK_RIGHT, 0);
    b->Perform(WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(b->Position(), 1);
    b->Perform(WM_MOUSEWHEEL, WPARAM(std::uint32_t(-120) << 16), 0);
    EXPECT_EQ(b->Position(), 2);
}

TEST_F(ScrollBars, SkinnedFaceAndThumb) {
    auto* b = Bar({10, 10, 110, 29});
    b->SetSkinData(Skin);
    Show();
    EXPECT_EQ(b->Height(), 20) << "width-only face";
    b->CalcRects();
    EXPECT_EQ(b->TrackRect(), (TRect{4, 0, 96, 20}));
    EXPECT_EQ(Probe(b, 50, 2), kEdge[0]);
    const TRect t = b->PartAt(TskSkinScrollBar::ptThumb).R;
    EXPECT_EQ(t.Width(), 10);
    EXPECT_EQ(Probe(b, t.Left + 2, t.Top + 2), kThumb);
    hb->MouseMove(At(b, t.Left + 2, t.Top + 2));
    EXPECT_EQ(Probe(b, t.Left + 2, t.Top + 2), kActiveThumb);
}

// Grids set the range, steps and position on every paint of theirs: a bar whose look did not
// change must not paint again. Black painted over the bar stays until something visible changes.
TEST_F(ScrollBars, OnlyAVisibleChangeRepaints) {
    struct Case {
        const char* What;
        std::function<void(TskSkinScrollBar*)> Do;
        bool Repaints;
    };
    const Case cases[] = {
        {"the same range",
         [](auto* b) { b->SetRange({.Min = 0, .Max = 127, .Position = 40, .PageSize = 0}); }, false},
        {"the steps", [](auto* b) { b->SetSmallChange(9), b->SetLargeChange(30); }, false},
        {"the same position", [](auto* b) { b->SimpleSetPosition(40); }, false},
        {"the same bounds", [](auto* b) { b->SetMin(0), b->SetMax(127), b->SetPageSize(0); }, false},
        {"another position", [](auto* b) { b->SimpleSetPosition(90); }, true},
        {"another range", [](auto* b) { b->SetRange({.Min = 0, .Max = 60, .Position = 40, .PageSize = 0}); },
         true},
        {"another maximum", [](auto* b) { b->SetMax(300); }, true},
        {"another page", [](auto* b) { b->SetPageSize(20); }, true},
    };
    for (const Case& c : cases) {
        for (bool skinned : {false, true}) {
            auto* b = Bar({10, 40, 210, 59});
            if (skinned) b->SetSkinData(Skin);
            b->SetRange({.Min = 0, .Max = 127, .Position = 40, .PageSize = 0});
            Show();
            Pump();
            {
                HDC dc = GetDC(b->Handle());
                PatBlt(dc, 0, 0, b->Width(), b->Height(), BLACKNESS);
                ReleaseDC(b->Handle(), dc);
            }
            c.Do(b);
            const TRect t = b->PartAt(TskSkinScrollBar::ptThumb).R;
            const bool painted = Probe(b, t.Left + t.Width() / 2, t.Top + t.Height() / 2) != clBlack ||
                                 Probe(b, b->Width() / 2, 2) != clBlack;
            EXPECT_EQ(painted, c.Repaints) << c.What << (skinned ? " (skinned)" : " (plain)");
            b->Free();
        }
    }
}

// Faces are composed once per size and state; a new size, another state or a new skin load makes
// them again, so the bar never shows the pictures of a skin that is gone.
TEST_F(ScrollBars, FacesAreKeptPerSizeStateAndSkinLoad) {
    auto* b = Bar({10, 10, 110, 29});
    b->SetSkinData(Skin);
    b->SetRange({.Min = 0, .Max = 100, .Position = 0, .PageSize = 0});
    Show();
    const unsigned first = b->FaceCompositions();
    EXPECT_EQ(first, 2u) << "the track and the thumb";
    for (int p : {10, 20, 30}) {
        b->SimpleSetPosition(p);
        Pump();
    }
    b->Invalidate();
    Pump();
    EXPECT_EQ(b->FaceCompositions(), first) << "moving the thumb composes nothing";
    b->CalcRects();
    const TRect moved = b->PartAt(TskSkinScrollBar::ptThumb).R;
    EXPECT_EQ(Probe(b, moved.Left + 2, moved.Top + 2), kThumb);

    b->SetBounds(10, 10, 150, 20);
    Pump();
    EXPECT_EQ(b->FaceCompositions(), first + 1) << "a new track; the thumb keeps its size";
    b->CalcRects();
    const TRect t = b->PartAt(TskSkinScrollBar::ptThumb).R;

    hb->MouseMove(At(b, t.Left + 2, t.Top + 2));
    EXPECT_EQ(Probe(b, t.Left + 2, t.Top + 2), kActiveThumb);
    const unsigned hot = b->FaceCompositions();
    EXPECT_EQ(hot, first + 2) << "the hot face";

    Skin->LoadStoredSkin(Stored.get());
    b->Invalidate();
    Pump();
    EXPECT_GT(b->FaceCompositions(), hot) << "a load makes every face again";
    EXPECT_EQ(Probe(b, t.Left + 2, t.Top + 2), kActiveThumb);
}

TEST_F(ScrollBars, AssignedButtonEventReplacesTheStep) {
    auto* b = Bar();
    int ups = 0;
    b->OnUpButtonClick = [&](TObject*) { ++ups; };
    Show();
    hb->SetAutoAdvance(false);
    hb->ButtonDown(RawButton::Left, At(b, 190, 9));
    Pump();
    for (int i = 0; i < 3; ++i) {
        hb->Advance(i == 0 ? 500 : 50);
        Pump();
    }
    hb->ButtonUp(RawButton::Left, At(b, 190, 9));
    Pump();
    EXPECT_EQ(ups, 3) << "the press and two ticks after the rate change";
    EXPECT_EQ(b->Position(), 0);
}

TEST_F(ScrollBars, BothSwitchesTheRecordAndBack) {
    auto* b = Bar();
    b->SetSkinData(Skin);
    b->SetBoth(true);
    EXPECT_EQ(b->SkinDataName(), "bothhscrollbar");
    EXPECT_FALSE(b->Skinned()) << "the test skin has no corner record";
    b->SetBoth(false);
    EXPECT_EQ(b->SkinDataName(), "hscrollbar");
    EXPECT_TRUE(b->Skinned());
    b->SetBothMarkerWidth(-3);
    EXPECT_EQ(b->BothMarkerWidth(), 19);
}

} // namespace
} // namespace vd::test
