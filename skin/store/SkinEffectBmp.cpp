#include "skin/store/SkinEffectBmp.h"

#include "platform/gfx/Gdi.h"
#include "platform/gfx/Rounding.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinBitmapHandle.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace vd {

namespace {

int R(double v) {
    return RoundHalfEven(v);
}
Byte Clamp(int v) {
    return Byte(std::clamp(v, 0, 255));
}
double Limit01(double k) {
    return k < 0 ? 0 : (k > 1 ? 1 : k);
}

std::minstd_rand& NoiseGenerator() {
    thread_local std::minstd_rand generator(20061210u);
    return generator;
}

} // namespace

TskEffectBmp TskEffectBmp::CreateSize(int width, int height) {
    TskEffectBmp b;
    if (width < 1 || height < 1 || width > TskBitmap::MaxSide || height > TskBitmap::MaxSide) return b;
    b.FWidth = width;
    b.FHeight = height;
    b.FStride = width * 3 + width % 4;
    b.FBits.assign(size_t(b.FStride) * size_t(height), 0);
    return b;
}

TskEffectBmp TskEffectBmp::CreateFromBitmap(const TskBitmap& bitmap) {
    TskEffectBmp b = CreateSize(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < b.FHeight; ++y)
        for (int x = 0; x < b.FWidth; ++x) {
            const TskColor c = bitmap.Pixel(x, y);
            Byte* p = b.Px(x, y);
            p[0] = Byte(skGetB(c));
            p[1] = Byte(skGetG(c));
            p[2] = Byte(skGetR(c));
        }
    return b;
}

// Read straight into the effect's rows: their layout is a top-down 24-bit DIB's.
TskEffectBmp TskEffectBmp::CreateFromBitmapHandle(HBITMAP bitmap) {
    BITMAP bm;
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm)) return {};
    const int h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    TskEffectBmp b = CreateSize(bm.bmWidth, h);
    if (b.Empty()) return b;
    BITMAPINFO info = SkinBitmapInfo(bm.bmWidth, h, 24);
    if (GetDIBits(nullptr, bitmap, 0, UINT(h), b.FBits.data(), &info, DIB_RGB_COLORS) != h) return {};
    return b;
}

void TskEffectBmp::Draw(HDC dc, int x, int y) const {
    DrawEffectBmp(dc, x, y, *this);
}

void TskEffectBmp::Draw(TskBitmap& dest, int x, int y) const {
    for (int sy = 0; sy < FHeight; ++sy)
        for (int sx = 0; sx < FWidth; ++sx)
            if (dest.Contains(x + sx, y + sy)) {
                const Byte* p = Px(sx, sy);
                dest.SetPixel(x + sx, y + sy, skRGB(p[2], p[1], p[0]));
            }
}

TskBitmap TskEffectBmp::ToBitmap() const {
    TskBitmap b(FWidth, FHeight);
    Draw(b, 0, 0);
    return b;
}

void TskEffectBmp::GetRow(int y, Byte* buffer) const {
    std::memcpy(buffer, ScanLine(y), size_t(FWidth) * 3);
}
void TskEffectBmp::SetRow(int y, const Byte* buffer) {
    std::memcpy(ScanLine(y), buffer, size_t(FWidth) * 3);
}

std::uint32_t TskEffectBmp::GetPixel(int x, int y) const {
    const Byte* p = Px(x, y);
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
}

void TskEffectBmp::SetPixel(int x, int y, std::uint32_t value) {
    Byte* p = Px(x, y);
    p[0] = Byte(value);
    p[1] = Byte(value >> 8);
    p[2] = Byte(value >> 16);
}

void TskEffectBmp::BlendPixel(Byte* own, const Byte* other, double w) {
    for (int c = 0; c < 3; ++c)
        own[c] = Clamp(R(w * own[c] + (1 - w) * other[c]));
}

void TskEffectBmp::Morph(const TskEffectBmp& other, double k) {
    if (!SameSize(other)) return;
    k = Limit01(k);
    for (int y = 0; y < FHeight; ++y) {
        Byte* own = ScanLine(y);
        const Byte* oth = other.ScanLine(y);
        for (int i = 0; i < FWidth * 3; ++i)
            own[i] = Clamp(R((1 - k) * own[i] + k * oth[i]));
    }
}

void TskEffectBmp::MorphGradient(const TskEffectBmp& other, double k) {
    if (FWidth < FHeight)
        MorphGradientVert(other, k);
    else
        MorphGradientHorz(other, k);
}

void TskEffectBmp::MorphGradientHorz(const TskEffectBmp& other, double k) {
    GradientAlong(other, k, false);
}
void TskEffectBmp::MorphGradientVert(const TskEffectBmp& other, double k) {
    GradientAlong(other, k, true);
}

void TskEffectBmp::GradientAlong(const TskEffectBmp& other, double k, bool vertical) {
    if (!SameSize(other) || std::isnan(k)) return;
    const int length = vertical ? FHeight : FWidth, across = vertical ? FWidth : FHeight;
    const int band = R(std::clamp(length * k, -1e9, 1e9));
    const int edge = (length - band) / 2;
    const double step = edge != 0 ? 1.0 / edge : 1.0;
    // Indexes stay inside the picture whatever K is.
    const int first = std::clamp(length / 2 - band / 2, 0, length - 1);
    const int last = std::clamp(band / 2 + length / 2, 0, length - 1);
    auto line = [&](int i, double w, bool copy) {
        for (int j = 0; j < across; ++j) {
            const int x = vertical ? j : i, y = vertical ? i : j;
            if (copy)
                std::memcpy(Px(x, y), other.Px(x, y), 3);
            else
                BlendPixel(Px(x, y), other.Px(x, y), w);
        }
    };
    for (int i = first; i <= last; ++i)
        line(i, 0, true);
    double w = 0;
    for (int i = first; i >= 0; --i) {
        line(i, w, false);
        w = std::min(w + step, 1.0);
    }
    w = 0;
    for (int i = last; i < length; ++i) {
        line(i, w, false);
        w = std::min(w + step, 1.0);
    }
}

void TskEffectBmp::MorphLeftGradient(const TskEffectBmp& other, double k) {
    // One column would make G 0 and the step 1 / 0: such a picture is left as it is.
    if (!SameSize(other) || FWidth < 2 || std::isnan(k)) return;
    const int g = std::clamp(R(std::clamp(FWidth * k, -1e9, 1e9)), 1, FWidth - 1);
    const double step = 1.0 / g;
    for (int y = 0; y < FHeight; ++y) {
        double w = 0;
        for (int x = 0; x <= g; ++x) {
            BlendPixel(Px(x, y), other.Px(x, y), w);
            w = std::min(w + step, 1.0);
        }
    }
}

void TskEffectBmp::MorphRightGradient(const TskEffectBmp& other, double k) {
    if (!SameSize(other) || FWidth < 1 || std::isnan(k)) return;
    const int h = std::clamp(FWidth - R(std::clamp(FWidth * k, -1e9, 1e9)), 0, FWidth - 1);
    const double step = FWidth - h < 1 ? 1.0 : 1.0 / (FWidth - h);
    for (int y = 0; y < FHeight; ++y) {
        double w = 0;
        for (int x = FWidth - 1; x >= h; --x) {
            BlendPixel(Px(x, y), other.Px(x, y), w);
            w = std::min(w + step, 1.0);
        }
    }
}

void TskEffectBmp::MorphLeftSlide(const TskEffectBmp& other, double k) {
    // One column leaves C at 0: nothing slides.
    if (!SameSize(other) || FWidth < 2 || std::isnan(k)) return;
    const int c = std::clamp(R(std::clamp(FWidth * k, -1e9, 1e9)), 1, FWidth - 1);
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(Px(0, y), other.Px(FWidth - c, y), size_t(c) * 3);
}

void TskEffectBmp::MorphRightSlide(const TskEffectBmp& other, double k) {
    if (!SameSize(other) || FWidth < 2 || std::isnan(k)) return;
    const int c = std::clamp(R(std::clamp(FWidth * k, -1e9, 1e9)), 1, FWidth - 1);
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(Px(FWidth - c, y), other.Px(0, y), size_t(c) * 3);
}

void TskEffectBmp::MorphPush(const TskEffectBmp& other, double k) {
    if (!SameSize(other) || FWidth < 1 || std::isnan(k)) return;
    const int b = std::clamp(R(std::clamp(FWidth * k, -1e9, 1e9)), 0, FWidth - 1);
    for (int y = 0; y < FHeight; ++y) {
        for (int x = FWidth - 1; x >= b; --x)
            std::memcpy(Px(x, y), Px(std::max(x - b - 1, 0), y), 3);
        std::memcpy(Px(0, y), other.Px(FWidth - b - 1, y), size_t(b + 1) * 3);
    }
}

void TskEffectBmp::MorphByKind(int kind, const TskEffectBmp& other, double k) {
    switch (kind) {
    case 0:
        Morph(other, k);
        break;
    case 1:
        MorphGradient(other, k);
        break;
    case 2:
        MorphLeftGradient(other, k);
        break;
    case 3:
        MorphRightGradient(other, k);
        break;
    case 4:
        MorphLeftSlide(other, k);
        break;
    case 5:
        MorphRightSlide(other, k);
        break;
    case 6:
        MorphPush(other, k);
        break;
    default:
        break;
    }
}

void TskEffectBmp::Brightness(double k) {
    k = Limit01(k);
    for (int y = 0; y < FHeight; ++y) {
        Byte* p = ScanLine(y);
        for (int i = 0; i < FWidth * 3; ++i)
            p[i] = Clamp(R((1 - k) * p[i] + k * 255));
    }
}

void TskEffectBmp::Darkness(double k) {
    k = Limit01(k);
    for (int y = 0; y < FHeight; ++y) {
        Byte* p = ScanLine(y);
        for (int i = 0; i < FWidth * 3; ++i)
            p[i] = Clamp(R((1 - k) * p[i]));
    }
}

void TskEffectBmp::GrayScale() {
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            Byte* p = Px(x, y);
            const Byte g = Clamp(R(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]));
            p[0] = p[1] = p[2] = g;
        }
}

void TskEffectBmp::Noise(int amount) {
    if (amount < 1) return;
    std::uniform_int_distribution<int> pick(0, amount - 1);
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x) {
            const int d = pick(NoiseGenerator()) - amount / 2;
            Byte* p = Px(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = Clamp(p[c] + d);
        }
}

void TskEffectBmp::SplitBlur(int amount) {
    // A distance that reaches past the picture has no four neighbours to average.
    if (amount <= 0 || amount >= FWidth || amount >= FHeight) return;
    for (int y = 0; y < FHeight; ++y) {
        const int up = y - amount < 0 ? y : y - amount;
        const int down = y + amount >= FHeight ? FHeight - y : y + amount;
        for (int x = 0; x < FWidth; ++x) {
            const int left = x - amount < 0 ? x : x - amount;
            const int right = x + amount >= FWidth ? FWidth - x : x + amount;
            Byte* p = Px(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] =
                    Byte((Px(left, up)[c] + Px(left, down)[c] + Px(right, up)[c] + Px(right, down)[c]) >> 2);
        }
    }
}

void TskEffectBmp::Invert() {
    for (int y = 0; y < FHeight; ++y) {
        Byte* p = ScanLine(y);
        for (int i = 0; i < FWidth * 3; ++i)
            p[i] ^= 255;
    }
}

void TskEffectBmp::ApplyImageEffect(int effect) {
    switch (effect) {
    case 0:
        Brightness(0.5);
        break;
    case 1:
        Darkness(0.3);
        break;
    case 2:
        GrayScale();
        break;
    case 3:
        Noise(50);
        break;
    case 4:
        SplitBlur(1);
        break;
    case 5:
        Invert();
        break;
    default:
        break;
    }
}

void TskEffectBmp::CopyRotatedLeft(TskEffectBmp& dest) const {
    if (Empty() || dest.FWidth != FHeight || dest.FHeight != FWidth) return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            dest.SetPixel(y, FWidth - 1 - x, GetPixel(x, y));
}

void TskEffectBmp::CopyRotatedRight(TskEffectBmp& dest) const {
    if (Empty() || dest.FWidth != FHeight || dest.FHeight != FWidth) return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            dest.SetPixel(FHeight - 1 - y, x, GetPixel(x, y));
}

void TskEffectBmp::CopyFlippedVert(TskEffectBmp& dest) const {
    if (Empty() || dest.FWidth != FWidth || dest.FHeight != FHeight) return;
    for (int y = 0; y < FHeight; ++y)
        for (int x = 0; x < FWidth; ++x)
            dest.SetPixel(x, FHeight - 1 - y, GetPixel(x, y));
}

} // namespace vd
