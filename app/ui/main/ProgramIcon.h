#pragma once
// The program's own icon, drawn in code: a level meter's three bars on a dark rounded square.
// The desktop shows it on every window, in the task bar and in the notification area.
#include "platform/gfx/GdiTypes.h"

namespace vd {

// A new 32 x 32 icon; the caller owns it (a TIcon takes it with SetHandle).
HICON MakeProgramIcon();

} // namespace vd
