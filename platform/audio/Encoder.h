#pragma once
// One encoder process: PCM from the capture thread goes through a bounded queue to the
// program's stdin; its stdout is handed to the data callback and the attached sinks. Both pipes
// are served by the engine's I/O loop (no thread of its own): the capture thread queues a block
// and wakes the loop, which writes what the pipe takes and reads output as it comes.
#include "platform/audio/AudioEngine.h"
#include "platform/audio/ByteRing.h"
#include "platform/audio/IoLoop.h"
#include "platform/audio/Signal.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vd::audio {

class TChildProcess;

class TEncoder : private TIoHandler {
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
        TIoLoop* Loop = nullptr; // the shared loop when none
    };
    using TClock = std::chrono::steady_clock;

    explicit TEncoder(const TParams& params);
    ~TEncoder() override; // not on the I/O loop; Finish first
    TEncoder(const TEncoder&) = delete;
    TEncoder& operator=(const TEncoder&) = delete;

    // Splits the line, starts the program and hands its pipes to the loop. 0 or an AudioError code.
    int Start(const std::string& commandLine);

    // Capture thread: queue one block; never blocks, never allocates, never makes a system
    // call. The caller wakes Loop() once it queued the block to every encoder.
    void PushBlock(const void* data, std::size_t size, TClock::time_point arrived);
    TIoLoop& Loop() const { return FLoop; }

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
    // (except on the loop thread when called from inside a callback). Every attached
    // sink is abandoned (TEncodedSink::Abandon) and released by Finish.
    void MarkStopped();
    // Cleanup thread (never the loop): drops what is queued, closes stdin, lets the program end
    // (then signals), takes the pipes off the loop, reaps.
    void Finish();

    HENCODE Handle() const { return FParams.Handle; }
    HRECORD Channel() const { return FParams.Channel; }
    std::uint32_t Flags() const { return FParams.Flags; }
    bool Stopped() const { return FStopped.load(std::memory_order_acquire); }
    std::uint64_t Queued() const { return FRing.Size(); }
    int Pid() const;
    std::uint64_t MaxLatencyUs() const { return FMaxLatencyUs.load(std::memory_order_relaxed); }

private:
    // Loop thread.
    void Attach();
    void Detach();
    void OnIo(int fd, std::uint32_t events) override;
    void OnWake() override;
    void OnTimer() override;
    void Pump();
    void ReadOutput();
    void CloseInput();
    void CheckEnded();
    void CheckLatencyStamp();
    void WriteWavHeader();

    TParams FParams;
    std::unique_ptr<TChildProcess> FProcess;
    TByteRing FRing;
    std::unique_ptr<std::uint8_t[]> FOutBuffer;

    TIoLoop& FLoop;
    std::atomic<bool> FStopWriter{false};
    std::atomic<bool> FEndInput{false};
    std::atomic<bool> FAccept{false};   // stdin still takes blocks
    std::atomic<bool> FOverflow{false}; // a block was dropped: the loop raises the notify
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

    // Loop thread only.
    bool FAttached = false;
    bool FWritable = true; // stdin took all we gave it last time; else watched for room
    bool FInOpen = false;
    bool FOutOpen = false;
    bool FOutWatched = true; // the output wakes the loop itself; else it is read on each wake
    TClock::time_point FLastWake;
    unsigned FReapPolls = 0;

    bool FStarted = false;  // Start spawned the program: the loop has it until Finish
    bool FFinished = false; // Finish ran (cleanup thread only)
    TSignal FEnded;         // end of output and the process reaped
};

} // namespace vd::audio
