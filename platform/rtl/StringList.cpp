#include "platform/rtl/StringList.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace vd {

TStringList::~TStringList() {
    OnChange = nullptr;
    OnChanging = nullptr;
    if (OwnsObjects)
        for (auto& item : FList)
            delete item.FObject;
}

void TStringList::Check(int index) const {
    if (index < 0 || index >= GetCount()) RaiseStringListError(index);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
    return FCaseSensitive ? CompareStr(a, b) : CompareText(a, b);
}

String TStringList::Get(int index) const {
    Check(index);
    return FList[index].FString;
}

TObject* TStringList::GetObject(int index) const {
    Check(index);
    return FList[index].FObject;
}

int TStringList::Add(const String& s) {
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const String& s, TObject* object) {
    int index = GetCount();
    if (FSorted && Find(s, index)) {
        if (Duplicates == TDuplicates::dupIgnore) return index;
        if (Duplicates == TDuplicates::dupError) throw EStringListError(rtl_msg::DuplicateString);
        // dupAccept: after the equal ones, so equal lines keep the order they came in.
        while (index < GetCount() && CompareStrings(FList[index].FString, s) == 0)
            ++index;
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::InsertItem(int index, const String& s, TObject* object) {
    Changing();
    FList.insert(FList.begin() + index, TStringItem{s, object});
    Changed();
}

void TStringList::Insert(int index, const String& s) {
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const String& s, TObject* object) {
    if (FSorted) throw EStringListError(rtl_msg::SortedListError);
    if (index < 0 || index > GetCount()) RaiseStringListError(index);
    InsertItem(index, s, object);
}

void TStringList::Put(int index, const String& s) {
    if (FSorted) throw EStringListError(rtl_msg::SortedListError);
    Check(index);
    Changing();
    FList[index].FString = s;
    Changed();
}

void TStringList::PutObject(int index, TObject* object) {
    Check(index);
    Changing();
    FList[index].FObject = object;
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    std::vector<TStringItem> old;
    old.swap(FList);
    if (OwnsObjects)
        for (auto& item : old)
            delete item.FObject;
    Changed();
}

void TStringList::Delete(int index) {
    Check(index);
    Changing();
    TObject* object = FList[index].FObject;
    FList.erase(FList.begin() + index);
    if (OwnsObjects) delete object;
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    Check(index1);
    Check(index2);
    Changing();
    std::swap(FList[index1], FList[index2]);
    Changed();
}

bool TStringList::Find(const String& s, int& index) const {
    int lo = 0, hi = GetCount() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = lo + (hi - lo) / 2;
        const int c = CompareStrings(FList[mid].FString, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != TDuplicates::dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

int TStringList::IndexOf(const String& s) const {
    if (!FSorted) return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

void TStringList::Sort() {
    if (GetCount() < 2) return;
    Changing();
    std::stable_sort(FList.begin(), FList.end(), [this](const TStringItem& a, const TStringItem& b) {
        return CompareStrings(a.FString, b.FString) < 0;
    });
    Changed();
}

void TStringList::CustomSort(TStringListSortCompare compare) {
    if (FSorted || GetCount() < 2) return;
    Changing();
    // The compare routine works on indexes, so sort an index permutation and apply it.
    std::vector<int> order(FList.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.size());
    for (int i : order)
        sorted.push_back(std::move(FList[i]));
    FList.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (FSorted == value) return;
    if (value) Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (FCaseSensitive == value) return;
    FCaseSensitive = value;
    if (FSorted) Sort();
}

} // namespace vd
