#include "platform/gfx/DeviceContext.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace vd {

namespace {

template <class T> T* As(HGDIOBJ o, GdiObject::Kind k) {
    return o && o->ObjectKind() == k ? static_cast<T*>(o) : nullptr;
}

} // namespace

GdiDC::GdiDC() {
    FState.Bitmap = GdiRef<GdiBitmap>(static_cast<GdiBitmap*>(GetStockObject(-1)));
    FState.Pen = GdiRef<GdiPen>(static_cast<GdiPen*>(GetStockObject(BLACK_PEN)));
    FState.Brush = GdiRef<GdiBrush>(static_cast<GdiBrush*>(GetStockObject(WHITE_BRUSH)));
    FState.Font = GdiRef<GdiFont>(static_cast<GdiFont*>(GetStockObject(SYSTEM_FONT)));
}

const GdiRegion& GdiDC::Clip() {
    if (FClipValid) return FClip;
    GdiBitmap* bmp = Target();
    // The default bitmap is shared by every fresh context: nothing may paint on it.
    const bool real = bmp && !bmp->IsStock();
    FClip.SetRect({0, 0, real ? bmp->Width() : 0, real ? bmp->Height() : 0});
    if (FHasSystemClip) FClip = GdiRegion::Combine(FClip, FSystemClip, RGN_AND);
    if (FState.HasClip) {
        GdiRegion own = FState.Clip;
        own.Offset(FOrigin.X, FOrigin.Y);
        FClip = GdiRegion::Combine(FClip, own, RGN_AND);
    }
    FClipValid = true;
    return FClip;
}

HGDIOBJ GdiDC::Select(HGDIOBJ object) {
    if (!object) return nullptr;
    HGDIOBJ old = nullptr;
    switch (object->ObjectKind()) {
    case GdiObject::Kind::Bitmap:
        old = FState.Bitmap.Get();
        FState.Bitmap = GdiRef<GdiBitmap>(static_cast<GdiBitmap*>(object));
        ClipChanged();
        break;
    case GdiObject::Kind::Pen:
        old = FState.Pen.Get();
        FState.Pen = GdiRef<GdiPen>(static_cast<GdiPen*>(object));
        break;
    case GdiObject::Kind::Brush:
        old = FState.Brush.Get();
        FState.Brush = GdiRef<GdiBrush>(static_cast<GdiBrush*>(object));
        break;
    case GdiObject::Kind::Font:
        old = FState.Font.Get();
        FState.Font = GdiRef<GdiFont>(static_cast<GdiFont*>(object));
        break;
    case GdiObject::Kind::Region:
        // Selecting a region sets the clip; the result is a region type, as with the system.
        FState.HasClip = true;
        FState.Clip = *static_cast<GdiRegion*>(object);
        ClipChanged();
        return reinterpret_cast<HGDIOBJ>(std::intptr_t(FState.Clip.Complexity()));
    case GdiObject::Kind::Icon:
        return nullptr;
    }
    return old;
}

int GdiDC::Save() {
    FSaved.push_back(FState);
    return int(FSaved.size());
}

bool GdiDC::Restore(int level) {
    const int count = int(FSaved.size());
    if (level < 0) level = count + 1 + level;
    if (level < 1 || level > count) return false;
    FState = FSaved[std::size_t(level - 1)];
    FSaved.resize(std::size_t(level - 1));
    ClipChanged();
    return true;
}

void GdiDC::SetOrigin(TPoint origin) {
    FOrigin = origin;
    ClipChanged();
}

void GdiDC::SetSystemClip(const GdiRegion* region) {
    FHasSystemClip = region != nullptr;
    if (region)
        FSystemClip = *region;
    else
        FSystemClip.Clear();
    ClipChanged();
}

HDC CreateCompatibleDC(HDC) {
    return new GdiDC();
}

bool DeleteDC(HDC dc) {
    delete dc;
    return dc != nullptr;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    return dc ? dc->Select(object) : nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN:
        return dc->State().Pen.Get();
    case OBJ_BRUSH:
        return dc->State().Brush.Get();
    case OBJ_FONT:
        return dc->State().Font.Get();
    case OBJ_BITMAP:
        return dc->State().Bitmap.Get();
    default:
        return nullptr;
    }
}

int SaveDC(HDC dc) {
    return dc ? dc->Save() : 0;
}

bool RestoreDC(HDC dc, int level) {
    return dc && dc->Restore(level);
}

namespace {

bool SetPoint(HDC dc, TPoint DCState::*field, int x, int y, TPoint* old) {
    if (!dc) return false;
    if (old) *old = dc->State().*field;
    dc->State().*field = {x, y};
    return true;
}

bool GetPoint(HDC dc, TPoint DCState::*field, TPoint* out) {
    if (!dc || !out) return false;
    *out = dc->State().*field;
    return true;
}

// Clip rectangles arrive in logical coordinates; the clip is kept in device coordinates.
TRect LogicalToDevice(HDC dc, int left, int top, int right, int bottom) {
    const TPoint o = dc->OriginOffset();
    TRect r = dc->DevRect({left, top, right, bottom});
    return {r.Left - o.X, r.Top - o.Y, r.Right - o.X, r.Bottom - o.Y};
}

// The clip as it stands, or everything when there is none (the target and the window system
// limit painting on their own).
GdiRegion CurrentClip(HDC dc) {
    if (dc->State().HasClip) return dc->State().Clip;
    constexpr int kAll = 1 << 29;
    return GdiRegion(TRect{-kAll, -kAll, kAll, kAll});
}

int SetClip(HDC dc, GdiRegion clip) {
    dc->State().HasClip = true;
    dc->State().Clip = std::move(clip);
    dc->ClipChanged();
    return dc->State().Clip.Complexity();
}

} // namespace

bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old) {
    return SetPoint(dc, &DCState::ViewportOrg, x, y, old);
}
bool GetViewportOrgEx(HDC dc, TPoint* out) {
    return GetPoint(dc, &DCState::ViewportOrg, out);
}
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old) {
    if (!dc) return false;
    const TPoint p = dc->State().ViewportOrg;
    return SetViewportOrgEx(dc, p.X + dx, p.Y + dy, old);
}
bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old) {
    return SetPoint(dc, &DCState::WindowOrg, x, y, old);
}
bool GetWindowOrgEx(HDC dc, TPoint* out) {
    return GetPoint(dc, &DCState::WindowOrg, out);
}
bool SetBrushOrgEx(HDC dc, int x, int y, TPoint* old) {
    return SetPoint(dc, &DCState::BrushOrg, x, y, old);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (!dc) return ERROR;
    GdiRegion r(LogicalToDevice(dc, left, top, right, bottom));
    return SetClip(dc, GdiRegion::Combine(CurrentClip(dc), r, RGN_AND));
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (!dc) return ERROR;
    GdiRegion r(LogicalToDevice(dc, left, top, right, bottom));
    return SetClip(dc, GdiRegion::Combine(CurrentClip(dc), r, RGN_DIFF));
}

int SelectClipRgn(HDC dc, HRGN rgn) {
    return ExtSelectClipRgn(dc, rgn, RGN_COPY);
}

int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode) {
    if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    if (mode == RGN_COPY) {
        if (!rgn) {
            dc->State().HasClip = false;
            dc->State().Clip.Clear();
            dc->ClipChanged();
            return SIMPLEREGION;
        }
        return SetClip(dc, *rgn);
    }
    if (!rgn) return ERROR;
    return SetClip(dc, GdiRegion::Combine(CurrentClip(dc), *rgn, mode));
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
    if (!dc) return ERROR;
    if (!dc->State().HasClip) return SIMPLEREGION;
    dc->State().Clip.Offset(dx, dy);
    dc->ClipChanged();
    return dc->State().Clip.Complexity();
}

int GetClipRgn(HDC dc, HRGN rgn) {
    if (!dc || !rgn) return -1;
    if (!dc->State().HasClip) return 0;
    *rgn = dc->State().Clip;
    return 1;
}

int GetClipBox(HDC dc, TRect* box) {
    if (!dc || !box) return ERROR;
    const GdiRegion& clip = dc->Clip();
    TRect b = clip.Box();
    // Surface back to logical coordinates.
    const int dx = dc->DevX(0), dy = dc->DevY(0);
    if (clip.IsEmpty())
        b = {};
    else
        b = {b.Left - dx, b.Top - dy, b.Right - dx, b.Bottom - dy};
    *box = b;
    return clip.Complexity();
}

bool PtVisible(HDC dc, int x, int y) {
    return dc && dc->Clip().Contains(dc->DevX(x), dc->DevY(y));
}

bool RectVisible(HDC dc, const TRect* r) {
    return dc && r && dc->Clip().IntersectsRect(dc->DevRect(*r));
}

namespace {

template <class T> T Exchange(HDC dc, T DCState::*field, T value) {
    if (!dc) return T{};
    return std::exchange(dc->State().*field, value);
}

} // namespace

COLORREF SetTextColor(HDC dc, COLORREF c) {
    return Exchange(dc, &DCState::TextColor, c);
}
COLORREF GetTextColor(HDC dc) {
    return dc ? dc->State().TextColor : 0;
}
COLORREF SetBkColor(HDC dc, COLORREF c) {
    return Exchange(dc, &DCState::BkColor, c);
}
COLORREF GetBkColor(HDC dc) {
    return dc ? dc->State().BkColor : 0;
}
int SetBkMode(HDC dc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return Exchange(dc, &DCState::BkMode, mode);
}
int GetBkMode(HDC dc) {
    return dc ? dc->State().BkMode : 0;
}
int SetROP2(HDC dc, int mode) {
    if (mode < 1 || mode > 16) return 0;
    return Exchange(dc, &DCState::Rop2, mode);
}
int GetROP2(HDC dc) {
    return dc ? dc->State().Rop2 : 0;
}
UINT SetTextAlign(HDC dc, UINT align) {
    return Exchange(dc, &DCState::TextAlign, align);
}
int SetStretchBltMode(HDC dc, int mode) {
    return Exchange(dc, &DCState::StretchMode, mode);
}
int SetTextCharacterExtra(HDC dc, int extra) {
    return Exchange(dc, &DCState::TextCharExtra, std::clamp(extra, -1000, 1000));
}

bool MoveToEx(HDC dc, int x, int y, TPoint* old) {
    return SetPoint(dc, &DCState::CurrentPos, x, y, old);
}
bool GetCurrentPositionEx(HDC dc, TPoint* out) {
    return GetPoint(dc, &DCState::CurrentPos, out);
}

void SetDCOrigin(HDC dc, int x, int y) {
    if (dc) dc->SetOrigin({x, y});
}

void SetDCSystemClip(HDC dc, HRGN surfaceRegion) {
    if (dc) dc->SetSystemClip(surfaceRegion);
}

} // namespace vd
