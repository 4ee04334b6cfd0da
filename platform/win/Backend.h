#pragma once
// What the window-system core needs from the display underneath: time, screens, waiting for
// outside input, and being told when a top-level window changes. The headless and the X11
// back ends implement it; nothing above platform/ sees which one runs.
#include "platform/rtl/String.h"
#include "platform/win/WinTypes.h"

#include <cstdint>
#include <vector>

namespace vd {

struct MonitorDesc {
    TRect bounds;
    TRect work;
};

// What changed on a top-level window (bit set).
enum WindowChange : unsigned {
    wcBounds = 1,
    wcVisible = 2,
    wcZOrder = 4,
    wcRegion = 8,
    wcAlpha = 16,
    wcStyle = 32,
    wcText = 64,
    wcSurface = 128, // pixels were painted
    wcIcon = 256,
};

class Backend {
public:
    virtual ~Backend() = default;

    virtual std::uint64_t NowMs() = 0;
    // Waits on the GUI thread until outside input may have arrived, another thread woke the
    // queue or timeoutMs passed (-1: no limit). Delivers outside input through the core's
    // input calls before returning.
    virtual void WaitForInput(int timeoutMs) = 0;
    // From any thread: something was posted; WaitForInput should return.
    virtual void Wake() = 0;
    // From a signal handler (async-signal-safe): WaitForInput should return. Back ends whose
    // waits no signal can end do nothing here.
    virtual void WakeFromSignal() {}

    virtual std::vector<MonitorDesc> Monitors() = 0;
    virtual TPoint CursorPos() = 0;
    virtual unsigned DoubleClickTime() { return 500; }
    // The caret's blink half-period in milliseconds; 0 keeps it on.
    virtual unsigned CaretBlinkTime() { return 530; }
    virtual bool LayeredWindowsAvailable() { return true; }

    virtual void TopLevelCreated(HWND) {}
    virtual void TopLevelDestroyed(HWND) {}
    virtual void TopLevelChanged(HWND, unsigned /*WindowChange bits*/) {}
    // Pixels of a top-level window's surface were painted inside Part (surface coordinates):
    // a back end that shows surfaces sends only such parts.
    virtual void SurfacePainted(HWND top, const TRect& /*part*/) { TopLevelChanged(top, wcSurface); }
    virtual void CaptureChanged(HWND) {}
    virtual void MenuGrabChanged(HWND) {}
    virtual void CursorChanged(CursorShape) {}

    virtual bool ClipboardHasText() = 0;
    virtual String ClipboardText() = 0;
    virtual void SetClipboardText(const String& text) = 0;
};

// The back end in use; the headless one unless another was installed before the first window.
Backend& CurrentBackend();
void InstallBackend(Backend* backend); // not owned; null restores the headless default

} // namespace vd
