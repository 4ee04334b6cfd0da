// Painting, probed pixel by pixel: the plain look, lines, the skin strips of a small synthetic
// skin, the area beyond the cells, the text position, and repaints after moves.
#include "GridFixture.h"

#include <string>

namespace vd::test {
namespace {

inline constexpr TColor kBg = 0x305070, kLines = 0x103050;

std::string GridSkinIni(const std::string& gridKeys) {
    // One more control record after those of the shared test skin, whatever their number.
    std::string ini = TestSkinIni();
    const auto at = ini.find("count=", ini.find("[SKINCONTROLS]"));
    const auto end = ini.find("\r\n", at);
    const int count = std::stoi(ini.substr(at + 6, end - at - 6));
    ini.replace(at, end - at, "count=" + std::to_string(count + 1));
    ini.insert(ini.find("\r\n", at) + 2, std::to_string(count) + "=grid:grid\r\n");
    return ini + "[grid]\r\npictureindex=0\r\n" + gridKeys + "bgcolor=" + std::to_string(kBg) +
           "\r\nlinescolor=" + std::to_string(kLines) + "\r\n";
}

inline const std::string kFaces =
    "fixedcellrect=0,0,20,20\r\nselectcellrect=20,0,40,20\r\nfocuscellrect=40,0,60,20\r\n"
    "fixedcellleftoffset=4\r\nfixedcellrightoffset=4\r\ncellleftoffset=4\r\n"
    "cellrightoffset=4\r\n";

class GridPaintTest : public GridTest {
protected:
    TColor Probe(TControl* c, int x, int y) {
        Pump();
        const TPoint f = Form->ScreenToClient(c->ClientToScreen({x, y}));
        return TColor(GetWindowPixel(Form->Handle(), f.X, f.Y));
    }
    // Like the program's lists: whole rows, no lines, no fixed column.
    TskSkinStringGrid* MakeList() {
        auto* g = MakeGrid({0, 0, 300, 100}, 3, 4, goRowSelect);
        g->SetFixedCols(0);
        return g;
    }
    void LoadSkin(const std::string& gridKeys) {
        Skin = new TskSkinData(Form);
        Stored = TestStoredSkin(GridSkinIni(gridKeys));
        Skin->LoadStoredSkin(Stored.get());
        ASSERT_FALSE(Skin->Empty()) << Skin->LastLoadError();
    }
    TskSkinData* Skin = nullptr;
    std::unique_ptr<TskCompressedStoredSkin> Stored;
};

TEST_F(GridPaintTest, ThePlainLookHighlightsTheRowAndRaisesTheHeader) {
    auto* g = MakeList();
    g->SetColor(0x123456);
    Show();
    g->SetFocus();
    Pump();
    const TColor highlight = ColorToRGB(clHighlight);
    EXPECT_EQ(Probe(g, 100, 30), highlight) << "every cell of the selected row";
    EXPECT_EQ(Probe(g, 160, 30), highlight);
    EXPECT_EQ(Probe(g, 100, 50), 0x123456) << "other rows in the grid's colour";
    // Header cells: raised frame, face colour inside.
    EXPECT_EQ(Probe(g, 0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Probe(g, 63, 19), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Probe(g, 30, 10), ColorToRGB(clBtnFace));
    // No line options: the cells touch; beyond them the grid's colour.
    EXPECT_EQ(Probe(g, 63, 50), 0x123456);
    EXPECT_EQ(Probe(g, 64, 50), 0x123456);
    EXPECT_EQ(Probe(g, 250, 50), 0x123456);
    EXPECT_EQ(Probe(g, 100, 90), 0x123456);
}

TEST_F(GridPaintTest, LinesTakeTheLineColourButGreyOnASilverGrid) {
    auto* g = MakeGrid({0, 0, 300, 100}, 3, 3, goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
    g->SetColor(clWhite);
    g->SetGridLineColor(clRed);
    Show();
    EXPECT_EQ(Probe(g, 64, 50), clRed) << "the line after the fixed column";
    EXPECT_EQ(Probe(g, 129, 50), clRed);
    EXPECT_EQ(Probe(g, 100, 20), clRed) << "the line below the header";
    EXPECT_EQ(Probe(g, 100, 50), clWhite);
    g->SetColor(clSilver);
    g->Invalidate();
    EXPECT_EQ(Probe(g, 129, 50), 0x808080);
    EXPECT_EQ(Probe(g, 64, 10), 0x808080);
    // A wide line is drawn flat across its width.
    g->SetGridLineWidth(3);
    g->SetColor(clWhite);
    g->Invalidate();
    for (int x = 64; x < 67; ++x)
        EXPECT_EQ(Probe(g, x, 50), clRed) << x;
    EXPECT_EQ(Probe(g, 63, 50), ColorToRGB(clBtnShadow)) << "the header cell's frame";
    EXPECT_EQ(Probe(g, 67, 50), clWhite);
}

TEST_F(GridPaintTest, TheSkinDrawsFixedAndSelectedCellsFromItsStrips) {
    auto* g = MakeList();
    g->SetDefaultRowHeight(18);
    LoadSkin(kFaces);
    Show();
    g->SetSkinData(Skin);
    EXPECT_EQ(g->DefaultRowHeight(), 20) << "the cell height comes from the skin";
    g->SetFocus();
    Pump();
    // Header: face A; the selected row (whole-row select): the focus face C in every cell.
    EXPECT_EQ(Probe(g, 30, 10), kClient[0]);
    EXPECT_EQ(Probe(g, 30, 1), kEdge[0]);
    EXPECT_EQ(Probe(g, 1, 1), kRed) << "the strip's left part";
    EXPECT_EQ(Probe(g, 100, 30), kClient[2]);
    EXPECT_EQ(Probe(g, 170, 30), kClient[2]);
    EXPECT_EQ(Probe(g, 100, 50), kBg) << "plain cells in the skin's background";
    EXPECT_EQ(Probe(g, 250, 50), kBg) << "beyond the cells the skin's background";
    // Range selection without whole rows: a selected cell that is not current takes face B.
    g->SetOptions(goRangeSelect);
    g->MoveCurrentCell(0, 1, true, false);
    g->MoveCurrentCell(1, 2, false, false);
    Pump();
    EXPECT_EQ(Probe(g, 30, 30), kClient[1]);
    EXPECT_EQ(Probe(g, 100, 50), kClient[2]) << "the current cell has the focus face";
}

TEST_F(GridPaintTest, OneCellFaceServesBothAndAFaceLessRecordPaintsPlain) {
    auto* g = MakeList();
    g->SetOptions(goRangeSelect);
    LoadSkin("fixedcellrect=0,0,20,20\r\nfocuscellrect=40,0,60,20\r\n");
    Show();
    g->SetSkinData(Skin);
    g->MoveCurrentCell(0, 1, true, false);
    g->MoveCurrentCell(1, 2, false, false);
    g->SetFocus();
    Pump();
    EXPECT_EQ(Probe(g, 30, 30), kClient[2]) << "selected cells use the focus face";
    EXPECT_EQ(g->selectcellrect, (TRect{40, 0, 60, 20}));

    delete Skin;
    g->SetDefaultCellHeight(24);
    g->SetDefaultRowHeight(30);
    LoadSkin("selectcellrect=20,0,40,20\r\n"); // no fixed-cell picture
    g->SetSkinData(Skin);
    EXPECT_FALSE(g->Skinned());
    EXPECT_EQ(g->DefaultRowHeight(), 24);
    EXPECT_EQ(Probe(g, 30, 30), ColorToRGB(clHighlight));
}

TEST_F(GridPaintTest, WithoutTheSkinCellHeightStripsStretchToTheRow) {
    auto* g = MakeList();
    g->SetUseSkinCellHeight(false);
    LoadSkin(kFaces);
    Show();
    g->SetSkinData(Skin);
    g->SetDefaultRowHeight(40);
    Pump();
    EXPECT_EQ(g->DefaultRowHeight(), 40);
    EXPECT_EQ(Probe(g, 30, 20), kClient[0]);
    EXPECT_EQ(Probe(g, 30, 39), kEdge[0]);
    EXPECT_EQ(Probe(g, 30, 1), kEdge[0]);
}

TEST_F(GridPaintTest, CellTextSitsTwoPixelsInAndCentredVertically) {
    auto* g = MakeGrid({0, 0, 300, 100}, 3, 3, 0);
    g->SetColor(clWhite);
    g->SetRowHeights(1, 40);
    g->Font().SetColor(clBlack);
    g->Font().SetHeight(-14);
    g->SetCellText(1, 1, "H");
    g->MoveCurrentCell(2, 2, true, false);
    Show();
    const TRect r = g->CellBounds(1, 1);
    int left = INT_MAX, top = INT_MAX, bottom = -1;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (Probe(g, x, y) != clWhite && Probe(g, x, y) != ColorToRGB(clHighlight)) {
                left = std::min(left, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_NE(bottom, -1) << "the text is drawn";
    EXPECT_GE(left, r.Left + 2);
    EXPECT_LE(left, r.Left + 4);
    EXPECT_NEAR((top + bottom) / 2.0, r.Top + r.Height() / 2.0, 3.0);
}

TEST_F(GridPaintTest, MovedRowsOfADrawGridRepaintAtOnce) {
    auto* g = new TskSkinDrawGrid(Form);
    g->SetParent(Form);
    g->SetBorderStyle(gbsNone);
    g->SetBoundsRect({0, 0, 300, 100});
    g->SetColCount(2);
    g->SetRowCount(4);
    g->SetOptions(0);
    std::vector<TColor> colours{clBtnFace, clRed, clGreen, clBlue};
    g->OnDrawCell = [&](TObject*, int, int row, const TRect& r, TGridDrawState) {
        g->Canvas().Brush().Color = colours[static_cast<size_t>(row)];
        g->Canvas().FillRect(r);
    };
    g->OnRowMoved = [&](TObject*, int from, int to) {
        const TColor c = colours[static_cast<size_t>(from)];
        colours.erase(colours.begin() + from);
        colours.insert(colours.begin() + to, c);
    };
    Show();
    EXPECT_EQ(Probe(g, 100, 30), clRed);
    g->MoveRow(1, 3);
    EXPECT_EQ(Probe(g, 100, 30), clGreen);
    EXPECT_EQ(Probe(g, 100, 70), clRed);
}

TEST_F(GridPaintTest, ManyHiddenColumnsPaintWithoutBoundlessBuffers) {
    // Horizontal lines over a million columns of width 0, all of them in view.
    auto* g = MakeGrid({0, 0, 300, 100}, 3, 3, goFixedHorzLine | goHorzLine);
    g->SetColCount(1000000);
    g->SetDefaultColWidth(0);
    g->SetGridLineWidth(2);
    Show();
    g->Invalidate();
    Pump();
    EXPECT_EQ(g->VisibleColCount(), 1000000 - 1);
}

} // namespace
} // namespace vd::test
