#include "skin/core/SkinGdi.h"

#include "platform/gfx/Gdi.h"
#include "skin/core/SkinPlatform.h"
#include "skin/core/SkinRegion.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinBitmapHandle.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace vd {

namespace {

// A memory context over a copy of the part R of the picture (R inside it): only the pixels a
// draw reads are converted, never the whole skin picture. A 24-bit destination gets a 24-bit
// copy, which it takes a row at a time; any other a 32-bit one.
struct TPiece {
    UniqueBitmap Bmp;
    UniqueDC Dc;
};

int PieceDepth(HDC dc) {
    const GdiBitmap* target = dc->Target();
    return target && target->BitCount() == 24 ? 24 : 32;
}

bool MakePiece(const TskBitmap& b, const TRect& r, int depth, TPiece& out) {
    const BITMAPINFO info = SkinBitmapInfo(r.Width(), r.Height(), depth);
    void* bits = nullptr;
    out.Bmp = UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!out.Bmp || !bits) return false;
    const int w = r.Width(), bpp = depth / 8;
    for (int y = r.Top; y < r.Bottom; ++y) {
        const TskColor* row = b.Row(y) + r.Left;
        Byte* px = out.Bmp.Get()->Row(y - r.Top);
        for (int x = 0; x < w; ++x, px += bpp) {
            const TskColor c = row[x];
            px[0] = Byte(skGetB(c));
            px[1] = Byte(skGetG(c));
            px[2] = Byte(skGetR(c));
            if (bpp == 4) px[3] = 0;
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

bool DrawSkinBitmap(HDC dc, int x, int y, const TskBitmap& bitmap) {
    if (bitmap.Empty() || !dc) return false;
    TPiece piece;
    if (!MakePiece(bitmap, {0, 0, bitmap.Width(), bitmap.Height()}, PieceDepth(dc), piece)) return false;
    BitBlt(dc, x, y, bitmap.Width(), bitmap.Height(), piece.Dc.Get(), 0, 0, SRCCOPY);
    return true;
}

bool StretchSkinBitmap(HDC dc, const TRect& dst, const TskBitmap& bitmap, const TRect& src) {
    if (bitmap.Empty() || dst.Width() <= 0 || dst.Height() <= 0 || src.Width() <= 0 || src.Height() <= 0 ||
        !dc)
        return false;
    TPiece piece;
    if (Inside(src, bitmap)) {
        if (!MakePiece(bitmap, src, PieceDepth(dc), piece)) return false;
        StretchBlt(dc, dst.Left, dst.Top, dst.Width(), dst.Height(), piece.Dc.Get(), 0, 0, src.Width(),
                   src.Height(), SRCCOPY);
        return true;
    }
    // A source reaching past the picture reads it as the blit reads any source.
    if (!MakePiece(bitmap, {0, 0, bitmap.Width(), bitmap.Height()}, PieceDepth(dc), piece)) return false;
    StretchBlt(dc, dst.Left, dst.Top, dst.Width(), dst.Height(), piece.Dc.Get(), src.Left, src.Top,
               src.Width(), src.Height(), SRCCOPY);
    return true;
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
