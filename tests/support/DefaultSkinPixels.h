#pragma once
// Pixels that only the program's default skin paints: a screenshot test checks them, so that a
// black, half-drawn or unskinned window fails it. The colours come from the skin generator's
// own table. Include after Xlib.
#include "tools/skingen/SkinLook.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vd::test {

// A colour of the default skin as the X server shows it (0xRRGGBB).
inline unsigned long ScreenRgb(TskColor c) {
    const auto v = static_cast<unsigned long>(c);
    return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16 & 0xFF);
}

inline unsigned long PixelAt(::XImage* image, int x, int y) {
    return XGetPixel(image, x, y) & 0xFFFFFF;
}

// The default skin's frame around an active window at (Left, Top), Width x Height, in Image: at
// mid-height on both sides the outline, the accent border and its deep inner line; in the
// middle of the top the outline over the caption band.
inline bool ShowsDefaultSkinFrame(::XImage* image, int left, int top, int width, int height) {
    using namespace skingen::look;
    const unsigned long side[] = {ScreenRgb(FrameOutline), ScreenRgb(Accent), ScreenRgb(Accent),
                                  ScreenRgb(AccentDeep)};
    const int middle = top + height / 2;
    for (int i = 0; i < 4; ++i)
        if (PixelAt(image, left + i, middle) != side[i] ||
            PixelAt(image, left + width - 1 - i, middle) != side[i])
            return false;
    return PixelAt(image, left + width / 2, top) == ScreenRgb(FrameOutline) &&
           PixelAt(image, left + width / 2, top + 1) == ScreenRgb(AccentHi);
}

// How many pixels of the rectangle (every other one each way) show the default skin's colour C.
inline int CountSkinPixels(::XImage* image, int left, int top, int right, int bottom, TskColor c) {
    int n = 0;
    for (int y = top; y < bottom; y += 2)
        for (int x = left; x < right; x += 2)
            n += PixelAt(image, x, y) == ScreenRgb(c);
    return n;
}

} // namespace vd::test
