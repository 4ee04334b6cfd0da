#pragma once
// The windowless twin of TskSkinCustomControl: default size and font, and the resizable face,
// without a window region or the framed paint.
#include "skin/controls/SkinCustomBase.h"

namespace vd {

class TskGraphicSkinCustomControl : public TskSkinCustomBase<TskGraphicSkinControl> {
public:
    using TskSkinCustomBase::TskSkinCustomBase;
    bool SetProperty(const String& name, const TPropValue& value) override;
};

} // namespace vd
