#include "skin/core/SkinStoredSkin.h"

#include "skin/core/SkinZStream.h"

namespace vd {

void TskCompressedStoredSkin::UnpackToStream(std::vector<Byte>& dest) const {
    if (!FUnpacked) {
        auto unpacked = std::make_shared<std::vector<Byte>>();
        DecompressMemoryStream(*unpacked, FCompressedStream);
        FUnpacked = std::move(unpacked);
    }
    dest.insert(dest.end(), FUnpacked->begin(), FUnpacked->end());
}

} // namespace vd
