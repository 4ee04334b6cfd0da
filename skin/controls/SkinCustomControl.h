#pragma once
// The windowed base with a resizable skin face: the shared default size, font and face, plus the
// framed paint of panels and a window region from the record's mask picture.
#include "skin/controls/SkinCustomBase.h"

namespace vd {

class TskSkinCustomControl : public TskSkinCustomBase<TskSkinControl> {
public:
    explicit TskSkinCustomControl(TComponent* AOwner) : TskSkinCustomBase(AOwner) {}
    bool SetProperty(const String& name, const TPropValue& value) override;

    bool RegionSet() const { return FRegionSet; }

    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void SetControlRegion() override;

protected:
    void Paint() override;

    bool FForceBackground = false;
    bool FDrawBackground = true;
    bool FRegionSet = false;

private:
    void PaintFramed();
};

} // namespace vd
