#pragma once
// The window-system calls. Windows belong to the thread that creates them; every call on a
// window runs on that thread except PostMessage, PostThreadMessage and SendMessage, which may
// come from any thread.
#include "platform/gfx/GdiTypes.h"
#include "platform/rtl/String.h"
#include "platform/win/Messages.h"

#include <functional>
#include <memory>
#include <vector>

namespace vd {

// A window procedure. Replacing one returns the previous one, which the new one may call through
// CallWindowProc; the shared pointer keeps a chained procedure alive while anyone holds it.
using WindowProcedure = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
using WNDPROC = std::shared_ptr<const WindowProcedure>;
WNDPROC MakeWndProc(WindowProcedure proc);
WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc); // returns the previous procedure
WNDPROC GetWindowProc(HWND hwnd);
LRESULT CallWindowProc(const WNDPROC& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc; // empty: DefWindowProc
    CursorShape cursor = CursorShape::Arrow;
    HBRUSH hbrBackground = nullptr; // erased with by default; not owned
    String lpszClassName;
};
ATOM RegisterClass(const WNDCLASS& wc); // re-registering a name replaces it for new windows
bool GetClassInfo(const String& className, WNDCLASS& out);
String GetClassName(HWND hwnd);
UINT GetClassStyle(HWND hwnd);

HWND CreateWindowEx(DWord exStyle, const String& className, const String& windowName, DWord style, int x,
                    int y, int width, int height, HWND parent, void* createParams = nullptr);
// Sends WM_DESTROY and WM_NCDESTROY to the window and its children; the handle is dead at once,
// while the memory of a window whose procedure is still running stays until it returns.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

LONG_PTR GetWindowLong(HWND hwnd, int index);
LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value);
String GetWindowText(HWND hwnd);
BOOL SetWindowText(HWND hwnd, const String& text); // sends WM_SETTEXT

// Messages and queues.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostThreadMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0); // to the calling thread
void PostQuitMessage(int exitCode);
BOOL GetMessage(MSG& msg); // FALSE on WM_QUIT
BOOL PeekMessage(MSG& msg, UINT removeFlags);
BOOL TranslateMessage(const MSG& msg);
LRESULT DispatchMessage(const MSG& msg);
void WaitMessage();
// Runs every message waiting now (translated and dispatched); returns how many ran.
int PumpWaitingMessages();
UINT RegisterWindowMessage(const String& name);
DWord GetMessageTime();

// Geometry. Window rectangles are in screen coordinates; client rectangles start at (0, 0).
BOOL GetWindowRect(HWND hwnd, TRect& rect);
BOOL GetClientRect(HWND hwnd, TRect& rect);
TRect GetWindowRect(HWND hwnd);
TRect GetClientRect(HWND hwnd);
BOOL ClientToScreen(HWND hwnd, TPoint& pt);
BOOL ScreenToClient(HWND hwnd, TPoint& pt);
void MapWindowPoints(HWND from, HWND to, TPoint* pts, int count);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint);
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL IsWindowVisible(HWND hwnd); // visible and every ancestor visible
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
HWND GetParent(HWND hwnd); // parent of a child, owner of a top-level
HWND SetParent(HWND hwnd, HWND newParent);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetWindow(HWND hwnd, UINT cmd);
BOOL IsChild(HWND parent, HWND hwnd);
HWND WindowFromPoint(TPoint screenPt);
HWND ChildWindowFromPoint(HWND parent, TPoint clientPt);
std::vector<HWND> GetTopLevelWindows(); // front to back

// Regions: window-relative rectangles (the non-client area included); empty list = no region.
// The full region type comes with the graphics layer; the window keeps the rectangles.
BOOL SetWindowRgnRects(HWND hwnd, const std::vector<TRect>& rects, BOOL redraw);
BOOL ClearWindowRgn(HWND hwnd, BOOL redraw);
bool GetWindowRgnRects(HWND hwnd, std::vector<TRect>& rects); // false: no region
BOOL SetLayeredWindowAttributes(HWND hwnd, DWord colorKey, Byte alpha, DWord flags);
bool GetLayeredAlpha(HWND hwnd, Byte& alpha); // false when the window is not layered
bool IsLayeredWindowOS();

// Painting.
BOOL InvalidateRect(HWND hwnd, const TRect* rect, BOOL erase); // rect null: whole client
BOOL ValidateRect(HWND hwnd, const TRect* rect);
BOOL UpdateWindow(HWND hwnd);
BOOL RedrawWindow(HWND hwnd, const TRect* rect, UINT flags);
bool GetUpdateRect(HWND hwnd, TRect& rect, BOOL erase);
// The paint area of the WM_PAINT being handled; clears the update area and sends
// WM_ERASEBKGND with the paint DC when an erase is pending.
struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    TRect rcPaint;
    bool caretHeld = false; // the caret was taken off the pixels for this paint
};
void BeginPaint(HWND hwnd, PAINTSTRUCT& ps);
void EndPaint(HWND hwnd, const PAINTSTRUCT& ps);
// Device contexts on the window's surface: the client area (GetDC) or the whole window with its
// non-client area (GetWindowDC), clipped to what is visible of it (children, siblings above,
// the window region). Release with ReleaseDC.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
// Takes ownership of the region (null removes it); window coordinates, non-client included.
int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw);
int GetWindowRgn(HWND hwnd, HRGN rgn); // copies into rgn; returns 0 (ERROR) without a region
// The pixels of a top-level window (its whole rectangle), as painted; null for none.
HBITMAP GetWindowSurface(HWND hwnd);
// A pixel of a window, window-relative (non-client included), 0xFFFFFFFF outside.
COLORREF GetWindowPixel(HWND hwnd, int x, int y);
// Moves the pixels of rect (null: the client area) within clip (null: the client area) by
// (dx, dy); the pending update area moves with them. ScrollWindow invalidates and erases what
// is uncovered and, for the whole client area, moves the children too.
BOOL ScrollWindow(HWND hwnd, int dx, int dy, const TRect* rect, const TRect* clip);
inline constexpr UINT SW_SCROLLCHILDREN = 0x0001;
inline constexpr UINT SW_INVALIDATE = 0x0002;
inline constexpr UINT SW_ERASE = 0x0004;
// Returns the uncovered area in update (when given); invalidates it with SW_INVALIDATE.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const TRect* rect, const TRect* clip, HRGN updateRgn,
                   TRect* update, UINT flags);

// Scroll state per window and bar (SB_HORZ, SB_VERT): kept and answered, never drawn. The
// position is clamped to nMin .. nMax - max(nPage - 1, 0). Set calls return the new position.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO& info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO& info);
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw); // returns the previous position
int GetScrollPos(HWND hwnd, int bar);
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
bool IsScrollBarShown(HWND hwnd, int bar);

// Input state.
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
// While a menu or drop-down is open: a press outside every window of ours sends WM_CANCELMODE
// to the opener (the X11 back end grabs the pointer for it). Null ends it.
void SetMenuGrab(HWND opener);
HWND GetMenuGrab();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
BOOL GetCursorPos(TPoint& pt);
BOOL SetCursorPos(int x, int y);
short GetAsyncKeyState(int vk);
short GetKeyState(int vk);
UINT GetDoubleClickTime();
void SetCursorShape(CursorShape shape);

// Timers. A timer of the same window and id is replaced (new interval, restarted). Only the
// window's own thread sets or kills its timers (another thread gets 0 / FALSE).
using TIMERPROC = std::function<void(HWND, UINT, std::uintptr_t, DWord)>;
std::uintptr_t SetTimer(HWND hwnd, std::uintptr_t id, UINT elapseMs, TIMERPROC proc = {});
BOOL KillTimer(HWND hwnd, std::uintptr_t id);
// Milliseconds of the window-system clock: what timers and message times use, and what a test
// moves on the headless back end. (The run-time GetTickCount is the real monotonic clock.)
DWord GetWindowTickCount();
// Async-signal-safe: a GUI thread waiting for messages in the installed back end wakes up (a
// signal may be handled on any thread of the process, not the one that waits).
void WakeFromSignal();

// Screens.
HMONITOR MonitorFromWindow(HWND hwnd, DWord flags);
HMONITOR MonitorFromPoint(TPoint pt, DWord flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO& info);
BOOL SystemParametersInfo(UINT action, UINT param, void* pv, UINT winIni);
int GetSystemMetrics(int index);

// The clipboard: text only (UTF-8 inside, CR LF line breaks as callers expect).
bool ClipboardHasText();
String ClipboardGetText();
void ClipboardSetText(const String& text);

// The caret: one per thread, starts hidden, ShowCaret/HideCaret count. While shown and its
// window visible it is drawn inverted onto the window's pixels, blinking with the back end's
// blink time; paints in its top-level window take it off first and put it back after.
BOOL CreateCaret(HWND hwnd, int width, int height);
BOOL DestroyCaret();
BOOL SetCaretPos(int x, int y);
BOOL ShowCaret(HWND hwnd);
BOOL HideCaret(HWND hwnd);
bool GetCaretState(HWND& hwnd, TRect& rect, bool& visible); // false: no caret
bool IsCaretDrawn();                                        // its pixels are inverted on the window now
UINT GetCaretBlinkTime();

// The system icons, drawn for this program: shared for the life of the process (never
// destroy them); null for any other id.
inline constexpr int IDI_APPLICATION = 32512;
inline constexpr int IDI_HAND = 32513;
inline constexpr int IDI_QUESTION = 32514;
inline constexpr int IDI_EXCLAMATION = 32515;
inline constexpr int IDI_ASTERISK = 32516;
inline constexpr int IDI_ERROR = IDI_HAND;
inline constexpr int IDI_WARNING = IDI_EXCLAMATION;
inline constexpr int IDI_INFORMATION = IDI_ASTERISK;
HICON LoadIcon(void* instance, int id);

void MessageBeep(UINT type);
// round(a * b / c), halves away from zero; -1 when c is 0 or the result needs more than 32 bits.
int MulDiv(int a, int b, int c);

} // namespace vd
