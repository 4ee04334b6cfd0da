#include "skin/store/SkinStoredStream.h"

#include "skin/store/SkinZStream.h"

namespace vd {

void TskStoredSkinStream::UnpackToStream(std::vector<Byte>& dest) const {
    if (!FUnpacked) {
        auto unpacked = std::make_shared<std::vector<Byte>>();
        DecompressMemoryStream(*unpacked, FCompressedStream);
        FUnpacked = std::move(unpacked);
    }
    dest.insert(dest.end(), FUnpacked->begin(), FUnpacked->end());
}

} // namespace vd
