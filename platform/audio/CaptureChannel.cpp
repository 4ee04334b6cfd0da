#include "platform/audio/CaptureChannel.h"

#include "platform/audio/CaptureSource.h"
#include "platform/audio/Encoder.h"

#include "platform/audio/ThreadName.h"

#include <algorithm>

namespace vd::audio {
namespace {
constexpr int ReadTimeoutMs = 200; // how soon a stalled device notices Stop
constexpr std::size_t MaxListSize = 64;
} // namespace

TCaptureChannel::TCaptureChannel(HRECORD handle, std::shared_ptr<TCaptureSource> source, unsigned rate,
                                 unsigned channels, RECORDPROC proc, void* user)
    : FHandle(handle), FSource(std::move(source)), FRate(rate), FChannels(channels), FProc(proc), FUser(user),
      FBuffer(FSource->PeriodFrames() * channels) {
    // Reserved up front so that adding a hook or an encoder never moves memory the capture
    // thread is walking, and the walk itself never allocates.
    FDsps.reserve(MaxListSize);
    FEncoders.reserve(MaxListSize);
}

TCaptureChannel::~TCaptureChannel() {
    Stop();
}

bool TCaptureChannel::Play() {
    if (FRunning.load(std::memory_order_acquire)) return true;
    if (FThread.joinable()) FThread.join(); // ended by itself
    FQuit.store(false, std::memory_order_release);
    FRunning.store(true, std::memory_order_release);
    FThread = std::thread([this] { Run(); });
    return true;
}

void TCaptureChannel::Stop() {
    FQuit.store(true, std::memory_order_release);
    if (FThread.joinable()) FThread.join();
    FSource->Halt();
}

HDSP TCaptureChannel::AddDsp(HDSP id, DSPPROC proc, void* user, int priority) {
    std::lock_guard lock(FDspLock);
    if (FDsps.size() >= MaxListSize) return 0;
    // Higher priority runs first; equal priorities keep their order of arrival.
    auto at = std::find_if(FDsps.begin(), FDsps.end(), [&](const TDsp& d) { return d.Priority < priority; });
    FDsps.insert(at, TDsp{id, proc, user, priority});
    return id;
}

bool TCaptureChannel::RemoveDsp(HDSP id) {
    std::lock_guard lock(FDspLock);
    auto it = std::find_if(FDsps.begin(), FDsps.end(), [&](const TDsp& d) { return d.Id == id; });
    if (it == FDsps.end()) return false;
    FDsps.erase(it);
    return true;
}

void TCaptureChannel::AddEncoder(std::shared_ptr<TEncoder> encoder) {
    std::lock_guard lock(FEncoderLock);
    FEncoders.push_back(std::move(encoder));
}

void TCaptureChannel::RemoveEncoder(const TEncoder* encoder) {
    std::lock_guard lock(FEncoderLock);
    std::erase_if(FEncoders, [&](const auto& e) { return e.get() == encoder; });
}

std::vector<std::shared_ptr<TEncoder>> TCaptureChannel::TakeEncoders() {
    std::lock_guard lock(FEncoderLock);
    std::vector<std::shared_ptr<TEncoder>> all;
    all.swap(FEncoders);
    FEncoders.reserve(MaxListSize);
    return all;
}

void TCaptureChannel::Run() {
    SetThreadName("vd-capture");
    const std::size_t frames = FSource->PeriodFrames();
    FThreadId.store(std::this_thread::get_id());
    while (!FQuit.load(std::memory_order_acquire)) {
        const long got = FSource->Read(FBuffer.data(), frames, ReadTimeoutMs);
        if (got == 0) continue;
        if (got < 0) break; // the device is gone
        const auto arrived = std::chrono::steady_clock::now();
        const auto bytes = static_cast<std::uint32_t>(got * FChannels * sizeof(std::int16_t));
        if (FProc && !FProc(FHandle, FBuffer.data(), bytes, FUser)) break;
        {
            std::lock_guard lock(FDspLock);
            for (const TDsp& d : FDsps)
                d.Proc(d.Id, FHandle, FBuffer.data(), bytes, d.User);
        }
        {
            std::lock_guard lock(FEncoderLock);
            for (const auto& e : FEncoders)
                e->PushBlock(FBuffer.data(), bytes, arrived);
            // One wake for every encoder: the loop writes to each pipe what it takes.
            TIoLoop* woken = nullptr;
            for (const auto& e : FEncoders)
                if (&e->Loop() != woken) {
                    woken = &e->Loop();
                    woken->Wake();
                }
        }
        FBlocks.fetch_add(1, std::memory_order_relaxed);
    }
    FThreadId.store(std::thread::id{});
    FRunning.store(false, std::memory_order_release);
}

} // namespace vd::audio
