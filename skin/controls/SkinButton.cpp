#include "skin/controls/SkinButton.h"

#include "platform/vcl/ActnList.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinActions.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinEffectBmp.h"
#include "skin/store/SkinWindowRecords.h"

namespace vd {

TskSkinButton::TskSkinButton(TComponent* AOwner) : TskSkinButtonBase(AOwner) {
    SetSkinDataName("button");
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

TskSkinButton::~TskSkinButton() {
    FMorph.Stop();
    FRepeat.Stop();
    FAnimation.Stop();
}

void TskSkinButton::SetImageIndex(int Value) {
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    Repaint();
}

void TskSkinButton::SetMargin(int Value) {
    if (Value < -1 || Value == FMargin) return;
    FMargin = Value;
    Repaint();
}

void TskSkinButton::SetGroupIndex(int Value) {
    FGroupIndex = Value;
    if (Value != 0) SetCanFocused(false);
}

void TskSkinButton::SetCanFocused(bool Value) {
    FCanFocused = Value;
    SetTabStop(Value);
}

bool TskSkinButton::CanAnimate() const {
    return Skinned() && FSkinData && FSkinData->EnableSkinEffects && !IsEmptySkinRect(animateskinrect);
}

bool TskSkinButton::FocusedLook() const {
    return FCanFocused && HandleAllocated() && Focused();
}

bool TskSkinButton::DownLook() const {
    return FDown && ((FHot || (FocusedLook() && !FMousePressed)) || FGroupIndex != 0);
}

bool TskSkinButton::React() const {
    return FGroupIndex != 0 ? !FDown : (!FocusedLook() || FDown);
}

bool TskSkinButton::StaysHot() const {
    return FDefault && FCanFocused && FActiveDefault && !Focused();
}

void TskSkinButton::SetDefault(bool Value) {
    FDefault = Value;
    if (!HandleAllocated() || !FCanFocused) return;
    if (TCustomForm* f = GetParentForm(this))
        f->Perform(CM_FOCUSCHANGED, 0, LPARAM(reinterpret_cast<std::intptr_t>(f->ActiveControl())));
}

void TskSkinButton::ButtonClick() {
    if (FCanFocused)
        if (auto* f = dynamic_cast<TCustomForm*>(GetParentForm(this))) f->SetModalResult(ModalResult);
    TskSkinButtonBase::ButtonClick();
}

void TskSkinButton::ActionChange(TBasicAction* Sender) {
    TskSkinButtonBase::ActionChange(Sender);
    if (TakeActionGlyph(Sender, FGlyph)) Repaint();
}

void TskSkinButton::CreateWnd() {
    TskSkinButtonBase::CreateWnd();
    FActiveDefault = FDefault;
}

void TskSkinButton::GetSkinData() {
    TskSkinButtonBase::GetSkinData();
    if (FSkinIndex == -1) {
        animateskinrect = {};
        return;
    }
    auto* r = dynamic_cast<TskDataSkinButtonControl*>(SkinRecord());
    if (!r) return;
    if (!UseSkinSize) FFace.MaskBitmap = nullptr;
    ReadButtonRecord(*r);
    showfocus = r->showfocus;
    if (FSkinData->EnableSkinEffects) ShowAnimationFrame(FAnimation, FFace.skinrect);
}

void TskSkinButton::ChangeSkinData() {
    FMorph.Reset();
    FAnimation.Stop();
    TskSkinButtonBase::ChangeSkinData();
    if (CanMorph() && Skinned() && (FocusedLook() || FHot)) FMorph.SetFactor(1.0);
}

void TskSkinButton::DrawContent(TCanvas& c, const TRect& R, bool Pressed, bool IsDown, bool IsActive) {
    if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count())
        DrawImageAndText(c, R, FMargin, Spacing, Layout, Caption(), FImageIndex, FImageList, Pressed,
                         Enabled());
    else
        DrawGlyphAndText(c, R, FMargin, Spacing, Layout, Caption(), &FGlyph, FNumGlyphs,
                         GlyphFrame(IsDown, IsActive), Pressed);
}

void TskSkinButton::CreateButtonImage(TBitmap& Bitmap, const TRect& StateRect, bool IsDown, bool IsActive) {
    TCanvas& c = Bitmap.Canvas();
    const TRect content = DrawButtonFace(Bitmap, StateRect, IsDown, IsActive);
    if (showfocus && HandleAllocated() && Focused()) {
        c.Brush().Style = bsSolid;
        c.Brush().Color = FSkinData->SkinColors().cbtnface;
        c.DrawFocusRect(content);
    }
    DrawContent(c, content, IsDown && IsActive, IsDown, IsActive);
}

void TskSkinButton::Paint() {
    GetSkinData();
    if (FSkinIndex == -1) {
        TskSkinButtonBase::Paint();
        return;
    }
    if (Width() < 1 || Height() < 1) return;
    if (CanMorph() && FMorph.Between() && Enabled()) {
        PaintMorph();
        return;
    }
    TBitmap b(Width(), Height());
    if (!Enabled() && !IsEmptySkinRect(disabledskinrect))
        CreateButtonImage(b, disabledskinrect, false, false);
    else if (DownLook())
        CreateButtonImage(b, downskinrect, true, true);
    else if (FocusedLook() || FHot || (CanMorph() && FMorph.Factor() == 1.0))
        CreateButtonImage(b, activeskinrect, false, true);
    else
        CreateButtonImage(b, FFace.skinrect, false, false);
    Canvas().Draw(0, 0, &b);
}

void TskSkinButton::CreateControlDefaultImage(TBitmap& Bitmap) {
    TCanvas& c = Bitmap.Canvas();
    const TRect r{0, 0, Bitmap.Width(), Bitmap.Height()};
    const bool down = DownLook();
    if (down)
        FrameAndFill(c, r, clskNavy, clskPressedFill);
    else if (FHot || FocusedLook())
        FrameAndFill(c, r, clskNavy, clskHotFill);
    else
        FrameAndFill(c, r, clBtnShadow, clBtnFace);
    SetPlainFont(c.Font());
    if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count())
        DrawImageAndText(c, r, FMargin, Spacing, Layout, Caption(), FImageIndex, FImageList, FDown && FHot,
                         Enabled());
    else
        DrawGlyphAndText(c, r, FMargin, Spacing, Layout, Caption(), &FGlyph, FNumGlyphs,
                         GlyphFrame(FDown, FHot), down);
}

void TskSkinButton::ChangeState() {
    if (CanMorph() && Skinned())
        FMorph.Start();
    else
        Repaint();
}

void TskSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) Release();
    // A click may have closed the form.
    if (HandleAllocated() && Visible()) TskSkinButtonBase::MouseUp(Button, Shift, X, Y);
}

void TskSkinButton::WndProc(TMessage& Message) {
    if (!FCanFocused) {
        TskSkinButtonBase::WndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (Message.WParam == VK_SPACE) {
            GetSkinData();
            if (CanAnimate()) FAnimation.Stop();
            SetDown(true);
            if (RepeatMode) ButtonClick();
        } else if (Message.WParam == VK_RETURN) {
            ButtonClick();
        }
        break;
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE) {
            SetDown(false);
            ButtonClick();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!Designing() && !Focused()) {
            FTakingFocus = true;
            SetFocus();
            FTakingFocus = false;
            if (!Focused()) return;
        }
        break;
    default:
        break;
    }
    TskSkinButtonBase::WndProc(Message);
}

void TskSkinButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGKEY:
        if (Message.WParam == VK_RETURN && FActiveDefault && Enabled()) {
            ButtonClick();
            Message.Result = 1;
            return;
        }
        if (Message.WParam == VK_ESCAPE && Cancel && FCanFocused && GetKeyState(VK_SHIFT) >= 0 &&
            CanFocus()) {
            ButtonClick();
            Message.Result = 1;
            return;
        }
        TskSkinButtonBase::Dispatch(Message);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(unsigned(Message.WParam), Caption()) && CanFocus() && FCanFocused) {
            SetFocus();
            ButtonClick();
            Message.Result = 1;
            return;
        }
        TskSkinButtonBase::Dispatch(Message);
        return;
    case CM_FOCUSCHANGED: {
        auto* sender = reinterpret_cast<TControl*>(Message.LParam);
        auto* senderButton = dynamic_cast<TskSkinButton*>(sender);
        FActiveDefault = senderButton ? senderButton == this : FDefault;
        if (FCanFocused && FDefault) {
            if (senderButton && senderButton != this && FHot) {
                FHot = false;
                ChangeState();
            } else if (!senderButton && !FHot) {
                if (CanMorph()) FMorph.SetFactor(1.0);
                FHot = true;
                ChangeState();
            }
        }
        TskSkinButtonBase::Dispatch(Message);
        return;
    }
    case WM_SETFOCUS:
        TskSkinButtonBase::Dispatch(Message);
        if (FCanFocused) {
            StartAnimation(true);
            ChangeState();
        }
        return;
    case WM_KILLFOCUS:
        if (RepeatMode) FRepeat.Stop();
        if (FGroupIndex == 0 && FDown) FDown = false;
        TskSkinButtonBase::Dispatch(Message);
        if (FCanFocused) {
            StartAnimation(false);
            ChangeState();
        }
        return;
    default:
        TskSkinButtonBase::Dispatch(Message);
    }
}

} // namespace vd
