#pragma once
// The connector thread: starts every stream in Connect whose reconnect time has come (encoder,
// then the server cast or the own port), with a back-off after failures. Also the engine's
// callbacks for a running stream and the routine that stops a stream's encoder.
#include <cstdint>
#include <functional>

#include "app/core/StationRecord.h"
#include "app/streams/WorkerThread.h"
#include "platform/rtl/String.h"

namespace vd {

class TConnector {
public:
    // Tells the capture channel (0 while capture does not run).
    using TChannelSource = std::function<std::uint32_t()>;

    explicit TConnector(TChannelSource channel)
        : FChannel(std::move(channel)), FWorker(std::chrono::milliseconds(250), [this] { Pass(); }) {}

    void Start() { FWorker.Start(); } // the first tick resumes the thread
    // The tick wakes it when a stream in Connect is due, so the thread sleeps while none is.
    void Wake() { FWorker.Wake(); }
    void Terminate() { FWorker.Terminate(); }
    void WaitFor() { FWorker.WaitFor(); }
    bool Running() const { return FWorker.Running(); }

    // One connection attempt; public for the tests (the thread calls it for streams in Connect).
    void ConnectStation(TStationRecord& station, std::uint64_t now);
    static void ScheduleReconnect(TStationRecord& station);

private:
    void Pass();
    bool StartCast(TStationRecord& station, std::uint32_t encoder, const TStationConfig& config,
                   const String& contentType);
    void RecordError(TStationRecord& station, int code);
    void Fail(TStationRecord& station, std::uint64_t now, bool encoderStarted);

    TChannelSource FChannel;
    TWorkerThread FWorker; // last: stopped before the members its passes use go
};

// Stops the stream's encoder (its cast or own port first, so that every listener's leave is
// counted) and clears the reconnect group. keepBackOff keeps ReconnectTime and RetryCount.
void StopStationEncoder(TStationRecord& station, bool keepBackOff = false);

// The engine's callbacks; user is the station record.
void EncoderCallback(std::uint32_t handle, std::uint32_t channel, const void* buffer, std::uint32_t length,
                     void* user);
void NotifyCallback(std::uint32_t handle, std::uint32_t status, void* user);
bool ServerClientCallback(std::uint32_t handle, bool connect, const char* client, const char* headers,
                          void* user);

} // namespace vd
