#include "skin/controls/SkinBevel.h"

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
    auto edgeLine = [&](TColor col, int x1, int y1, int x2, int y2) {
        c.Pen().Color = col;
        c.MoveTo(x1, y1);
        c.LineTo(x2, y2);
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
    case bsTopLine:
        edgeLine(first, 0, 0, w, 0);
        edgeLine(second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        edgeLine(first, 0, h - 2, w, h - 2);
        edgeLine(second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        edgeLine(first, 0, 0, 0, h);
        edgeLine(second, 1, 0, 1, h);
        break;
    case bsRightLine:
        edgeLine(first, w - 2, 0, w - 2, h);
        edgeLine(second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}

} // namespace vd
