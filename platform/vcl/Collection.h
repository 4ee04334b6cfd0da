#pragma once
// TCollection / TCollectionItem: an owned, ordered list of items of one class (status panels,
// columns), telling the collection's owner when items change.
#include "platform/rtl/Object.h"

#include <functional>
#include <vector>

namespace vd {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;  // leaves its collection
    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* value);
    int Index() const;
    void SetIndex(int value);
    int ID() const { return FID; }
    virtual String DisplayName() const;

protected:
    void Changed(bool allItems);

private:
    TCollection* FCollection = nullptr;
    int FID = 0;
    friend class TCollection;
};

class TCollection : public TPersistent {
public:
    using ItemFactory = std::function<TCollectionItem*(TCollection*)>;
    explicit TCollection(ItemFactory factory);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);  // frees the item
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const;  // raises EListError out of range
    TCollectionItem* FindItemID(int id) const;
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // Called after a change: the item, or null when every item may have changed.
    std::function<void(TCollectionItem* item)> OnUpdate;

private:
    void Changed(TCollectionItem* item);
    ItemFactory FFactory;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
    friend class TCollectionItem;
};

}  // namespace vd
