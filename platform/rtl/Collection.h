#pragma once
// TCollection: an owned, ordered list of items of one kind, as the class library keeps them for
// components (menu items, combo items). Items know their collection; deleting an item takes it
// out of its collection, and the collection deletes the items it still holds.
#include "platform/rtl/Object.h"

#include <functional>
#include <vector>

namespace vd {

class TCollection;

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
public:
    // Appends the item to collection (when given).
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return FCollection; }
    // Moves the item to another collection (its end), or out of any with nullptr.
    void SetCollection(TCollection* collection);
    // Position in the collection, -1 outside one; setting it moves the item.
    int Index() const;
    void SetIndex(int index);
    // Unique within the collection, never reused.
    int ID() const { return FID; }
    virtual String DisplayName() const { return ClassName(); }

protected:
    // Tells the collection that this item (or, with allItems, every item) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;

    // factory makes one item and adds it to the collection it is given (its constructor does).
    explicit TCollection(TItemFactory factory);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    // Raises EListError "List index out of bounds (%d)" for a bad index.
    TCollectionItem* Items(int index) const;
    TCollectionItem* FindItemID(int id) const;
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    // Replaces the items with copies of source's (each item's Assign copies its fields).
    void Assign(const TPersistent& source) override;
    virtual TPersistent* Owner() const { return nullptr; }

protected:
    // item changed, or nullptr: the whole collection changed. Held back during BeginUpdate.
    virtual void Update(TCollectionItem* item);
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    void Changed();

private:
    friend class TCollectionItem;
    TItemFactory FFactory;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;

    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void MoveItem(TCollectionItem* item, int index);
};

// A collection whose items are of class T (constructed as T(TCollection*)).
template <class T> TCollection::TItemFactory CollectionItemsOf() {
    return [](TCollection* c) -> TCollectionItem* { return new T(c); };
}

} // namespace vd
