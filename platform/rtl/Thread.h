#pragma once
// TThread as in the class library: override Execute, poll Terminated, hand results back through
// ReturnValue or Synchronize. A thread created suspended starts with Resume or Start; one created
// running must be made with TThread::Create<T>(...) because a base constructor cannot start a
// virtual Execute safely. The destructor terminates and waits.
#include "platform/rtl/Object.h"

#include <atomic>
#include <exception>
#include <functional>
#include <memory>

namespace vd {

using TThreadMethod = std::function<void()>;

class TThread : public TObject {
public:
    explicit TThread(bool createSuspended = true);
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Builds a T and, unless it was asked to start suspended, starts it.
    template <class T, class... Args> static T* Create(Args&&... args) {
        T* t = new T(std::forward<Args>(args)...);
        t->AfterConstruction();
        return t;
    }

    void Start();
    void Resume() { Start(); }
    void Terminate() { FTerminated.store(true); }
    // Waits for Execute to end and returns ReturnValue; 0 at once for a thread never started.
    // On the main thread, pending Synchronize calls run meanwhile.
    int WaitFor();

    bool Terminated() const { return FTerminated.load(); }
    bool Started() const { return FStarted.load(); }
    bool Finished() const { return FFinished.load(); }
    bool Suspended() const { return !FStarted.load(); }
    bool FreeOnTerminate() const { return FFreeOnTerminate.load(); }
    void SetFreeOnTerminate(bool value) { FFreeOnTerminate.store(value); }
    int ReturnValue() const { return FReturnValue.load(); }
    // The exception that ended Execute, if any.
    std::exception_ptr FatalException() const;
    // Runs on the main thread after Execute, through Synchronize.
    TNotifyEvent OnTerminate;

    // Runs method on the main thread and waits for it (directly when called there).
    static void Synchronize(const std::function<void()>& method);
    // Called by the main thread's message loop: runs the pending Synchronize calls.
    // Returns whether any ran.
    static bool CheckSynchronize();
    // Set by the window layer so that a Synchronize call wakes its message loop.
    static void SetWakeMainThread(std::function<void()> wake);
    static bool IsMainThread();

protected:
    virtual void Execute() = 0;
    void SetReturnValue(int value) { FReturnValue.store(value); }
    void AfterConstruction();

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    bool FCreateSuspended;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FStarted{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FFreeOnTerminate{false};
    std::atomic<int> FReturnValue{0};

    void Run();
};

} // namespace vd
