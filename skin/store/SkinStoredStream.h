#pragma once
// A whole skin kept as one zlib stream, free of the class library: the packer fills it and the
// stored-skin component carries it.
#include "platform/rtl/Types.h"

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
    }

    bool IsDataEmpty() const { return FCompressedStream.empty(); }
    // Appends the inflated container to Dest; raises EZDecompressionError for a bad stream.
    // Every window's skin object loads one stored skin: it is inflated once and kept.
    void UnpackToStream(std::vector<Byte>& dest) const;

private:
    std::vector<Byte> FCompressedStream;
    mutable std::shared_ptr<const std::vector<Byte>> FUnpacked; // null until a good inflate
};

} // namespace vd
