#pragma once
// A private 24-bit copy of a bitmap whose pixels are read straight through a table of row
// addresses: rows top-down, each Width * 3 + Width mod 4 bytes, pixels blue, green, red.
#include "platform/rtl/Types.h"
#include "skin/store/Forward.h"

#include <cstddef>
#include <vector>

namespace vd {

class TskFBitmap {
public:
    explicit TskFBitmap(const TskBitmap& source);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int RowStride() const { return FRowStride; }
    int RowPadding() const { return FRowPadding; }
    size_t ByteSize() const { return FPixels.size(); }
    const Byte* Row(int y) const { return FRowTable[size_t(y)]; }

private:
    void BuildRowTable();

    int FWidth = 0;
    int FHeight = 0;
    int FRowStride = 0;
    int FRowPadding = 0;
    std::vector<Byte> FPixels;
    std::vector<const Byte*> FRowTable;
};

} // namespace vd
