// Keys, wheel and mouse: navigation tables, range selection, timed scrolling while dragging,
// column sizing by the line in the header.
#include "../../../platform/vcl/KeyScript.h"
#include "GridFixture.h"

namespace vd::test {
namespace {

class GridInputTest : public GridTest {
protected:
    // 6 columns of 64 and 20 rows of 20 in 200 x 100: columns 1-2 and rows 1-3 fully in view.
    void Make(TGridOptions options) {
        Grid = MakeGrid({0, 0, 200, 100}, 6, 20, options);
        Grid->OnClick = [this](TObject*) { ++Clicks; };
        Show();
        Grid->SetFocus();
        Pump();
    }
    void Keys(const std::string& script) {
        TypeKeys(hb, script);
        Pump();
    }
    TskSkinStringGrid* Grid = nullptr;
    int Clicks = 0;
};

constexpr TGridOptions kLines = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;

TEST_F(GridInputTest, KeysMoveTheCurrentCellAndTheTopLeft) {
    struct Case {
        TGridOptions Options;
        const char* Keys;
        TGridCoord Current, Anchor, TopLeft;
    };
    const Case cases[] = {
        {kLines, "{Right}{Right}{Down}", {3, 2}, {3, 2}, {2, 1}},
        {kLines, "{End}", {5, 1}, {5, 1}, {4, 1}},
        {kLines, "{C-End}", {5, 19}, {5, 19}, {4, 17}},
        {kLines, "{C-End}{C-Home}", {1, 1}, {1, 1}, {1, 1}},
        {kLines, "{PgDn}", {1, 3}, {1, 3}, {1, 3}},
        {kLines, "{C-Down}{C-Down}", {1, 1}, {1, 1}, {1, 3}},
        {kLines | goTabs, "{Tab}{Tab}{Tab}{Tab}{Tab}", {1, 2}, {1, 2}, {1, 1}},
        {kLines | goTabs, "{S-Tab}", {5, 19}, {5, 19}, {4, 17}},
        {kLines, "{Up}{Left}", {1, 1}, {1, 1}, {1, 1}},
        // Without range select Shift moves the anchor too; with it the anchor stays.
        {kLines, "{S-Down}{S-Right}", {2, 2}, {2, 2}, {1, 1}},
        {kLines | goRangeSelect, "{S-Down}{S-Right}", {2, 2}, {1, 1}, {1, 1}},
        // Whole rows: Left and Right scroll, Home and End go to the first and the last row.
        {kLines | goRowSelect, "{Right}{Right}", {1, 1}, {5, 1}, {3, 1}},
        {kLines | goRowSelect, "{End}", {1, 19}, {5, 19}, {1, 17}},
        {kLines | goRowSelect, "{End}{Home}", {1, 1}, {5, 1}, {1, 1}},
        {kLines | goRowSelect | goRangeSelect, "{S-Down}{S-Down}", {1, 3}, {5, 1}, {1, 1}},
        {kLines | goRowSelect | goRangeSelect, "{Down}{Down}", {1, 3}, {5, 3}, {1, 1}},
    };
    for (const Case& c : cases) {
        Clicks = 0;
        Grid = nullptr;
        while (Form->ComponentCount() > 0)
            delete Form->Components(0);
        Make(c.Options);
        Keys(c.Keys);
        EXPECT_EQ(Grid->Current(), c.Current) << c.Keys << " options " << c.Options;
        EXPECT_EQ(Grid->Anchor(), c.Anchor) << c.Keys << " options " << c.Options;
        EXPECT_EQ(Grid->TopLeft(), c.TopLeft) << c.Keys << " options " << c.Options;
    }
}

TEST_F(GridInputTest, TheWheelMovesTheRowButNeverIntoTheHeader) {
    Make(kLines | goRowSelect);
    const TPoint p = At(Grid, 100, 50);
    hb->Wheel(-120, p);
    Pump();
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Clicks, 1);
    for (int i = 0; i < 4; ++i)
        hb->Wheel(120, p);
    Pump();
    EXPECT_EQ(Grid->Row(), 1);
    Keys("{End}");
    hb->Wheel(-120, p);
    Pump();
    EXPECT_EQ(Grid->Row(), 19);
}

TEST_F(GridInputTest, AClickSelectsTheRowAndFiresOnClickOnce) {
    Make(goRowSelect);
    hb->Click(RawButton::Left, At(Grid, 100, 50)); // row 2
    Pump();
    EXPECT_EQ(Grid->GetSelectionRect().Top, 2);
    EXPECT_EQ(Clicks, 1);
    // A click in the header selects nothing.
    hb->Click(RawButton::Left, At(Grid, 100, 5));
    Pump();
    EXPECT_EQ(Grid->GetSelectionRect().Top, 2);
}

TEST_F(GridInputTest, DraggingBelowTheLastRowScrollsOneRowEverySixtyMilliseconds) {
    Make(kLines | goRowSelect | goRangeSelect);
    hb->ButtonDown(RawButton::Left, At(Grid, 100, 30)); // row 1
    Pump();
    hb->MouseMove(At(Grid, 100, 140)); // below the grid
    Pump();
    const int anchor = Grid->Anchor().Y;
    for (int i = 1; i <= 3; ++i) {
        hb->Advance(60);
        Pump();
        EXPECT_EQ(Grid->Anchor().Y, anchor + i);
    }
    EXPECT_EQ(Grid->Current().Y, 1);
    EXPECT_EQ(Grid->TopRow(), Grid->Anchor().Y - 2) << "the anchor row is scrolled into view";
    hb->ButtonUp(RawButton::Left, At(Grid, 100, 140));
    Pump();
    const int end = Grid->Anchor().Y;
    hb->Advance(600);
    Pump();
    EXPECT_EQ(Grid->Anchor().Y, end) << "the timer ends with the drag";
    EXPECT_EQ(Grid->GridState(), gsNormal);
}

TEST_F(GridInputTest, TheColumnLineInTheHeaderSizesTheColumn) {
    Make(kLines | goColSizing);
    // The line after column 1 lies at 65 + 64 = 129: hit from 3 before to 4 after.
    const TGridLayout l = Grid->CalcLayout();
    struct Case {
        int X;
        bool Hit;
    };
    for (const Case c :
         {Case{125, false}, Case{126, true}, Case{129, true}, Case{133, true}, Case{134, false}}) {
        const auto hit = Grid->FindSizingEdge(c.X, 5, l);
        EXPECT_EQ(hit.State == gsColSizing, c.Hit) << c.X;
        if (c.Hit) {
            EXPECT_EQ(hit.Index, 1);
        }
    }
    EXPECT_EQ(Grid->FindSizingEdge(129, 50, l).State, gsNormal) << "only on the fixed rows";
    hb->ButtonDown(RawButton::Left, At(Grid, 130, 5));
    Pump();
    EXPECT_EQ(Grid->GridState(), gsColSizing);
    hb->MouseMove(At(Grid, 100, 5));
    hb->ButtonUp(RawButton::Left, At(Grid, 100, 5));
    Pump();
    EXPECT_EQ(Grid->GetColWidths(1), 34);
    // Released at a width of one pixel or less: unchanged.
    hb->ButtonDown(RawButton::Left, At(Grid, 99, 5));
    hb->MouseMove(At(Grid, 66, 5));
    hb->ButtonUp(RawButton::Left, At(Grid, 66, 5));
    Pump();
    EXPECT_EQ(Grid->GetColWidths(1), 34);
    EXPECT_EQ(Grid->GridState(), gsNormal);
}

TEST_F(GridInputTest, TheSizingLineIsInvertedOnTheWindowAndFollowsTheMouse) {
    Make(kLines | goColSizing);
    // The grid's pixels at x below the header, after the queued paints.
    auto column = [&](int x) {
        Pump();
        std::vector<COLORREF> out;
        for (int y = 30; y < 90; ++y)
            out.push_back(GetWindowPixel(Grid->Handle(), x, y));
        return out;
    };
    const std::vector<COLORREF> at129 = column(129), at99 = column(99);
    hb->ButtonDown(RawButton::Left, At(Grid, 130, 5));
    Pump();
    ASSERT_EQ(Grid->GridState(), gsColSizing);
    EXPECT_NE(column(129), at129) << "drawn on the line that was hit";
    hb->MouseMove(At(Grid, 100, 5));
    Pump();
    EXPECT_EQ(column(129), at129) << "drawn again where it was, it is gone";
    EXPECT_NE(column(99), at99) << "kept one pixel left of the mouse, as it was hit";
    hb->ButtonUp(RawButton::Left, At(Grid, 100, 5));
    Pump();
}

TEST_F(GridInputTest, CancelModeEndsADrag) {
    Make(kLines | goRangeSelect);
    hb->ButtonDown(RawButton::Left, At(Grid, 100, 30));
    Pump();
    EXPECT_EQ(Grid->GridState(), gsSelecting);
    SendMessage(Grid->Handle(), WM_CANCELMODE, 0, 0);
    EXPECT_EQ(Grid->GridState(), gsNormal);
    hb->ButtonUp(RawButton::Left, At(Grid, 100, 30));
    Pump();
}

TEST_F(GridInputTest, DraggingAHeaderCellMovesItsColumnOrRow) {
    Make(kLines | goColMoving | goRowMoving);
    Grid->SetCellText(1, 1, "col1");
    Grid->SetCellText(3, 3, "row3");
    int moved = 0;
    Grid->OnColumnMoved = [&](TObject*, int from, int to) { moved = from * 10 + to; };
    // Column 1's header, dropped over column 2.
    hb->ButtonDown(RawButton::Left, At(Grid, 90, 5));
    Pump();
    EXPECT_EQ(Grid->GridState(), gsColMoving);
    hb->MouseMove(At(Grid, 150, 50));
    Pump();
    hb->ButtonUp(RawButton::Left, At(Grid, 150, 50));
    Pump();
    EXPECT_EQ(moved, 12);
    EXPECT_EQ(Grid->GetCellText(2, 1), "col1");
    EXPECT_EQ(Grid->GetCellText(1, 1), "");
    // Row 3's header cell, dropped over row 1.
    hb->ButtonDown(RawButton::Left, At(Grid, 30, 70));
    Pump();
    EXPECT_EQ(Grid->GridState(), gsRowMoving);
    hb->MouseMove(At(Grid, 100, 30));
    hb->ButtonUp(RawButton::Left, At(Grid, 100, 30));
    Pump();
    EXPECT_EQ(Grid->GetCellText(3, 1), "row3");
    EXPECT_EQ(Grid->GridState(), gsNormal);
}

TEST_F(GridInputTest, ShiftClickSpansARangeAndOnSelectCellCanRefuse) {
    Make(kLines | goRangeSelect);
    hb->Click(RawButton::Left, At(Grid, 90, 30)); // (1, 1)
    Pump();
    hb->KeyDown(VK_SHIFT);
    hb->Click(RawButton::Left, At(Grid, 150, 70)); // (2, 3)
    hb->KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(Grid->GetSelectionRect(), (TGridRect{1, 1, 2, 3}));
    Grid->OnSelectCell = [](TObject*, int col, int, bool& can) { can = col != 2; };
    hb->Click(RawButton::Left, At(Grid, 150, 30)); // (2, 1): refused
    Pump();
    EXPECT_EQ(Grid->Current(), (TGridCoord{1, 1}));
    int topLeftChanges = 0;
    Grid->OnTopLeftChanged = [&](TObject*) { ++topLeftChanges; };
    Keys("{C-Down}");
    EXPECT_EQ(topLeftChanges, 1);
}

} // namespace
} // namespace vd::test
