#pragma once
// The tool bar: a borderless panel that centres its children vertically, passes its skin and
// image lists to its speed buttons and can switch their captions.
#include "skin/controls/SkinPanel.h"

namespace vd {

class TskSkinToolBar : public TskSkinPanel {
public:
    explicit TskSkinToolBar(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

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
    bool AutoShowHideCaptions = false;
    int WidthWithCaptions = 0;
    int WidthWithoutCaptions = 0;

    bool CanScroll = false;
    bool HotScroll = false;
    int ScrollOffset() const { return FScrollOffset; }
    // Negative values are ignored.
    void SetScrollOffset(int Value);
    int ScrollTimerInterval() const { return FScrollTimerInterval; }
    // Values of 0 or less are ignored.
    void SetScrollTimerInterval(int Value);
    // Pixels the children are scrolled to the left.
    int ScrollPosition() const { return FPosition; }
    int ScrollMax() const { return FScrollMax; }
    bool ScrollButtonsShown() const { return FButtons[0].Visible; }
    // One step left (Direction 1) or right (2).
    void ScrollStep(int Direction);
    // Shows or hides the scroll buttons for the present content.
    void UpdateScrollRange();

    void SetSkinData(TskSkinData* Value) override;
    void GetSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;
    // While the scroll buttons show, a three-part face loses its ends: the content runs on.
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void WndProc(TMessage& Message) override;
    // Children that are not skinned controls and not aligned are centred vertically.
    void CenterControls();

private:
    static constexpr int HitLeft = 119, HitRight = 120, ButtonSize = 12;
    struct ScrollButton {
        TRect R;
        bool MouseIn = false, Down = false, Visible = false;
    };
    void ShowButtons(bool Show);
    void ScrollContent(int D);
    void StartScrollTimer();
    void StopScrollTimer();
    void PaintScrollButtons();
    void DrawScrollButton(TCanvas& Canvas, int Index);
    bool NcMessage(TMessage& Message);
    void ClearHot();

    int FScrollOffset = 0;
    int FScrollTimerInterval = 50;
    int FPosition = 0, FScrollMax = 0, FScrollPage = 0, FLastPosition = 0, FGrowth = 0, FScrollMode = 0;
    ScrollButton FButtons[2];
    // The skin's "resizebutton" record when it is a button record with a picture, else null.
    const class TskDataSkinButtonControl* FResizeButton = nullptr;
    bool FAdjustControls = true;
    bool FFlat = false;
    bool FShowCaptions = false;
    TComponentLink<TCustomImageList> FImages{this};
    TComponentLink<TCustomImageList> FHotImages{this};
    TComponentLink<TCustomImageList> FDisabledImages{this};
};

// Top of a control centred in its parent tool bar with AdjustControls, else Top itself.
int SkinToolBarTop(const TControl* control, int Top, int H);

} // namespace vd
