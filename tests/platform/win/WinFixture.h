#pragma once
// A small fixture for window-system tests: a recording window class on the headless back end,
// windows destroyed after each test and a helper to run waiting messages.
#include "platform/win/Spy.h"
#include "platform/win/Windows.h"
#include "platform/win/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace vd::test {

class WinTest : public ::testing::Test {
protected:
    // Per-window answers that override the default procedure.
    using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;

    void SetUp() override {
        hb = Headless();
        ASSERT_NE(hb, nullptr);
        hb->SetMonitors({{{0, 0, 1280, 1024}, {0, 0, 1280, 984}}});
        hb->SetIdleHandler(nullptr);
        hb->SetDoubleClickTime(500);
        for (const char* name : {"TestWnd", "TestDbl"}) {
            WNDCLASS wc;
            wc.lpszClassName = name;
            wc.style = String(name) == "TestDbl" ? CS_DBLCLKS : 0;
            wc.lpfnWndProc = MakeWndProc([this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                auto it = handlers.find(h);
                LRESULT r = 0;
                if (it != handlers.end() && it->second(h, m, w, l, r)) return r;
                if (anyHandler && anyHandler(h, m, w, l, r)) return r;
                return DefWindowProc(h, m, w, l);
            });
            RegisterClass(wc);
        }
    }

    void TearDown() override {
        for (auto it = created.rbegin(); it != created.rend(); ++it)
            if (IsWindow(*it)) DestroyWindow(*it);
        ReleaseCapture();
        Pump();
        handlers.clear();
        anyHandler = nullptr;
        hb->SetIdleHandler(nullptr);
    }

    HWND Top(TRect r, DWord style = WS_POPUP, DWord ex = 0, const char* cls = "TestWnd",
             HWND owner = nullptr) {
        HWND h = CreateWindowEx(ex, cls, "top", style, r.Left, r.Top, r.Width(), r.Height(), owner);
        created.push_back(h);
        return h;
    }
    HWND Child(HWND parent, TRect r, DWord style = WS_CHILD | WS_VISIBLE, const char* cls = "TestWnd") {
        HWND h =
            CreateWindowEx(0, cls, "child", style | WS_CHILD, r.Left, r.Top, r.Width(), r.Height(), parent);
        created.push_back(h);
        return h;
    }
    void Pump() { PumpWaitingMessages(); }

    HeadlessBackend* hb = nullptr;
    std::map<HWND, Handler> handlers;
    Handler anyHandler;
    std::vector<HWND> created;
};

} // namespace vd::test
