#include "skin/extra/grids/SkinGrid.h"

#include "platform/vcl/Application.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/extra/grids/SkinInplaceEdit.h"
#include "skin/store/SkinControlRecords.h"

#include <algorithm>
#include <climits>

namespace vd {

namespace {
// Pixel sums are kept in 64 bits and saturated, so no width or count can wrap them.
int Sat(long long v) {
    if (v > INT_MAX / 2) return INT_MAX / 2;
    if (v < INT_MIN / 2) return INT_MIN / 2;
    return static_cast<int>(v);
}
} // namespace

int TGridAxisLayout::Extent(int Index) const {
    return Rows ? Grid->GetRowHeights(Index) : Grid->GetColWidths(Index);
}

TskSkinCustomGrid::TskSkinCustomGrid(TComponent* AOwner) : TskSkinControl(AOwner) {
    FControlStyle = csCaptureMouse | csOpaque | csDoubleClicks;
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    SetBounds(Left(), Top(), FColCount * FDefaultColWidth, FRowCount * FDefaultRowHeight);
    ResetPositions();
    FSkinDataName = "grid";
}

TskSkinCustomGrid::~TskSkinCustomGrid() {
    // The editor is a child component; it goes first so that it never calls back into a grid
    // that is half gone.
    delete FEditor.Get();
    // Bars outlive the grid; they must not call into it afterwards.
    UnwireScrollBar(FHScrollBar);
    UnwireScrollBar(FVScrollBar);
    FHScrollBar = nullptr;
    FVScrollBar = nullptr;
}

// ---- extents

int TskSkinCustomGrid::GetColWidths(int Index) const {
    if (!FColWidths.empty() && Index >= 0 && Index < FColCount && Index < static_cast<int>(FColWidths.size()))
        return FColWidths[static_cast<size_t>(Index)];
    return FDefaultColWidth;
}

int TskSkinCustomGrid::GetRowHeights(int Index) const {
    if (!FRowHeights.empty() && Index >= 0 && Index < FRowCount &&
        Index < static_cast<int>(FRowHeights.size()))
        return FRowHeights[static_cast<size_t>(Index)];
    return FDefaultRowHeight;
}

bool TskSkinCustomGrid::IsTabStop(int Index) const {
    if (FTabStops.empty() || Index < 0 || Index >= static_cast<int>(FTabStops.size())) return true;
    return (FTabStops[static_cast<size_t>(Index)] & 0xFF) != 0;
}

void TskSkinCustomGrid::SetColWidths(int Index, int Value) {
    if (Value < 0) Value = 0;
    if (FColWidths.empty()) ResizeExtents(FColWidths, 0, FColCount, FDefaultColWidth);
    if (Index < 0 || Index >= FColCount) RaiseGridError(grid_msg::IndexOutOfRange);
    if (FColWidths[static_cast<size_t>(Index)] != Value) {
        InvalidateWholeGrid();
        FColWidths[static_cast<size_t>(Index)] = Value;
        ColumnWidthsChangedHook();
    }
}

void TskSkinCustomGrid::SetRowHeights(int Index, int Value) {
    if (Value < 0) Value = 0;
    if (FRowHeights.empty()) ResizeExtents(FRowHeights, 0, FRowCount, FDefaultRowHeight);
    if (Index < 0 || Index >= FRowCount) RaiseGridError(grid_msg::IndexOutOfRange);
    if (FRowHeights[static_cast<size_t>(Index)] != Value) {
        InvalidateWholeGrid();
        FRowHeights[static_cast<size_t>(Index)] = Value;
        RowHeightsChangedHook();
    }
}

void TskSkinCustomGrid::ColumnWidthsChangedHook() {
    ShowNeededScrollBars(true);
    PlaceEditor();
}

void TskSkinCustomGrid::RowHeightsChangedHook() {
    ShowNeededScrollBars(true);
    PlaceEditor();
}

// ---- current cell and selection

void TskSkinCustomGrid::ResetPositions() {
    FCurrent = {FFixedCols, FFixedRows};
    FAnchor = FCurrent;
    FTopLeft = FCurrent;
    if (FOptions & goRowSelect) FAnchor.X = FColCount - 1;
}

void TskSkinCustomGrid::MoveCurrentCell(int ACol, int ARow, bool AnchorFollows, bool Show) {
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        RaiseGridError(grid_msg::IndexOutOfRange);
    if (!SelectCell(ACol, ARow)) return;
    const TGridRect oldSel = GetSelectionRect();
    const TGridCoord oldCur = FCurrent;
    FCurrent = {ACol, ARow};
    if (!(FOptions & goAlwaysShowEditor)) LeaveEditMode();
    if (AnchorFollows || !(FOptions & goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions & goRowSelect) FAnchor.X = FColCount - 1;
    }
    if (FOptions & goRowSelect) FCurrent.X = FFixedCols;
    if (Show) ScrollIntoView(FCurrent);
    InvalidateSelectionChange(oldSel);
    InvalidateCellRange({oldCur.X, oldCur.Y, oldCur.X, oldCur.Y});
    InvalidateCellRange({ACol, ARow, ACol, ARow});
}

void TskSkinCustomGrid::MoveToCell(int ACol, int ARow, bool AnchorFollows) {
    MoveCurrentCell(ACol, ARow, AnchorFollows, true);
    PlaceEditor();
    Click();
}

void TskSkinCustomGrid::SetCurrentRow(int ARow) {
    if (ARow != FCurrent.Y) MoveToCell(FCurrent.X, ARow, true);
}

void TskSkinCustomGrid::SetAnchorCell(TGridCoord Cell) {
    if ((FOptions & goRangeSelect) && !(FOptions & goEditing)) {
        const TGridRect oldSel = GetSelectionRect();
        FAnchor = Cell;
        if (FOptions & goRowSelect) FAnchor.X = FColCount - 1;
        ScrollIntoView(Cell);
        InvalidateSelectionChange(oldSel);
    } else {
        MoveCurrentCell(Cell.X, Cell.Y, true, true);
    }
}

void TskSkinCustomGrid::InvalidateSelectionChange(const TGridRect& OldSel) {
    if (!HandleAllocated()) return;
    const TGridLayout l = CalcLayout();
    const TRect a = CellRangeRect(OldSel, true, l);
    const TRect b = CellRangeRect(GetSelectionRect(), true, l);
    for (const TRect& r : RectSymmetricDifference(a, b))
        if (r.Right > r.Left && r.Bottom > r.Top) InvalidateRect(Handle(), &r, FALSE);
}

bool TskSkinCustomGrid::IsActiveGrid() const {
    auto* self = const_cast<TskSkinCustomGrid*>(this);
    if (TCustomForm* f = GetParentForm(self)) return f->ActiveControl() == self;
    if (!HandleAllocated()) return false;
    const HWND focus = GetFocus();
    return focus && (focus == FHandle || IsChild(FHandle, focus));
}

// ---- layout

TGridLayout TskSkinCustomGrid::CalcLayout() const {
    const TRect r = GetClientRect();
    return CalcLayout(r.Width(), r.Height());
}

TGridLayout TskSkinCustomGrid::CalcLayout(int ClientW, int ClientH) const {
    TGridLayout l;
    auto axis = [&](TGridAxisLayout& a, bool rows) {
        a.Grid = this;
        a.Rows = rows;
        const TGridOptions lines = rows ? (goFixedHorzLine | goHorzLine) : (goFixedVertLine | goVertLine);
        a.LineWidth = (FOptions & lines) ? FGridLineWidth : 0;
        a.FixedCount = rows ? FFixedRows : FFixedCols;
        a.FirstCell = rows ? FTopLeft.Y : FTopLeft.X;
        a.CellCount = rows ? FRowCount : FColCount;
        a.ClientExtent = rows ? ClientH : ClientW;
        long long fixedEnd = 0;
        for (int i = 0; i < a.FixedCount && fixedEnd <= INT_MAX / 2; ++i)
            fixedEnd += static_cast<long long>(a.Extent(i)) + a.LineWidth;
        a.FixedEnd = Sat(fixedEnd);
        long long gridEnd = a.FixedEnd;
        a.GridEnd = a.FixedEnd;
        a.FullCellsEnd = a.FixedEnd;
        a.LastFullCell = a.FirstCell;
        for (int i = a.FirstCell; i < a.CellCount; ++i) {
            gridEnd += static_cast<long long>(a.Extent(i)) + a.LineWidth;
            if (gridEnd > static_cast<long long>(a.ClientExtent) + a.LineWidth) {
                a.GridEnd = a.ClientExtent;
                break;
            }
            a.GridEnd = Sat(gridEnd);
            a.LastFullCell = i;
            a.FullCellsEnd = a.GridEnd;
        }
    };
    axis(l.Horz, false);
    axis(l.Vert, true);
    return l;
}

TGridCoord TskSkinCustomGrid::MaxTopLeftFor(TGridCoord Cell, const TGridLayout& L) const {
    auto axis = [](const TGridAxisLayout& a, int i) {
        int result = i;
        long long line = static_cast<long long>(a.ClientExtent) + a.LineWidth;
        for (int j = i; j >= a.FixedCount; --j) {
            const int e = a.Extent(j);
            line -= static_cast<long long>(e) + a.LineWidth;
            if (line < a.FixedEnd) break;
            if (e > 0) result = j;
        }
        return result;
    };
    return {axis(L.Horz, Cell.X), axis(L.Vert, Cell.Y)};
}

TGridCoord TskSkinCustomGrid::CellAtPoint(int X, int Y) const {
    return CellAtPoint(X, Y, CalcLayout());
}

TGridCoord TskSkinCustomGrid::CellAtPoint(int X, int Y, const TGridLayout& L) const {
    auto axis = [](const TGridAxisLayout& a, int p) {
        long long end;
        int i;
        int last;
        if (p < a.FixedEnd) {
            end = 0;
            i = 0;
            last = a.FixedCount;
        } else {
            end = a.FixedEnd;
            i = a.FirstCell;
            last = a.CellCount;
        }
        for (; i < last; ++i) {
            end += static_cast<long long>(a.Extent(i)) + a.LineWidth;
            if (end > p) return i;
            if (end > static_cast<long long>(a.ClientExtent) + a.LineWidth && p >= 0) break;
        }
        return -1;
    };
    return {axis(L.Horz, X), axis(L.Vert, Y)};
}

TRect TskSkinCustomGrid::CellBounds(int ACol, int ARow) const {
    return CellRangeRect({ACol, ARow, ACol, ARow}, false);
}

TRect TskSkinCustomGrid::CellRangeRect(const TGridRect& Range, bool IncludeLines) const {
    return CellRangeRect(Range, IncludeLines, CalcLayout());
}

TRect TskSkinCustomGrid::CellRangeRect(const TGridRect& Range, bool IncludeLines,
                                       const TGridLayout& L) const {
    TRect r{};
    if (Range.Right < Range.Left || Range.Bottom < Range.Top) return r;
    if (Range.Left > L.Horz.LastFullCell + 1 || Range.Top > L.Vert.LastFullCell + 1) return r;
    // Position of a cell on an axis; 0 for a scrollable cell before the top-left or past the
    // client extent.
    auto position = [](const TGridAxisLayout& a, int i) -> long long {
        long long pos = 0;
        int from = 0;
        if (i >= a.FixedCount) {
            if (i < a.FirstCell) return 0;
            pos = a.FixedEnd;
            from = a.FirstCell;
        }
        for (int k = from; k < i; ++k) {
            pos += static_cast<long long>(a.Extent(k)) + a.LineWidth;
            if (pos > a.ClientExtent) return 0;
        }
        return pos;
    };
    auto axis = [&](const TGridAxisLayout& a, int mn, int mx, int& start, int& end) {
        if (mn >= a.FixedCount && mn < a.FirstCell) {
            if (mx < a.FirstCell) return false;
            mn = a.FirstCell;
        }
        if (mx > a.LastFullCell) {
            mx = a.LastFullCell;
            if (mx < a.CellCount - 1) ++mx;
            if (position(a, mx) == 0 && mx > mn) --mx;
        }
        const long long s = position(a, mn);
        const long long pm = position(a, mx);
        long long e = pm != 0 ? pm + a.Extent(mx) : s + a.Extent(mn);
        if (e > a.ClientExtent) e = a.ClientExtent;
        if (IncludeLines) e += a.LineWidth;
        start = Sat(s);
        end = Sat(e);
        return true;
    };
    int l, rt, t, b;
    if (!axis(L.Horz, Range.Left, Range.Right, l, rt)) return r;
    if (!axis(L.Vert, Range.Top, Range.Bottom, t, b)) return r;
    return {l, t, rt, b};
}

int TskSkinCustomGrid::VisibleColCount() const {
    const TGridLayout l = CalcLayout();
    return l.Horz.LastFullCell - FTopLeft.X + 1;
}

int TskSkinCustomGrid::VisibleRowCount() const {
    const TGridLayout l = CalcLayout();
    return l.Vert.LastFullCell - FTopLeft.Y + 1;
}

void TskSkinCustomGrid::InvalidateCellRange(const TGridRect& Range) {
    if (!HandleAllocated()) return;
    const TRect r = CellRangeRect(Range, true);
    if (r.Right > r.Left && r.Bottom > r.Top) InvalidateRect(Handle(), &r, FALSE);
}

void TskSkinCustomGrid::RepaintCell(int ACol, int ARow) {
    InvalidateCellRange({ACol, ARow, ACol, ARow});
}

void TskSkinCustomGrid::InvalidateWholeGrid() {
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TskSkinCustomGrid::NotifyDesigner() {
    // Nothing designs forms at run time.
}

// ---- window

void TskSkinCustomGrid::CreateParams(TCreateParams& Params) {
    TskSkinControl::CreateParams(Params);
    Params.Style |= WS_TABSTOP;
    Params.Style &= ~(WS_VSCROLL | WS_HSCROLL);
    if (FBorderStyle == gbsSingle) Params.Style |= WS_BORDER;
    Params.ClassStyle = CS_DBLCLKS;
}

void TskSkinCustomGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FEditor) FEditorCol = FEditorRow = -1;
}

// ---- skin

void TskSkinCustomGrid::GetSkinData() {
    FPicture = nullptr;
    FSkinIndex = -1;
    TskSkinControl::GetSkinData();
    if (FSkinIndex != -1) {
        auto* rec = dynamic_cast<TskDataSkinGridControl*>(FSkinData->ControlRecord(FSkinIndex));
        if (!rec) {
            FSkinIndex = -1;
        } else {
            if (rec->pictureindex != -1) FPicture = FSkinData->ActivePicture(rec->pictureindex);
            fixedcellrect = rec->fixedcellrect;
            selectcellrect = rec->selectcellrect;
            focuscellrect = rec->focuscellrect;
            fixedcellleftoffset = rec->fixedcellleftoffset;
            fixedcellrightoffset = rec->fixedcellrightoffset;
            fixedcelltextrect = rec->fixedcelltextrect;
            cellleftoffset = rec->cellleftoffset;
            cellrightoffset = rec->cellrightoffset;
            celltextrect = rec->celltextrect;
            linescolor = TColor(rec->linescolor);
            bgcolor = TColor(rec->bgcolor);
            fontname = rec->fontname;
            fontstyle = rec->fontstyle;
            fontheight = rec->fontheight;
            fontcolor = TColor(rec->fontcolor);
            selectfontcolor = TColor(rec->selectfontcolor);
            focusfontcolor = TColor(rec->focusfontcolor);
            fixedfontname = rec->fixedfontname;
            fixedfontstyle = rec->fixedfontstyle;
            fixedfontheight = rec->fixedfontheight;
            fixedfontcolor = TColor(rec->fixedfontcolor);
            cellstretcheffect = rec->cellstretcheffect;
            fixedcellstretcheffect = rec->fixedcellstretcheffect;
            showfocus = rec->showfocus;
        }
    }
    if (FSkinIndex == -1) return;
    if (IsEmptySkinRect(selectcellrect)) selectcellrect = focuscellrect;
    if (IsEmptySkinRect(focuscellrect)) focuscellrect = selectcellrect;
    // Without a fixed-cell picture (or any picture) the grid keeps its plain look.
    if (IsEmptySkinRect(fixedcellrect) || !FPicture) {
        FSkinIndex = -1;
        FPicture = nullptr;
    }
}

void TskSkinCustomGrid::ChangeSkinData() {
    GetSkinData();
    if (FSkinIndex == -1) {
        SetDefaultRowHeight(FDefaultCellHeight);
        Invalidate();
    } else if (FUseSkinCellHeight && FDefaultRowHeight != selectcellrect.Height()) {
        SetDefaultRowHeight(selectcellrect.Height());
    } else {
        Invalidate();
    }
    ShowNeededScrollBars(true);
    if (FVScrollBar) FVScrollBar->SetAlign(FVScrollBar->Align());
    if (FHScrollBar) FHScrollBar->SetAlign(FHScrollBar->Align());
}

TRect TskSkinCustomGrid::GetCellTextRect(const TRect& CellRect, TGridDrawState State) const {
    if (FSkinIndex == -1) return CellRect;
    const bool fixed = (State & gdFixed) != 0;
    const TRect& skin = fixed ? fixedcellrect : selectcellrect;
    const TRect& text = fixed ? fixedcelltextrect : celltextrect;
    if (IsEmptySkinRect(text)) return CellRect;
    TRect r;
    r.Left = CellRect.Left + text.Left;
    r.Top = CellRect.Top + text.Top;
    r.Right = r.Left + text.Width() + (CellRect.Width() - skin.Width());
    const int d = FUseSkinCellHeight ? 0 : CellRect.Height() - skin.Height();
    r.Bottom = r.Top + text.Height() + d;
    return r;
}

// ---- messages

void TskSkinCustomGrid::WndProc(TMessage& Message) {
    TskSkinControl::WndProc(Message);
}

} // namespace vd
