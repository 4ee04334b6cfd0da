#pragma once
// A whole skin kept as one zlib stream, free of the class library: the packer fills it and the
// stored-skin component carries it.
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"
#include "skin/store/SkinContainer.h"

#include <memory>
#include <vector>

namespace vd {

class TskStoredSkinStream {
public:
    // The zlib stream exactly as stored; empty means no skin.
    const std::vector<Byte>& CompressedStream() const { return FCompressedStream; }
    void SetCompressedStream(std::vector<Byte> data) {
        FCompressedStream = std::move(data);
        FUnpacked.reset();
        FDecoded.reset();
    }

    bool IsDataEmpty() const { return FCompressedStream.empty(); }
    // Appends the inflated container to Dest; raises EZDecompressionError for a bad stream.
    // Every window's skin object loads one stored skin: it is inflated once and kept until its
    // pictures are decoded.
    void UnpackToStream(std::vector<Byte>& dest) const;
    // The container decoded once and kept: each window's skin object copies its pictures from it
    // instead of decoding them again. Null with Error set for a bad container; raises as
    // UnpackToStream does for a bad stream.
    std::shared_ptr<const TskSkinContainer> DecodedContainer(String& error) const;

private:
    const std::vector<Byte>& Unpacked() const;

    std::vector<Byte> FCompressedStream;
    mutable std::shared_ptr<const std::vector<Byte>> FUnpacked; // null until a good inflate
    mutable std::shared_ptr<const TskSkinContainer> FDecoded;   // null until a good read
};

} // namespace vd
