// Input-to-paint latency under Xvfb: an XTest click until its new colour is on the screen.
#include "../Xvfb.h"

#include "platform/gfx/Gdi.h"
#include "platform/win/Windows.h"
#include "platform/win/x11/X11Backend.h"

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>

namespace {

using namespace vd;

bool gRed = false;

void BM_InputToPaintLatency(benchmark::State& state) {
    vd::test::XvfbServer server;
    if (!server.Running()) {
        state.SkipWithError("no X server");
        return;
    }
    auto backend = X11Backend::Open(server.Display());
    ::Display* observer = XOpenDisplay(server.Display().c_str());
    InstallBackend(backend.get());
    WNDCLASS wc;
    wc.lpszClassName = "LatencyWnd";
    wc.lpfnWndProc = MakeWndProc([](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_LBUTTONDOWN) {
            gRed = !gRed;
            InvalidateRect(h, nullptr, FALSE);
            return 0;
        }
        if (m == WM_PAINT) {
            PAINTSTRUCT ps;
            BeginPaint(h, ps);
            HBRUSH b = CreateSolidBrush(gRed ? RGB(255, 0, 0) : RGB(0, 0, 255));
            const TRect c = GetClientRect(h);
            FillRect(ps.hdc, &c, b);
            DeleteObject(b);
            EndPaint(h, ps);
            return 0;
        }
        return DefWindowProc(h, m, w, l);
    });
    RegisterClass(wc);
    HWND h = CreateWindowEx(0, "LatencyWnd", "latency", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr);
    PumpWaitingMessages();
    backend->Sync();
    const ::Window xw = backend->XWindowOf(h);
    for (auto _ : state) {
        const bool want = !gRed;
        const auto start = std::chrono::steady_clock::now();
        XTestFakeMotionEvent(observer, 0, 100, 100, CurrentTime);
        XTestFakeButtonEvent(observer, 1, True, CurrentTime);
        XTestFakeButtonEvent(observer, 1, False, CurrentTime);
        XFlush(observer);
        for (int tries = 0; tries < 10000; ++tries) {
            backend->WaitForInput(1);
            PumpWaitingMessages();
            backend->Sync();
            XImage* img = XGetImage(observer, xw, 100, 100, 1, 1, AllPlanes, ZPixmap);
            const unsigned long p = img ? XGetPixel(img, 0, 0) & 0xFFFFFF : 0;
            if (img) XDestroyImage(img);
            if (p == (want ? 0xFF0000ul : 0x0000FFul)) break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    DestroyWindow(h);
    InstallBackend(nullptr);
    XCloseDisplay(observer);
}
BENCHMARK(BM_InputToPaintLatency)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace
