#include "platform/audio/posix/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vd::audio {
namespace {

struct TPipe {
    int fd[2] = {-1, -1};
    ~TPipe() {
        for (int f : fd)
            if (f >= 0) ::close(f);
    }
    int Take(int i) {
        const int f = fd[i];
        fd[i] = -1;
        return f;
    }
};

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

} // namespace

void TChildProcess::IgnoreSigPipe() {
    static std::once_flag once;
    std::call_once(once, [] { ::signal(SIGPIPE, SIG_IGN); });
}

int TChildProcess::Start(const std::vector<std::string>& args) {
    if (args.empty() || args[0].empty()) return ENOENT;
    IgnoreSigPipe();
    TPipe in, out;
    // Close-on-exec so that no other child inherits our ends; dup2 in the child clears it.
    if (::pipe2(in.fd, O_CLOEXEC) != 0 || ::pipe2(out.fd, O_CLOEXEC) != 0) return errno;

    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.fd[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out.fd[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // Nothing else reaches the encoder, not even descriptors that libraries opened without
    // close-on-exec: another encoder's stdin held open here would never see its end.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (rc != 0) return rc;

    FPid = pid;
    FIn = in.Take(1);
    ::fcntl(FIn, F_SETFL, ::fcntl(FIn, F_GETFL) | O_NONBLOCK);
    FOut = out.Take(0);
    ::fcntl(FOut, F_SETFL, ::fcntl(FOut, F_GETFL) | O_NONBLOCK);
    return 0;
}

long TChildProcess::WriteNow(const void* first, std::size_t firstSize, const void* second,
                             std::size_t secondSize) {
    if (FIn < 0) return -1;
    iovec parts[2] = {{const_cast<void*>(first), firstSize}, {const_cast<void*>(second), secondSize}};
    for (;;) {
        const ssize_t n = ::writev(FIn, parts, secondSize > 0 ? 2 : 1);
        if (n >= 0) return static_cast<long>(n);
        if (errno == EINTR) continue;
        return errno == EAGAIN ? 0 : -1;
    }
}

void TChildProcess::CloseInput() {
    CloseFd(FIn);
}

void TChildProcess::CloseOutput() {
    CloseFd(FOut);
}

long TChildProcess::ReadNow(void* buffer, std::size_t size, bool& wouldBlock) {
    wouldBlock = false;
    for (;;) {
        if (FOut < 0) return 0;
        const ssize_t n = ::read(FOut, buffer, size);
        if (n >= 0) return static_cast<long>(n);
        if (errno == EINTR) continue;
        wouldBlock = errno == EAGAIN;
        return -1;
    }
}

bool TChildProcess::TryReap() {
    std::lock_guard lock(FLock);
    if (FPid <= 0 || FReaped) return true;
    int status = 0;
    pid_t r;
    while ((r = ::waitpid(FPid, &status, WNOHANG)) < 0 && errno == EINTR) {
    }
    if (r != FPid) return false;
    FStatus = status;
    FReaped = true;
    return true;
}

int TChildProcess::WaitExit() {
    if (FPid <= 0) return 0;
    {
        std::lock_guard lock(FLock);
        if (FReaped) return FStatus;
    }
    // Wait without reaping, so that Signal never races with the pid being reused.
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(FPid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    std::lock_guard lock(FLock);
    if (!FReaped) {
        while (::waitpid(FPid, &FStatus, 0) < 0 && errno == EINTR) {
        }
        FReaped = true;
    }
    return FStatus;
}

bool TChildProcess::HasExited() const {
    std::lock_guard lock(FLock);
    return FPid <= 0 || FReaped;
}

void TChildProcess::Signal(int sig) {
    std::lock_guard lock(FLock);
    if (FPid > 0 && !FReaped) ::kill(FPid, sig);
}

TChildProcess::~TChildProcess() {
    CloseFd(FIn);
    if (FPid > 0 && !HasExited()) {
        Signal(SIGKILL);
        WaitExit();
    }
    CloseFd(FOut);
}

} // namespace vd::audio
