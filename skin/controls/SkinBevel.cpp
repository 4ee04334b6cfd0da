#include "skin/controls/SkinBevel.h"

#include "platform/vcl/BevelLines.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/core/SkinData.h"
#include "skin/store/SkinControlRecords.h"

namespace vd {

TskSkinBevel::TskSkinBevel(TComponent* AOwner) : TBevel(AOwner) {}

void TskSkinBevel::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
    ChangeSkinData();
}

void TskSkinBevel::SetDividerMode(bool Value) {
    FDividerMode = Value;
    Repaint();
}

void TskSkinBevel::ChangeSkinData() {
    FSkinIndex = !FSkinData || FSkinData->Empty() ? -1 : FSkinData->IndexOfControlRecord(SkinDataName);
    if (FSkinIndex == -1) {
        FLight = clBtnHighlight;
        FDark = clBtnShadow;
    } else if (auto* r = dynamic_cast<TskDataSkinBevel*>(FSkinData->ControlRecord(FSkinIndex))) {
        FLight = r->lightcolor;
        FDark = r->darkcolor;
    }
    Repaint();
}

void TskSkinBevel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TBevel::SetBounds(ALeft, SkinToolBarTop(this, ATop, AHeight), AWidth, AHeight);
}

void TskSkinBevel::Paint() {
    TCanvas& c = Canvas();
    const int w = Width(), h = Height();
    const TColor first = FStyle == bsLowered ? FDark : FLight;
    const TColor second = FStyle == bsLowered ? FLight : FDark;
    c.Pen().Style = psSolid;
    c.Pen().Mode = pmCopy;
    c.Pen().Width = 1;
    auto edgeRect = [&](int l, int t, int r, int b, TColor c1, TColor c2) {
        c.Pen().Color = c1;
        c.MoveTo(l, b);
        c.LineTo(l, t);
        c.LineTo(r, t);
        c.Pen().Color = c2;
        c.LineTo(r, b);
        c.LineTo(l, b);
    };
    if (FDividerMode) {
        if (FShape == bsTopLine || FShape == bsBottomLine)
            edgeRect(2, h / 2 - 1, w - 2, h / 2, first, second);
        else if (FShape != bsSpacer)
            edgeRect(w / 2 - 1, 2, w / 2, h - 2, first, second);
        return;
    }
    switch (FShape) {
    case bsBox:
        edgeRect(0, 0, w - 1, h - 1, first, second);
        break;
    case bsFrame:
        edgeRect(1, 1, w - 1, h - 1, second, second);
        edgeRect(0, 0, w - 2, h - 2, first, first);
        break;
    default:
        DrawBevelLines(c, FShape, w, h, first, second);
        break;
    }
}

} // namespace vd
