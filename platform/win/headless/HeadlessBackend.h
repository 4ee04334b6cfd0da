#pragma once
// The headless back end: a virtual screen with configurable monitors, a clock that tests move,
// input injected at screen coordinates and an in-memory clipboard. A message loop that would
// wait for a timer moves the clock instead; one that would wait for input with nothing to come
// asks the idle handler, and fails after a real-time limit rather than hang.
#include "platform/win/Backend.h"
#include "platform/win/Input.h"

#include <condition_variable>
#include <functional>
#include <mutex>

namespace vd {

class HeadlessBackend : public Backend {
public:
    HeadlessBackend();

    std::uint64_t NowMs() override;
    void WaitForInput(int timeoutMs) override;
    void Wake() override;
    std::vector<MonitorDesc> Monitors() override;
    TPoint CursorPos() override;
    unsigned DoubleClickTime() override { return FDoubleClickTime; }
    unsigned CaretBlinkTime() override { return FCaretBlink; } // no blinking unless a test asks
    bool LayeredWindowsAvailable() override { return FLayered; }
    void CaptureChanged(HWND hwnd) override { FCapture = hwnd; }
    void CursorChanged(CursorShape shape) override { FCursor = shape; }
    bool ClipboardHasText() override;
    String ClipboardText() override;
    void SetClipboardText(const String& text) override;

    // Test controls (GUI thread).
    void SetTime(std::uint64_t ms);
    void Advance(std::uint64_t ms);
    void SetAutoAdvance(bool on) { FAutoAdvance = on; }
    void SetMonitors(std::vector<MonitorDesc> monitors);
    void SetDoubleClickTime(unsigned ms) { FDoubleClickTime = ms; }
    void SetCaretBlinkTime(unsigned ms) { FCaretBlink = ms; }
    void SetLayeredAvailable(bool on) { FLayered = on; }
    // Called when a loop would wait with nothing queued; true when it queued something.
    void SetIdleHandler(std::function<bool()> handler) { FIdle = std::move(handler); }
    void SetStarvationLimitMs(int ms) { FStarvationMs = ms; }
    CursorShape LastCursor() const { return FCursor; }

    void MouseMove(TPoint screen);
    void ButtonDown(RawButton button, TPoint screen);
    void ButtonUp(RawButton button, TPoint screen);
    void Click(RawButton button, TPoint screen);
    void Wheel(int delta, TPoint screen);
    void KeyDown(int vk, std::uint32_t ch = 0, bool repeat = false);
    void KeyUp(int vk);
    void KeyPress(int vk, std::uint32_t ch = 0);

private:
    std::mutex FLock;
    std::condition_variable FCv;
    bool FWoken = false;
    std::uint64_t FNow = 100000;
    bool FAutoAdvance = true;
    std::vector<MonitorDesc> FMonitors;
    TPoint FCursorPos;
    unsigned FDoubleClickTime = 500;
    unsigned FCaretBlink = 0;
    bool FLayered = true;
    std::function<bool()> FIdle;
    int FStarvationMs = 3000;
    HWND FCapture = nullptr;
    CursorShape FCursor = CursorShape::Arrow;
    String FClipboard;
    bool FHasClipboard = false;
};

// The headless back end when it is the one in use, else null.
HeadlessBackend* Headless();

} // namespace vd
