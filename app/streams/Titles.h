#pragma once
// The now-playing title: from the title file (polled) or the title port (a TCP service on a
// worker pool), handed to the Online streams and sent to their servers by a worker thread.
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "app/core/AppSettings.h"
#include "app/core/StationRecord.h"
#include "app/streams/WorkerThread.h"
#include "platform/net/TcpServer.h"
#include "platform/rtl/String.h"

namespace vd {

class TTitleSource {
public:
    TTitleSource();
    ~TTitleSource();

    // Title-port connections and the file check write here; the tick takes it.
    void SetTitle(const String& title);
    bool TakeNewTitle(String& title);
    String CurrentTitle() const;

    // The file source: at most every 500 ms, the first line (up to 255 bytes, cut at a character
    // boundary) when it changed. Only a regular file is read, without blocking.
    void CheckUpdateTitle(std::uint64_t now, const TAppSettings& settings);
    static constexpr std::size_t TitleFileBytes = 255;

    // Keeps the port open on TitlePort (re-opened when it changes). A port that cannot be opened
    // is retried at most every 3 s; the text of a new kind of failure is returned once, for the
    // main log (empty otherwise).
    String ServePort(std::uint64_t now, const TAppSettings& settings);
    bool PortActive() const { return FServer.Active(); }
    std::uint16_t Port() const { return FServer.Port(); }
    void ClosePort() { FServer.Stop(); }

    static constexpr int kMaxClients = 16;
    // With every worker busy, a newcomer makes a client served this long give way: a title is
    // handed over in milliseconds, so only stalled or trickling clients are that old.
    static constexpr int kMinServeMs = 1000;
    // How long a client's whole exchange may take before it is closed (10 s).
    void SetClientTimeout(int ms) { FClientTimeoutMs = ms; }

private:
    void ServeClient(net::TSocket& client);

    mutable std::mutex FLock;
    String FCurrent;
    bool FNew = false;
    std::uint64_t FNextFileCheck = 0;
    std::atomic<int> FClientTimeoutMs{10000};
    // The port's settings, copied on every ServePort (the clients read them on their own threads
    // when they connect).
    String FPassword;
    bool FAsString = false;
    bool FIpOnly = false;
    String FIp;
    int FOpenPort = -1;
    std::uint64_t FNextPortTry = 0;
    String FLastFailure;
    net::TTcpServer FServer;
};

// Hands the title to every Online stream (PendingTitle); "Title: ..." goes to the stream's log
// through logLine unless its title mode is Disable.
void SendToStation(const String& title, const std::function<void(TStationRecord&, const String&)>& logLine);

// Sends pending titles from its own thread: every Online stream without Lost; a refused title is
// tried again after kRetryMs. The system code page is UTF-8, so the ANSI and UTF-8 title modes
// send the same bytes (a UTF-8 title file needs no conversion either); Disable sends nothing.
class TTitleSender {
public:
    static constexpr std::uint64_t kRetryMs = 2000;
    TTitleSender() : FWorker(std::chrono::milliseconds(250), [this] { Pass(); }) {}
    void Start() { FWorker.Start(); }
    void Wake() { FWorker.Wake(); }
    void Terminate() { FWorker.Terminate(); }
    void WaitFor() { FWorker.WaitFor(); }
    // One stream (the worker's pass calls it); true when nothing is left to send.
    bool TitleSender(TStationRecord& station, std::uint64_t now);

private:
    void Pass();
    std::mutex FLock;
    std::map<const TStationRecord*, std::uint64_t> FRetryAt;
    TWorkerThread FWorker;
};

} // namespace vd
