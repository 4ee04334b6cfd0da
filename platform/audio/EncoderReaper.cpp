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

void TEncoderReaper::AddNotify(std::shared_ptr<TEncoder> encoder, std::uint32_t status, unsigned delayMs) {
    {
        std::lock_guard lock(FLock);
        FNotifies.push_back({std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs),
                             std::move(encoder), status});
    }
    FCond.notify_all();
}

void TEncoderReaper::Drain() {
    std::unique_lock lock(FLock);
    FCond.wait(lock, [this] { return FQueue.empty() && FNotifies.empty() && FBusy == 0; });
}

void TEncoderReaper::Run() {
    SetThreadName("vd-enc-reaper");
    std::unique_lock lock(FLock);
    for (;;) {
        const auto due = [this] {
            return !FNotifies.empty() && (FQuit || FNotifies.front().Due <= std::chrono::steady_clock::now());
        };
        if (FQueue.empty() && !due()) {
            if (FQuit && FNotifies.empty()) return;
            if (FNotifies.empty())
                FCond.wait(lock);
            else
                FCond.wait_until(lock, FNotifies.front().Due);
            continue;
        }
        ++FBusy;
        if (due()) {
            TNotify n = std::move(FNotifies.front());
            FNotifies.pop_front();
            lock.unlock();
            n.Encoder->RaiseNotify(n.Status); // ignored when stopped meanwhile
            n.Encoder.reset();
        } else {
            auto encoder = std::move(FQueue.front());
            FQueue.pop_front();
            lock.unlock();
            encoder->Finish();
            encoder.reset();
        }
        lock.lock();
        --FBusy;
        FCond.notify_all();
    }
}

} // namespace vd::audio
