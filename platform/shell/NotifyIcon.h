#pragma once
// The notification-area icon: Shell_NotifyIcon and the "TaskbarCreated" message. Icons are
// shown by a tray host: the fake one in this process by default (headless), the X11 system
// tray when one is installed.
#include "platform/gfx/GdiTypes.h"
#include "platform/rtl/String.h"
#include "platform/win/WinTypes.h"

#include <cstdint>
#include <vector>

namespace vd {

inline constexpr DWord NIM_ADD = 0;
inline constexpr DWord NIM_MODIFY = 1;
inline constexpr DWord NIM_DELETE = 2;
inline constexpr UINT NIF_MESSAGE = 1;
inline constexpr UINT NIF_ICON = 2;
inline constexpr UINT NIF_TIP = 4;
inline constexpr std::size_t kTrayTipMaxBytes = 127;

struct NOTIFYICONDATA {
    HWND hWnd = nullptr;
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0; // posted with wParam = uID, lParam = mouse message
    HICON hIcon = nullptr;     // not owned; drawn when added or modified
    String szTip;              // UTF-8; cut to 127 bytes at a character boundary
};

// An icon as the host shows it: rendered once, 0x00RRGGBB pixels row by row.
struct TrayIconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

struct TrayIconState {
    HWND owner = nullptr;
    UINT id = 0;
    UINT callbackMessage = 0;
    TrayIconImage image;
    String tip;
};

// What shows the icons. Add fails when there is no notification area to show them in.
class TrayHost {
public:
    virtual ~TrayHost() = default;
    virtual bool Add(const TrayIconState& icon) = 0;
    virtual bool Modify(const TrayIconState& icon) = 0;
    virtual bool Remove(HWND owner, UINT id) = 0;
};

// Not owned; null restores the built-in fake tray.
void InstallTrayHost(TrayHost* host);
TrayHost& CurrentTrayHost();

BOOL Shell_NotifyIcon(DWord message, const NOTIFYICONDATA& data);

// The registered "TaskbarCreated" message; posted when a notification area (re)appears to every
// window that holds an icon and to every window given to WatchTaskbarCreated.
UINT TaskbarCreatedMessage();
void WatchTaskbarCreated(HWND hwnd);
void UnwatchTaskbarCreated(HWND hwnd);
// Posts "TaskbarCreated" as above; called by tray hosts from any thread.
void BroadcastTaskbarCreated();
// Posted to the same windows when the notification area goes away: the icons are no longer
// shown (they come back with the next "TaskbarCreated"). Called by tray hosts from any thread.
UINT TrayLostMessage();
void BroadcastTrayLost();

String CutTrayTip(const String& tip);
TrayIconImage RenderTrayIcon(HICON icon, int size = 32);

} // namespace vd
