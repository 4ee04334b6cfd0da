#include "platform/win/x11/X11Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>

namespace vd {

X11Clipboard::X11Clipboard(X11Connection& conn)
    : FConn(conn), FClipboard(conn.Intern("CLIPBOARD")), FTargets(conn.Intern("TARGETS")),
      FUtf8(conn.Intern("UTF8_STRING")), FSelProp(conn.Intern("VD_SELECTION")),
      FWindow(XCreateSimpleWindow(conn.Dpy(), conn.Root(), -10, -10, 1, 1, 0, 0, 0)) {}

X11Clipboard::~X11Clipboard() {
    XDestroyWindow(FConn.Dpy(), FWindow);
}

String X11Clipboard::Text() {
    Display* dpy = FConn.Dpy();
    if (FOwned) return FText;
    if (XGetSelectionOwner(dpy, FClipboard) == 0) return String();
    XConvertSelection(dpy, FClipboard, FUtf8, FSelProp, FWindow, CurrentTime);
    XFlush(dpy);
    // A bounded wait for the owner's answer.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    XEvent e;
    while (std::chrono::steady_clock::now() < deadline) {
        if (XCheckTypedWindowEvent(dpy, FWindow, SelectionNotify, &e)) {
            if (e.xselection.property == 0) return String();
            Atom type = 0;
            int format = 0;
            unsigned long n = 0, after = 0;
            unsigned char* data = nullptr;
            String out;
            if (XGetWindowProperty(dpy, FWindow, FSelProp, 0, 1 << 20, True, AnyPropertyType, &type, &format,
                                   &n, &after, &data) == Success &&
                data && format == 8)
                out.assign(reinterpret_cast<const char*>(data), n);
            if (data) XFree(data);
            return out;
        }
        pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
        poll(&fd, 1, 20);
    }
    return String();
}

void X11Clipboard::SetText(const String& text) {
    Display* dpy = FConn.Dpy();
    FText = text;
    XSetSelectionOwner(dpy, FClipboard, FWindow, CurrentTime);
    FOwned = XGetSelectionOwner(dpy, FClipboard) == FWindow;
    XFlush(dpy);
}

bool X11Clipboard::Handle(XEvent& e) {
    switch (e.type) {
    case SelectionRequest:
        AnswerRequest(e);
        return true;
    case SelectionClear:
        if (e.xselectionclear.selection == FClipboard) FOwned = false;
        return true;
    default:
        return false;
    }
}

void X11Clipboard::AnswerRequest(XEvent& e) {
    Display* dpy = FConn.Dpy();
    XSelectionRequestEvent& r = e.xselectionrequest;
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.requestor = r.requestor;
    reply.selection = r.selection;
    reply.target = r.target;
    reply.time = r.time;
    reply.property = 0;
    if (r.target == FTargets) {
        Atom list[] = {FTargets, FUtf8, XA_STRING};
        XChangeProperty(dpy, r.requestor, r.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(list), 3);
        reply.property = r.property;
    } else if (r.target == FUtf8 || r.target == XA_STRING) {
        XChangeProperty(dpy, r.requestor, r.property, r.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(FText.data()), static_cast<int>(FText.size()));
        reply.property = r.property;
    }
    XSendEvent(dpy, r.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
}

} // namespace vd
