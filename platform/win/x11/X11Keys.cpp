#include "platform/win/x11/X11Keys.h"

#include "platform/win/WinTypes.h"

#include <X11/keysym.h>

namespace vd::x11 {
namespace {

// The US punctuation keys, by either of their two symbols.
int PunctuationVk(unsigned long ks) {
    switch (ks) {
    case XK_semicolon:
    case XK_colon:
        return VK_OEM_1;
    case XK_equal:
    case XK_plus:
        return VK_OEM_PLUS;
    case XK_comma:
        return VK_OEM_COMMA;
    case XK_minus:
    case XK_underscore:
        return VK_OEM_MINUS;
    case XK_period:
        return VK_OEM_PERIOD;
    case XK_slash:
    case XK_question:
        return VK_OEM_2;
    case XK_grave:
    case XK_asciitilde:
        return VK_OEM_3;
    case XK_bracketleft:
    case XK_braceleft:
        return VK_OEM_4;
    case XK_backslash:
    case XK_bar:
        return VK_OEM_5;
    case XK_bracketright:
    case XK_braceright:
        return VK_OEM_6;
    case XK_apostrophe:
    case XK_quotedbl:
        return VK_OEM_7;
    case XK_less:
    case XK_greater:
        return VK_OEM_102;
    case XK_exclam:
        return '1';
    case XK_at:
        return '2';
    case XK_numbersign:
        return '3';
    case XK_dollar:
        return '4';
    case XK_percent:
        return '5';
    case XK_asciicircum:
        return '6';
    case XK_ampersand:
        return '7';
    case XK_asterisk:
        return '8';
    case XK_parenleft:
        return '9';
    case XK_parenright:
        return '0';
    default:
        return 0;
    }
}

// Keypad operators and the keypad's navigation keys (Num Lock off).
int KeypadVk(unsigned long ks) {
    switch (ks) {
    case XK_KP_Add:
        return VK_ADD;
    case XK_KP_Subtract:
        return VK_SUBTRACT;
    case XK_KP_Multiply:
        return VK_MULTIPLY;
    case XK_KP_Divide:
        return VK_DIVIDE;
    case XK_KP_Decimal:
    case XK_KP_Separator:
        return VK_DECIMAL;
    case XK_KP_Home:
        return VK_HOME;
    case XK_KP_End:
        return VK_END;
    case XK_KP_Up:
        return VK_UP;
    case XK_KP_Down:
        return VK_DOWN;
    case XK_KP_Left:
        return VK_LEFT;
    case XK_KP_Right:
        return VK_RIGHT;
    case XK_KP_Prior:
        return VK_PRIOR;
    case XK_KP_Next:
        return VK_NEXT;
    case XK_KP_Insert:
        return VK_INSERT;
    case XK_KP_Delete:
        return VK_DELETE;
    case XK_KP_Begin:
        return VK_NUMPAD5;
    case XK_KP_Equal:
        return VK_OEM_PLUS;
    default:
        return 0;
    }
}

} // namespace

int KeysymToVk(unsigned long ks) {
    if (ks >= XK_a && ks <= XK_z) return static_cast<int>('A' + (ks - XK_a));
    if (ks >= XK_A && ks <= XK_Z) return static_cast<int>('A' + (ks - XK_A));
    if (ks >= XK_0 && ks <= XK_9) return static_cast<int>('0' + (ks - XK_0));
    if (ks >= XK_F1 && ks <= XK_F24) return VK_F1 + static_cast<int>(ks - XK_F1);
    if (ks >= XK_KP_0 && ks <= XK_KP_9) return VK_NUMPAD0 + static_cast<int>(ks - XK_KP_0);
    if (const int vk = PunctuationVk(ks)) return vk;
    if (const int vk = KeypadVk(ks)) return vk;
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
    case XK_Menu:
        return VK_APPS;
    case XK_Super_L:
        return VK_LWIN;
    case XK_Super_R:
        return VK_RWIN;
    case XK_Num_Lock:
        return VK_NUMLOCK;
    case XK_Scroll_Lock:
        return VK_SCROLL;
    case XK_Print:
        return VK_SNAPSHOT;
    case XK_Help:
        return VK_HELP;
    case XK_Meta_R:
    case XK_ISO_Level3_Shift:
    case XK_Mode_switch:
        // AltGr: its own key, so characters typed with it stay WM_CHAR, not WM_SYSCHAR.
        return VK_RMENU;
    case XK_VoidSymbol:
    case 0: // NoSymbol
        return 0;
    default:
        // Letters of other layouts, dead keys and the rest: a key of its own so the event and
        // the character it brings are never dropped.
        return VK_OEM_8;
    }
}

} // namespace vd::x11
