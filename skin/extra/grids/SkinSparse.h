#pragma once
// Sparse storage for the string grid's cells: a pointer array that allocates blocks of 16 or
// 256 slots on demand, a list with insert, delete and move over it, and a string list of
// (object, string) items kept in such a list.
#include "platform/rtl/Exception.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Strings.h"

#include <functional>
#include <memory>
#include <vector>

namespace vd {

enum TSPAQuantum { SPASmall, SPALarge }; // blocks of 16 or 256 entries

class TskSparsePointerArray {
public:
    explicit TskSparsePointerArray(TSPAQuantum Quantum);

    void* EntryAt(int Index) const;
    void StoreEntry(int Index, void* Entry);
    // Every stored entry in index order; the first non-zero answer stops the walk.
    int ForEachEntry(const std::function<int(int Index, void* Entry)>& Routine) const;
    int HighBound() const { return FHighBound; }
    int PrimaryCount() const { return static_cast<int>(FPrimary.size()); }
    int BlockCount() const;

private:
    void** SlotFor(int Index);
    void RecomputeHighBound();

    // No 16-bit limit on the number of blocks: every non-negative index has its slot.
    std::vector<std::unique_ptr<void*[]>> FPrimary;
    unsigned FMask, FShift;
    int FHighBound = -1;
    mutable int FCachedIndex = -1;
    mutable void* FCachedEntry = nullptr;
};

class TskSparseList {
public:
    explicit TskSparseList(TSPAQuantum Quantum);
    virtual ~TskSparseList() = default;

    int Count() const { return FCount; }
    void* Get(int Index) const;
    void Put(int Index, void* Entry);
    void Insert(int Index, void* Entry);
    void Delete(int Index);
    void Exchange(int A, int B);
    void Move(int From, int To);
    void Clear(); // the entries are not freed
    int ForEachEntry(const std::function<int(int, void*)>& Routine) const {
        return FArray->ForEachEntry(Routine);
    }
    const TskSparsePointerArray& Array() const { return *FArray; }

protected:
    virtual void RaiseIndexError(int Index) const;

private:
    std::unique_ptr<TskSparsePointerArray> FArray;
    int FCount = 0;
    TSPAQuantum FQuantum;
};

class EStringSparseListError : public Exception {
public:
    using Exception::Exception;
};

class TStringSparseList : public TStrings {
public:
    explicit TStringSparseList(TSPAQuantum Quantum);
    ~TStringSparseList() override;

    void Clear() override;
    void Delete(int Index) override;
    void Insert(int Index, const String& S) override;
    void Exchange(int A, int B) override;
    TskSparseList& List() { return FList; }

    TNotifyEvent OnChange;

    // The form stream's "List": the number of stored items, then index and string of each.
    struct TItemRecord {
        int Index;
        String Text;
    };
    std::vector<TItemRecord> WriteItems() const;
    void ReadItems(const std::vector<TItemRecord>& Items);

protected:
    String Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObject(int Index) const override;
    void Put(int Index, const String& S) override;
    void PutObject(int Index, TObject* Object) override;
    virtual void NotifyChange();
    virtual void RaiseItemError();

private:
    struct Item {
        TObject* Object = nullptr;
        String Text;
    };
    Item* ItemAt(int Index) const { return static_cast<Item*>(FList.Get(Index)); }
    TskSparseList FList;
};

} // namespace vd
