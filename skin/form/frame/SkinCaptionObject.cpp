#include "skin/form/frame/SkinCaptionObject.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/store/SkinDraw.h"
#include "skin/store/SkinEffectBmp.h"
#include "skin/store/SkinObjectRecords.h"

namespace vd {

namespace {

COLORREF Rgb(TskColor c) {
    return COLORREF(ColorToRGB(TColor(c))) & 0xFFFFFF;
}

// A bitmap selected into a memory context for drawing text on a skin picture, read back after.
class TStripCanvas {
public:
    explicit TStripCanvas(const TskBitmap& picture)
        : FBitmap(CreateSkinBitmapHandle(picture)), FDC(CreateCompatibleDC(nullptr)) {
        if (FBitmap && FDC) FOld = SelectObject(FDC.Get(), FBitmap.Get());
    }
    ~TStripCanvas() {
        if (FOld) SelectObject(FDC.Get(), FOld);
    }
    TStripCanvas(const TStripCanvas&) = delete;
    TStripCanvas& operator=(const TStripCanvas&) = delete;
    HDC DC() const { return FOld ? FDC.Get() : nullptr; }
    TskEffectBmp Effect() const { return TskEffectBmp::CreateFromBitmapHandle(FBitmap.Get()); }

private:
    UniqueBitmap FBitmap;
    UniqueDC FDC;
    HGDIOBJ FOld = nullptr;
};

} // namespace

TskSkinCaptionObject::TskSkinCaptionObject(TskSkinForm* frame, const TskDataSkinCaption* record)
    : TskActiveSkinObject(frame, record) {
    if (!record) return;
    fontname = record->fontname;
    fontstyle = record->fontstyle;
    fontheight = record->fontheight;
    fontcolor = record->fontcolor;
    activefontcolor = record->activefontcolor;
    shadow = record->shadow;
    shadowcolor = record->shadowcolor;
    activeshadowcolor = record->activeshadowcolor;
    light = record->light;
    lightcolor = record->lightcolor;
    activelightcolor = record->activelightcolor;
    alignment = record->alignment;
    textrect = record->textrect;
    framerect = record->framerect;
    activeframerect = record->activeframerect;
    frametextrect = record->frametextrect;
    frameleftoffset = record->frameleftoffset;
    framerightoffset = record->framerightoffset;
    fullframe = record->fullframe;
    stretcheffect = record->stretcheffect;
    animateskinrect = record->animateskinrect;
    framecount = record->framecount;
    animateinterval = record->animateinterval;
    inactiveanimation = record->inactiveanimation;
}

void TskSkinCaptionObject::MouseDown(int X, int Y, TMouseButton Button) {
    OwnerFrame->DoObjectMouseDown(*this, X, Y, Button);
}

void TskSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button) {
    OwnerFrame->DoObjectMouseUp(*this, X, Y, Button);
}

void TskSkinCaptionObject::MouseEnter() {
    MouseInside = true;
    OwnerFrame->DoObjectMouseEnter(*this);
}

void TskSkinCaptionObject::MouseLeave() {
    MouseInside = false;
    OwnerFrame->DoObjectMouseLeave(*this);
}

bool TskSkinCaptionObject::CanAnimate() const {
    const TskSkinData* skin = OwnerFrame->SkinData();
    return skin && !skin->Empty() && skin->EnableSkinEffects && !IsEmptySkinRect(animateskinrect) &&
           framecount > 0;
}

bool TskSkinCaptionObject::DoAnimationStep() {
    if (!CanAnimate()) return false;
    if (AnimationElapsed < animateinterval) {
        AnimationElapsed += 25;
        return true;
    }
    bool stepped = false;
    if (IsActive && AnimationFrame <= framecount) {
        ++AnimationFrame;
        stepped = true;
    } else if (!IsActive && AnimationFrame > 0) {
        --AnimationFrame;
        stepped = true;
    }
    if (!stepped) return false;
    OwnerFrame->DrawSkinObject(this);
    AnimationElapsed = 25;
    return true;
}

String TskSkinCaptionObject::CaptionText() const {
    TCustomForm* form = OwnerFrame->Form();
    if (!form) return String();
    String text = form->Caption();
    if (form->FormStyle() == fsMDIForm)
        if (TskSkinForm* child = GetMaximizedChildSkinForm()) text += " - [" + child->Form()->Caption() + "]";
    return text;
}

TRect TskSkinCaptionObject::AnimationFrameRect(int N) const {
    const TRect& a = animateskinrect;
    if (framecount <= 0) return TRect();
    if (skinrect.Height() < a.Height()) {
        const int h = a.Height() / framecount;
        return {a.Left, a.Top + (N - 1) * h, a.Right, a.Top + N * h};
    }
    const int w = a.Width() / framecount;
    return {a.Left + (N - 1) * w, a.Top, a.Left + N * w, a.Bottom};
}

TRect TskSkinCaptionObject::TextRect() const {
    TRect r = textrect;
    if (!IsEmptySkinRect(r)) r.Right = ObjectRect.Width() - (skinrect.Width() - textrect.Right);
    if (!IsEmptySkinRect(framerect)) {
        r.Left += frametextrect.Left;
        r.Top += frametextrect.Top;
        r.Right -= framerect.Width() - frametextrect.Right;
    }
    return r;
}

void TskSkinCaptionObject::SelectCaptionFont(TFont& font) const {
    font.SetName(fontname);
    font.SetHeight(fontheight);
    font.SetStyle(fontstyle);
    // The skin's character set (its string table's), else the unskinned caption font's.
    font.SetCharset(SkinCharSet(OwnerFrame->SkinData(), OwnerFrame->DefCaptionFont()));
}

void TskSkinCaptionObject::DrawCaptionText(HDC dc, int X0, int Y0, bool ActiveColours) const {
    String text = CaptionText();
    if (text.empty() || IsEmptySkinRect(textrect)) return;
    const TRect tr = TextRect();
    TFont font;
    SelectCaptionFont(font);
    SelectGuard fontGuard(dc, font.Handle());
    FitWideTextToWidth(dc, text, tr.Width());
    const int tw = WideTextWidth(dc, text), th = WideTextHeight(dc, text);
    int y = tr.Top + tr.Height() / 2 - th / 2;
    int x = alignment == TskAlignment::LeftJustify    ? tr.Left
            : alignment == TskAlignment::RightJustify ? tr.Right - tw
                                                      : tr.Left + tr.Width() / 2 - tw / 2;
    x += X0;
    y += Y0;
    SetBkMode(dc, TRANSPARENT);
    if (!IsEmptySkinRect(framerect) && ObjectPicture) {
        const TRect& src = ActiveColours && !IsEmptySkinRect(activeframerect) ? activeframerect : framerect;
        const int w = fullframe ? ObjectRect.Width() - 2 * OwnerFrame->Metrics().ButtonsOffset
                                : framerect.Width() + tw - frametextrect.Width();
        if (w > 0) {
            TskBitmap pic;
            ComposeHorzSkinPicture(frameleftoffset, framerightoffset, pic, false, w, src, *ObjectPicture);
            const int px = fullframe ? X0 + OwnerFrame->Metrics().ButtonsOffset : x - frametextrect.Left;
            DrawSkinBitmap(dc, px, y - frametextrect.Top, pic);
        }
    }
    auto out = [&](int dx, int dy, TskColor colour) {
        SetTextColor(dc, Rgb(colour));
        TRect r{x + dx, y + dy, x + dx, y + dy};
        DrawTextWide(dc, text, r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        DrawTextWide(dc, text, r, DT_VCENTER | DT_NOPREFIX | DT_SINGLELINE);
    };
    if (light) out(-1, -1, ActiveColours ? activelightcolor : lightcolor);
    if (shadow) out(1, 1, ActiveColours ? activeshadowcolor : shadowcolor);
    out(0, 0, ActiveColours ? activefontcolor : fontcolor);
}

TskBitmap TskSkinCaptionObject::Strip(const TskBitmap* picture, const TRect& src) const {
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    TskBitmap b(w, h);
    if (!picture || IsEmptySkinRect(src) || w <= 0 || h <= 0) return b;
    const TskSkinData* skin = OwnerFrame->SkinData();
    const int left = skin ? IntMax(0, skin->lefttoppoint.X - skinrect.Left) : 0;
    const int right = skin ? IntMax(0, skinrect.Right - skin->righttoppoint.X) : 0;
    if (left != 0 || right != 0) {
        TskBitmap composed;
        ComposeHorzSkinPicture(left, right, composed, stretcheffect, w, src, *picture);
        CopyRect(b, {0, 0, w, h}, composed, {0, 0, composed.Width(), composed.Height()});
    } else {
        CopyRect(b, {0, 0, w, h}, *picture, src);
    }
    return b;
}

void TskSkinCaptionObject::DrawStrip(HDC dc, TskBitmap& strip, bool ActiveColours,
                                     bool inactiveEffect) const {
    if (strip.Empty()) return;
    TStripCanvas canvas(strip);
    if (!canvas.DC()) return;
    DrawCaptionText(canvas.DC(), 0, 0, ActiveColours);
    TskEffectBmp e = canvas.Effect();
    const TskSkinData* skin = OwnerFrame->SkinData();
    if (inactiveEffect && skin && skin->autorenderinginactiveimage) e.ApplyImageEffect(skin->inactiveeffect);
    e.Draw(dc, ObjectRect.Left, ObjectRect.Top);
}

void TskSkinCaptionObject::Draw(HDC dc, bool UpdateNow) {
    (void)UpdateNow;
    if (ObjectRect.Width() <= 0 || ObjectRect.Height() <= 0) return;
    if (CanAnimate() && AnimationFrame > 0 && AnimationFrame <= framecount) {
        TskBitmap s = Strip(ObjectPicture, AnimationFrameRect(AnimationFrame));
        DrawStrip(dc, s, !IsActive, false);
        return;
    }
    const bool morphing = CanMorph() && ((MorphFactor > 0 && !IsActive) || (MorphFactor < 1 && IsActive));
    if (morphing) {
        TskBitmap normal = Strip(FramePicture, skinrect), active = Strip(ObjectPicture, activeskinrect);
        TStripCanvas a(normal), b(active);
        if (!a.DC() || !b.DC()) return;
        DrawCaptionText(a.DC(), 0, 0, false);
        DrawCaptionText(b.DC(), 0, 0, true);
        TskEffectBmp e = a.Effect();
        e.MorphByKind(morphkind, b.Effect(), MorphFactor);
        const TskSkinData* skin = OwnerFrame->SkinData();
        if (skin && skin->autorenderinginactiveimage && !IsActive) e.ApplyImageEffect(skin->inactiveeffect);
        e.Draw(dc, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    if (IsEmptySkinRect(activeskinrect) || (!IsActive && !CanMorph() && !stretcheffect && !CanAnimate())) {
        DrawCaptionText(dc, ObjectRect.Left, ObjectRect.Top, IsActive);
        return;
    }
    if (!IsActive) {
        TskBitmap s = Strip(FramePicture, skinrect);
        DrawStrip(dc, s, false, true);
        return;
    }
    TskBitmap s = Strip(ObjectPicture, activeskinrect);
    DrawStrip(dc, s, true, false);
}

} // namespace vd
