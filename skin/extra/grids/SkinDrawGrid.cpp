#include "skin/extra/grids/SkinDrawGrid.h"

#include "platform/vcl/FormReader.h"
#include "platform/vcl/PropValue.h"

#include <algorithm>

namespace vd {

// ---- draw grid

String TskSkinDrawGrid::QueryEditMask(int ACol, int ARow) {
    String v;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, v);
    return v;
}

String TskSkinDrawGrid::QueryEditText(int ACol, int ARow) {
    String v;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, v);
    return v;
}

void TskSkinDrawGrid::StoreEditText(int ACol, int ARow, const String& Value) {
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TskSkinDrawGrid::ColumnWasMoved(int From, int To) {
    if (OnColumnMoved) OnColumnMoved(this, From, To);
}

void TskSkinDrawGrid::RowWasMoved(int From, int To) {
    if (OnRowMoved) OnRowMoved(this, From, To);
}

bool TskSkinDrawGrid::SelectCell(int ACol, int ARow) {
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TskSkinDrawGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, Rect, State);
}

void TskSkinDrawGrid::TopLeftWasChanged() {
    TskSkinCustomGrid::TopLeftWasChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

// ---- string grid views

TGridCoord TskSkinStringGridStrings::CellOf(int I) const {
    if (FIndex < 0) return {-FIndex - 1, I};
    if (FIndex > 0) return {I, FIndex - 1};
    return {-1, -1};
}

int TskSkinStringGridStrings::GetCount() const {
    if (FIndex == 0) return 0;
    return FIndex < 0 ? FGrid->RowCount() : FGrid->ColCount();
}

String TskSkinStringGridStrings::Get(int Index) const {
    const TGridCoord c = CellOf(Index);
    return c.X == -1 ? String() : FGrid->GetCellText(c.X, c.Y);
}

TObject* TskSkinStringGridStrings::GetObject(int Index) const {
    const TGridCoord c = CellOf(Index);
    return c.X == -1 ? nullptr : FGrid->GetCellObject(c.X, c.Y);
}

void TskSkinStringGridStrings::Put(int Index, const String& S) {
    const TGridCoord c = CellOf(Index);
    FGrid->SetCellText(c.X, c.Y, S);
}

void TskSkinStringGridStrings::PutObject(int Index, TObject* Object) {
    const TGridCoord c = CellOf(Index);
    FGrid->SetCellObject(c.X, c.Y, Object);
}

int TskSkinStringGridStrings::Add(const String& S) {
    const int n = GetCount();
    for (int i = 0; i < n; ++i)
        if (Get(i).empty()) {
            Put(i, S);
            return i;
        }
    return -1;
}

void TskSkinStringGridStrings::Insert(int, const String&) {
    RaiseGridError(grid_msg::CannotInsertDelete);
}

void TskSkinStringGridStrings::Delete(int) {
    RaiseGridError(grid_msg::CannotInsertDelete);
}

void TskSkinStringGridStrings::Clear() {
    if (FIndex < 0) {
        for (int i = GetCount() - 1; i >= 0; --i) {
            PutObject(i, nullptr);
            Put(i, String());
        }
    } else if (FIndex > 0) {
        const int row = FIndex - 1;
        if (!FGrid->HasRowList(row)) return;
        std::vector<int> cols;
        auto* list = static_cast<TStringSparseList*>(FGrid->RowLists().Get(row));
        list->List().ForEachEntry([&](int index, void*) {
            cols.push_back(index);
            return 0;
        });
        for (int c : cols) {
            FGrid->SetCellObject(c, row, nullptr);
            FGrid->SetCellText(c, row, String());
        }
    }
}

void TskSkinStringGridStrings::Assign(const TPersistent& Source) {
    if (auto* s = dynamic_cast<const TStrings*>(&Source)) {
        BeginUpdate();
        try {
            const int n = std::min(s->Count(), Count());
            for (int i = 0; i < n; ++i) {
                Put(i, s->Strings(i));
                PutObject(i, s->Objects(i));
            }
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TStrings::Assign(Source);
}

void TskSkinStringGridStrings::SetUpdateState(bool Updating) {
    FGrid->SetViewUpdating(Updating);
}

// ---- string grid

TskSkinStringGrid::TskSkinStringGrid(TComponent* AOwner) : TskSkinDrawGrid(AOwner) {
    EnsureSparseLists();
}

TskSkinStringGrid::~TskSkinStringGrid() {
    auto freeViews = [](TskSparseList& l) {
        l.ForEachEntry([](int, void* e) {
            delete static_cast<TskSkinStringGridStrings*>(e);
            return 0;
        });
    };
    if (FRowViews) freeViews(*FRowViews);
    if (FColViews) freeViews(*FColViews);
    if (FRows)
        FRows->ForEachEntry([](int, void* e) {
            delete static_cast<TStringSparseList*>(e);
            return 0;
        });
}

void TskSkinStringGrid::EnsureSparseLists() {
    const TSPAQuantum rows = RowCount() > 256 ? SPALarge : SPASmall;
    if (!FRows) FRows = std::make_unique<TskSparseList>(rows);
    if (!FRowViews) FRowViews = std::make_unique<TskSparseList>(rows);
    if (!FColViews) FColViews = std::make_unique<TskSparseList>(ColCount() > 512 ? SPALarge : SPASmall);
}

bool TskSkinStringGrid::HasRowList(int ARow) const {
    return ARow >= 0 && FRows->Get(ARow) != nullptr;
}

TStringSparseList* TskSkinStringGrid::GetRowList(int ARow) {
    auto* list = static_cast<TStringSparseList*>(FRows->Get(ARow));
    if (!list) {
        auto neu = std::make_unique<TStringSparseList>(ColCount() > 512 ? SPALarge : SPASmall);
        FRows->Put(ARow, neu.get());
        list = neu.release();
    }
    return list;
}

TskSkinStringGridStrings* TskSkinStringGrid::GetLineView(int Index, bool Column) {
    TskSparseList& views = Column ? *FColViews : *FRowViews;
    auto* v = static_cast<TskSkinStringGridStrings*>(views.Get(Index));
    if (!v) {
        auto neu = std::make_unique<TskSkinStringGridStrings>(this, Column ? -(Index + 1) : Index + 1);
        views.Put(Index, neu.get());
        v = neu.release();
    }
    return v;
}

TStrings& TskSkinStringGrid::Cols(int Index) {
    if (Index < 0) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return *GetLineView(Index, true);
}

TStrings& TskSkinStringGrid::Rows(int Index) {
    if (Index < 0) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return *GetLineView(Index, false);
}

String TskSkinStringGrid::GetCellText(int ACol, int ARow) const {
    if (ARow < 0 || ACol < 0) return String();
    auto* list = static_cast<TStringSparseList*>(FRows->Get(ARow));
    return list ? list->Strings(ACol) : String();
}

TObject* TskSkinStringGrid::GetCellObject(int ACol, int ARow) const {
    if (ARow < 0 || ACol < 0) return nullptr;
    auto* list = static_cast<TStringSparseList*>(FRows->Get(ARow));
    return list ? list->Objects(ACol) : nullptr;
}

void TskSkinStringGrid::SetCellText(int ACol, int ARow, const String& Value) {
    GetRowList(ARow)->SetStrings(ACol, Value);
    GetLineView(ACol, true);
    GetLineView(ARow, false);
    CellChanged(ACol, ARow);
}

void TskSkinStringGrid::SetCellObject(int ACol, int ARow, TObject* Object) {
    GetRowList(ARow)->SetObjects(ACol, Object);
    GetLineView(ACol, true);
    GetLineView(ARow, false);
    CellChanged(ACol, ARow);
}

void TskSkinStringGrid::CellChanged(int ACol, int ARow) {
    if (FUpdating)
        FNeedsRepaint = true;
    else
        RepaintCell(ACol, ARow);
    if (ACol == Col() && ARow == Row() && FEditUpdate == 0 && InplaceEditor()) ReloadEditor();
}

void TskSkinStringGrid::SetViewUpdating(bool Updating) {
    FUpdating = Updating;
    if (!Updating && FNeedsRepaint) {
        InvalidateWholeGrid();
        FNeedsRepaint = false;
    }
}

String TskSkinStringGrid::QueryEditText(int ACol, int ARow) {
    String v = GetCellText(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, v);
    return v;
}

void TskSkinStringGrid::StoreEditText(int ACol, int ARow, const String& Value) {
    BeginEditUpdate();
    try {
        if (Value != GetCellText(ACol, ARow)) SetCellText(ACol, ARow, Value);
    } catch (...) {
        EndEditUpdate();
        throw;
    }
    EndEditUpdate();
    TskSkinDrawGrid::StoreEditText(ACol, ARow, Value);
}

void TskSkinStringGrid::ColumnWasMoved(int From, int To) {
    FRows->ForEachEntry([&](int, void* e) {
        auto* list = static_cast<TStringSparseList*>(e);
        // A strings move: the item is taken out and put back at the new index.
        TskSparseList& l = list->List();
        void* item = l.Get(From);
        l.Delete(From);
        l.Insert(To, item);
        return 0;
    });
    InvalidateWholeGrid();
    TskSkinDrawGrid::ColumnWasMoved(From, To);
}

void TskSkinStringGrid::RowWasMoved(int From, int To) {
    FRows->Move(From, To);
    InvalidateWholeGrid();
    TskSkinDrawGrid::RowWasMoved(From, To);
}

void TskSkinStringGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
    if (DefaultDrawing()) {
        const TRect r = GetCellTextRect(Rect, State);
        TCanvas& c = Canvas();
        c.Brush().Style = bsClear;
        const String text = GetCellText(ACol, ARow);
        if (!text.empty()) c.TextRect(r, r.Left + 2, r.Top + r.Height() / 2 - c.TextHeight(text) / 2, text);
        c.Brush().Style = bsSolid;
    }
    TskSkinDrawGrid::DrawCell(ACol, ARow, Rect, State);
}

void RegisterSkinGridClasses() {
    if (!TFormReader::IsRegistered("TskSkinDrawGrid"))
        TFormReader::RegisterClass("TskSkinDrawGrid", [](TComponent* o) { return new TskSkinDrawGrid(o); });
    if (!TFormReader::IsRegistered("TskSkinStringGrid"))
        TFormReader::RegisterClass("TskSkinStringGrid",
                                   [](TComponent* o) { return new TskSkinStringGrid(o); });
}

} // namespace vd
