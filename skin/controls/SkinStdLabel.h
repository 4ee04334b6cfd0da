#pragma once
// A plain transparent label whose font and colour come from the skin's "stdlabel" record.
#include "platform/vcl/StdCtrls.h"
#include "skin/core/Forward.h"
#include "skin/store/SkinTypes.h"

namespace vd {

class TskSkinStdLabel : public TCustomLabel {
public:
    explicit TskSkinStdLabel(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    String SkinDataName = "stdlabel";
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value) { FDefaultFont.Assign(Value); }
    bool UseSkinFont = true;
    bool UseSkinColor = true;
    bool Skinned() const { return FSkinIndex != -1; }

    void GetSkinData();
    // The link label only repaints: its auto size stays as it is.
    virtual void ChangeSkinData();
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void DoDrawText(TRect& Rect, UINT Flags) override;
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }

    TComponentLink<TskSkinData> FSkinData{this};
    TFont FDefaultFont;
    int FSkinIndex = -1;
    String fontname = "Arial";
    TFontStyles fontstyle = 0;
    int fontheight = 14;
    TColor fontcolor = 0;
};

// Draws Text with Flags in the canvas's font, embossed when disabled (shared by the labels).
void DrawLabelText(TCanvas& Canvas, const String& Text, TRect& Rect, UINT Flags, bool Enabled,
                   TColor Highlight, TColor Shadow);

} // namespace vd
