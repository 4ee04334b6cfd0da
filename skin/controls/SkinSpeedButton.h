#pragma once
// The windowless push button of the skinned controls: click, sticky group toggle or repeat
// button, with a glyph, an image-list image or a linked images menu's image, a hover cross-fade
// and a frame animation from the skin.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "skin/controls/Forward.h"
#include "skin/controls/SkinButtonBase.h"
#include "skin/controls/SkinButtonLayout.h"

#include <functional>
#include <memory>

namespace vd {

class TskSkinSpeedButton : public TskSkinButtonBase<TskGraphicSkinCustomControl> {
public:
    explicit TskSkinSpeedButton(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    ~TskSkinSpeedButton() override;

    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    int WidthWithCaption = 0;
    int WidthWithoutCaption = 0;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TskButtonLayout Layout() const { return FLayout; }
    void SetLayout(TskButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    int GroupIndex = 0;
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Transparent() const { return (ControlStyle() & csOpaque) == 0; }
    void SetTransparent(bool Value);
    TskImagesMenuLink* SkinImagesMenu() const { return FSkinImagesMenu; }
    virtual void SetSkinImagesMenu(TskImagesMenuLink* Value);
    bool UseImagesMenuImage = false;
    bool UseImagesMenuCaption = false;

    bool MouseIn() const { return FHot; }
    int AnimateFrame() const { return FAnimation.Frame(); }
    bool EffectsEnabled() const;
    void ImagesMenuChanged() { Repaint(); }

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override { (void)Bitmap; }
    void ChangeSkinData() override;
    void CreateButtonImage(TBitmap& Bitmap, const TRect& SourceRect, bool IsDown, bool IsActive) override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ActionChange(TBasicAction* Sender) override;
    int Group() const override { return GroupIndex; }
    // A disabled button ignores the pointer; the record is read afresh for the look that follows.
    bool FollowsHover() override;
    bool CanAnimate() const override;
    void ChangeState() override;
    bool DownLook() const { return FDown && (GroupIndex != 0 || FHot); }
    // Caption, glyph or image into R with the current font.
    void DrawContent(TCanvas& Canvas, const TRect& R, bool Pressed, bool IsDown, bool IsActive, bool HotList);
    // The drop-down marker of the skin centred in R.
    void DrawMenuMarker(TCanvas& Canvas, const TRect& R, bool IsActive, bool IsDown, bool IsFlat);
    // A callback for the images menu: the menu keeps its callbacks after the button is freed,
    // so Handler runs only while this button lives.
    TNotifyEvent ImagesMenuCallback(std::function<void()> Handler);

    bool FShowCaption = true;
    int FImageIndex = 0;
    TskButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 1;
    bool FFlat = false;
    TComponentLink<TskImagesMenuLink> FSkinImagesMenu{this};
    // Shared with the images menu's callbacks; cleared when the button goes.
    std::shared_ptr<TskSkinSpeedButton*> FSelf = std::make_shared<TskSkinSpeedButton*>(this);

    // The button record's values past the shared ones.
    TRect menumarkerrect, menumarkeractiverect, menumarkerdownrect, menumarkerflatrect;
    TColor menumarkertransparentcolor = 0;
};

} // namespace vd
