#include "skin/core/SkinStoredSkin.h"

#include "skin/core/SkinZStream.h"

namespace vd {

void TskCompressedStoredSkin::UnpackToStream(std::vector<Byte>& dest) const {
    DecompressMemoryStream(dest, FCompressedStream);
}

} // namespace vd
