#include "skin/boxes/SkinEditBox.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinBitmap.h"

namespace vd {

void TskSkinEditBox::SetUseSkinSize(bool Value) {
    FUseSkinSize = Value;
    if (FSkinData) ChangeSkinData();
}

// At any height only the width moves the right end and the client area.
void TskSkinEditBox::CalcSize(int& W, int& H) {
    if (FUseSkinSize) {
        TskSkinCustomControl::CalcSize(W, H);
        return;
    }
    const int dw = W - FFace.skinrect.Width();
    FFace.CurRightTopPoint = {FFace.righttoppoint.X + dw, FFace.righttoppoint.Y};
    FFace.CurClientRect = FFace.clientrect;
    FFace.CurClientRect.Right += dw;
}

void TskSkinEditBox::SetControlRegion() {
    if (FUseSkinSize) TskSkinCustomControl::SetControlRegion();
}

void TskSkinEditBox::Invalidate() {
    TskSkinCustomControl::Invalidate();
    if (TskCustomEdit* e = InnerEdit(); FSkinIndex != -1 && e) e->Invalidate();
}

void TskSkinEditBox::DrawFace(TBitmap& Bitmap, int Left, int Right) {
    const TskBitmap& pic = *FFace.SkinBitmap;
    const bool active = Hot() && !IsEmptySkinRect(activeskinrect);
    if (!FUseSkinSize) {
        TskBitmap face(Width(), Height());
        StretchSkinPicture(face, pic, active ? activeskinrect : FFace.skinrect, FFace.clientrect, true);
        DrawSkin(Bitmap.Canvas(), 0, 0, face);
    } else if (active) {
        TskBitmap face;
        ComposeHorzSkinPicture(Left, activeskinrect.Width() - Right, face, FFace.stretcheffect, Width(),
                               activeskinrect, pic);
        DrawSkin(Bitmap.Canvas(), 0, 0, face);
    } else {
        TskSkinCustomControl::CreateControlSkinImage(Bitmap);
    }
}

const TPropertyTable<TskSkinEditBox>& TskSkinEditBox::Properties() {
    using namespace props;
    static const TPropertyTable<TskSkinEditBox> table{
        {"UseSkinSize", Store(&TskSkinEditBox::FUseSkinSize, AsBool)},
    };
    return table;
}

bool TskSkinEditBox::SetProperty(const String& name, const TPropValue& v) {
    return Properties().Set(*this, name, v) || TskSkinCustomControl::SetProperty(name, v);
}

void TskSkinEditBox::PaintEditBackground(HDC DC, const TRect& R) {
    TskCustomEdit* e = InnerEdit();
    if (Width() <= 0 || Height() <= 0 || !e) return;
    TBitmap b(Width(), Height());
    GetSkinData();
    if (FSkinIndex == -1)
        CreateControlDefaultImage(b);
    else
        CreateControlSkinImage(b);
    BitBlt(DC, R.Left, R.Top, R.Width(), R.Height(), b.Canvas().Handle(), e->Left() + R.Left,
           e->Top() + R.Top, SRCCOPY);
}

} // namespace vd
