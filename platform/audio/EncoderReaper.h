#pragma once
// Ends stopped encoders on a thread of its own, so that AE_Encode_Stop never blocks its caller
// and every process is reaped.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace vd::audio {

class TEncoder;

class TEncoderReaper {
public:
    TEncoderReaper();
    ~TEncoderReaper(); // finishes what is queued, then ends the thread
    void Add(std::shared_ptr<TEncoder> encoder);
    // Raises `status` on the encoder's notify callback after `delayMs`, from the reaper thread.
    void AddNotify(std::shared_ptr<TEncoder> encoder, std::uint32_t status, unsigned delayMs);
    // Blocks until everything handed over so far is finished.
    void Drain();

private:
    void Run();

    std::mutex FLock;
    std::condition_variable FCond;
    struct TNotify {
        std::chrono::steady_clock::time_point Due;
        std::shared_ptr<TEncoder> Encoder;
        std::uint32_t Status;
    };
    std::deque<std::shared_ptr<TEncoder>> FQueue;
    std::deque<TNotify> FNotifies; // in order of arrival; every one has the same delay
    unsigned FBusy = 0;
    bool FQuit = false;
    std::thread FThread;
};

} // namespace vd::audio
