#include "platform/shell/MessageWindow.h"

namespace vd {

namespace {
const char kClassName[] = "VdMessageWindow";
}

HWND CreateMessageWindow(WindowProcedure proc) {
    WNDCLASS wc;
    if (!GetClassInfo(kClassName, wc)) {
        wc.lpszClassName = kClassName;
        RegisterClass(wc);
    }
    HWND hwnd = CreateWindowEx(0, kClassName, String(), WS_POPUP, 0, 0, 0, 0, nullptr);
    if (!hwnd) return nullptr;
    auto fallback = std::move(proc);
    SetWindowProc(hwnd, MakeWndProc([fallback](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
                      if (msg == WM_CLOSE || msg == WM_QUERYENDSESSION) return 1;
                      return fallback ? fallback(h, msg, w, l) : DefWindowProc(h, msg, w, l);
                  }));
    return hwnd;
}

} // namespace vd
