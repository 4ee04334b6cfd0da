// Drawing straight from caller memory, and icons.
#include "platform/gfx/Blit.h"

#include "platform/gfx/Color.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GdiError.h"
#include "platform/gfx/Raster.h"

#include <cstring>
#include <memory>

namespace vd {

namespace {

struct DcDeleter {
    void operator()(GdiDC* dc) const { DeleteDC(dc); }
};
struct ObjDeleter {
    void operator()(GdiObject* o) const { DeleteObject(o); }
};

// A temporary context over a copy of caller rows. Null for an unsupported layout.
std::unique_ptr<GdiDC, DcDeleter> ContextFromBits(const void* bits, const BITMAPINFO* info) {
    if (!bits || !info) return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if ((h.biBitCount != 24 && h.biBitCount != 32) || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biHeight == INT32_MIN || (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS))
        return nullptr;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    std::unique_ptr<GdiBitmap, ObjDeleter> bmp;
    try {
        bmp.reset(new GdiBitmap(h.biWidth, height, h.biBitCount, h.biHeight < 0));
    } catch (const EOutOfResources&) {
        return nullptr;
    }
    std::memcpy(bmp->Bits(), bits, bmp->ByteSize());
    std::unique_ptr<GdiDC, DcDeleter> dc(CreateCompatibleDC(nullptr));
    SelectObject(dc.get(), bmp.get());
    return dc;
}

} // namespace

int SetDIBitsToDevice(HDC dc, int x, int y, DWord w, DWord h, int sx, int sy, UINT start, UINT lines,
                      const void* bits, const BITMAPINFO* info, UINT) {
    if (!dc || !info || start != 0) return 0;
    auto src = ContextFromBits(bits, info);
    if (!src) return 0;
    const int H = src->Target()->Height();
    if (int(lines) < H) return 0;
    // For rows stored bottom-up the source y counts from the bottom.
    const int top = info->bmiHeader.biHeight > 0 ? H - sy - int(h) : sy;
    BitBlt(dc, x, y, int(w), int(h), src.get(), sx, top, SRCCOPY);
    return int(lines);
}

int StretchDIBits(HDC dc, int x, int y, int w, int h, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* info, UINT, DWord rop) {
    if (!dc) return 0;
    auto src = ContextFromBits(bits, info);
    if (!src) return 0;
    const int H = src->Target()->Height();
    const int top = info->bmiHeader.biHeight > 0 ? H - sy - sh : sy;
    StretchBlt(dc, x, y, w, h, src.get(), sx, top, sw, sh, rop);
    return H;
}

bool DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH background, UINT flags) {
    if (!dc || !icon) return false;
    if (cx == 0) cx = icon->Width();
    if (cy == 0) cy = icon->Height();
    GdiBitmap* db = dc->Target();
    if (cx <= 0 || cy <= 0 || !db) return true;
    const TRect d = dc->DevBounds(x, y, cx, cy);
    if (background) raster::FillRect(*dc, d, raster::ToBgr(background->Color), R2_COPYPEN);
    const GdiBitmap* color = icon->Color();
    const GdiBitmap* mask = icon->Mask();
    const int iw = icon->Width(), ih = icon->Height();
    bool hasAlpha = false;
    if (color && color->BitCount() == 32)
        for (int yy = 0; yy < color->Height() && !hasAlpha; ++yy)
            for (int xx = 0; xx < color->Width() && !hasAlpha; ++xx)
                hasAlpha = color->Row(yy)[xx * 4 + 3] != 0;
    auto maskBit = [mask](int mx, int my) {
        return mask->BitCount() == 1 ? mask->MonoBit(mx, my) : int(mask->PixelBgr(mx, my) != 0);
    };
    raster::ForEachClipRect(dc->Clip(), d, [&](const TRect& c) {
        for (int py = c.Top; py < c.Bottom; ++py) {
            const int sy = int((2 * std::int64_t(py - d.Top) + 1) * ih / (2 * std::int64_t(cy)));
            for (int px = c.Left; px < c.Right; ++px) {
                const int sx = int((2 * std::int64_t(px - d.Left) + 1) * iw / (2 * std::int64_t(cx)));
                DWord dst = db->PixelBgr(px, py);
                if (hasAlpha && (flags & DI_IMAGE)) {
                    // Straight alpha, as icon pictures carry it.
                    const DWord s = color->PixelBgr(sx, sy);
                    const unsigned a = color->Row(sy)[sx * 4 + 3];
                    DWord out = 0;
                    for (int sh = 0; sh < 24; sh += 8)
                        out |= DWord((((s >> sh) & 0xFF) * a + ((dst >> sh) & 0xFF) * (255 - a) + 127) / 255)
                               << sh;
                    db->SetPixelBgr(px, py, out);
                    continue;
                }
                if ((flags & DI_MASK) && mask) dst &= maskBit(sx, sy) ? 0xFFFFFF : 0;
                if (flags & DI_IMAGE) {
                    if (color)
                        dst = (flags & DI_MASK) && mask ? dst ^ color->PixelBgr(sx, sy)
                                                        : color->PixelBgr(sx, sy);
                    else if (mask)
                        dst ^= maskBit(sx, sy + ih) ? 0xFFFFFF : 0;
                }
                db->SetPixelBgr(px, py, dst);
            }
        }
    });
    return true;
}

bool DrawIcon(HDC dc, int x, int y, HICON icon) {
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

} // namespace vd
