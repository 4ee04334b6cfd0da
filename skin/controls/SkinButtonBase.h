#pragma once
// What the windowed push button and the windowless speed button share, over either base: the
// down state and its group among the siblings, the press and release by mouse, the repeat while
// held, and the hover with its cross-fade and frame animation.
#include "platform/vcl/Forward.h"
#include "skin/controls/SkinAutoRepeat.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinEffects.h"
#include "skin/controls/SkinGraphicCustomControl.h"

namespace vd {

template <class TBase> class TskSkinButtonBase : public TBase, public TskButtonLook {
public:
    explicit TskSkinButtonBase(TComponent* AOwner);

    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool AllowAllUp = false;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;

    double MorphFactor() const { return FMorph.Factor(); }
    bool CanMorph() const;
    int GlyphFrame(bool IsDown, bool IsActive) const;

    void CalcSize(int& W, int& H) override;
    // The face of the state StateRect with the content, into Bitmap at the control's size.
    virtual void CreateButtonImage(TBitmap& Bitmap, const TRect& StateRect, bool IsDown, bool IsActive) = 0;
    virtual void ButtonClick();
    void Dispatch(TMessage& Message) override;

protected:
    void LookChanged() override { this->Repaint(); }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The left button went up.
    void Release();
    // The group among the siblings: 0 for none.
    virtual int Group() const = 0;
    // Whether the hover changes the look now.
    virtual bool React() const { return Group() == 0 || !FDown; }
    // Whether the pointer coming and going counts now.
    virtual bool FollowsHover() { return !this->Designing(); }
    // Whether the button stays hot when the pointer leaves.
    virtual bool StaysHot() const { return false; }
    // What the cross-fade heads for.
    virtual bool MorphTarget() const { return FHot; }
    virtual bool CanAnimate() const = 0;
    // Towards the look of the present state: fading where it may, else at once.
    virtual void ChangeState() = 0;
    void StartAnimation(bool Entering);
    void StartRepeat();
    // The face of StateRect at the control's size with the caption font of the state; returns
    // where the content goes.
    TRect DrawButtonFace(TBitmap& Bitmap, const TRect& StateRect, bool IsDown, bool IsActive);
    // A step of the cross-fade from the normal face to the active one.
    void PaintMorph();
    // The plain look's caption font, greyed while disabled.
    void SetPlainFont(TFont& Font) const;

    bool FDown = false;
    bool FHot = false;
    // The left button is held on it: a focused windowed button then shows down only while hot.
    bool FMousePressed = false;
    // A group button pressed again while down: its release lets it up if all may be up.
    bool FPressedWhileDown = false;
    TskMorph FMorph;
    TskFrameAnimation FAnimation;
    // Clicks every RepeatInterval while held.
    TskAutoRepeat FRepeat{[this] { ButtonClick(); }};

private:
    void ReleaseGroup();
    void StopRepeatOnRelease();
};

extern template class TskSkinButtonBase<TskSkinCustomControl>;
extern template class TskSkinButtonBase<TskGraphicSkinCustomControl>;

} // namespace vd
