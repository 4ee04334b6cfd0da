// Grid layout, cell geometry, current cell and selection, size and order changes.
#include "GridFixture.h"

namespace vd::test {
namespace {

constexpr TGridOptions kDefaultOptions =
    goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;

TEST_F(GridTest, ANewGridIsFiveByFiveWithOneFixedColumnAndRow) {
    auto* g = new TskSkinStringGrid(Form);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_EQ(g->Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(g->Anchor(), (TGridCoord{1, 1}));
    EXPECT_FALSE(g->HasColWidths());
    EXPECT_FALSE(g->HasRowHeights());
    EXPECT_EQ(g->GetColWidths(3), 64);
    EXPECT_EQ(g->GetRowHeights(3), 20);
    EXPECT_EQ(g->Width(), 320);
    EXPECT_EQ(g->Height(), 100);
    EXPECT_EQ(g->Options(), kDefaultOptions);
    EXPECT_EQ(g->SkinDataName(), "grid");
    // Extents past the count: the default to read, an error to write.
    EXPECT_EQ(g->GetColWidths(5), 64);
    try {
        g->SetColWidths(5, 10);
        ADD_FAILURE();
    } catch (const skEInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), "Grid index out of range");
    }
    EXPECT_THROW(g->SetRowHeights(5, 10), skEInvalidGridOperation);
}

TEST_F(GridTest, LayoutCountsFixedCellsLinesAndTheLastFullCell) {
    auto* g = MakeGrid({0, 0, 200, 100}, 5, 5, kDefaultOptions);
    const TGridLayout l = g->CalcLayout();
    EXPECT_EQ(l.Horz.LineWidth, 1);
    EXPECT_EQ(l.Horz.FixedEnd, 65);
    EXPECT_EQ(l.Horz.LastFullCell, 2);
    EXPECT_EQ(l.Horz.FullCellsEnd, 195);
    EXPECT_EQ(l.Horz.GridEnd, 200) << "a partly visible cell ends the grid at the client edge";
    EXPECT_EQ(l.Vert.FixedEnd, 21);
    EXPECT_EQ(l.Vert.LastFullCell, 3);
    EXPECT_EQ(l.Vert.GridEnd, 100);
    EXPECT_EQ(l.Vert.FullCellsEnd, 84);
    // The last column shows fully from column 3 on, the last row from row 2 on.
    EXPECT_EQ(g->MaxTopLeftFor({4, 4}, l), (TGridCoord{3, 2}));
    // Without line options there are no line widths.
    g->SetOptions(goRowSelect);
    EXPECT_EQ(g->CalcLayout().Horz.LineWidth, 0);
    EXPECT_EQ(g->CalcLayout().Horz.FixedEnd, 64);
}

TEST_F(GridTest, CellsAtPointsAndRectanglesOfRanges) {
    auto* g = MakeGrid({0, 0, 200, 100}, 5, 5, kDefaultOptions);
    struct Case {
        int X, Y;
        TGridCoord Cell;
    };
    const Case cases[] = {{0, 0, {0, 0}},    {64, 20, {0, 0}},  {65, 21, {1, 1}},   {129, 41, {1, 1}},
                          {130, 42, {2, 2}}, {199, 99, {3, 4}}, {150, 110, {2, -1}}};
    for (const Case& c : cases)
        EXPECT_EQ(g->CellAtPoint(c.X, c.Y), c.Cell) << c.X << "," << c.Y;
    EXPECT_EQ(g->CellBounds(1, 1), (TRect{65, 21, 129, 41}));
    EXPECT_EQ(g->CellBounds(0, 0), (TRect{0, 0, 64, 20}));
    EXPECT_EQ(g->CellRangeRect({1, 1, 2, 2}, true), (TRect{65, 21, 195, 63}));
    // A range past the last full column ends at the client edge.
    EXPECT_EQ(g->CellRangeRect({1, 1, 4, 1}, false), (TRect{65, 21, 200, 41}));
    EXPECT_EQ(g->CellRangeRect({2, 1, 1, 1}, false), (TRect{})) << "an inverted range is empty";
    g->SetTopLeft(2, 1);
    EXPECT_EQ(g->CellBounds(1, 1), (TRect{})) << "a column scrolled away has no rectangle";
    EXPECT_EQ(g->CellAtPoint(70, 30), (TGridCoord{2, 1}));
}

TEST_F(GridTest, SelectionFollowsTheAnchorRules) {
    auto* g = MakeGrid({0, 0, 300, 200}, 6, 8, kDefaultOptions);
    g->MoveCurrentCell(3, 4, false, false);
    EXPECT_EQ(g->GetSelectionRect(), (TGridRect{1, 1, 3, 4})) << "range select: the anchor stays";
    g->MoveCurrentCell(2, 2, true, false);
    EXPECT_EQ(g->GetSelectionRect(), (TGridRect{2, 2, 2, 2}));
    g->SetOptions(goFixedVertLine);
    g->MoveCurrentCell(4, 5, false, false);
    EXPECT_EQ(g->GetSelectionRect(), (TGridRect{4, 5, 4, 5})) << "no range select: the anchor follows";
    // Whole rows: from FixedCols to the last column, Top the selected row.
    g->SetOptions(goRowSelect | goRangeSelect);
    g->MoveCurrentCell(3, 6, true, false);
    EXPECT_EQ(g->GetSelectionRect(), (TGridRect{1, 6, 5, 6}));
    g->MoveCurrentCell(4, 3, false, false);
    EXPECT_EQ(g->GetSelectionRect(), (TGridRect{1, 3, 5, 6}));
    EXPECT_EQ(g->Current().X, 1);
    EXPECT_THROW(g->MoveCurrentCell(6, 1, true, false), skEInvalidGridOperation);
    EXPECT_THROW(g->MoveCurrentCell(1, -1, true, false), skEInvalidGridOperation);
}

TEST_F(GridTest, CountsClipTheFixedCountsAndTheCurrentCell) {
    auto* g = MakeGrid({0, 0, 300, 200}, 5, 5, kDefaultOptions);
    g->MoveCurrentCell(4, 4, true, false);
    g->SetColCount(0);
    EXPECT_EQ(g->ColCount(), 1);
    EXPECT_EQ(g->FixedCols(), 0);
    EXPECT_EQ(g->Current().X, 0);
    g->SetColCount(4);
    g->SetFixedCols(3);
    g->SetColCount(3);
    EXPECT_EQ(g->FixedCols(), 2);
    g->SetRowCount(2);
    EXPECT_EQ(g->Current().Y, 1);
    try {
        g->SetFixedRows(2);
        ADD_FAILURE();
    } catch (const skEInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), "Fixed row count must be less than row count");
    }
    try {
        g->SetFixedCols(3);
        ADD_FAILURE();
    } catch (const skEInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), "Fixed column count must be less than column count");
    }
    EXPECT_THROW(g->SetFixedCols(-1), skEInvalidGridOperation);
    EXPECT_THROW(g->SetRowCount(kMaxGridCells + 1), skEInvalidGridOperation);
}

TEST_F(GridTest, WidthsDefaultsMovesAndDeletes) {
    auto* g = MakeGrid({0, 0, 300, 200}, 3, 3, kDefaultOptions);
    g->SetColWidths(0, 10);
    g->SetColWidths(1, 20);
    g->SetColWidths(2, 30);
    g->SetColWidths(2, -5);
    EXPECT_EQ(g->GetColWidths(2), 0) << "a negative width hides the column";
    g->SetColWidths(2, 30);
    g->MoveColumn(0, 2);
    EXPECT_EQ(g->GetColWidths(0), 20);
    EXPECT_EQ(g->GetColWidths(1), 30);
    EXPECT_EQ(g->GetColWidths(2), 10);
    g->MoveColumn(2, 0);
    g->DeleteColumn(0);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->GetColWidths(0), 20);
    EXPECT_EQ(g->GetColWidths(1), 30);
    g->SetDefaultColWidth(40);
    EXPECT_FALSE(g->HasColWidths());
    EXPECT_EQ(g->GetColWidths(1), 40);
    // Moving remaps the current column and the cell texts go with their column.
    g->SetColCount(4);
    g->SetFixedCols(0);
    g->SetCellText(0, 1, "a");
    g->MoveCurrentCell(0, 1, true, false);
    g->MoveColumn(0, 3);
    EXPECT_EQ(g->Current().X, 3);
    EXPECT_EQ(g->GetCellText(3, 1), "a");
    g->MoveRow(1, 2);
    EXPECT_EQ(g->Current().Y, 2);
    EXPECT_EQ(g->GetCellText(3, 2), "a");
}

TEST_F(GridTest, AMoveTakesTheCurrentCellAlongOrClosesUpBehindIt) {
    struct Case {
        int From, To, Current, After;
    } const cases[] = {{1, 3, 1, 3}, {1, 3, 2, 1}, {1, 3, 3, 2}, {1, 3, 0, 0}, {1, 3, 4, 4},
                       {3, 1, 3, 1}, {3, 1, 1, 2}, {3, 1, 2, 3}, {3, 1, 4, 4}};
    auto* g = MakeGrid({0, 0, 300, 200}, 5, 5, kDefaultOptions);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    for (const Case& k : cases) {
        g->MoveCurrentCell(k.Current, k.Current, true, false);
        g->MoveColumn(k.From, k.To);
        g->MoveRow(k.From, k.To);
        const TGridCoord after{k.After, k.After};
        EXPECT_EQ(g->Current(), after) << k.From << " to " << k.To << " from " << k.Current;
        EXPECT_EQ(g->Anchor(), after) << k.From << " to " << k.To << " from " << k.Current;
    }
}

TEST_F(GridTest, AFailedResizePutsTheOldSizeBack) {
    auto* g = MakeGrid({0, 0, 300, 200}, 4, 6, kDefaultOptions);
    g->SetRowHeights(5, 33);
    g->MoveCurrentCell(3, 5, true, false);
    int calls = 0;
    g->ResizeFaultHook = [&] {
        if (++calls == 1) throw EOutOfMemory("Out of memory");
    };
    EXPECT_THROW(g->SetRowCount(3), EOutOfMemory);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->GetRowHeights(5), 33) << "the height array has its old count again";
    EXPECT_EQ(g->Current(), (TGridCoord{3, 5}));
    g->ResizeFaultHook = nullptr;
    g->SetRowCount(3);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Current(), (TGridCoord{3, 2}));
}

TEST_F(GridTest, ResizeAtInsertsAndRemovesCells) {
    auto* g = MakeGrid({0, 0, 300, 200}, 4, 6, kDefaultOptions);
    g->MoveCurrentCell(1, 4, true, false);
    g->ResizeAt(2, 2, true);
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->Current().Y, 6);
    g->ResizeAt(5, -2, true);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->Current().Y, 5) << "a current row inside the removed ones moves to the index";
    EXPECT_THROW(g->ResizeAt(5, -7, true), skEInvalidGridOperation);
}

} // namespace
} // namespace vd::test
