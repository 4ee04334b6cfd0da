// The string grid's cells and its row and column views: what reading and writing create, the
// views' counts and refusals, cells outside a shrunk grid, and rows far beyond a small start.
#include "GridFixture.h"
#include "platform/rtl/StringList.h"

namespace vd::test {
namespace {

TEST_F(GridTest, ReadingACellCreatesNothingAndWritingCreatesItsRowAndViews) {
    auto* g = MakeGrid({0, 0, 300, 100}, 4, 4, 0);
    EXPECT_EQ(g->GetCellText(2, 3), "");
    EXPECT_EQ(g->GetCellObject(2, 3), nullptr);
    EXPECT_FALSE(g->HasRowList(3));
    EXPECT_EQ(g->RowLists().Count(), 0);
    g->SetCellText(2, 3, "cell");
    EXPECT_TRUE(g->HasRowList(3));
    EXPECT_EQ(g->GetCellText(2, 3), "cell");
    // The views see the same cell.
    EXPECT_EQ(g->Cols(2).Strings(3), "cell");
    EXPECT_EQ(g->Rows(3).Strings(2), "cell");
    EXPECT_EQ(g->Cols(2).Count(), 4) << "a column view counts the rows";
    g->SetColCount(6);
    EXPECT_EQ(g->Rows(3).Count(), 6) << "a row view counts the columns";
    // Clearing a cell keeps its row list.
    g->SetCellText(2, 3, "");
    EXPECT_TRUE(g->HasRowList(3));
    EXPECT_EQ(g->GetCellText(2, 3), "");
    TObject o;
    g->SetCellObject(1, 1, &o);
    EXPECT_EQ(g->Rows(1).Objects(1), &o);
}

TEST_F(GridTest, ViewsFillEmptyItemsAndRefuseInsertAndDelete) {
    auto* g = MakeGrid({0, 0, 300, 100}, 3, 3, 0);
    TStrings& row = g->Rows(1);
    EXPECT_EQ(row.Add("a"), 0);
    EXPECT_EQ(row.Add("b"), 1);
    EXPECT_EQ(row.Add("c"), 2);
    EXPECT_EQ(row.Add("d"), -1) << "every item holds a string";
    try {
        row.Insert(0, "x");
        ADD_FAILURE();
    } catch (const skEInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), "Cannot insert or delete rows from grid");
    }
    EXPECT_THROW(row.Delete(0), skEInvalidGridOperation);
    TStringList src;
    src.Add("1");
    src.Add("2");
    src.Add("3");
    src.Add("4");
    g->Cols(0).Assign(src);
    EXPECT_EQ(g->GetCellText(0, 2), "3");
    EXPECT_EQ(g->Cols(0).Count(), 3) << "assigning takes only what fits";
    g->Rows(1).Clear();
    EXPECT_EQ(g->GetCellText(1, 1), "");
    EXPECT_EQ(g->GetCellText(0, 2), "3");
    g->Cols(0).Clear();
    EXPECT_EQ(g->GetCellText(0, 2), "");
    EXPECT_THROW(g->Cols(-1), EListError);
}

TEST_F(GridTest, CellsOutsideAShrunkGridComeBackWhenItGrows) {
    auto* g = MakeGrid({0, 0, 300, 100}, 4, 6, 0);
    g->SetCellText(3, 5, "kept");
    g->SetRowCount(2);
    g->SetColCount(2);
    g->SetRowCount(6);
    g->SetColCount(4);
    EXPECT_EQ(g->GetCellText(3, 5), "kept");
}

TEST_F(GridTest, RowsFarBeyondASmallStartAreStored) {
    // Created with 5 rows (small blocks for the rows), grown to the log's largest sizes.
    auto* g = MakeGrid({0, 0, 300, 100}, 2, 5, goRowSelect);
    g->SetRowCount(3000000);
    for (int row : {1048559, 1048560, 1048561, 2999999}) {
        g->SetCellText(1, row, "row " + std::to_string(row));
        EXPECT_EQ(g->GetCellText(1, row), "row " + std::to_string(row));
    }
    EXPECT_EQ(g->GetCellText(1, 1048562), "");
    EXPECT_EQ(g->GetCellText(1, 1048559), "row 1048559");
}

class FailingStoreGrid : public TskSkinStringGrid {
public:
    using TskSkinStringGrid::TskSkinStringGrid;
    bool Fail = false;
    void StoreEditText(int ACol, int ARow, const String& Value) override {
        if (Fail) throw EConvertError("not a number");
        TskSkinStringGrid::StoreEditText(ACol, ARow, Value);
    }
};

TEST_F(GridTest, AFailingStoreStillHidesAndDetachesTheEditor) {
    auto* g = new FailingStoreGrid(Form);
    g->SetParent(Form);
    g->SetBorderStyle(gbsNone);
    g->SetBoundsRect({0, 0, 300, 100});
    g->SetOptions(goEditing | goVertLine);
    Show();
    g->SetFocus();
    g->SetEditMode(true);
    Pump();
    auto* e = g->InplaceEditor();
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(IsWindowVisible(e->Handle()));
    g->Fail = true;
    EXPECT_THROW(g->CloseEditor(), EConvertError);
    EXPECT_FALSE(IsWindowVisible(e->Handle()));
    EXPECT_EQ(g->EditorCol(), -1);
    EXPECT_EQ(g->EditorRow(), -1);
}

} // namespace
} // namespace vd::test
