#include "skin/controls/SkinCustomBase.h"

#include "platform/vcl/FontFaces.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/core/SkinData.h"

#include <type_traits>

namespace vd {

template <class TBase> TskSkinCustomBase<TBase>::TskSkinCustomBase(TComponent* AOwner) : TBase(AOwner) {
    SetDefaultFace(FDefaultFont);
    FDefaultFont.OnChange = [this](TObject*) {
        DefaultFontChanged();
        if (this->FSkinIndex == -1) this->Repaint();
    };
}

template <class TBase> void TskSkinCustomBase<TBase>::SetDefaultFont(const TFont& Value) {
    FDefaultFont.Assign(Value);
    DefaultFontChanged();
}

template <class TBase> void TskSkinCustomBase<TBase>::SetDefaultWidth(int Value) {
    FDefaultWidth = Value;
    if (this->FSkinIndex == -1 && Value > 0) this->SetWidth(Value);
}

template <class TBase> void TskSkinCustomBase<TBase>::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    if (this->FSkinIndex == -1 && Value > 0) this->SetHeight(Value);
}

template <class TBase> void TskSkinCustomBase<TBase>::GetSkinData() {
    TBase::GetSkinData();
    if (this->FSkinIndex == -1) return;
    // A record without a usable picture has nothing to draw from: the control keeps its plain look.
    if (!FFace.Load(this->SkinRecord(), *this->SkinData())) this->FSkinIndex = -1;
}

template <class TBase> void TskSkinCustomBase<TBase>::CreateControlDefaultImage(TBitmap& Bitmap) {
    FillColor(Bitmap.Canvas(), {0, 0, Bitmap.Width(), Bitmap.Height()}, clBtnFace);
}

template <class TBase>
void TskSkinCustomBase<TBase>::CreateResizedSkinImage(TBitmap& Bitmap, const TskBitmap& Source,
                                                      const TRect& SourceRect) {
    TskBitmap face;
    FFace.CreateResizedSkinImage(face, Source, SourceRect, this->Width(), this->Height());
    // A window clips a fixed face to itself; a windowless control draws on its parent, so its
    // picture keeps the control's bounds.
    if constexpr (std::is_base_of_v<TWinControl, TBase>)
        if (FFace.SkinResizeKind == 0) Bitmap.SetSize(face.Width(), face.Height());
    DrawSkin(Bitmap.Canvas(), 0, 0, face);
}

template <class TBase> void TskSkinCustomBase<TBase>::CreateControlSkinImage(TBitmap& Bitmap) {
    CreateResizedSkinImage(Bitmap, *FFace.SkinBitmap, FFace.skinrect);
}

template <class TBase> void TskSkinCustomBase<TBase>::ChangeSkinData() {
    GetSkinData();
    const bool skinned = this->FSkinIndex != -1;
    int w = this->Width(), h = this->Height();
    if (!skinned) {
        if (FDefaultWidth > 0) w = FDefaultWidth;
        if (FDefaultHeight > 0) h = FDefaultHeight;
    } else {
        CalcSize(w, h);
    }
    const bool resized = w != this->Width() || h != this->Height();
    if (resized) SetBounds(this->Left(), this->Top(), w, h);
    // A skinned resize has reshaped and repainted already.
    if (skinned && resized) return;
    SetControlRegion();
    this->Repaint();
}

template <class TBase>
void TskSkinCustomBase<TBase>::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    bool skinnedResize = false;
    if (this->FSkinIndex != -1 && (AWidth != this->Width() || AHeight != this->Height())) {
        CalcSize(AWidth, AHeight);
        if (FFace.SkinResizeKind == 0) FFace.CurClientRect = FFace.clientrect;
        skinnedResize = AWidth != this->Width() || AHeight != this->Height();
    }
    ATop = SkinToolBarTop(this, ATop, AHeight);
    TBase::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (skinnedResize) {
        SetControlRegion();
        this->Repaint();
    }
}

template class TskSkinCustomBase<TskSkinControl>;
template class TskSkinCustomBase<TskGraphicSkinControl>;

} // namespace vd
