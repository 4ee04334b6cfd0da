// The program: one running copy per user, the X11 window system with the desktop's
// notification area, and the main window with the program's own skin.
#include "app/ui/main/ProgramStart.h"
#include "platform/audio/FileLimit.h"
#include "platform/rtl/Resources.h"
#include "platform/shell/NotifyIcon.h"
#include "platform/shell/X11TrayHost.h"
#include "platform/vcl/Application.h"
#include "platform/win/x11/X11Backend.h"

#include <cstdio>
#include <exception>

namespace {

int Run() {
    using namespace vd;
    // A later start only asks the running copy to show itself: no display needed for that.
    std::unique_ptr<TSingleInstance> instance = ClaimProgramInstance();
    if (!instance) return 0;
    auto backend = X11Backend::Open();
    if (!backend) {
        std::fprintf(stderr, "Tarvolin Vendrill: cannot open the X display (is DISPLAY set?)\n");
        return 1;
    }
    InstallBackend(backend.get());
    std::unique_ptr<X11TrayHost> tray = X11TrayHost::Open();
    if (tray) InstallTrayHost(tray.get());
    const int status = RunMainWindow(*instance, FindResource("SKIN", "QUILLMARSH"));
    InstallTrayHost(nullptr);
    tray.reset();
    InstallBackend(nullptr);
    return status;
}

} // namespace

int main() {
    // Each listener of the own port and each encoder pipe takes a descriptor.
    vd::audio::RaiseOpenFileLimit();
    try {
        return Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Tarvolin Vendrill: %s\n", e.what());
        return 1;
    }
}
