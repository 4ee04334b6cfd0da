#include "platform/vcl/Bitmap.h"

#include "platform/gfx/Gdi.h"
#include "platform/gfx/GdiError.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/GraphicsHandles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace vd {

// A canvas on a bitmap: the context is made when first drawn on.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(HDC dc) { FHandle = dc; }
};

TBitmap::TBitmap() : TBitmap(0, 0) {}

// Sizes as SetSize takes them: a negative side is 0, one beyond the largest picture an error
// (never a bitmap without pixels that the next SetSize would trip over).
TBitmap::TBitmap(int width, int height) {
    FBitmap = CreateBitmap(std::max(0, width), std::max(0, height), 1, 24, nullptr);
    if (!FBitmap) throw EOutOfResources();
    FDC = CreateCompatibleDC(nullptr);
    SelectObject(FDC, FBitmap);
}

TBitmap::~TBitmap() {
    delete FCanvas;
    DeleteDC(FDC);
    DeleteObject(FBitmap);
}

int TBitmap::Width() const {
    return FBitmap ? FBitmap->Width() : 0;
}
int TBitmap::Height() const {
    return FBitmap ? FBitmap->Height() : 0;
}

void TBitmap::SetSize(int w, int h) {
    if (w == Width() && h == Height()) return;
    FBitmap->Resize(std::max(0, w), std::max(0, h));
    SelectObject(FDC, FBitmap); // the context sees the new size
    if (OnChange) OnChange(this);
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) FCanvas = new TBitmapCanvas(FDC);
    return *FCanvas;
}

TColor TBitmap::TransparentColor() const {
    if (TransparentMode == tmFixed) return FTransparentColor;
    if (Empty()) return clNone;
    const DWord bgr = FBitmap->PixelBgr(0, Height() - 1);
    return static_cast<TColor>(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
}

void TBitmap::SetTransparentColor(TColor c) {
    FTransparentColor = c;
    TransparentMode = tmFixed;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) {
    HDC dst = canvas.Handle();
    if (!dst || Empty()) return;
    if (FTransparent)
        TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), FDC, 0, 0, Width(), Height(),
                       static_cast<UINT>(vclgfx::Resolve(TransparentColor())));
    else
        StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), FDC, 0, 0, Width(), Height(), SRCCOPY);
}

void TBitmap::Assign(const TPersistent& source) {
    if (auto* b = dynamic_cast<const TBitmap*>(&source)) {
        if (b == this) return;
        SetSize(b->Width(), b->Height());
        BitBlt(FDC, 0, 0, Width(), Height(), b->FDC, 0, 0, SRCCOPY);
        FTransparent = b->FTransparent;
        TransparentMode = b->TransparentMode;
        FTransparentColor = b->FTransparentColor;
        if (OnChange) OnChange(this);
        return;
    }
    TPersistent::Assign(source);
}

bool TBitmap::LoadFromMemory(const void* data, std::size_t size) {
    BmpReadResult r = ReadBmp(data, size);
    if (!r.Bitmap) return false;
    SetSize(r.Bitmap->Width(), r.Bitmap->Height());
    HDC src = CreateCompatibleDC(nullptr);
    SelectObject(src, r.Bitmap);
    BitBlt(FDC, 0, 0, Width(), Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
    DeleteObject(r.Bitmap);
    if (OnChange) OnChange(this);
    return true;
}

bool TBitmap::LoadFromFile(const String& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return LoadFromMemory(data.data(), data.size());
}

} // namespace vd
