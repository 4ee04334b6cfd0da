#include "platform/audio/Encoder.h"

#include "platform/audio/CommandLine.h"
#include "platform/audio/EncodedSink.h"
#include "platform/audio/posix/ChildProcess.h"

#include "platform/audio/ThreadName.h"

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace vd::audio {
namespace {

constexpr std::size_t OutBufferSize = 16384;

std::int64_t NowUs(TEncoder::TClock::time_point t) {
    return std::chrono::duration_cast<std::chrono::microseconds>(t.time_since_epoch()).count();
}

void PutLe(std::uint8_t* p, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

} // namespace

TEncoder::TEncoder(const TParams& params)
    : FParams(params), FProcess(std::make_unique<TChildProcess>()), FRing(params.QueueBytes),
      FOutBuffer(new std::uint8_t[OutBufferSize]) {}

TEncoder::~TEncoder() {
    MarkStopped();
    Finish();
}

int TEncoder::Start(const std::string& commandLine) {
    const auto args = SplitCommandLine(commandLine);
    if (args.empty()) return AE_ERROR_ILLPARAM;
    const int rc = FProcess->Start(args);
    if (rc == ENOMEM) return AE_ERROR_MEM;
    if (rc == EMFILE || rc == ENFILE || rc == EAGAIN) return AE_ERROR_CREATE;
    if (rc != 0) return AE_ERROR_FILEOPEN;
    FAccept.store(true, std::memory_order_release);
    FWriter = std::thread([this] { WriterLoop(); });
    FReader = std::thread([this] { ReaderLoop(); });
    return AE_OK;
}

int TEncoder::Pid() const {
    return FProcess->HasExited() ? 0 : FProcess->Pid();
}

void TEncoder::Wake() {
    FWake.fetch_add(1, std::memory_order_release);
    FWake.notify_one();
}

void TEncoder::PushBlock(const void* data, std::size_t size, TClock::time_point arrived) {
    if (!FAccept.load(std::memory_order_acquire)) return;
    if (!FRing.Push(data, size)) {
        if (!FInOverflow) {
            FInOverflow = true;
            FOverflow.store(true, std::memory_order_release);
            Wake();
        }
        return;
    }
    // A run of overflows ends only once the queue has drained to half, so a queue that hovers
    // at its limit reports once, not for every block that slips in.
    if (FInOverflow && FRing.Size() < FRing.Capacity() / 2) FInOverflow = false;
    if (FStampPos.load(std::memory_order_acquire) == 0) {
        FStampTime.store(NowUs(arrived), std::memory_order_relaxed);
        FStampPos.store(FRing.Pushed(), std::memory_order_release);
    }
    Wake();
}

void TEncoder::CheckLatencyStamp() {
    const std::uint64_t pos = FStampPos.load(std::memory_order_acquire);
    if (pos == 0 || FRing.Popped() < pos) return;
    const std::int64_t delay = NowUs(TClock::now()) - FStampTime.load(std::memory_order_relaxed);
    const auto us = static_cast<std::uint64_t>(std::max<std::int64_t>(delay, 0));
    if (us > FMaxLatencyUs.load(std::memory_order_relaxed))
        FMaxLatencyUs.store(us, std::memory_order_relaxed);
    FStampPos.store(0, std::memory_order_release);
}

void TEncoder::WriteWavHeader() {
    // A streaming WAV header: the sizes are unknown, so they say "as long as it goes".
    std::uint8_t h[44] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '};
    const std::uint32_t align = FParams.Channels * 2;
    PutLe(h + 4, 0xFFFFFFFFu, 4);
    PutLe(h + 16, 16, 4);
    PutLe(h + 20, 1, 2);
    PutLe(h + 22, FParams.Channels, 2);
    PutLe(h + 24, FParams.Rate, 4);
    PutLe(h + 28, FParams.Rate * align, 4);
    PutLe(h + 32, align, 2);
    PutLe(h + 34, 16, 2);
    h[36] = 'd', h[37] = 'a', h[38] = 't', h[39] = 'a';
    PutLe(h + 40, 0xFFFFFFFFu - 36, 4);
    // The pipe is empty here, so the header goes in at once.
    FProcess->WriteSome(h, sizeof h, 1000);
}

void TEncoder::WriterLoop() {
    SetThreadName("vd-enc-write");
    if (!(FParams.Flags & AE_ENCODE_NOHEAD)) WriteWavHeader();
    for (;;) {
        const std::uint32_t seen = FWake.load(std::memory_order_acquire);
        if (FOverflow.exchange(false, std::memory_order_acq_rel)) RaiseNotify(AE_ENCODE_NOTIFY_SERVER_SPACE);
        if (FStopWriter.load(std::memory_order_acquire)) break; // stopped: what is queued is dropped
        const std::uint8_t* data = nullptr;
        const std::size_t n = FRing.Front(&data);
        if (n > 0) {
            const long written = FProcess->WriteSome(data, n, 50);
            if (written < 0) break; // the program is gone: the reader reports it
            FRing.Pop(static_cast<std::size_t>(written));
            CheckLatencyStamp();
            continue;
        }
        if (FEndInput.load(std::memory_order_acquire)) break;
        FWake.wait(seen, std::memory_order_acquire);
    }
    FAccept.store(false, std::memory_order_release);
    FProcess->CloseInput();
}

void TEncoder::ReaderLoop() {
    SetThreadName("vd-enc-read");
    for (;;) {
        const long n = FProcess->ReadSome(FOutBuffer.get(), OutBufferSize);
        if (n <= 0) break;
        const auto size = static_cast<std::uint32_t>(n);
        {
            std::lock_guard lock(FCallbackLock);
            if (!Stopped() && FParams.Proc)
                FParams.Proc(FParams.Handle, FParams.Channel, FOutBuffer.get(), size, FParams.User);
        }
        std::lock_guard lock(FSinkLock);
        for (const auto& sink : FSinks)
            sink->Deliver(FOutBuffer.get(), size);
    }
    FProcess->WaitExit();
    FAccept.store(false, std::memory_order_release);
    // An end that was asked for is no failure; after a stop the notify is ignored anyway.
    if (!FEndInput.load(std::memory_order_acquire)) RaiseNotify(AE_ENCODE_NOTIFY_ENCODER);
    FReaderDone.Set();
}

void TEncoder::EndInput() {
    FAccept.store(false, std::memory_order_release);
    FEndInput.store(true, std::memory_order_release);
    Wake();
}

std::uint32_t TEncoder::SetNotify(ENCODENOTIFYPROC proc, void* user) {
    std::lock_guard lock(FCallbackLock);
    FNotifyProc = proc;
    FNotifyUser = user;
    const std::uint32_t pending = proc ? FPendingStatus : 0;
    if (proc) FPendingStatus = 0;
    return pending;
}

void TEncoder::RaiseNotify(std::uint32_t status) {
    std::lock_guard lock(FCallbackLock);
    if (Stopped()) return;
    if (FNotifyProc)
        FNotifyProc(FParams.Handle, status, FNotifyUser);
    else if (FPendingStatus == 0)
        FPendingStatus = status; // a failure is not lost before the callback is set
}

bool TEncoder::AttachSink(std::shared_ptr<TEncodedSink> sink) {
    if (!sink) return false;
    std::lock_guard lock(FSinkLock);
    if (Stopped()) return false;
    if (std::find(FSinks.begin(), FSinks.end(), sink) == FSinks.end()) FSinks.push_back(std::move(sink));
    return true;
}

bool TEncoder::DetachSink(const TEncodedSink* sink) {
    std::shared_ptr<TEncodedSink> released; // let go after the lock: its descriptors close with it
    std::lock_guard lock(FSinkLock);
    auto it = std::find_if(FSinks.begin(), FSinks.end(), [&](const auto& s) { return s.get() == sink; });
    if (it == FSinks.end()) return false;
    released = std::move(*it);
    FSinks.erase(it);
    return true;
}

void TEncoder::MarkStopped() {
    {
        std::lock_guard lock(FCallbackLock);
        FStopped.store(true, std::memory_order_release);
    }
    std::lock_guard lock(FSinkLock);
    for (auto& s : FSinks) {
        s->Abandon(); // a cast still connecting must not wait out its time-out for nobody
        FDetachedSinks.push_back(std::move(s));
    }
    FSinks.clear();
}

void TEncoder::Finish() {
    FStopWriter.store(true, std::memory_order_release);
    Wake();
    if (FWriter.joinable()) {
        FWriter.join(); // never blocked for long: its writes time out
    }
    if (FReader.joinable()) {
        if (!FReaderDone.WaitFor(FParams.StopWaitMs)) {
            FProcess->Signal(SIGTERM);
            if (!FReaderDone.WaitFor(1000)) FProcess->Signal(SIGKILL);
        }
        FReader.join();
    }
    std::vector<std::shared_ptr<TEncodedSink>> sinks;
    {
        std::lock_guard lock(FSinkLock);
        sinks.swap(FDetachedSinks);
    }
}

} // namespace vd::audio
