#pragma once
// One running copy per user and program. The first copy listens on an abstract Unix socket named
// after the user and its executable's real path, and locks its settings file; a later start of
// the same program asks it to show its window and ends, and a start whose settings file another
// copy holds ends as well.
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace vd {

class TSingleInstance {
public:
    enum class TClaim {
        First,      // this copy runs: it listens and holds the lock
        ShownOther, // another copy of this program runs and was asked to show itself
        Locked,     // another copy holds the settings file
    };

    // Claims the instance for the program at ExecutablePath with the settings at SettingsPath.
    // Returns null unless Result is First. The lock sits on "<SettingsPath>.lock": saving the
    // settings replaces their file, which would drop a lock held on the file itself.
    static std::unique_ptr<TSingleInstance> Claim(const std::string& ExecutablePath,
                                                  const std::string& SettingsPath, TClaim& Result);
    ~TSingleInstance(); // stops listening, then releases the lock
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // Runs on the listener thread for every later start (hand it to the GUI thread). A request
    // that came before a handler was set is delivered when it is set.
    void SetOnShow(std::function<void()> Handler);

    // The socket's name without its leading zero byte, for this user and program.
    static std::string SocketName(const std::string& ExecutablePath);

private:
    TSingleInstance(int ListenFd, int LockFd);
    void Listen();
    void Serve(int Client);

    int FListenFd, FLockFd;
    int FStop[2] = {-1, -1};
    std::mutex FLock;
    std::function<void()> FOnShow;
    bool FPending = false;
    std::thread FThread;
};

} // namespace vd
