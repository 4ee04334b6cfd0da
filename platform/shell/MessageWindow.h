#pragma once
// A hidden window that only receives messages (the tray's callback target). It answers
// WM_CLOSE and WM_QUERYENDSESSION with 1 and is never closed by them; other messages go to
// the given procedure, or DefWindowProc without one.
#include "platform/win/Windows.h"

namespace vd {

HWND CreateMessageWindow(WindowProcedure proc = {});

} // namespace vd
