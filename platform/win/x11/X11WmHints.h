#pragma once
// What the window manager is told about our top-level windows: the program's class and
// process, the window a dialog belongs to, and the maximized state; and whether a window
// manager runs at all, so that nothing asks for what nobody would honour (an iconify).
#include "platform/win/x11/X11Connection.h"

namespace vd {

class X11WmHints {
public:
    explicit X11WmHints(X11Connection& conn);

    // A window manager manages the screen: some client redirects the root's structure
    // requests, which every window manager does and nothing else may.
    bool Running() const;
    // WM_CLASS (the program's name, and the name capitalised), WM_CLIENT_MACHINE, _NET_WM_PID.
    void SetIdentity(XId w) const;
    // WM_TRANSIENT_FOR; 0 removes it.
    void SetTransientFor(XId w, XId owner) const;
    // _NET_WM_STATE maximized both ways: a request to the window manager (Ask), else the
    // property itself.
    void SetMaximized(XId w, bool ask, bool on) const;

private:
    X11Connection& FConn;
    XId FNetState, FMaxVert, FMaxHorz, FPid;
};

} // namespace vd
