#pragma once
// The capture channel: one thread reads device periods, runs the record callback and the DSP
// hooks on each block, then queues the block to every running encoder.
#include "platform/audio/AudioEngine.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vd::audio {

class TCaptureSource;
class TEncoder;

class TCaptureChannel {
public:
    TCaptureChannel(HRECORD handle, std::shared_ptr<TCaptureSource> source, unsigned rate, unsigned channels,
                    RECORDPROC proc, void* user);
    ~TCaptureChannel(); // stops the thread
    TCaptureChannel(const TCaptureChannel&) = delete;
    TCaptureChannel& operator=(const TCaptureChannel&) = delete;

    bool Play(); // starts the capture thread (again, after it ended by itself)
    void Stop(); // joins the capture thread; not from a callback

    HDSP AddDsp(HDSP id, DSPPROC proc, void* user, int priority);
    bool RemoveDsp(HDSP id);

    void AddEncoder(std::shared_ptr<TEncoder> encoder);
    void RemoveEncoder(const TEncoder* encoder);
    std::vector<std::shared_ptr<TEncoder>> TakeEncoders();

    HRECORD Handle() const { return FHandle; }
    unsigned Rate() const { return FRate; }
    unsigned Channels() const { return FChannels; }
    const TCaptureSource* Source() const { return FSource.get(); }
    bool Running() const { return FRunning.load(std::memory_order_acquire); }
    // True on the capture thread itself (inside the record or DSP callback).
    bool OnCaptureThread() const { return std::this_thread::get_id() == FThreadId.load(); }
    // Blocks delivered since the start, for tests and benchmarks.
    std::uint64_t Blocks() const { return FBlocks.load(std::memory_order_relaxed); }

private:
    struct TDsp {
        HDSP Id;
        DSPPROC Proc;
        void* User;
        int Priority;
    };
    void Run();

    HRECORD FHandle;
    std::shared_ptr<TCaptureSource> FSource;
    unsigned FRate;
    unsigned FChannels;
    RECORDPROC FProc;
    void* FUser;
    std::vector<std::int16_t> FBuffer; // one period, allocated once

    std::mutex FDspLock; // held while the hooks run, so a removed hook is not running
    std::vector<TDsp> FDsps;
    std::mutex FEncoderLock;
    std::vector<std::shared_ptr<TEncoder>> FEncoders;

    std::atomic<bool> FQuit{false};
    std::atomic<bool> FRunning{false};
    std::atomic<std::uint64_t> FBlocks{0};
    std::atomic<std::thread::id> FThreadId{};
    std::thread FThread;
};

} // namespace vd::audio
