#include "platform/rtl/Thread.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/SyncObjs.h"

#include <deque>
#include <thread>

namespace vd {
namespace {

// The thread that initialised the program's statics is the main (GUI) thread.
const std::thread::id MainThreadId = std::this_thread::get_id();

struct TSyncRequest {
    std::function<void()> Method;
    TEvent Done{true, false};
    std::exception_ptr Error;
};

struct TSyncQueue {
    std::mutex Mutex;
    std::deque<TSyncRequest*> Pending;
    std::function<void()> Wake;
    TEvent Posted{false, false};
};

TSyncQueue& SyncQueue() {
    static TSyncQueue queue;
    return queue;
}

} // namespace

struct TThread::TImpl {
    std::thread Thread;
    TEvent FinishedEvent{true, false};
    std::mutex Mutex;
    std::mutex JoinMutex; // two waiters must not both join
    std::exception_ptr Fatal;
};

TThread::TThread(bool createSuspended)
    : FImpl(std::make_unique<TImpl>()), FCreateSuspended(createSuspended) {}

TThread::~TThread() {
    if (FImpl->Thread.joinable()) {
        Terminate();
        WaitFor();
    }
}

void TThread::AfterConstruction() {
    if (!FCreateSuspended) Start();
}

void TThread::Start() {
    bool expected = false;
    if (!FStarted.compare_exchange_strong(expected, true)) return;
    // Held until the handle is stored: a self-freeing thread detaches it under the same lock.
    std::lock_guard<std::mutex> lock(FImpl->Mutex);
    FImpl->Thread = std::thread([this] { Run(); });
}

void TThread::Run() {
    try {
        Execute();
    } catch (...) {
        std::lock_guard<std::mutex> lock(FImpl->Mutex);
        FImpl->Fatal = std::current_exception();
    }
    if (OnTerminate) {
        try {
            Synchronize([this] { OnTerminate(this); });
        } catch (...) {
        }
    }
    FFinished.store(true);
    if (FFreeOnTerminate.load()) {
        {
            std::lock_guard<std::mutex> lock(FImpl->Mutex);
            FImpl->Thread.detach();
        }
        delete this;
        return;
    }
    FImpl->FinishedEvent.SetEvent();
}

int TThread::WaitFor() {
    if (!FStarted.load()) return FReturnValue.load();
    if (IsMainThread()) {
        while (FImpl->FinishedEvent.WaitFor(0) != TWaitResult::wrSignaled) {
            if (!CheckSynchronize()) SyncQueue().Posted.WaitFor(5);
        }
    } else {
        FImpl->FinishedEvent.WaitFor();
    }
    std::lock_guard<std::mutex> lock(FImpl->JoinMutex);
    if (FImpl->Thread.joinable()) FImpl->Thread.join();
    return FReturnValue.load();
}

std::exception_ptr TThread::FatalException() const {
    std::lock_guard<std::mutex> lock(FImpl->Mutex);
    return FImpl->Fatal;
}

bool TThread::IsMainThread() {
    return std::this_thread::get_id() == MainThreadId;
}

void TThread::SetWakeMainThread(std::function<void()> wake) {
    TSyncQueue& q = SyncQueue();
    std::lock_guard<std::mutex> lock(q.Mutex);
    q.Wake = std::move(wake);
}

void TThread::Synchronize(const std::function<void()>& method) {
    if (IsMainThread()) {
        method();
        return;
    }
    TSyncRequest request;
    request.Method = method;
    TSyncQueue& q = SyncQueue();
    std::function<void()> wake;
    {
        std::lock_guard<std::mutex> lock(q.Mutex);
        q.Pending.push_back(&request);
        wake = q.Wake;
    }
    q.Posted.SetEvent();
    if (wake) wake();
    request.Done.WaitFor();
    if (request.Error) std::rethrow_exception(request.Error);
}

bool TThread::CheckSynchronize() {
    if (!IsMainThread()) return false;
    TSyncQueue& q = SyncQueue();
    bool any = false;
    for (;;) {
        TSyncRequest* request = nullptr;
        {
            std::lock_guard<std::mutex> lock(q.Mutex);
            if (q.Pending.empty()) break;
            request = q.Pending.front();
            q.Pending.pop_front();
        }
        try {
            request->Method();
        } catch (...) {
            request->Error = std::current_exception();
        }
        request->Done.SetEvent();
        any = true;
    }
    return any;
}

} // namespace vd
