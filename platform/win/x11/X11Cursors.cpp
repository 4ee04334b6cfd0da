#include "platform/win/x11/X11Cursors.h"

#include <X11/Xlib.h>
#include <X11/cursorfont.h>

#undef CursorShape // X.h takes the name for a macro

namespace vd {

X11Cursors::~X11Cursors() {
    for (auto& [s, c] : FCursors)
        XFreeCursor(FConn.Dpy(), c);
}

void X11Cursors::Set(XId w, CursorShape shape) {
    static const std::map<CursorShape, unsigned> fonts{{CursorShape::Arrow, XC_left_ptr},
                                                       {CursorShape::IBeam, XC_xterm},
                                                       {CursorShape::Wait, XC_watch},
                                                       {CursorShape::Cross, XC_crosshair},
                                                       {CursorShape::SizeWE, XC_sb_h_double_arrow},
                                                       {CursorShape::SizeNS, XC_sb_v_double_arrow},
                                                       {CursorShape::SizeNWSE, XC_bottom_right_corner},
                                                       {CursorShape::SizeNESW, XC_bottom_left_corner},
                                                       {CursorShape::SizeAll, XC_fleur},
                                                       {CursorShape::Hand, XC_hand2},
                                                       {CursorShape::No, XC_X_cursor},
                                                       {CursorShape::HSplit, XC_sb_h_double_arrow},
                                                       {CursorShape::VSplit, XC_sb_v_double_arrow}};
    if (!w) return;
    XId& c = FCursors[shape];
    if (!c) c = XCreateFontCursor(FConn.Dpy(), fonts.at(shape));
    XDefineCursor(FConn.Dpy(), w, c);
}

} // namespace vd
