// Scrolling through the external skinned bars: ranges, positions, paging, hidden rows, the pixel
// mode of a single column, and a grid whose cells all fit.
#include "GridFixture.h"

namespace vd::test {
namespace {

class GridScrollTest : public GridTest {
protected:
    // Like the program's stream list: whole rows, no lines, rows of 20 pixels, 4 rows below the
    // header in view.
    void MakeList(int rows) {
        Grid = MakeGrid({0, 0, 200, 100}, 2, rows, goRowSelect);
        Grid->SetFixedCols(0);
        VBar = MakeBar(sbVertical, {200, 0, 219, 100});
        Grid->SetVScrollBar(VBar);
        Show();
    }
    TskSkinStringGrid* Grid = nullptr;
    TskSkinScrollBar* VBar = nullptr;
};

TEST_F(GridScrollTest, TheBarShowsWhenRowsOverflowAndRunsZeroTo127) {
    MakeList(50);
    EXPECT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->Min(), 0);
    EXPECT_EQ(VBar->Max(), 127);
    EXPECT_EQ(VBar->Position(), 0);
    EXPECT_EQ(VBar->SmallChange(), 127 / (50 - 4 - 1));
    // The thumb at the end: the last row fully in view.
    Scroll(Grid, false, SB_THUMBPOSITION, 127);
    EXPECT_EQ(Grid->TopRow(), 46);
    EXPECT_EQ(Grid->CellBounds(0, 49).Bottom, 100);
    EXPECT_EQ(VBar->Position(), 127);
    Scroll(Grid, false, SB_TOP);
    EXPECT_EQ(Grid->TopRow(), 1);
    // Page down: the fully visible rows minus one.
    Scroll(Grid, false, SB_PAGEDOWN);
    EXPECT_EQ(Grid->TopRow(), 4);
    EXPECT_EQ(VBar->Position(), MulDiv(3, 127, 45));
    Scroll(Grid, false, SB_PAGEUP);
    EXPECT_EQ(Grid->TopRow(), 1);
    Scroll(Grid, false, SB_BOTTOM);
    EXPECT_EQ(Grid->TopRow(), 46);
    Scroll(Grid, false, SB_LINEDOWN);
    EXPECT_EQ(Grid->TopRow(), 46) << "never past the last full page";
    // The bar's own buttons and pages reach the grid.
    VBar->OnDownButtonClick(VBar);
    Pump();
    EXPECT_EQ(Grid->TopRow(), 45);
    VBar->OnPageUp(VBar);
    Pump();
    EXPECT_EQ(Grid->TopRow(), 42);
}

// The grid sets its bar's range on every paint of its own: cells that change each tick must not
// repaint a bar that looks the same. Black painted over the bar stays through grid repaints.
TEST_F(GridScrollTest, AGridRepaintLeavesAnUnchangedBarAlone) {
    MakeList(50);
    ASSERT_TRUE(VBar->Visible());
    Pump();
    auto blackBar = [&] {
        HDC dc = GetDC(VBar->Handle());
        PatBlt(dc, 0, 0, VBar->Width(), VBar->Height(), BLACKNESS);
        ReleaseDC(VBar->Handle(), dc);
    };
    auto barPixel = [&] {
        Pump();
        const TPoint p = Form->ScreenToClient(VBar->ClientToScreen({VBar->Width() / 2, VBar->Height() / 2}));
        return TColor(GetWindowPixel(Form->Handle(), p.X, p.Y));
    };
    blackBar();
    for (int i = 0; i < 3; ++i) {
        Grid->SetCellText(1, 2, "tick " + std::to_string(i));
        Grid->Invalidate();
        Pump();
    }
    EXPECT_EQ(barPixel(), clBlack) << "the bar was painted again";
    Scroll(Grid, false, SB_PAGEDOWN);
    EXPECT_NE(barPixel(), clBlack) << "a scrolled grid moves the thumb";
}

TEST_F(GridScrollTest, LineStepsSkipRowsOfHeightZero) {
    MakeList(50);
    Grid->SetRowHeights(2, 0);
    Grid->SetRowHeights(3, 0);
    Scroll(Grid, false, SB_LINEDOWN);
    EXPECT_EQ(Grid->TopRow(), 4);
    Scroll(Grid, false, SB_LINEUP);
    EXPECT_EQ(Grid->TopRow(), 1);
}

TEST_F(GridScrollTest, ShrinkingUntilEverythingFitsHidesTheBarAndResetsTheTopRow) {
    MakeList(50);
    Scroll(Grid, false, SB_BOTTOM);
    Grid->SetRowCount(3);
    Pump();
    EXPECT_EQ(Grid->TopRow(), 1);
    EXPECT_FALSE(VBar->Visible());
    Grid->SetRowCount(40);
    Pump();
    EXPECT_TRUE(VBar->Visible());
}

TEST_F(GridScrollTest, AGridWhoseCellsAllFitLeavesBothBarsAtTheirMinimum) {
    Grid = MakeGrid({0, 0, 300, 200}, 3, 3, goFixedVertLine | goFixedHorzLine);
    VBar = MakeBar(sbVertical, {300, 0, 319, 200});
    auto* hbar = MakeBar(sbHorizontal, {0, 200, 300, 219});
    hbar->SetRange({.Min = 0, .Max = 10, .Position = 7, .PageSize = 0});
    Grid->SetVScrollBar(VBar);
    Grid->SetHScrollBar(hbar);
    Show();
    // Nothing scrolls: the bars' ranges are empty and a zero divisor gives the minimum.
    Grid->UpdateScrollBars(true);
    EXPECT_EQ(VBar->Position(), 0);
    EXPECT_EQ(hbar->Position(), 0);
    EXPECT_FALSE(VBar->Visible());
    EXPECT_FALSE(hbar->Visible());
    EXPECT_FALSE(hbar->Both());
    Scroll(Grid, false, SB_THUMBPOSITION, 127);
    Scroll(Grid, true, SB_PAGEDOWN);
    EXPECT_EQ(Grid->TopLeft(), (TGridCoord{1, 1}));
    // Rows past the height: the vertical bar shows and the horizontal one marks the corner.
    Grid->SetRowCount(30);
    Pump();
    EXPECT_TRUE(VBar->Visible());
    EXPECT_TRUE(hbar->Both());
}

TEST_F(GridScrollTest, OneWideColumnScrollsByPixels) {
    Grid = MakeGrid({0, 0, 200, 100}, 1, 3, goRowSelect);
    Grid->SetColWidths(0, 500);
    auto* hbar = MakeBar(sbHorizontal, {0, 100, 200, 119});
    Grid->SetHScrollBar(hbar);
    Show();
    EXPECT_TRUE(hbar->Visible());
    EXPECT_EQ(hbar->Max(), 300);
    Scroll(Grid, true, SB_LINEDOWN);
    const int zero = Grid->Canvas().TextWidth("0");
    EXPECT_GT(zero, 0);
    EXPECT_EQ(Grid->ColOffset(), zero);
    EXPECT_EQ(hbar->Position(), zero);
    Scroll(Grid, true, SB_THUMBPOSITION, 1000);
    EXPECT_EQ(Grid->ColOffset(), 300) << "clamped to the column's end";
    Scroll(Grid, true, SB_BOTTOM);
    EXPECT_EQ(Grid->ColOffset(), 0);
}

TEST_F(GridScrollTest, AFreedBarIsForgotten) {
    MakeList(50);
    delete VBar;
    EXPECT_EQ(Grid->VScrollBar(), nullptr);
    Grid->SetRowCount(60);
    Scroll(Grid, false, SB_PAGEDOWN);
    EXPECT_EQ(Grid->TopRow(), 4);
}

TEST_F(GridScrollTest, BarsOutlivingTheirGridNoLongerCallIt) {
    MakeList(50);
    auto* other = MakeBar(sbVertical, {250, 0, 269, 100});
    Grid->SetVScrollBar(other);
    EXPECT_FALSE(VBar->OnPageDown) << "a replaced bar is let go";
    delete Grid;
    Grid = nullptr;
    EXPECT_FALSE(other->OnPageDown);
    EXPECT_FALSE(other->OnLastChange);
    other->SetPosition(40);
    Pump();
}

} // namespace
} // namespace vd::test
