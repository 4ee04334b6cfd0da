// Surfaces reach their X windows part by part: through shared memory where the server offers
// it (Xvfb does), through plain image requests otherwise; pixels outside the parts are never sent.
#include "X11Fixture.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Gdi.h"
#include "platform/win/x11/X11Connection.h"
#include "platform/win/x11/X11Upload.h"

#include <X11/Xutil.h>

namespace vd::test {
namespace {

// 0x00RRGGBB of a surface pixel, from its place and a tag.
DWord Coded(int x, int y, int tag) {
    return DWord(x * 3 & 255) << 16 | DWord(y * 5 & 255) << 8 | DWord(tag & 255);
}

void Paint(GdiBitmap& s, int tag) {
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            s.SetPixelBgr(x, y, Coded(x, y, tag));
}

TEST(X11Upload, OnlyThePartsReachTheWindowOnBothPaths) {
    XvfbServer server;
    ASSERT_TRUE(server.Running()) << "no X server could be started (Xvfb missing?)";
    auto conn = X11Connection::Open(server.Display());
    ASSERT_TRUE(conn);
    ::Display* dpy = conn->Dpy();
    constexpr unsigned long kBackground = 0x123456;
    for (X11Upload::Mode mode : {X11Upload::Mode::Auto, X11Upload::Mode::Plain}) {
        SCOPED_TRACE(mode == X11Upload::Mode::Auto ? "shared memory" : "plain");
        const ::Window w = XCreateSimpleWindow(dpy, conn->Root(), 0, 0, 64, 48, 0, 0, kBackground);
        XMapWindow(dpy, w);
        XSync(dpy, False);
        X11Upload upload(*conn, mode);
        EXPECT_EQ(upload.SharedMemory(), mode == X11Upload::Mode::Auto);
        GdiBitmap surface(64, 48, 24);
        // Each round paints the whole surface anew and sends a few parts of it: only those parts
        // may show the round's tag, everything else the round before (or the background).
        const std::vector<std::vector<TRect>> rounds = {
            {{5, 6, 20, 30}, {40, 10, 64, 48}},
            {{-10, -10, 3, 3}, {60, 40, 100, 100}, {30, 30, 30, 40}}, // clipped; the last one empty
            {{0, 0, 64, 48}},
            {{10, 10, 11, 11}},
        };
        std::vector<unsigned long> want(64 * 48, kBackground);
        for (std::size_t r = 0; r < rounds.size(); ++r) {
            const int tag = int(r) + 1;
            Paint(surface, tag);
            const std::uint64_t before = upload.PixelsSent();
            upload.Put(w, surface, rounds[r]);
            std::uint64_t area = 0;
            for (const TRect& p : rounds[r]) {
                const TRect c{std::max(p.Left, 0), std::max(p.Top, 0), std::min(p.Right, 64),
                              std::min(p.Bottom, 48)};
                if (c.Right <= c.Left || c.Bottom <= c.Top) continue;
                area += std::uint64_t(c.Width()) * std::uint64_t(c.Height());
                for (int y = c.Top; y < c.Bottom; ++y)
                    for (int x = c.Left; x < c.Right; ++x)
                        want[std::size_t(y * 64 + x)] = Coded(x, y, tag);
            }
            EXPECT_EQ(upload.PixelsSent() - before, area) << "round " << r;
            XSync(dpy, False);
            XImage* img = XGetImage(dpy, w, 0, 0, 64, 48, AllPlanes, ZPixmap);
            ASSERT_NE(img, nullptr);
            int wrong = 0;
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 64; ++x)
                    wrong += (XGetPixel(img, x, y) & 0xFFFFFF) != want[std::size_t(y * 64 + x)];
            XDestroyImage(img);
            EXPECT_EQ(wrong, 0) << "round " << r;
        }
        upload.Forget(w);
        XDestroyWindow(dpy, w);
        XSync(dpy, False);
    }
}

TEST(X11Upload, DamageMergesTouchingPartsAndFoldsAManyPartList) {
    std::vector<TRect> d;
    AddDamage(d, {0, 0, 10, 10});
    AddDamage(d, {10, 0, 20, 10}); // touches: one part
    AddDamage(d, {50, 50, 60, 60});
    AddDamage(d, {5, 5, 5, 20}); // empty: nothing
    EXPECT_EQ(d, (std::vector<TRect>{{0, 0, 20, 10}, {50, 50, 60, 60}}));
    AddDamage(d, {15, 8, 55, 52}); // bridges the two
    EXPECT_EQ(d, (std::vector<TRect>{{0, 0, 60, 60}}));
    std::vector<TRect> many;
    for (int i = 0; i < 9; ++i)
        AddDamage(many, {i * 10, i * 10, i * 10 + 5, i * 10 + 5}, 8);
    EXPECT_EQ(many, (std::vector<TRect>{{0, 0, 85, 85}})) << "past the limit, one bounding box";
}

// Through the back end: a repaint of a small part of a shown window sends that part alone.
TEST_F(X11Test, ARepaintSendsOnlyItsPart) {
    HWND h = Make({30, 30, 130, 90}, WS_POPUP);
    COLORREF colour = RGB(10, 200, 30);
    handler = [h, &colour](HWND w, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (w != h || m != WM_PAINT) return false;
        PAINTSTRUCT ps;
        BeginPaint(w, ps);
        HBRUSH b = CreateSolidBrush(colour);
        const TRect c = GetClientRect(w);
        FillRect(ps.hdc, &c, b);
        DeleteObject(b);
        EndPaint(w, ps);
        r = 0;
        return true;
    };
    ShowWindow(h, SW_SHOW);
    const ::Window xw = backend->XWindowOf(h);
    auto pixel = [&](int x, int y) {
        Sync();
        XImage* img = XGetImage(observer, xw, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!img) return 0ul;
        const unsigned long p = XGetPixel(img, 0, 0) & 0xFFFFFF;
        XDestroyImage(img);
        return p;
    };
    ASSERT_TRUE(PumpUntil([&] { return pixel(50, 30) == 0x0AC81E; }));
    EXPECT_TRUE(backend->SharedMemoryUpload()) << "Xvfb offers MIT-SHM";
    PumpFor(50);
    const std::uint64_t before = backend->PixelsSent();
    colour = RGB(200, 20, 40);
    const TRect part{10, 20, 20, 25};
    InvalidateRect(h, &part, FALSE);
    UpdateWindow(h);
    ASSERT_TRUE(PumpUntil([&] { return pixel(12, 22) == 0xC81428; }));
    EXPECT_EQ(pixel(50, 30), 0x0AC81Eu) << "outside the part: the old paint";
    EXPECT_EQ(backend->PixelsSent() - before, std::uint64_t(part.Width() * part.Height()));
}

} // namespace
} // namespace vd::test
