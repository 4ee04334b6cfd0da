#pragma once
// The X11 back end against a real X server (Xvfb, started once for the suite) with a second
// connection that observes, as another program would.
#include "Xvfb.h"

#include "platform/win/Spy.h"
#include "platform/win/Windows.h"
#include "platform/win/x11/X11Backend.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <vector>

namespace vd::test {

class X11Test : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = new XvfbServer();
        if (!server->Running()) return;
        backend = X11Backend::Open(server->Display()).release();
        observer = XOpenDisplay(server->Display().c_str());
        if (backend) InstallBackend(backend);
        WNDCLASS wc;
        wc.lpszClassName = "X11Test";
        wc.lpfnWndProc = MakeWndProc([](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (handler) {
                LRESULT r = 0;
                if (handler(h, m, w, l, r)) return r;
            }
            return DefWindowProc(h, m, w, l);
        });
        RegisterClass(wc);
    }
    static void TearDownTestSuite() {
        InstallBackend(nullptr);
        if (observer) XCloseDisplay(observer);
        delete backend;
        delete server;
    }
    void SetUp() override {
        // Xvfb is installed with the other test peers: without it the set-up is broken.
        ASSERT_TRUE(backend && observer) << "no X server could be started (Xvfb missing?)";
    }
    void TearDown() override {
        handler = nullptr; // it may refer to the test's locals
        for (HWND h : windows)
            if (IsWindow(h)) DestroyWindow(h);
        windows.clear();
        ReleaseCapture();
        PumpFor(20);
    }

    HWND Make(TRect r, DWord style = WS_POPUP, DWord ex = 0) {
        HWND h = CreateWindowEx(ex, "X11Test", "x11", style, r.Left, r.Top, r.Width(), r.Height(), nullptr);
        windows.push_back(h);
        return h;
    }
    // Runs the loop until the condition holds or the deadline passes.
    static bool PumpUntil(const std::function<bool()>& done, int ms = 3000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < deadline) {
            PumpWaitingMessages();
            if (done()) return true;
            backend->WaitForInput(20);
        }
        PumpWaitingMessages();
        return done();
    }
    static void PumpFor(int ms) {
        PumpUntil([] { return false; }, ms);
    }
    static void Sync() {
        backend->Sync();
        XSync(observer, False);
    }

    static XvfbServer* server;
    static X11Backend* backend;
    static ::Display* observer;
    static std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> handler;
    std::vector<HWND> windows;
};

inline XvfbServer* X11Test::server = nullptr;
inline X11Backend* X11Test::backend = nullptr;
inline ::Display* X11Test::observer = nullptr;
inline std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> X11Test::handler;

} // namespace vd::test
