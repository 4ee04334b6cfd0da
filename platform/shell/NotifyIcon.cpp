#include "platform/shell/NotifyIcon.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Blit.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Objects.h"
#include "platform/rtl/Utf8.h"
#include "platform/shell/FakeTray.h"
#include "platform/win/Windows.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <set>

namespace vd {

namespace {

std::atomic<TrayHost*> gHost{nullptr};

// Icon owners and watchers; tray hosts broadcast from their own threads.
std::mutex gLock;
std::map<std::pair<HWND, UINT>, TrayIconState> gIcons;
std::set<HWND> gWatchers;

FakeTray& DefaultTray() {
    static FakeTray tray;
    return tray;
}

} // namespace

void InstallTrayHost(TrayHost* host) {
    gHost.store(host);
}

TrayHost& CurrentTrayHost() {
    TrayHost* host = gHost.load();
    return host ? *host : DefaultTray();
}

String CutTrayTip(const String& tip) {
    return Utf8CutBytes(tip, kTrayTipMaxBytes);
}

TrayIconImage RenderTrayIcon(HICON icon, int size) {
    TrayIconImage image;
    if (!icon || size <= 0) return image;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateBitmap(size, size, 1, 32, nullptr);
    if (dc && bmp) {
        HGDIOBJ old = SelectObject(dc, bmp);
        // Transparent parts show a neutral grey: the icon window has no alpha.
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                SetPixel(dc, x, y, RGB(0xC0, 0xC0, 0xC0));
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        image.width = image.height = size;
        image.pixels.resize(std::size_t(size) * std::size_t(size));
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                image.pixels[std::size_t(y) * std::size_t(size) + std::size_t(x)] =
                    (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        SelectObject(dc, old);
    }
    if (bmp) DeleteObject(bmp);
    if (dc) DeleteDC(dc);
    return image;
}

BOOL Shell_NotifyIcon(DWord message, const NOTIFYICONDATA& data) {
    const auto key = std::make_pair(data.hWnd, data.uID);
    if (message == NIM_DELETE) {
        {
            std::lock_guard<std::mutex> guard(gLock);
            if (gIcons.erase(key) == 0) return FALSE;
        }
        CurrentTrayHost().Remove(data.hWnd, data.uID);
        return TRUE;
    }
    if (message != NIM_ADD && message != NIM_MODIFY) return FALSE;
    if (!IsWindow(data.hWnd)) return FALSE;
    TrayIconState state;
    {
        std::lock_guard<std::mutex> guard(gLock);
        auto it = gIcons.find(key);
        // Adding an icon that exists shows it again: the way back after a new notification area.
        if (message == NIM_MODIFY && it == gIcons.end()) return FALSE;
        if (it != gIcons.end()) state = it->second;
    }
    state.owner = data.hWnd;
    state.id = data.uID;
    if (data.uFlags & NIF_MESSAGE) state.callbackMessage = data.uCallbackMessage;
    if (data.uFlags & NIF_ICON) state.image = RenderTrayIcon(data.hIcon);
    if (data.uFlags & NIF_TIP) state.tip = CutTrayTip(data.szTip);
    TrayHost& host = CurrentTrayHost();
    if (!(message == NIM_ADD ? host.Add(state) : host.Modify(state))) return FALSE;
    std::lock_guard<std::mutex> guard(gLock);
    gIcons[key] = std::move(state);
    return TRUE;
}

UINT TaskbarCreatedMessage() {
    return RegisterWindowMessage("TaskbarCreated");
}

void WatchTaskbarCreated(HWND hwnd) {
    std::lock_guard<std::mutex> guard(gLock);
    gWatchers.insert(hwnd);
}

void UnwatchTaskbarCreated(HWND hwnd) {
    std::lock_guard<std::mutex> guard(gLock);
    gWatchers.erase(hwnd);
}

namespace {

void PostToIconWindows(UINT msg) {
    std::set<HWND> targets;
    {
        std::lock_guard<std::mutex> guard(gLock);
        targets = gWatchers;
        for (const auto& [key, icon] : gIcons)
            targets.insert(key.first);
    }
    for (HWND hwnd : targets)
        PostMessage(hwnd, msg, 0, 0);
}

} // namespace

void BroadcastTaskbarCreated() {
    PostToIconWindows(TaskbarCreatedMessage());
}

UINT TrayLostMessage() {
    return RegisterWindowMessage("VendrillTrayLost");
}

void BroadcastTrayLost() {
    PostToIconWindows(TrayLostMessage());
}

} // namespace vd
