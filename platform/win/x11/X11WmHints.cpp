#include "platform/win/x11/X11WmHints.h"

#include "platform/rtl/FileUtils.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <vector>

namespace vd {

namespace {

// The instance name as the conventions have it: $RESOURCE_NAME, else the program file's name.
String ResourceName() {
    if (const char* env = std::getenv("RESOURCE_NAME"); env && *env) return env;
    String path = ProgramPath();
    const auto slash = path.find_last_of('/');
    if (slash != String::npos) path.erase(0, slash + 1);
    return path.empty() ? String("vendrill") : path;
}

} // namespace

X11WmHints::X11WmHints(X11Connection& conn)
    : FConn(conn), FNetState(conn.Intern("_NET_WM_STATE")),
      FMaxVert(conn.Intern("_NET_WM_STATE_MAXIMIZED_VERT")),
      FMaxHorz(conn.Intern("_NET_WM_STATE_MAXIMIZED_HORZ")), FPid(conn.Intern("_NET_WM_PID")) {}

bool X11WmHints::Running() const {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(FConn.Dpy(), FConn.Root(), &a)) return false;
    return (a.all_event_masks & SubstructureRedirectMask) != 0;
}

void X11WmHints::SetIdentity(XId w) const {
    Display* dpy = FConn.Dpy();
    String name = ResourceName();
    String cls = name;
    cls[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cls[0])));
    XClassHint hint{name.data(), cls.data()};
    XSetClassHint(dpy, w, &hint);
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        XTextProperty text{};
        char* list[] = {host};
        if (XStringListToTextProperty(list, 1, &text)) {
            XSetWMClientMachine(dpy, w, &text);
            XFree(text.value);
        }
    }
    const long pid = static_cast<long>(getpid());
    XChangeProperty(dpy, w, FPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
}

void X11WmHints::SetTransientFor(XId w, XId owner) const {
    if (owner)
        XSetTransientForHint(FConn.Dpy(), w, owner);
    else
        XDeleteProperty(FConn.Dpy(), w, XA_WM_TRANSIENT_FOR);
}

void X11WmHints::SetMaximized(XId w, bool ask, bool on) const {
    Display* dpy = FConn.Dpy();
    if (!ask) {
        // The window's other states stay.
        std::vector<Atom> states;
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(dpy, w, FNetState, 0, 32, False, XA_ATOM, &type, &format, &count, &after,
                               &data) == Success &&
            data) {
            if (format == 32)
                for (unsigned long i = 0; i < count; ++i) {
                    const Atom a = reinterpret_cast<Atom*>(data)[i];
                    if (a != FMaxVert && a != FMaxHorz) states.push_back(a);
                }
            XFree(data);
        }
        if (on) {
            states.push_back(FMaxVert);
            states.push_back(FMaxHorz);
        }
        XChangeProperty(dpy, w, FNetState, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(states.data()),
                        static_cast<int>(states.size()));
        return;
    }
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = FNetState;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = on ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
    ev.xclient.data.l[1] = static_cast<long>(FMaxVert);
    ev.xclient.data.l[2] = static_cast<long>(FMaxHorz);
    ev.xclient.data.l[3] = 1; // a normal application
    XSendEvent(dpy, FConn.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
}

} // namespace vd
