#pragma once
// Ends stopped encoders on a thread of its own, so that AE_Encode_Stop never blocks its caller
// and every process is reaped.
#include <condition_variable>
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
    // Blocks until everything handed over so far is finished.
    void Drain();

private:
    void Run();

    std::mutex FLock;
    std::condition_variable FCond;
    std::deque<std::shared_ptr<TEncoder>> FQueue;
    unsigned FBusy = 0;
    bool FQuit = false;
    std::thread FThread;
};

} // namespace vd::audio
