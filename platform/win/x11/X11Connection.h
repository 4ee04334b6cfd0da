#pragma once
// The back end's display connection and the eventfd other threads use to wake the GUI
// thread. Every part of the back end borrows the connection; it closes after all of them.
// No X header is visible here: X ids are unsigned long.
#include "platform/rtl/String.h"

#include <memory>

struct _XDisplay;

namespace vd {

using XId = unsigned long; // Window, Atom, Cursor

class X11Connection {
public:
    // Null when the display cannot be opened (empty: $DISPLAY).
    static std::unique_ptr<X11Connection> Open(const String& display);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    _XDisplay* Dpy() const { return FDpy; }
    int Screen() const { return FScreen; }
    XId Root() const { return FRoot; }
    XId Intern(const char* name) const;

    // Blocks until the server sent something, Wake() was called or timeoutMs passed (-1: no
    // limit); returns at once when events are already queued. False when nothing came from the
    // server, so the caller need not ask the socket again.
    bool Wait(int timeoutMs);
    void Wake(); // from any thread, and from a signal handler

private:
    X11Connection(_XDisplay* dpy, int wakeFd);
    _XDisplay* FDpy;
    int FScreen = 0;
    XId FRoot = 0;
    int FWakeFd = -1;
    unsigned long FQuietRequest = 0; // the next request's number when the socket was last empty
};

} // namespace vd
