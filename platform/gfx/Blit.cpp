#include "platform/gfx/Blit.h"

#include "platform/gfx/Color.h"
#include "platform/gfx/Raster.h"

#include <algorithm>
#include <cstring>
#include <memory>
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
        if (mapMono) return bmp->MonoBit(x, y) ? bg : fg;
        return bmp->PixelBgr(x, y);
    }
};

SourceReader MakeReader(HDC dst, const GdiBitmap* sb) {
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

// The visible part of a destination rectangle and the source column and row of each of its
// columns and rows (-1 where the source bitmap ends).
struct Mapping {
    TRect vis;
    std::vector<int> xmap;
    std::vector<int> ymap;
    int X(int px) const { return xmap[std::size_t(px - vis.Left)]; }
    int Y(int py) const { return ymap[std::size_t(py - vis.Top)]; }
};

void MapAxis(std::int64_t dstStart, int dstLen, std::int64_t srcStart, int srcLen, int from, int to,
             int srcSize, std::vector<int>& map) {
    map.resize(std::size_t(to - from));
    for (int p = from; p < to; ++p) {
        const std::int64_t i = p - dstStart;
        const std::int64_t s =
            dstLen == srcLen ? srcStart + i : srcStart + ((2 * i + 1) * srcLen) / (2 * std::int64_t(dstLen));
        map[std::size_t(p - from)] = s >= 0 && s < srcSize ? int(s) : -1;
    }
}

bool BuildMapping(GdiDC& dst, const TRect& d, int w, int h, int sx0, int sy0, int sw, int sh,
                  const GdiBitmap& sb, Mapping& m) {
    const TRect box = dst.Clip().Box();
    m.vis = {std::max(d.Left, box.Left), std::max(d.Top, box.Top), std::min(d.Right, box.Right),
             std::min(d.Bottom, box.Bottom)};
    if (m.vis.Right <= m.vis.Left || m.vis.Bottom <= m.vis.Top) return false;
    MapAxis(d.Left, w, sx0, sw, m.vis.Left, m.vis.Right, sb.Width(), m.xmap);
    MapAxis(d.Top, h, sy0, sh, m.vis.Top, m.vis.Bottom, sb.Height(), m.ymap);
    return true;
}

// Unscaled copies between bitmaps of one depth: a row at a time.
bool CopyFast(GdiDC& dst, const Mapping& m, const GdiBitmap& sb, bool unscaled) {
    GdiBitmap& db = *dst.Target();
    if (!unscaled || db.BitCount() != sb.BitCount() || (db.BitCount() != 24 && db.BitCount() != 32))
        return false;
    const int bpp = db.BitCount() / 8;
    ForEachClipRect(dst.Clip(), m.vis, [&](const TRect& c) {
        int lo = c.Left, hi = c.Right;
        while (lo < hi && m.X(lo) < 0)
            ++lo;
        while (hi > lo && m.X(hi - 1) < 0)
            --hi;
        if (lo >= hi) return;
        const std::size_t n = std::size_t((hi - lo) * bpp);
        for (int y = c.Top; y < c.Bottom; ++y)
            if (m.Y(y) >= 0) std::memmove(db.Row(y) + lo * bpp, sb.Row(m.Y(y)) + m.X(lo) * bpp, n);
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

// Stretched, transparent and mixed-depth copies between 24- and 32-bit bitmaps, byte by byte:
// the skin composition does little else. As pixel by pixel, a 32-bit destination keeps its
// alpha byte unless a plain copy brings the source's.
bool StretchFast(GdiDC& dst, const Mapping& m, const GdiBitmap& sb, const TransferArgs& a) {
    GdiBitmap& db = *dst.Target();
    const bool copy = a.mode == Mode::Rop && a.rop == SRCCOPY;
    auto deep = [](const GdiBitmap& b) { return b.BitCount() == 24 || b.BitCount() == 32; };
    if (!deep(db) || !deep(sb) || !(copy || a.mode == Mode::Transparent)) return false;
    const int sbpp = sb.BitCount() / 8, dbpp = db.BitCount() / 8;
    const bool alpha = copy && sbpp == 4 && dbpp == 4;
    ForEachClipRect(dst.Clip(), m.vis, [&](const TRect& c) {
        for (int py = c.Top; py < c.Bottom; ++py) {
            const int sy = m.Y(py);
            if (sy < 0) continue;
            const Byte* srow = sb.Row(sy);
            Byte* drow = db.Row(py);
            for (int px = c.Left; px < c.Right; ++px) {
                const int sx = m.X(px);
                if (sx < 0) continue;
                const Byte* sp = srow + sbpp * sx;
                if (!copy && (DWord(sp[0]) | DWord(sp[1]) << 8 | DWord(sp[2]) << 16) == a.transparent)
                    continue;
                Byte* dp = drow + dbpp * px;
                dp[0] = sp[0];
                dp[1] = sp[1];
                dp[2] = sp[2];
                if (alpha) dp[3] = sp[3];
            }
        }
    });
    return true;
}

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

// Source and destination on one bitmap (scrolling): reading from a copy keeps rows already
// written from being read again.
std::unique_ptr<GdiBitmap> Snapshot(const GdiBitmap& sb) {
    auto copy = std::make_unique<GdiBitmap>(sb.Width(), sb.Height(), sb.BitCount(), true);
    for (int row = 0; row < sb.Height(); ++row)
        std::memcpy(copy->Row(row), sb.Row(row), std::size_t(sb.Stride()));
    copy->SetUsesDcColors(sb.UsesDcColors());
    copy->SetPalette(0, sb.Palette(0));
    copy->SetPalette(1, sb.Palette(1));
    return copy;
}

// Any depths, any raster operation, pixel by pixel.
void TransferPixels(HDC dst, HDC src, const Mapping& m, const GdiBitmap* sb, const TransferArgs& a) {
    GdiBitmap* db = dst->Target();
    const SourceReader reader = MakeReader(dst, sb);
    const bool toMono = DestIsMonoDevice(dst) && sb->BitCount() != 1;
    const DWord srcBk = raster::ToBgr(src->State().BkColor);
    const GdiBrush* brush = dst->State().Brush.Get();
    const DWord pat = brush && brush->Style != BS_NULL ? raster::ToBgr(brush->Color) : 0;
    const bool copyAlpha = db->BitCount() == 32 && sb->BitCount() == 32 && a.rop == SRCCOPY;
    ForEachClipRect(dst->Clip(), m.vis, [&](const TRect& c) {
        for (int py = c.Top; py < c.Bottom; ++py) {
            const int syy = m.Y(py);
            if (syy < 0) continue;
            for (int px = c.Left; px < c.Right; ++px) {
                const int sxx = m.X(px);
                if (sxx < 0) continue;
                DWord s = reader.Get(sxx, syy);
                if (a.mode == Mode::Transparent) {
                    if (s != a.transparent) db->SetPixelBgr(px, py, s);
                } else if (a.mode == Mode::Alpha) {
                    const Byte alpha = sb->BitCount() == 32 ? sb->Row(syy)[sxx * 4 + 3] : 255;
                    db->SetPixelBgr(px, py, BlendPixel(s, db->PixelBgr(px, py), alpha, a.blend));
                } else {
                    if (toMono) s = s == srcBk ? 0xFFFFFF : 0;
                    db->SetPixelBgr(px, py, a.rop == SRCCOPY ? s : Rop3(a.rop, pat, s, db->PixelBgr(px, py)));
                    if (copyAlpha) db->Row(py)[px * 4 + 3] = sb->Row(syy)[sxx * 4 + 3];
                }
            }
        }
    });
}

bool Transfer(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
              const TransferArgs& a) {
    if (!dst) return false;
    if (w <= 0 || h <= 0) return true;
    if (!src) return false;
    GdiBitmap* db = dst->Target();
    const GdiBitmap* sb = src->Target();
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || !db || !sb || sb->Empty()) return true;
    std::unique_ptr<GdiBitmap> snapshot;
    if (sb == db) {
        snapshot = Snapshot(*sb);
        sb = snapshot.get();
    }
    Mapping m;
    if (!BuildMapping(*dst, dst->DevBounds(x, y, w, h), w, h, src->DevX(sx), src->DevY(sy), sw, sh, *sb, m))
        return true;
    if (a.mode == Mode::Rop && a.rop == SRCCOPY && CopyFast(*dst, m, *sb, w == sw && h == sh)) return true;
    if (!StretchFast(*dst, m, *sb, a)) TransferPixels(dst, src, m, sb, a);
    return true;
}

} // namespace

bool BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWord rop) {
    if (!raster::RopUsesSource(rop)) return PatBlt(dst, x, y, w, h, rop);
    TransferArgs a;
    a.rop = rop;
    return Transfer(dst, x, y, w, h, src, sx, sy, w, h, a);
}

bool StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, DWord rop) {
    if (!raster::RopUsesSource(rop)) return PatBlt(dst, x, y, w, h, rop);
    TransferArgs a;
    a.rop = rop;
    return Transfer(dst, x, y, w, h, src, sx, sy, sw, sh, a);
}

bool PatBlt(HDC dc, int x, int y, int w, int h, DWord rop) {
    if (!dc) return false;
    GdiBitmap* db = dc->Target();
    if (w <= 0 || h <= 0 || !db) return true;
    const GdiBrush* brush = dc->State().Brush.Get();
    if (raster::RopUsesPattern(rop) && (!brush || brush->Style == BS_NULL)) return true;
    const DWord pat = brush && brush->Style != BS_NULL ? raster::ToBgr(brush->Color) : 0;
    const TRect d = dc->DevBounds(x, y, w, h);
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

bool AlphaBlend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                BLENDFUNCTION blend) {
    TransferArgs a;
    a.mode = Mode::Alpha;
    a.blend = blend;
    return Transfer(dst, x, y, w, h, src, sx, sy, sw, sh, a);
}

COLORREF AutoTransparentColor(HBITMAP bitmap) {
    if (!bitmap || bitmap->Empty()) return 0;
    return raster::FromBgr(bitmap->PixelBgr(0, bitmap->Height() - 1));
}

COLORREF GetPixel(HDC dc, int x, int y) {
    if (!dc || !dc->Target()) return 0xFFFFFFFF;
    const int px = dc->DevX(x), py = dc->DevY(y);
    if (!dc->Clip().Contains(px, py)) return 0xFFFFFFFF;
    return raster::FromBgr(dc->Target()->PixelBgr(px, py));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    if (!dc) return 0xFFFFFFFF;
    const DWord bgr = raster::ToBgr(color);
    raster::Plot(*dc, dc->DevX(x), dc->DevY(y), bgr, R2_COPYPEN);
    return raster::FromBgr(bgr);
}

} // namespace vd
