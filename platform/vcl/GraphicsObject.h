#pragma once
// A drawing object that tells its users when it changed.
#include "platform/rtl/Object.h"

namespace vd {

class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

} // namespace vd
