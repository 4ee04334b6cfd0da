#pragma once
// The program's windows on a private X server, as the tests that look at them set it up: the
// server, the window system's back end on it and a second connection, the observer, that sees
// the screen as a user would and plays the user's input. No X header is visible from here.
#include "platform/win/x11/X11Backend.h"
#include "tests/platform/win/x11/Xvfb.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

struct _XDisplay; // Xlib's Display

namespace vd::test {

class X11Screen {
public:
    X11Screen() = default;
    ~X11Screen() { Close(); }
    X11Screen(const X11Screen&) = delete;
    X11Screen& operator=(const X11Screen&) = delete;

    // Starts it all and points DISPLAY at the server; a fatal failure when a part cannot be had
    // (call it under ASSERT_NO_FATAL_FAILURE).
    void Open();
    // The observer closed and the back end no longer installed; once is enough.
    void Close();

    // The application's messages, then the back end's requests out to the server.
    void Pump();
    // The same, then up to 10 ms for the server's input, as the program's loop waits for it.
    void PumpWaiting();
    // Pumps, waiting for input, until done holds or ms passed; true when it held.
    bool PumpUntil(const std::function<bool()>& done, int ms = 5000);
    // The X window is mapped and seen on the screen.
    bool Viewable(unsigned long window) const;

    XvfbServer Server;
    std::unique_ptr<X11Backend> Backend;
    _XDisplay* Observer = nullptr;

private:
    bool FInstalled = false;
};

// A test fixture on its own private X server.
class X11ScreenTest : public ::testing::Test, public X11Screen {
protected:
    void SetUp() override { Open(); }
    void TearDown() override { Close(); }
};

} // namespace vd::test
