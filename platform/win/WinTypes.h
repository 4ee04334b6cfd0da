#pragma once
// Window-system types and constants. The values are those that stored layouts, skins and
// callers already use, so they are fixed.
#include "platform/rtl/Types.h"

#include <cstdint>

namespace vd {

struct HWND__;
using HWND = HWND__*; // an opaque id; a destroyed window's handle is never reused
using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using BOOL = int;
using ATOM = std::uint16_t;
using RECT = TRect;
using POINT = TPoint;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

inline Word LoWord(std::uintptr_t v) {
    return static_cast<Word>(v & 0xFFFF);
}
inline Word HiWord(std::uintptr_t v) {
    return static_cast<Word>((v >> 16) & 0xFFFF);
}
inline LPARAM MakeLParam(int lo, int hi) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
inline WPARAM MakeWParam(int lo, int hi) {
    return static_cast<WPARAM>(static_cast<std::uint32_t>(MakeLParam(lo, hi)));
}
// Screen points travel as signed 16-bit x and y.
inline int GetXLParam(LPARAM l) {
    return static_cast<std::int16_t>(l & 0xFFFF);
}
inline int GetYLParam(LPARAM l) {
    return static_cast<std::int16_t>((l >> 16) & 0xFFFF);
}
inline LPARAM PointToLParam(TPoint p) {
    return MakeLParam(p.X, p.Y);
}
inline TPoint LParamToPoint(LPARAM l) {
    return {GetXLParam(l), GetYLParam(l)};
}

// Window styles.
inline constexpr DWord WS_OVERLAPPED = 0x00000000;
inline constexpr DWord WS_POPUP = 0x80000000;
inline constexpr DWord WS_CHILD = 0x40000000;
inline constexpr DWord WS_MINIMIZE = 0x20000000;
inline constexpr DWord WS_VISIBLE = 0x10000000;
inline constexpr DWord WS_DISABLED = 0x08000000;
inline constexpr DWord WS_CLIPSIBLINGS = 0x04000000;
inline constexpr DWord WS_CLIPCHILDREN = 0x02000000;
inline constexpr DWord WS_MAXIMIZE = 0x01000000;
inline constexpr DWord WS_CAPTION = 0x00C00000;
inline constexpr DWord WS_BORDER = 0x00800000;
inline constexpr DWord WS_DLGFRAME = 0x00400000;
inline constexpr DWord WS_VSCROLL = 0x00200000;
inline constexpr DWord WS_HSCROLL = 0x00100000;
inline constexpr DWord WS_SYSMENU = 0x00080000;
inline constexpr DWord WS_THICKFRAME = 0x00040000;
inline constexpr DWord WS_MINIMIZEBOX = 0x00020000;
inline constexpr DWord WS_MAXIMIZEBOX = 0x00010000;
inline constexpr DWord WS_TABSTOP = 0x00010000;
inline constexpr DWord WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

inline constexpr DWord WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr DWord WS_EX_NOPARENTNOTIFY = 0x00000004;
inline constexpr DWord WS_EX_TOPMOST = 0x00000008;
inline constexpr DWord WS_EX_TRANSPARENT = 0x00000020;
inline constexpr DWord WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr DWord WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr DWord WS_EX_APPWINDOW = 0x00040000;
inline constexpr DWord WS_EX_LAYERED = 0x00080000;
inline constexpr DWord WS_EX_NOACTIVATE = 0x08000000;

// Class styles.
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr UINT CS_SAVEBITS = 0x0800;
inline constexpr UINT CS_DROPSHADOW = 0x00020000;

// Get/SetWindowLong indexes.
inline constexpr int GWL_STYLE = -16;
inline constexpr int GWL_EXSTYLE = -20;
inline constexpr int GWL_ID = -12;
inline constexpr int GWL_USERDATA = -21;
inline constexpr int GWL_HWNDPARENT = -8;

// SetWindowPos.
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOREDRAW = 0x0008;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_FRAMECHANGED = 0x0020;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;
inline constexpr UINT SWP_NOOWNERZORDER = 0x0200;
inline constexpr UINT SWP_NOSENDCHANGING = 0x0400;

// ShowWindow.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;
// WM_SHOWWINDOW lParam.
inline constexpr int SW_PARENTCLOSING = 1;
inline constexpr int SW_PARENTOPENING = 3;

// WM_SIZE wParam.
inline constexpr int SIZE_RESTORED = 0;
inline constexpr int SIZE_MINIMIZED = 1;
inline constexpr int SIZE_MAXIMIZED = 2;

// WM_ACTIVATE / WM_MOUSEACTIVATE.
inline constexpr int WA_INACTIVE = 0;
inline constexpr int WA_ACTIVE = 1;
inline constexpr int WA_CLICKACTIVE = 2;
inline constexpr int MA_ACTIVATE = 1;
inline constexpr int MA_ACTIVATEANDEAT = 2;
inline constexpr int MA_NOACTIVATE = 3;
inline constexpr int MA_NOACTIVATEANDEAT = 4;

// Hit-test codes.
inline constexpr int HTERROR = -2;
inline constexpr int HTTRANSPARENT = -1;
inline constexpr int HTNOWHERE = 0;
inline constexpr int HTCLIENT = 1;
inline constexpr int HTCAPTION = 2;
inline constexpr int HTSYSMENU = 3;
inline constexpr int HTHSCROLL = 6;
inline constexpr int HTVSCROLL = 7;
inline constexpr int HTMINBUTTON = 8;
inline constexpr int HTMAXBUTTON = 9;
inline constexpr int HTLEFT = 10;
inline constexpr int HTRIGHT = 11;
inline constexpr int HTTOP = 12;
inline constexpr int HTTOPLEFT = 13;
inline constexpr int HTTOPRIGHT = 14;
inline constexpr int HTBOTTOM = 15;
inline constexpr int HTBOTTOMLEFT = 16;
inline constexpr int HTBOTTOMRIGHT = 17;
inline constexpr int HTBORDER = 18;
inline constexpr int HTOBJECT = 19;
inline constexpr int HTCLOSE = 20;

// System commands.
inline constexpr UINT SC_SIZE = 0xF000;
inline constexpr UINT SC_MOVE = 0xF010;
inline constexpr UINT SC_MINIMIZE = 0xF020;
inline constexpr UINT SC_MAXIMIZE = 0xF030;
inline constexpr UINT SC_CLOSE = 0xF060;
inline constexpr UINT SC_KEYMENU = 0xF100;
inline constexpr UINT SC_RESTORE = 0xF120;

// Virtual keys.
inline constexpr int VK_LBUTTON = 0x01;
inline constexpr int VK_RBUTTON = 0x02;
inline constexpr int VK_CANCEL = 0x03;
inline constexpr int VK_MBUTTON = 0x04;
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_PAUSE = 0x13;
inline constexpr int VK_CAPITAL = 0x14;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_PRIOR = 0x21;
inline constexpr int VK_NEXT = 0x22;
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
inline constexpr int VK_SNAPSHOT = 0x2C;
inline constexpr int VK_HELP = 0x2F;
inline constexpr int VK_LWIN = 0x5B;
inline constexpr int VK_RWIN = 0x5C;
inline constexpr int VK_APPS = 0x5D; // the menu key
inline constexpr int VK_NUMPAD0 = 0x60;
inline constexpr int VK_NUMPAD1 = 0x61;
inline constexpr int VK_NUMPAD2 = 0x62;
inline constexpr int VK_NUMPAD3 = 0x63;
inline constexpr int VK_NUMPAD4 = 0x64;
inline constexpr int VK_NUMPAD5 = 0x65;
inline constexpr int VK_NUMPAD6 = 0x66;
inline constexpr int VK_NUMPAD7 = 0x67;
inline constexpr int VK_NUMPAD8 = 0x68;
inline constexpr int VK_NUMPAD9 = 0x69;
inline constexpr int VK_MULTIPLY = 0x6A;
inline constexpr int VK_ADD = 0x6B;
inline constexpr int VK_SEPARATOR = 0x6C;
inline constexpr int VK_SUBTRACT = 0x6D;
inline constexpr int VK_DECIMAL = 0x6E;
inline constexpr int VK_DIVIDE = 0x6F;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F2 = 0x71;
inline constexpr int VK_F3 = 0x72;
inline constexpr int VK_F4 = 0x73;
inline constexpr int VK_F5 = 0x74;
inline constexpr int VK_F6 = 0x75;
inline constexpr int VK_F7 = 0x76;
inline constexpr int VK_F8 = 0x77;
inline constexpr int VK_F9 = 0x78;
inline constexpr int VK_F10 = 0x79;
inline constexpr int VK_F11 = 0x7A;
inline constexpr int VK_F12 = 0x7B;
inline constexpr int VK_NUMLOCK = 0x90;
inline constexpr int VK_SCROLL = 0x91;
inline constexpr int VK_LSHIFT = 0xA0;
inline constexpr int VK_RSHIFT = 0xA1;
inline constexpr int VK_LCONTROL = 0xA2;
inline constexpr int VK_RCONTROL = 0xA3;
inline constexpr int VK_LMENU = 0xA4;
inline constexpr int VK_RMENU = 0xA5;
// Punctuation keys of a US layout: ;: =+ ,< -_ .> /? `~ [{ \| ]} '"  and the extra <> key.
inline constexpr int VK_OEM_1 = 0xBA;
inline constexpr int VK_OEM_PLUS = 0xBB;
inline constexpr int VK_OEM_COMMA = 0xBC;
inline constexpr int VK_OEM_MINUS = 0xBD;
inline constexpr int VK_OEM_PERIOD = 0xBE;
inline constexpr int VK_OEM_2 = 0xBF;
inline constexpr int VK_OEM_3 = 0xC0;
inline constexpr int VK_OEM_4 = 0xDB;
inline constexpr int VK_OEM_5 = 0xDC;
inline constexpr int VK_OEM_6 = 0xDD;
inline constexpr int VK_OEM_7 = 0xDE;
inline constexpr int VK_OEM_8 = 0xDF; // also: any key of another layout without a key of its own
inline constexpr int VK_OEM_102 = 0xE2;
inline constexpr int VK_PACKET = 0xE7; // a character that came without a key (an input method's text)

// Scroll bars: which bar, the request codes of WM_HSCROLL/WM_VSCROLL and SCROLLINFO.
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_LEFT = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_RIGHT = 7;
inline constexpr int SB_ENDSCROLL = 8;
inline constexpr UINT SIF_RANGE = 0x0001;
inline constexpr UINT SIF_PAGE = 0x0002;
inline constexpr UINT SIF_POS = 0x0004;
inline constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
inline constexpr UINT SIF_TRACKPOS = 0x0010;
inline constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// WM_HSCROLL/WM_VSCROLL wParam: the request code in the low 16 bits and the position as a full
// signed 32-bit value in the upper half (WPARAM is 64 bits wide on every target), so long lists
// never lose the high bits of a thumb position.
static_assert(sizeof(WPARAM) >= 8, "scroll positions need a 64-bit WPARAM");
inline WPARAM MakeScrollWParam(int code, int pos) {
    return (static_cast<WPARAM>(static_cast<std::uint32_t>(pos)) << 32) | static_cast<WPARAM>(code & 0xFFFF);
}
inline int ScrollCode(WPARAM w) {
    return static_cast<int>(w & 0xFFFF);
}
inline int ScrollPos(WPARAM w) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(w >> 32));
}

// Mouse key state in mouse messages' wParam.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;
inline constexpr int WHEEL_DELTA = 120;

// GetWindow.
inline constexpr UINT GW_HWNDFIRST = 0;
inline constexpr UINT GW_HWNDLAST = 1;
inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_HWNDPREV = 3;
inline constexpr UINT GW_OWNER = 4;
inline constexpr UINT GW_CHILD = 5;
inline constexpr UINT GA_PARENT = 1;
inline constexpr UINT GA_ROOT = 2;

// RedrawWindow.
inline constexpr UINT RDW_INVALIDATE = 0x0001;
inline constexpr UINT RDW_ERASE = 0x0004;
inline constexpr UINT RDW_VALIDATE = 0x0008;
inline constexpr UINT RDW_NOERASE = 0x0020;
inline constexpr UINT RDW_ALLCHILDREN = 0x0080;
inline constexpr UINT RDW_UPDATENOW = 0x0100;
inline constexpr UINT RDW_ERASENOW = 0x0200;
inline constexpr UINT RDW_FRAME = 0x0400;

// PeekMessage.
inline constexpr UINT PM_NOREMOVE = 0;
inline constexpr UINT PM_REMOVE = 1;

// Layered windows.
inline constexpr DWord LWA_ALPHA = 2;

// Monitors and system parameters.
inline constexpr DWord MONITOR_DEFAULTTONULL = 0;
inline constexpr DWord MONITOR_DEFAULTTOPRIMARY = 1;
inline constexpr DWord MONITOR_DEFAULTTONEAREST = 2;
inline constexpr UINT SPI_GETWORKAREA = 0x0030;
inline constexpr UINT SPI_GETDRAGFULLWINDOWS = 0x0026;
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_CXSIZE = 30;
inline constexpr int SM_CYSIZE = 31;
inline constexpr int SM_CYCURSOR = 14;
inline constexpr int SM_CXSMICON = 49;
inline constexpr int SM_CYSMICON = 50;
inline constexpr int SM_CXDOUBLECLK = 36;
inline constexpr int SM_CXVSCROLL = 2;
inline constexpr int SM_CYHSCROLL = 3;
inline constexpr int SM_CXBORDER = 5;
inline constexpr int SM_CYBORDER = 6;
inline constexpr int SM_CXICON = 11;
inline constexpr int SM_CYICON = 12;
inline constexpr int SM_CXCURSOR = 13;
inline constexpr int SM_CXEDGE = 45;
inline constexpr int SM_CYEDGE = 46;
inline constexpr int SM_XVIRTUALSCREEN = 76;
inline constexpr int SM_YVIRTUALSCREEN = 77;
inline constexpr int SM_CXVIRTUALSCREEN = 78;
inline constexpr int SM_CYVIRTUALSCREEN = 79;
inline constexpr int SM_CMONITORS = 80;
inline constexpr int SM_CYDOUBLECLK = 37;

// Cursors (the class library's crXXX are negative; these are the shapes a back end draws).
enum class CursorShape {
    Arrow,
    IBeam,
    Wait,
    Cross,
    SizeWE,
    SizeNS,
    SizeNWSE,
    SizeNESW,
    SizeAll,
    Hand,
    No,
    HSplit,
    VSplit
};

struct MINMAXINFO {
    TPoint ptReserved;
    TPoint ptMaxSize;
    TPoint ptMaxPosition;
    TPoint ptMinTrackSize;
    TPoint ptMaxTrackSize;
};

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

// rgrc[0]: proposed window rect in, client rect out (parent coordinates).
struct NCCALCSIZE_PARAMS {
    TRect rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    DWord style = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
    DWord dwExStyle = 0;
};

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWord time = 0;
    TPoint pt;
    // The character a key press produced (UTF-32), for TranslateMessage; 0 when none.
    std::uint32_t keyChar = 0;
};

struct MONITORINFO {
    TRect rcMonitor;
    TRect rcWork;
    DWord dwFlags = 0; // MONITORINFOF_PRIMARY
};
inline constexpr DWord MONITORINFOF_PRIMARY = 1;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;

} // namespace vd
