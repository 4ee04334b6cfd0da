#include "platform/gfx/Blit.h"

#include "platform/gfx/Color.h"
#include "platform/gfx/Raster.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vd {

using raster::ForEachClipRect;
using raster::Rop3;

namespace {

// Reads source pixels as colour values in the destination's terms: a 1-bit device bitmap
// maps 0 to the destination's text colour and 1 to its background colour.
struct SourceReader {
    const GdiBitmap* bmp;
    bool mapMono;
    DWord fg;
    DWord bg;

    DWord Get(int x, int y) const {
        if (mapMono)
            return bmp->MonoBit(x, y) ? bg : fg;
        return bmp->PixelBgr(x, y);
    }
};

SourceReader MakeReader(HDC dst, HDC src) {
    const GdiBitmap* sb = src->Target();
    const GdiBitmap* db = dst->Target();
    const bool mapMono = sb->BitCount() == 1 && sb->UsesDcColors() && db->BitCount() != 1;
    return {sb, mapMono, raster::ToBgr(dst->State().TextColor), raster::ToBgr(dst->State().BkColor)};
}

// A colour written into a 1-bit device bitmap: the source context's background colour
// becomes 1 (white), everything else 0.
bool DestIsMonoDevice(HDC dst) {
    const GdiBitmap* db = dst->Target();
    return db->BitCount() == 1 && db->UsesDcColors();
}

// Source coordinate of each destination column or row.
std::vector<int> BuildMap(int origin, int dstLen, int srcLen) {
    std::vector<int> map(static_cast<std::size_t>(dstLen));
    if (dstLen == srcLen) {
        for (int i = 0; i < dstLen; ++i)
            map[std::size_t(i)] = origin + i;
        return map;
    }
    for (int i = 0; i < dstLen; ++i)
        map[std::size_t(i)] = origin + int(((2 * std::int64_t(i) + 1) * srcLen) / (2 * std::int64_t(dstLen)));
    return map;
}

bool CopyFast(GdiDC& dst, const TRect& d, const GdiBitmap& sb, int sx0, int sy0) {
    GdiBitmap& db = *dst.Target();
    if (db.BitCount() != sb.BitCount() || (db.BitCount() != 24 && db.BitCount() != 32))
        return false;
    const int bpp = db.BitCount() / 8;
    // Clip the destination so the source stays inside its bitmap.
    const TRect limit{d.Left + std::max(0, -sx0), d.Top + std::max(0, -sy0),
                      d.Left + std::min(d.Width(), sb.Width() - sx0), d.Top + std::min(d.Height(), sb.Height() - sy0)};
    ForEachClipRect(dst.Clip(), limit, [&](const TRect& c) {
        const std::size_t n = std::size_t(c.Width() * bpp);
        for (int y = c.Top; y < c.Bottom; ++y)
            std::memmove(db.Row(y) + c.Left * bpp, sb.Row(sy0 + y - d.Top) + (sx0 + c.Left - d.Left) * bpp, n);
    });
    return true;
}

enum class Mode { Rop, Transparent, Alpha };

struct TransferArgs {
    DWord rop = SRCCOPY;
    Mode mode = Mode::Rop;
    DWord transparent = 0;
    BLENDFUNCTION blend;
};

DWord BlendPixel(DWord s, DWord d, Byte srcAlpha, const BLENDFUNCTION& b) {
    const unsigned ca = b.SourceConstantAlpha;
    DWord out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
        unsigned v;
        if (b.AlphaFormat & AC_SRC_ALPHA) {
            const unsigned sa = (srcAlpha * ca + 127) / 255;
            v = (sc * ca + 127) / 255 + (dc * (255 - sa) + 127) / 255;
        } else {
            v = (sc * ca + dc * (255 - ca) + 127) / 255;
        }
        out |= DWord(std::min(v, 255u)) << shift;
    }
    return out;
}

bool Transfer(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, const TransferArgs& a) {
    if (!dst)
        return false;
    if (w <= 0 || h <= 0)
        return true;
    GdiBitmap* db = dst->Target();
    const bool usesSource = a.mode != Mode::Rop || raster::RopUsesSource(a.rop);
    if (!usesSource) {
        return false; // PatBlt handles this case
    }
    if (!src)
        return false;
    if (sw <= 0 || sh <= 0 || !db)
        return true;
    const GdiBitmap* sb = src->Target();
    if (!sb || sb->Empty())
        return true;
    const TRect d{dst->DevX(x), dst->DevY(y), dst->DevX(x) + w, dst->DevY(y) + h};
    const int sx0 = src->DevX(sx), sy0 = src->DevY(sy);
    if (a.mode == Mode::Rop && a.rop == SRCCOPY && w == sw && h == sh && CopyFast(*dst, d, *sb, sx0, sy0))
        return true;
    const std::vector<int> xmap = BuildMap(sx0, w, sw);
    const std::vector<int> ymap = BuildMap(sy0, h, sh);
    const SourceReader reader = MakeReader(dst, src);
    const bool toMono = DestIsMonoDevice(dst) && sb->BitCount() != 1;
    const DWord srcBk = raster::ToBgr(src->State().BkColor);
    const GdiBrush* brush = dst->State().Brush.Get();
    const DWord pat = brush && brush->Style != BS_NULL ? raster::ToBgr(brush->Color) : 0;
    ForEachClipRect(dst->Clip(), d, [&](const TRect& c) {
        for (int py = c.Top; py < c.Bottom; ++py) {
            const int syy = ymap[std::size_t(py - d.Top)];
            if (syy < 0 || syy >= sb->Height())
                continue;
            for (int px = c.Left; px < c.Right; ++px) {
                const int sxx = xmap[std::size_t(px - d.Left)];
                if (sxx < 0 || sxx >= sb->Width())
                    continue;
                DWord s = reader.Get(sxx, syy);
                if (a.mode == Mode::Transparent) {
                    if (s == a.transparent)
                        continue;
                    db->SetPixelBgr(px, py, s);
                } else if (a.mode == Mode::Alpha) {
                    const Byte alpha = sb->BitCount() == 32 ? sb->Row(syy)[sxx * 4 + 3] : 255;
                    db->SetPixelBgr(px, py, BlendPixel(s, db->PixelBgr(px, py), alpha, a.blend));
                } else {
                    if (toMono)
                        s = s == srcBk ? 0xFFFFFF : 0;
                    const DWord v = a.rop == SRCCOPY ? s : Rop3(a.rop, pat, s, db->PixelBgr(px, py));
                    db->SetPixelBgr(px, py, v);
                    if (db->BitCount() == 32 && sb->BitCount() == 32 && a.rop == SRCCOPY)
                        db->Row(py)[px * 4 + 3] = sb->Row(syy)[sxx * 4 + 3];
                }
            }
        }
    });
    return true;
}

} // namespace

bool BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWord rop) {
    if (!raster::RopUsesSource(rop))
        return PatBlt(dst, x, y, w, h, rop);
    TransferArgs a;
    a.rop = rop;
    return Transfer(dst, x, y, w, h, src, sx, sy, w, h, a);
}

bool StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWord rop) {
    if (!raster::RopUsesSource(rop))
        return PatBlt(dst, x, y, w, h, rop);
    TransferArgs a;
    a.rop = rop;
    return Transfer(dst, x, y, w, h, src, sx, sy, sw, sh, a);
}

bool PatBlt(HDC dc, int x, int y, int w, int h, DWord rop) {
    if (!dc)
        return false;
    GdiBitmap* db = dc->Target();
    if (w <= 0 || h <= 0 || !db)
        return true;
    const GdiBrush* brush = dc->State().Brush.Get();
    if (raster::RopUsesPattern(rop) && (!brush || brush->Style == BS_NULL))
        return true;
    const DWord pat = brush && brush->Style != BS_NULL ? raster::ToBgr(brush->Color) : 0;
    const TRect d{dc->DevX(x), dc->DevY(y), dc->DevX(x) + w, dc->DevY(y) + h};
    if (rop == PATCOPY) {
        raster::FillRect(*dc, d, pat, R2_COPYPEN);
        return true;
    }
    ForEachClipRect(dc->Clip(), d, [&](const TRect& c) {
        for (int py = c.Top; py < c.Bottom; ++py)
            for (int px = c.Left; px < c.Right; ++px)
                db->SetPixelBgr(px, py, Rop3(rop, pat, 0, db->PixelBgr(px, py)));
    });
    return true;
}

bool TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                    UINT transparent) {
    TransferArgs a;
    a.mode = Mode::Transparent;
    a.transparent = raster::ToBgr(transparent);
    return Transfer(dst, x, y, w, h, src, sx, sy, sw, sh, a);
}

bool AlphaBlend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, BLENDFUNCTION blend) {
    TransferArgs a;
    a.mode = Mode::Alpha;
    a.blend = blend;
    return Transfer(dst, x, y, w, h, src, sx, sy, sw, sh, a);
}

COLORREF GetPixel(HDC dc, int x, int y) {
    if (!dc || !dc->Target())
        return 0xFFFFFFFF;
    const int px = dc->DevX(x), py = dc->DevY(y);
    if (!dc->Clip().Contains(px, py))
        return 0xFFFFFFFF;
    return raster::FromBgr(dc->Target()->PixelBgr(px, py));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    if (!dc)
        return 0xFFFFFFFF;
    const DWord bgr = raster::ToBgr(color);
    raster::Plot(*dc, dc->DevX(x), dc->DevY(y), bgr, R2_COPYPEN);
    return raster::FromBgr(bgr);
}

} // namespace vd
