#pragma once
// A private Xvfb server for one test program, started on a free display and stopped at the end.
#include <string>
#include <sys/types.h>

namespace vd::test {

class XvfbServer {
public:
    XvfbServer(); // starts and waits (with a deadline) until it takes connections
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    bool Running() const { return FPid > 0 && !FDisplay.empty(); }
    const std::string& Display() const { return FDisplay; }
    pid_t Pid() const { return FPid; }

private:
    pid_t FPid = -1;
    std::string FDisplay;
};

} // namespace vd::test
