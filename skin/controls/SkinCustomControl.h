#pragma once
// The windowed base with a resizable skin face: a default size and font for the plain look, the
// face's geometry at the present size, the framed paint of panels and a window region from the
// record's mask picture.
#include "platform/vcl/Graphics.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinFace.h"

namespace vd {

class TskSkinCustomControl : public TskSkinControl {
public:
    explicit TskSkinCustomControl(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;

    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }

    const TskSkinFace& Face() const { return FFace; }
    int SkinResizeKind() const { return FFace.SkinResizeKind; }
    const TRect& CurClientRect() const { return FFace.CurClientRect; }
    bool RegionSet() const { return FRegionSet; }

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    virtual void DefaultFontChanged() {}
    virtual void CalcSize(int& W, int& H) { FFace.CalcSize(W, H); }
    virtual void SetControlRegion();
    // A rectangle given relative to the skin rect, in control coordinates at the present size.
    TRect MapSkinRect(const TRect& R) const { return FFace.MapSkinRect(R, Width(), Height()); }

protected:
    void Paint() override;
    // SourceRect of Source resized to the control by the resize kind, into Bitmap.
    void CreateResizedSkinImage(TBitmap& Bitmap, const TskBitmap& Source, const TRect& SourceRect);

    TFont FDefaultFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    bool FUseSkinFont = true;
    bool FForceBackground = false;
    bool FDrawBackground = true;
    TskSkinFace FFace;
    bool FRegionSet = false;

private:
    void PaintFramed();
};

} // namespace vd
