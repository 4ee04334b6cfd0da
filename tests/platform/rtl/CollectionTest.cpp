#include "platform/rtl/Collection.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

class TMenuEntry : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    String Caption;
    void Assign(const TPersistent& source) override {
        if (const auto* e = dynamic_cast<const TMenuEntry*>(&source))
            Caption = e->Caption;
        else
            TCollectionItem::Assign(source);
    }
    void Rename(const String& caption) {
        Caption = caption;
        Changed(false);
    }
};

class TEntries : public TCollection {
public:
    TEntries() : TCollection(CollectionItemsOf<TMenuEntry>()) {}
    TMenuEntry* Item(int i) const { return static_cast<TMenuEntry*>(Items(i)); }
    std::vector<String> Log;

protected:
    void Update(TCollectionItem* item) override {
        Log.push_back(item ? "item " + static_cast<TMenuEntry*>(item)->Caption : String("all"));
    }
};

std::vector<String> Captions(const TEntries& c) {
    std::vector<String> out;
    for (int i = 0; i < c.Count(); ++i)
        out.push_back(c.Item(i)->Caption);
    return out;
}

TEST(TCollection, AddInsertMoveAndDelete) {
    TEntries c;
    static_cast<TMenuEntry*>(c.Add())->Caption = "a";
    static_cast<TMenuEntry*>(c.Add())->Caption = "b";
    static_cast<TMenuEntry*>(c.Insert(0))->Caption = "first";
    EXPECT_EQ(Captions(c), (std::vector<String>{"first", "a", "b"}));
    EXPECT_EQ(c.Item(2)->Index(), 2);
    EXPECT_EQ(c.Item(2)->ID(), 1); // ids follow creation, not position
    EXPECT_EQ(c.FindItemID(2), c.Item(0));
    EXPECT_EQ(c.FindItemID(7), nullptr);
    c.Item(0)->SetIndex(2);
    EXPECT_EQ(Captions(c), (std::vector<String>{"a", "b", "first"}));
    c.Delete(1);
    EXPECT_EQ(Captions(c), (std::vector<String>{"a", "first"}));
    delete c.Item(0); // an item leaves its collection when deleted
    EXPECT_EQ(Captions(c), (std::vector<String>{"first"}));
    try {
        c.Items(3);
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (3)");
    }
    EXPECT_THROW(c.Insert(5), EListError);
}

TEST(TCollection, UpdatesAreHeldBackDuringBeginUpdate) {
    TEntries c;
    c.Add();
    c.Item(0)->Rename("x");
    EXPECT_EQ(c.Log, (std::vector<String>{"all", "item x"}));
    c.Log.clear();
    c.BeginUpdate();
    c.Add();
    c.Item(0)->Rename("y");
    c.Clear();
    EXPECT_TRUE(c.Log.empty());
    c.EndUpdate();
    EXPECT_EQ(c.Log, (std::vector<String>{"all"}));
}

TEST(TCollection, AssignCopiesItemsAndItemsMoveBetweenCollections) {
    TEntries a, b;
    for (const char* s : {"one", "two"})
        static_cast<TMenuEntry*>(a.Add())->Caption = s;
    b.Add();
    b.Assign(a);
    EXPECT_EQ(Captions(b), Captions(a));
    EXPECT_NE(b.Item(0), a.Item(0));
    TMenuEntry* moved = a.Item(0);
    moved->SetCollection(&b);
    EXPECT_EQ(Captions(a), (std::vector<String>{"two"}));
    EXPECT_EQ(Captions(b), (std::vector<String>{"one", "two", "one"}));
    EXPECT_EQ(moved->Collection(), &b);
    moved->SetCollection(nullptr);
    EXPECT_EQ(moved->Index(), -1);
    delete moved;
    EXPECT_EQ(b.Count(), 2);
}

} // namespace
} // namespace vd
