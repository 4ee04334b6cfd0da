#pragma once
// The skinned push button: four state looks from the skin (or a plain look), a hover cross-fade,
// a frame animation, repeat while held, group buttons, and the default and cancel buttons of a
// dialog.
#include "platform/vcl/Forward.h"
#include "skin/controls/SkinButtonBase.h"
#include "skin/controls/SkinButtonLayout.h"

#include <memory>

namespace vd {

class TskSkinButton : public TskSkinButtonBase<TskSkinCustomControl> {
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
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel = false;
    int ModalResult = 0;
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);

    bool Hot() const { return FHot; }
    bool ActiveDefault() const { return FActiveDefault; }

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override { (void)Bitmap; }
    void ChangeSkinData() override;
    void CreateButtonImage(TBitmap& Bitmap, const TRect& StateRect, bool IsDown, bool IsActive) override;
    void ButtonClick() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

protected:
    bool PaintsOnErase() const override { return true; }
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateWnd() override;
    // OnClick is the button's own event, fired by ButtonClick only.
    void Click() override {}
    void ActionChange(TBasicAction* Sender) override;
    int Group() const override { return FGroupIndex; }
    // A focused plain button shows active already: the hover changes only its down look.
    bool React() const override;
    // The active default button stays lit without the pointer.
    bool StaysHot() const override;
    bool MorphTarget() const override { return FHot || FocusedLook(); }
    bool CanAnimate() const override;
    void ChangeState() override;
    bool FocusedLook() const;
    bool DownLook() const;
    void DrawContent(TCanvas& Canvas, const TRect& R, bool Pressed, bool IsDown, bool IsActive);

    int FImageIndex = -1;
    int FMargin = -1;
    int FGroupIndex = 0;
    bool FDefault = false;
    bool FCanFocused = true;
    bool FActiveDefault = false;
    bool FTakingFocus = false;

    bool showfocus = false;
};

} // namespace vd
