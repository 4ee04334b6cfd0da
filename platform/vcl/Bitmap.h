#pragma once
// A 24-bit picture with its own canvas, read from BMP data.
#include "platform/gfx/Color.h"
#include "platform/gfx/GdiTypes.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Graphic.h"

#include <cstddef>

namespace vd {

enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const override;
    int Height() const override;
    void SetWidth(int v) { SetSize(v, Height()); }
    void SetHeight(int v) { SetSize(Width(), v); }
    void SetSize(int w, int h); // keeps the canvas usable
    bool Empty() const override { return Width() == 0 || Height() == 0; }
    HBITMAP Handle() const { return FBitmap; }
    TCanvas& Canvas();
    void Draw(TCanvas& canvas, const TRect& r) override;
    void Assign(const TPersistent& source) override;
    void Clear() { SetSize(0, 0); }
    TTransparentMode TransparentMode = tmAuto;
    TColor TransparentColor() const; // tmAuto: the bottom-left pixel
    void SetTransparentColor(TColor c);
    bool LoadFromFile(const String& path); // false when the file is no readable BMP
    bool LoadFromMemory(const void* data, std::size_t size);

private:
    HBITMAP FBitmap = nullptr;
    HDC FDC = nullptr;
    TCanvas* FCanvas = nullptr;
    TColor FTransparentColor = clNone;
};

} // namespace vd
