#pragma once
// A memory context on a fresh bitmap, for tests.
#include "platform/gfx/Gdi.h"

namespace vd::test {

struct Surface {
    UniqueDC dc;
    UniqueBitmap bmp;
    Surface(int w, int h, int bits = 24) : dc(CreateCompatibleDC(nullptr)), bmp(new GdiBitmap(w, h, bits)) {
        SelectObject(dc.Get(), bmp.Get());
    }
    GdiBitmap& B() { return *bmp.Get(); }
    DWord At(int x, int y) { return B().PixelBgr(x, y); }
    void Fill(DWord bgr) { B().Fill(bgr); }
    // Each pixel names its own place: blue = x, green = y, red = a tag.
    void Encode(int tag = 0) {
        for (int y = 0; y < B().Height(); ++y)
            for (int x = 0; x < B().Width(); ++x)
                B().SetPixelBgr(x, y, Code(x, y, tag));
    }
    static DWord Code(int x, int y, int tag = 0) {
        return DWord(x & 0xFF) | DWord(y & 0xFF) << 8 | DWord(tag & 0xFF) << 16;
    }
};

} // namespace vd::test
