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

#include <algorithm>

namespace vd {

TskSkinButton::TskSkinButton(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), TskButtonLook(this),
      FMorph([this] { return FHot || FocusedLook(); }, [this] { return Skinned() && MorphOn(); },
             [this] { Repaint(); }),
      FAnimation([this] { Repaint(); }) {
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

bool TskSkinButton::MorphOn() const {
    return morphing && FSkinData && !FSkinData->Empty() && FSkinData->EnableSkinEffects;
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

int TskSkinButton::GlyphFrame(bool IsDown, bool IsActive) const {
    return GlyphFrameOf(FNumGlyphs, Enabled(), IsDown, IsActive);
}

void TskSkinButton::SetDown(bool Value) {
    FDown = Value;
    if (MorphOn()) {
        FMorph.SetFactor(1.0);
        if (Value)
            FMorph.Stop();
        else
            FMorph.Start();
    }
    Repaint();
    if (FGroupIndex != 0 && FDown && !AllowAllUp && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* b = dynamic_cast<TskSkinButton*>(Parent()->Controls(i));
            if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) b->SetDown(false);
        }
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
    ClickOrExecute(this, OnClick, Action());
}

void TskSkinButton::ActionChange(TBasicAction* Sender) {
    TskSkinCustomControl::ActionChange(Sender);
    if (TakeActionGlyph(Sender, FGlyph)) Repaint();
}

void TskSkinButton::CreateWnd() {
    TskSkinCustomControl::CreateWnd();
    FActiveDefault = FDefault;
}

void TskSkinButton::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
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

void TskSkinButton::CalcSize(int& W, int& H) {
    if (UseSkinSize || FFace.SkinResizeKind == 1) TskSkinCustomControl::CalcSize(W, H);
}

void TskSkinButton::ChangeSkinData() {
    FMorph.Reset();
    FAnimation.Stop();
    TskSkinCustomControl::ChangeSkinData();
    if (MorphOn() && Skinned() && (FocusedLook() || FHot)) FMorph.SetFactor(1.0);
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
    TRect content = FFace.CurClientRect;
    if (!UseSkinSize && FFace.SkinResizeKind != 1)
        content = DrawFreeSizeFace(Bitmap, FFace, StateRect);
    else
        CreateResizedSkinImage(Bitmap, *FFace.SkinBitmap, StateRect);
    SetCaptionFont(c.Font(), FDefaultFont, FSkinData,
                   {FUseSkinFont, UseSkinFontColor, Enabled(), IsDown, IsActive});
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
        TskSkinCustomControl::Paint();
        return;
    }
    if (Width() < 1 || Height() < 1) return;
    TBitmap b(Width(), Height());
    if (MorphOn() && FMorph.Between() && Enabled()) {
        TBitmap active(Width(), Height());
        CreateButtonImage(b, FFace.skinrect, false, false);
        CreateButtonImage(active, activeskinrect, false, true);
        DrawMorph(Canvas(), b, active, FMorph.Factor());
        return;
    }
    if (!Enabled() && !IsEmptySkinRect(disabledskinrect))
        CreateButtonImage(b, disabledskinrect, false, false);
    else if (DownLook())
        CreateButtonImage(b, downskinrect, true, true);
    else if (FocusedLook() || FHot || (MorphOn() && FMorph.Factor() == 1.0))
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
    c.Font().Assign(FDefaultFont);
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    if (!Enabled()) c.Font().SetColor(clBtnShadow);
    if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count())
        DrawImageAndText(c, r, FMargin, Spacing, Layout, Caption(), FImageIndex, FImageList, FDown && FHot,
                         Enabled());
    else
        DrawGlyphAndText(c, r, FMargin, Spacing, Layout, Caption(), &FGlyph, FNumGlyphs,
                         GlyphFrame(FDown, FHot), down);
}

void TskSkinButton::ChangeState() {
    if (MorphOn() && Skinned())
        FMorph.Start();
    else
        Repaint();
}

void TskSkinButton::StartAnimation(bool Entering) {
    if (CanAnimate()) FAnimation.Start(Entering, framecount, animateinterval);
}

void TskSkinButton::StartRepeat() {
    const unsigned ms = unsigned(std::max(1, RepeatInterval));
    FRepeat.Timing = {.FirstDelay = ms, .Interval = ms, .Resume = ms, .FirstTickSteps = true};
    FRepeat.Start();
}

void TskSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    GetSkinData();
    if (CanAnimate()) FAnimation.Stop();
    FMousePressed = true;
    if (!FDown) {
        FHot = true;
        SetDown(true);
        if (RepeatMode && FGroupIndex == 0)
            StartRepeat();
        else if (FGroupIndex != 0)
            ButtonClick();
        FAlreadyDown = false;
    } else if (FGroupIndex != 0) {
        FAlreadyDown = true;
    }
}

void TskSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        FMousePressed = false;
        const bool wasDown = FDown;
        if (FGroupIndex == 0) {
            if (FHot) {
                SetDown(false);
                FRepeat.Stop();
                if (wasDown) ButtonClick();
            } else {
                FDown = false;
                FRepeat.Stop();
            }
        } else if (wasDown && AllowAllUp && FAlreadyDown && FHot) {
            SetDown(false);
            ButtonClick();
        }
    }
    // A click may have closed the form.
    if (HandleAllocated() && Visible()) TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinButton::WndProc(TMessage& Message) {
    if (!FCanFocused) {
        TskSkinCustomControl::WndProc(Message);
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
    TskSkinCustomControl::WndProc(Message);
}

void TskSkinButton::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        TskSkinCustomControl::Dispatch(Message);
        if (Designing()) return;
        FHot = true;
        if (React()) {
            if (FDown) {
                if (MorphOn()) FMorph.SetFactor(1.0);
                Repaint();
            } else {
                StartAnimation(true);
                ChangeState();
            }
        }
        if (FDown && RepeatMode && FGroupIndex == 0) StartRepeat();
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::Dispatch(Message);
        if (Designing()) return;
        if (!(FDefault && FCanFocused && FActiveDefault && !Focused())) FHot = false;
        if (React()) {
            StartAnimation(false);
            ChangeState();
        }
        if (FDown && RepeatMode && FRepeat.Running() && FGroupIndex == 0) FRepeat.Stop();
        return;
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
        TskSkinCustomControl::Dispatch(Message);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(unsigned(Message.WParam), Caption()) && CanFocus() && FCanFocused) {
            SetFocus();
            ButtonClick();
            Message.Result = 1;
            return;
        }
        TskSkinCustomControl::Dispatch(Message);
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
                if (MorphOn()) FMorph.SetFactor(1.0);
                FHot = true;
                ChangeState();
            }
        }
        TskSkinCustomControl::Dispatch(Message);
        return;
    }
    case WM_SETFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        if (FCanFocused) {
            StartAnimation(true);
            ChangeState();
        }
        return;
    case WM_KILLFOCUS:
        if (RepeatMode) FRepeat.Stop();
        if (FGroupIndex == 0 && FDown) FDown = false;
        TskSkinCustomControl::Dispatch(Message);
        if (FCanFocused) {
            StartAnimation(false);
            ChangeState();
        }
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        if (MorphOn()) {
            FMorph.Reset();
        }
        FHot = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        Repaint();
        return;
    default:
        TskSkinCustomControl::Dispatch(Message);
    }
}

} // namespace vd
