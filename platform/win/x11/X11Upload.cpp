#include "platform/win/x11/X11Upload.h"

#include "platform/gfx/Bitmap.h"
#include "platform/win/x11/X11Errors.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace vd {

namespace {

// 24-bit surface rows (B, G, R) to 32-bit X pixels (0x00RRGGBB). On little-endian machines four
// bytes are read at once (B, G, R land where X wants them) and the next pixel's byte is masked
// off; the last pixel is read bytewise, as its row may end the bitmap.
void ConvertRow(const Byte* from, std::uint32_t* to, int n) {
    if (n <= 0) return;
    const int wide = std::endian::native == std::endian::little ? n - 1 : 0;
    for (int x = 0; x < wide; ++x, from += 3) {
        std::uint32_t v;
        std::memcpy(&v, from, 4);
        to[x] = v & 0xFFFFFFu;
    }
    for (int x = wide; x < n; ++x, from += 3)
        to[x] = std::uint32_t(from[0]) | std::uint32_t(from[1]) << 8 | std::uint32_t(from[2]) << 16;
}

TRect Clipped(const TRect& r, int w, int h) {
    return {std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, w), std::min(r.Bottom, h)};
}

bool Touch(const TRect& a, const TRect& b) {
    return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}

TRect Union(const TRect& a, const TRect& b) {
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

} // namespace

void AddDamage(std::vector<TRect>& damage, const TRect& r, std::size_t limit) {
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    TRect add = r;
    // A merged rectangle may now touch others: merge until nothing changes.
    for (bool merged = true; merged;) {
        merged = false;
        for (auto it = damage.begin(); it != damage.end(); ++it)
            if (Touch(*it, add)) {
                add = Union(*it, add);
                damage.erase(it);
                merged = true;
                break;
            }
    }
    damage.push_back(add);
    if (damage.size() > limit) {
        TRect all = damage.front();
        for (const TRect& d : damage)
            all = Union(all, d);
        damage.assign(1, all);
    }
}

struct X11Upload::TShared {
    XShmSegmentInfo Info{};
    XImage* Image = nullptr;
    int W = 0, H = 0;
};

X11Upload::X11Upload(X11Connection& conn, Mode mode) : FConn(conn), FMode(mode) {
    Display* dpy = FConn.Dpy();
    FGc = XCreateGC(dpy, FConn.Root(), 0, nullptr);
}

X11Upload::~X11Upload() {
    while (!FShared.empty())
        Forget(FShared.begin()->first);
    if (FGc) XFreeGC(FConn.Dpy(), static_cast<GC>(FGc));
}

bool X11Upload::SharedMemory() {
    if (FShm < 0) FShm = FMode == Mode::Auto && Probe() ? 1 : 0;
    return FShm == 1;
}

// One pixel through a shared image into a pixmap and back: attach errors arrive late and may be
// ignored on this connection, so only a read-back shows that the server sees our memory.
bool X11Upload::Probe() {
    Display* dpy = FConn.Dpy();
    int major = 0, minor = 0;
    Bool pixmaps = False;
    const int screen = FConn.Screen();
    if (!XShmQueryVersion(dpy, &major, &minor, &pixmaps) || DefaultDepth(dpy, screen) != 24) return false;
    TShared probe;
    x11::IgnoreErrorsOn(dpy);
    bool ok = false;
    const Pixmap pm = XCreatePixmap(dpy, FConn.Root(), 1, 1, 24);
    probe.Image = XShmCreateImage(dpy, DefaultVisual(dpy, screen), 24, ZPixmap, nullptr, &probe.Info, 1, 1);
    if (probe.Image && probe.Image->bits_per_pixel == 32) {
        probe.Info.shmid = shmget(IPC_PRIVATE, 4, IPC_CREAT | 0600);
        if (probe.Info.shmid >= 0) {
            probe.Info.shmaddr = probe.Image->data = static_cast<char*>(shmat(probe.Info.shmid, nullptr, 0));
            if (probe.Info.shmaddr != reinterpret_cast<char*>(-1)) {
                probe.Info.readOnly = True;
                const bool attached = XShmAttach(dpy, &probe.Info);
                XSync(dpy, False);
                shmctl(probe.Info.shmid, IPC_RMID, nullptr);
                const std::uint32_t mark = 0x00A55A3C;
                std::memcpy(probe.Image->data, &mark, 4);
                XSetForeground(dpy, static_cast<GC>(FGc), 0);
                XFillRectangle(dpy, pm, static_cast<GC>(FGc), 0, 0, 1, 1);
                if (attached)
                    XShmPutImage(dpy, pm, static_cast<GC>(FGc), probe.Image, 0, 0, 0, 0, 1, 1, False);
                if (XImage* back = XGetImage(dpy, pm, 0, 0, 1, 1, AllPlanes, ZPixmap)) {
                    ok = (XGetPixel(back, 0, 0) & 0xFFFFFF) == mark;
                    XDestroyImage(back);
                }
                if (attached) XShmDetach(dpy, &probe.Info);
                XSync(dpy, False);
                shmdt(probe.Info.shmaddr);
            } else {
                shmctl(probe.Info.shmid, IPC_RMID, nullptr);
            }
        }
    }
    if (probe.Image) {
        probe.Image->data = nullptr;
        XDestroyImage(probe.Image);
    }
    XFreePixmap(dpy, pm);
    XSync(dpy, False);
    x11::StopIgnoringErrorsOn(dpy);
    return ok;
}

X11Upload::TShared* X11Upload::SharedFor(XId window, int w, int h) {
    auto it = FShared.find(window);
    if (it != FShared.end() && it->second->W == w && it->second->H == h) return it->second.get();
    if (it != FShared.end()) Forget(window);
    Display* dpy = FConn.Dpy();
    auto s = std::make_unique<TShared>();
    s->W = w;
    s->H = h;
    s->Image = XShmCreateImage(dpy, DefaultVisual(dpy, FConn.Screen()), 24, ZPixmap, nullptr, &s->Info,
                               unsigned(w), unsigned(h));
    if (!s->Image) return nullptr;
    const std::size_t bytes = std::size_t(s->Image->bytes_per_line) * std::size_t(h);
    s->Info.shmid = s->Image->bits_per_pixel == 32 ? shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600) : -1;
    void* at = s->Info.shmid >= 0 ? shmat(s->Info.shmid, nullptr, 0) : reinterpret_cast<void*>(-1);
    if (at == reinterpret_cast<void*>(-1)) {
        if (s->Info.shmid >= 0) shmctl(s->Info.shmid, IPC_RMID, nullptr);
        XDestroyImage(s->Image);
        return nullptr;
    }
    s->Info.shmaddr = s->Image->data = static_cast<char*>(at);
    s->Info.readOnly = True;
    XShmAttach(dpy, &s->Info);
    XSync(dpy, False);
    // Marked for removal at once: the segment goes with the last detach, even after a crash.
    shmctl(s->Info.shmid, IPC_RMID, nullptr);
    return (FShared[window] = std::move(s)).get();
}

void X11Upload::Forget(XId window) {
    auto it = FShared.find(window);
    if (it == FShared.end()) return;
    TShared& s = *it->second;
    Display* dpy = FConn.Dpy();
    XShmDetach(dpy, &s.Info);
    XSync(dpy, False);
    FPutPending = false;
    shmdt(s.Info.shmaddr);
    s.Image->data = nullptr;
    XDestroyImage(s.Image);
    FShared.erase(it);
}

// The server reads a shared image after the request is sent: before we write into one again,
// every put sent earlier must be done.
void X11Upload::WaitServerDone() {
    if (!FPutPending) return;
    XSync(FConn.Dpy(), False);
    FPutPending = false;
}

void X11Upload::Put(XId window, const GdiBitmap& surface, const std::vector<TRect>& parts) {
    if (surface.Empty() || surface.BitCount() != 24) return;
    const int w = surface.Width(), h = surface.Height();
    TShared* shared = SharedMemory() ? SharedFor(window, w, h) : nullptr;
    if (shared) WaitServerDone();
    for (const TRect& p : parts) {
        const TRect r = Clipped(p, w, h);
        if (r.Right <= r.Left || r.Bottom <= r.Top) continue;
        FPixelsSent += std::uint64_t(r.Right - r.Left) * std::uint64_t(r.Bottom - r.Top);
        if (shared)
            PutShared(window, *shared, surface, r);
        else
            PutPlain(window, surface, r);
    }
}

void X11Upload::PutShared(XId window, TShared& s, const GdiBitmap& surface, const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(s.Image->data +
                                                     std::size_t(y) * std::size_t(s.Image->bytes_per_line));
        ConvertRow(surface.Row(y) + 3 * r.Left, row + r.Left, r.Right - r.Left);
    }
    XShmPutImage(FConn.Dpy(), window, static_cast<GC>(FGc), s.Image, r.Left, r.Top, r.Left, r.Top,
                 unsigned(r.Right - r.Left), unsigned(r.Bottom - r.Top), False);
    FPutPending = true;
}

void X11Upload::PutPlain(XId window, const GdiBitmap& surface, const TRect& r) {
    Display* dpy = FConn.Dpy();
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    FScratch.resize(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        ConvertRow(surface.Row(r.Top + y) + 3 * r.Left, FScratch.data() + std::size_t(y) * std::size_t(w), w);
    XImage* img =
        XCreateImage(dpy, DefaultVisual(dpy, FConn.Screen()), unsigned(DefaultDepth(dpy, FConn.Screen())),
                     ZPixmap, 0, reinterpret_cast<char*>(FScratch.data()), unsigned(w), unsigned(h), 32, 0);
    if (!img) return;
    XPutImage(dpy, window, static_cast<GC>(FGc), img, 0, 0, r.Left, r.Top, unsigned(w), unsigned(h));
    // The pixels are ours, not the image's.
    img->data = nullptr;
    XDestroyImage(img);
}

} // namespace vd
