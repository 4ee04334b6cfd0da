#include "platform/win/x11/X11Connection.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace vd {

std::unique_ptr<X11Connection> X11Connection::Open(const String& display) {
    Display* dpy = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    if (!dpy) return nullptr;
    return std::unique_ptr<X11Connection>(new X11Connection(dpy, eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)));
}

X11Connection::X11Connection(_XDisplay* dpy, int wakeFd)
    : FDpy(dpy), FScreen(DefaultScreen(dpy)), FRoot(RootWindow(dpy, DefaultScreen(dpy))), FWakeFd(wakeFd) {}

X11Connection::~X11Connection() {
    XCloseDisplay(FDpy);
    if (FWakeFd >= 0) close(FWakeFd);
}

XId X11Connection::Intern(const char* name) const {
    return XInternAtom(FDpy, name, False);
}

bool X11Connection::Wait(int timeoutMs) {
    if (XEventsQueued(FDpy, QueuedAlready)) return true;
    // Xlib reads the socket only for a reply, for a full buffer or when asked for events, and
    // an event call leaves what it read in the queue: with no request sent since the socket was
    // last found empty, there is nothing to flush or read, and the system calls are spared.
    if (XNextRequest(FDpy) != FQuietRequest) {
        if (XPending(FDpy)) return true;
        FQuietRequest = XNextRequest(FDpy);
    }
    pollfd fds[2] = {{ConnectionNumber(FDpy), POLLIN, 0}, {FWakeFd, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0) return false;
    // Each system call counts at a 30 ms tick: the eventfd is read only when it was written.
    std::uint64_t v = 0;
    if ((fds[1].revents & POLLIN) && read(FWakeFd, &v, sizeof v) < 0) {
    }
    return fds[0].revents != 0;
}

void X11Connection::Wake() {
    const std::uint64_t one = 1;
    if (write(FWakeFd, &one, sizeof one) < 0) {
    }
}

} // namespace vd
