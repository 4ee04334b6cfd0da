#pragma once
// What the desktop around our windows offers: monitors and their work areas, the pointer
// position, the double-click and caret blink times and whether a compositor can blend layered windows.
#include "platform/win/Backend.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vd {

class X11Connection;

class X11Desktop {
public:
    explicit X11Desktop(X11Connection& conn);

    std::vector<MonitorDesc> Monitors();
    // The pointer, asked of the server at most every 100 ms while no event came in: the
    // message loop asks at every idle moment, and a round trip each time cost more than a tick.
    TPoint CursorPos();
    // An event came in: the pointer may have moved.
    void EventSeen() { FPointerKnown = false; }
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
    bool FPointerKnown = false;
    TPoint FPointer;
    std::uint64_t FPointerAt = 0;
};

} // namespace vd
