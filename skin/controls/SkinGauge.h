#pragma once
// The skinned progress bar: a filled part that grows from the left (or the bottom) with Value,
// and an optional centred text with the percentage.
#include "skin/controls/SkinCustomControl.h"

namespace vd {

class TskSkinGauge : public TskSkinCustomControl {
public:
    explicit TskSkinGauge(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;

    bool UseSkinSize = true;
    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    int Value() const { return FValue; }
    void SetValue(int Value);
    bool Vertical() const { return FVertical; }
    void SetVertical(bool Value) { FVertical = Value; }
    const String& ProgressText() const { return FProgressText; }
    void SetProgressText(const String& Value);
    bool ShowProgressText() const { return FShowProgressText; }
    void SetShowProgressText(bool Value);
    bool ShowPercent() const { return FShowPercent; }
    void SetShowPercent(bool Value);
    virtual int GetValue() const { return FValue; }

    // The drawn share of the range, 0..1 whatever MinValue and MaxValue are.
    double Ratio(int Value) const;
    int Percent(int Value) const;
    TRect CalcProgressRect(const TRect& Area, int Value) const;
    String ProgressCaption(int Value) const;

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void CalcSize(int& W, int& H) override;

protected:
    bool PaintsOnErase() const override { return true; }
    void Paint() override;
    void DrawProgressText(TCanvas& Canvas, int Value, int W, int H);
    void DrawFilled(TCanvas& Canvas, const TRect& P);

    int FMinValue = 0, FMaxValue = 100, FValue = 50;
    bool FVertical = false;
    String FProgressText;
    bool FShowProgressText = false, FShowPercent = false;
    TRect FProgressArea;
    TRect progressarea, progressrect;
    int beginoffset = 0, endoffset = 0;
    bool recordvertical = false;
    String fontname = "Arial";
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    bool progresstransparent = false, progressstretch = false;
    TColor progresstransparentcolor = 0;
};

} // namespace vd
