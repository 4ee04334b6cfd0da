#pragma once
// TComponent: ownership, names and free notification. An owner frees what it owns; anyone
// holding a reference asks for FreeNotification and is told through Notification(opRemove)
// while the referenced component is still whole.
#include "platform/rtl/Object.h"
#include "platform/rtl/String.h"
#include "platform/vcl/PropValue.h"

#include <functional>
#include <vector>

namespace vd {

enum TOperation { opInsert, opRemove };

class TComponentLinkBase;

// ComponentState bits.
inline constexpr unsigned csLoading = 0x01;
inline constexpr unsigned csReading = 0x02;
inline constexpr unsigned csDesigning = 0x10; // never set at run time
inline constexpr unsigned csDestroying = 0x08;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const String& Name() const { return FName; }
    virtual void SetName(const String& value);
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(static_cast<std::size_t>(index)); }
    int ComponentIndex() const;
    TComponent* FindComponent(const String& name) const; // case-insensitive, owned components only
    unsigned ComponentState() const { return FComponentState; }
    int Tag = 0;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();

    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // The loading phase: set csLoading, assign properties, then Loaded() depth-first.
    void BeginLoading();
    void EndLoading(); // Loaded() on every owned component, then on this one

    // Tells everyone who asked, then deletes. Use instead of delete for heap components.
    void Free();
    // Published properties by name, for form resources. SetProperty answers false for a name
    // the class does not know; GetProperties lists the values that differ from the defaults.
    virtual bool SetProperty(const String& name, const TPropValue& value);
    virtual void GetProperties(TPropList& out) const;
    // A property that names another component (PopupMenu, Images, FocusControl, ...): set by
    // the reader once the whole resource is read; false for a name the class does not know.
    virtual bool SetComponentProperty(const String& name, TComponent* value);
    // A nested object of a resource: a control goes into its parent, an item into its menu.
    virtual void InsertReadChild(TComponent* child) { (void)child; }
    // The objects written nested inside this one.
    virtual void GetReadChildren(std::vector<TComponent*>& out, const TComponent* root) const;
    // Event properties bound by handler name (kept so that a written resource keeps them).
    TPropList EventBindings;
    // True for a component written inside another object than its owner (a control with a
    // parent, a menu item in a menu).
    virtual bool IsNestedElsewhere() const { return false; }

    // Frees later, once the message being handled has unwound. Safe from inside the
    // component's own event handlers; a component destroyed before then is skipped.
    void DeferFree();

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void Loaded();
    // Runs once, first thing in Free() or the destructor, while the object is whole.
    virtual void Destroying();
    void SetComponentState(unsigned bits, bool on);

private:
    void BeforeDestroy();
    void SetLoadingTree(bool on);
    // The override first, then the links that pointed at a removed component are emptied.
    void NotifyHolder(TComponent* AComponent, TOperation Operation);
    friend class TComponentLinkBase;
    void LoadedTree();

    TComponent* FOwner = nullptr;
    String FName;
    unsigned FComponentState = 0;
    bool FBeforeDestroyDone = false;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::vector<TComponentLinkBase*> FLinks;
};

// Runs deferred frees now (the application's loop calls it when a dispatch unwinds).
void ProcessDeferredFrees();
bool HasDeferredFrees();

} // namespace vd
