#pragma once
// Shared by the drawing objects' sources only: the colour the drawing layer paints with, and
// freeing a handle that may be null.
#include "platform/gfx/Color.h"
#include "platform/gfx/Gdi.h"

namespace vd::vclgfx {

inline COLORREF Resolve(TColor c) {
    return static_cast<COLORREF>(ColorToRGB(c)) & 0xFFFFFF;
}

inline void Drop(HGDIOBJ& h) {
    if (h) DeleteObject(h);
    h = nullptr;
}

} // namespace vd::vclgfx
