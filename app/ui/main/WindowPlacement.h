#pragma once
// Where the main window opens: the stored position and client size, pulled onto the screen.
#include "platform/rtl/Types.h"

namespace vd {

// The smallest client size the main window takes.
inline constexpr int MinClientWidth = 510;
inline constexpr int MinClientHeight = 420;

struct TWindowPlacement {
    int Left = 0, Top = 0;
    int Width = 0, Height = 0; // client size
    friend bool operator==(const TWindowPlacement&, const TWindowPlacement&) = default;
};

// Left in 0..screen width - 20 and top in 0..screen height - 20 (0 on a smaller screen), so
// that a corner of the window can always be grabbed; the client size at least the minimum.
TWindowPlacement ClampWindowPlacement(const TWindowPlacement& stored, TSize screen);

} // namespace vd
