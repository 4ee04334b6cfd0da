#include "platform/win/x11/X11Tray.h"

#include "platform/win/Windows.h"
#include "platform/win/x11/X11Errors.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace vd {

namespace {

constexpr long kSystemTrayRequestDock = 0;
constexpr long kXEmbedMapped = 1;
constexpr int kDefaultIconSize = 24;
// The tray manager sizes our icon windows. Another program's size up to 65535 x 65535 is
// painted only this far: the rest of such a window shows its background.
constexpr int kMaxPaintedSide = 512;
constexpr int kDoubleClickDistance = 4;

UINT MouseMessage(unsigned button, bool press) {
    switch (button) {
    case Button1:
        return press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case Button2:
        return press ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    case Button3:
        return press ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    default:
        return 0; // wheel buttons
    }
}

UINT DoubleClickMessage(UINT down) {
    switch (down) {
    case WM_LBUTTONDOWN:
        return WM_LBUTTONDBLCLK;
    case WM_RBUTTONDOWN:
        return WM_RBUTTONDBLCLK;
    case WM_MBUTTONDOWN:
        return WM_MBUTTONDBLCLK;
    default:
        return down;
    }
}

struct Slot {
    X11Tray::Icon icon;
    ::Window win = 0;
    int width = kDefaultIconSize;
    int height = kDefaultIconSize;
    // The last press, for our own double-click detection.
    unsigned lastButton = 0;
    Time lastTime = 0;
    int lastX = 0;
    int lastY = 0;
    bool lastWasDouble = false;
};

} // namespace

struct X11Tray::Impl {
    Display* dpy = nullptr;
    ::Window root = 0;
    Atom selection = 0;
    Atom opcode = 0;
    Atom managerAtom = 0;
    Atom xembedInfo = 0;
    Atom netWmName = 0;
    Atom utf8 = 0;
    int wakeFd = -1;
    std::function<void()> onNewManager;
    std::function<void()> onManagerGone;
    std::atomic<unsigned> doubleClickMs{500};

    std::mutex lock; // guards the display and everything below
    ::Window manager = 0;
    std::vector<Slot> slots;

    std::atomic<bool> stop{false};
    std::thread thread;

    Slot* Find(HWND owner, UINT id) {
        for (auto& s : slots)
            if (s.icon.owner == owner && s.icon.id == id) return &s;
        return nullptr;
    }
    void Wake() {
        const std::uint64_t one = 1;
        [[maybe_unused]] auto n = write(wakeFd, &one, sizeof one);
    }
    ::Window CurrentManager();
    void UseManager(::Window w);
    void CreateIconWindow(Slot& s);
    void SendDock(::Window w);
    void SetTip(const Slot& s);
    void Paint(const Slot& s);
    bool Handle(XEvent& ev, bool& managerGone); // true when a new manager appeared
    void HandlePointer(const XEvent& ev);
    void Run();
};

void X11Tray::Impl::UseManager(::Window w) {
    manager = w;
    if (w) XSelectInput(dpy, w, StructureNotifyMask);
}

::Window X11Tray::Impl::CurrentManager() {
    if (!manager) {
        XGrabServer(dpy); // the owner must not vanish before we watch it
        UseManager(XGetSelectionOwner(dpy, selection));
        XUngrabServer(dpy);
        XSync(dpy, False);
    }
    return manager;
}

void X11Tray::Impl::CreateIconWindow(Slot& s) {
    s.win = XCreateSimpleWindow(dpy, root, 0, 0, unsigned(s.width), unsigned(s.height), 0, 0, 0xC0C0C0);
    XSelectInput(dpy, s.win,
                 ButtonPressMask | ButtonReleaseMask | PointerMotionMask | StructureNotifyMask |
                     ExposureMask);
    const long info[2] = {0, kXEmbedMapped}; // version 0, map when docked
    XChangeProperty(dpy, s.win, xembedInfo, xembedInfo, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(info), 2);
    SetTip(s);
}

void X11Tray::Impl::SendDock(::Window w) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = manager;
    ev.xclient.message_type = opcode;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = CurrentTime;
    ev.xclient.data.l[1] = kSystemTrayRequestDock;
    ev.xclient.data.l[2] = long(w);
    XSendEvent(dpy, manager, False, NoEventMask, &ev);
    XFlush(dpy);
}

void X11Tray::Impl::SetTip(const Slot& s) {
    const auto* text = reinterpret_cast<const unsigned char*>(s.icon.tip.data());
    XChangeProperty(dpy, s.win, netWmName, utf8, 8, PropModeReplace, text, int(s.icon.tip.size()));
    XStoreName(dpy, s.win, s.icon.tip.c_str());
}

void X11Tray::Impl::Paint(const Slot& s) {
    const int screen = DefaultScreen(dpy);
    if (!s.win || s.icon.width <= 0 || s.icon.height <= 0 || DefaultDepth(dpy, screen) < 24) return;
    const int w = std::min(s.width, kMaxPaintedSide), h = std::min(s.height, kMaxPaintedSide);
    if (w <= 0 || h <= 0) return;
    std::vector<std::uint32_t> scaled(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = x * s.icon.width / w, sy = y * s.icon.height / h;
            scaled[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
                s.icon.pixels[std::size_t(sy) * std::size_t(s.icon.width) + std::size_t(sx)];
        }
    XImage* image =
        XCreateImage(dpy, DefaultVisual(dpy, screen), unsigned(DefaultDepth(dpy, screen)), ZPixmap, 0,
                     reinterpret_cast<char*>(scaled.data()), unsigned(w), unsigned(h), 32, 0);
    if (!image) return;
    XPutImage(dpy, s.win, DefaultGC(dpy, screen), image, 0, 0, 0, 0, unsigned(w), unsigned(h));
    image->data = nullptr; // ours, freed by the vector
    XDestroyImage(image);
    XFlush(dpy);
}

void X11Tray::Impl::HandlePointer(const XEvent& ev) {
    const ::Window w = ev.type == MotionNotify ? ev.xmotion.window : ev.xbutton.window;
    auto it = std::find_if(slots.begin(), slots.end(), [w](const Slot& s) { return s.win == w; });
    if (it == slots.end() || !it->icon.callbackMessage) return;
    UINT msg = WM_MOUSEMOVE;
    if (ev.type != MotionNotify) {
        msg = MouseMessage(ev.xbutton.button, ev.type == ButtonPress);
        if (!msg) return;
        if (ev.type == ButtonPress) {
            const bool near = std::abs(ev.xbutton.x - it->lastX) <= kDoubleClickDistance &&
                              std::abs(ev.xbutton.y - it->lastY) <= kDoubleClickDistance;
            const bool twice = !it->lastWasDouble && it->lastButton == ev.xbutton.button && near &&
                               ev.xbutton.time - it->lastTime <= doubleClickMs.load();
            if (twice) msg = DoubleClickMessage(msg);
            it->lastWasDouble = twice;
            it->lastButton = ev.xbutton.button;
            it->lastTime = ev.xbutton.time;
            it->lastX = ev.xbutton.x;
            it->lastY = ev.xbutton.y;
        }
    }
    PostMessage(it->icon.owner, it->icon.callbackMessage, it->icon.id, LPARAM(msg));
}

bool X11Tray::Impl::Handle(XEvent& ev, bool& managerGone) {
    switch (ev.type) {
    case ClientMessage:
        if (ev.xclient.window == root && ev.xclient.message_type == managerAtom &&
            Atom(ev.xclient.data.l[1]) == selection) {
            UseManager(::Window(ev.xclient.data.l[2]));
            for (auto& s : slots) {
                if (!s.win) CreateIconWindow(s);
                SendDock(s.win);
            }
            return true;
        }
        return false;
    case DestroyNotify:
        if (manager && ev.xdestroywindow.window == manager) {
            manager = 0;
            managerGone = true;
        }
        for (auto& s : slots)
            if (s.win == ev.xdestroywindow.window) s.win = 0; // gone with its manager
        return false;
    case ConfigureNotify:
        for (auto& s : slots)
            if (s.win == ev.xconfigure.window &&
                (s.width != ev.xconfigure.width || s.height != ev.xconfigure.height)) {
                s.width = ev.xconfigure.width;
                s.height = ev.xconfigure.height;
                Paint(s);
            }
        return false;
    case Expose:
        if (ev.xexpose.count == 0)
            for (auto& s : slots)
                if (s.win == ev.xexpose.window) Paint(s);
        return false;
    case ButtonPress:
    case ButtonRelease:
    case MotionNotify:
        HandlePointer(ev);
        return false;
    default:
        return false;
    }
}

void X11Tray::Impl::Run() {
    while (!stop.load()) {
        pollfd fds[2] = {{ConnectionNumber(dpy), POLLIN, 0}, {wakeFd, POLLIN, 0}};
        poll(fds, 2, 200);
        if (fds[1].revents & POLLIN) {
            std::uint64_t n = 0;
            [[maybe_unused]] auto r = read(wakeFd, &n, sizeof n);
        }
        bool newManager = false, managerGone = false;
        {
            std::lock_guard<std::mutex> guard(lock);
            while (!stop.load() && XPending(dpy) > 0) {
                XEvent ev;
                XNextEvent(dpy, &ev);
                newManager = Handle(ev, managerGone) || newManager;
            }
        }
        if (managerGone && !newManager && onManagerGone) onManagerGone();
        if (newManager && onNewManager) onNewManager();
    }
}

std::unique_ptr<X11Tray> X11Tray::Open(const String& display, std::function<void()> onNewManager,
                                       std::function<void()> onManagerGone) {
    Display* dpy = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    if (!dpy) return nullptr;
    // The tray manager may vanish between finding it and talking to it.
    x11::IgnoreErrorsOn(dpy);
    auto impl = std::make_unique<Impl>();
    impl->dpy = dpy;
    const int screen = DefaultScreen(dpy);
    impl->root = RootWindow(dpy, screen);
    const String selName = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
    impl->selection = XInternAtom(dpy, selName.c_str(), False);
    impl->opcode = XInternAtom(dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
    impl->managerAtom = XInternAtom(dpy, "MANAGER", False);
    impl->xembedInfo = XInternAtom(dpy, "_XEMBED_INFO", False);
    impl->netWmName = XInternAtom(dpy, "_NET_WM_NAME", False);
    impl->utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    impl->wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    impl->onNewManager = std::move(onNewManager);
    impl->onManagerGone = std::move(onManagerGone);
    XSelectInput(dpy, impl->root, StructureNotifyMask); // MANAGER announcements
    XFlush(dpy);
    Impl* raw = impl.get();
    impl->thread = std::thread([raw] { raw->Run(); });
    return std::unique_ptr<X11Tray>(new X11Tray(std::move(impl)));
}

X11Tray::X11Tray(std::unique_ptr<Impl> impl) : FImpl(std::move(impl)) {}

X11Tray::~X11Tray() {
    FImpl->stop.store(true);
    FImpl->Wake();
    FImpl->thread.join();
    for (auto& s : FImpl->slots)
        if (s.win) XDestroyWindow(FImpl->dpy, s.win);
    XCloseDisplay(FImpl->dpy);
    x11::StopIgnoringErrorsOn(FImpl->dpy);
    close(FImpl->wakeFd);
}

void X11Tray::SetDoubleClickTime(unsigned ms) {
    FImpl->doubleClickMs.store(ms);
}

bool X11Tray::Add(const Icon& icon) {
    std::lock_guard<std::mutex> guard(FImpl->lock);
    if (Slot* s = FImpl->Find(icon.owner, icon.id)) {
        s->icon = icon;
        if (!s->win && FImpl->CurrentManager()) {
            FImpl->CreateIconWindow(*s);
            FImpl->SendDock(s->win);
        } else if (s->win) {
            FImpl->SetTip(*s);
            FImpl->Paint(*s);
        }
        FImpl->Wake();
        return s->win != 0;
    }
    if (!FImpl->CurrentManager()) return false;
    Slot s;
    s.icon = icon;
    FImpl->CreateIconWindow(s);
    FImpl->SendDock(s.win);
    FImpl->slots.push_back(std::move(s));
    FImpl->Wake(); // our round trips may have queued events
    return true;
}

bool X11Tray::Modify(const Icon& icon) {
    std::lock_guard<std::mutex> guard(FImpl->lock);
    Slot* s = FImpl->Find(icon.owner, icon.id);
    if (!s) return false;
    s->icon = icon;
    if (s->win) {
        FImpl->SetTip(*s);
        FImpl->Paint(*s);
    }
    FImpl->Wake();
    return true;
}

bool X11Tray::Remove(HWND owner, UINT id) {
    std::lock_guard<std::mutex> guard(FImpl->lock);
    auto& slots = FImpl->slots;
    auto it = std::find_if(slots.begin(), slots.end(),
                           [&](const Slot& s) { return s.icon.owner == owner && s.icon.id == id; });
    if (it == slots.end()) return false;
    if (it->win) XDestroyWindow(FImpl->dpy, it->win);
    slots.erase(it);
    XFlush(FImpl->dpy);
    return true;
}

unsigned long X11Tray::IconWindow(HWND owner, UINT id) const {
    std::lock_guard<std::mutex> guard(FImpl->lock);
    const Slot* s = FImpl->Find(owner, id);
    return s ? s->win : 0;
}

} // namespace vd
