#pragma once
// The windowless twin of TskSkinCustomControl: default size and font, and the resizable face,
// without a window region or the framed paint.
#include "skin/controls/SkinFace.h"
#include "skin/controls/SkinGraphicControl.h"

namespace vd {

class TskGraphicSkinCustomControl : public TskGraphicSkinControl {
public:
    explicit TskGraphicSkinCustomControl(TComponent* AOwner);
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

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    virtual void DefaultFontChanged() {}
    virtual void CalcSize(int& W, int& H) { FFace.CalcSize(W, H); }

protected:
    void CreateResizedSkinImage(TBitmap& Bitmap, const TskBitmap& Source, const TRect& SourceRect);

    TFont FDefaultFont;
    int FDefaultWidth = 0;
    int FDefaultHeight = 0;
    bool FUseSkinFont = true;
    TskSkinFace FFace;
};

} // namespace vd
