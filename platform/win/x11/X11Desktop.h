#pragma once
// What the desktop around our windows offers: monitors and their work areas, the pointer
// position, the double-click and caret blink times and whether a compositor can blend layered windows.
#include "platform/win/Backend.h"

#include <cstdint>
#include <optional>
#include <string_view>

union _XEvent;

namespace vd {

class X11Connection;

class X11Desktop {
public:
    explicit X11Desktop(X11Connection& conn);

    std::vector<MonitorDesc> Monitors();
    // The pointer. Over our windows the events tell where it is (every move there sends one),
    // so the server is not asked; elsewhere it is asked at most every 500 ms. The message loop
    // asks at every idle moment, and each round trip wakes the thread once more.
    TPoint CursorPos();
    // An event came in: those that carry the pointer's position keep it.
    void EventSeen(const _XEvent& e);
    // One of our windows was shown, hidden, moved or reshaped: it may now be under the pointer
    // or no longer be.
    void WindowsChanged() { FPointerAt = 0, FPointerTracked = false; }
    // Net/DoubleClickTime of the XSETTINGS manager, else 500 ms.
    unsigned DoubleClickTime();
    // Half of Net/CursorBlinkTime (a whole cycle), 0 when Net/CursorBlink is off, else 530 ms.
    unsigned CaretBlinkTime();
    bool LayeredWindowsAvailable();

private:
    std::optional<int> Setting(std::string_view name);
    void CutToWorkArea(std::vector<MonitorDesc>& monitors);

    X11Connection& FConn;
    unsigned long FNetWorkArea;
    TPoint FPointer;
    std::uint64_t FPointerAt = 0; // when it was last known; 0: ask at the next call
    bool FPointerTracked = false; // over our windows, where every move sends an event
};

} // namespace vd
