#include "skin/controls/SkinSplitter.h"

#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

namespace vd {

TskSkinSplitter::TskSkinSplitter(TComponent* AOwner) : TSplitter(AOwner) {
    SetControlStyle(ControlStyle() | csOpaque);
}

void TskSkinSplitter::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
    ChangeSkinData();
}

void TskSkinSplitter::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Repaint();
}

void TskSkinSplitter::GetSkinData() {
    FSkinIndex = !FSkinData || FSkinData->Empty() ? -1 : FSkinData->IndexOfControlRecord(SkinDataName);
    FSkinBitmap = nullptr;
    auto* r = FSkinIndex == -1
                  ? nullptr
                  : dynamic_cast<TskDataSkinSplitterControl*>(FSkinData->ControlRecord(FSkinIndex));
    if (!r) return;
    lefttoppoint = r->lefttoppoint;
    righttoppoint = r->righttoppoint;
    leftbottompoint = r->leftbottompoint;
    skinrect = r->skinrect;
    stretcheffect = r->stretcheffect;
    FSkinBitmap = FSkinData->ActivePicture(r->pictureindex);
    gripperrect = r->gripperrect;
    grippertransparent = r->grippertransparent;
    grippertransparentcolor = r->grippertransparentcolor;
}

void TskSkinSplitter::ChangeSkinData() {
    GetSkinData();
    const bool plain = FSkinIndex == -1 || FTransparent;
    if (Align() == alTop || Align() == alBottom)
        SetHeight(plain ? DefaultSize : skinrect.Height());
    else
        SetWidth(plain ? DefaultSize : skinrect.Width());
    Repaint();
}

void TskSkinSplitter::Paint() {
    if (FTransparent || Width() < 1 || Height() < 1) return;
    GetSkinData();
    // Without a picture there is nothing to compose from: the plain splitter.
    if (FSkinIndex == -1 || !FSkinBitmap || Align() == alNone || Align() == alClient) {
        TSplitter::Paint();
        return;
    }
    TskBitmap bar;
    if (Align() == alTop || Align() == alBottom)
        ComposeHorzSkinPicture(lefttoppoint.X, skinrect.Width() - righttoppoint.X, bar, stretcheffect,
                               Width(), skinrect, *FSkinBitmap);
    else
        ComposeVertSkinPicture(lefttoppoint.Y, skinrect.Height() - leftbottompoint.Y, bar, stretcheffect,
                               Height(), skinrect, *FSkinBitmap);
    TBitmap b(bar.Width(), bar.Height());
    DrawSkin(b.Canvas(), 0, 0, bar);
    if (!IsEmptySkinRect(gripperrect))
        DrawSkinPiece(b.Canvas(), bar.Width() / 2 - gripperrect.Width() / 2,
                      bar.Height() / 2 - gripperrect.Height() / 2, *FSkinBitmap, gripperrect,
                      grippertransparent, grippertransparentcolor);
    Canvas().Draw(0, 0, &b);
}

} // namespace vd
