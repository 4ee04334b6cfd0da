#pragma once
// Blocking TCP sockets with deadlines: every wait is bounded, so no thread hangs on a peer.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vd::net {

enum class TNetError { None, Resolve, Connect, Timeout, Closed, Io };

const char* NetErrorText(TNetError e);

class TSocket {
public:
    TSocket() = default;
    explicit TSocket(int fd) : FFd(fd) {}
    ~TSocket();
    TSocket(TSocket&& other) noexcept;
    TSocket& operator=(TSocket&& other) noexcept;
    TSocket(const TSocket&) = delete;
    TSocket& operator=(const TSocket&) = delete;

    // Resolves host (IPv4 name or dotted address) and connects within timeoutMs.
    static TSocket Connect(const std::string& host, std::uint16_t port, int timeoutMs, TNetError& error);

    bool Valid() const { return FFd >= 0; }
    int Fd() const { return FFd; }
    void Close();
    // Wakes a thread blocked in Recv/Send on this socket (both directions shut down).
    void Shutdown();

    bool SendAll(const void* data, std::size_t size, int timeoutMs, TNetError* error = nullptr);
    bool SendAll(const std::string& text, int timeoutMs, TNetError* error = nullptr) {
        return SendAll(text.data(), text.size(), timeoutMs, error);
    }
    // Reads what is there (at most size bytes) within timeoutMs: >0 bytes, 0 closed, -1 error.
    long Recv(void* data, std::size_t size, int timeoutMs, TNetError* error = nullptr);
    // Reads exactly size bytes before the deadline.
    bool RecvExact(void* data, std::size_t size, int timeoutMs, TNetError* error = nullptr);
    // Reads one line ending with LF (a CR before it is dropped) of at most maxLen bytes.
    bool RecvLine(std::string& line, std::size_t maxLen, int timeoutMs, TNetError* error = nullptr);

    // Waits until the socket can be read (or written) within timeoutMs, under this thread's cancel
    // and deadline scopes, for protocols layered over a non-blocking socket (TLS).
    bool WaitReady(bool forWrite, int timeoutMs, TNetError* error = nullptr);

    // For an I/O loop, never waiting: what the socket takes now (0 when nothing fits, -1 when
    // the connection is broken), and what it has now (>0 bytes, 0 when the peer closed, -1 on
    // an error or, with wouldBlock set, when nothing is there yet).
    long SendNow(const void* data, std::size_t size, TNetError* error = nullptr);
    long SendNow(const std::string& text) { return SendNow(text.data(), text.size()); }
    long RecvNow(void* data, std::size_t size, bool& wouldBlock, TNetError* error = nullptr);

    // Caps what the kernel holds for the peer (SO_SNDBUF; the kernel doubles it for its books),
    // so that a stalled peer is noticed after that much, not after megabytes.
    void SetSendBuffer(int bytes);

    // "a.b.c.d:port" of the peer, and the local dotted address.
    std::string PeerText() const;
    std::string LocalAddress() const;

private:
    int FFd = -1;
};

// While alive, every socket wait of this thread also ends when fd becomes readable (reported
// as TNetError::Closed): another thread aborts a connection attempt by writing to it.
class TCancelScope {
public:
    explicit TCancelScope(int fd);
    ~TCancelScope();
    TCancelScope(const TCancelScope&) = delete;
    TCancelScope& operator=(const TCancelScope&) = delete;

private:
    int FPrevious;
};

// While alive, every socket wait of this thread (connect, send, receive) also ends at this
// deadline, reported as TNetError::Timeout: a whole exchange of many steps is bounded by one
// time-out, however slowly the peer answers each step. Scopes nest; the earliest deadline holds.
class TDeadlineScope {
public:
    explicit TDeadlineScope(int timeoutMs);
    ~TDeadlineScope();
    TDeadlineScope(const TDeadlineScope&) = delete;
    TDeadlineScope& operator=(const TDeadlineScope&) = delete;

private:
    std::int64_t FPrevious;
};

// A listening IPv4 socket whose Accept can be woken from another thread.
class TListenSocket {
public:
    TListenSocket() = default;
    ~TListenSocket();
    TListenSocket(const TListenSocket&) = delete;
    TListenSocket& operator=(const TListenSocket&) = delete;

    // As many waiting connections as the system allows (net.core.somaxconn).
    static constexpr int kSystemBacklog = -1;

    // bindAddress empty or "0.0.0.0" = all addresses; port 0 picks a free one.
    bool Listen(const std::string& bindAddress, std::uint16_t port, int backlog, std::string& error);
    std::uint16_t Port() const { return FPort; }
    // Waits for a client; an invalid socket when woken, closed or after timeoutMs (-1: no limit).
    TSocket Accept(int timeoutMs = -1);
    // For an I/O loop: a waiting client, or an invalid socket when none waits. A client that
    // comes while the process has no descriptor left is taken on a spare one and closed at
    // once (refused set), so it neither waits for nothing nor keeps the loop spinning. Without
    // even the spare (starved set) the caller should look again a little later.
    TSocket AcceptNow(bool& refused, bool& starved);
    int Fd() const { return FFd; }
    void Wake();
    void Close();

private:
    int FFd = -1;
    int FWake[2] = {-1, -1};
    int FSpare = -1; // held for AcceptNow's refusals
    std::uint16_t FPort = 0;
};

} // namespace vd::net
