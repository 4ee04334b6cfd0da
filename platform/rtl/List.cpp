#include "platform/rtl/List.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"

#include <algorithm>

namespace vd {

void TList::Check(int index) const {
    if (index < 0 || index >= Count()) RaiseListError(index);
}

int TList::Add(void* item) {
    FList.push_back(item);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count()) RaiseListError(index);
    FList.insert(FList.begin() + index, item);
}

void TList::Delete(int index) {
    Check(index);
    FList.erase(FList.begin() + index);
}

int TList::Remove(void* item) {
    const int i = IndexOf(item);
    if (i >= 0) Delete(i);
    return i;
}

void* TList::Extract(void* item) {
    const int i = IndexOf(item);
    if (i < 0) return nullptr;
    Delete(i);
    return item;
}

int TList::IndexOf(void* item) const {
    const auto it = std::find(FList.begin(), FList.end(), item);
    return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Clear() {
    FList.clear();
    FList.shrink_to_fit();
}

void TList::Exchange(int index1, int index2) {
    Check(index1);
    Check(index2);
    std::swap(FList[index1], FList[index2]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    Check(curIndex);
    Check(newIndex);
    void* item = FList[curIndex];
    FList.erase(FList.begin() + curIndex);
    FList.insert(FList.begin() + newIndex, item);
}

void TList::Pack() {
    FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end());
}

void TList::Sort(TListSortCompare compare) {
    std::stable_sort(FList.begin(), FList.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
}

void* TList::First() const {
    return Items(0);
}

void* TList::Last() const {
    return Items(Count() - 1);
}

void TList::SetCount(int count) {
    if (count < 0) throw EListError(Format(rtl_msg::ListIndexError, count));
    FList.resize(static_cast<std::size_t>(count), nullptr);
}

void TList::SetCapacity(int capacity) {
    if (capacity < Count()) throw EListError(Format(rtl_msg::ListCapacityError, capacity));
    FList.reserve(static_cast<std::size_t>(capacity));
}

void* TList::Items(int index) const {
    Check(index);
    return FList[index];
}

void TList::SetItems(int index, void* item) {
    Check(index);
    FList[index] = item;
}

} // namespace vd
