#include "platform/gfx/Color.h"

namespace vd {

namespace {

// One fixed scheme, the classic grey one, so pictures look the same on every machine.
constexpr COLORREF kSystemColors[kSystemColorCount] = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // background
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application work space
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3D dark shadow
    RGB(212, 208, 200), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
    RGB(181, 181, 181), // (unused)
    RGB(0, 0, 128),     // hot light
    RGB(166, 202, 240), // gradient active caption
    RGB(192, 192, 192), // gradient inactive caption
    RGB(10, 36, 106),   // menu highlight
    RGB(212, 208, 200), // menu bar
};

} // namespace

COLORREF GetSysColor(int index) {
    if (index < 0 || index >= kSystemColorCount) return 0;
    return kSystemColors[index];
}

TColor ColorToRGB(TColor color) {
    if (color < 0) return TColor(GetSysColor(color & 0xFF));
    return color;
}

COLORREF ResolveColor(COLORREF color) {
    if ((color & 0xFF000000u) == 0xFF000000u) return GetSysColor(int(color & 0xFF));
    return color & 0x00FFFFFFu;
}

} // namespace vd
