#pragma once
// Owners for drawing handles, so that no path leaks one.
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Objects.h"

#include <utility>

namespace vd {

// Deletes its object with DeleteObject (or its context with DeleteDC).
template <class H> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : FHandle(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : FHandle(std::exchange(o.FHandle, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        Reset(std::exchange(o.FHandle, nullptr));
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    H Get() const { return FHandle; }
    H operator->() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    H Release() { return std::exchange(FHandle, nullptr); }
    void Reset(H h = nullptr) {
        H old = std::exchange(FHandle, h);
        if (old) Free(old);
    }

private:
    static void Free(HDC dc) { DeleteDC(dc); }
    static void Free(HICON icon) { DestroyIcon(icon); }
    template <class T> static void Free(T* o) { DeleteObject(o); }
    H FHandle = nullptr;
};

using UniqueDC = UniqueHandle<HDC>;
using UniqueBitmap = UniqueHandle<HBITMAP>;
using UniqueRegion = UniqueHandle<HRGN>;
using UniqueFont = UniqueHandle<HFONT>;
using UniquePen = UniqueHandle<HPEN>;
using UniqueBrush = UniqueHandle<HBRUSH>;
using UniqueIcon = UniqueHandle<HICON>;

// Selects an object into a context for a scope and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : FDc(dc), FOld(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (FOld) SelectObject(FDc, FOld);
    }

private:
    HDC FDc;
    HGDIOBJ FOld;
};

// SaveDC for a scope.
class SaveGuard {
public:
    explicit SaveGuard(HDC dc) : FDc(dc), FLevel(SaveDC(dc)) {}
    SaveGuard(const SaveGuard&) = delete;
    SaveGuard& operator=(const SaveGuard&) = delete;
    ~SaveGuard() {
        if (FLevel > 0) RestoreDC(FDc, FLevel);
    }

private:
    HDC FDc;
    int FLevel;
};

} // namespace vd
