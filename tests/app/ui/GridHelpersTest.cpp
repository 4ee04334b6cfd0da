// Clearing the console's grids and spreading their columns.
#include "app/ui/GridHelpers.h"
#include "app/core/Log.h"
#include "skin/extra/grids/SkinDrawGrid.h"

#include "../../platform/vcl/VclFixture.h"

#include <vector>

namespace vd {
namespace {

class GridHelpersTest : public test::VclTest {
protected:
    TskSkinStringGrid* NewGrid(int cols, int rows) {
        TForm* form = NewForm({0, 0, 600, 400});
        auto* g = new TskSkinStringGrid(form);
        g->SetParent(form);
        g->SetBounds(0, 0, 401, 200);
        g->SetColCount(cols);
        g->SetRowCount(rows);
        g->SetFixedCols(0);
        g->SetFixedRows(1);
        g->SetDefaultRowHeight(18);
        return g;
    }
};

TEST_F(GridHelpersTest, ClearGridLeavesOneEmptyRow) {
    TskSkinStringGrid* g = NewGrid(2, 5);
    g->SetCellText(0, 0, "Time");
    g->SetCellText(0, 1, "a");
    g->SetCellText(1, 1, "b");
    g->SetCellText(1, 3, "c");
    ClearGrid(g);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->GetCellText(0, 0), "Time"); // the header stays
    EXPECT_EQ(g->GetCellText(0, 1), "");
    EXPECT_EQ(g->GetCellText(1, 1), "");
    ClearGrid(nullptr);
}

TEST_F(GridHelpersTest, SpreadsTheRoomOverTheColumnsWithAPercentage) {
    TskSkinStringGrid* g = NewGrid(3, 2);
    g->SetColWidths(1, 40);
    g->SetColWidths(2, 60);
    const std::vector<int> p = {100, 0, 0};
    AutoSizeGridColumns(g, p);
    // No scroll bar: room = 400; less 40 + 1 and 60 + 1; column 0 gets the rest less its line.
    EXPECT_EQ(g->GetColWidths(0), 400 - 41 - 61 - 1);
    EXPECT_EQ(g->GetColWidths(1), 40);

    const std::vector<int> half = {50, 50};
    AutoSizeGridColumns(g, half); // the third column is not in the list and keeps its width
    EXPECT_EQ(g->GetColWidths(0), 199);
    EXPECT_EQ(g->GetColWidths(1), 199);
    EXPECT_EQ(g->GetColWidths(2), 60);

    g->SetColWidths(1, 1000); // fixed columns wider than the grid: no negative width
    AutoSizeGridColumns(g, p);
    EXPECT_EQ(g->GetColWidths(0), 0);
}

TEST_F(GridHelpersTest, ShowLogNewestFirstWithTimeStamps) {
    TskSkinStringGrid* g = NewGrid(2, 2);
    g->SetColWidths(0, 111);
    TLog log;
    log.Add(EncodeDate(2026, 3, 4) + EncodeTime(5, 6, 7, 0), "first");
    log.Add(EncodeDate(2026, 12, 31) + EncodeTime(23, 59, 58, 0), "second");
    ShowLogInGrid(g, &log);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->GetCellText(0, 1), "31.12.26 23:59:58");
    EXPECT_EQ(g->GetCellText(1, 1), "second");
    EXPECT_EQ(g->GetCellText(0, 2), "04.03.26 05:06:07");
    EXPECT_EQ(g->GetCellText(1, 2), "first");
    EXPECT_EQ(g->GetColWidths(0), 111); // the user's width stays
    EXPECT_EQ(g->GetColWidths(1), 400 - 112 - 1);

    log.Clear();
    ShowLogInGrid(g, &log);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->GetCellText(1, 1), "");
    ShowLogInGrid(g, nullptr);
    EXPECT_EQ(g->RowCount(), 2);
}

} // namespace
} // namespace vd
