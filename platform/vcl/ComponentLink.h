#pragma once
// TComponentLink<T>: a reference from one component (the holder) to another that empties itself
// when the other is freed or leaves its owner. It asks for the free notification on Set and
// gives it back when it lets go; the holder's own Notification override still runs first and
// still sees the old value, so a control can repaint or re-layout on the loss.
#include "platform/vcl/Component.h"

namespace vd {

class TComponentLinkBase {
public:
    TComponentLinkBase(const TComponentLinkBase&) = delete;
    TComponentLinkBase& operator=(const TComponentLinkBase&) = delete;

protected:
    explicit TComponentLinkBase(TComponent* AHolder);
    ~TComponentLinkBase();
    // Follows the new target's free notification; gives back the old one unless another link
    // of the same holder still points at it.
    void Retarget(TComponent* ATarget);
    virtual void Dropped() = 0;

private:
    friend class TComponent;
    TComponent* FHolder;
    TComponent* FTarget = nullptr;
};

template <class T> class TComponentLink final : private TComponentLinkBase {
public:
    explicit TComponentLink(TComponent* AHolder) : TComponentLinkBase(AHolder) {}
    ~TComponentLink() = default;

    T* Get() const { return FValue; }
    operator T*() const { return FValue; }
    T* operator->() const { return FValue; }
    void Set(T* AValue) {
        if (AValue == FValue) return;
        FValue = AValue;
        Retarget(AValue);
    }
    void Clear() { Set(nullptr); }
    TComponentLink& operator=(T* AValue) {
        Set(AValue);
        return *this;
    }

private:
    void Dropped() override { FValue = nullptr; }
    T* FValue = nullptr;
};

} // namespace vd
