// Scrolling: the top-left cell (or a pixel offset for a single column) and the external skinned
// scroll bars, which always run 0..127 in cell mode.
#include "platform/vcl/Application.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/extra/grids/SkinGrid.h"
#include "skin/extra/grids/SkinInplaceEdit.h"

#include <algorithm>

namespace vd {

void TskSkinCustomGrid::UnwireScrollBar(TskSkinScrollBar* Bar) {
    if (!Bar) return;
    // Its events point at this grid.
    Bar->OnChange = Bar->OnLastChange = Bar->OnUpButtonClick = Bar->OnDownButtonClick = Bar->OnPageUp =
        Bar->OnPageDown = nullptr;
}

void TskSkinCustomGrid::SetHScrollBar(TskSkinScrollBar* Bar) {
    if (FHScrollBar && FHScrollBar != Bar) UnwireScrollBar(FHScrollBar);
    FHScrollBar = Bar;
    if (!Bar) return;
    Bar->SetEnabled(true);
    Bar->SetVisible(false);
    WireScrollBarEvents(Bar, true);
    ShowNeededScrollBars(true);
}

void TskSkinCustomGrid::SetVScrollBar(TskSkinScrollBar* Bar) {
    if (FVScrollBar && FVScrollBar != Bar) UnwireScrollBar(FVScrollBar);
    FVScrollBar = Bar;
    if (!Bar) return;
    Bar->SetEnabled(true);
    Bar->SetVisible(false);
    WireScrollBarEvents(Bar, false);
    ShowNeededScrollBars(true);
}

void TskSkinCustomGrid::WireScrollBarEvents(TskSkinScrollBar* Bar, bool Horizontal) {
    auto send = [this, Horizontal](int code, int pos) {
        if (HandleAllocated())
            SendMessage(Handle(), Horizontal ? WM_HSCROLL : WM_VSCROLL, MakeScrollWParam(code, pos), 0);
    };
    if (Horizontal) {
        Bar->OnUpButtonClick = [Bar, send](TObject*) {
            Bar->SetPosition(Bar->Position() + Bar->SmallChange());
            send(SB_THUMBPOSITION, Bar->Position());
        };
        Bar->OnDownButtonClick = [Bar, send](TObject*) {
            Bar->SetPosition(Bar->Position() - Bar->SmallChange());
            send(SB_THUMBPOSITION, Bar->Position());
        };
    } else {
        // The bar's up button scrolls down: its buttons are named for the value, not the view.
        Bar->OnUpButtonClick = [send](TObject*) { send(SB_LINEDOWN, 0); };
        Bar->OnDownButtonClick = [send](TObject*) { send(SB_LINEUP, 0); };
    }
    Bar->OnPageUp = [send](TObject*) { send(SB_PAGEUP, 0); };
    Bar->OnPageDown = [send](TObject*) { send(SB_PAGEDOWN, 0); };
    auto thumb = [Bar, send](TObject*) { send(SB_THUMBPOSITION, Bar->Position()); };
    if (FOptions & goThumbTracking) {
        Bar->OnChange = thumb;
        Bar->OnLastChange = nullptr;
    } else {
        Bar->OnLastChange = thumb;
        Bar->OnChange = nullptr;
    }
}

void TskSkinCustomGrid::SetBarPosition(bool Horizontal, int Value) {
    TskSkinScrollBar* bar = Horizontal ? FHScrollBar : FVScrollBar;
    if (bar) bar->SimpleSetPosition(Value);
}

void TskSkinCustomGrid::UpdateScrollBars(bool IncludeVertical) {
    if (!HandleAllocated()) return;
    const TGridLayout l = CalcLayout();
    const TGridCoord mx = MaxTopLeftFor({FColCount - 1, FRowCount - 1}, l);
    if (FColCount == 1) {
        const int width = GetColWidths(0);
        const int space = l.Horz.ClientExtent - l.Horz.FixedEnd;
        if (FColOffset > 0 && width - FColOffset < space)
            HandleScroll(true, SB_THUMBPOSITION, width - space, true);
        else
            SetBarPosition(true, FColOffset);
    } else {
        // A zero divisor gives -1, which the bar clamps to its minimum.
        SetBarPosition(true, MulDiv(FTopLeft.X - FFixedCols, 127, mx.X - FFixedCols));
    }
    if (IncludeVertical) SetBarPosition(false, MulDiv(FTopLeft.Y - FFixedRows, 127, mx.Y - FFixedRows));
}

void TskSkinCustomGrid::HandleScroll(bool Horizontal, int Code, int Position, bool UseRightToLeft) {
    (void)UseRightToLeft;
    const int factor = 1; // no right-to-left reading here
    if (Visible() && CanFocus() && TabStop() && !Designing() && HandleAllocated() && GetFocus() != Handle())
        SetFocus();
    TGridLayout l = CalcLayout();
    if (Horizontal && FColCount == 1) {
        const int width = GetColWidths(0);
        const int space = l.Horz.ClientExtent - l.Horz.FixedEnd;
        int ofs = FColOffset;
        switch (Code) {
        case SB_LINEUP:
            ofs -= Canvas().TextWidth("0") * factor;
            break;
        case SB_LINEDOWN:
            ofs += Canvas().TextWidth("0") * factor;
            break;
        case SB_PAGEUP:
            ofs -= space * factor;
            break;
        case SB_PAGEDOWN:
            ofs += space * factor;
            break;
        case SB_THUMBTRACK:
            if (!(FOptions & goThumbTracking)) break;
            [[fallthrough]];
        case SB_THUMBPOSITION:
            ofs = Position;
            break;
        case SB_TOP:
            ofs = width - space;
            break;
        case SB_BOTTOM:
            ofs = 0;
            break;
        default:
            break;
        }
        ofs = std::max(0, std::min(ofs, width - space));
        if (ofs != FColOffset) {
            const int old = FColOffset;
            FColOffset = ofs;
            ScrollCells(old - ofs, 0, l);
            InvalidateCellRange({0, 0, 0, FFixedRows});
            Update();
            UpdateScrollBars(true);
        }
        return;
    }
    const TGridCoord mx = MaxTopLeftFor({FColCount - 1, FRowCount - 1}, l);
    TGridCoord neu = FTopLeft;
    const int mn = Horizontal ? FFixedCols : FFixedRows;
    const int maxv = Horizontal ? mx.X : mx.Y;
    const int f = Horizontal ? factor : 1;
    auto step = [&](int v) {
        switch (Code) {
        case SB_LINEUP:
            return v - f;
        case SB_LINEDOWN:
            return v + f;
        case SB_PAGEUP: {
            const TGridCoord back = MaxTopLeftFor(FTopLeft, l);
            const int page = std::max(1, Horizontal ? FTopLeft.X - back.X : FTopLeft.Y - back.Y);
            return v - page * f;
        }
        case SB_PAGEDOWN: {
            const int page =
                std::max(1, Horizontal ? l.Horz.LastFullCell - FTopLeft.X : l.Vert.LastFullCell - FTopLeft.Y);
            return v + page * f;
        }
        case SB_THUMBTRACK:
            if (!(FOptions & goThumbTracking)) return v;
            [[fallthrough]];
        case SB_THUMBPOSITION:
            return mn + MulDiv(Position, maxv - mn, 127);
        case SB_TOP:
            return mn;
        case SB_BOTTOM:
            return maxv;
        default:
            return v;
        }
    };
    int& coord = Horizontal ? neu.X : neu.Y;
    // Hidden cells are skipped.
    for (;;) {
        const int before = coord;
        coord = step(coord);
        if (coord == before || coord <= mn || coord >= maxv) break;
        const int e = Horizontal ? GetColWidths(coord) : GetRowHeights(coord);
        if (e > 0) break;
        if (Code != SB_LINEUP && Code != SB_LINEDOWN && Code != SB_PAGEUP && Code != SB_PAGEDOWN) break;
    }
    neu.X = std::max(FFixedCols, std::min(neu.X, mx.X));
    neu.Y = std::max(FFixedRows, std::min(neu.Y, mx.Y));
    if (!(neu == FTopLeft)) SetTopLeft(neu.X, neu.Y);
}

void TskSkinCustomGrid::SetTopLeft(int ACol, int ARow) {
    if (FTopLeft.X == ACol && FTopLeft.Y == ARow) return;
    Update();
    const TGridCoord old = FTopLeft;
    FTopLeft = {ACol, ARow};
    AfterTopLeftMoved(old);
}

void TskSkinCustomGrid::AfterTopLeftMoved(TGridCoord Old) {
    UpdateScrollBars(true);
    const TGridLayout l = CalcLayout();
    bool whole = WholeRepaint;
    auto distance = [&](const TGridAxisLayout& a, int oldFirst, int newFirst) -> long long {
        const int lo = std::min(oldFirst, newFirst), hi = std::max(oldFirst, newFirst);
        long long d = 0;
        for (int i = lo; i < hi; ++i) {
            d += static_cast<long long>(a.Extent(i)) + a.LineWidth;
            if (d > static_cast<long long>(a.GridEnd) - a.FixedEnd) {
                whole = true;
                return 0;
            }
        }
        return newFirst > oldFirst ? -d : d;
    };
    const long long dx = distance(l.Horz, Old.X, FTopLeft.X);
    const long long dy = whole ? 0 : distance(l.Vert, Old.Y, FTopLeft.Y);
    if (whole)
        InvalidateWholeGrid();
    else
        ScrollCells(static_cast<int>(dx), static_cast<int>(dy), l);
    TopLeftWasChanged();
    if (HandleAllocated()) {
        const TRect strip{std::min(l.Horz.GridEnd, Width() - 1), 0, Width(), Height()};
        InvalidateRect(Handle(), &strip, TRUE);
    }
}

void TskSkinCustomGrid::TopLeftWasChanged() {
    if (FEditMode && FEditor) FEditor->MoveTo(CellBounds(FCurrent.X, FCurrent.Y), false);
}

void TskSkinCustomGrid::ScrollCells(int DX, int DY, const TGridLayout& L) {
    if (!HandleAllocated() || (DX == 0 && DY == 0)) return;
    const UINT flags = SW_INVALIDATE | (FDefaultDrawing ? 0u : SW_ERASE);
    const int hf = L.Horz.FixedEnd, vf = L.Vert.FixedEnd, hc = L.Horz.ClientExtent, vc = L.Vert.ClientExtent;
    if (DY == 0) {
        const TRect r{hf, 0, hc, vc};
        ScrollWindowEx(Handle(), DX, 0, &r, &r, nullptr, nullptr, flags);
    } else if (DX == 0) {
        const TRect r{0, vf, hc, vc};
        ScrollWindowEx(Handle(), 0, DY, &r, &r, nullptr, nullptr, flags);
    } else {
        const TRect cols{hf, 0, hc, vf};
        ScrollWindowEx(Handle(), DX, 0, &cols, &cols, nullptr, nullptr, flags);
        const TRect rows{0, vf, hf, vc};
        ScrollWindowEx(Handle(), 0, DY, &rows, &rows, nullptr, nullptr, flags);
        const TRect data{hf, vf, hc, vc};
        ScrollWindowEx(Handle(), DX, DY, &data, &data, nullptr, nullptr, flags);
    }
    if (FOptions & goRowSelect) {
        const TRect s = CellRangeRect(GetSelectionRect(), true);
        if (s.Right > s.Left && s.Bottom > s.Top) InvalidateRect(Handle(), &s, FALSE);
    }
}

void TskSkinCustomGrid::ScrollIntoView(TGridCoord Cell) {
    if (!HandleAllocated()) return;
    const TGridLayout l = CalcLayout();
    if (Cell.X >= FTopLeft.X && Cell.X <= l.Horz.LastFullCell && Cell.Y >= FTopLeft.Y &&
        Cell.Y <= l.Vert.LastFullCell)
        return;
    const TGridCoord old = FTopLeft;
    const TGridCoord mx = MaxTopLeftFor(Cell, l);
    Update();
    if (Cell.X < FTopLeft.X)
        FTopLeft.X = Cell.X;
    else if (Cell.X > l.Horz.LastFullCell)
        FTopLeft.X = mx.X;
    if (Cell.Y < FTopLeft.Y)
        FTopLeft.Y = Cell.Y;
    else if (Cell.Y > l.Vert.LastFullCell)
        FTopLeft.Y = mx.Y;
    // A fixed cell is never a top-left.
    FTopLeft.X = std::max(FTopLeft.X, FFixedCols);
    FTopLeft.Y = std::max(FTopLeft.Y, FFixedRows);
    if (!(FTopLeft == old)) AfterTopLeftMoved(old);
}

void TskSkinCustomGrid::AxisBarStep(bool Horizontal, TskSkinScrollBar* Bar, int& Schedule, bool& Updated,
                                    TGridCoord OldTopLeft) {
    (void)OldTopLeft;
    const TGridLayout l = CalcLayout();
    const TGridCoord mx = MaxTopLeftFor({FColCount - 1, FRowCount - 1}, l);
    const int maxv = Horizontal ? mx.X : mx.Y;
    const int fixed = Horizontal ? FFixedCols : FFixedRows;
    if (Bar) {
        if (maxv > fixed) {
            Bar->SetRange({.Min = 0, .Max = 127, .Position = Bar->Position(), .PageSize = 0});
            const int count = Horizontal ? FColCount : FRowCount;
            const int visible =
                Horizontal ? l.Horz.LastFullCell - FTopLeft.X + 1 : l.Vert.LastFullCell - FTopLeft.Y + 1;
            const int div = std::max(1, count - visible - fixed);
            const int small = std::max(1, 127 / div);
            Bar->SetSmallChange(small);
            Bar->SetLargeChange(small);
            if (!Bar->Visible()) Schedule = 1;
        } else {
            Bar->SetRange({.Min = 0, .Max = 0, .Position = 0, .PageSize = 0});
            if (Bar->Visible()) Schedule = -1;
        }
    }
    int& tl = Horizontal ? FTopLeft.X : FTopLeft.Y;
    if (maxv < tl) {
        if (!Updated) {
            Update();
            Updated = true;
        }
        tl = std::max(maxv, fixed);
    }
}

void TskSkinCustomGrid::ShowNeededScrollBars(bool IncludeVertical) {
    if (!HandleAllocated() || !Showing() || FInScrollRange) return;
    const int cw = ClientWidth();
    const TGridCoord oldTopLeft = FTopLeft;
    int hSchedule = 0, vSchedule = 0; // 1 show, -1 hide
    bool updated = false;
    auto horizontal = [&] {
        if (FColCount == 1) {
            const int range = std::max(0, GetColWidths(0) - ClientWidth());
            if (!FHScrollBar) return;
            if (range == 0) {
                if (FHScrollBar->Visible()) hSchedule = -1;
                return;
            }
            FHScrollBar->SetRange(
                {.Min = 0, .Max = range, .Position = FHScrollBar->Position(), .PageSize = 0});
            const int div = std::max(1, FColCount - VisibleColCount() - FFixedCols);
            const int small = std::max(1, FHScrollBar->Max() / div);
            FHScrollBar->SetSmallChange(small);
            FHScrollBar->SetLargeChange(small);
            if (!FHScrollBar->Visible()) hSchedule = 1;
        } else {
            AxisBarStep(true, FHScrollBar, hSchedule, updated, oldTopLeft);
        }
    };
    horizontal();
    if (IncludeVertical) AxisBarStep(false, FVScrollBar, vSchedule, updated, oldTopLeft);
    if (ClientWidth() != cw) horizontal();
    UpdateScrollBars(true);
    if (!(FTopLeft == oldTopLeft)) AfterTopLeftMoved(oldTopLeft);
    bool changed = false;
    FInScrollRange = true;
    try {
        if (FVScrollBar && vSchedule != 0) {
            FVScrollBar->SetVisible(vSchedule > 0);
            changed = true;
        }
        if (FHScrollBar && hSchedule != 0) {
            FHScrollBar->SetVisible(hSchedule > 0);
            changed = true;
        }
        if (FHScrollBar && FVScrollBar) {
            const bool both = FVScrollBar->Visible();
            if (FHScrollBar->Both() != both) FHScrollBar->SetBoth(both);
        }
        if (changed && Align() != alNone && Parent()) {
            Parent()->Realign();
            Invalidate();
        }
    } catch (...) {
        FInScrollRange = false;
        throw;
    }
    FInScrollRange = false;
}

} // namespace vd
