#pragma once
// A child process with pipes on its standard input and output, started without a shell.
// The pid is reaped exactly once, and signals are sent only while it is not reaped, so a
// recycled pid is never hit.
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace vd::audio {

class TChildProcess {
public:
    TChildProcess() = default;
    ~TChildProcess(); // kills and reaps a child that is still there
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    // Program looked up on PATH. Returns 0 or an errno value (ENOENT, EACCES, ...).
    int Start(const std::vector<std::string>& args);

    // Writes what fits within timeoutMs: the count written (0 on time-out), -1 when the pipe
    // is broken. Never blocks longer, so the writer keeps noticing its flags.
    long WriteSome(const void* data, std::size_t size, int timeoutMs);
    void CloseInput();
    // Reads what is there (blocking until something is); 0 at end of output, -1 on error.
    long ReadSome(void* buffer, std::size_t size);

    // Blocks until the child has ended, then reaps it. Returns its wait status.
    int WaitExit();
    bool HasExited() const;
    void Signal(int sig);
    int Pid() const { return FPid; }

    // SIGPIPE is ignored by the program (writes to a dead encoder fail with EPIPE instead);
    // children get the default back. Called by Start; harmless to call again.
    static void IgnoreSigPipe();

private:
    int FPid = 0;
    int FIn = -1;  // our write end of the child's stdin
    int FOut = -1; // our read end of the child's stdout
    mutable std::mutex FLock;
    bool FReaped = false;
    int FStatus = 0;
};

} // namespace vd::audio
