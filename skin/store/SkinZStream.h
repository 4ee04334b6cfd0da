#pragma once
// zlib streams of stored skins: level 9, 32 KB window (the stream starts 78 DA).
#include "platform/rtl/Exception.h"
#include "platform/rtl/Types.h"

#include <cstddef>
#include <span>
#include <vector>

namespace vd {

class EZCompressionError : public Exception {
public:
    using Exception::Exception;
};

class EZDecompressionError : public Exception {
public:
    using Exception::Exception;
};

// Appends the zlib stream of all of Source to Dest.
void CompressMemoryStream(std::span<const Byte> source, std::vector<Byte>& dest);

// Appends the inflated bytes of the zlib stream Source to Dest, 4096 bytes a step. A stream
// that zlib rejects, that ends early or that would inflate beyond Limit raises
// EZDecompressionError; what was inflated before stays in Dest.
void DecompressMemoryStream(std::vector<Byte>& dest, std::span<const Byte> source,
                            size_t limit = size_t(256) << 20);

} // namespace vd
