#include "platform/vcl/Component.h"

#include "platform/vcl/ComponentLink.h"

#include "platform/rtl/Exception.h"

#include <algorithm>
#include <cctype>

namespace vd {
namespace {

std::vector<TComponent*>& DeferredList() {
    static std::vector<TComponent*> list;
    return list;
}

void Erase(std::vector<TComponent*>& v, TComponent* c) {
    v.erase(std::remove(v.begin(), v.end(), c), v.end());
}

bool SameText(const String& a, const String& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    BeforeDestroy();
}

void TComponent::Destroying() {}

void TComponent::BeforeDestroy() {
    if (FBeforeDestroyDone) return;
    FBeforeDestroyDone = true;
    FComponentState |= csDestroying;
    Erase(DeferredList(), this);
    // Tell those holding references while we are still whole.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        Erase(c->FFreeNotifies, this);
        c->NotifyHolder(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Free() {
    Destroying();
    BeforeDestroy();
    delete this;
}

void TComponent::DeferFree() {
    auto& list = DeferredList();
    if (std::find(list.begin(), list.end(), this) == list.end()) list.push_back(this);
}

void ProcessDeferredFrees() {
    auto& list = DeferredList();
    while (!list.empty()) {
        TComponent* c = list.front();
        list.erase(list.begin());
        c->Free();
    }
}

bool HasDeferredFrees() {
    return !DeferredList().empty();
}

void TComponent::SetName(const String& value) {
    if (value == FName) return;
    if (FOwner && !value.empty()) {
        TComponent* other = FOwner->FindComponent(value);
        if (other && other != this) throw Exception("A component named " + value + " already exists");
    }
    FName = value;
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& v = FOwner->FComponents;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

TComponent* TComponent::FindComponent(const String& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner == this) return;
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    AComponent->FOwner = this;
    FComponents.push_back(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (!AComponent || AComponent->FOwner != this) return;
    NotifyHolder(AComponent, opRemove);
    Erase(FComponents, AComponent);
    AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        RemoveComponent(c);
        c->Free();
    }
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
        AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent) return;
    Erase(FFreeNotifies, AComponent);
    Erase(AComponent->FFreeNotifies, this);
}

// An owner hears of every insertion and removal and passes it to what it owns, so siblings
// that refer to each other learn of it too.
void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    auto copy = FComponents;
    for (TComponent* c : copy)
        if (c != AComponent && std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
            c->NotifyHolder(AComponent, Operation);
}

void TComponent::NotifyHolder(TComponent* AComponent, TOperation Operation) {
    Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    auto links = FLinks; // a link's owner may reset other links from Dropped()
    for (TComponentLinkBase* link : links)
        if (link->FTarget == AComponent && std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) {
            link->FTarget = nullptr;
            link->Dropped();
        }
}

TComponentLinkBase::TComponentLinkBase(TComponent* AHolder) : FHolder(AHolder) {
    FHolder->FLinks.push_back(this);
}

// A link goes with its holder, whose destruction tells the target and unlinks both: keeping the
// notification until then lets the target hear of the holder's end even when it is deleted
// rather than freed (members go before ~TComponent).
TComponentLinkBase::~TComponentLinkBase() {
    auto& links = FHolder->FLinks;
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
}

void TComponentLinkBase::Retarget(TComponent* ATarget) {
    TComponent* old = FTarget;
    if (old == ATarget) return;
    FTarget = ATarget;
    if (ATarget) ATarget->FreeNotification(FHolder);
    if (!old) return;
    for (TComponentLinkBase* link : FHolder->FLinks)
        if (link->FTarget == old) return;
    // The pair is registered once for both sides: a link back from the old target needs it too.
    for (TComponentLinkBase* link : old->FLinks)
        if (link->FTarget == FHolder) return;
    old->RemoveFreeNotification(FHolder);
}

bool TComponent::SetComponentProperty(const String& name, TComponent* value) {
    (void)name;
    (void)value;
    return false;
}

bool TComponent::SetProperty(const String& name, const TPropValue& value) {
    if (name == "Tag") {
        Tag = static_cast<int>(value.AsInt());
        return true;
    }
    return false;
}

void TComponent::GetProperties(TPropList& out) const {
    if (Tag != 0) out.emplace_back("Tag", TPropValue::FromInt(Tag));
}

void TComponent::GetReadChildren(std::vector<TComponent*>& out, const TComponent* root) const {
    if (this != root) return;
    for (TComponent* c : FComponents)
        if (!c->IsNestedElsewhere()) out.push_back(c);
}

void TComponent::Loaded() {
    FComponentState &= ~(csLoading | csReading);
}

void TComponent::SetComponentState(unsigned bits, bool on) {
    if (on)
        FComponentState |= bits;
    else
        FComponentState &= ~bits;
}

void TComponent::SetLoadingTree(bool on) {
    SetComponentState(csLoading, on);
    for (TComponent* c : FComponents)
        c->SetLoadingTree(on);
}

void TComponent::BeginLoading() {
    SetLoadingTree(true);
}

void TComponent::LoadedTree() {
    auto copy = FComponents;
    for (TComponent* c : copy)
        c->LoadedTree();
    if (FComponentState & csLoading) Loaded();
}

void TComponent::EndLoading() {
    LoadedTree();
}

} // namespace vd
