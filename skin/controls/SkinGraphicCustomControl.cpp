#include "skin/controls/SkinGraphicCustomControl.h"

#include "platform/vcl/FontFaces.h"

#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/core/SkinData.h"

namespace vd {

TskGraphicSkinCustomControl::TskGraphicSkinCustomControl(TComponent* AOwner) : TskGraphicSkinControl(AOwner) {
    SetDefaultFace(FDefaultFont);
    FDefaultFont.OnChange = [this](TObject*) {
        DefaultFontChanged();
        if (FSkinIndex == -1) Repaint();
    };
}

void TskGraphicSkinCustomControl::SetDefaultFont(const TFont& Value) {
    FDefaultFont.Assign(Value);
    DefaultFontChanged();
}

void TskGraphicSkinCustomControl::SetDefaultWidth(int Value) {
    FDefaultWidth = Value;
    if (FSkinIndex == -1 && Value > 0) SetWidth(Value);
}

void TskGraphicSkinCustomControl::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    if (FSkinIndex == -1 && Value > 0) SetHeight(Value);
}

void TskGraphicSkinCustomControl::GetSkinData() {
    TskGraphicSkinControl::GetSkinData();
    if (FSkinIndex == -1) return;
    if (!FFace.Load(SkinRecord(), *FSkinData)) FSkinIndex = -1;
}

void TskGraphicSkinCustomControl::CreateControlDefaultImage(TBitmap& Bitmap) {
    FillColor(Bitmap.Canvas(), {0, 0, Bitmap.Width(), Bitmap.Height()}, clBtnFace);
}

void TskGraphicSkinCustomControl::CreateResizedSkinImage(TBitmap& Bitmap, const TskBitmap& Source,
                                                         const TRect& SourceRect) {
    TskBitmap face;
    FFace.CreateResizedSkinImage(face, Source, SourceRect, Width(), Height());
    DrawSkin(Bitmap.Canvas(), 0, 0, face);
}

void TskGraphicSkinCustomControl::CreateControlSkinImage(TBitmap& Bitmap) {
    CreateResizedSkinImage(Bitmap, *FFace.SkinBitmap, FFace.skinrect);
}

void TskGraphicSkinCustomControl::ChangeSkinData() {
    GetSkinData();
    int w = Width(), h = Height();
    if (FSkinIndex == -1) {
        if (FDefaultWidth > 0) w = FDefaultWidth;
        if (FDefaultHeight > 0) h = FDefaultHeight;
    } else {
        CalcSize(w, h);
    }
    const bool skinnedResize = FSkinIndex != -1 && (w != Width() || h != Height());
    if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
    if (!skinnedResize) Repaint();
}

void TskGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    bool skinnedResize = false;
    if (FSkinIndex != -1 && (AWidth != Width() || AHeight != Height())) {
        CalcSize(AWidth, AHeight);
        if (FFace.SkinResizeKind == 0) FFace.CurClientRect = FFace.clientrect;
        skinnedResize = AWidth != Width() || AHeight != Height();
    }
    ATop = SkinToolBarTop(this, ATop, AHeight);
    TskGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (skinnedResize) Repaint();
}

} // namespace vd
