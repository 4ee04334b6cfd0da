#include "platform/audio/EncoderReaper.h"

#include "platform/audio/Encoder.h"
#include "platform/audio/ThreadName.h"

namespace vd::audio {

TEncoderReaper::TEncoderReaper() : FThread([this] { Run(); }) {}

TEncoderReaper::~TEncoderReaper() {
    {
        std::lock_guard lock(FLock);
        FQuit = true;
    }
    FCond.notify_all();
    FThread.join();
}

void TEncoderReaper::Add(std::shared_ptr<TEncoder> encoder) {
    {
        std::lock_guard lock(FLock);
        FQueue.push_back(std::move(encoder));
    }
    FCond.notify_all();
}

void TEncoderReaper::Drain() {
    std::unique_lock lock(FLock);
    FCond.wait(lock, [this] { return FQueue.empty() && FBusy == 0; });
}

void TEncoderReaper::Run() {
    SetThreadName("vd-enc-reaper");
    std::unique_lock lock(FLock);
    for (;;) {
        FCond.wait(lock, [this] { return FQuit || !FQueue.empty(); });
        if (FQueue.empty()) return; // quit with nothing left
        auto encoder = std::move(FQueue.front());
        FQueue.pop_front();
        ++FBusy;
        lock.unlock();
        encoder->Finish();
        encoder.reset();
        lock.lock();
        --FBusy;
        FCond.notify_all();
    }
}

} // namespace vd::audio
