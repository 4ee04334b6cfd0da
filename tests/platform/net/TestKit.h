#pragma once
// Helpers for tests that start real peers: child processes, temporary folders, bounded waits.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/support/WaitUntil.h"

namespace vd::testkit {

// A child process with its stdin and stdout on pipes; killed and reaped when destroyed, and
// killed by the kernel when the test process dies.
class TChildProcess {
public:
    TChildProcess() = default;
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {},
               bool mergeStderr = false);
    // One stdout line, or false at the deadline or end of output.
    bool ReadLine(std::string& line, int timeoutMs);
    void Stop(); // SIGTERM, then SIGKILL after a second
    bool Running();
    int Pid() const { return FPid; }
    // Started as nobody when the test runs as root, for peers that would change their user
    // themselves (and so lose the signal that ends them with the test).
    void RunAsNobody() { FAsNobody = true; }

private:
    bool FAsNobody = false;
    int FPid = -1;
    int FIn = -1;
    int FOut = -1;
    std::string FBuf;
};

using test::TTempDir;
using test::WaitUntil;

// A TCP port on 127.0.0.1 that was free a moment ago.
int FreePort();
// Runs a shell command; its exit status.
int Shell(const std::string& command);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
// The source tree's root (for helper scripts).
std::string SourceDir();

} // namespace vd::testkit
