#pragma once
// The skinned push button: four state looks from the skin (or a plain look), a hover cross-fade,
// a frame animation, repeat while held, group buttons, and the default and cancel buttons of a
// dialog.
#include "platform/vcl/Forward.h"
#include "skin/controls/SkinAutoRepeat.h"
#include "skin/controls/SkinButtonLayout.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinEffects.h"

#include <memory>

namespace vd {

class TskSkinButton : public TskSkinCustomControl, public TskButtonLook {
public:
    explicit TskSkinButton(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    ~TskSkinButton() override;

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TskButtonLayout Layout = blGlyphLeft;
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing = 1;
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool AllowAllUp = false;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel = false;
    int ModalResult = 0;
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;

    bool Hot() const { return FHot; }
    double MorphFactor() const { return FMorph.Factor(); }
    bool ActiveDefault() const { return FActiveDefault; }
    bool MorphOn() const;
    int GlyphFrame(bool IsDown, bool IsActive) const;

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override { (void)Bitmap; }
    void ChangeSkinData() override;
    void CalcSize(int& W, int& H) override;
    virtual void CreateButtonImage(TBitmap& Bitmap, const TRect& StateRect, bool IsDown, bool IsActive);
    virtual void ButtonClick();
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

protected:
    void LookChanged() override { Repaint(); }
    bool PaintsOnErase() const override { return true; }
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateWnd() override;
    // OnClick is the button's own event, fired by ButtonClick only.
    void Click() override {}
    void ActionChange(TBasicAction* Sender) override;
    bool FocusedLook() const;
    bool DownLook() const;
    bool React() const;
    void ChangeState();
    void StartAnimation(bool Entering);
    bool CanAnimate() const;
    void StartRepeat();
    void DrawContent(TCanvas& Canvas, const TRect& R, bool Pressed, bool IsDown, bool IsActive);

    int FImageIndex = -1;
    int FMargin = -1;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FDefault = false;
    bool FCanFocused = true;
    bool FHot = false;
    bool FMousePressed = false;
    bool FAlreadyDown = false;
    bool FActiveDefault = false;
    bool FTakingFocus = false;
    TskMorph FMorph;
    TskFrameAnimation FAnimation;
    // Clicks every RepeatInterval while held.
    TskAutoRepeat FRepeat{[this] { ButtonClick(); }};

    bool showfocus = false;
};

} // namespace vd
