#pragma once
// The windowless twin of TskSkinControl: the same record lookup and off-screen paint for controls
// without a window of their own (the speed buttons).
#include "skin/controls/SkinControlBase.h"

namespace vd {

class TskGraphicSkinControl : public TskSkinControlBase<TGraphicControl> {
public:
    explicit TskGraphicSkinControl(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;

    String SkinDataName;

protected:
    const String& RecordName() const override { return SkinDataName; }
};

} // namespace vd
