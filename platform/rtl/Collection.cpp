#include "platform/rtl/Collection.h"

#include "platform/rtl/Exception.h"

#include <algorithm>

namespace vd {

TCollectionItem::TCollectionItem(TCollection* collection) {
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
    SetCollection(nullptr);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == FCollection) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    const auto& items = FCollection->FItems;
    const auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    if (FCollection && index != Index()) FCollection->MoveItem(this, index);
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory factory) : FFactory(std::move(factory)) {}

TCollection::~TCollection() {
    FUpdateCount = 1; // no notifications to a collection that is going away
    while (!FItems.empty())
        delete FItems.back();
}

void TCollection::InsertItem(TCollectionItem* item) {
    FItems.push_back(item);
    item->FCollection = this;
    item->FID = FNextID++;
    Notify(item, TCollectionNotification::cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, TCollectionNotification::cnExtracting);
    FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
    item->FCollection = nullptr;
    Changed();
}

void TCollection::MoveItem(TCollectionItem* item, int index) {
    if (index < 0 || index >= Count()) RaiseListError(index);
    FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
    FItems.insert(FItems.begin() + index, item);
    Changed();
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = FFactory(this);
    if (item->FCollection != this) item->SetCollection(this);
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    if (index < 0 || index > Count()) RaiseListError(index);
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    Notify(item, TCollectionNotification::cnDeleting);
    delete item;
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty())
        delete FItems.back();
    EndUpdate();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) RaiseListError(index);
    return FItems[index];
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == id) return item;
    return nullptr;
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Assign(const TPersistent& source) {
    const auto* src = dynamic_cast<const TCollection*>(&source);
    if (!src) {
        TPersistent::Assign(source);
        return;
    }
    if (src == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : src->FItems)
            Add()->Assign(*item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

} // namespace vd
