#pragma once
// The program's start, after the window system is installed: one running copy, the
// application, the main window and its message loop.
#include "platform/shell/SingleInstance.h"

#include <memory>
#include <string_view>

namespace vd {

class TFVendrill;

// This copy's claim to run; null when another copy of the program runs (it was asked to show
// its window, or it holds the settings file): this start then ends with status 0.
std::unique_ptr<TSingleInstance> ClaimProgramInstance();

// Later starts of the program bring the window forward; the request comes on the instance's own
// thread and is posted to the window.
void ServeLaterStarts(TSingleInstance& instance, TFVendrill& window);

// The application's title, the session-end signals, the main window with the stored skin, and
// the loop until the window closes; later starts bring the window forward. The exit status:
// 1 when the program could not start (no language file), else 0.
int RunMainWindow(TSingleInstance& instance, std::string_view storedSkin);

} // namespace vd
