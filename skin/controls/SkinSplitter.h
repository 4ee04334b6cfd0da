#pragma once
// A splitter whose bar is a three-part skin picture with an optional centred gripper, its
// thickness taken from the skin.
#include "platform/rtl/String.h"
#include "platform/vcl/ExtCtrls.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

namespace vd {

class TskSkinSplitter : public TSplitter {
public:
    explicit TskSkinSplitter(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    String SkinDataName = "vsplitter";
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    int DefaultSize = 10;
    bool Skinned() const { return FSkinIndex != -1; }

    void GetSkinData();
    void ChangeSkinData();

protected:
    void Paint() override;

private:
    TComponentLink<TskSkinData> FSkinData{this};
    bool FTransparent = false;
    int FSkinIndex = -1;
    const TskBitmap* FSkinBitmap = nullptr;
    TPoint lefttoppoint, righttoppoint, leftbottompoint;
    TRect skinrect, gripperrect;
    bool stretcheffect = false, grippertransparent = false;
    TskColor grippertransparentcolor = 0;
};

} // namespace vd
