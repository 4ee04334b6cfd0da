#include "skin/controls/SkinGauge.h"

#include "platform/rtl/SysUtils.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vd {

TskSkinGauge::TskSkinGauge(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    SetSkinDataName("gauge");
    SetBounds(0, 0, 100, 20);
}

void TskSkinGauge::SetMinValue(int Value) {
    FMinValue = Value;
    if (FValue < FMinValue) FValue = FMinValue;
    Repaint();
}

void TskSkinGauge::SetMaxValue(int Value) {
    FMaxValue = Value;
    if (FValue > FMaxValue) FValue = FMaxValue;
    Repaint();
}

void TskSkinGauge::SetValue(int Value) {
    if (Value > FMaxValue)
        Value = FMaxValue;
    else if (Value < FMinValue)
        Value = FMinValue;
    if (Value == FValue) return;
    FValue = Value;
    Invalidate();
}

void TskSkinGauge::SetProgressText(const String& Value) {
    FProgressText = Value;
    Repaint();
}

void TskSkinGauge::SetShowProgressText(bool Value) {
    FShowProgressText = Value;
    Repaint();
}

void TskSkinGauge::SetShowPercent(bool Value) {
    FShowPercent = Value;
    Repaint();
}

double TskSkinGauge::Ratio(int Value) const {
    // 64 bits: a range as wide as the integers must not overflow. MinValue above MaxValue is
    // allowed as written, so the drawn share is clamped.
    const std::int64_t span = std::int64_t(FMaxValue) - FMinValue;
    if (span == 0) return 0.0;
    return std::clamp(double(std::int64_t(Value) - FMinValue) / double(span), 0.0, 1.0);
}

int TskSkinGauge::Percent(int Value) const {
    return static_cast<int>(std::trunc(Ratio(Value) * 100.0));
}

TRect TskSkinGauge::CalcProgressRect(const TRect& Area, int Value) const {
    const double r = Ratio(Value);
    TRect p = Area;
    if (FVertical || recordvertical)
        p.Top = Area.Bottom - static_cast<int>(std::trunc(Area.Height() * r));
    else
        p.Right = Area.Left + static_cast<int>(std::trunc(Area.Width() * r));
    return p;
}

String TskSkinGauge::ProgressCaption(int Value) const {
    String s = FShowProgressText ? FProgressText : String();
    if (FShowPercent) s += IntToStr(Percent(Value)) + "%";
    return s;
}

void TskSkinGauge::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    recordvertical = false;
    auto* r = dynamic_cast<TskDataSkinGaugeControl*>(SkinRecord());
    if (FSkinIndex == -1 || !r) return;
    progressarea = r->progressarea;
    progressrect = r->progressrect;
    beginoffset = r->beginoffset;
    endoffset = r->endoffset;
    recordvertical = r->vertical;
    fontname = r->fontname;
    fontheight = r->fontheight;
    fontstyle = r->fontstyle;
    fontcolor = r->fontcolor;
    progresstransparent = r->progresstransparent;
    progresstransparentcolor = r->progresstransparentcolor;
    progressstretch = r->progressstretch;
    if (!UseSkinSize) FFace.MaskBitmap = nullptr;
}

void TskSkinGauge::CalcSize(int& W, int& H) {
    const int askedW = W, askedH = H;
    TskSkinCustomControl::CalcSize(W, H);
    FProgressArea = progressarea;
    if (FFace.SkinResizeKind > 0) {
        if (FVertical || recordvertical)
            FProgressArea.Bottom += H - FFace.skinrect.Height();
        else
            FProgressArea.Right += W - FFace.skinrect.Width();
    }
    if (!UseSkinSize) {
        W = askedW;
        H = askedH;
    }
}

void TskSkinGauge::DrawFilled(TCanvas& c, const TRect& P) {
    const TskBitmap& src = *FFace.SkinBitmap;
    const TRect& s = progressrect;
    const bool vert = FVertical || recordvertical;
    const int len = vert ? P.Height() : P.Width();
    const int b = beginoffset, e = endoffset;
    TskBitmap out(P.Width(), P.Height());
    const int srcMid = (vert ? s.Height() : s.Width()) - b - e;
    const int dstMid = len - b - e;
    if (dstMid > 0 && srcMid > 0) {
        if (vert) {
            const TRect sm{s.Left, s.Top + b, s.Right, s.Bottom - e};
            if (progressstretch) {
                CopyRect(out, {0, b, P.Width(), b + dstMid}, src, sm);
            } else {
                // Tiles run from the bottom up; a cut tile keeps the bottom of the source.
                for (int k = 0; k * srcMid < dstMid; ++k) {
                    const int bottom = b + dstMid - k * srcMid;
                    const int top = std::max(b, bottom - srcMid);
                    CopyRect(out, {0, top, P.Width(), bottom}, src,
                             {sm.Left, sm.Bottom - (bottom - top), sm.Right, sm.Bottom});
                }
            }
        } else {
            const TRect sm{s.Left + b, s.Top, s.Right - e, s.Bottom};
            if (progressstretch) {
                CopyRect(out, {b, 0, b + dstMid, P.Height()}, src, sm);
            } else {
                for (int k = 0; k * srcMid < dstMid; ++k) {
                    const int left = b + k * srcMid;
                    const int right = std::min(b + dstMid, left + srcMid);
                    CopyRect(out, {left, 0, right, P.Height()}, src,
                             {sm.Left, sm.Top, sm.Left + (right - left), sm.Bottom});
                }
            }
        }
    }
    // The ends are drawn even when there is no middle to tile.
    if (vert) {
        CopyRect(out, {0, 0, P.Width(), b}, src, {s.Left, s.Top, s.Right, s.Top + b});
        CopyRect(out, {0, P.Height() - e, P.Width(), P.Height()}, src,
                 {s.Left, s.Bottom - e, s.Right, s.Bottom});
    } else {
        CopyRect(out, {0, 0, b, P.Height()}, src, {s.Left, s.Top, s.Left + b, s.Bottom});
        CopyRect(out, {P.Width() - e, 0, P.Width(), P.Height()}, src,
                 {s.Right - e, s.Top, s.Right, s.Bottom});
    }
    if (!progresstransparent) {
        DrawSkin(c, P.Left, P.Top, out);
        return;
    }
    TBitmap tb(out.Width(), out.Height());
    DrawSkin(tb.Canvas(), 0, 0, out);
    tb.TransparentMode = tmFixed;
    tb.SetTransparentColor(progresstransparentcolor);
    tb.SetTransparent(true);
    c.Draw(P.Left, P.Top, &tb);
}

void TskSkinGauge::CreateControlSkinImage(TBitmap& Bitmap) {
    TskSkinCustomControl::CreateControlSkinImage(Bitmap);
    int w = Width(), h = Height();
    CalcSize(w, h);
    const int value = (ControlState() & csPaintCopy) ? GetValue() : FValue;
    const TRect p = CalcProgressRect(FProgressArea, value);
    if (p.Width() > 0 && p.Height() > 0) DrawFilled(Bitmap.Canvas(), p);
    if (UseSkinSize) DrawProgressText(Bitmap.Canvas(), value, Bitmap.Width(), Bitmap.Height());
}

void TskSkinGauge::CreateControlDefaultImage(TBitmap& Bitmap) {
    TCanvas& c = Bitmap.Canvas();
    FrameAndFill(c, {0, 0, Width(), Height()}, clBtnShadow, clWindow);
    const TRect p = CalcProgressRect({1, 1, Width() - 1, Height() - 1}, FValue);
    if (p.Width() > 0 && p.Height() > 0) FillColor(c, p, clskHotFill);
    DrawProgressText(c, FValue, Width(), Height());
}

void TskSkinGauge::Paint() {
    GetSkinData();
    if (FSkinIndex == -1 || UseSkinSize) {
        TskSkinCustomControl::Paint();
        return;
    }
    if (Width() < 1 || Height() < 1) return;
    int w = Width(), h = Height();
    TskSkinCustomControl::CalcSize(w, h);
    TBitmap face(w, h);
    TskBitmap composed;
    FFace.CreateResizedSkinImage(composed, *FFace.SkinBitmap, FFace.skinrect, w, h);
    DrawSkin(face.Canvas(), 0, 0, composed);
    FProgressArea = progressarea;
    if (FFace.SkinResizeKind > 0) {
        if (FVertical || recordvertical)
            FProgressArea.Bottom += h - FFace.skinrect.Height();
        else
            FProgressArea.Right += w - FFace.skinrect.Width();
    }
    const TRect p = CalcProgressRect(FProgressArea, FValue);
    if (p.Width() > 0 && p.Height() > 0) DrawFilled(face.Canvas(), p);
    TBitmap b(Width(), Height());
    b.Canvas().StretchDraw({0, 0, Width(), Height()}, &face);
    DrawProgressText(b.Canvas(), FValue, Width(), Height());
    Canvas().Draw(0, 0, &b);
}

void TskSkinGauge::DrawProgressText(TCanvas& c, int Value, int W, int H) {
    if (FSkinIndex == -1) {
        c.Font().Assign(FDefaultFont);
    } else if (FUseSkinFont) {
        SetSkinFont(c.Font(), fontname, fontheight, fontstyle, fontcolor);
    } else {
        c.Font().Assign(FDefaultFont);
        c.Font().SetColor(fontcolor);
    }
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    const String text = ProgressCaption(Value);
    if (text.empty()) return;
    c.Brush().Style = bsClear;
    if (FVertical || recordvertical) {
        c.Font().SetOrientation(900);
        c.TextOut(W / 2 - c.TextHeight(text) / 2, c.TextWidth(text) / 2 + H / 2, text);
        c.Font().SetOrientation(0);
    } else {
        c.TextOut(W / 2 - c.TextWidth(text) / 2, H / 2 - c.TextHeight(text) / 2, text);
    }
}

} // namespace vd
