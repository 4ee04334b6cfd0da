#include "skin/core/SkinFBitmap.h"

#include "skin/store/SkinBitmap.h"

namespace vd {

TskFBitmap::TskFBitmap(const TskBitmap& source) : FWidth(source.Width()), FHeight(source.Height()) {
    FRowStride = FWidth * 3 + FWidth % 4;
    FRowPadding = FWidth % 4;
    FPixels.assign(size_t(FRowStride) * size_t(FHeight), 0);
    for (int y = 0; y < FHeight; ++y) {
        Byte* row = FPixels.data() + size_t(y) * size_t(FRowStride);
        const TskColor* from = source.Row(y);
        for (int x = 0; x < FWidth; ++x) {
            row[3 * x] = Byte(skGetB(from[x]));
            row[3 * x + 1] = Byte(skGetG(from[x]));
            row[3 * x + 2] = Byte(skGetR(from[x]));
        }
    }
    BuildRowTable();
}

void TskFBitmap::BuildRowTable() {
    FRowTable.resize(size_t(FHeight));
    for (int y = 0; y < FHeight; ++y)
        FRowTable[size_t(y)] = FPixels.data() + size_t(y) * size_t(FRowStride);
}

} // namespace vd
