#include "platform/win/x11/X11Backend.h"

#include "platform/win/x11/X11Clipboard.h"
#include "platform/win/x11/X11Connection.h"
#include "platform/win/x11/X11Cursors.h"
#include "platform/win/x11/X11Desktop.h"
#include "platform/win/x11/X11Grabs.h"
#include "platform/win/x11/X11Input.h"
#include "platform/win/x11/X11Windows.h"

#include <X11/Xlib.h>
#include <time.h>

#include <clocale>

#undef CursorShape // X.h takes the name for a macro

namespace vd {

// The parts by concern, all on one connection. Members are destroyed in reverse order: every
// part frees its X resources before the connection closes.
struct X11Backend::Impl {
    explicit Impl(std::unique_ptr<X11Connection> c)
        : conn(std::move(c)), windows(*conn), input(*conn, windows), grabs(*conn, windows), cursors(*conn),
          clipboard(*conn), desktop(*conn) {}

    std::unique_ptr<X11Connection> conn;
    X11Windows windows;
    X11Input input;
    X11Grabs grabs;
    X11Cursors cursors;
    X11Clipboard clipboard;
    X11Desktop desktop;
    unsigned long flushedBefore = 0; // the next request's number at the last flush
};

std::unique_ptr<X11Backend> X11Backend::Open(const String& display) {
    // The input method composes by the user's locale (its compose table); only the character
    // type is taken, so numbers keep formatting the same everywhere.
    std::setlocale(LC_CTYPE, "");
    auto conn = X11Connection::Open(display);
    if (!conn) return nullptr;
    return std::unique_ptr<X11Backend>(new X11Backend(std::make_unique<Impl>(std::move(conn))));
}

X11Backend::X11Backend(std::unique_ptr<Impl> impl) : FImpl(std::move(impl)) {}

X11Backend::~X11Backend() = default;

std::uint64_t X11Backend::NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
}

unsigned long X11Backend::XWindowOf(HWND hwnd) const {
    return FImpl->windows.XWindowOf(hwnd);
}

void X11Backend::Present() {
    FImpl->windows.PresentDirty();
    // Xlib's flush also reads the socket (two system calls even when idle): only requests made
    // since the last one need it.
    Display* dpy = FImpl->conn->Dpy();
    if (NextRequest(dpy) == FImpl->flushedBefore) return;
    XFlush(dpy);
    FImpl->flushedBefore = NextRequest(dpy);
}

void X11Backend::Sync() {
    Present();
    XSync(FImpl->conn->Dpy(), False);
}

std::uint64_t X11Backend::PixelsSent() const {
    return FImpl->windows.Upload().PixelsSent();
}

bool X11Backend::SharedMemoryUpload() {
    return FImpl->windows.Upload().SharedMemory();
}

void X11Backend::TopLevelCreated(HWND) {}

void X11Backend::TopLevelDestroyed(HWND hwnd) {
    FImpl->desktop.WindowsChanged();
    FImpl->input.Destroyed(hwnd);
    FImpl->windows.Destroyed(hwnd);
}

void X11Backend::TopLevelChanged(HWND hwnd, unsigned what) {
    if (what & (wcBounds | wcVisible | wcRegion | wcZOrder)) FImpl->desktop.WindowsChanged();
    FImpl->windows.Changed(hwnd, what);
}

void X11Backend::SurfacePainted(HWND hwnd, const TRect& part) {
    FImpl->windows.Damaged(hwnd, part);
}

void X11Backend::MenuGrabChanged(HWND hwnd) {
    FImpl->grabs.MenuGrabChanged(hwnd);
}

void X11Backend::CaptureChanged(HWND hwnd) {
    FImpl->grabs.CaptureChanged(hwnd);
}

void X11Backend::CursorChanged(CursorShape shape) {
    FImpl->cursors.Set(FImpl->windows.XWindowOf(FImpl->input.PointerOver()), shape);
}

void X11Backend::WaitForInput(int timeoutMs) {
    Impl& m = *FImpl;
    Display* dpy = m.conn->Dpy();
    // The program is idle: whatever a minimize handler did is done.
    m.windows.UndoUnhonouredMinimize();
    Present();
    // Nothing came from the server: the socket is not asked again (each call counts at the tick).
    if (m.conn->Wait(timeoutMs))
        while (XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
            if (m.input.Filter(e)) continue;
            // After the input's turn: it merges motion, so E is the last one.
            const bool input = m.input.Handle(e);
            m.desktop.EventSeen(e);
            if (!input && !m.windows.Handle(e)) m.clipboard.Handle(e);
        }
    Present();
}

void X11Backend::Wake() {
    FImpl->conn->Wake();
}

void X11Backend::WakeFromSignal() {
    FImpl->conn->Wake();
}

std::vector<MonitorDesc> X11Backend::Monitors() {
    return FImpl->desktop.Monitors();
}

TPoint X11Backend::CursorPos() {
    return FImpl->desktop.CursorPos();
}

unsigned X11Backend::DoubleClickTime() {
    return FImpl->desktop.DoubleClickTime();
}

unsigned X11Backend::CaretBlinkTime() {
    return FImpl->desktop.CaretBlinkTime();
}

bool X11Backend::LayeredWindowsAvailable() {
    return FImpl->desktop.LayeredWindowsAvailable();
}

bool X11Backend::ClipboardHasText() {
    return !ClipboardText().empty();
}

String X11Backend::ClipboardText() {
    return FImpl->clipboard.Text();
}

void X11Backend::SetClipboardText(const String& text) {
    FImpl->clipboard.SetText(text);
}

} // namespace vd
