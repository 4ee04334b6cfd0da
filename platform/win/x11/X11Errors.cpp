#include "platform/win/x11/X11Errors.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace vd::x11 {
namespace {

std::mutex gErrorLock;
std::vector<Display*> gIgnored;
XErrorHandler gPreviousHandler = nullptr;

int IgnoringHandler(Display* dpy, XErrorEvent* error) {
    XErrorHandler previous = nullptr;
    {
        std::lock_guard<std::mutex> guard(gErrorLock);
        if (std::find(gIgnored.begin(), gIgnored.end(), dpy) != gIgnored.end()) return 0;
        previous = gPreviousHandler;
    }
    return previous ? previous(dpy, error) : 0;
}

} // namespace

void IgnoreErrorsOn(Display* dpy) {
    std::lock_guard<std::mutex> guard(gErrorLock);
    // Installed once and kept: restoring a handler could undo one set by someone else meanwhile.
    XErrorHandler old = XSetErrorHandler(IgnoringHandler);
    if (old != IgnoringHandler) gPreviousHandler = old;
    gIgnored.push_back(dpy);
}

void StopIgnoringErrorsOn(Display* dpy) {
    std::lock_guard<std::mutex> guard(gErrorLock);
    if (auto it = std::find(gIgnored.begin(), gIgnored.end(), dpy); it != gIgnored.end()) gIgnored.erase(it);
}

} // namespace vd::x11
