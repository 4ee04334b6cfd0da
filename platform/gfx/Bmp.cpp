#include "platform/gfx/Bmp.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GdiError.h"
#include "platform/gfx/Objects.h"

#include <bit>
#include <cstring>
#include <memory>

namespace vd {

namespace {

std::uint32_t U32(const Byte* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
std::uint16_t U16(const Byte* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}
void Put32(Byte* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = Byte(v >> (8 * i));
}
void Put16(Byte* p, std::uint16_t v) {
    p[0] = Byte(v);
    p[1] = Byte(v >> 8);
}

struct Deleter {
    void operator()(GdiBitmap* b) const { DeleteObject(b); }
};

// One channel out of a 32-bit pixel by its bit mask, scaled to 8 bits.
Byte Channel(std::uint32_t v, std::uint32_t mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    const std::uint32_t m = mask >> shift;
    const std::uint32_t c = (v >> shift) & m;
    return m >= 255 ? Byte(c >> (std::bit_width(m) - 8)) : Byte(c * 255 / m);
}

struct Header {
    std::uint32_t fileSize = 0;
    std::uint32_t offBits = 0;
    std::uint32_t infoSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    std::size_t paletteAt = 0;
    int paletteEntrySize = 4;
};

std::string ParseHeader(const Byte* p, std::size_t size, Header& h) {
    if (size < 18) return "BMP image truncated: no header";
    if (p[0] != 'B' || p[1] != 'M') return "Not a BMP image";
    h.fileSize = U32(p + 2);
    h.offBits = U32(p + 10);
    h.infoSize = U32(p + 14);
    if (h.fileSize > size)
        return "BMP image truncated: header says " + std::to_string(h.fileSize) + " bytes, " +
               std::to_string(size) + " present";
    if (h.infoSize != 12 && (h.infoSize < 40 || h.infoSize > 1024))
        return "Unsupported BMP info header size " + std::to_string(h.infoSize);
    if (std::size_t(14) + h.infoSize > h.fileSize) return "BMP image truncated in its info header";
    const Byte* i = p + 14;
    if (h.infoSize == 12) {
        h.width = U16(i + 4);
        h.height = std::int16_t(U16(i + 6));
        h.bitCount = U16(i + 10);
        h.paletteEntrySize = 3;
    } else {
        h.width = std::int32_t(U32(i + 4));
        h.height = std::int32_t(U32(i + 8));
        h.bitCount = U16(i + 14);
        h.compression = U32(i + 16);
        h.clrUsed = U32(i + 32);
        if (U16(i + 12) != 1) return "BMP image with more than one plane";
    }
    h.paletteAt = 14 + h.infoSize;
    if (h.compression == BI_BITFIELDS && h.bitCount == 32) {
        if (h.infoSize == 40) {
            if (h.paletteAt + 12 > h.fileSize) return "BMP image truncated in its colour masks";
            for (int k = 0; k < 3; ++k)
                h.masks[k] = U32(p + h.paletteAt + 4 * k);
            h.masks[3] = 0;
            h.paletteAt += 12;
        } else {
            // Larger headers carry the masks themselves (the alpha mask from 56 bytes on).
            const int n = h.infoSize >= 56 ? 4 : h.infoSize >= 52 ? 3 : 0;
            for (int k = 0; k < n; ++k)
                h.masks[k] = U32(i + 40 + 4 * k);
            if (n == 3) h.masks[3] = 0;
        }
    } else if (h.compression != BI_RGB) {
        return "Unsupported BMP compression " + std::to_string(h.compression);
    }
    if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24 && h.bitCount != 32)
        return "Unsupported BMP depth " + std::to_string(h.bitCount);
    if (h.bitCount <= 8 && h.clrUsed > (1u << h.bitCount))
        return "BMP colour table of " + std::to_string(h.clrUsed) + " entries for " +
               std::to_string(h.bitCount) + " bits a pixel";
    const std::int64_t absH = h.height < 0 ? -h.height : h.height;
    if (h.width < 0 || h.width > kMaxBitmapSide || absH > kMaxBitmapSide)
        return "BMP image size out of range";
    const std::uint64_t stride = ((std::uint64_t(h.width) * std::uint64_t(h.bitCount) + 31) / 32) * 4;
    if (std::uint64_t(h.offBits) + stride * std::uint64_t(absH) > h.fileSize)
        return "BMP image truncated in its pixel data";
    if (h.offBits < h.paletteAt) return "BMP pixel data overlaps its header";
    return {};
}

void DecodeRows(const Byte* p, const Header& h, GdiBitmap& bmp) {
    const int W = int(h.width), H = bmp.Height();
    if (W == 0 || H == 0) return;
    const std::size_t stride = std::size_t(((h.width * h.bitCount + 31) / 32) * 4);
    // Palette entries that lie inside the image; a missing entry reads as black.
    std::uint32_t paletteCount = 0;
    if (h.bitCount <= 8) {
        paletteCount = h.clrUsed ? h.clrUsed : (1u << h.bitCount);
        const std::size_t room = (h.offBits - h.paletteAt) / std::size_t(h.paletteEntrySize);
        if (paletteCount > room) paletteCount = std::uint32_t(room);
    }
    auto paletteColor = [&](unsigned idx) -> DWord {
        if (idx >= paletteCount) return 0;
        const Byte* e = p + h.paletteAt + std::size_t(idx) * std::size_t(h.paletteEntrySize);
        return DWord(e[0]) | DWord(e[1]) << 8 | DWord(e[2]) << 16;
    };
    for (int fileRow = 0; fileRow < H; ++fileRow) {
        const Byte* src = p + h.offBits + std::size_t(fileRow) * stride;
        const int y = h.height < 0 ? fileRow : H - 1 - fileRow;
        Byte* dst = bmp.Row(y);
        switch (h.bitCount) {
        case 24:
            std::memcpy(dst, src, std::size_t(W) * 3);
            break;
        case 32:
            for (int x = 0; x < W; ++x) {
                const std::uint32_t v = U32(src + 4 * x);
                dst[4 * x] = Channel(v, h.masks[2]);
                dst[4 * x + 1] = Channel(v, h.masks[1]);
                dst[4 * x + 2] = Channel(v, h.masks[0]);
                dst[4 * x + 3] = Channel(v, h.masks[3]);
            }
            break;
        default:
            for (int x = 0; x < W; ++x) {
                const int bitPos = x * h.bitCount;
                const unsigned idx =
                    (src[bitPos >> 3] >> (8 - h.bitCount - (bitPos & 7))) & ((1u << h.bitCount) - 1);
                const DWord c = paletteColor(idx);
                dst[3 * x] = Byte(c);
                dst[3 * x + 1] = Byte(c >> 8);
                dst[3 * x + 2] = Byte(c >> 16);
            }
            break;
        }
    }
}

} // namespace

BmpReadResult ReadBmp(const void* data, std::size_t size) {
    BmpReadResult result;
    if (!data) {
        result.Error = "No BMP data";
        return result;
    }
    const Byte* p = static_cast<const Byte*>(data);
    Header h;
    result.Error = ParseHeader(p, size, h);
    if (!result.Error.empty()) return result;
    const int height = int(h.height < 0 ? -h.height : h.height);
    std::unique_ptr<GdiBitmap, Deleter> bmp;
    try {
        bmp.reset(new GdiBitmap(int(h.width), height, h.bitCount == 32 ? 32 : 24, h.height < 0));
    } catch (const EOutOfResources& e) {
        result.Error = e.Message();
        return result;
    }
    DecodeRows(p, h, *bmp);
    result.Bitmap = bmp.release();
    result.Consumed = h.fileSize;
    result.SourceBitCount = h.bitCount;
    return result;
}

HBITMAP ReadBmpOrThrow(const void* data, std::size_t size, std::size_t* consumed) {
    BmpReadResult r = ReadBmp(data, size);
    if (!r.Bitmap) throw EInvalidGraphic(r.Error);
    if (consumed) *consumed = r.Consumed;
    return r.Bitmap;
}

std::vector<Byte> WriteBmp(HBITMAP bitmap, int bitCount) {
    if (!bitmap) return {};
    if (bitCount != 1 && bitCount != 32) bitCount = 24;
    const int W = bitmap->Width(), H = bitmap->Height();
    const bool alpha = bitCount == 32 && bitmap->BitCount() == 32;
    const std::size_t stride = std::size_t(GdiBitmap::StrideFor(W, bitCount));
    const std::uint32_t offBits = 54 + (bitCount == 1 ? 8 : 0);
    const std::size_t image = stride * std::size_t(H);
    std::vector<Byte> out(offBits + image, 0);
    Byte* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    Put32(p + 2, std::uint32_t(out.size()));
    Put32(p + 10, offBits);
    Put32(p + 14, 40);
    Put32(p + 18, std::uint32_t(W));
    Put32(p + 22, std::uint32_t(H));
    Put16(p + 26, 1);
    Put16(p + 28, std::uint16_t(bitCount));
    Put32(p + 34, std::uint32_t(image));
    if (bitCount == 1) {
        Put32(p + 46, 2);
        Put32(p + 58, 0xFFFFFF); // entry 0 stays black
    }
    for (int y = 0; y < H; ++y) {
        Byte* row = p + offBits + std::size_t(H - 1 - y) * stride;
        for (int x = 0; x < W; ++x) {
            const DWord v = bitmap->PixelBgr(x, y);
            if (bitCount == 1) {
                if (v != 0) row[x >> 3] |= Byte(0x80 >> (x & 7));
                continue;
            }
            Byte* px = row + std::size_t(x) * std::size_t(bitCount / 8);
            px[0] = Byte(v);
            px[1] = Byte(v >> 8);
            px[2] = Byte(v >> 16);
            if (alpha) px[3] = bitmap->Row(y)[4 * x + 3];
        }
    }
    return out;
}

std::vector<Byte> WriteBmp24(HBITMAP bitmap) {
    return WriteBmp(bitmap, 24);
}

} // namespace vd
