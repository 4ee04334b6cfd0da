// Keys, mouse, wheel and the selection timer: navigation, range selection with timed scrolling,
// sizing columns and rows by their lines and moving them by their fixed cells.
#include "platform/gfx/Gdi.h"
#include "platform/vcl/Application.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/extra/grids/SkinGrid.h"
#include "skin/extra/grids/SkinInplaceEdit.h"

#include <algorithm>
#include <optional>

namespace vd {

namespace {
constexpr std::uintptr_t kSelectionTimer = 1;
constexpr UINT kSelectionInterval = 60;

struct TXorLine {
    TPoint From, To;
};

// Inverts a dotted line straight on the window, so drawing it again takes it away; the pen is
// left solid, copying and one pixel wide, with or without a line.
void DrawXorLine(TCanvas& c, HWND wnd, int penWidth, const std::optional<TXorLine>& line) {
    HDC dc = GetDC(wnd);
    c.SetHandle(dc);
    c.Pen().Style = psDot;
    c.Pen().Mode = pmXor;
    c.Pen().Width = penWidth;
    c.Pen().Color = clWhite;
    if (line) {
        c.MoveTo(line->From.X, line->From.Y);
        c.LineTo(line->To.X, line->To.Y);
    }
    c.Pen().Width = 1;
    c.Pen().Style = psSolid;
    c.Pen().Mode = pmCopy;
    c.SetHandle(nullptr);
    ReleaseDC(wnd, dc);
}
} // namespace

void TskSkinCustomGrid::StartTimer() {
    if (HandleAllocated()) FTimerOn = SetTimer(Handle(), kSelectionTimer, kSelectionInterval) != 0;
}

void TskSkinCustomGrid::StopTimer() {
    if (FTimerOn && HandleAllocated()) KillTimer(Handle(), kSelectionTimer);
    FTimerOn = false;
}

void TskSkinCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinControl::KeyDown(Key, Shift);
    if (!AcceptsGridKey(Key, Shift)) Key = 0;
    const int factor = 1;
    const TGridLayout l = CalcLayout();
    TGridCoord cur = FCurrent, tl = FTopLeft;
    const int pageW = std::max(1, l.Horz.LastFullCell - FTopLeft.X);
    const int pageH = std::max(1, l.Vert.LastFullCell - FTopLeft.Y);
    const bool rowSelect = FOptions & goRowSelect;
    if (Shift & ssCtrl) {
        switch (Key) {
        case VK_UP:
            --tl.Y;
            break;
        case VK_DOWN:
            ++tl.Y;
            break;
        case VK_LEFT:
            if (!rowSelect) {
                cur.X -= pageW * factor;
                tl.X -= pageW * factor;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                cur.X += pageW * factor;
                tl.X += pageW * factor;
            }
            break;
        case VK_PRIOR:
            cur.Y = FTopLeft.Y;
            break;
        case VK_NEXT:
            cur.Y = l.Vert.LastFullCell;
            break;
        case VK_HOME:
            cur = {FFixedCols, FFixedRows};
            break;
        case VK_END:
            cur = {FColCount - 1, FRowCount - 1};
            break;
        default:
            break;
        }
    } else {
        switch (Key) {
        case VK_UP:
            --cur.Y;
            break;
        case VK_DOWN:
            ++cur.Y;
            break;
        case VK_LEFT:
            if (rowSelect)
                tl.X -= factor;
            else
                cur.X -= factor;
            break;
        case VK_RIGHT:
            if (rowSelect)
                tl.X += factor;
            else
                cur.X += factor;
            break;
        case VK_PRIOR:
            cur.Y -= pageH;
            tl.Y -= pageH;
            break;
        case VK_NEXT:
            cur.Y += pageH;
            tl.Y += pageH;
            break;
        case VK_HOME:
            if (rowSelect)
                cur.Y = FFixedRows;
            else
                cur.X = FFixedCols;
            break;
        case VK_END:
            if (rowSelect)
                cur.Y = FRowCount - 1;
            else
                cur.X = FColCount - 1;
            break;
        case VK_TAB:
            if (!(Shift & ssAlt)) {
                const int start = cur.X;
                // Every column is a tab stop unless a descendant says otherwise; the walk
                // ends after one round in any case.
                for (long long guard = 0; guard <= FColCount; ++guard) {
                    if (Shift & ssShift) {
                        if (--cur.X < FFixedCols) {
                            cur.X = FColCount - 1;
                            if (--cur.Y < FFixedRows) cur.Y = FRowCount - 1;
                        }
                    } else {
                        if (++cur.X >= FColCount) {
                            cur.X = FFixedCols;
                            if (++cur.Y >= FRowCount) cur.Y = FFixedRows;
                        }
                    }
                    if (IsTabStop(cur.X) || cur.X == start) break;
                }
                Shift &= ~ssShift;
            }
            break;
        case VK_F2:
            SetEditMode(true);
            break;
        default:
            break;
        }
    }
    const TGridCoord mx = MaxTopLeftFor({FColCount - 1, FRowCount - 1}, l);
    tl = ClampCell(tl, FFixedCols, FFixedRows, mx.X, mx.Y);
    if (!(tl == FTopLeft)) SetTopLeft(tl.X, tl.Y);
    cur = ClampCell(cur, FFixedCols, FFixedRows, FColCount - 1, FRowCount - 1);
    if (!(cur == FCurrent)) MoveToCell(cur.X, cur.Y, !(Shift & ssShift));
}

void TskSkinCustomGrid::KeyPress(TKeyChar& Key) {
    TskSkinControl::KeyPress(Key);
    if (!(FOptions & goAlwaysShowEditor) && Key == 13) {
        if (FEditMode)
            LeaveEditMode();
        else
            EnterEditMode();
        Key = 0;
    }
}

TskSkinCustomGrid::TSizingHit TskSkinCustomGrid::FindSizingEdge(int X, int Y, const TGridLayout& L) const {
    TSizingHit hit;
    TGridOptions opts = FOptions;
    if (Designing()) opts |= goRowSizing | goColSizing;
    if (!(opts & (goColSizing | goRowSizing))) return hit;
    auto test = [&](const TGridAxisLayout& a, int p, TskGridState state) {
        int range = a.LineWidth, back = 0;
        if (range < 7) {
            range = 7;
            back = (7 - a.LineWidth) / 2;
        }
        long long line = a.FixedEnd;
        for (int i = a.FirstCell; i < a.CellCount; ++i) {
            line += a.Extent(i);
            if (line > a.GridEnd) break;
            if (line - back <= p && p <= line - back + range) {
                hit = {state, i, static_cast<int>(line), static_cast<int>(line - p)};
                return;
            }
            line += a.LineWidth;
        }
        if (a.GridEnd == a.ClientExtent && a.GridEnd - back <= p && p <= a.GridEnd)
            hit = {state, a.LastFullCell + 1, a.GridEnd, a.GridEnd - p};
    };
    if (X >= L.Horz.FixedEnd && (opts & goColSizing)) {
        if (Y < L.Vert.FixedEnd) test(L.Horz, X, gsColSizing);
    } else if (Y >= L.Vert.FixedEnd && (opts & goRowSizing) && X < L.Horz.FixedEnd) {
        test(L.Vert, Y, gsRowSizing);
    }
    return hit;
}

void TskSkinCustomGrid::DrawSizingLine(const TGridLayout& L) {
    if (!HandleAllocated()) return;
    std::optional<TXorLine> line;
    if (FGridState == gsRowSizing)
        line = TXorLine{{0, FSizingPos}, {L.Horz.ClientExtent, FSizingPos}};
    else if (FGridState == gsColSizing)
        line = TXorLine{{FSizingPos, 0}, {FSizingPos, L.Vert.ClientExtent}};
    DrawXorLine(Canvas(), Handle(), 1, line);
}

void TskSkinCustomGrid::DrawMoveLine() {
    if (!HandleAllocated()) return;
    std::optional<TXorLine> line;
    if (FGridState == gsRowMoving) {
        const TRect r = CellBounds(0, FMovePos);
        const int y = FMoveIndex < FMovePos ? r.Bottom : r.Top;
        line = TXorLine{{0, y}, {ClientWidth(), y}};
    } else if (FGridState == gsColMoving) {
        const TRect r = CellBounds(FMovePos, 0);
        const int x = FMoveIndex < FMovePos ? r.Right : r.Left;
        line = TXorLine{{x, 0}, {x, ClientHeight()}};
    }
    DrawXorLine(Canvas(), Handle(), 5, line);
    FMoveLineDrawn = !FMoveLineDrawn;
}

void TskSkinCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    CloseEditor();
    if (!Designing() && (CanFocus() || !GetParentForm(this))) {
        if (HandleAllocated() && GetFocus() != Handle()) SetFocus();
        if (!IsActiveGrid()) {
            SetMouseCapture(false);
            return;
        }
    }
    if (Button == mbLeft && (Shift & ssDouble)) {
        DblClick();
    } else if (Button == mbLeft) {
        TGridLayout l = CalcLayout();
        const TSizingHit hit = FindSizingEdge(X, Y, l);
        if (hit.State != gsNormal) {
            FGridState = hit.State;
            FSizingIndex = hit.Index;
            FSizingPos = hit.Pos;
            FSizingOfs = hit.Offset;
            DrawSizingLine(l);
            return;
        }
        const TGridCoord cell = CellAtPoint(X, Y, l);
        const bool fixedCol = cell.X >= 0 && cell.X < FFixedCols;
        const bool fixedRow = cell.Y >= 0 && cell.Y < FFixedRows;
        if (fixedCol || fixedRow) {
            if ((FOptions & goRowMoving) && fixedCol && cell.Y >= FFixedRows) {
                FMoveIndex = cell.Y;
                FMovePos = cell.Y;
                if (MayBeginRowMove(FMoveIndex, FMovePos, {X, Y})) {
                    FGridState = gsRowMoving;
                    Update();
                    FMoveLineDrawn = false;
                    DrawMoveLine();
                    StartTimer();
                }
            } else if ((FOptions & goColMoving) && fixedRow && cell.X >= FFixedCols) {
                FMoveIndex = cell.X;
                FMovePos = cell.X;
                if (MayBeginColumnMove(FMoveIndex, FMovePos, {X, Y})) {
                    FGridState = gsColMoving;
                    Update();
                    FMoveLineDrawn = false;
                    DrawMoveLine();
                    StartTimer();
                }
            }
        } else if (cell.X >= 0 && cell.Y >= 0) {
            if (FOptions & goEditing) {
                if (cell == FCurrent) {
                    EnterEditMode();
                } else {
                    MoveCurrentCell(cell.X, cell.Y, true, true);
                    PlaceEditor();
                }
                Click();
            } else {
                FGridState = gsSelecting;
                StartTimer();
                if (Shift & ssShift)
                    SetAnchorCell(cell);
                else
                    MoveCurrentCell(cell.X, cell.Y, true, true);
            }
        }
    }
    try {
        TskSkinControl::MouseDown(Button, Shift, X, Y);
    } catch (const std::exception&) {
        if (FMoveLineDrawn) DrawMoveLine();
    }
}

void TskSkinCustomGrid::MoveAdjust(int M, int Cell, bool Horizontal, TPoint P) {
    TGridLayout l = CalcLayout();
    const TGridAxisLayout* a = Horizontal ? &l.Horz : &l.Vert;
    const int count = Horizontal ? FColCount : FRowCount;
    if (Cell == FMovePos) return;
    if (FMovePos == a->FirstCell && M < a->FixedEnd) return;
    if (FMovePos == count - 1 && M > a->GridEnd) return;
    DrawMoveLine();
    if (M < a->FixedEnd) {
        if (FMovePos > a->FirstCell) {
            HandleScroll(Horizontal, SB_LINEUP, 0, false);
            Update();
            l = CalcLayout();
            a = Horizontal ? &l.Horz : &l.Vert;
        }
        Cell = a->FirstCell;
    } else if (M >= a->FullCellsEnd) {
        if (FMovePos == a->LastFullCell && FMovePos < count - 1) {
            HandleScroll(Horizontal, SB_LINEDOWN, 0, false);
            Update();
            l = CalcLayout();
            a = Horizontal ? &l.Horz : &l.Vert;
        }
        Cell = a->LastFullCell;
    } else if (Cell < 0) {
        Cell = FMovePos;
    }
    const bool ok = Horizontal ? MayMoveColumnTo(FMoveIndex, Cell, P) : MayMoveRowTo(FMoveIndex, Cell, P);
    if (ok) FMovePos = Cell;
    DrawMoveLine();
}

void TskSkinCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    const TGridLayout l = CalcLayout();
    switch (FGridState) {
    case gsSelecting:
    case gsRowMoving:
    case gsColMoving: {
        const TGridCoord cell = CellAtPoint(X, Y, l);
        if (cell.X >= FFixedCols && cell.Y >= FFixedRows && cell.X <= l.Horz.LastFullCell + 1 &&
            cell.Y <= l.Vert.LastFullCell + 1) {
            if (FGridState == gsSelecting) {
                if (!(cell == FAnchor)) SetAnchorCell(cell);
            } else if (FGridState == gsColMoving) {
                MoveAdjust(X, cell.X, true, {X, Y});
            } else {
                MoveAdjust(Y, cell.Y, false, {X, Y});
            }
        }
        break;
    }
    case gsRowSizing:
    case gsColSizing:
        DrawSizingLine(l);
        FSizingPos = (FGridState == gsRowSizing ? Y : X) + FSizingOfs;
        DrawSizingLine(l);
        break;
    default:
        break;
    }
    TskSkinControl::MouseMove(Shift, X, Y);
}

void TskSkinCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    try {
        switch (FGridState) {
        case gsSelecting:
            MouseMove(Shift, X, Y);
            StopTimer();
            PlaceEditor();
            Click();
            break;
        case gsRowSizing:
        case gsColSizing: {
            const TGridLayout l = CalcLayout();
            DrawSizingLine(l);
            const bool rows = FGridState == gsRowSizing;
            const TGridAxisLayout& a = rows ? l.Vert : l.Horz;
            long long start = a.FixedEnd;
            for (int i = a.FirstCell; i < FSizingIndex && i < a.CellCount; ++i)
                start += static_cast<long long>(a.Extent(i)) + a.LineWidth;
            const long long size = FSizingPos - start;
            if (size > 1 && FSizingIndex < a.CellCount) {
                const int v = static_cast<int>(std::min<long long>(size, INT_MAX / 4));
                if (rows)
                    SetRowHeights(FSizingIndex, v);
                else
                    SetColWidths(FSizingIndex, v);
                NotifyDesigner();
            }
            break;
        }
        case gsRowMoving:
        case gsColMoving: {
            if (FMoveLineDrawn) DrawMoveLine();
            StopTimer();
            const bool rows = FGridState == gsRowMoving;
            const bool ok = rows ? MayEndRowMove(FMoveIndex, FMovePos, {X, Y})
                                 : MayEndColumnMove(FMoveIndex, FMovePos, {X, Y});
            if (ok && FMoveIndex != FMovePos) {
                if (rows)
                    MoveRow(FMoveIndex, FMovePos);
                else
                    MoveColumn(FMoveIndex, FMovePos);
                NotifyDesigner();
            }
            PlaceEditor();
            break;
        }
        default:
            PlaceEditor();
            break;
        }
    } catch (...) {
        FGridState = gsNormal;
        StopTimer();
        throw;
    }
    FGridState = gsNormal;
    TskSkinControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCustomGrid::TimerTick() {
    if (FGridState != gsSelecting && FGridState != gsRowMoving && FGridState != gsColMoving) return;
    TPoint p;
    GetCursorPos(p);
    p = ScreenToClient(p);
    const TGridLayout l = CalcLayout();
    const TGridCoord cell = CellAtPoint(p.X, p.Y, l);
    if (FGridState == gsSelecting) {
        unsigned dirs = 0;
        if (p.X < l.Horz.FixedEnd) dirs |= sdLeft;
        if (p.X > l.Horz.FullCellsEnd) dirs |= sdRight;
        if (p.Y < l.Vert.FixedEnd) dirs |= sdUp;
        if (p.Y > l.Vert.FullCellsEnd) dirs |= sdDown;
        if (dirs) SelectionTimerStep(dirs);
    } else if (FGridState == gsRowMoving) {
        MoveAdjust(p.Y, cell.Y, false, p);
    } else {
        MoveAdjust(p.X, cell.X, true, p);
    }
}

void TskSkinCustomGrid::SelectionTimerStep(unsigned Directions) {
    TGridCoord a = FAnchor;
    if ((Directions & sdLeft) && a.X > FFixedCols) --a.X;
    if ((Directions & sdRight) && a.X < FColCount - 1) ++a.X;
    if ((Directions & sdUp) && a.Y > FFixedRows) --a.Y;
    if ((Directions & sdDown) && a.Y < FRowCount - 1) ++a.Y;
    if (!(a == FAnchor)) SetAnchorCell(a);
}

void TskSkinCustomGrid::CancelGridState() {
    switch (FGridState) {
    case gsSelecting:
        StopTimer();
        break;
    case gsRowSizing:
    case gsColSizing:
        DrawSizingLine(CalcLayout());
        break;
    case gsRowMoving:
    case gsColMoving:
        if (FMoveLineDrawn) DrawMoveLine();
        StopTimer();
        break;
    default:
        break;
    }
    FGridState = gsNormal;
}

bool TskSkinCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (!TskSkinControl::DoMouseWheelDown(Shift, MousePos) && FCurrent.Y < FRowCount - 1)
        SetCurrentRow(FCurrent.Y + 1);
    return true;
}

bool TskSkinCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (!TskSkinControl::DoMouseWheelUp(Shift, MousePos) && FCurrent.Y > FFixedRows)
        SetCurrentRow(FCurrent.Y - 1);
    return true;
}

void TskSkinCustomGrid::DoExit() {
    TskSkinControl::DoExit();
    if (!(FOptions & goAlwaysShowEditor)) LeaveEditMode();
}

void TskSkinCustomGrid::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        if (!(FOptions & goRowSelect)) {
            if (FOptions & goTabs) Message.Result |= DLGC_WANTTAB;
            if (FOptions & goEditing) Message.Result |= DLGC_WANTCHARS;
        }
        return;
    case CM_WANTSPECIALKEY:
        TskSkinControl::Dispatch(Message);
        if ((FOptions & goEditing) && Message.WParam == VK_RETURN) Message.Result = 1;
        return;
    case WM_CHAR: {
        const auto ch = static_cast<TKeyChar>(Message.WParam);
        if ((FOptions & goEditing) && (ch == 8 || ch >= 32)) {
            EnterEditModeWithChar(ch);
            Message.Result = 0;
            return;
        }
        TskSkinControl::Dispatch(Message);
        return;
    }
    case WM_SETFOCUS:
        TskSkinControl::Dispatch(Message);
        if (!FEditor || !FEditor->HandleAllocated() ||
            reinterpret_cast<HWND>(Message.WParam) != FEditor->Handle()) {
            InvalidateCellRange(GetSelectionRect());
            Invalidate(); // the row focus rectangle shows with the focus
            PlaceEditor();
        }
        return;
    case WM_KILLFOCUS:
        TskSkinControl::Dispatch(Message);
        Invalidate();
        if (FEditor &&
            (!FEditor->HandleAllocated() || reinterpret_cast<HWND>(Message.WParam) != FEditor->Handle()))
            CloseEditor();
        return;
    case WM_LBUTTONDOWN:
        if (FEditor) FEditor->NoteGridClick(static_cast<std::uint32_t>(GetMessageTime()));
        TskSkinControl::Dispatch(Message);
        return;
    case WM_NCHITTEST:
        TskSkinControl::Dispatch(Message);
        FHitTest = ScreenToClient({GetXLParam(Message.LParam), GetYLParam(Message.LParam)});
        return;
    case WM_SETCURSOR:
        if (LoWord(static_cast<std::uintptr_t>(Message.LParam)) == HTCLIENT) {
            TskGridState state = FGridState;
            if (state == gsNormal) state = FindSizingEdge(FHitTest.X, FHitTest.Y, CalcLayout()).State;
            if (state == gsRowSizing || state == gsColSizing) {
                SetCursorShape(CursorToShape(state == gsRowSizing ? crVSplit : crHSplit));
                Message.Result = 1;
                return;
            }
        }
        TskSkinControl::Dispatch(Message);
        return;
    case WM_CANCELMODE:
        TskSkinControl::Dispatch(Message);
        CancelGridState();
        return;
    case CM_CANCELMODE:
        if (FEditor && FEditor->HandleAllocated())
            FEditor->Perform(Message.Msg, Message.WParam, Message.LParam);
        TskSkinControl::Dispatch(Message);
        CancelGridState();
        return;
    case CM_FONTCHANGED:
        if (FEditor) FEditor->Font().Assign(Font());
        TskSkinControl::Dispatch(Message);
        return;
    case CM_VISIBLECHANGED:
        TskSkinControl::Dispatch(Message);
        if (FVScrollBar) FVScrollBar->SetVisible(Visible());
        if (FHScrollBar) FHScrollBar->SetVisible(Visible());
        return;
    case WM_TIMER:
        TskSkinControl::Dispatch(Message);
        if (Message.WParam == kSelectionTimer) TimerTick();
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        HandleScroll(Message.Msg == WM_HSCROLL, ScrollCode(Message.WParam), ScrollPos(Message.WParam), true);
        Message.Result = 0;
        return;
    case WM_SIZE:
        TskSkinControl::Dispatch(Message);
        if (FSkinIndex == -1 && (FOptions & goRowSelect)) InvalidateWholeGrid();
        if (!FInScrollRange) ShowNeededScrollBars(true);
        return;
    case WM_PAINT:
        TskSkinControl::Dispatch(Message);
        if (!FInScrollRange) ShowNeededScrollBars(true);
        return;
    case WM_COMMAND:
        if (FEditor && FEditor->HandleAllocated() &&
            reinterpret_cast<HWND>(Message.LParam) == FEditor->Handle() &&
            HiWord(static_cast<std::uintptr_t>(Message.WParam)) == EN_CHANGE) {
            // The editor takes its text from the window first.
            FEditor->Perform(CN_COMMAND, Message.WParam, Message.LParam);
            StoreEditorText();
        }
        return;
    default:
        TskSkinControl::Dispatch(Message);
    }
}

} // namespace vd
