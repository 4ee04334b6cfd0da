#include "platform/audio/Encoder.h"

#include "platform/audio/CommandLine.h"
#include "platform/audio/EncodedSink.h"
#include "platform/audio/posix/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace vd::audio {
namespace {

constexpr std::size_t OutBufferSize = 16384;
// While blocks keep coming, the program's output is read on each block's wake instead of on a
// wake of its own (one loop round per block for every encoder, not one each). Once no wake has
// come for this long, the output is watched again, so nothing waits in the pipe.
constexpr auto OutputIdleTime = std::chrono::seconds(1);

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
      FOutBuffer(new std::uint8_t[OutBufferSize]), FLoop(params.Loop ? *params.Loop : TIoLoop::Shared()) {}

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
    if (!(FParams.Flags & AE_ENCODE_NOHEAD)) WriteWavHeader();
    FAccept.store(true, std::memory_order_release);
    FStarted = true;
    // Posted, not called: the caller may hold a lock that a callback on the loop waits for.
    FLoop.Post([this] { Attach(); });
    return AE_OK;
}

int TEncoder::Pid() const {
    return FProcess->HasExited() ? 0 : FProcess->Pid();
}

void TEncoder::PushBlock(const void* data, std::size_t size, TClock::time_point arrived) {
    if (!FAccept.load(std::memory_order_acquire)) return;
    if (!FRing.Push(data, size)) {
        if (!FInOverflow) {
            FInOverflow = true;
            FOverflow.store(true, std::memory_order_release);
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
    FProcess->WriteNow(h, sizeof h);
}

void TEncoder::Attach() {
    FAttached = true;
    // Watched for room only while the pipe is full: a pipe with room would wake the loop each
    // time the program reads, for nothing.
    FInOpen = FLoop.Watch(FProcess->InputFd(), 0, this);
    FOutOpen = FLoop.Watch(FProcess->OutputFd(), kIoRead, this);
    FLoop.AddWakeHandler(this);
    Pump();
    if (!FOutOpen) CheckEnded();
}

void TEncoder::Detach() {
    if (!FAttached) return;
    FAttached = false;
    FLoop.CancelTimer(this);
    FLoop.RemoveWakeHandler(this);
    CloseInput();
    if (FOutOpen) {
        FLoop.Unwatch(FProcess->OutputFd());
        FProcess->CloseOutput();
        FOutOpen = false;
    }
}

void TEncoder::OnIo(int fd, std::uint32_t /*events*/) {
    if (fd == FProcess->OutputFd()) {
        ReadOutput();
    } else {
        // Room again, or the program closed its end: the write tells which.
        FWritable = true;
        FLoop.Modify(FProcess->InputFd(), 0);
        Pump();
    }
}

void TEncoder::OnWake() {
    if (FOverflow.exchange(false, std::memory_order_acq_rel)) RaiseNotify(AE_ENCODE_NOTIFY_SERVER_SPACE);
    Pump();
    if (!FOutOpen) return;
    ReadOutput();
    if (!FOutOpen) return;
    FLastWake = TClock::now();
    if (FOutWatched) {
        // Only its end still wakes the loop on its own.
        FLoop.Modify(FProcess->OutputFd(), 0);
        FOutWatched = false;
        FLoop.SetTimer(this, FLastWake + OutputIdleTime);
    }
}

void TEncoder::OnTimer() {
    if (!FOutOpen) {
        CheckEnded();
        return;
    }
    if (const auto due = FLastWake + OutputIdleTime; due > TClock::now()) {
        FLoop.SetTimer(this, due); // set once, moved on here: no timer churn on every wake
        return;
    }
    // No wake for a while: the output wakes the loop itself again.
    FLoop.Modify(FProcess->OutputFd(), kIoRead);
    FOutWatched = true;
    ReadOutput();
}

void TEncoder::Pump() {
    if (!FInOpen) return;
    if (FStopWriter.load(std::memory_order_acquire)) {
        FRing.Pop(FRing.Size()); // stopped: what is queued is dropped
        CloseInput();
        return;
    }
    while (FWritable) {
        const std::uint8_t *first = nullptr, *second = nullptr;
        std::size_t firstSize = 0, secondSize = 0;
        const std::size_t total = FRing.Peek(&first, &firstSize, &second, &secondSize);
        if (total == 0) break;
        const long written = FProcess->WriteNow(first, firstSize, second, secondSize);
        if (written < 0) { // the program is gone: the end of its output reports it
            CloseInput();
            return;
        }
        FRing.Pop(static_cast<std::size_t>(written));
        CheckLatencyStamp();
        // A short write means a full pipe: the loop says when it has room again.
        if (static_cast<std::size_t>(written) < total) {
            FWritable = false;
            FLoop.Modify(FProcess->InputFd(), kIoWrite);
        }
    }
    if (FEndInput.load(std::memory_order_acquire) && FRing.Size() == 0) CloseInput();
}

void TEncoder::CloseInput() {
    FAccept.store(false, std::memory_order_release);
    if (!FInOpen) return;
    FLoop.Unwatch(FProcess->InputFd());
    FProcess->CloseInput();
    FInOpen = false;
}

void TEncoder::ReadOutput() {
    bool wouldBlock = false;
    long n = 0;
    while ((n = FProcess->ReadNow(FOutBuffer.get(), OutBufferSize, wouldBlock)) > 0) {
        const auto size = static_cast<std::uint32_t>(n);
        {
            std::lock_guard lock(FCallbackLock);
            if (!Stopped() && FParams.Proc)
                FParams.Proc(FParams.Handle, FParams.Channel, FOutBuffer.get(), size, FParams.User);
        }
        {
            std::lock_guard lock(FSinkLock);
            for (const auto& sink : FSinks)
                sink->Deliver(FOutBuffer.get(), size);
        }
        // A short read emptied the pipe: no call more just to hear that.
        if (static_cast<std::size_t>(n) < OutBufferSize) return;
    }
    if (wouldBlock) return;
    FLoop.Unwatch(FProcess->OutputFd());
    FProcess->CloseOutput();
    FOutOpen = false;
    CheckEnded();
}

// The program has ended once its output is over and it is reaped; the reap usually follows the
// end of output within a moment, so it is looked for on a short timer.
void TEncoder::CheckEnded() {
    if (FOutOpen || FEnded.IsSet()) return;
    if (!FProcess->TryReap()) {
        FLoop.SetTimer(this, TClock::now() + std::chrono::milliseconds(FReapPolls++ < 20 ? 5 : 100));
        return;
    }
    FRing.Pop(FRing.Size());
    CloseInput();
    // An end that was asked for is no failure; after a stop the notify is ignored anyway.
    if (!FEndInput.load(std::memory_order_acquire)) RaiseNotify(AE_ENCODE_NOTIFY_ENCODER);
    FEnded.Set();
}

void TEncoder::EndInput() {
    FAccept.store(false, std::memory_order_release);
    FEndInput.store(true, std::memory_order_release);
    FLoop.Wake();
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
    if (FFinished) return;
    FFinished = true;
    if (FStarted) {
        FStopWriter.store(true, std::memory_order_release);
        FAccept.store(false, std::memory_order_release);
        FLoop.Wake();
        if (!FEnded.WaitFor(FParams.StopWaitMs)) {
            FProcess->Signal(SIGTERM);
            if (!FEnded.WaitFor(1000)) {
                FProcess->Signal(SIGKILL);
                // Killed, it ends; only a child of its own that holds the output open could keep
                // the end from showing, and then the process is reaped below all the same.
                FEnded.WaitFor(5000);
            }
        }
        FLoop.Call([this] { Detach(); });
    }
    std::vector<std::shared_ptr<TEncodedSink>> sinks;
    {
        std::lock_guard lock(FSinkLock);
        sinks.swap(FDetachedSinks);
    }
}

} // namespace vd::audio
