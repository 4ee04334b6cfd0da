#include "platform/rtl/Exception.h"
#include "platform/vcl/Collection.h"

#include <gtest/gtest.h>

namespace vd::test {
namespace {

class Panel : public TCollectionItem {
public:
    explicit Panel(TCollection* c) : TCollectionItem(c) {}
    int Width = 50;
    void SetWidth(int w) {
        Width = w;
        Changed(false);
    }
};

TEST(CollectionTest, ItemsKeepOrderIdsAndTellTheOwner) {
    TCollection panels([](TCollection* c) { return new Panel(c); });
    int updates = 0;
    TCollectionItem* last = nullptr;
    panels.OnUpdate = [&](TCollectionItem* i) {
        ++updates;
        last = i;
    };
    auto* a = static_cast<Panel*>(panels.Add());
    auto* b = static_cast<Panel*>(panels.Add());
    auto* c = static_cast<Panel*>(panels.Insert(0));
    EXPECT_EQ(panels.Count(), 3);
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(c->ID(), 2);
    EXPECT_EQ(panels.FindItemID(1), b);
    updates = 0;
    b->SetWidth(80);
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(last, b);
    panels.BeginUpdate();
    a->SetWidth(1);
    b->SetWidth(2);
    EXPECT_EQ(updates, 1);
    panels.EndUpdate();
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(last, nullptr);
    delete a;  // an item freed on its own leaves the collection
    EXPECT_EQ(panels.Count(), 2);
    EXPECT_THROW(panels.Items(5), EListError);
    panels.Delete(0);
    EXPECT_EQ(panels.Items(0), b);
}

}  // namespace
}  // namespace vd::test
