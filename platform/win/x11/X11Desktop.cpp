#include "platform/win/x11/X11Desktop.h"

#include "platform/win/x11/X11Connection.h"
#include "platform/win/x11/X11Errors.h"
#include "platform/win/x11/XSettings.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <ctime>
#include <optional>
#include <string>

namespace vd {

X11Desktop::X11Desktop(X11Connection& conn) : FConn(conn), FNetWorkArea(conn.Intern("_NET_WORKAREA")) {}

std::vector<MonitorDesc> X11Desktop::Monitors() {
    Display* dpy = FConn.Dpy();
    std::vector<MonitorDesc> out;
    int count = 0;
    int ev = 0, err = 0;
    if (XRRQueryExtension(dpy, &ev, &err)) {
        if (XRRMonitorInfo* mons = XRRGetMonitors(dpy, FConn.Root(), True, &count)) {
            for (int i = 0; i < count; ++i) {
                TRect b = Bounds(mons[i].x, mons[i].y, mons[i].width, mons[i].height);
                MonitorDesc d{b, b};
                if (mons[i].primary)
                    out.insert(out.begin(), d);
                else
                    out.push_back(d);
            }
            XRRFreeMonitors(mons);
        }
    }
    if (out.empty()) {
        const TRect b{0, 0, DisplayWidth(dpy, FConn.Screen()), DisplayHeight(dpy, FConn.Screen())};
        out.push_back({b, b});
    }
    CutToWorkArea(out);
    return out;
}

// The desktop-wide work area, cut to each monitor.
void X11Desktop::CutToWorkArea(std::vector<MonitorDesc>& monitors) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(FConn.Dpy(), FConn.Root(), FNetWorkArea, 0, 4, False, XA_CARDINAL, &type, &format,
                           &n, &after, &data) == Success &&
        data && n >= 4 && format == 32) {
        // Set by another program: the edges are summed in 64 bits and cut to what 16-bit X
        // coordinates can reach, so no number there overflows ours.
        const long* v = reinterpret_cast<const long*>(data);
        auto coord = [](long long c) { return static_cast<int>(std::clamp(c, -65535LL, 65535LL)); };
        const TRect wa{coord(v[0]), coord(v[1]), coord(static_cast<long long>(v[0]) + v[2]),
                       coord(static_cast<long long>(v[1]) + v[3])};
        for (auto& d : monitors) {
            TRect r{std::max(d.bounds.Left, wa.Left), std::max(d.bounds.Top, wa.Top),
                    std::min(d.bounds.Right, wa.Right), std::min(d.bounds.Bottom, wa.Bottom)};
            if (r.Right > r.Left && r.Bottom > r.Top) d.work = r;
        }
    }
    if (data) XFree(data);
}

namespace {

// Never 0, which stands for "not known".
std::uint64_t MonotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::max<std::uint64_t>(std::uint64_t(ts.tv_sec) * 1000u + std::uint64_t(ts.tv_nsec) / 1000000u,
                                   1);
}

} // namespace

TPoint X11Desktop::CursorPos() {
    if (FPointerTracked) return FPointer;
    const std::uint64_t now = MonotonicMs();
    if (FPointerAt != 0 && now - FPointerAt < 500) return FPointer;
    ::Window r = 0, c = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(FConn.Dpy(), FConn.Root(), &r, &c, &rx, &ry, &wx, &wy, &mask);
    FPointer = {rx, ry};
    FPointerAt = now;
    return FPointer;
}

// Our windows select motion, button and crossing events, so while the pointer is over one of
// them it cannot move unseen. After a crossing into a child window or out of ours, or another
// client's grab, the server is asked again.
void X11Desktop::EventSeen(const XEvent& e) {
    switch (e.type) {
    case MotionNotify:
        FPointer = {e.xmotion.x_root, e.xmotion.y_root};
        FPointerTracked = true;
        break;
    case ButtonPress:
    case ButtonRelease:
        FPointer = {e.xbutton.x_root, e.xbutton.y_root};
        FPointerTracked = true;
        break;
    case EnterNotify:
    case LeaveNotify: {
        const XCrossingEvent& c = e.xcrossing;
        FPointer = {c.x_root, c.y_root};
        // Virtual details: the pointer went on into a child window, which may not report moves.
        const bool intoThis =
            c.detail == NotifyAncestor || c.detail == NotifyInferior || c.detail == NotifyNonlinear;
        FPointerTracked = e.type == EnterNotify && c.mode != NotifyGrab && intoThis;
        break;
    }
    default:
        return;
    }
    // Known now; once it leaves our windows, the server is asked after the usual pause.
    FPointerAt = MonotonicMs();
}

// An integer of the XSETTINGS manager, when one runs and holds it.
std::optional<int> X11Desktop::Setting(std::string_view name) {
    Display* dpy = FConn.Dpy();
    const String sel = "_XSETTINGS_S" + std::to_string(FConn.Screen());
    const ::Window owner = XGetSelectionOwner(dpy, FConn.Intern(sel.c_str()));
    if (!owner) return std::nullopt;
    const Atom prop = FConn.Intern("_XSETTINGS_SETTINGS");
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    // The manager may vanish between the two requests: its errors must not end the program.
    x11::IgnoreErrorsOn(dpy);
    const int rc = XGetWindowProperty(dpy, owner, prop, 0, 1 << 16, False, AnyPropertyType, &type, &format,
                                      &n, &after, &data);
    XSync(dpy, False);
    x11::StopIgnoringErrorsOn(dpy);
    std::optional<int> v;
    if (rc == Success && data && format == 8) v = x11::FindXSettingsInt(data, n, name);
    if (data) XFree(data);
    return v;
}

unsigned X11Desktop::DoubleClickTime() {
    constexpr unsigned kDefault = 500;
    const std::optional<int> v = Setting("Net/DoubleClickTime");
    if (!v || *v <= 0 || *v > 5000) return kDefault;
    return static_cast<unsigned>(*v);
}

unsigned X11Desktop::CaretBlinkTime() {
    constexpr unsigned kDefault = 530;
    if (const std::optional<int> on = Setting("Net/CursorBlink"); on && *on == 0) return 0;
    // The desktop gives a whole on-and-off cycle; the caret toggles twice in one.
    const std::optional<int> cycle = Setting("Net/CursorBlinkTime");
    if (!cycle || *cycle < 100 || *cycle > 10000) return kDefault;
    return static_cast<unsigned>(*cycle / 2);
}

bool X11Desktop::LayeredWindowsAvailable() {
    const String name = "_NET_WM_CM_S" + std::to_string(FConn.Screen());
    return XGetSelectionOwner(FConn.Dpy(), FConn.Intern(name.c_str())) != 0;
}

} // namespace vd
