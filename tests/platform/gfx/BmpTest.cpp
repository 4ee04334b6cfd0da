#include "platform/gfx/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace vd {
namespace {

void Put32(std::vector<Byte>& v, std::size_t at, std::uint32_t x) {
    for (int i = 0; i < 4; ++i)
        v[at + std::size_t(i)] = Byte(x >> (8 * i));
}
void Put16(std::vector<Byte>& v, std::size_t at, std::uint16_t x) {
    v[at] = Byte(x);
    v[at + 1] = Byte(x >> 8);
}

// An independent BMP writer: value(x, y) is a palette index for depths up to 8, else a
// 0x00RRGGBB colour (32-bit: alpha in the top byte). extra adds bytes inside the image.
std::vector<Byte> MakeBmp(int bits, int w, int h, const std::vector<RGBQUAD>& palette,
                          const std::function<std::uint32_t(int, int)>& value, bool topDown = false,
                          std::size_t extra = 0) {
    const std::size_t stride = std::size_t(((w * bits + 31) / 32) * 4);
    const std::size_t off = 54 + palette.size() * 4;
    std::vector<Byte> v(off + stride * std::size_t(h) + extra, 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, std::uint32_t(v.size()));
    Put32(v, 10, std::uint32_t(off));
    Put32(v, 14, 40);
    Put32(v, 18, std::uint32_t(w));
    Put32(v, 22, std::uint32_t(topDown ? -h : h));
    Put16(v, 26, 1);
    Put16(v, 28, std::uint16_t(bits));
    Put32(v, 46, std::uint32_t(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i)
        std::memcpy(&v[54 + 4 * i], &palette[i], 4);
    for (int y = 0; y < h; ++y) {
        const int fileRow = topDown ? y : h - 1 - y;
        Byte* row = &v[off + std::size_t(fileRow) * stride];
        for (int x = 0; x < w; ++x) {
            const std::uint32_t val = value(x, y);
            if (bits <= 8) {
                const int bitPos = x * bits;
                row[bitPos / 8] |= Byte(val << (8 - bits - bitPos % 8));
            } else {
                for (int k = 0; k < bits / 8; ++k)
                    row[x * (bits / 8) + k] = Byte(val >> (8 * k));
            }
        }
    }
    return v;
}

std::vector<RGBQUAD> Palette(int n) {
    std::vector<RGBQUAD> p;
    for (int i = 0; i < n; ++i)
        p.push_back({Byte(i * 7), Byte(255 - i), Byte(i * 3), 0});
    return p;
}

DWord PaletteBgr(const std::vector<RGBQUAD>& p, std::uint32_t i) {
    return DWord(p[i].rgbBlue) | DWord(p[i].rgbGreen) << 8 | DWord(p[i].rgbRed) << 16;
}

TEST(Bmp, ReadsEveryDepthAndWritesTheSamePixelsBack) {
    struct Case {
        int bits;
        int w, h;
        bool topDown;
    };
    const Case cases[] = {{1, 13, 5, false}, {4, 7, 3, false},  {8, 5, 4, false}, {24, 5, 3, false},
                          {24, 4, 2, true},  {32, 3, 3, false}, {8, 1, 1, true}};
    for (const Case& c : cases) {
        const auto pal = c.bits <= 8 ? Palette(1 << c.bits) : std::vector<RGBQUAD>{};
        auto value = [&](int x, int y) -> std::uint32_t {
            if (c.bits <= 8) return std::uint32_t(x * 3 + y) % (1u << c.bits);
            return std::uint32_t(x) | std::uint32_t(y) << 8 | 0x40u << 16 | (c.bits == 32 ? 0x80u << 24 : 0);
        };
        const auto file = MakeBmp(c.bits, c.w, c.h, pal, value, c.topDown);
        BmpReadResult r = ReadBmp(file.data(), file.size());
        ASSERT_TRUE(r.Bitmap) << c.bits << ": " << r.Error;
        UniqueBitmap bmp(r.Bitmap);
        EXPECT_EQ(r.Consumed, file.size());
        EXPECT_EQ(r.SourceBitCount, c.bits);
        ASSERT_EQ(bmp->Width(), c.w);
        ASSERT_EQ(bmp->Height(), c.h);
        EXPECT_EQ(bmp->BitCount(), c.bits == 32 ? 32 : 24);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                const DWord want = c.bits <= 8 ? PaletteBgr(pal, value(x, y)) : value(x, y) & 0xFFFFFF;
                ASSERT_EQ(bmp->PixelBgr(x, y), want) << c.bits << " at " << x << "," << y;
            }
        if (c.bits == 32) {
            EXPECT_EQ(bmp->Row(0)[3], 0x80) << "alpha kept";
        }
        // Written back as 24 bits, byte for byte what an independent writer makes.
        const auto written = WriteBmp24(bmp.Get());
        const auto want = MakeBmp(24, c.w, c.h, {}, [&](int x, int y) { return bmp->PixelBgr(x, y); });
        std::vector<Byte> expected = want;
        Put32(expected, 34, std::uint32_t(want.size() - 54)); // the writer fills in the image size
        EXPECT_EQ(written, expected) << c.bits;
    }
}

TEST(Bmp, WritesMasksAtOneBitAndKeepsAlphaAtThirtyTwo) {
    // Any colour but black is a white mask pixel; a 32-bit bitmap keeps its alpha byte.
    UniqueBitmap src(new GdiBitmap(11, 3, 32, false));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 11; ++x) {
            src->SetPixelBgr(x, y, (x + y) % 3 ? DWord(x | y << 8 | 0x010000) : 0);
            src->Row(y)[4 * x + 3] = Byte(x * 20 + y);
        }
    const std::vector<RGBQUAD> bw = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    struct Case {
        int bits;
        std::vector<RGBQUAD> palette;
        std::function<std::uint32_t(int, int)> value;
    };
    const Case cases[] = {
        {1, bw, [&](int x, int y) { return src->PixelBgr(x, y) ? 1u : 0u; }},
        {32,
         {},
         [&](int x, int y) { return src->PixelBgr(x, y) | std::uint32_t(src->Row(y)[4 * x + 3]) << 24; }},
    };
    for (const Case& c : cases) {
        const auto written = WriteBmp(src.Get(), c.bits);
        auto expected = MakeBmp(c.bits, 11, 3, c.palette, c.value);
        Put32(expected, 34, std::uint32_t(expected.size() - 54 - c.palette.size() * 4));
        EXPECT_EQ(written, expected) << c.bits;
    }
    UniqueBitmap plain(new GdiBitmap(2, 1, 24));
    plain->Fill(0x123456);
    const auto opaque = WriteBmp(plain.Get(), 32);
    ASSERT_EQ(opaque.size(), 62u);
    EXPECT_EQ(std::vector<Byte>(opaque.begin() + 54, opaque.end()),
              (std::vector<Byte>{0x56, 0x34, 0x12, 0, 0x56, 0x34, 0x12, 0}));
    EXPECT_EQ(WriteBmp(plain.Get(), 16), WriteBmp24(plain.Get())) << "other depths write 24 bits";
}

TEST(Bmp, MaskBlackStaysBlack) {
    const std::vector<RGBQUAD> pal = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    const auto file = MakeBmp(1, 9, 2, pal, [](int x, int y) { return std::uint32_t((x + y) % 2); });
    UniqueBitmap bmp(ReadBmpOrThrow(file.data(), file.size()));
    EXPECT_EQ(bmp->PixelBgr(0, 0), 0u);
    EXPECT_EQ(bmp->PixelBgr(1, 0), 0xFFFFFFu);
    EXPECT_EQ(bmp->PixelBgr(8, 1), 0xFFFFFFu);
}

TEST(Bmp, ReadsOneImageAndStopsAtItsEnd) {
    // Three items back to back, the middle one with padding that its size field covers.
    const auto a = MakeBmp(24, 3, 2, {}, [](int x, int y) { return std::uint32_t(x + 10 * y); });
    const auto b = MakeBmp(
        8, 2, 2, Palette(256), [](int x, int) { return std::uint32_t(x); }, false, 7);
    const auto c = MakeBmp(1, 5, 1, Palette(2), [](int x, int) { return std::uint32_t(x & 1); });
    std::vector<Byte> all;
    for (const auto* part : {&a, &b, &c})
        all.insert(all.end(), part->begin(), part->end());
    all.push_back(0xEE); // whatever follows
    std::size_t at = 0;
    for (const auto* part : {&a, &b, &c}) {
        BmpReadResult r = ReadBmp(all.data() + at, all.size() - at);
        ASSERT_TRUE(r.Bitmap) << r.Error;
        UniqueBitmap owned(r.Bitmap);
        EXPECT_EQ(r.Consumed, part->size());
        at += r.Consumed;
    }
    EXPECT_EQ(at, all.size() - 1);
}

TEST(Bmp, CorruptHeadersAreErrorsNotReadsPastTheEnd) {
    const auto good = MakeBmp(24, 4, 4, {}, [](int, int) { return 0x123456u; });
    struct Case {
        const char* name;
        std::function<void(std::vector<Byte>&)> spoil;
    };
    const Case cases[] = {
        {"empty", [](std::vector<Byte>& v) { v.clear(); }},
        {"cut in the file header", [](std::vector<Byte>& v) { v.resize(10); }},
        {"cut in the info header", [](std::vector<Byte>& v) { v.resize(30); }},
        {"cut in the pixels", [](std::vector<Byte>& v) { v.resize(v.size() - 1); }},
        {"bad magic", [](std::vector<Byte>& v) { v[0] = 'X'; }},
        {"size beyond the data", [](std::vector<Byte>& v) { Put32(v, 2, std::uint32_t(v.size() + 1)); }},
        {"size too small for the pixels", [](std::vector<Byte>& v) { Put32(v, 2, 60); }},
        {"pixel offset past the end", [](std::vector<Byte>& v) { Put32(v, 10, 0xFFFFFFF0u); }},
        {"pixel offset inside the header", [](std::vector<Byte>& v) { Put32(v, 10, 20); }},
        {"huge width", [](std::vector<Byte>& v) { Put32(v, 18, 0x7FFFFFFF); }},
        {"negative width", [](std::vector<Byte>& v) { Put32(v, 18, 0xFFFFFFFEu); }},
        {"most negative height", [](std::vector<Byte>& v) { Put32(v, 22, 0x80000000u); }},
        {"odd depth", [](std::vector<Byte>& v) { Put16(v, 28, 17); }},
        {"run-length compressed", [](std::vector<Byte>& v) { Put32(v, 30, 1); }},
        {"info header size lies", [](std::vector<Byte>& v) { Put32(v, 14, 0x7FFFFFFF); }},
        {"two planes", [](std::vector<Byte>& v) { Put16(v, 26, 2); }},
        {"colour count above the depth",
         [](std::vector<Byte>& v) {
             Put16(v, 28, 8);
             Put32(v, 46, 257);
         }},
    };
    for (const Case& c : cases) {
        std::vector<Byte> v = good;
        c.spoil(v);
        // A copy of exactly the bytes, so that AddressSanitizer sees any read beyond them.
        std::unique_ptr<Byte[]> exact(new Byte[v.size() + 1]);
        std::memcpy(exact.get(), v.data(), v.size());
        BmpReadResult r = ReadBmp(v.empty() ? nullptr : exact.get(), v.size());
        EXPECT_EQ(r.Bitmap, nullptr) << c.name;
        EXPECT_FALSE(r.Error.empty()) << c.name;
        EXPECT_THROW(ReadBmpOrThrow(exact.get(), v.size()), EInvalidGraphic) << c.name;
    }
}

TEST(Bmp, ShortPaletteReadsMissingEntriesAsBlack) {
    // An 8-bit image whose colour table holds two entries; index 5 has none.
    const auto file = MakeBmp(8, 2, 1, {{10, 20, 30, 0}, {40, 50, 60, 0}},
                              [](int x, int) { return std::uint32_t(x ? 5 : 1); });
    UniqueBitmap bmp(ReadBmpOrThrow(file.data(), file.size()));
    EXPECT_EQ(bmp->PixelBgr(0, 0), 0x3C3228u);
    EXPECT_EQ(bmp->PixelBgr(1, 0), 0u);
}

} // namespace
} // namespace vd
