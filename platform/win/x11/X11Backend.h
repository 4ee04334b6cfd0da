#pragma once
// The X11 back end: one undecorated X window per visible top-level window, painted from the
// window's surface; child windows stay ours. Pop-ups that never take focus are
// override-redirect windows. Regions go through XShape, alpha through the opacity property.
// No X header is visible from here.
#include "platform/win/Backend.h"

#include <cstdint>
#include <memory>

namespace vd {

class X11Backend : public Backend {
public:
    // Connects to the display (empty: $DISPLAY); null when that fails.
    static std::unique_ptr<X11Backend> Open(const String& display = String());
    ~X11Backend() override;

    std::uint64_t NowMs() override;
    void WaitForInput(int timeoutMs) override;
    void Wake() override;
    void WakeFromSignal() override; // one write() to the wake eventfd
    std::vector<MonitorDesc> Monitors() override;
    TPoint CursorPos() override;
    // Net/DoubleClickTime of the XSETTINGS manager, else 500 ms.
    unsigned DoubleClickTime() override;
    // Half of the desktop's Net/CursorBlinkTime cycle; 0 (no blinking) with Net/CursorBlink off.
    unsigned CaretBlinkTime() override;
    bool LayeredWindowsAvailable() override;
    void TopLevelCreated(HWND hwnd) override;
    void TopLevelDestroyed(HWND hwnd) override;
    void TopLevelChanged(HWND hwnd, unsigned what) override;
    void SurfacePainted(HWND hwnd, const TRect& part) override;
    void CaptureChanged(HWND hwnd) override;
    void MenuGrabChanged(HWND hwnd) override;
    void CursorChanged(CursorShape shape) override;
    bool ClipboardHasText() override;
    String ClipboardText() override;
    void SetClipboardText(const String& text) override;

    // The X window showing a top-level window (0 when it has none yet), for tests and tools.
    unsigned long XWindowOf(HWND hwnd) const;
    // Sends every pending surface to the X server and flushes.
    void Present();
    // Present() and wait until the server has handled every request.
    void Sync();
    // Pixels sent to the server so far, and whether they go through shared memory.
    std::uint64_t PixelsSent() const;
    bool SharedMemoryUpload();

    struct Impl;

private:
    explicit X11Backend(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> FImpl;
};

} // namespace vd
