#include "platform/vcl/ComponentLink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vd::test {
namespace {

// Keeps a pointer back to whoever points at it, as a popup menu keeps the control it popped up
// for, and counts on the free notification to drop it.
class Target : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* Back = nullptr;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == Back) Back = nullptr;
    }
};

// Two links, so a shared target and a loss seen by the holder's own override can be checked.
class Holder : public TComponent {
public:
    using TComponent::TComponent;
    TComponentLink<Target> First{this};
    TComponentLink<Target> Second{this};
    std::vector<std::string> Seen;

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        // The override runs before the link lets go, so it can tell which reference it loses.
        if (op == opRemove && c == First) Seen.push_back("first");
        if (op == opRemove && c == Second) Seen.push_back("second");
    }
};

TEST(ComponentLinkTest, EmptiesWhenTheTargetIsFreedAfterTheHolderSawIt) {
    Holder holder(nullptr);
    auto* a = new Target(nullptr);
    holder.First = a;
    holder.Second.Set(a);
    a->Free();
    EXPECT_EQ(holder.First.Get(), nullptr);
    EXPECT_EQ(holder.Second.Get(), nullptr);
    EXPECT_EQ(holder.Seen, (std::vector<std::string>{"first", "second"}));
}

TEST(ComponentLinkTest, MovingOneOfTwoLinksKeepsTheOtherNotified) {
    Holder holder(nullptr);
    auto* a = new Target(nullptr);
    Target b(nullptr);
    holder.First = a;
    holder.Second = a;
    holder.First = &b; // must not give back a's notification: Second still points there
    a->Free();
    EXPECT_EQ(holder.Second.Get(), nullptr);
    EXPECT_EQ(holder.First.Get(), &b);
    holder.First.Clear();
    EXPECT_EQ(holder.First.Get(), nullptr);
}

TEST(ComponentLinkTest, AClearedLinkIsNotToldAnyMore) {
    Holder holder(nullptr);
    auto* a = new Target(nullptr);
    holder.First = a;
    holder.First.Clear();
    a->Free();
    EXPECT_TRUE(holder.Seen.empty());
}

TEST(ComponentLinkTest, TheHolderDyingFirstLeavesTheTargetWhole) {
    Target a(nullptr);
    {
        auto* holder = new Holder(nullptr);
        holder->First = &a;
        holder->Free();
    }
    {
        Holder holder(nullptr); // destroyed without Free: the links give their notification back
        holder.Second = &a;
    }
    auto* late = new Holder(nullptr);
    late->First = &a;
    late->Free();
    SUCCEED(); // AddressSanitizer catches a dangling holder in a's list
}

// Members go before ~TComponent: a holder deleted rather than freed must still be heard of.
TEST(ComponentLinkTest, TheTargetHearsOfTheHolderGoingFreedOrDeleted) {
    Target a(nullptr);
    auto* freed = new Holder(nullptr);
    freed->First = &a;
    a.Back = freed;
    freed->Free();
    EXPECT_EQ(a.Back, nullptr);
    {
        Holder deleted(nullptr);
        deleted.Second = &a;
        a.Back = &deleted;
    }
    EXPECT_EQ(a.Back, nullptr);
}

// Two components that point at each other share one registration.
class Peer : public TComponent {
public:
    using TComponent::TComponent;
    TComponentLink<Peer> Other{this};
};

TEST(ComponentLinkTest, LettingGoOfAPeerKeepsItsLinkBackNotified) {
    Peer kept(nullptr);
    auto* gone = new Peer(nullptr);
    kept.Other = gone;
    gone->Other = &kept;
    gone->Other.Clear(); // kept still points at gone
    gone->Free();
    EXPECT_EQ(kept.Other.Get(), nullptr);
}

TEST(ComponentLinkTest, ATargetLeavingItsOwnerEmptiesLinksOfItsSiblings) {
    TComponent form(nullptr);
    auto* holder = new Holder(&form);
    auto* a = new Target(&form);
    holder->First = a;
    form.RemoveComponent(a);
    EXPECT_EQ(holder->First.Get(), nullptr);
    a->Free();
}

} // namespace
} // namespace vd::test
