#pragma once
// Notification-area icons on X11 by the XEmbed system-tray protocol: each icon is a small
// window docked into the tray manager (owner of _NET_SYSTEM_TRAY_S<screen>). It has its own
// display connection and a thread that turns pointer events on icon windows into posted
// callback messages and re-docks when a new manager appears. No X header is visible here.
#include "platform/rtl/String.h"
#include "platform/win/WinTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vd {

class X11Tray {
public:
    struct Icon {
        HWND owner = nullptr;
        UINT id = 0;
        UINT callbackMessage = 0; // posted as (owner, callbackMessage, id, mouse message)
        int width = 0;            // pixels 0x00RRGGBB, scaled to the icon window
        int height = 0;
        std::vector<std::uint32_t> pixels;
        String tip; // the icon window's name; trays show it as the tooltip
    };

    // Connects (empty: $DISPLAY); null when that fails. onNewManager runs on the tray's thread
    // after every icon was docked with a newly appeared manager; onManagerGone when the manager
    // went away (the icons are no longer shown).
    static std::unique_ptr<X11Tray> Open(const String& display, std::function<void()> onNewManager,
                                         std::function<void()> onManagerGone = {});
    ~X11Tray();

    // Docks a new icon, or updates one that exists; false when no tray manager runs, so the
    // caller keeps its window reachable another way.
    bool Add(const Icon& icon);
    bool Modify(const Icon& icon);    // repaint and tip; false for an unknown icon
    bool Remove(HWND owner, UINT id); // destroys the icon window

    // Two presses within this time make a double click (the desktop's double-click time).
    void SetDoubleClickTime(unsigned ms);

    // The icon's X window (0 for none), for tests.
    unsigned long IconWindow(HWND owner, UINT id) const;

    struct Impl;

private:
    explicit X11Tray(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> FImpl;
};

} // namespace vd
