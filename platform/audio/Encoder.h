#pragma once
// One encoder process: PCM from the capture thread goes through a bounded queue to the
// program's stdin on a writer thread; its stdout is read on a reader thread and handed to the
// data callback and the attached sinks.
#include "platform/audio/AudioEngine.h"
#include "platform/audio/ByteRing.h"
#include "platform/audio/Signal.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vd::audio {

class TChildProcess;

class TEncoder {
public:
    struct TParams {
        HENCODE Handle = 0;
        HRECORD Channel = 0;
        std::uint32_t Flags = 0;
        ENCODEPROC Proc = nullptr;
        void* User = nullptr;
        unsigned Rate = 44100;
        unsigned Channels = 2;
        std::size_t QueueBytes = 0;
        unsigned StopWaitMs = 1000;
    };
    using TClock = std::chrono::steady_clock;

    explicit TEncoder(const TParams& params);
    ~TEncoder(); // must not run on one of its own threads; Finish first
    TEncoder(const TEncoder&) = delete;
    TEncoder& operator=(const TEncoder&) = delete;

    // Splits the line, starts the program and both threads. 0 or an AudioError code.
    int Start(const std::string& commandLine);

    // Capture thread: queue one block; never blocks, never allocates.
    void PushBlock(const void* data, std::size_t size, TClock::time_point arrived);

    // No more input: what is queued is written, then stdin is closed and the program finishes.
    void EndInput();

    // Returns a status raised while no notify callback was set (0 when none); it is taken, so
    // the caller can deliver it once the new callback can act on it.
    std::uint32_t SetNotify(ENCODENOTIFYPROC proc, void* user);
    void RaiseNotify(std::uint32_t status);
    bool AttachSink(std::shared_ptr<TEncodedSink> sink);
    // The encoder keeps no reference to a detached sink.
    bool DetachSink(const TEncodedSink* sink);

    // Any thread, returns at once: no callback or sink delivery after this returns
    // (except on the encoder's own thread when called from inside a callback). Every attached
    // sink is abandoned (TEncodedSink::Abandon) and released by Finish.
    void MarkStopped();
    // Cleanup thread: ends the writer, lets the program end (then signals), joins, reaps.
    void Finish();

    HENCODE Handle() const { return FParams.Handle; }
    HRECORD Channel() const { return FParams.Channel; }
    std::uint32_t Flags() const { return FParams.Flags; }
    bool Stopped() const { return FStopped.load(std::memory_order_acquire); }
    std::uint64_t Queued() const { return FRing.Size(); }
    int Pid() const;
    std::uint64_t MaxLatencyUs() const { return FMaxLatencyUs.load(std::memory_order_relaxed); }

private:
    void WriterLoop();
    void ReaderLoop();
    void Wake();
    void CheckLatencyStamp();
    void WriteWavHeader();

    TParams FParams;
    std::unique_ptr<TChildProcess> FProcess;
    TByteRing FRing;
    std::unique_ptr<std::uint8_t[]> FOutBuffer;

    std::atomic<std::uint32_t> FWake{0};
    std::atomic<bool> FStopWriter{false};
    std::atomic<bool> FEndInput{false};
    std::atomic<bool> FAccept{false};   // the writer still takes blocks
    std::atomic<bool> FOverflow{false}; // a block was dropped: notify from the writer
    bool FInOverflow = false;           // capture thread only: one notify per overflow run
    std::atomic<bool> FStopped{false};

    // Latency sampling: the capture thread fills the slot when it is free.
    std::atomic<std::uint64_t> FStampPos{0};
    std::atomic<std::int64_t> FStampTime{0};
    std::atomic<std::uint64_t> FMaxLatencyUs{0};

    std::recursive_mutex FCallbackLock; // held while a callback runs; guards the notify target
    ENCODENOTIFYPROC FNotifyProc = nullptr;
    void* FNotifyUser = nullptr;
    std::uint32_t FPendingStatus = 0; // the first status raised before a callback was set

    std::recursive_mutex FSinkLock; // held while sinks are delivered to
    std::vector<std::shared_ptr<TEncodedSink>> FSinks;
    std::vector<std::shared_ptr<TEncodedSink>> FDetachedSinks; // released by Finish

    TSignal FReaderDone;
    std::thread FWriter;
    std::thread FReader;
};

} // namespace vd::audio
