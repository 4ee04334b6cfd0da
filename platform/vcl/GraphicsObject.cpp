#include "platform/vcl/GraphicsObject.h"

namespace vd {

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

} // namespace vd
