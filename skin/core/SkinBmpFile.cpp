#include "skin/core/SkinBmpFile.h"

#include "skin/core/SkinBitmap.h"

#include <cstdint>

namespace vd {

namespace {

std::uint32_t U32(std::span<const Byte> d, size_t at) {
    return std::uint32_t(d[at]) | std::uint32_t(d[at + 1]) << 8 | std::uint32_t(d[at + 2]) << 16 |
           std::uint32_t(d[at + 3]) << 24;
}
std::uint16_t U16(std::span<const Byte> d, size_t at) { return std::uint16_t(d[at] | d[at + 1] << 8); }

void Put32(std::vector<Byte>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(Byte(v >> (8 * i)));
}
void Put16(std::vector<Byte>& out, std::uint16_t v) {
    out.push_back(Byte(v));
    out.push_back(Byte(v >> 8));
}

TskBmpReadResult Fail(const char* why) { return {false, 0, String("Invalid bitmap: ") + why}; }

TskColor PaletteColor(std::span<const Byte> d, size_t palette, std::uint32_t count, std::uint32_t index) {
    if (index >= count) return 0;
    size_t at = palette + size_t(index) * 4;
    return skRGB(d[at + 2], d[at + 1], d[at]);
}

} // namespace

TskBmpReadResult ReadBmpImage(std::span<const Byte> d, TskBitmap& out) {
    out.Clear();
    if (d.size() < 14 + 40) return Fail("truncated header");
    if (d[0] != 'B' || d[1] != 'M') return Fail("no BM signature");
    const std::uint32_t offBits = U32(d, 10);
    const std::uint32_t infoSize = U32(d, 14);
    if (infoSize < 40 || infoSize > d.size() - 14) return Fail("bad info header size");
    const auto width = static_cast<std::int32_t>(U32(d, 18));
    const auto rawHeight = static_cast<std::int32_t>(U32(d, 22));
    const std::uint16_t planes = U16(d, 26), bpp = U16(d, 28);
    const std::uint32_t compression = U32(d, 30), clrUsed = U32(d, 46);
    if (width <= 0 || width > TskBitmap::MaxSide) return Fail("bad width");
    if (rawHeight == 0 || rawHeight < -TskBitmap::MaxSide || rawHeight > TskBitmap::MaxSide)
        return Fail("bad height");
    if (planes != 1) return Fail("bad plane count");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return Fail("unsupported depth");
    if (compression != 0) return Fail("compressed bitmaps are not supported");
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;

    std::uint32_t paletteCount = 0;
    if (bpp <= 8) {
        const std::uint32_t full = 1u << bpp;
        if (clrUsed > full) return Fail("bad colour count");
        paletteCount = clrUsed ? clrUsed : full;
    }
    const size_t palette = 14 + size_t(infoSize);
    if (palette + size_t(paletteCount) * 4 > d.size()) return Fail("truncated colour table");
    if (offBits < palette + size_t(paletteCount) * 4) return Fail("pixel data overlaps the header");
    const size_t stride = (size_t(width) * bpp + 31) / 32 * 4;
    const size_t imageSize = stride * size_t(height);
    if (offBits > d.size() || imageSize > d.size() - offBits) return Fail("truncated pixel data");

    if (!out.SetSize(width, height)) return Fail("too large");
    for (int row = 0; row < height; ++row) {
        const size_t src = offBits + size_t(row) * stride;
        const int y = rawHeight > 0 ? height - 1 - row : row;
        TskColor* dst = out.Row(y);
        for (int x = 0; x < width; ++x) {
            switch (bpp) {
            case 1: dst[x] = PaletteColor(d, palette, paletteCount, (d[src + size_t(x) / 8] >> (7 - x % 8)) & 1); break;
            case 4: dst[x] = PaletteColor(d, palette, paletteCount, (d[src + size_t(x) / 2] >> (x % 2 ? 0 : 4)) & 15); break;
            case 8: dst[x] = PaletteColor(d, palette, paletteCount, d[src + size_t(x)]); break;
            default: {
                const size_t at = src + size_t(x) * (bpp / 8);
                dst[x] = skRGB(d[at + 2], d[at + 1], d[at]);
            }
            }
        }
    }
    return {true, offBits + imageSize, {}};
}

std::vector<Byte> WriteBmpImage(const TskBitmap& bmp, int bpp) {
    if (bpp != 1 && bpp != 32) bpp = 24;
    const int w = bmp.Width(), h = bmp.Height();
    const std::uint32_t paletteBytes = bpp == 1 ? 8 : 0;
    const size_t stride = (size_t(w) * size_t(bpp) + 31) / 32 * 4;
    const std::uint32_t offBits = 14 + 40 + paletteBytes;
    const auto imageSize = static_cast<std::uint32_t>(stride * size_t(h));
    std::vector<Byte> out;
    out.reserve(offBits + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + imageSize);
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, 40);
    Put32(out, std::uint32_t(w));
    Put32(out, std::uint32_t(h));
    Put16(out, 1);
    Put16(out, std::uint16_t(bpp));
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, bpp == 1 ? 2 : 0);
    Put32(out, 0);
    if (bpp == 1) {
        Put32(out, 0x000000);
        Put32(out, 0xFFFFFF);
    }
    for (int y = h - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        out.resize(rowStart + stride, 0);
        const TskColor* src = bmp.Row(y);
        for (int x = 0; x < w; ++x) {
            const TskColor c = src[x];
            if (bpp == 1) {
                if (c != 0) out[rowStart + size_t(x) / 8] |= Byte(0x80 >> (x % 8));
                continue;
            }
            const size_t at = rowStart + size_t(x) * size_t(bpp / 8);
            out[at] = Byte(skGetB(c));
            out[at + 1] = Byte(skGetG(c));
            out[at + 2] = Byte(skGetR(c));
        }
    }
    return out;
}

} // namespace vd
