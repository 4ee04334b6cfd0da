#include "platform/vcl/Component.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vd::test {
namespace {

std::vector<std::string> gLog;

class Probe : public TComponent {
public:
    Probe(TComponent* owner, const char* name) : TComponent(owner) { SetName(name); }
    ~Probe() override { gLog.push_back("~" + Name()); }
    TComponent* Ref = nullptr;
    void Refer(TComponent* c) {
        Ref = c;
        c->FreeNotification(this);
    }
    void Loaded() override {
        gLog.push_back("loaded " + Name());
        TComponent::Loaded();
    }

protected:
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == opRemove && c == Ref) {
            gLog.push_back(Name() + " forgets " + c->Name()); // the dying one is still whole
            Ref = nullptr;
        }
    }
};

TEST(ComponentTest, OwnerFreesWhatItOwnsAndReferencesAreCleared) {
    gLog.clear();
    auto* form = new Probe(nullptr, "Form");
    auto* a = new Probe(form, "A");
    auto* b = new Probe(form, "B");
    auto* outside = new Probe(nullptr, "Outside");
    outside->Refer(a);
    b->Refer(a);
    EXPECT_EQ(form->ComponentCount(), 2);
    EXPECT_EQ(form->FindComponent("b"), b);
    a->Free();
    EXPECT_EQ(outside->Ref, nullptr);
    EXPECT_EQ(b->Ref, nullptr);
    EXPECT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(gLog, (std::vector<std::string>{"B forgets A", "Outside forgets A", "~A"}));
    outside->Refer(b);
    gLog.clear();
    form->Free();
    EXPECT_EQ(outside->Ref, nullptr);
    EXPECT_EQ(gLog, (std::vector<std::string>{"Outside forgets B", "~B", "~Form"}));
    outside->Free();
}

TEST(ComponentTest, ReferenceHolderDyingFirstLeavesNoDanglingLink) {
    gLog.clear();
    auto* a = new Probe(nullptr, "A");
    auto* holder = new Probe(nullptr, "H");
    auto* other = new Probe(nullptr, "O");
    holder->Refer(a);
    other->Refer(a);
    holder->Free();
    EXPECT_EQ(gLog, (std::vector<std::string>{"~H"}));
    gLog.clear();
    a->Free(); // tells the holder that is still there, never the freed one
    EXPECT_EQ(gLog, (std::vector<std::string>{"O forgets A", "~A"}));
    EXPECT_EQ(other->Ref, nullptr);
    other->Free();
}

TEST(ComponentTest, NamesAreUniqueAmongSiblings) {
    Probe owner(nullptr, "Owner");
    auto* a = new Probe(&owner, "Edit1");
    EXPECT_THROW(new Probe(&owner, "EDIT1"), Exception);
    a->SetName("Edit2");
    EXPECT_EQ(owner.FindComponent("edit2"), a);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    owner.DestroyComponents();
}

TEST(ComponentTest, LoadedRunsDepthFirstAfterTheLoadingPhase) {
    gLog.clear();
    auto* form = new Probe(nullptr, "Form");
    auto* panel = new Probe(form, "Panel");
    new Probe(panel, "Button");
    form->BeginLoading();
    EXPECT_TRUE(panel->ComponentState() & csLoading);
    form->EndLoading();
    EXPECT_EQ(gLog, (std::vector<std::string>{"loaded Button", "loaded Panel", "loaded Form"}));
    EXPECT_FALSE(panel->ComponentState() & csLoading);
    form->Free();
}

TEST(ComponentTest, DeferredFreeRunsLaterAndSkipsTheAlreadyFreed) {
    gLog.clear();
    auto* a = new Probe(nullptr, "A");
    auto* b = new Probe(nullptr, "B");
    a->DeferFree();
    b->DeferFree();
    b->Free();
    EXPECT_EQ(gLog, (std::vector<std::string>{"~B"}));
    EXPECT_TRUE(HasDeferredFrees());
    ProcessDeferredFrees();
    EXPECT_EQ(gLog, (std::vector<std::string>{"~B", "~A"}));
    EXPECT_FALSE(HasDeferredFrees());
}

} // namespace
} // namespace vd::test
