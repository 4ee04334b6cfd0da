#include "platform/win/x11/X11Keys.h"

#include "platform/win/WinTypes.h"

#include <X11/keysym.h>

namespace vd::x11 {

int KeysymToVk(unsigned long ks) {
    if (ks >= XK_a && ks <= XK_z) return static_cast<int>('A' + (ks - XK_a));
    if (ks >= XK_A && ks <= XK_Z) return static_cast<int>('A' + (ks - XK_A));
    if (ks >= XK_0 && ks <= XK_9) return static_cast<int>('0' + (ks - XK_0));
    if (ks >= XK_F1 && ks <= XK_F24) return VK_F1 + static_cast<int>(ks - XK_F1);
    if (ks >= XK_KP_0 && ks <= XK_KP_9) return 0x60 + static_cast<int>(ks - XK_KP_0);
    switch (ks) {
    case XK_BackSpace:
        return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return VK_TAB;
    case XK_Return:
    case XK_KP_Enter:
        return VK_RETURN;
    case XK_Shift_L:
    case XK_Shift_R:
        return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R:
        return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
        return VK_MENU;
    case XK_Pause:
        return VK_PAUSE;
    case XK_Caps_Lock:
        return VK_CAPITAL;
    case XK_Escape:
        return VK_ESCAPE;
    case XK_space:
        return VK_SPACE;
    case XK_Prior:
        return VK_PRIOR;
    case XK_Next:
        return VK_NEXT;
    case XK_End:
        return VK_END;
    case XK_Home:
        return VK_HOME;
    case XK_Left:
        return VK_LEFT;
    case XK_Up:
        return VK_UP;
    case XK_Right:
        return VK_RIGHT;
    case XK_Down:
        return VK_DOWN;
    case XK_Insert:
        return VK_INSERT;
    case XK_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

} // namespace vd::x11
