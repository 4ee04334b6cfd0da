#include "skin/store/SkinZStream.h"

#include <zlib.h>

#include <memory>

namespace vd {

namespace {

struct DeflateEnd {
    void operator()(z_stream* z) const { deflateEnd(z); }
};
struct InflateEnd {
    void operator()(z_stream* z) const { inflateEnd(z); }
};

} // namespace

void CompressMemoryStream(std::span<const Byte> source, std::vector<Byte>& dest) {
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw EZCompressionError("Compression error");
    std::unique_ptr<z_stream, DeflateEnd> guard(&z);
    z.next_in = const_cast<Bytef*>(source.data());
    z.avail_in = static_cast<uInt>(source.size());
    Byte buffer[4096];
    int rc;
    do {
        z.next_out = buffer;
        z.avail_out = sizeof buffer;
        rc = deflate(&z, Z_FINISH);
        if (rc == Z_STREAM_ERROR) throw EZCompressionError("Compression error");
        dest.insert(dest.end(), buffer, buffer + (sizeof buffer - z.avail_out));
    } while (rc != Z_STREAM_END);
}

void DecompressMemoryStream(std::vector<Byte>& dest, std::span<const Byte> source, size_t limit) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw EZDecompressionError("Decompression error");
    std::unique_ptr<z_stream, InflateEnd> guard(&z);
    z.next_in = const_cast<Bytef*>(source.data());
    z.avail_in = static_cast<uInt>(source.size());
    Byte buffer[4096];
    size_t produced = 0;
    for (;;) {
        z.next_out = buffer;
        z.avail_out = sizeof buffer;
        const int rc = inflate(&z, Z_NO_FLUSH);
        const size_t got = sizeof buffer - z.avail_out;
        produced += got;
        if (produced > limit) throw EZDecompressionError("Decompression error: the skin is too large");
        dest.insert(dest.end(), buffer, buffer + got);
        if (rc == Z_STREAM_END) return;
        if (rc != Z_OK && !(rc == Z_BUF_ERROR && got > 0))
            throw EZDecompressionError(z.avail_in == 0 ? "Decompression error: the stream ends early"
                                                       : "Decompression error");
    }
}

} // namespace vd
