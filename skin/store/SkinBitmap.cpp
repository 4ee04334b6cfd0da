#include "skin/store/SkinBitmap.h"

#include <algorithm>

namespace vd {

bool TskBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width > MaxSide || height > MaxSide) {
        FWidth = FHeight = 0;
        FPixels.clear();
        return false;
    }
    if (width == 0 || height == 0) width = height = 0;
    FWidth = width;
    FHeight = height;
    FPixels.assign(size_t(width) * size_t(height), 0);
    return true;
}

void TskBitmap::Fill(TskColor c) {
    std::fill(FPixels.begin(), FPixels.end(), c & 0xFFFFFF);
}

} // namespace vd
