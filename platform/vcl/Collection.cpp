#include "platform/vcl/Collection.h"

#include "platform/rtl/Exception.h"

#include <algorithm>

namespace vd {

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* value) {
    if (value == FCollection) return;
    if (FCollection) {
        auto& v = FCollection->FItems;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
        FCollection->Changed(nullptr);
    }
    FCollection = value;
    if (value) {
        FID = value->FNextID++;
        value->FItems.push_back(this);
        value->Changed(nullptr);
    }
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    auto& v = FCollection->FItems;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TCollectionItem::SetIndex(int value) {
    const int cur = Index();
    if (cur < 0 || value == cur) return;
    auto& v = FCollection->FItems;
    value = std::clamp(value, 0, static_cast<int>(v.size()) - 1);
    v.erase(v.begin() + cur);
    v.insert(v.begin() + value, this);
    FCollection->Changed(nullptr);
}

String TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::Changed(bool allItems) {
    if (FCollection) FCollection->Changed(allItems ? nullptr : this);
}

TCollection::TCollection(ItemFactory factory) : FFactory(std::move(factory)) {}

TCollection::~TCollection() {
    OnUpdate = nullptr;
    Clear();
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = FFactory ? FFactory(this) : new TCollectionItem(this);
    if (item->FCollection != this) item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    BeginUpdate();
    TCollectionItem* item = Add();
    item->SetIndex(index);
    EndUpdate();
    return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) delete FItems.back();
    EndUpdate();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return FItems[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* i : FItems)
        if (i->FID == id) return i;
    return nullptr;
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
    if (FUpdateCount == 0 && OnUpdate) OnUpdate(item);
}

}  // namespace vd
