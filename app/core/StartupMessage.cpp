#include "app/core/StartupMessage.h"

#include <atomic>
#include <cstdio>

namespace vd {

namespace {
std::atomic<bool> Terminated{false};
}

void ShowFatalStartupMessage(const String& text) {
    // Message texts break lines with CR; a terminal wants LF.
    String shown = text;
    for (char& c : shown)
        if (c == '\r') c = '\n';
    std::fprintf(stderr, "Tarvolin Vendrill: %s\n", shown.c_str());
    Terminated = true;
}

bool StartupTerminated() {
    return Terminated;
}

void ResetStartupTerminated() {
    Terminated = false;
}

} // namespace vd
