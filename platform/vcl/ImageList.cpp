#include "platform/vcl/ImageList.h"

#include "platform/gfx/Gdi.h"

namespace vd {

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner), FStrip(new TBitmap) {}

TCustomImageList::~TCustomImageList() {
    delete FStrip;
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
    for (int i = 0; i < n; ++i) {
        TColor mask = transparent;
        if (transparent == clDefault) {
            const DWord bgr = image.Handle()->PixelBgr(i * FWidth, std::min(FHeight, image.Height()) - 1);
            mask = static_cast<TColor>(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
        }
        FMasks.push_back(mask);
    }
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
