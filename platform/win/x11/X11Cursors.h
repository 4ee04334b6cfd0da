#pragma once
// Cursor shapes from the server's cursor font, made once each and freed with the back end.
#include "platform/win/WinTypes.h"
#include "platform/win/x11/X11Connection.h"

#include <map>

namespace vd {

class X11Cursors {
public:
    explicit X11Cursors(X11Connection& conn) : FConn(conn) {}
    ~X11Cursors();
    X11Cursors(const X11Cursors&) = delete;
    X11Cursors& operator=(const X11Cursors&) = delete;

    // Shows the shape on the X window w (nothing for 0).
    void Set(XId w, CursorShape shape);

private:
    X11Connection& FConn;
    std::map<CursorShape, XId> FCursors;
};

} // namespace vd
