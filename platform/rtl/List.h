#pragma once
// TList: the class library's list of untyped pointers. Indexes out of range raise EListError
// "List index out of bounds (%d)". The list never owns what its items point to.
#include "platform/rtl/Object.h"

#include <vector>

namespace vd {

using TListSortCompare = int (*)(void* item1, void* item2);

class TList : public TObject {
public:
    TList() = default;
    ~TList() override = default;

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Removes the first occurrence; returns its former index or -1.
    int Remove(void* item);
    // Like Remove, but returns the item (nullptr when absent).
    void* Extract(void* item);
    int IndexOf(void* item) const;
    void Clear();
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    // Removes the nullptr items.
    void Pack();
    // Stable, so items that compare equal keep their order.
    void Sort(TListSortCompare compare);
    void* First() const;
    void* Last() const;

    int Count() const { return static_cast<int>(FList.size()); }
    void SetCount(int count);
    int Capacity() const { return static_cast<int>(FList.capacity()); }
    void SetCapacity(int capacity);
    void* Items(int index) const;
    void SetItems(int index, void* item);
    void* operator[](int index) const { return Items(index); }
    std::vector<void*>& List() { return FList; }

private:
    std::vector<void*> FList;
    void Check(int index) const;
};

} // namespace vd
