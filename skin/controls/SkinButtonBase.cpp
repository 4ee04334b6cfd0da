#include "skin/controls/SkinButtonBase.h"

#include "platform/vcl/WinControl.h"
#include "skin/controls/SkinActions.h"
#include "skin/controls/SkinHoverLook.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"

#include <algorithm>
#include <type_traits>

namespace vd {

template <class TBase>
TskSkinButtonBase<TBase>::TskSkinButtonBase(TComponent* AOwner)
    : TBase(AOwner), TskButtonLook(this),
      FMorph([this] { return MorphTarget(); }, [this] { return this->Skinned() && CanMorph(); },
             [this] { this->Repaint(); }),
      FAnimation([this] { this->Repaint(); }) {}

template <class TBase> bool TskSkinButtonBase<TBase>::CanMorph() const {
    const TskSkinData* skin = this->FSkinData;
    return morphing && skin && !skin->Empty() && skin->EnableSkinEffects;
}

template <class TBase> int TskSkinButtonBase<TBase>::GlyphFrame(bool IsDown, bool IsActive) const {
    return GlyphFrameOf(FNumGlyphs, this->Enabled(), IsDown, IsActive);
}

template <class TBase> void TskSkinButtonBase<TBase>::SetDown(bool Value) {
    FDown = Value;
    if (CanMorph()) {
        FMorph.SetFactor(1.0);
        if (Value)
            FMorph.Stop();
        else
            FMorph.Start();
    }
    this->Repaint();
    if (Group() != 0 && FDown && !AllowAllUp) ReleaseGroup();
}

template <class TBase> void TskSkinButtonBase<TBase>::ReleaseGroup() {
    TWinControl* p = this->Parent();
    if (!p) return;
    for (int i = 0; i < p->ControlCount(); ++i) {
        auto* b = dynamic_cast<TskSkinButtonBase*>(p->Controls(i));
        if (b && b != this && b->Group() == Group() && b->FDown) b->SetDown(false);
    }
}

template <class TBase> void TskSkinButtonBase<TBase>::ButtonClick() {
    ClickOrExecute(this, this->OnClick, this->Action());
}

template <class TBase> void TskSkinButtonBase<TBase>::CalcSize(int& W, int& H) {
    if (UseSkinSize || this->FFace.SkinResizeKind == 1) TBase::CalcSize(W, H);
}

template <class TBase>
TRect TskSkinButtonBase<TBase>::DrawButtonFace(TBitmap& Bitmap, const TRect& StateRect, bool IsDown,
                                               bool IsActive) {
    TRect content = this->FFace.CurClientRect;
    if (!UseSkinSize && this->FFace.SkinResizeKind != 1)
        content = DrawFreeSizeFace(Bitmap, this->FFace, StateRect);
    else
        this->CreateResizedSkinImage(Bitmap, *this->FFace.SkinBitmap, StateRect);
    SetCaptionFont(Bitmap.Canvas().Font(), this->FDefaultFont, this->FSkinData,
                   {this->FUseSkinFont, UseSkinFontColor, this->Enabled(), IsDown, IsActive});
    return content;
}

template <class TBase> void TskSkinButtonBase<TBase>::PaintMorph() {
    TBitmap normal(this->Width(), this->Height()), active(this->Width(), this->Height());
    CreateButtonImage(normal, this->FFace.skinrect, false, false);
    CreateButtonImage(active, activeskinrect, false, true);
    DrawMorph(this->Canvas(), normal, active, FMorph.Factor());
}

template <class TBase> void TskSkinButtonBase<TBase>::SetPlainFont(TFont& Font) const {
    Font.Assign(this->FDefaultFont);
    Font.SetCharset(SkinCharSet(this->FSkinData, this->FDefaultFont));
    if (!this->Enabled()) Font.SetColor(clBtnShadow);
}

template <class TBase> void TskSkinButtonBase<TBase>::StartAnimation(bool Entering) {
    if (CanAnimate()) FAnimation.Start(Entering, framecount, animateinterval);
}

template <class TBase> void TskSkinButtonBase<TBase>::StartRepeat() {
    const unsigned ms = unsigned(std::max(1, RepeatInterval));
    FRepeat.Timing = {.FirstDelay = ms, .Interval = ms, .Resume = ms, .FirstTickSteps = true};
    FRepeat.Start();
}

template <class TBase>
void TskSkinButtonBase<TBase>::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TBase::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    this->GetSkinData();
    if (CanAnimate()) FAnimation.Stop();
    FMousePressed = true;
    if (!FDown) {
        FHot = true;
        SetDown(true);
        if (RepeatMode && Group() == 0)
            StartRepeat();
        else if (Group() != 0)
            ButtonClick();
        FPressedWhileDown = false;
    } else if (Group() != 0) {
        FPressedWhileDown = true;
    }
}

template <class TBase> void TskSkinButtonBase<TBase>::StopRepeatOnRelease() {
    // The windowed button stops its repeat on any release, the windowless one in repeat mode.
    if (std::is_base_of_v<TWinControl, TBase> || RepeatMode) FRepeat.Stop();
}

template <class TBase> void TskSkinButtonBase<TBase>::Release() {
    FMousePressed = false;
    const bool wasDown = FDown;
    if (Group() == 0) {
        if (FHot) {
            SetDown(false);
            StopRepeatOnRelease();
            if (wasDown) ButtonClick();
        } else {
            FDown = false;
            StopRepeatOnRelease();
        }
    } else if (wasDown && AllowAllUp && FPressedWhileDown && FHot) {
        SetDown(false);
        ButtonClick();
    }
}

template <class TBase> void TskSkinButtonBase<TBase>::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        TBase::Dispatch(Message);
        if (!FollowsHover()) return;
        FHot = true;
        if (React()) {
            if (FDown) {
                if (CanMorph()) FMorph.SetFactor(1.0);
                this->Repaint();
            } else {
                StartAnimation(true);
                ChangeState();
            }
        }
        if (FDown && RepeatMode && Group() == 0) StartRepeat();
        return;
    case CM_MOUSELEAVE:
        TBase::Dispatch(Message);
        if (!FollowsHover()) return;
        if (!StaysHot()) FHot = false;
        if (React()) {
            StartAnimation(false);
            ChangeState();
        }
        if (FDown && RepeatMode && FRepeat.Running() && Group() == 0) FRepeat.Stop();
        return;
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
        TBase::Dispatch(Message);
        HoverLookChanged(*this, Message.Msg, FMorph, CanMorph(), FHot);
        return;
    default:
        TBase::Dispatch(Message);
    }
}

template class TskSkinButtonBase<TskSkinCustomControl>;
template class TskSkinButtonBase<TskGraphicSkinCustomControl>;

} // namespace vd
