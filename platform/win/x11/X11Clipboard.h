#pragma once
// The CLIPBOARD selection as text: owned through a hidden window of ours, answering other
// programs' requests from the event loop, and read from another owner with a bounded wait.
#include "platform/rtl/String.h"
#include "platform/win/x11/X11Connection.h"

union _XEvent;

namespace vd {

class X11Clipboard {
public:
    explicit X11Clipboard(X11Connection& conn);
    ~X11Clipboard();
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    String Text();
    void SetText(const String& text);
    // True when the event was a selection event (handled here).
    bool Handle(_XEvent& e);

private:
    void AnswerRequest(_XEvent& e);

    X11Connection& FConn;
    XId FClipboard, FTargets, FUtf8, FSelProp;
    XId FWindow = 0;
    String FText;
    bool FOwned = false;
};

} // namespace vd
