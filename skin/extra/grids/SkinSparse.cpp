#include "skin/extra/grids/SkinSparse.h"

#include "platform/rtl/Format.h"

#include <algorithm>
#include <limits>

namespace vd {

TskSparsePointerArray::TskSparsePointerArray(TSPAQuantum Quantum)
    : FMask(Quantum == SPASmall ? 15u : 255u), FShift(Quantum == SPASmall ? 4u : 8u) {}

int TskSparsePointerArray::BlockCount() const {
    return static_cast<int>(
        std::count_if(FPrimary.begin(), FPrimary.end(), [](auto& b) { return b != nullptr; }));
}

void* TskSparsePointerArray::EntryAt(int Index) const {
    if (Index == FCachedIndex) return FCachedEntry;
    void* entry = nullptr;
    const size_t block = static_cast<unsigned>(Index) >> FShift;
    if (block < FPrimary.size() && FPrimary[block])
        entry = FPrimary[block][static_cast<unsigned>(Index) & FMask];
    FCachedIndex = Index;
    FCachedEntry = entry;
    return entry;
}

void** TskSparsePointerArray::SlotFor(int Index) {
    const size_t block = static_cast<unsigned>(Index) >> FShift;
    if (block >= FPrimary.size()) FPrimary.resize(block + 1);
    auto& b = FPrimary[block];
    if (!b) b = std::make_unique<void*[]>(FMask + 1); // value-initialised: all null
    if (Index > FHighBound) FHighBound = Index;
    FCachedIndex = -1;
    return &b[static_cast<unsigned>(Index) & FMask];
}

void TskSparsePointerArray::StoreEntry(int Index, void* Entry) {
    if (Index < 0) return;
    if (!Entry && !EntryAt(Index)) return;
    *SlotFor(Index) = Entry;
    if (!Entry) RecomputeHighBound();
}

int TskSparsePointerArray::ForEachEntry(const std::function<int(int, void*)>& Routine) const {
    for (size_t b = 0; b < FPrimary.size(); ++b) {
        if (!FPrimary[b]) continue;
        for (unsigned i = 0; i <= FMask; ++i)
            if (void* e = FPrimary[b][i]) {
                const int index = static_cast<int>((b << FShift) | i);
                if (int r = Routine(index, e)) return r;
            }
    }
    return 0;
}

void TskSparsePointerArray::RecomputeHighBound() {
    int high = -1;
    ForEachEntry([&](int index, void*) {
        high = index;
        return 0;
    });
    FHighBound = high;
}

TskSparseList::TskSparseList(TSPAQuantum Quantum)
    : FArray(std::make_unique<TskSparsePointerArray>(Quantum)), FQuantum(Quantum) {}

void TskSparseList::RaiseIndexError(int Index) const {
    throw EListError(Format("List index out of bounds (%d)", Index));
}

void* TskSparseList::Get(int Index) const {
    if (Index < 0) RaiseIndexError(Index);
    return FArray->EntryAt(Index);
}

void TskSparseList::Put(int Index, void* Entry) {
    if (Index < 0) RaiseIndexError(Index);
    FArray->StoreEntry(Index, Entry);
    FCount = FArray->HighBound() + 1;
}

void TskSparseList::Insert(int Index, void* Entry) {
    if (Index < 0) RaiseIndexError(Index);
    if (Index == std::numeric_limits<int>::max()) RaiseIndexError(Index); // the count would overflow
    for (int i = FCount - 1; i >= Index; --i)
        FArray->StoreEntry(i + 1, FArray->EntryAt(i));
    FArray->StoreEntry(Index, Entry);
    if (FCount < Index) FCount = Index;
    ++FCount;
}

void TskSparseList::Delete(int Index) {
    if (Index < 0 || Index >= FCount) return;
    for (int i = Index; i < FCount - 1; ++i)
        FArray->StoreEntry(i, FArray->EntryAt(i + 1));
    FArray->StoreEntry(FCount - 1, nullptr);
    --FCount;
}

void TskSparseList::Exchange(int A, int B) {
    void* a = Get(A);
    void* b = Get(B);
    Put(A, b);
    Put(B, a);
}

void TskSparseList::Move(int From, int To) {
    if (From == To) return;
    void* e = Get(From);
    Delete(From);
    Insert(To, e);
}

void TskSparseList::Clear() {
    FArray = std::make_unique<TskSparsePointerArray>(FQuantum);
    FCount = 0;
}

TStringSparseList::TStringSparseList(TSPAQuantum Quantum) : FList(Quantum) {}

TStringSparseList::~TStringSparseList() {
    OnChange = nullptr;
    Clear();
}

String TStringSparseList::Get(int Index) const {
    const Item* p = ItemAt(Index);
    return p ? p->Text : String();
}

int TStringSparseList::GetCount() const {
    return FList.Count();
}

TObject* TStringSparseList::GetObject(int Index) const {
    const Item* p = ItemAt(Index);
    return p ? p->Object : nullptr;
}

void TStringSparseList::Put(int Index, const String& S) {
    std::unique_ptr<Item> old(ItemAt(Index));
    std::unique_ptr<Item> neu;
    if (!S.empty() || (old && old->Object)) neu.reset(new Item{old ? old->Object : nullptr, S});
    try {
        FList.Put(Index, neu.get());
    } catch (...) {
        old.release(); // still stored
        throw;
    }
    neu.release();
    NotifyChange();
}

void TStringSparseList::PutObject(int Index, TObject* Object) {
    if (Item* p = ItemAt(Index)) {
        p->Object = Object;
    } else if (Object) {
        auto neu = std::make_unique<Item>(Item{Object, String()});
        FList.Put(Index, neu.get());
        neu.release();
    }
    NotifyChange();
}

void TStringSparseList::Insert(int Index, const String& S) {
    auto neu = std::make_unique<Item>(Item{nullptr, S});
    FList.Insert(Index, neu.get());
    neu.release();
    NotifyChange();
}

void TStringSparseList::Delete(int Index) {
    if (Index >= 0 && Index < FList.Count()) delete ItemAt(Index);
    FList.Delete(Index);
    NotifyChange();
}

void TStringSparseList::Exchange(int A, int B) {
    FList.Exchange(A, B);
}

void TStringSparseList::Clear() {
    FList.ForEachEntry([](int, void* e) {
        delete static_cast<Item*>(e);
        return 0;
    });
    FList.Clear();
    NotifyChange();
}

void TStringSparseList::NotifyChange() {
    if (OnChange) OnChange(this);
}

void TStringSparseList::RaiseItemError() {
    throw EStringSparseListError("PutObject to undefined item");
}

std::vector<TStringSparseList::TItemRecord> TStringSparseList::WriteItems() const {
    std::vector<TItemRecord> out;
    FList.ForEachEntry([&](int index, void* e) {
        out.push_back({index, static_cast<Item*>(e)->Text});
        return 0;
    });
    return out;
}

void TStringSparseList::ReadItems(const std::vector<TItemRecord>& Items) {
    for (const auto& r : Items)
        InsertObject(r.Index, r.Text, nullptr);
}

} // namespace vd
