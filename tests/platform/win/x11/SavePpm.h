#pragma once
// Keeps an X image as a binary PPM file: the tests' screenshots, kept as artefacts to look at.
// Header-only: the tests that include it link Xlib already.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

namespace vd::test {

inline bool SavePpm(::XImage* img, int w, int h, const char* path) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    std::fprintf(f, "P6 %d %d 255\n", w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned long p = XGetPixel(img, x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                          static_cast<unsigned char>(p >> 8), static_cast<unsigned char>(p)};
            std::fwrite(rgb, 1, 3, f);
        }
    return std::fclose(f) == 0;
}

} // namespace vd::test
