#pragma once
// The notification area of an X11 desktop (the system-tray protocol). Without a tray manager
// adding an icon fails, so the caller keeps its window reachable (iconified in the task bar).
#include "platform/shell/NotifyIcon.h"

#include <memory>

namespace vd {

class X11Tray;

class X11TrayHost : public TrayHost {
public:
    // Null when the display cannot be opened (empty: $DISPLAY).
    static std::unique_ptr<X11TrayHost> Open(const String& display = String());
    ~X11TrayHost() override;

    bool Add(const TrayIconState& icon) override;
    bool Modify(const TrayIconState& icon) override;
    bool Remove(HWND owner, UINT id) override;

    X11Tray& Tray() { return *FTray; }

private:
    explicit X11TrayHost(std::unique_ptr<X11Tray> tray);
    std::unique_ptr<X11Tray> FTray;
};

} // namespace vd
