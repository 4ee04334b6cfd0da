#include "platform/shell/SingleInstance.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vd {

namespace {

constexpr char ShowRequest[] = "show\n";

// FNV-1a: the name must be the same in every build of the program, unlike std::hash.
std::uint64_t Fnv1a(const std::string& text) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

std::string RealPath(const std::string& path) {
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

socklen_t AbstractAddress(const std::string& name, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    const size_t n = std::min(name.size(), sizeof addr.sun_path - 1);
    std::memcpy(addr.sun_path + 1, name.data(), n); // sun_path[0] stays 0: an abstract name
    return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + n);
}

bool SameUser(int fd) {
    ucred cred{};
    socklen_t len = sizeof cred;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0 && cred.uid == ::getuid();
}

// Asks the copy listening on Name to show itself; false when none of this user answers.
bool AskToShow(const std::string& name) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_un addr;
    const socklen_t len = AbstractAddress(name, addr);
    bool shown = false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0 && SameUser(fd))
        shown =
            ::send(fd, ShowRequest, sizeof ShowRequest - 1, MSG_NOSIGNAL) == ssize_t(sizeof ShowRequest - 1);
    ::close(fd);
    return shown;
}

// The copy holding the lock may not listen yet: it locks first, then binds.
bool AskToShowWithin(const std::string& name, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (AskToShow(name)) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        ::poll(nullptr, 0, 20);
    }
}

int ListenOn(const std::string& name, bool& inUse) {
    inUse = false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_un addr;
    const socklen_t len = AbstractAddress(name, addr);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0 && ::listen(fd, 8) == 0) return fd;
    inUse = errno == EADDRINUSE;
    ::close(fd);
    return -1;
}

} // namespace

std::string TSingleInstance::SocketName(const std::string& ExecutablePath) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(Fnv1a(RealPath(ExecutablePath))));
    return "vendrill-" + std::to_string(::getuid()) + "-" + hash;
}

std::unique_ptr<TSingleInstance> TSingleInstance::Claim(const std::string& ExecutablePath,
                                                        const std::string& SettingsPath, TClaim& Result) {
    const std::string name = SocketName(ExecutablePath);
    // A folder we cannot write leaves nothing to lock; the socket still keeps one copy.
    const int lockFd = ::open((SettingsPath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd >= 0 && ::flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(lockFd);
        Result = AskToShowWithin(name, std::chrono::seconds(2)) ? TClaim::ShownOther : TClaim::Locked;
        return nullptr;
    }
    bool inUse = false;
    const int listenFd = ListenOn(name, inUse);
    // A copy with other settings, or a name another user took: only our own user's copy counts.
    if (listenFd < 0 && inUse && AskToShow(name)) {
        if (lockFd >= 0) ::close(lockFd);
        Result = TClaim::ShownOther;
        return nullptr;
    }
    Result = TClaim::First;
    return std::unique_ptr<TSingleInstance>(new TSingleInstance(listenFd, lockFd));
}

TSingleInstance::TSingleInstance(int ListenFd, int LockFd) : FListenFd(ListenFd), FLockFd(LockFd) {
    if (FListenFd >= 0 && ::pipe2(FStop, O_CLOEXEC) == 0) FThread = std::thread([this] { Listen(); });
}

TSingleInstance::~TSingleInstance() {
    if (FThread.joinable()) {
        const char stop = 0;
        while (::write(FStop[1], &stop, 1) < 0 && errno == EINTR) {
        }
        FThread.join();
    }
    for (int fd : {FStop[0], FStop[1], FListenFd, FLockFd})
        if (fd >= 0) ::close(fd);
}

void TSingleInstance::SetOnShow(std::function<void()> Handler) {
    std::function<void()> deliver;
    {
        std::lock_guard<std::mutex> guard(FLock);
        FOnShow = std::move(Handler);
        if (FPending && FOnShow) {
            FPending = false;
            deliver = FOnShow;
        }
    }
    if (deliver) deliver();
}

void TSingleInstance::Listen() {
    for (;;) {
        pollfd fds[2] = {{FListenFd, POLLIN, 0}, {FStop[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        const int client = ::accept4(FListenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;
        Serve(client);
        ::close(client);
    }
}

// One request at a time: a client that sends nothing costs half a second, never the listener.
void TSingleInstance::Serve(int Client) {
    if (!SameUser(Client)) return;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    char buffer[sizeof ShowRequest - 1];
    size_t got = 0;
    while (got < sizeof buffer) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd p{Client, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, int(left.count())) <= 0) return;
        const ssize_t n = ::recv(Client, buffer + got, sizeof buffer - got, 0);
        if (n <= 0) return;
        got += size_t(n);
    }
    if (std::memcmp(buffer, ShowRequest, sizeof buffer) != 0) return;
    std::function<void()> handler;
    {
        std::lock_guard<std::mutex> guard(FLock);
        if (FOnShow)
            handler = FOnShow;
        else
            FPending = true;
    }
    if (handler) handler();
}

} // namespace vd
