#pragma once
// What the desktop around our windows offers: monitors and their work areas, the pointer
// position, the double-click time and whether a compositor can blend layered windows.
#include "platform/win/Backend.h"

namespace vd {

class X11Connection;

class X11Desktop {
public:
    explicit X11Desktop(X11Connection& conn);

    std::vector<MonitorDesc> Monitors();
    TPoint CursorPos();
    // Net/DoubleClickTime of the XSETTINGS manager, else 500 ms.
    unsigned DoubleClickTime();
    bool LayeredWindowsAvailable();

private:
    void CutToWorkArea(std::vector<MonitorDesc>& monitors);

    X11Connection& FConn;
    unsigned long FNetWorkArea;
};

} // namespace vd
