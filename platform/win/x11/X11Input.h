#pragma once
// Pointer and key events to the core's raw input, in the order they came. Remembers which of
// our windows the pointer was last seen over (the cursor is set on it). Characters come through
// the input method (dead keys, compose, the desktop's input method), as UTF-8.
#include "platform/win/WinTypes.h"

#include <unordered_map>

union _XEvent;
struct _XIM;
struct _XIC;

namespace vd {

class X11Connection;
class X11Windows;

class X11Input {
public:
    X11Input(X11Connection& conn, const X11Windows& windows);
    ~X11Input();
    X11Input(const X11Input&) = delete;
    X11Input& operator=(const X11Input&) = delete;

    // True when the input method took the event (a dead key, a key it composes with): nothing
    // else may see it.
    bool Filter(_XEvent& e);
    // True when the event was pointer or key input (handled here). Focus changes pass through:
    // they move the input method's focus and are the windows' to handle too.
    bool Handle(_XEvent& e);
    HWND PointerOver() const { return FPointerWin; }
    void Destroyed(HWND hwnd);

private:
    void Button(_XEvent& e);
    void Motion(_XEvent& e);
    void Key(_XEvent& e);
    void Focus(_XEvent& e);
    _XIC* ContextFor(unsigned long xwin); // made on first need; null without an input method
    void QueueText(const char* utf8, int len);

    X11Connection& FConn;
    const X11Windows& FWindows;
    HWND FPointerWin = nullptr;
    _XIM* FIm = nullptr;
    std::unordered_map<unsigned long, _XIC*> FContexts; // by X window
};

} // namespace vd
