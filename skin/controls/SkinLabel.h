#pragma once
// A windowed one-line caption in a frame, from a skin record of kind label or as a plain box;
// it can grow its width to fit the caption.
#include "platform/vcl/StdCtrls.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinPanel.h"

namespace vd {

class TskSkinLabel : public TskSkinCustomControl {
public:
    explicit TskSkinLabel(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TskSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TskSkinBorderStyle Value);
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;

    void AdjustWidth();
    // Pixels by which the width must change to fit the caption (may be negative).
    virtual int CalcWidthOffset();

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void CalcSize(int& W, int& H) override;
    void SetControlRegion() override;
    void Dispatch(TMessage& Message) override;

protected:
    bool PaintsOnErase() const override { return true; }
    void DrawLabelText(TCanvas& Canvas, const TRect& R);
    // The caption font on the control's canvas, for measuring.
    void MeasureFont(TCanvas& Canvas);
    // The plain face: fill and the border style's frame.
    void DrawPlainFrame(TCanvas& Canvas);

    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = false;
    TskSkinBorderStyle FBorderStyle = bvFrame;
    String fontname = "Arial";
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
};

} // namespace vd
