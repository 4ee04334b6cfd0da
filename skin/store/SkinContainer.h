#pragma once
// The skin container: what a stored skin's zlib stream holds once inflated.
//   version (int32, at most 3); main, inactive and mask pictures, each a flag byte (0: a BMP image
//   follows) and the image; version 2 only: two more flagged pictures, dropped; the active picture
//   count (int32) and that many BMP images; the INI text to the end.
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinBmpFile.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vd {

struct TskSkinContainer {
    int Version = 3;
    TskBitmap Picture;
    TskBitmap InactivePicture;
    TskBitmap Mask;
    std::vector<std::unique_ptr<TskBitmap>> ActivePictures;
    String IniText;
};

constexpr int skMaxContainerVersion = 3;

// False with Error set for a version above 3, any item that does not fit the bytes, or pictures
// of more than MaxPixels pixels together.
bool ReadSkinContainer(std::span<const Byte> data, TskSkinContainer& out, String& error,
                       std::uint64_t maxPixels = skMaxSkinPixels);

// Builds a version-3 container from BMP images given as bytes (an empty span: no picture).
std::vector<Byte> BuildSkinContainer(std::span<const Byte> picture, std::span<const Byte> inactive,
                                     std::span<const Byte> mask,
                                     const std::vector<std::vector<Byte>>& activePictures,
                                     const String& iniText);

} // namespace vd
