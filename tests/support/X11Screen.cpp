#include "tests/support/X11Screen.h"

#include "platform/vcl/Application.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>

namespace vd::test {

void X11Screen::Open() {
    ASSERT_TRUE(Server.Running()) << "no X server could be started (scripts/install-deps installs Xvfb)";
    ::setenv("DISPLAY", Server.Display().c_str(), 1);
    Backend = X11Backend::Open(Server.Display());
    ASSERT_TRUE(Backend);
    InstallBackend(Backend.get());
    FInstalled = true;
    Observer = XOpenDisplay(Server.Display().c_str());
    ASSERT_NE(Observer, nullptr);
}

void X11Screen::Close() {
    if (Observer) XCloseDisplay(Observer);
    Observer = nullptr;
    if (FInstalled) InstallBackend(nullptr);
    FInstalled = false;
}

void X11Screen::Pump() {
    Application->ProcessMessages();
    Backend->Sync();
}

void X11Screen::PumpWaiting() {
    Pump();
    Backend->WaitForInput(10);
}

bool X11Screen::PumpUntil(const std::function<bool()>& done, int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        Pump();
        if (done()) return true;
        Backend->WaitForInput(10);
    }
    Application->ProcessMessages();
    return done();
}

bool X11Screen::Viewable(unsigned long window) const {
    XWindowAttributes a{};
    return window && XGetWindowAttributes(Observer, window, &a) && a.map_state == IsViewable;
}

} // namespace vd::test
