#include "platform/net/Socket.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vd::net {

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point DeadlineAfter(int ms) {
    return Clock::now() + std::chrono::milliseconds(ms < 0 ? 0 : ms);
}

int MsLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

thread_local int tCancelFd = -1;
// The innermost TDeadlineScope's deadline in steady-clock ticks; none when at the maximum.
constexpr std::int64_t kNoDeadline = INT64_MAX;
thread_local std::int64_t tScopeDeadline = kNoDeadline;

// Waits for events on fd until the deadline; false on time-out, error or cancel.
bool WaitFd(int fd, short events, Clock::time_point deadline, TNetError* error) {
    if (tScopeDeadline != kNoDeadline) {
        Clock::time_point whole{Clock::duration(tScopeDeadline)};
        if (Clock::now() >= whole) { // over, even when the peer has something ready
            if (error) *error = TNetError::Timeout;
            return false;
        }
        deadline = std::min(deadline, whole);
    }
    for (;;) {
        pollfd p[2] = {{fd, events, 0}, {tCancelFd, POLLIN, 0}};
        int r = ::poll(p, tCancelFd >= 0 ? 2 : 1, MsLeft(deadline));
        if (r > 0 && tCancelFd >= 0 && p[1].revents) {
            if (error) *error = TNetError::Closed;
            return false;
        }
        if (r > 0) return true;
        if (r == 0) {
            if (error) *error = TNetError::Timeout;
            return false;
        }
        if (errno != EINTR) {
            if (error) *error = TNetError::Io;
            return false;
        }
    }
}

std::string AddrText(const sockaddr_in& a, bool withPort) {
    char buf[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &a.sin_addr, buf, sizeof buf);
    std::string s = buf;
    if (withPort) s += ":" + std::to_string(ntohs(a.sin_port));
    return s;
}

} // namespace

TDeadlineScope::TDeadlineScope(int timeoutMs) : FPrevious(tScopeDeadline) {
    tScopeDeadline = std::min(FPrevious, DeadlineAfter(timeoutMs).time_since_epoch().count());
}
TDeadlineScope::~TDeadlineScope() {
    tScopeDeadline = FPrevious;
}

TCancelScope::TCancelScope(int fd) : FPrevious(tCancelFd) {
    tCancelFd = fd;
}
TCancelScope::~TCancelScope() {
    tCancelFd = FPrevious;
}

const char* NetErrorText(TNetError e) {
    switch (e) {
    case TNetError::None:
        return "no error";
    case TNetError::Resolve:
        return "host name not found";
    case TNetError::Connect:
        return "connection refused";
    case TNetError::Timeout:
        return "timed out";
    case TNetError::Closed:
        return "connection closed by peer";
    case TNetError::Io:
        return "network error";
    }
    return "network error";
}

TSocket::~TSocket() {
    Close();
}

TSocket::TSocket(TSocket&& other) noexcept : FFd(other.FFd) {
    other.FFd = -1;
}

TSocket& TSocket::operator=(TSocket&& other) noexcept {
    if (this != &other) {
        Close();
        FFd = other.FFd;
        other.FFd = -1;
    }
    return *this;
}

void TSocket::Close() {
    if (FFd >= 0) ::close(FFd);
    FFd = -1;
}

void TSocket::Shutdown() {
    if (FFd >= 0) ::shutdown(FFd, SHUT_RDWR);
}

TSocket TSocket::Connect(const std::string& host, std::uint16_t port, int timeoutMs, TNetError& error) {
    error = TNetError::None;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (host.empty() || ::getaddrinfo(host.c_str(), nullptr, &hints, &list) != 0 || !list) {
        error = TNetError::Resolve;
        return {};
    }
    sockaddr_in addr{};
    std::memcpy(&addr, list->ai_addr, sizeof addr);
    ::freeaddrinfo(list);
    addr.sin_port = htons(port);

    TSocket s(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!s.Valid()) {
        error = TNetError::Io;
        return {};
    }
    auto deadline = DeadlineAfter(timeoutMs);
    if (::connect(s.FFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        if (errno != EINPROGRESS) {
            error = TNetError::Connect;
            return {};
        }
        if (!WaitFd(s.FFd, POLLOUT, deadline, &error)) return {};
        int soErr = 0;
        socklen_t len = sizeof soErr;
        ::getsockopt(s.FFd, SOL_SOCKET, SO_ERROR, &soErr, &len);
        if (soErr != 0) {
            error = soErr == ETIMEDOUT ? TNetError::Timeout : TNetError::Connect;
            return {};
        }
    }
    int one = 1;
    ::setsockopt(s.FFd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return s;
}

bool TSocket::SendAll(const void* data, std::size_t size, int timeoutMs, TNetError* error) {
    if (FFd < 0) {
        if (error) *error = TNetError::Closed;
        return false;
    }
    auto deadline = DeadlineAfter(timeoutMs);
    auto p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::send(FFd, p, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            p += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFd(FFd, POLLOUT, deadline, error)) return false;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (error) *error = (errno == EPIPE || errno == ECONNRESET) ? TNetError::Closed : TNetError::Io;
        return false;
    }
    return true;
}

long TSocket::Recv(void* data, std::size_t size, int timeoutMs, TNetError* error) {
    if (FFd < 0) {
        if (error) *error = TNetError::Closed;
        return -1;
    }
    auto deadline = DeadlineAfter(timeoutMs);
    for (;;) {
        ssize_t n = ::recv(FFd, data, size, MSG_DONTWAIT);
        if (n >= 0) {
            if (n == 0 && error) *error = TNetError::Closed;
            return static_cast<long>(n);
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            if (error) *error = errno == ECONNRESET ? TNetError::Closed : TNetError::Io;
            return -1;
        }
        if (!WaitFd(FFd, POLLIN, deadline, error)) return -1;
    }
}

bool TSocket::RecvExact(void* data, std::size_t size, int timeoutMs, TNetError* error) {
    auto deadline = DeadlineAfter(timeoutMs);
    auto p = static_cast<char*>(data);
    while (size > 0) {
        long n = Recv(p, size, MsLeft(deadline), error);
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool TSocket::RecvLine(std::string& line, std::size_t maxLen, int timeoutMs, TNetError* error) {
    // Byte by byte: whatever follows the line belongs to the caller's next read.
    line.clear();
    auto deadline = DeadlineAfter(timeoutMs);
    for (;;) {
        char c;
        long n = Recv(&c, 1, MsLeft(deadline), error);
        if (n <= 0) return false;
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        if (line.size() >= maxLen) {
            if (error) *error = TNetError::Io;
            return false;
        }
        line.push_back(c);
    }
}

bool TSocket::WaitReady(bool forWrite, int timeoutMs, TNetError* error) {
    if (FFd < 0) {
        if (error) *error = TNetError::Closed;
        return false;
    }
    return WaitFd(FFd, forWrite ? POLLOUT : POLLIN, DeadlineAfter(timeoutMs), error);
}

long TSocket::SendNow(const void* data, std::size_t size, TNetError* error) {
    if (FFd < 0) {
        if (error) *error = TNetError::Closed;
        return -1;
    }
    for (;;) {
        ssize_t n = ::send(FFd, data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n >= 0) return static_cast<long>(n);
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
        if (error) *error = (errno == EPIPE || errno == ECONNRESET) ? TNetError::Closed : TNetError::Io;
        return -1;
    }
}

long TSocket::RecvNow(void* data, std::size_t size, bool& wouldBlock, TNetError* error) {
    wouldBlock = false;
    if (FFd < 0) {
        if (error) *error = TNetError::Closed;
        return -1;
    }
    for (;;) {
        ssize_t n = ::recv(FFd, data, size, MSG_DONTWAIT);
        if (n >= 0) {
            if (n == 0 && error) *error = TNetError::Closed;
            return static_cast<long>(n);
        }
        if (errno == EINTR) continue;
        wouldBlock = errno == EAGAIN || errno == EWOULDBLOCK;
        if (error) *error = errno == ECONNRESET ? TNetError::Closed : TNetError::Io;
        return -1;
    }
}

void TSocket::SetSendBuffer(int bytes) {
    if (FFd >= 0) ::setsockopt(FFd, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
}

std::string TSocket::PeerText() const {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    if (FFd < 0 || ::getpeername(FFd, reinterpret_cast<sockaddr*>(&a), &len) != 0) return {};
    return AddrText(a, true);
}

std::string TSocket::LocalAddress() const {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    if (FFd < 0 || ::getsockname(FFd, reinterpret_cast<sockaddr*>(&a), &len) != 0) return {};
    return AddrText(a, false);
}

TListenSocket::~TListenSocket() {
    Close();
}

bool TListenSocket::Listen(const std::string& bindAddress, std::uint16_t port, int backlog,
                           std::string& error) {
    Close();
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (bindAddress.empty()) {
        addr.sin_addr.s_addr = htonl(INADDR_ANY);
    } else if (::inet_pton(AF_INET, bindAddress.c_str(), &addr.sin_addr) != 1) {
        error = "invalid address " + bindAddress;
        return false;
    }
    FFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (FFd < 0) {
        error = std::strerror(errno);
        return false;
    }
    int one = 1;
    ::setsockopt(FFd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    // The kernel cuts a backlog above net.core.somaxconn down to it.
    if (::bind(FFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(FFd, backlog < 0 ? INT_MAX : backlog) != 0 || ::pipe2(FWake, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = std::strerror(errno);
        Close();
        return false;
    }
    socklen_t len = sizeof addr;
    ::getsockname(FFd, reinterpret_cast<sockaddr*>(&addr), &len);
    FPort = ntohs(addr.sin_port);
    FSpare = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    return true;
}

TSocket TListenSocket::Accept(int timeoutMs) {
    auto deadline = DeadlineAfter(timeoutMs);
    while (FFd >= 0) {
        pollfd p[2] = {{FFd, POLLIN, 0}, {FWake[0], POLLIN, 0}};
        int r = ::poll(p, 2, timeoutMs < 0 ? -1 : MsLeft(deadline));
        if (r < 0) {
            if (errno == EINTR) continue;
            return {};
        }
        if (r == 0 || p[1].revents) return {};
        int fd = ::accept4(FFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0) {
            int one = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            return TSocket(fd);
        }
        if (errno == EMFILE || errno == ENFILE) ::poll(nullptr, 0, 50); // let descriptors free up
    }
    return {};
}

TSocket TListenSocket::AcceptNow(bool& refused, bool& starved) {
    refused = starved = false;
    if (FSpare < 0) FSpare = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    for (;;) {
        int fd = ::accept4(FFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0) {
            int one = 1;
            ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            return TSocket(fd);
        }
        if (errno == EINTR || errno == ECONNABORTED) continue;
        if (errno != EMFILE && errno != ENFILE) return {};
        if (FSpare < 0) {
            starved = true;
            return {};
        }
        // The spare descriptor makes room for one: taken and closed, then kept again.
        ::close(FSpare);
        fd = ::accept4(FFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0) ::close(fd);
        refused = fd >= 0;
        FSpare = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        return {};
    }
}

void TListenSocket::Wake() {
    if (FWake[1] >= 0) {
        char c = 1;
        [[maybe_unused]] auto n = ::write(FWake[1], &c, 1);
    }
}

void TListenSocket::Close() {
    if (FFd >= 0) ::close(FFd);
    if (FSpare >= 0) ::close(FSpare);
    FSpare = -1;
    for (int& fd : FWake) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    FFd = -1;
    FPort = 0;
}

} // namespace vd::net
