#include "skin/core/SkinPlatform.h"

#include "platform/rtl/Utf8.h"
#include "platform/win/Windows.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinDraw.h"

namespace vd {

void FitTextToWidth(const TskTextMeasure& measure, String& text, int maxWidth) {
    if (measure(text) <= maxWidth) return;
    while (!text.empty()) {
        text.resize(Utf8PrevChar(text, text.size()));
        if (measure(text + "...") <= maxWidth) break;
    }
    text += "...";
}

void DrawFrame3D(TskBitmap& canvas, TRect r, TskColor topLeft, TskColor bottomRight) {
    r.Right -= 1;
    r.Bottom -= 1;
    DrawLine(canvas, r.Left, r.Bottom, r.Left, r.Top, topLeft);
    DrawLine(canvas, r.Left, r.Top, r.Right, r.Top, topLeft);
    DrawLine(canvas, r.Right, r.Top, r.Right, r.Bottom, bottomRight);
    DrawLine(canvas, r.Right, r.Bottom, r.Left - 1, r.Bottom, bottomRight);
}

bool IsWindowsXPVersion() {
    return true;
}

void SetWindowAlpha(HWND window, int alpha) {
    SetLayeredWindowAttributes(window, 0, Byte(alpha & 255), LWA_ALPHA);
}

void DesktopWorkArea(bool workArea, TRect& r) {
    if (workArea && SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0)) return;
    r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void WindowWorkArea(HWND window, bool workArea, TRect& r) {
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info;
    if (!monitor || !GetMonitorInfo(monitor, info)) return;
    r = workArea ? info.rcWork : info.rcMonitor;
}

} // namespace vd
