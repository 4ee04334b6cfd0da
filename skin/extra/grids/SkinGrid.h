#pragma once
// The skinned grid's base: cells in columns and rows with fixed (header) columns and rows, a
// scrollable area from a top-left cell, per-column widths and per-row heights, a current cell and
// an anchor that span the selection, external skinned scroll bars and an in-place editor.
// The draw grid and the string grid (SkinDrawGrid.h) are the classes in use.
#include "platform/vcl/Form.h"
#include "skin/controls/Forward.h"
#include "skin/controls/SkinControl.h"
#include "skin/extra/grids/SkinGridTypes.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

#include <cstdint>
#include <functional>

namespace vd {

class TskSkinInplaceEdit;
class TskSkinCustomGrid;

// One axis of the computed layout; nothing of it is kept between calls.
struct TGridAxisLayout {
    int LineWidth = 0;
    int FixedEnd = 0;
    int GridEnd = 0;
    int ClientExtent = 0;
    int LastFullCell = 0;
    int FullCellsEnd = 0;
    int FixedCount = 0;
    int FirstCell = 0;
    int CellCount = 0;
    const TskSkinCustomGrid* Grid = nullptr;
    bool Rows = false;
    int Extent(int Index) const;
};

struct TGridLayout {
    TGridAxisLayout Horz, Vert;
};

enum TGridBorderStyle { gbsNone, gbsSingle };

class TskSkinCustomGrid : public TskSkinControl {
public:
    explicit TskSkinCustomGrid(TComponent* AOwner);
    ~TskSkinCustomGrid() override;

    // Published properties.
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool v) { FUseSkinFont = v; }
    bool UseSkinCellHeight() const { return FUseSkinCellHeight; }
    void SetUseSkinCellHeight(bool v) { FUseSkinCellHeight = v; }
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor v);
    TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    virtual void SetHScrollBar(TskSkinScrollBar* Bar);
    TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    virtual void SetVScrollBar(TskSkinScrollBar* Bar);
    TGridBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TGridBorderStyle v);
    int ColCount() const { return FColCount; }
    virtual void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    virtual void SetRowCount(int Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int v);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int v);
    int DefaultCellHeight() const { return FDefaultCellHeight; }
    void SetDefaultCellHeight(int v);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int v);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int v);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor v);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int v);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions v);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool v);

    // Extents. Widths and heights below 0 are taken as 0 (hidden).
    int GetColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int GetRowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    bool IsTabStop(int Index) const;
    bool HasColWidths() const { return !FColWidths.empty(); }
    bool HasRowHeights() const { return !FRowHeights.empty(); }

    // Current cell and selection.
    TGridCoord Current() const { return FCurrent; }
    TGridCoord Anchor() const { return FAnchor; }
    TGridCoord TopLeft() const { return FTopLeft; }
    int Col() const { return FCurrent.X; }
    int Row() const { return FCurrent.Y; }
    int LeftCol() const { return FTopLeft.X; }
    int TopRow() const { return FTopLeft.Y; }
    int ColOffset() const { return FColOffset; }
    TGridRect GetSelectionRect() const { return NormalizeCellRange(FCurrent, FAnchor); }
    virtual void MoveCurrentCell(int ACol, int ARow, bool AnchorFollows, bool Show);
    void MoveToCell(int ACol, int ARow, bool AnchorFollows);
    void SetCurrentRow(int ARow);
    void SetAnchorCell(TGridCoord Cell);
    void ResetPositions();
    TskGridState GridState() const { return FGridState; }

    // Geometry.
    TGridLayout CalcLayout(int ClientW, int ClientH) const;
    TGridLayout CalcLayout() const;
    TGridCoord MaxTopLeftFor(TGridCoord Cell, const TGridLayout& Layout) const;
    TRect CellBounds(int ACol, int ARow) const;
    TRect CellRangeRect(const TGridRect& Range, bool IncludeLines = false) const;
    TRect CellRangeRect(const TGridRect& Range, bool IncludeLines, const TGridLayout& L) const;
    TGridCoord CellAtPoint(int X, int Y) const;
    TGridCoord CellAtPoint(int X, int Y, const TGridLayout& L) const;
    int VisibleColCount() const;
    int VisibleRowCount() const;
    void RepaintCell(int ACol, int ARow);
    void InvalidateCellRange(const TGridRect& Range);
    void InvalidateWholeGrid();
    bool IsActiveGrid() const;

    // Scrolling.
    virtual void UpdateScrollBars(bool IncludeVertical);
    virtual void ShowNeededScrollBars(bool IncludeVertical);
    void HandleScroll(bool Horizontal, int Code, int Position, bool UseRightToLeft);
    void SetTopLeft(int ACol, int ARow);
    void ScrollIntoView(TGridCoord Cell);

    // Size and order.
    void ResizeGrid(int NewColCount, int NewRowCount);
    void MoveColumn(int From, int To);
    void MoveRow(int From, int To);
    virtual void DeleteColumn(int ACol);
    virtual void DeleteRow(int ARow);
    virtual void ResizeAt(int Index, int Amount, bool Rows);
    // Whether ColWidths and RowHeights go into form resources.
    bool SaveExtents = true;
    // Every top-left change repaints the whole grid instead of scrolling pixels.
    bool WholeRepaint = false;

    // Editing.
    TskSkinInplaceEdit* InplaceEditor() const { return FEditor; }
    bool EditorMode() const { return FEditMode; }
    void SetEditMode(bool v);
    void EnterEditMode();
    void LeaveEditMode();
    void EnterEditModeWithChar(TKeyChar C);
    void ReloadEditor();
    void PlaceEditor();
    void CloseEditor();
    int EditorCol() const { return FEditorCol; }
    int EditorRow() const { return FEditorRow; }
    virtual bool EditorMayModify() { return FModifyAllowed; }
    virtual bool AcceptsEditorKey(TKeyChar Key) { return (void)Key, true; }
    virtual bool AcceptsGridKey(Word Key, TShiftState Shift) { return (void)Key, (void)Shift, true; }
    virtual String QueryEditText(int ACol, int ARow) { return (void)ACol, (void)ARow, String(); }
    virtual void StoreEditText(int ACol, int ARow, const String& Value) {
        (void)ACol, (void)ARow, (void)Value;
    }
    virtual String QueryEditMask(int ACol, int ARow) { return (void)ACol, (void)ARow, String(); }
    virtual int QueryEditLimit() { return 0; }

    // Keyboard and mouse.
    void CancelGridState();
    struct TSizingHit {
        TskGridState State = gsNormal;
        int Index = -1, Pos = 0, Offset = 0;
    };
    virtual TSizingHit FindSizingEdge(int X, int Y, const TGridLayout& Layout) const;
    virtual void SelectionTimerStep(unsigned Directions);
    static constexpr unsigned sdLeft = 1, sdRight = 2, sdUp = 4, sdDown = 8;

    // Skin.
    void GetSkinData() override;
    void ChangeSkinData() override;
    TRect GetCellTextRect(const TRect& CellRect, TGridDrawState State) const;
    // The column width that shows Text whole in a body cell: the font, the text's offset and the
    // skin's cell insets as painting uses them.
    int CellWidthFor(const String& Text);
    // The picture of the record (not owned), or null.
    const TskBitmap* SkinPicture() const { return FPicture; }

    // The skin record's values.
    TRect fixedcellrect, selectcellrect, focuscellrect;
    int fixedcellleftoffset = 0, fixedcellrightoffset = 0;
    TRect fixedcelltextrect;
    int cellleftoffset = 0, cellrightoffset = 0;
    TRect celltextrect;
    TColor linescolor = 0, bgcolor = 0;
    String fontname;
    TskFontStyles fontstyle = 0;
    int fontheight = 0;
    TColor fontcolor = 0, selectfontcolor = 0, focusfontcolor = 0;
    String fixedfontname;
    TskFontStyles fixedfontstyle = 0;
    int fixedfontheight = 0;
    TColor fixedfontcolor = 0;
    bool cellstretcheffect = false, fixedcellstretcheffect = false, showfocus = false;

    // Form resources.
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    void GetProperties(TPropList& out) const override;

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

    // Tests make a step of ResizeGrid fail through it (called after the extents changed).
    std::function<void()> ResizeFaultHook;

protected:
    friend class TskSkinInplaceEdit;
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    virtual void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) = 0;
    virtual bool SelectCell(int ACol, int ARow) { return (void)ACol, (void)ARow, true; }
    virtual TskSkinInplaceEdit* NewInplaceEditor();
    virtual bool EditorMayShow();
    virtual void ColumnWasMoved(int From, int To) { (void)From, (void)To; }
    virtual void RowWasMoved(int From, int To) { (void)From, (void)To; }
    virtual void GridSizeChanged(int OldColCount, int OldRowCount) { (void)OldColCount, (void)OldRowCount; }
    virtual void TopLeftWasChanged();
    virtual void ColumnWidthsChangedHook();
    virtual void RowHeightsChangedHook();
    virtual bool MayBeginColumnMove(int Index, int& Pos, TPoint P) {
        return (void)Index, (void)Pos, (void)P, true;
    }
    virtual bool MayBeginRowMove(int Index, int& Pos, TPoint P) {
        return (void)Index, (void)Pos, (void)P, true;
    }
    virtual bool MayMoveColumnTo(int Index, int NewPos, TPoint P) {
        return (void)Index, (void)NewPos, (void)P, true;
    }
    virtual bool MayMoveRowTo(int Index, int NewPos, TPoint P) {
        return (void)Index, (void)NewPos, (void)P, true;
    }
    virtual bool MayEndColumnMove(int Index, int NewPos, TPoint P) {
        return (void)Index, (void)NewPos, (void)P, true;
    }
    virtual bool MayEndRowMove(int Index, int NewPos, TPoint P) {
        return (void)Index, (void)NewPos, (void)P, true;
    }

    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void DoExit() override;

    void InvalidateSelectionChange(const TGridRect& OldSel);
    void LoadEditor();
    void StoreEditorText();
    void NotifyDesigner();
    // The skin cell picture of a fixed, selected or focused cell, at the canvas font.
    void PaintSkinCell(TBitmap& Bitmap, TGridDrawState State, int W, int H);
    void SetCellFont(TCanvas& C, TGridDrawState State);
    void ApplySkinCharSet(TFont& F) const;

    TFont FGridFontFallback;

private:
    void AfterTopLeftMoved(TGridCoord Old);
    void ScrollCells(int DX, int DY, const TGridLayout& L);
    void SetBarPosition(bool Horizontal, int Value);
    void WireScrollBarEvents(TskSkinScrollBar* Bar, bool Horizontal);
    void UnwireScrollBar(TskSkinScrollBar* Bar);
    void AxisBarStep(bool Horizontal, TskSkinScrollBar* Bar, int& Schedule, bool& Updated,
                     TGridCoord OldTopLeft);
    void ResizeGridSteps(int Cols, int Rows, const TGridLayout& OldLayout, TGridCoord OldTopLeft,
                         bool HadWindow);
    void PaintLines(TCanvas& C, const TGridLayout& L);
    void PaintCells(TCanvas& C, const TGridLayout& L);
    void DrawSizingLine(const TGridLayout& L);
    void DrawMoveLine();
    void MoveAdjust(int M, int Cell, bool Horizontal, TPoint P);
    void TimerTick();
    void StartTimer();
    void StopTimer();

    bool FUseSkinFont = true, FUseSkinCellHeight = true;
    TColor FGridLineColor = clWindowText;
    TComponentLink<TskSkinScrollBar> FHScrollBar{this};
    TComponentLink<TskSkinScrollBar> FVScrollBar{this};
    TGridCoord FAnchor;
    TGridBorderStyle FBorderStyle = gbsSingle;
    bool FModifyAllowed = true;
    int FColCount = 5;
    TGridExtents FColWidths, FTabStops;
    TGridCoord FCurrent;
    int FDefaultColWidth = 64, FDefaultRowHeight = 20, FDefaultCellHeight = 20;
    int FFixedCols = 1, FFixedRows = 1;
    TColor FFixedColor = clBtnFace;
    int FGridLineWidth = 1;
    TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    int FRowCount = 5;
    TGridExtents FRowHeights;
    TGridCoord FTopLeft;
    int FSizingIndex = 0, FSizingPos = 0, FSizingOfs = 0;
    int FMoveIndex = 0, FMovePos = 0;
    TPoint FHitTest;
    TComponentLink<TskSkinInplaceEdit> FEditor{this};
    int FEditorCol = -1, FEditorRow = -1;
    int FColOffset = 0;
    bool FDefaultDrawing = true;
    bool FEditMode = false;
    bool FInScrollRange = false;
    TskGridState FGridState = gsNormal;
    bool FTimerOn = false;
    bool FMoveLineDrawn = false;
    const TskBitmap* FPicture = nullptr;
};

} // namespace vd
