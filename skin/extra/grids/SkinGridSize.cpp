// Size and order: column and row counts, fixed counts, defaults and options, moving, deleting and
// inserting columns and rows, and the published properties form resources read and write.
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinData.h"
#include "skin/extra/grids/SkinGrid.h"
#include "skin/extra/grids/SkinInplaceEdit.h"

#include <algorithm>

namespace vd {

namespace {
// Checks and takes a new fixed count; false when it is the one there already.
bool TakeFixedCount(int& fixed, int v, int count, const char* tooBig) {
    if (v == fixed) return false;
    if (v < 0) RaiseGridError(grid_msg::IndexOutOfRange);
    if (v >= count) RaiseGridError(tooBig);
    fixed = v;
    return true;
}

// A new default size drops the sizes set one by one; gives the default, never below 0.
int ResetToDefault(TGridExtents& extents, int v) {
    TGridExtents().swap(extents);
    return std::max(v, 0);
}

// Where index v goes when the cell at From moves to To and the cells between close up.
void FollowMove(int& v, int From, int To) {
    if (v == From)
        v = To;
    else if (From < To && v > From && v <= To)
        --v;
    else if (From > To && v >= To && v < From)
        ++v;
}
} // namespace

void TskSkinCustomGrid::SetColCount(int Value) {
    if (Value == FColCount) return;
    if (Value <= 0) Value = 1;
    if (Value > kMaxGridCells) RaiseGridError(grid_msg::TooLarge);
    if (FFixedCols >= Value) SetFixedCols(Value - 1);
    ResizeGrid(Value, FRowCount);
    if (FOptions & goRowSelect) {
        FAnchor.X = FColCount - 1;
        Invalidate();
    }
}

void TskSkinCustomGrid::SetRowCount(int Value) {
    if (Value == FRowCount) return;
    if (Value <= 0) Value = 1;
    if (Value > kMaxGridCells) RaiseGridError(grid_msg::TooLarge);
    if (FFixedRows >= Value) SetFixedRows(Value - 1);
    ResizeGrid(FColCount, Value);
}

void TskSkinCustomGrid::ResizeGridSteps(int Cols, int Rows, const TGridLayout& OldLayout,
                                        TGridCoord OldTopLeft, bool HadWindow) {
    if (!FColWidths.empty()) SetExtentCount(FColWidths, Cols, FDefaultColWidth);
    if (!FTabStops.empty()) SetExtentCount(FTabStops, Cols, 1);
    if (!FRowHeights.empty()) SetExtentCount(FRowHeights, Rows, FDefaultRowHeight);
    if (ResizeFaultHook) ResizeFaultHook();
    TGridCoord cur = FCurrent;
    if (cur.Y >= Rows) cur.Y = Rows - 1;
    if (cur.X >= Cols) cur.X = Cols - 1;
    if (!(cur == FCurrent)) MoveCurrentCell(cur.X, cur.Y, true, true);
    if (!(FAnchor == cur)) SetAnchorCell(cur);
    // The top-left stays inside the grid.
    FTopLeft.X = std::max(FFixedCols, std::min(FTopLeft.X, Cols - 1));
    FTopLeft.Y = std::max(FFixedRows, std::min(FTopLeft.Y, Rows - 1));
    if (WholeRepaint || !(FTopLeft == OldTopLeft)) {
        InvalidateWholeGrid();
    } else if (HadWindow && HandleAllocated()) {
        const TGridLayout l = CalcLayout();
        const int col = std::min(OldLayout.Horz.LastFullCell, l.Horz.LastFullCell);
        const int row = std::min(OldLayout.Vert.LastFullCell, l.Vert.LastFullCell);
        TRect r = CellBounds(col, 0);
        r = {r.Left, r.Top, Width(), Height()};
        InvalidateRect(Handle(), &r, FALSE);
        r = CellBounds(0, row);
        r = {r.Left, r.Top, Width(), Height()};
        InvalidateRect(Handle(), &r, FALSE);
    }
    ShowNeededScrollBars(true);
}

void TskSkinCustomGrid::ResizeGrid(int NewColCount, int NewRowCount) {
    const bool hadWindow = HandleAllocated();
    const TGridLayout oldLayout = hadWindow ? CalcLayout() : TGridLayout{};
    const TGridCoord oldTopLeft = FTopLeft;
    const int oldCols = FColCount, oldRows = FRowCount;
    const int oldFixedCols = FFixedCols, oldFixedRows = FFixedRows;
    // Kept whole: cutting the arrays back to the old counts would lose the cut entries.
    TGridExtents oldWidths = FColWidths, oldTabs = FTabStops, oldHeights = FRowHeights;
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    if (FColCount <= FFixedCols) FFixedCols = FColCount - 1;
    if (FRowCount <= FFixedRows) FFixedRows = FRowCount - 1;
    try {
        ResizeGridSteps(NewColCount, NewRowCount, oldLayout, oldTopLeft, hadWindow);
        GridSizeChanged(oldCols, oldRows);
    } catch (...) {
        FColCount = oldCols;
        FRowCount = oldRows;
        FFixedCols = oldFixedCols;
        FFixedRows = oldFixedRows;
        FColWidths.swap(oldWidths);
        FTabStops.swap(oldTabs);
        FRowHeights.swap(oldHeights);
        auto hook = std::move(ResizeFaultHook);
        ResizeFaultHook = nullptr;
        try {
            ResizeGridSteps(oldCols, oldRows, oldLayout, oldTopLeft, hadWindow);
            GridSizeChanged(oldCols, oldRows);
        } catch (...) {
        }
        ResizeFaultHook = std::move(hook);
        InvalidateWholeGrid();
        throw;
    }
}

void TskSkinCustomGrid::SetFixedCols(int v) {
    if (!TakeFixedCount(FFixedCols, v, FColCount, grid_msg::FixedColsTooBig)) return;
    ResetPositions();
    InvalidateWholeGrid();
}

void TskSkinCustomGrid::SetFixedRows(int v) {
    if (!TakeFixedCount(FFixedRows, v, FRowCount, grid_msg::FixedRowsTooBig)) return;
    ResetPositions();
    InvalidateWholeGrid();
}

void TskSkinCustomGrid::SetDefaultColWidth(int v) {
    FDefaultColWidth = ResetToDefault(FColWidths, v);
    ColumnWidthsChangedHook();
    InvalidateWholeGrid();
}

void TskSkinCustomGrid::SetDefaultRowHeight(int v) {
    FDefaultRowHeight = ResetToDefault(FRowHeights, v);
    RowHeightsChangedHook();
    InvalidateWholeGrid();
}

void TskSkinCustomGrid::SetDefaultCellHeight(int v) {
    FDefaultCellHeight = v;
    GetSkinData();
    if (FSkinIndex == -1) SetDefaultRowHeight(v);
}

void TskSkinCustomGrid::SetGridLineColor(TColor v) {
    FGridLineColor = v;
    GetSkinData();
    if (FSkinIndex == -1) Invalidate();
}

void TskSkinCustomGrid::SetFixedColor(TColor v) {
    if (v == FFixedColor) return;
    FFixedColor = v;
    InvalidateWholeGrid();
}

void TskSkinCustomGrid::SetGridLineWidth(int v) {
    if (v < 0) v = 0;
    if (v == FGridLineWidth) return;
    FGridLineWidth = v;
    InvalidateWholeGrid();
}

void TskSkinCustomGrid::SetBorderStyle(TGridBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    if (HandleAllocated()) RecreateWnd();
}

void TskSkinCustomGrid::SetDefaultDrawing(bool v) {
    if (v == FDefaultDrawing) return;
    FDefaultDrawing = v;
    Invalidate();
}

void TskSkinCustomGrid::SetOptions(TGridOptions v) {
    if (v == FOptions) return;
    if (v & goRowSelect) v &= ~goAlwaysShowEditor;
    FOptions = v;
    if (!FEditMode) {
        if (FOptions & goAlwaysShowEditor)
            EnterEditMode();
        else
            LeaveEditMode();
    }
    if (FOptions & goRowSelect) MoveCurrentCell(FCurrent.X, FCurrent.Y, true, false);
    InvalidateWholeGrid();
}

void TskSkinCustomGrid::MoveColumn(int From, int To) {
    if (From == To) return;
    if (From < 0 || To < 0 || From >= FColCount || To >= FColCount) RaiseGridError(grid_msg::IndexOutOfRange);
    if (!FColWidths.empty()) {
        ShiftExtent(FColWidths, From + 1, To + 1);
        ShiftExtent(FTabStops, From + 1, To + 1);
    }
    FollowMove(FCurrent.X, From, To);
    FollowMove(FAnchor.X, From, To);
    if (FEditorCol != -1) FollowMove(FEditorCol, From, To);
    InvalidateCellRange({std::min(From, To), 0, std::max(From, To), VisibleRowCount() + FFixedRows});
    ColumnWasMoved(From, To);
    if (!FColWidths.empty()) ColumnWidthsChangedHook();
    PlaceEditor();
}

void TskSkinCustomGrid::MoveRow(int From, int To) {
    if (From == To) return;
    if (From < 0 || To < 0 || From >= FRowCount || To >= FRowCount) RaiseGridError(grid_msg::IndexOutOfRange);
    if (!FRowHeights.empty()) ShiftExtent(FRowHeights, From + 1, To + 1);
    FollowMove(FCurrent.Y, From, To);
    FollowMove(FAnchor.Y, From, To);
    if (FEditorRow != -1) FollowMove(FEditorRow, From, To);
    // The moved rows show their new contents at once, as moved columns do.
    InvalidateCellRange({0, std::min(From, To), FColCount - 1, std::max(From, To)});
    RowWasMoved(From, To);
    if (!FRowHeights.empty()) RowHeightsChangedHook();
    PlaceEditor();
}

void TskSkinCustomGrid::DeleteColumn(int ACol) {
    MoveColumn(ACol, FColCount - 1);
    SetColCount(FColCount - 1);
}

void TskSkinCustomGrid::DeleteRow(int ARow) {
    MoveRow(ARow, FRowCount - 1);
    SetRowCount(FRowCount - 1);
}

void TskSkinCustomGrid::ResizeAt(int Index, int Amount, bool Rows) {
    if (Amount == 0) return;
    TGridCoord cur = FCurrent;
    TGridRect area{FFixedCols, FFixedRows, FColCount - 1, FRowCount - 1};
    const int oldCols = FColCount, oldRows = FRowCount;
    int& count = Rows ? FRowCount : FColCount;
    TGridExtents& ext = Rows ? FRowHeights : FColWidths;
    const int def = Rows ? FDefaultRowHeight : FDefaultColWidth;
    const long long newCount = static_cast<long long>(count) + Amount;
    if (newCount < Index) RaiseGridError(grid_msg::TooManyDeleted);
    if (newCount < 1) RaiseGridError(grid_msg::TooManyDeleted);
    if (newCount > kMaxGridCells) RaiseGridError(grid_msg::TooLarge);
    long long move = static_cast<long long>(Amount) * def;
    if (Amount < 0 && !ext.empty()) {
        move = 0;
        for (int i = Index; i < Index - Amount; ++i)
            move -= Rows ? GetRowHeights(i) : GetColWidths(i);
    }
    if (!ext.empty()) ResizeExtents(ext, Index, Amount, def);
    count = static_cast<int>(newCount);
    int& c = Rows ? cur.Y : cur.X;
    if (c >= Index) {
        if (Amount < 0 && c < Index - Amount)
            c = Index;
        else
            c += Amount;
    }
    c = std::max(0, std::min(c, count - 1));
    int& aFrom = Rows ? area.Top : area.Left;
    int& aTo = Rows ? area.Bottom : area.Right;
    aFrom = Index;
    const int tl = Rows ? FTopLeft.Y : FTopLeft.X;
    if (Index + std::abs(Amount) <= tl) aTo = tl - 1;
    if (HandleAllocated()) {
        const TRect r = CellRangeRect(area, true);
        if (r.Right > r.Left && r.Bottom > r.Top) {
            const int m =
                static_cast<int>(std::max<long long>(INT_MIN / 2, std::min<long long>(move, INT_MAX / 2)));
            ScrollWindow(Handle(), Rows ? 0 : m, Rows ? m : 0, &r, &r);
            Update();
        }
    }
    GridSizeChanged(oldCols, oldRows);
    if (!(cur == FCurrent)) MoveCurrentCell(cur.X, cur.Y, true, true);
}

// ---- form resources

namespace {
std::vector<int> IntList(const TPropValue& v) {
    std::vector<int> out;
    if (v.Kind != TPropValue::vkList) throw EReadError("Invalid property value");
    for (const TPropValue& item : v.List) {
        const long long n = item.AsInt();
        out.push_back(static_cast<int>(std::max<long long>(0, std::min<long long>(n, INT_MAX / 4))));
    }
    return out;
}

TPropValue ListOf(const TskSkinCustomGrid& g, bool rows) {
    TPropValue v;
    v.Kind = TPropValue::vkList;
    const int n = rows ? g.RowCount() : g.ColCount();
    for (int i = 0; i < n; ++i)
        v.List.push_back(TPropValue::FromInt(rows ? g.GetRowHeights(i) : g.GetColWidths(i)));
    return v;
}

TGridOptions OptionsFrom(const TPropValue& v) {
    if (v.Kind != TPropValue::vkSet) throw EReadError("Invalid property value");
    TGridOptions o = 0;
    for (const String& s : v.Set) {
        auto it = std::find_if(kGridOptionNames.begin(), kGridOptionNames.end(),
                               [&](const char* n) { return s == n; });
        if (it == kGridOptionNames.end()) throw EReadError("Invalid property value");
        o |= static_cast<TGridOptions>(1u << (it - kGridOptionNames.begin()));
    }
    return o;
}

TColor ColorFrom(const TPropValue& v) {
    if (v.Kind != TPropValue::vkIdent) return static_cast<TColor>(v.AsInt());
    static const std::pair<const char*, TColor> names[] = {
        {"clBlack", clBlack},           {"clWhite", clWhite},
        {"clSilver", clSilver},         {"clGray", clGray},
        {"clBtnFace", clBtnFace},       {"clWindow", clWindow},
        {"clWindowText", clWindowText}, {"clGrayText", clGrayText},
        {"clBtnShadow", clBtnShadow},   {"clBtnHighlight", clBtnHighlight}};
    for (const auto& [n, c] : names)
        if (v.AsIdent() == n) return c;
    throw EReadError("Invalid property value " + v.AsIdent());
}

int Count(const TPropValue& v) {
    const long long n = v.AsInt();
    if (n > kMaxGridCells) RaiseGridError(grid_msg::TooLarge);
    return static_cast<int>(std::max<long long>(n, 0));
}
} // namespace

namespace {

using namespace props;
using Grid = TskSkinCustomGrid;

TPropValue OptionsValue(TGridOptions options) {
    std::vector<String> names;
    for (size_t i = 0; i < kGridOptionNames.size(); ++i)
        if (options & (1u << i)) names.emplace_back(kGridOptionNames[i]);
    return TPropValue::FromSet(std::move(names));
}

// Read after the counts; values past the count are dropped.
template <bool Rows> void SetExtents(Grid& g, const TPropValue& v) {
    const std::vector<int> list = IntList(v);
    const int n = std::min(static_cast<int>(list.size()), Rows ? g.RowCount() : g.ColCount());
    for (int i = 0; i < n; ++i) {
        if (Rows)
            g.SetRowHeights(i, list[static_cast<size_t>(i)]);
        else
            g.SetColWidths(i, list[static_cast<size_t>(i)]);
    }
}

// Individual extents, only when there are any (no ancestor to compare with here).
template <bool Rows> std::optional<TPropValue> Extents(const Grid& g) {
    if (!g.SaveExtents || !(Rows ? g.HasRowHeights() : g.HasColWidths())) return std::nullopt;
    return ListOf(g, Rows);
}

const TPropertyTable<Grid>& GridProperties() {
    constexpr auto FromInt = &TPropValue::FromInt;
    constexpr auto FromBool = &TPropValue::FromBool;
    static const TPropertyTable<Grid> table{
        {"ColCount", Call(&Grid::SetColCount, Count), Unless(&Grid::ColCount, 5, FromInt)},
        {"RowCount", Call(&Grid::SetRowCount, Count), Unless(&Grid::RowCount, 5, FromInt)},
        {"FixedCols", Call(&Grid::SetFixedCols, AsInt), Unless(&Grid::FixedCols, 1, FromInt)},
        {"FixedRows", Call(&Grid::SetFixedRows, AsInt), Unless(&Grid::FixedRows, 1, FromInt)},
        {"DefaultColWidth", Call(&Grid::SetDefaultColWidth, AsInt),
         Unless(&Grid::DefaultColWidth, 64, FromInt)},
        {"DefaultRowHeight", Call(&Grid::SetDefaultRowHeight, AsInt),
         Unless(&Grid::DefaultRowHeight, 20, FromInt)},
        {"DefaultCellHeight", Call(&Grid::SetDefaultCellHeight, AsInt),
         Unless(&Grid::DefaultCellHeight, 20, FromInt)},
        {"GridLineWidth", Call(&Grid::SetGridLineWidth, AsInt), Unless(&Grid::GridLineWidth, 1, FromInt)},
        {"Options", Call(&Grid::SetOptions, OptionsFrom),
         Unless(&Grid::Options,
                TGridOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect),
                OptionsValue)},
        {"UseSkinFont", Call(&Grid::SetUseSkinFont, AsBool), Unless(&Grid::UseSkinFont, true, FromBool)},
        {"UseSkinCellHeight", Call(&Grid::SetUseSkinCellHeight, AsBool),
         Unless(&Grid::UseSkinCellHeight, true, FromBool)},
        {"DefaultDrawing", Call(&Grid::SetDefaultDrawing, AsBool),
         Unless(&Grid::DefaultDrawing, true, FromBool)},
        {"BorderStyle",
         [](Grid& g, const TPropValue& v) {
             g.SetBorderStyle(v.AsIdent() == "bsNone" ? gbsNone : gbsSingle);
         },
         [](const Grid& g) -> std::optional<TPropValue> {
             if (g.BorderStyle() != gbsNone) return std::nullopt;
             return TPropValue::FromIdent("bsNone");
         }},
        {"GridLineColor", Call(&Grid::SetGridLineColor, ColorFrom),
         Unless(&Grid::GridLineColor, clWindowText, FromInt)},
        {"FixedColor", Call(&Grid::SetFixedColor, ColorFrom), Unless(&Grid::FixedColor, clBtnFace, FromInt)},
        {"SkinDataName", Call(&Grid::SetSkinDataName, AsText),
         Unless(&Grid::SkinDataName, String("grid"), &TPropValue::FromString)},
        {"HScrollBar", Link<TskSkinScrollBar>(&Grid::SetHScrollBar),
         [](const Grid& g) { return LinkName(g.HScrollBar()); }},
        {"VScrollBar", Link<TskSkinScrollBar>(&Grid::SetVScrollBar),
         [](const Grid& g) { return LinkName(g.VScrollBar()); }},
        {"ColWidths", SetExtents<false>, Extents<false>},
        {"RowHeights", SetExtents<true>, Extents<true>},
    };
    return table;
}

} // namespace

bool TskSkinCustomGrid::SetProperty(const String& name, const TPropValue& value) {
    return GridProperties().Set(*this, name, value) || TskSkinControl::SetProperty(name, value);
}

bool TskSkinCustomGrid::SetComponentProperty(const String& name, TComponent* value) {
    return GridProperties().SetComponent(*this, name, value) ||
           TskSkinControl::SetComponentProperty(name, value);
}

void TskSkinCustomGrid::GetProperties(TPropList& out) const {
    TskSkinControl::GetProperties(out);
    GridProperties().Get(*this, out);
}

} // namespace vd
