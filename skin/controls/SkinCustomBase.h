#pragma once
// What the windowed and the windowless skinned controls with a resizable face share: a default
// size and font for the plain look, the face's geometry at the present size, and the resize that
// follows the record's resize kind.
#include "platform/vcl/Graphics.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinFace.h"
#include "skin/controls/SkinGraphicControl.h"

namespace vd {

template <class TBase> class TskSkinCustomBase : public TBase {
public:
    explicit TskSkinCustomBase(TComponent* AOwner);

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

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    virtual void DefaultFontChanged() {}
    virtual void CalcSize(int& W, int& H) { FFace.CalcSize(W, H); }
    // A rectangle given relative to the skin rect, in control coordinates at the present size.
    TRect MapSkinRect(const TRect& R) const { return FFace.MapSkinRect(R, this->Width(), this->Height()); }

protected:
    // SourceRect of Source resized to the control by the resize kind, into Bitmap.
    void CreateResizedSkinImage(TBitmap& Bitmap, const TskBitmap& Source, const TRect& SourceRect);
    // Called wherever the face changes its size or look; a window shapes itself to the mask here.
    virtual void SetControlRegion() {}

    TFont FDefaultFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    bool FUseSkinFont = true;
    TskSkinFace FFace;
};

extern template class TskSkinCustomBase<TskSkinControl>;
extern template class TskSkinCustomBase<TskGraphicSkinControl>;

} // namespace vd
