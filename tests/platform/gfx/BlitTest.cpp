#include "Surface.h"

#include <gtest/gtest.h>

#include <string>

namespace vd {
namespace {

using test::Surface;

TEST(BitBlt, CopiesEachPixelFromItsMappedSourcePlace) {
    struct Case {
        const char* name;
        int x, y, w, h, sx, sy;
        TPoint dstViewport, srcViewport;
    };
    const Case cases[] = {
        {"plain", 3, 4, 10, 6, 5, 2, {0, 0}, {0, 0}},
        {"dest viewport", 0, 0, 8, 8, 0, 0, {5, 7}, {0, 0}},
        {"source viewport", 2, 2, 8, 8, 0, 0, {0, 0}, {-4, -3}},
        {"past every edge", -5, -5, 50, 50, -2, -2, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        Surface src(20, 20), dst(24, 24);
        src.Encode(1);
        dst.Fill(0x123456);
        SetViewportOrgEx(dst.dc.Get(), c.dstViewport.X, c.dstViewport.Y, nullptr);
        SetViewportOrgEx(src.dc.Get(), c.srcViewport.X, c.srcViewport.Y, nullptr);
        EXPECT_TRUE(BitBlt(dst.dc.Get(), c.x, c.y, c.w, c.h, src.dc.Get(), c.sx, c.sy, SRCCOPY));
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                // Independent map: surface place -> logical dest -> logical source -> source surface.
                const int lx = x - c.dstViewport.X, ly = y - c.dstViewport.Y;
                const int sx = lx - c.x + c.sx + c.srcViewport.X, sy = ly - c.y + c.sy + c.srcViewport.Y;
                const bool inside = lx >= c.x && lx < c.x + c.w && ly >= c.y && ly < c.y + c.h && sx >= 0 &&
                                    sx < 20 && sy >= 0 && sy < 20;
                const DWord want = inside ? Surface::Code(sx, sy, 1) : 0x123456;
                ASSERT_EQ(dst.At(x, y), want) << c.name << " at " << x << "," << y;
            }
        }
    }
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapScrolls) {
    for (auto [dx, dy] : {std::pair{0, 3}, {0, -3}, {2, 1}, {-2, -1}}) {
        Surface s(12, 12);
        s.Encode(4);
        BitBlt(s.dc.Get(), dx, dy, 12, 12, s.dc.Get(), 0, 0, SRCCOPY);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const int sx = x - dx, sy = y - dy;
                const bool moved = sx >= 0 && sx < 12 && sy >= 0 && sy < 12;
                ASSERT_EQ(s.At(x, y), moved ? Surface::Code(sx, sy, 4) : Surface::Code(x, y, 4))
                    << dx << "," << dy << " at " << x << "," << y;
            }
    }
}

TEST(BitBlt, ZeroOrNegativeExtentDrawsNothingAndSucceeds) {
    Surface src(4, 4), dst(4, 4);
    src.Fill(0xFFFFFF);
    for (auto [w, h] : {std::pair{0, 3}, {3, 0}, {-2, 3}, {3, -2}}) {
        EXPECT_TRUE(BitBlt(dst.dc.Get(), 0, 0, w, h, src.dc.Get(), 0, 0, SRCCOPY));
        EXPECT_TRUE(StretchBlt(dst.dc.Get(), 0, 0, w, h, src.dc.Get(), 0, 0, 4, 4, SRCCOPY));
        EXPECT_TRUE(StretchBlt(dst.dc.Get(), 0, 0, 4, 4, src.dc.Get(), 0, 0, w, h, SRCCOPY));
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(dst.At(x, y), 0u);
}

TEST(BitBlt, ClipRegionLimitsPainting) {
    Surface src(16, 16), dst(16, 16);
    src.Encode(2);
    UniqueRegion clip(CreateRectRgn(2, 2, 8, 8));
    UniqueRegion hole(CreateRectRgn(4, 4, 6, 6));
    CombineRgn(clip.Get(), clip.Get(), hole.Get(), RGN_DIFF);
    SelectClipRgn(dst.dc.Get(), clip.Get());
    ExcludeClipRect(dst.dc.Get(), 7, 0, 16, 16);
    // The clip is in device terms: a viewport shift moves the picture, not the clip.
    SetViewportOrgEx(dst.dc.Get(), 1, 0, nullptr);
    BitBlt(dst.dc.Get(), -1, 0, 16, 16, src.dc.Get(), 0, 0, SRCCOPY);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool in = x >= 2 && x < 7 && y >= 2 && y < 8 && !(x >= 4 && x < 6 && y >= 4 && y < 6);
            ASSERT_EQ(dst.At(x, y), in ? Surface::Code(x, y, 2) : 0u) << x << "," << y;
        }
    TRect box;
    EXPECT_EQ(GetClipBox(dst.dc.Get(), &box), COMPLEXREGION);
    EXPECT_EQ(box, (TRect{1, 2, 6, 8})) << "clip box in logical coordinates";
}

TEST(StretchBlt, NearestNeighbourFollowsTheDocumentedMapping) {
    struct Case {
        int w, h, sw, sh;
    };
    for (const Case c : {Case{20, 20, 20, 20}, Case{30, 10, 10, 15}, Case{7, 13, 19, 5}, Case{1, 1, 9, 9}}) {
        Surface src(c.sw, c.sh), dst(c.w, c.h);
        src.Encode(3);
        StretchBlt(dst.dc.Get(), 0, 0, c.w, c.h, src.dc.Get(), 0, 0, c.sw, c.sh, SRCCOPY);
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                const int sx = (2 * x + 1) * c.sw / (2 * c.w), sy = (2 * y + 1) * c.sh / (2 * c.h);
                ASSERT_EQ(dst.At(x, y), Surface::Code(sx, sy, 3))
                    << c.w << "x" << c.h << " at " << x << "," << y;
            }
    }
}

// Between 24- and 32-bit bitmaps the colour moves and a 32-bit destination keeps its fourth
// byte, except that a plain copy from 32 bits brings the source's.
TEST(StretchBlt, MixedDepthsCopyColoursAndKeepTheFourthByte) {
    struct Case {
        int srcBits, dstBits, sw;
        bool transparent;
    };
    const Case cases[] = {{32, 24, 8, false}, {24, 32, 8, false}, {32, 32, 5, false}, {32, 24, 5, false},
                          {24, 32, 5, true},  {32, 32, 8, true},  {32, 24, 5, true}};
    for (const Case& c : cases) {
        Surface src(c.sw, 6, c.srcBits), dst(8, 6, c.dstBits);
        src.Encode(5);
        src.B().SetPixelBgr(1, 2, 0xFF00FF);
        dst.Fill(0x0A0B0C);
        auto fourth = [](Surface& s, int x, int y) -> Byte& { return s.B().Row(y)[4 * x + 3]; };
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                if (c.srcBits == 32 && x < c.sw) fourth(src, x, y) = Byte(0x80 + x);
                if (c.dstBits == 32) fourth(dst, x, y) = 0x11;
            }
        if (c.transparent)
            TransparentBlt(dst.dc.Get(), 0, 0, 8, 6, src.dc.Get(), 0, 0, c.sw, 6, RGB(255, 0, 255));
        else
            StretchBlt(dst.dc.Get(), 0, 0, 8, 6, src.dc.Get(), 0, 0, c.sw, 6, SRCCOPY);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                const int sx = (2 * x + 1) * c.sw / 16;
                const bool hole = c.transparent && sx == 1 && y == 2;
                const std::string at = std::to_string(c.srcBits) + "->" + std::to_string(c.dstBits) + " of " +
                                       std::to_string(c.sw) + (c.transparent ? " transparent" : "") + " at " +
                                       std::to_string(x) + "," + std::to_string(y);
                const DWord colour = hole ? 0x0A0B0C : sx == 1 && y == 2 ? 0xFF00FF : Surface::Code(sx, y, 5);
                ASSERT_EQ(dst.At(x, y), colour) << at;
                if (c.dstBits == 32) {
                    ASSERT_EQ(fourth(dst, x, y), c.srcBits == 32 && !c.transparent ? 0x80 + sx : 0x11) << at;
                }
            }
    }
}

TEST(BitBlt, RasterOperations) {
    struct Case {
        DWord rop;
        DWord (*f)(DWord s, DWord d);
    };
    const Case cases[] = {
        {SRCAND, [](DWord s, DWord d) { return s & d; }},
        {SRCPAINT, [](DWord s, DWord d) { return s | d; }},
        {SRCINVERT, [](DWord s, DWord d) { return s ^ d; }},
        {NOTSRCCOPY, [](DWord s, DWord) { return ~s & 0xFFFFFF; }},
        {DSTINVERT, [](DWord, DWord d) { return ~d & 0xFFFFFF; }},
        {BLACKNESS, [](DWord, DWord) { return DWord(0); }},
        {WHITENESS, [](DWord, DWord) { return DWord(0xFFFFFF); }},
        {SRCERASE, [](DWord s, DWord d) { return s & ~d & 0xFFFFFF; }},
    };
    for (const Case& c : cases) {
        Surface src(8, 8), dst(8, 8);
        src.Encode(0x5A);
        dst.Encode(0xC3);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                dst.B().SetPixelBgr(x, y, dst.At(x, y) ^ 0x0F0F0F);
        BitBlt(dst.dc.Get(), 0, 0, 8, 8, src.dc.Get(), 0, 0, c.rop);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(dst.At(x, y), c.f(Surface::Code(x, y, 0x5A), Surface::Code(x, y, 0xC3) ^ 0x0F0F0F))
                    << std::hex << c.rop << " at " << x << "," << y;
    }
}

TEST(BitBlt, MonochromeMaskUsesContextColours) {
    // Colour to mono: the source's background colour becomes 1, the rest 0.
    Surface pic(4, 1), mono(4, 1, 1);
    mono.B().SetUsesDcColors(true);
    pic.B().SetPixelBgr(0, 0, 0x00FF00);
    pic.B().SetPixelBgr(1, 0, 0x0000FF);
    pic.B().SetPixelBgr(2, 0, 0x00FF00);
    pic.B().SetPixelBgr(3, 0, 0xFFFFFF);
    SetBkColor(pic.dc.Get(), RGB(0, 255, 0));
    BitBlt(mono.dc.Get(), 0, 0, 4, 1, pic.dc.Get(), 0, 0, SRCCOPY);
    EXPECT_EQ(mono.B().MonoBit(0, 0), 1);
    EXPECT_EQ(mono.B().MonoBit(1, 0), 0);
    EXPECT_EQ(mono.B().MonoBit(2, 0), 1);
    EXPECT_EQ(mono.B().MonoBit(3, 0), 0);
    // Mono to colour: 0 takes the text colour, 1 the background colour of the destination.
    Surface out(4, 1);
    SetTextColor(out.dc.Get(), RGB(255, 0, 0));
    SetBkColor(out.dc.Get(), RGB(0, 0, 255));
    BitBlt(out.dc.Get(), 0, 0, 4, 1, mono.dc.Get(), 0, 0, SRCCOPY);
    EXPECT_EQ(out.At(0, 0), 0x0000FFu) << "bit 1: background blue";
    EXPECT_EQ(out.At(1, 0), 0xFF0000u) << "bit 0: text red";
}

TEST(TransparentBlt, LeavesOutTheTransparentColour) {
    Surface src(4, 4), dst(4, 4);
    src.Encode(9);
    src.B().SetPixelBgr(1, 1, 0xFF00FF);
    src.B().SetPixelBgr(2, 3, 0xFF00FF);
    dst.Fill(0x010203);
    TransparentBlt(dst.dc.Get(), 0, 0, 4, 4, src.dc.Get(), 0, 0, 4, 4, RGB(255, 0, 255));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool hole = (x == 1 && y == 1) || (x == 2 && y == 3);
            ASSERT_EQ(dst.At(x, y), hole ? 0x010203u : Surface::Code(x, y, 9));
        }
}

TEST(TransparentBlt, AutomaticColourIsTheBottomLeftPixel) {
    Surface s(3, 2);
    s.Encode(7);
    EXPECT_EQ(AutoTransparentColor(s.bmp.Get()), RGB(7, 1, 0)) << "x 0, y 1, tag 7";
}

TEST(AlphaBlend, ConstantAndPerPixelAlpha) {
    Surface src(2, 1, 32), dst(2, 1);
    src.B().SetPixelBgr(0, 0, 0xFFFFFF);
    src.B().SetPixelBgr(1, 0, 0x808080);
    src.B().Row(0)[3] = 255;
    src.B().Row(0)[7] = 128; // premultiplied half-white
    BLENDFUNCTION bf;
    bf.SourceConstantAlpha = 255;
    bf.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dst.dc.Get(), 0, 0, 2, 1, src.dc.Get(), 0, 0, 2, 1, bf);
    EXPECT_EQ(dst.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(dst.At(1, 0), 0x808080u);
    dst.Fill(0);
    bf.AlphaFormat = 0;
    bf.SourceConstantAlpha = 51;
    AlphaBlend(dst.dc.Get(), 0, 0, 1, 1, src.dc.Get(), 0, 0, 1, 1, bf);
    EXPECT_EQ(dst.At(0, 0), 0x333333u);
}

TEST(PatBlt, FillsWithTheBrushAndInverts) {
    Surface s(6, 6);
    UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    SelectGuard g(s.dc.Get(), red.Get());
    PatBlt(s.dc.Get(), 1, 1, 3, 3, PATCOPY);
    EXPECT_EQ(s.At(1, 1), 0xFF0000u);
    EXPECT_EQ(s.At(4, 4), 0u);
    PatBlt(s.dc.Get(), 0, 0, 6, 6, DSTINVERT);
    EXPECT_EQ(s.At(1, 1), 0x00FFFFu);
    EXPECT_EQ(s.At(4, 4), 0xFFFFFFu);
}

TEST(DIBits, SetDIBitsToDeviceDrawsBottomUpRows) {
    // A 2 x 2 bottom-up 24-bit picture: the first stored row is the bottom one.
    const Byte bits[] = {1, 1, 1, 2, 2, 2, 0, 0, 3, 3, 3, 4, 4, 4, 0, 0};
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    Surface s(2, 2);
    EXPECT_EQ(SetDIBitsToDevice(s.dc.Get(), 0, 0, 2, 2, 0, 0, 0, 2, bits, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(s.At(0, 0), 0x030303u);
    EXPECT_EQ(s.At(1, 1), 0x020202u);
}

TEST(DrawIconEx, MaskThenImage) {
    Surface s(2, 1);
    s.Fill(0x101010);
    UniqueBitmap color(CreateBitmap(2, 1, 1, 24, nullptr));
    color->SetPixelBgr(0, 0, 0x0000FF);
    color->SetPixelBgr(1, 0, 0);
    UniqueBitmap mask(CreateBitmap(2, 1, 1, 1, nullptr));
    mask->SetMonoBit(1, 0, 1); // pixel 1 is transparent
    ICONINFO ii;
    ii.hbmColor = color.Get();
    ii.hbmMask = mask.Get();
    UniqueIcon icon(CreateIconIndirect(&ii));
    ASSERT_TRUE(icon);
    EXPECT_TRUE(DrawIconEx(s.dc.Get(), 0, 0, icon.Get(), 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(s.At(0, 0), 0x0000FFu);
    EXPECT_EQ(s.At(1, 0), 0x101010u);
}

} // namespace
} // namespace vd
