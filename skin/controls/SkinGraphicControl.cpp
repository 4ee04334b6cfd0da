#include "skin/controls/SkinGraphicControl.h"

namespace vd {

TskGraphicSkinControl::TskGraphicSkinControl(TComponent* AOwner) : TskSkinControlBase(AOwner) {
    SetControlStyle(ControlStyle() | csOpaque);
}

} // namespace vd
