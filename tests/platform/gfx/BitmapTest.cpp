#include "platform/gfx/Gdi.h"

#include <gtest/gtest.h>

#include <vector>

namespace vd {
namespace {

TEST(Bitmap, RowStrideAndRowTable) {
    struct Case {
        int width;
        int stride;
    };
    for (const Case c : {Case{1, 4}, {4, 12}, {5, 16}, {3, 12}}) {
        GdiBitmap b(c.width, 3, 24, true);
        EXPECT_EQ(b.Stride(), c.stride) << c.width;
        EXPECT_EQ(b.Row(0), b.Bits()) << "top-down: row 0 is the top row";
        EXPECT_EQ(b.Row(2), b.Bits() + 2 * c.stride);
    }
    GdiBitmap up(2, 3, 24, false);
    EXPECT_EQ(up.Row(2), up.Bits()) << "bottom-up: the bottom row comes first";
    EXPECT_EQ(GdiBitmap::StrideFor(33, 1), 8);
    EXPECT_EQ(GdiBitmap::StrideFor(3, 32), 12);
}

TEST(Bitmap, ResizeKeepsOverlapAndBlackensNewPixels) {
    GdiBitmap b(3, 2, 24);
    b.Fill(0xABCDEF);
    b.Resize(5, 4);
    EXPECT_EQ(b.PixelBgr(2, 1), 0xABCDEFu);
    EXPECT_EQ(b.PixelBgr(3, 1), 0u);
    EXPECT_EQ(b.PixelBgr(0, 3), 0u);
    b.Resize(1, 1);
    EXPECT_EQ(b.PixelBgr(0, 0), 0xABCDEFu);
    GdiBitmap m(10, 1, 1);
    for (int x = 0; x < 10; ++x)
        m.SetMonoBit(x, 0, 1);
    m.Resize(12, 1);
    EXPECT_EQ(m.MonoBit(9, 0), 1);
    EXPECT_EQ(m.MonoBit(10, 0), 0);
}

TEST(Bitmap, SizeLimitsAreErrorsNotNulls) {
    EXPECT_THROW(GdiBitmap(16385, 1, 24), EOutOfResources);
    EXPECT_THROW(GdiBitmap(-1, 1, 24), EOutOfResources);
    GdiBitmap ok(0, 0, 24);
    EXPECT_TRUE(ok.Empty());
    EXPECT_THROW(ok.Resize(1, 20000), EOutOfResources);
    EXPECT_EQ(CreateBitmap(20000, 1, 1, 24, nullptr), nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 100000;
    info.bmiHeader.biHeight = -1;
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

TEST(Bitmap, DibSectionGivesDirectPixelAccess) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 5;
    info.bmiHeader.biHeight = -2;
    void* bits = nullptr;
    UniqueBitmap b(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(b);
    static_cast<Byte*>(bits)[16 + 3] = 0x11; // row 1, pixel 1, blue
    EXPECT_EQ(b->PixelBgr(1, 1), 0x11u);
    BITMAP bm;
    ASSERT_EQ(GetObjectA(b.Get(), sizeof bm, &bm), int(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmWidthBytes, 16);
    EXPECT_EQ(bm.bmBitsPixel, 24);
}

TEST(Bitmap, GetDIBitsConvertsToTopDown24) {
    UniqueBitmap src(CreateBitmap(2, 2, 1, 1, nullptr));
    src->SetMonoBit(1, 0, 1);
    src->SetPalette(1, RGBQUAD{255, 255, 255, 0});
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = -2;
    Byte out[16] = {};
    EXPECT_EQ(GetDIBits(nullptr, src.Get(), 0, 2, out, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[3], 255);
    EXPECT_EQ(out[8], 0);
}

// Deep rows keep each colour; a fourth byte comes from a 32-bit source only, 0 otherwise.
TEST(Bitmap, GetDIBitsCopiesDeepRowsInEitherDepth) {
    for (const int from : {24, 32})
        for (const int to : {24, 32}) {
            UniqueBitmap handle(new GdiBitmap(3, 2, from));
            GdiBitmap& src = *handle.Get();
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x) {
                    src.SetPixelBgr(x, y, DWord(0x010203 * (x + 1) + 0x400000 * y));
                    if (from == 32) src.Row(y)[4 * x + 3] = Byte(0x90 + x);
                }
            BITMAPINFO info{};
            info.bmiHeader.biWidth = 3;
            info.bmiHeader.biHeight = -2;
            info.bmiHeader.biBitCount = Word(to);
            const int bpp = to / 8, stride = GdiBitmap::StrideFor(3, to);
            std::vector<Byte> out(std::size_t(2 * stride), 0xEE);
            ASSERT_EQ(GetDIBits(nullptr, handle.Get(), 0, 2, out.data(), &info, DIB_RGB_COLORS), 2);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x) {
                    const Byte* p = out.data() + y * stride + x * bpp;
                    const DWord want = src.PixelBgr(x, y);
                    EXPECT_EQ(DWord(p[0]) | DWord(p[1]) << 8 | DWord(p[2]) << 16, want)
                        << from << "->" << to << " at " << x << "," << y;
                    if (to == 32) {
                        EXPECT_EQ(p[3], from == 32 ? 0x90 + x : 0) << from << "->32 at " << x;
                    }
                }
        }
}

} // namespace
} // namespace vd
