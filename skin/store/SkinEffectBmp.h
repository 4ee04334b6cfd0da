#pragma once
// The working bitmap of pixel effects: 24 bits, rows top-down of Width * 3 + Width mod 4 bytes,
// pixels blue, green, red. Morphs blend it toward a second picture of the same size; image
// effects change it in place for the frame of an inactive window.
#include "platform/gfx/GdiTypes.h"
#include "platform/rtl/Types.h"
#include "skin/store/Forward.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vd {

class TskEffectBmp {
public:
    // An effect bitmap that could not be made (a side below 1 or above 16384) is empty, and every
    // operation on it does nothing.
    static TskEffectBmp CreateSize(int width, int height);
    static TskEffectBmp CreateFromBitmap(const TskBitmap& bitmap);
    // A copy of a bitmap handle's pixels; empty when the handle cannot be read.
    static TskEffectBmp CreateFromBitmapHandle(HBITMAP bitmap);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Stride() const { return FStride; }
    int Size() const { return FStride * FHeight; }
    bool Empty() const { return FBits.empty(); }

    // Copies the whole bitmap to Dest at (X, Y), clipped to Dest.
    void Draw(TskBitmap& dest, int x, int y) const;
    void Draw(HDC dc, int x, int y) const;
    TskBitmap ToBitmap() const;

    Byte* ScanLine(int y) { return FBits.data() + size_t(y) * size_t(FStride); }
    const Byte* ScanLine(int y) const { return FBits.data() + size_t(y) * size_t(FStride); }
    void GetRow(int y, Byte* buffer) const;
    void SetRow(int y, const Byte* buffer);
    // The pixel's bytes as the low three bytes of a value, the first (blue) lowest.
    std::uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t value);

    void Morph(const TskEffectBmp& other, double k);
    void MorphGradient(const TskEffectBmp& other, double k);
    void MorphGradientHorz(const TskEffectBmp& other, double k);
    void MorphGradientVert(const TskEffectBmp& other, double k);
    void MorphLeftGradient(const TskEffectBmp& other, double k);
    void MorphRightGradient(const TskEffectBmp& other, double k);
    void MorphLeftSlide(const TskEffectBmp& other, double k);
    void MorphRightSlide(const TskEffectBmp& other, double k);
    void MorphPush(const TskEffectBmp& other, double k);
    // The morph of a skin's morph kind (0 to 6); other kinds do nothing.
    void MorphByKind(int kind, const TskEffectBmp& other, double k);

    void Brightness(double k);
    void Darkness(double k);
    void GrayScale();
    void Noise(int amount);
    void SplitBlur(int amount);
    void Invert();
    // An inactive-frame effect with the strengths the form frame uses (0 to 5).
    void ApplyImageEffect(int effect);

    // Dest must already have the target size (swapped for the rotations); else nothing happens.
    void CopyRotatedLeft(TskEffectBmp& dest) const;
    void CopyRotatedRight(TskEffectBmp& dest) const;
    void CopyFlippedVert(TskEffectBmp& dest) const;

private:
    bool SameSize(const TskEffectBmp& other) const {
        return !Empty() && FWidth == other.FWidth && FHeight == other.FHeight;
    }
    Byte* Px(int x, int y) { return ScanLine(y) + 3 * x; }
    const Byte* Px(int x, int y) const { return ScanLine(y) + 3 * x; }
    void BlendPixel(Byte* own, const Byte* other, double w);
    void GradientAlong(const TskEffectBmp& other, double k, bool vertical);

    int FWidth = 0;
    int FHeight = 0;
    int FStride = 0;
    std::vector<Byte> FBits;
};

} // namespace vd
