#include "platform/shell/X11TrayHost.h"

#include "platform/win/Windows.h"
#include "platform/win/x11/X11Tray.h"

namespace vd {

namespace {

X11Tray::Icon ToIcon(const TrayIconState& s) {
    X11Tray::Icon icon;
    icon.owner = s.owner;
    icon.id = s.id;
    icon.callbackMessage = s.callbackMessage;
    icon.width = s.image.width;
    icon.height = s.image.height;
    icon.pixels = s.image.pixels;
    icon.tip = s.tip;
    return icon;
}

} // namespace

std::unique_ptr<X11TrayHost> X11TrayHost::Open(const String& display) {
    auto tray = X11Tray::Open(
        display, [] { BroadcastTaskbarCreated(); }, [] { BroadcastTrayLost(); });
    if (!tray) return nullptr;
    // Double clicks on the icon follow the desktop's setting like those in our windows.
    tray->SetDoubleClickTime(GetDoubleClickTime());
    return std::unique_ptr<X11TrayHost>(new X11TrayHost(std::move(tray)));
}

X11TrayHost::X11TrayHost(std::unique_ptr<X11Tray> tray) : FTray(std::move(tray)) {}
X11TrayHost::~X11TrayHost() = default;

bool X11TrayHost::Add(const TrayIconState& icon) {
    return FTray->Add(ToIcon(icon));
}
bool X11TrayHost::Modify(const TrayIconState& icon) {
    return FTray->Modify(ToIcon(icon));
}
bool X11TrayHost::Remove(HWND owner, UINT id) {
    return FTray->Remove(owner, id);
}

} // namespace vd
