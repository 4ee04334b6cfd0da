#include "platform/vcl/ImageList.h"

#include "platform/gfx/Gdi.h"

#include <algorithm>
#include <set>

namespace vd {

namespace {

// The lists alive on this thread, so a stale handle is answered with null.
std::set<const TCustomImageList*>& Live() {
    thread_local std::set<const TCustomImageList*> live;
    return live;
}

} // namespace

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner), FStrip(new TBitmap) {
    Live().insert(this);
}

TCustomImageList::~TCustomImageList() {
    Live().erase(this);
    delete FStrip;
}

TCustomImageList* TCustomImageList::FromHandle(HIMAGELIST handle) {
    auto* list = reinterpret_cast<TCustomImageList*>(handle);
    return Live().count(list) ? list : nullptr;
}

TColor TCustomImageList::MaskOf(TBitmap& image, int frame, TColor transparent) const {
    if (transparent != clDefault) return transparent;
    const DWord bgr = image.Handle()->PixelBgr(frame * FWidth, std::min(FHeight, image.Height()) - 1);
    return static_cast<TColor>(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
}

int TCustomImageList::Insert(int index, TBitmap& image, TColor transparent) {
    if (index < 0 || index > FCount) return -1;
    const int oldCount = FCount;
    const int first = Add(image, transparent);
    if (first < 0) return -1;
    const int n = FCount - oldCount;
    if (index == oldCount) return index;
    // Rotate the new images from the end to index.
    TBitmap rotated(FStrip->Width(), FHeight);
    HDC dst = rotated.Canvas().Handle(), src = FStrip->Canvas().Handle();
    BitBlt(dst, 0, 0, index * FWidth, FHeight, src, 0, 0, SRCCOPY);
    BitBlt(dst, index * FWidth, 0, n * FWidth, FHeight, src, oldCount * FWidth, 0, SRCCOPY);
    BitBlt(dst, (index + n) * FWidth, 0, (oldCount - index) * FWidth, FHeight, src, index * FWidth, 0,
           SRCCOPY);
    FStrip->Assign(rotated);
    std::rotate(FMasks.begin() + index, FMasks.begin() + oldCount, FMasks.end());
    if (OnChange) OnChange(this);
    return index;
}

void TCustomImageList::Replace(int index, TBitmap& image, TColor transparent) {
    if (index < 0 || index >= FCount || image.Empty()) return;
    BitBlt(FStrip->Canvas().Handle(), index * FWidth, 0, FWidth, FHeight, image.Canvas().Handle(), 0, 0,
           SRCCOPY);
    FMasks[static_cast<std::size_t>(index)] = MaskOf(image, 0, transparent);
    if (OnChange) OnChange(this);
}

bool TCustomImageList::GetIcon(int index, TIcon& out) {
    if (index < 0 || index >= FCount) return false;
    UniqueBitmap color(CreateBitmap(FWidth, FHeight, 1, 24, nullptr));
    UniqueBitmap mask(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
    const TColor t = FTransparent(index);
    const COLORREF trgb = static_cast<COLORREF>(ColorToRGB(t)) & 0xFFFFFF;
    {
        UniqueDC cdc(CreateCompatibleDC(nullptr)), mdc(CreateCompatibleDC(nullptr));
        SelectObject(cdc.Get(), reinterpret_cast<HGDIOBJ>(color.Get()));
        SelectObject(mdc.Get(), reinterpret_cast<HGDIOBJ>(mask.Get()));
        BitBlt(cdc.Get(), 0, 0, FWidth, FHeight, FStrip->Canvas().Handle(), index * FWidth, 0, SRCCOPY);
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x) {
                const bool clear = t != clNone && (GetPixel(cdc.Get(), x, y) & 0xFFFFFF) == trgb;
                SetPixel(mdc.Get(), x, y, clear ? RGB(255, 255, 255) : RGB(0, 0, 0));
                // Icons draw as (screen AND mask) XOR colour: clear pixels must be black.
                if (clear) SetPixel(cdc.Get(), x, y, RGB(0, 0, 0));
            }
    }
    ICONINFO info;
    info.hbmColor = color.Get();
    info.hbmMask = mask.Get();
    HICON icon = CreateIconIndirect(&info);
    if (!icon) return false;
    out.SetHandle(icon);
    return true;
}

void TCustomImageList::SetSize(int w, int h) {
    FWidth = std::max(1, w);
    FHeight = std::max(1, h);
    Clear();
}

void TCustomImageList::Clear() {
    FCount = 0;
    FMasks.clear();
    FStrip->SetSize(0, 0);
    if (OnChange) OnChange(this);
}

int TCustomImageList::Add(TBitmap& image, TColor transparent) {
    if (image.Empty() || image.Width() < FWidth) return -1;
    const int n = image.Width() / FWidth;
    const int first = FCount;
    FStrip->SetSize((FCount + n) * FWidth, FHeight);
    BitBlt(FStrip->Canvas().Handle(), FCount * FWidth, 0, n * FWidth, FHeight, image.Canvas().Handle(), 0, 0,
           SRCCOPY);
    for (int i = 0; i < n; ++i)
        FMasks.push_back(MaskOf(image, i, transparent));
    FCount += n;
    if (OnChange) OnChange(this);
    return first;
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= FCount) return;
    TBitmap rest(FStrip->Width() - FWidth, FHeight);
    HDC src = FStrip->Canvas().Handle();
    BitBlt(rest.Canvas().Handle(), 0, 0, index * FWidth, FHeight, src, 0, 0, SRCCOPY);
    BitBlt(rest.Canvas().Handle(), index * FWidth, 0, (FCount - index - 1) * FWidth, FHeight, src,
           (index + 1) * FWidth, 0, SRCCOPY);
    FStrip->Assign(rest);
    FMasks.erase(FMasks.begin() + index);
    --FCount;
    if (OnChange) OnChange(this);
}

// Disabled images are drawn etched: the image's shape in highlight, offset by one, then in shadow.
void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= FCount || !canvas.Handle()) return;
    HDC src = FStrip->Canvas().Handle();
    const TColor mask = FTransparent(index);
    if (enabled) {
        if (mask == clNone)
            BitBlt(canvas.Handle(), x, y, FWidth, FHeight, src, index * FWidth, 0, SRCCOPY);
        else
            TransparentBlt(canvas.Handle(), x, y, FWidth, FHeight, src, index * FWidth, 0, FWidth, FHeight,
                           static_cast<UINT>(ColorToRGB(mask)));
        return;
    }
    HBITMAP strip = FStrip->Handle();
    const COLORREF transparentRgb = static_cast<COLORREF>(ColorToRGB(mask)) & 0xFFFFFF;
    auto drawShape = [&](int dx, int dy, TColor color) {
        const COLORREF c = static_cast<COLORREF>(ColorToRGB(color));
        for (int py = 0; py < FHeight; ++py)
            for (int px = 0; px < FWidth; ++px) {
                const DWord bgr = strip->PixelBgr(index * FWidth + px, py);
                const COLORREF rgb = RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
                if (mask != clNone && rgb == transparentRgb) continue;
                // Light pixels stay out of the etched shape, as in the class library.
                const int lum = (GetRValue(rgb) * 30 + GetGValue(rgb) * 59 + GetBValue(rgb) * 11) / 100;
                if (lum > 192) continue;
                SetPixel(canvas.Handle(), x + px + dx, y + py + dy, c);
            }
    };
    drawShape(1, 1, clBtnHighlight);
    drawShape(0, 0, clBtnShadow);
}

bool TCustomImageList::GetBitmap(int index, TBitmap& out) {
    if (index < 0 || index >= FCount) return false;
    out.SetSize(FWidth, FHeight);
    out.Canvas().Brush().Color = BkColor == clNone ? clWhite : BkColor;
    out.Canvas().FillRect({0, 0, FWidth, FHeight});
    Draw(out.Canvas(), 0, 0, index, true);
    return true;
}

} // namespace vd
