#include "skin/store/SkinStoredStream.h"

#include "skin/store/SkinZStream.h"

namespace vd {

const std::vector<Byte>& TskStoredSkinStream::Unpacked() const {
    if (!FUnpacked) {
        auto unpacked = std::make_shared<std::vector<Byte>>();
        DecompressMemoryStream(*unpacked, FCompressedStream);
        FUnpacked = std::move(unpacked);
    }
    return *FUnpacked;
}

void TskStoredSkinStream::UnpackToStream(std::vector<Byte>& dest) const {
    const std::vector<Byte>& unpacked = Unpacked();
    dest.insert(dest.end(), unpacked.begin(), unpacked.end());
}

std::shared_ptr<const TskSkinContainer> TskStoredSkinStream::DecodedContainer(String& error) const {
    if (!FDecoded) {
        auto decoded = std::make_shared<TskSkinContainer>();
        if (!ReadSkinContainer(Unpacked(), *decoded, error)) return nullptr;
        FDecoded = std::move(decoded);
        // The windows read the pictures from here on: the inflated bytes need not stay.
        FUnpacked.reset();
    }
    return FDecoded;
}

} // namespace vd
