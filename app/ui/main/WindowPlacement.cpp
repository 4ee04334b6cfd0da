#include "app/ui/main/WindowPlacement.h"

#include <algorithm>

namespace vd {

TWindowPlacement ClampWindowPlacement(const TWindowPlacement& stored, TSize screen) {
    TWindowPlacement p;
    p.Left = std::clamp(stored.Left, 0, std::max(0, screen.cx - 20));
    p.Top = std::clamp(stored.Top, 0, std::max(0, screen.cy - 20));
    p.Width = std::max(stored.Width, MinClientWidth);
    p.Height = std::max(stored.Height, MinClientHeight);
    return p;
}

} // namespace vd
