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

    // Both pipes are non-blocking, for the I/O loop.
    int InputFd() const { return FIn; }
    int OutputFd() const { return FOut; }
    // Writes what the pipe takes now, from two pieces in order: the count written (0 when the
    // pipe is full), -1 when it is broken.
    long WriteNow(const void* first, std::size_t firstSize, const void* second = nullptr,
                  std::size_t secondSize = 0);
    void CloseInput();
    void CloseOutput();
    // Reads what is there now: >0 bytes, 0 at end of output, -1 on error; wouldBlock when
    // nothing is there yet.
    long ReadNow(void* buffer, std::size_t size, bool& wouldBlock);

    // Blocks until the child has ended, then reaps it. Returns its wait status.
    int WaitExit();
    // Reaps the child when it has ended, without waiting. True once reaped.
    bool TryReap();
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
