#pragma once
// The bottom-docked status bar: a panel that passes its skin to its status panels and can show a
// size grip that answers the window-sizing hit test.
#include "skin/controls/SkinPanel.h"
#include "skin/store/SkinTypes.h"

namespace vd {

class TskSkinStatusBar : public TskSkinPanel {
public:
    explicit TskSkinStatusBar(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;

    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    // The form frame hides the grip while its window is maximized.
    void SetGripVisible(bool Value);
    bool GripShown() const { return FSizeGrip && FGripVisible; }
    TRect GripRect();

    void SetSkinData(TskSkinData* Value) override;
    void GetSkinData() override;
    void AdjustClientRect(TRect& Rect) override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void Dispatch(TMessage& Message) override;

private:
    void DrawGripLines(TCanvas& Canvas, const TRect& R, TColor Light, TColor Dark);

    bool FSizeGrip = false;
    bool FGripVisible = true;
    TRect gripperrect;
    bool grippertransparent = false;
    TskColor grippertransparentcolor = 0;
};

} // namespace vd
