#pragma once
// A device context: the bitmap it draws on and its drawing state. A window system gives a
// context an origin on its surface and a visible region; the painting code sees only its own
// coordinates, its viewport origin and its clip region.
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Objects.h"
#include "platform/gfx/Region.h"

#include <cstdint>
#include <vector>

namespace vd {

struct DCState {
    GdiRef<GdiBitmap> Bitmap;
    GdiRef<GdiPen> Pen;
    GdiRef<GdiBrush> Brush;
    GdiRef<GdiFont> Font;
    bool HasClip = false;
    GdiRegion Clip; // device coordinates, relative to the context's origin
    TPoint ViewportOrg;
    TPoint WindowOrg;
    TPoint BrushOrg;
    TPoint CurrentPos;
    COLORREF TextColor = 0;
    COLORREF BkColor = 0xFFFFFF;
    int BkMode = OPAQUE;
    int Rop2 = R2_COPYPEN;
    UINT TextAlign = 0;
    int StretchMode = 1;
    int TextCharExtra = 0;
};

class GdiDC {
public:
    GdiDC();
    GdiDC(const GdiDC&) = delete;
    GdiDC& operator=(const GdiDC&) = delete;

    DCState& State() { return FState; }
    const DCState& State() const { return FState; }
    GdiBitmap* Target() const { return FState.Bitmap.Get(); }

    // Logical to surface coordinates.
    // Clamped to +-2^30, far outside any bitmap, so that no sum of coordinates overflows.
    int DevX(int x) const {
        return Clamp(std::int64_t(x) - FState.WindowOrg.X + FState.ViewportOrg.X + FOrigin.X);
    }
    int DevY(int y) const {
        return Clamp(std::int64_t(y) - FState.WindowOrg.Y + FState.ViewportOrg.Y + FOrigin.Y);
    }
    // A rectangle of a place and an extent, clamped the same way.
    TRect DevBounds(int x, int y, int w, int h) const {
        const int l = DevX(x), t = DevY(y);
        return {l, t, Clamp(std::int64_t(l) + w), Clamp(std::int64_t(t) + h)};
    }
    static int Clamp(std::int64_t v) {
        constexpr std::int64_t kLimit = std::int64_t(1) << 30;
        return int(v < -kLimit ? -kLimit : v > kLimit ? kLimit : v);
    }
    TRect DevRect(const TRect& r) const { return {DevX(r.Left), DevY(r.Top), DevX(r.Right), DevY(r.Bottom)}; }
    // Device (origin-relative, viewport-free) to surface coordinates.
    TPoint OriginOffset() const { return FOrigin; }

    // Where painting may go, in surface coordinates, inside the target bitmap.
    const GdiRegion& Clip();
    void ClipChanged() { FClipValid = false; }

    HGDIOBJ Select(HGDIOBJ object);
    int Save();
    bool Restore(int level);

    // For the window system: where the context sits on its surface and what part of the
    // surface it may paint (surface coordinates; null for no limit).
    void SetOrigin(TPoint origin);
    void SetSystemClip(const GdiRegion* region);

private:
    DCState FState;
    std::vector<DCState> FSaved;
    TPoint FOrigin;
    bool FHasSystemClip = false;
    GdiRegion FSystemClip;
    GdiRegion FClip;
    bool FClipValid = false;
};

// Context functions with the usual names.
HDC CreateCompatibleDC(HDC dc);
bool DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
int SaveDC(HDC dc);
// A negative level counts back from the newest saved state.
bool RestoreDC(HDC dc, int level);
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old);
bool GetViewportOrgEx(HDC dc, TPoint* out);
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old);
bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old);
bool GetWindowOrgEx(HDC dc, TPoint* out);
bool SetBrushOrgEx(HDC dc, int x, int y, TPoint* old);
// Clip functions return the region type of the new clip (ERROR, NULLREGION, ...).
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// A copy of rgn becomes the clip (device coordinates); null removes the clip.
int SelectClipRgn(HDC dc, HRGN rgn);
int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode);
int OffsetClipRgn(HDC dc, int dx, int dy);
// 1 and a copy of the clip in rgn, 0 when there is no clip, -1 on error.
int GetClipRgn(HDC dc, HRGN rgn);
// The bounding box of what can be painted, in logical coordinates.
int GetClipBox(HDC dc, TRect* box);
bool PtVisible(HDC dc, int x, int y);
bool RectVisible(HDC dc, const TRect* r);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);
int GetROP2(HDC dc);
UINT SetTextAlign(HDC dc, UINT align);
int SetStretchBltMode(HDC dc, int mode);
int SetTextCharacterExtra(HDC dc, int extra);
bool MoveToEx(HDC dc, int x, int y, TPoint* old);
bool GetCurrentPositionEx(HDC dc, TPoint* out);
// For the window system (see GdiDC::SetOrigin and SetSystemClip).
void SetDCOrigin(HDC dc, int x, int y);
void SetDCSystemClip(HDC dc, HRGN surfaceRegion);

} // namespace vd
