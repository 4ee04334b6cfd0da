#pragma once
// Base of every drawing object a handle points to. Objects are counted: the creator's handle
// holds one reference, each device-context slot that selects the object holds another, so an
// object deleted while still selected lives on until it is deselected.
#include "platform/gfx/GdiTypes.h"

#include <atomic>

namespace vd {

class GdiObject {
public:
    enum class Kind { Bitmap, Region, Pen, Brush, Font, Icon };

    explicit GdiObject(Kind kind) : FKind(kind) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    virtual ~GdiObject() = default;

    Kind ObjectKind() const { return FKind; }
    bool IsStock() const { return FStock; }
    void MarkStock() { FStock = true; }

    void AddRef() { FRefs.fetch_add(1, std::memory_order_relaxed); }
    void Release() {
        if (FRefs.fetch_sub(1, std::memory_order_acq_rel) == 1 && !FStock) delete this;
    }
    // The creator's reference, given up once by DeleteObject.
    bool ReleaseHandle() {
        if (FStock || FHandleReleased) return false;
        FHandleReleased = true;
        Release();
        return true;
    }

private:
    Kind FKind;
    std::atomic<int> FRefs{1};
    bool FStock = false;
    bool FHandleReleased = false;
};

// A counted reference held by a device context.
template <class T> class GdiRef {
public:
    GdiRef() = default;
    explicit GdiRef(T* p) : FPtr(p) {
        if (FPtr) FPtr->AddRef();
    }
    GdiRef(const GdiRef& o) : GdiRef(o.FPtr) {}
    GdiRef& operator=(const GdiRef& o) {
        GdiRef(o).Swap(*this);
        return *this;
    }
    ~GdiRef() {
        if (FPtr) FPtr->Release();
    }
    void Swap(GdiRef& o) noexcept {
        T* t = FPtr;
        FPtr = o.FPtr;
        o.FPtr = t;
    }
    T* Get() const { return FPtr; }
    T* operator->() const { return FPtr; }
    explicit operator bool() const { return FPtr != nullptr; }

private:
    T* FPtr = nullptr;
};

} // namespace vd
