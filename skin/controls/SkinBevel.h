#pragma once
// A bevel drawn in the skin's light and dark colours, or as a centred divider line.
#include "platform/rtl/String.h"
#include "platform/vcl/ExtCtrls.h"
#include "skin/core/Forward.h"

namespace vd {

class TskSkinBevel : public TBevel {
public:
    explicit TskSkinBevel(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

    TskSkinData* SkinData() const { return FSkinData; }
    // Stores and applies at once, whatever the value.
    void SetSkinData(TskSkinData* Value);
    String SkinDataName = "bevel";
    bool DividerMode() const { return FDividerMode; }
    void SetDividerMode(bool Value);
    TColor LightColor() const { return FLight; }
    TColor DarkColor() const { return FDark; }

    void ChangeSkinData();
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Paint() override;

private:
    TComponentLink<TskSkinData> FSkinData{this};
    bool FDividerMode = false;
    int FSkinIndex = -1;
    TColor FLight = clBtnHighlight;
    TColor FDark = clBtnShadow;
};

} // namespace vd
