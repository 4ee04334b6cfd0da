#include "skin/controls/SkinLabel.h"

#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

namespace vd {

TskSkinLabel::TskSkinLabel(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    SetSkinDataName("label");
    SetBounds(0, 0, 75, 21);
}

void TskSkinLabel::SetAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Repaint();
}

void TskSkinLabel::SetAutoSize(bool Value) {
    FAutoSize = Value;
    if (Value) AdjustWidth();
}

void TskSkinLabel::SetBorderStyle(TskSkinBorderStyle Value) {
    FBorderStyle = Value;
    if (!Skinned()) {
        Repaint();
        Realign();
    }
}

void TskSkinLabel::AdjustWidth() {
    if (Align() == alTop || Align() == alBottom || Align() == alClient) return;
    const int d = CalcWidthOffset();
    if (d != 0) SetWidth(Width() + d);
}

void TskSkinLabel::MeasureFont(TCanvas& c) {
    if (FSkinIndex != -1 && FUseSkinFont)
        SetSkinFont(c.Font(), fontname, fontheight, fontstyle, fontcolor);
    else
        c.Font().Assign(FDefaultFont);
}

int TskSkinLabel::CalcWidthOffset() {
    GetSkinData();
    TBitmap probe(1, 1);
    MeasureFont(probe.Canvas());
    const int tw = probe.Canvas().TextWidth(Caption());
    // The text area is inset by 3 on each side, so the box is the text plus 6.
    if (FSkinIndex == -1) return tw - Width() + 6;
    return FFace.SkinResizeKind != 0 ? tw - FFace.CurClientRect.Width() : 0;
}

void TskSkinLabel::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* r = dynamic_cast<TskDataSkinLabelControl*>(SkinRecord());
    if (FSkinIndex == -1 || !r) return;
    fontname = r->fontname;
    fontheight = r->fontheight;
    fontstyle = r->fontstyle;
    fontcolor = r->fontcolor;
    if (FFace.SkinResizeKind == 0) FAutoSize = false;
}

void TskSkinLabel::CalcSize(int& W, int& H) {
    if (UseSkinSize || FFace.SkinResizeKind == 1) {
        TskSkinCustomControl::CalcSize(W, H);
    } else {
        const int dw = W - FFace.skinrect.Width();
        FFace.CurLeftTopPoint = FFace.lefttoppoint;
        FFace.CurRightTopPoint = {FFace.righttoppoint.X + dw, FFace.righttoppoint.Y};
        FFace.CurClientRect = FFace.clientrect;
        FFace.CurClientRect.Right += dw;
    }
    if (FAutoSize) {
        // The whole content against the client rect just laid out: a status panel's picture
        // counts as well as the caption.
        const int d = CalcWidthOffset();
        if (d > 0) W += d;
    }
}

void TskSkinLabel::SetControlRegion() {
    if (UseSkinSize) TskSkinCustomControl::SetControlRegion();
}

void TskSkinLabel::DrawLabelText(TCanvas& c, const TRect& R) {
    if (FSkinIndex != -1 && FUseSkinFont) {
        SetSkinFont(c.Font(), fontname, fontheight, fontstyle, fontcolor);
    } else {
        c.Font().Assign(FDefaultFont);
        if (FSkinIndex != -1) c.Font().SetColor(fontcolor);
    }
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    const String& text = Caption();
    const int tw = c.TextWidth(text);
    const int y = R.Top + R.Height() / 2 - c.TextHeight(text) / 2;
    const int x = FAlignment == taLeftJustify    ? R.Left
                  : FAlignment == taRightJustify ? R.Right - tw
                                                 : R.Left + R.Width() / 2 - tw / 2;
    c.Brush().Style = bsClear;
    if (!UseSkinFontColor) c.Font().SetColor(FDefaultFont.Color());
    c.TextRect(R, x, y, text);
}

void TskSkinLabel::DrawPlainFrame(TCanvas& c) {
    const TRect r{0, 0, Width(), Height()};
    FillColor(c, r, clBtnFace);
    switch (FBorderStyle) {
    case bvFrame:
        DrawFrame3D(c, r, clBtnShadow, clBtnShadow);
        break;
    case bvRaised:
        DrawFrame3D(c, r, clBtnHighlight, clBtnShadow);
        break;
    case bvLowered:
        DrawFrame3D(c, r, clBtnShadow, clBtnHighlight);
        break;
    case bvNone:
        break;
    }
}

void TskSkinLabel::CreateControlDefaultImage(TBitmap& Bitmap) {
    DrawPlainFrame(Bitmap.Canvas());
    DrawLabelText(Bitmap.Canvas(), {3, 3, Width() - 3, Height() - 3});
}

void TskSkinLabel::CreateControlSkinImage(TBitmap& Bitmap) {
    if (UseSkinSize || FFace.SkinResizeKind == 1) {
        TskSkinCustomControl::CreateControlSkinImage(Bitmap);
        DrawLabelText(Bitmap.Canvas(), FFace.CurClientRect);
        return;
    }
    TskBitmap face(Width(), Height());
    StretchSkinPicture(face, *FFace.SkinBitmap, FFace.skinrect, FFace.clientrect, true);
    DrawSkin(Bitmap.Canvas(), 0, 0, face);
    TRect r = FFace.CurClientRect;
    r.Bottom += Height() - FFace.skinrect.Height();
    DrawLabelText(Bitmap.Canvas(), r);
}

void TskSkinLabel::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_TEXTCHANGED) {
        if (FAutoSize) AdjustWidth();
        Repaint();
        return;
    }
    TskSkinCustomControl::Dispatch(Message);
}

} // namespace vd
