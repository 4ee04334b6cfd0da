#pragma once
// Window regions from mask pictures: black pixels (B + G + R = 0) belong to the window.
#include "platform/rtl/Types.h"
#include "skin/core/SkinRegion.h"
#include "skin/store/Forward.h"

#include <optional>
#include <span>
#include <vector>

namespace vd {

struct TskSkinCorners;

// Region data in the platform's RGNDATA layout (a 32-byte header, then left, top, right, bottom
// of every rectangle) for the mask placed at (X, Y): one rectangle per run of black pixels, one
// pixel high, in row order. Returns its size in bytes; 0 and no data for an empty mask.
int ScanMaskRegionData(const TskBitmap& mask, int x, int y, std::vector<Byte>& data);

// ExtCreateRegion over region data; nothing for data that does not hold what its header says.
std::optional<TskRegion> RegionFromRegionData(std::span<const Byte> data);

// The region of a whole mask at (0, 0); none for an empty mask.
std::optional<TskRegion> RegionFromMaskBitmap(const TskBitmap& mask);

// The four border pieces of a mask for a new size, tiled, never stretched. Pixels no piece
// covers stay outside the window.
void ComposeSkinMask(const TskSkinCorners& old, const TskSkinCorners& neu, int w, const TskBitmap& mask,
                     TskBitmap& topMask, TskBitmap& bottomMask, TskBitmap& leftMask, TskBitmap& rightMask);

// The window region of a nine-part face at a new size: the new client rectangle joined with the
// black pixels of the composed border masks. None when the new size is below the fixed parts or
// the new client rectangle is empty.
std::optional<TskRegion> BuildSkinRegion(const TskSkinCorners& old, const TskSkinCorners& neu, int w,
                                         const TskBitmap& mask);

} // namespace vd
