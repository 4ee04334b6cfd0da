#pragma once
// Pointer and key events to the core's raw input, in the order they came. Remembers which of
// our windows the pointer was last seen over (the cursor is set on it).
#include "platform/win/WinTypes.h"

union _XEvent;

namespace vd {

class X11Connection;
class X11Windows;

class X11Input {
public:
    X11Input(X11Connection& conn, const X11Windows& windows) : FConn(conn), FWindows(windows) {}

    // True when the event was pointer or key input (handled here).
    bool Handle(_XEvent& e);
    HWND PointerOver() const { return FPointerWin; }
    void Destroyed(HWND hwnd);

private:
    void Button(_XEvent& e);
    void Motion(_XEvent& e);
    void Key(_XEvent& e);

    X11Connection& FConn;
    const X11Windows& FWindows;
    HWND FPointerWin = nullptr;
};

} // namespace vd
