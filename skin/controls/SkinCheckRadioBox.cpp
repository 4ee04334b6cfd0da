#include "skin/controls/SkinCheckRadioBox.h"

#include "platform/vcl/ActnList.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinActions.h"
#include "skin/controls/SkinHoverLook.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/core/SkinParentBackground.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinEffectBmp.h"
#include "skin/store/SkinWindowRecords.h"

namespace vd {

namespace {
TRect Or(const TRect& r, const TRect& fallback) {
    return IsEmptySkinRect(r) ? fallback : r;
}
} // namespace

TskSkinCheckRadioBox::TskSkinCheckRadioBox(TComponent* AOwner)
    : TskSkinCustomControl(AOwner),
      FMorph([this] { return FMouseIn || FocusedLook(); }, [this] { return Skinned() && CanMorph(); },
             [this] { Repaint(); }) {
    SetSkinDataName("checkbox");
    SetBounds(0, 0, 150, 25);
    SetTabStop(false);
}

void TskSkinCheckRadioBox::SetAllowGrayed(bool Value) {
    FAllowGrayed = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetChecked(bool Value) {
    FChecked = Value;
    if (Value)
        FState = cbChecked;
    else if (FState == cbChecked)
        FState = cbUnchecked;
    Repaint();
    if (FChecked && GroupIndex != 0) UncheckGroup();
    if (!FRadio || FChecked) FireClick();
}

void TskSkinCheckRadioBox::SetState(TCheckBoxState Value) {
    FState = Value;
    FChecked = Value == cbChecked;
    Repaint();
    FireClick();
}

void TskSkinCheckRadioBox::FireClick() {
    if (!FClicksDisabled) ClickOrExecute(this, OnClick, Action());
}

void TskSkinCheckRadioBox::ActionChange(TBasicAction* Sender) {
    TskSkinCustomControl::ActionChange(Sender);
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (!action) return;
    // The action's own state coming in is no click: it must not execute the action again.
    FClicksDisabled = true;
    SetChecked(action->Checked());
    FClicksDisabled = false;
}

void TskSkinCheckRadioBox::SetRadio(bool Value) {
    FRadio = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetImages(TCustomImageList* Value) {
    FImages = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetImageIndex(int Value) {
    FImageIndex = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetFlat(bool Value) {
    FFlat = Value;
    // A face of its own has the skin's size and shape, which the flat look ignored.
    if (!Value && Skinned())
        ChangeSkinData();
    else
        Repaint();
}

void TskSkinCheckRadioBox::SetCanFocused(bool Value) {
    FCanFocused = Value;
    SetTabStop(Value);
}

void TskSkinCheckRadioBox::DoClick() {
    if (!FRadio)
        SetChecked(!FChecked);
    else if (!FChecked)
        SetChecked(true);
}

void TskSkinCheckRadioBox::UncheckGroup() {
    TWinControl* p = Parent();
    if (!p) return;
    for (int i = 0; i < p->ControlCount(); ++i) {
        auto* b = dynamic_cast<TskSkinCheckRadioBox*>(p->Controls(i));
        if (b && b != this && b->GroupIndex == GroupIndex && b->FChecked) b->SetChecked(false);
    }
}

bool TskSkinCheckRadioBox::CanMorph() const {
    return morphing && FSkinData && !FSkinData->Empty() && FSkinData->EnableSkinEffects;
}

void TskSkinCheckRadioBox::StateChanged() {
    if (CanMorph() && Skinned()) {
        FMorph.Start();
    } else {
        Repaint();
    }
}

void TskSkinCheckRadioBox::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* r = dynamic_cast<TskDataSkinCheckRadioControl*>(SkinRecord());
    if (FSkinIndex == -1 || !r) return;
    fontname = r->fontname;
    fontheight = r->fontheight;
    fontstyle = r->fontstyle;
    fontcolor = r->fontcolor;
    activefontcolor = r->activefontcolor;
    unenabledfontcolor = r->unenabledfontcolor;
    framefontcolor = r->framefontcolor;
    activeskinrect = Or(r->activeskinrect, r->skinrect);
    checkimagearea = r->checkimagearea;
    textarea = r->textarea;
    checkimagerect = r->checkimagerect;
    uncheckimagerect = r->uncheckimagerect;
    activecheckimagerect = Or(r->activecheckimagerect, checkimagerect);
    activeuncheckimagerect = Or(r->activeuncheckimagerect, uncheckimagerect);
    unenabledcheckimagerect = Or(r->unenabledcheckimagerect, checkimagerect);
    unenableduncheckimagerect = Or(r->unenableduncheckimagerect, uncheckimagerect);
    morphing = r->morphing;
    morphkind = r->morphkind;
    if (FFlat) {
        morphing = false;
        FFace.MaskBitmap = nullptr;
    }
}

void TskSkinCheckRadioBox::ChangeSkinData() {
    if (!FFlat) {
        TskSkinCustomControl::ChangeSkinData();
        return;
    }
    GetSkinData();
    Repaint();
}

void TskSkinCheckRadioBox::CalcSize(int& W, int& H) {
    if (FFlat) return;
    TskSkinCustomControl::CalcSize(W, H);
    const int g = W - FFace.skinrect.Width();
    FCaptionRect = textarea;
    FCaptionRect.Right += g;
    TRect area = checkimagearea;
    if (area.Right > textarea.Right) area = {area.Left + g, area.Top, area.Right + g, area.Bottom};
    const int iw = checkimagerect.Width(), ih = checkimagerect.Height();
    FCheckImageRect.Left = area.Left + area.Width() / 2 - iw / 2;
    FCheckImageRect.Top = area.Top + area.Height() / 2 - ih / 2;
    FCheckImageRect.Right = FCheckImageRect.Left + iw;
    FCheckImageRect.Bottom = FCheckImageRect.Top + ih;
}

TRect TskSkinCheckRadioBox::CheckImage() const {
    const bool on = FState != cbUnchecked;
    if (!Enabled()) return on ? unenabledcheckimagerect : unenableduncheckimagerect;
    if (FMouseIn) return on ? activecheckimagerect : activeuncheckimagerect;
    return on ? checkimagerect : uncheckimagerect;
}

namespace {

// The check image with its bottom-left colour left out; lightened for the grayed state.
void DrawCheckImage(TCanvas& c, int x, int y, const TskBitmap& picture, const TRect& src, bool grayed) {
    TskBitmap piece = CutSkin(picture, src);
    if (piece.Empty()) return;
    if (grayed) {
        const TskColor key = piece.TransparentColor();
        TskEffectBmp e = TskEffectBmp::CreateFromBitmap(piece);
        e.Brightness(0.5);
        piece = e.ToBitmap();
        piece.SetPixel(0, piece.Height() - 1, key);
    }
    TBitmap b(piece.Width(), piece.Height());
    DrawSkin(b.Canvas(), 0, 0, piece);
    b.TransparentMode = tmAuto;
    b.SetTransparent(true);
    c.Draw(x, y, &b);
}

} // namespace

void TskSkinCheckRadioBox::CaptionFont(TCanvas& c) {
    if (Skinned() && FUseSkinFont)
        SetSkinFont(c.Font(), fontname, fontheight, fontstyle, fontcolor);
    else
        c.Font().Assign(FDefaultFont);
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
}

void TskSkinCheckRadioBox::DrawSkinFace(TBitmap& Bitmap, const TRect& Face, bool Active) {
    CreateResizedSkinImage(Bitmap, *FFace.SkinBitmap, Face);
    TCanvas& c = Bitmap.Canvas();
    const TRect img = CheckImage();
    DrawCheckImage(c, FCheckImageRect.Left,
                   FCheckImageRect.Top + FCheckImageRect.Height() / 2 - img.Height() / 2, *FFace.SkinBitmap,
                   img, FState == cbGrayed);
    CaptionFont(c);
    c.Font().SetColor(!Enabled() ? unenabledfontcolor : Active ? activefontcolor : fontcolor);
    c.Brush().Style = bsClear;
    TRect r = FCaptionRect;
    c.DrawText(Caption(), r, DT_SINGLELINE | DT_VCENTER);
}

void TskSkinCheckRadioBox::DrawBoxAndMark(TCanvas& c, int H) {
    FrameColor(c, {3, H / 2 - 7, 17, H / 2 + 7}, FMouseIn ? clskNavy : clBtnShadow);
    if (FState == cbGrayed && !FRadio) {
        DrawCheckMark(c.Handle(), 7, H / 2 - 4, clGrayText);
    } else if (FState == cbChecked) {
        const TColor col = Enabled() ? clBlack : clBtnShadow;
        if (FRadio)
            DrawRadioMark(c.Handle(), 7, H / 2 - 3, col);
        else
            DrawCheckMark(c.Handle(), 7, H / 2 - 4, col);
    }
}

void TskSkinCheckRadioBox::DrawFlat(TCanvas& c) {
    const int H = Height();
    const bool skinned = Skinned();
    CaptionFont(c);
    c.Brush().Style = bsClear;
    TRect m{0, 0, 0, 0};
    if (!Caption().empty()) c.DrawText(Caption(), m, DT_CALCRECT | DT_SINGLELINE);
    const int x = skinned ? checkimagerect.Width() + 7 : 22;
    TRect cap{x, H / 2 - m.Height() / 2, x + m.Width(), H / 2 - m.Height() / 2 + m.Height()};
    if (cap.Right > Width() - 2) cap.Right = Width() - 2;
    TRect imageRect;
    if (FImages && FImageIndex >= 0 && FImageIndex < FImages->Count()) {
        imageRect = {cap.Left, H / 2 - FImages->Height() / 2, cap.Left + FImages->Width(),
                     H / 2 - FImages->Height() / 2 + FImages->Height()};
        FImages->Draw(c, imageRect.Left, imageRect.Top, FImageIndex, Enabled());
        cap.Left += FImages->Width() + 5;
        cap.Right += FImages->Width() + 5;
    }
    if (skinned) {
        const TRect img = CheckImage();
        DrawCheckImage(c, 3, H / 2 - checkimagerect.Height() / 2, *FFace.SkinBitmap, img, FState == cbGrayed);
        c.Font().SetColor(Enabled() ? framefontcolor : unenabledfontcolor);
    } else {
        if (!Enabled()) c.Font().SetColor(clBtnShadow);
        DrawBoxAndMark(c, H);
    }
    c.Brush().Style = bsClear;
    c.DrawText(Caption(), cap, DT_SINGLELINE | DT_VCENTER);
    if (FocusedLook()) {
        c.Brush().Style = bsSolid;
        c.Brush().Color = skinned ? FSkinData->SkinColors().cbtnface : clBtnFace;
        if (!Caption().empty())
            c.DrawFocusRect({cap.Left - 2, cap.Top - 1, cap.Right + 3, cap.Bottom + 1});
        else if (imageRect.Width() != 0)
            c.DrawFocusRect(
                {imageRect.Left - 1, imageRect.Top - 1, imageRect.Right + 1, imageRect.Bottom + 1});
    }
}

void TskSkinCheckRadioBox::CreateControlDefaultImage(TBitmap& Bitmap) {
    TskSkinCustomControl::CreateControlDefaultImage(Bitmap);
    TCanvas& c = Bitmap.Canvas();
    if (FocusedLook() || FMouseIn) FrameColor(c, {0, 0, Width(), Height()}, clBtnShadow);
    CaptionFont(c);
    if (!Enabled()) c.Font().SetColor(clBtnShadow);
    DrawBoxAndMark(c, Height());
    c.Brush().Style = bsClear;
    TRect r{19, 0, Width(), Height()};
    c.DrawText(Caption(), r, DT_SINGLELINE | DT_VCENTER);
}

void TskSkinCheckRadioBox::Paint() {
    GetSkinData();
    if (Width() < 1 || Height() < 1) return;
    TBitmap b(Width(), Height());
    if (FFlat) {
        PaintParentBackground(this, b.Canvas().Handle());
        DrawFlat(b.Canvas());
    } else if (!Skinned()) {
        TskSkinCustomControl::Paint();
        return;
    } else {
        int w = Width(), h = Height();
        CalcSize(w, h);
        if (CanMorph() && FMorph.Between()) {
            TBitmap active(Width(), Height());
            DrawSkinFace(b, FFace.skinrect, false);
            DrawSkinFace(active, activeskinrect, true);
            TskEffectBmp from = TskEffectBmp::CreateFromBitmapHandle(b.Handle());
            from.MorphByKind(morphkind, TskEffectBmp::CreateFromBitmapHandle(active.Handle()),
                             FMorph.Factor());
            from.Draw(Canvas().Handle(), 0, 0);
            return;
        }
        const bool active = FMouseIn || FocusedLook();
        DrawSkinFace(b, active ? activeskinrect : FFace.skinrect, active);
    }
    Canvas().Draw(0, 0, &b);
}

void TskSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!FMouseIn) {
        FMouseIn = true;
        StateChanged();
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FMouseIn) return;
    if (FAllowGrayed && !FRadio && FState == cbUnchecked)
        SetState(cbGrayed);
    else
        DoClick();
}

void TskSkinCheckRadioBox::WndProc(TMessage& Message) {
    if (FCanFocused) {
        if (Message.Msg == WM_KEYUP && Message.WParam == VK_SPACE && Focused()) DoClick();
        if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !Focused() &&
            !Designing()) {
            FClickFocusing = true;
            SetFocus();
            FClickFocusing = false;
            if (!Focused()) return;
        }
    }
    TskSkinCustomControl::WndProc(Message);
}

void TskSkinCheckRadioBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGCHAR:
        if (IsAccel(unsigned(Message.WParam), Caption()) && CanFocus() && FCanFocused) {
            SetFocus();
            DoClick();
            Message.Result = 1;
            return;
        }
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TskSkinCustomControl::Dispatch(Message);
        if (Designing()) return;
        FMouseIn = Message.Msg == CM_MOUSEENTER;
        StateChanged();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        if (FCanFocused) {
            if (FFlat)
                Invalidate();
            else
                StateChanged();
        }
        return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        HoverLookChanged(*this, Message.Msg, FMorph, CanMorph(), FMouseIn);
        return;
    case WM_MOVE:
        TskSkinCustomControl::Dispatch(Message);
        if (FFlat) Invalidate();
        return;
    default:
        break;
    }
    TskSkinCustomControl::Dispatch(Message);
}

} // namespace vd
