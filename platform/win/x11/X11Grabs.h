#pragma once
// Pointer and keyboard grabs: the core's mouse capture, and the grab an open menu holds so a
// press outside our windows closes it.
#include "platform/win/WinTypes.h"

namespace vd {

class X11Connection;
class X11Windows;

class X11Grabs {
public:
    X11Grabs(X11Connection& conn, const X11Windows& windows) : FConn(conn), FWindows(windows) {}

    void MenuGrabChanged(HWND hwnd);
    void CaptureChanged(HWND hwnd);

private:
    X11Connection& FConn;
    const X11Windows& FWindows;
    HWND FMenuGrab = nullptr;
    bool FKeyboardGrabbed = false; // for a menu opened while no form of ours has the focus
};

} // namespace vd
