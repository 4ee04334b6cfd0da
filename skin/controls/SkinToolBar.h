#pragma once
// The tool bar: a borderless panel that centres its children vertically, passes its skin and
// image lists to its speed buttons and can switch their captions.
#include "skin/controls/SkinPanel.h"

namespace vd {

class TskSkinToolBar : public TskSkinPanel {
public:
    explicit TskSkinToolBar(TComponent* AOwner);

    bool AdjustControls() const { return FAdjustControls; }
    void SetAdjustControls(bool Value) { FAdjustControls = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* HotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* Value);
    TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* Value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    bool AutoShowHideCaptions = true;
    int WidthWithCaptions = 0;
    int WidthWithoutCaptions = 0;

    void SetSkinData(TskSkinData* Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Children that are not skinned controls and not aligned are centred vertically.
    void CenterControls();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool FAdjustControls = true;
    bool FFlat = false;
    bool FShowCaptions = false;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FHotImages = nullptr;
    TCustomImageList* FDisabledImages = nullptr;
};

// Top of a control centred in its parent tool bar with AdjustControls, else Top itself.
int SkinToolBarTop(const TControl* control, int Top, int H);

} // namespace vd
