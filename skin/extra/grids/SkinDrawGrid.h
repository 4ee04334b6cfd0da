#pragma once
// The two grids in use: the draw grid turns the grid's hooks into events, the string grid keeps a
// string and an object per cell in sparse storage and draws the text itself.
#include "skin/extra/grids/SkinGrid.h"
#include "skin/extra/grids/SkinSparse.h"

namespace vd {

using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;
using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

class TskSkinDrawGrid : public TskSkinCustomGrid {
public:
    using TskSkinCustomGrid::TskSkinCustomGrid;

    TMovedEvent OnColumnMoved;
    TDrawCellEvent OnDrawCell;
    TGetEditEvent OnGetEditMask;
    TGetEditEvent OnGetEditText;
    TMovedEvent OnRowMoved;
    TSelectCellEvent OnSelectCell;
    TSetEditEvent OnSetEditText;
    TNotifyEvent OnTopLeftChanged;

    String QueryEditMask(int ACol, int ARow) override;
    String QueryEditText(int ACol, int ARow) override;
    void StoreEditText(int ACol, int ARow, const String& Value) override;

protected:
    void ColumnWasMoved(int From, int To) override;
    void RowWasMoved(int From, int To) override;
    bool SelectCell(int ACol, int ARow) override;
    void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;
    void TopLeftWasChanged() override;
};

class TskSkinStringGrid;

// A column or a row of a string grid as a string list.
class TskSkinStringGridStrings : public TStrings {
public:
    // Index r + 1 for row r, -(c + 1) for column c, 0 for an empty view.
    TskSkinStringGridStrings(TskSkinStringGrid* Grid, int Index) : FGrid(Grid), FIndex(Index) {}
    int Add(const String& S) override;
    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const String& S) override;
    void Assign(const TPersistent& Source) override;
    TGridCoord CellOf(int I) const;

protected:
    String Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObject(int Index) const override;
    void Put(int Index, const String& S) override;
    void PutObject(int Index, TObject* Object) override;
    void SetUpdateState(bool Updating) override;

private:
    TskSkinStringGrid* FGrid;
    int FIndex;
};

class TskSkinStringGrid : public TskSkinDrawGrid {
public:
    explicit TskSkinStringGrid(TComponent* AOwner);
    ~TskSkinStringGrid() override;

    String GetCellText(int ACol, int ARow) const;
    void SetCellText(int ACol, int ARow, const String& Value);
    TObject* GetCellObject(int ACol, int ARow) const;
    void SetCellObject(int ACol, int ARow, TObject* Object);
    // The views: a column's strings are its cells top to bottom, a row's left to right.
    TStrings& Cols(int Index);
    TStrings& Rows(int Index);
    void SetViewUpdating(bool Updating);
    void BeginEditUpdate() { ++FEditUpdate; }
    void EndEditUpdate() { --FEditUpdate; }
    // Whether a row's list exists (tests: reading never creates one).
    bool HasRowList(int ARow) const;
    const TskSparseList& RowLists() const { return *FRows; }

    String QueryEditText(int ACol, int ARow) override;
    void StoreEditText(int ACol, int ARow, const String& Value) override;

protected:
    void ColumnWasMoved(int From, int To) override;
    void RowWasMoved(int From, int To) override;
    void DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) override;

private:
    void EnsureSparseLists();
    TStringSparseList* GetRowList(int ARow);
    TskSkinStringGridStrings* GetLineView(int Index, bool Column);
    void CellChanged(int ACol, int ARow);

    std::unique_ptr<TskSparseList> FRows, FRowViews, FColViews;
    bool FUpdating = false, FNeedsRepaint = false;
    int FEditUpdate = 0;
};

// Registers the draw grid and the string grid with the form reader.
void RegisterSkinGridClasses();

} // namespace vd
