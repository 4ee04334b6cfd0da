#include "skin/core/SkinGdi.h"

#include "platform/gfx/Gdi.h"
#include "skin/core/SkinBitmap.h"
#include "skin/core/SkinEffectBmp.h"
#include "skin/core/SkinPlatform.h"
#include "skin/core/SkinRegion.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace vd {

namespace {

BITMAPINFO Info(int w, int h, int bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = Word(bitCount);
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A memory context over a 32-bit copy of the part R of the picture (R inside it): only the
// pixels a draw reads are converted, never the whole skin picture.
struct TPiece {
    UniqueBitmap Bmp;
    UniqueDC Dc;
};

bool MakePiece(const TskBitmap& b, const TRect& r, TPiece& out) {
    const BITMAPINFO info = Info(r.Width(), r.Height(), 32);
    void* bits = nullptr;
    out.Bmp = UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!out.Bmp || !bits) return false;
    auto* px = static_cast<std::uint32_t*>(bits);
    const int w = r.Width();
    for (int y = r.Top; y < r.Bottom; ++y, px += w) {
        const TskColor* row = b.Row(y) + r.Left;
        for (int x = 0; x < w; ++x) {
            const TskColor c = row[x];
            px[x] = std::uint32_t(skGetB(c)) | std::uint32_t(skGetG(c)) << 8 | std::uint32_t(skGetR(c)) << 16;
        }
    }
    out.Dc = UniqueDC(CreateCompatibleDC(nullptr));
    if (!out.Dc) return false;
    SelectObject(out.Dc.Get(), out.Bmp.Get());
    return true;
}

bool Inside(const TRect& r, const TskBitmap& b) {
    return r.Left >= 0 && r.Top >= 0 && r.Right <= b.Width() && r.Bottom <= b.Height() && r.Left < r.Right &&
           r.Top < r.Bottom;
}

} // namespace

UniqueBitmap CreateSkinBitmapHandle(const TskBitmap& bitmap) {
    if (bitmap.Empty()) return UniqueBitmap();
    BITMAPINFO info = Info(bitmap.Width(), bitmap.Height(), 24);
    void* bits = nullptr;
    UniqueBitmap handle(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!handle || !bits) return UniqueBitmap();
    const size_t stride = (size_t(bitmap.Width()) * 3 + 3) / 4 * 4;
    for (int y = 0; y < bitmap.Height(); ++y) {
        Byte* row = static_cast<Byte*>(bits) + size_t(y) * stride;
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TskColor c = bitmap.Pixel(x, y);
            row[3 * x] = Byte(skGetB(c));
            row[3 * x + 1] = Byte(skGetG(c));
            row[3 * x + 2] = Byte(skGetR(c));
        }
    }
    return handle;
}

TskBitmap SkinBitmapFromHandle(HBITMAP bitmap) {
    TskBitmap out;
    BITMAP bm;
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return out;
    const int h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    if (!out.SetSize(bm.bmWidth, h)) return out;
    BITMAPINFO info = Info(bm.bmWidth, h, 32);
    std::vector<std::uint32_t> px(size_t(bm.bmWidth) * size_t(h));
    if (GetDIBits(nullptr, bitmap, 0, UINT(h), px.data(), &info, DIB_RGB_COLORS) != h) {
        out.Clear();
        return out;
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < bm.bmWidth; ++x) {
            const std::uint32_t p = px[size_t(y) * size_t(bm.bmWidth) + size_t(x)];
            out.SetPixel(x, y, skRGB(int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)));
        }
    return out;
}

bool DrawSkinBitmap(HDC dc, int x, int y, const TskBitmap& bitmap) {
    if (bitmap.Empty() || !dc) return false;
    TPiece piece;
    if (!MakePiece(bitmap, {0, 0, bitmap.Width(), bitmap.Height()}, piece)) return false;
    BitBlt(dc, x, y, bitmap.Width(), bitmap.Height(), piece.Dc.Get(), 0, 0, SRCCOPY);
    return true;
}

bool StretchSkinBitmap(HDC dc, const TRect& dst, const TskBitmap& bitmap, const TRect& src) {
    if (bitmap.Empty() || dst.Width() <= 0 || dst.Height() <= 0 || src.Width() <= 0 || src.Height() <= 0 ||
        !dc)
        return false;
    TPiece piece;
    if (Inside(src, bitmap)) {
        if (!MakePiece(bitmap, src, piece)) return false;
        StretchBlt(dc, dst.Left, dst.Top, dst.Width(), dst.Height(), piece.Dc.Get(), 0, 0, src.Width(),
                   src.Height(), SRCCOPY);
        return true;
    }
    // A source reaching past the picture reads it as the blit reads any source.
    if (!MakePiece(bitmap, {0, 0, bitmap.Width(), bitmap.Height()}, piece)) return false;
    StretchBlt(dc, dst.Left, dst.Top, dst.Width(), dst.Height(), piece.Dc.Get(), src.Left, src.Top,
               src.Width(), src.Height(), SRCCOPY);
    return true;
}

void DrawEffectBmp(HDC dc, int x, int y, const TskEffectBmp& bitmap) {
    if (bitmap.Empty()) return;
    const BITMAPINFO info = Info(bitmap.Width(), bitmap.Height(), 24);
    SetDIBitsToDevice(dc, x, y, DWord(bitmap.Width()), DWord(bitmap.Height()), 0, 0, 0, UINT(bitmap.Height()),
                      bitmap.ScanLine(0), &info, DIB_RGB_COLORS);
}

UniqueRegion CreateSkinRegionHandle(const TskRegion& region) {
    const std::vector<TRect> rects = region.Rects();
    std::vector<Byte> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(TRect));
    RGNDATAHEADER header;
    header.nCount = DWord(rects.size());
    header.rcBound = region.Bounds();
    std::memcpy(data.data(), &header, sizeof header);
    if (!rects.empty()) std::memcpy(data.data() + sizeof header, rects.data(), rects.size() * sizeof(TRect));
    return UniqueRegion(
        ExtCreateRegion(nullptr, DWord(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

int DrawTextWide(HDC dc, const String& text, TRect& r, UINT format) {
    return DrawTextUtf8(dc, text, r, format);
}

int WideTextWidth(HDC dc, const String& text) {
    TRect r;
    DrawTextWide(dc, text, r, DT_CALCRECT);
    return r.Width();
}

int WideTextHeight(HDC dc, const String& text) {
    TRect r;
    DrawTextWide(dc, text, r, DT_CALCRECT);
    return r.Height();
}

void FitWideTextToWidth(HDC dc, String& text, int maxWidth) {
    FitTextToWidth([dc](const String& s) { return WideTextWidth(dc, s); }, text, maxWidth);
}

void FitTextToWidth(HDC dc, String& text, int maxWidth) {
    FitTextToWidth([dc](const String& s) { return TextExtent(dc, s).cx; }, text, maxWidth);
}

void DrawTextSingleLine(HDC dc, const String& text, const TRect& r) {
    if (text.empty()) return;
    TRect box = r;
    DrawTextA(dc, text.c_str(), int(text.size()), &box, DT_SINGLELINE | DT_VCENTER);
}

void TextRectVCentered(HDC dc, const String& text, const TRect& r) {
    TextRectVCenteredOffset(dc, text, r, 0);
}

void TextRectVCenteredOffset(HDC dc, const String& text, const TRect& r, int offset) {
    if (text.empty()) return;
    const int y = r.Top + r.Height() / 2 - TextExtent(dc, text).cy / 2;
    ExtTextOutA(dc, r.Left + offset + 2, y, ETO_CLIPPED, &r, text.c_str(), UINT(text.size()), nullptr);
}

} // namespace vd
