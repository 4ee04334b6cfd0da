#include "skin/core/SkinPlatform.h"

#include "skin/core/SkinBitmap.h"
#include "skin/core/SkinDraw.h"

namespace vd {

void FitTextToWidth(const TskTextMeasure& measure, String& text, int maxWidth) {
    if (measure(text) <= maxWidth) return;
    while (!text.empty()) {
        // Whole UTF-8 characters only: continuation bytes go with their lead byte.
        while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
        if (!text.empty()) text.pop_back();
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

bool IsLayeredWindowOS() {
    const TskSkinWindowSystem* ws = SkinWindowSystem();
    return ws && ws->CompositorRunning();
}

bool IsWindowsXPVersion() { return true; }

void SetWindowAlpha(TskWindowHandle window, int alpha) {
    if (TskSkinWindowSystem* ws = SkinWindowSystem()) ws->SetWindowAlpha(window, Byte(alpha & 255));
}

bool IsMultiMonitor() {
    const TskSkinWindowSystem* ws = SkinWindowSystem();
    return ws && ws->MonitorCount() > 1;
}

void DesktopWorkArea(bool workArea, TRect& r) {
    const TskSkinWindowSystem* ws = SkinWindowSystem();
    r = ws ? ws->DesktopRect(workArea) : TRect{0, 0, 1024, 768};
}

void WindowWorkArea(TskWindowHandle window, bool workArea, TRect& r) {
    if (!IsMultiMonitor()) {
        DesktopWorkArea(workArea, r);
        return;
    }
    TRect monitor;
    if (SkinWindowSystem()->MonitorRectOf(window, workArea, monitor)) r = monitor;
}

} // namespace vd
