#pragma once
// TCustomImageList: equal-sized images kept side by side in one strip, drawn masked by a
// transparent colour (the bottom-left pixel of each added picture unless one is given), with
// the class library's greyed look for disabled drawing.
#include "platform/vcl/Component.h"
#include "platform/vcl/Graphics.h"

namespace vd {

// What native views hold to name an image list (TVM_SETIMAGELIST, LVM_SETIMAGELIST).
struct HIMAGELIST__;
using HIMAGELIST = HIMAGELIST__*;

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetSize(int w, int h); // clears the list
    int Count() const { return FCount; }
    TColor BkColor = clNone;
    // Adds every image of a strip as wide as a multiple of Width; returns the first index or -1.
    int Add(TBitmap& image, TColor transparent = clDefault);
    // Inserts every image of a strip before index (Count: at the end); returns index or -1.
    int Insert(int index, TBitmap& image, TColor transparent = clDefault);
    // Replaces one image with the first image of the picture.
    void Replace(int index, TBitmap& image, TColor transparent = clDefault);
    // The image as an icon whose mask is the transparent colour; false for a bad index.
    bool GetIcon(int index, TIcon& out);
    HIMAGELIST Handle() const { return reinterpret_cast<HIMAGELIST>(const_cast<TCustomImageList*>(this)); }
    // The live list a handle names, or null once it is freed.
    static TCustomImageList* FromHandle(HIMAGELIST handle);
    void Delete(int index);
    void Clear();
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    bool GetBitmap(int index, TBitmap& out); // the image over BkColor (or white)
    TNotifyEvent OnChange;

    static constexpr TColor clDefault = 0x20000000;

private:
    TColor MaskOf(TBitmap& image, int frame, TColor transparent) const;
    TColor FTransparent(int index) const { return FMasks.at(static_cast<std::size_t>(index)); }
    int FWidth = 16;
    int FHeight = 16;
    int FCount = 0;
    TBitmap* FStrip;
    std::vector<TColor> FMasks;
};

class TImageList : public TCustomImageList {
public:
    explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
};

} // namespace vd
