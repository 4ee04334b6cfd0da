#pragma once
// E-mail notifications: arming them per stream, the queue, and the mailer thread that sends
// the queue's head over SMTP with growing waits after failures.
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>

#include "app/core/AppSettings.h"
#include "app/core/StationRecord.h"
#include "app/streams/WorkerThread.h"
#include "platform/rtl/String.h"

namespace vd {

// Appended by the tick (and the settings window's test), taken by the mailer. Each text has an
// id, so the mailer removes the one it sent even when the queue changed meanwhile.
class TMailQueue {
public:
    void Append(const String& text);
    void Clear();
    bool Front(String& text, std::uint64_t& id) const;
    void Remove(std::uint64_t id);
    int Count() const;

private:
    mutable std::mutex FLock;
    std::deque<std::pair<std::uint64_t, String>> FItems;
    std::uint64_t FNextId = 1;
};

// The mailer's last status for the GUI side.
class TMailStatus {
public:
    void Set(const String& text);
    // The text when it changed since the last call.
    bool TakeChanged(String& text);
    std::atomic<bool> TestMode{false}; // the settings window shows the status

private:
    std::mutex FLock;
    String FText;
    bool FChanged = false;
};

extern TMailQueue MailQueue;
extern TMailStatus MailStatus;

// Date, message and "URL:Port", joined by CR, cut to 255 characters, into MailText.
void ComposeMailText(const String& message, TStationRecord& station);
// After each connection attempt: arms, or cancels, the error or restore notification.
void ScheduleMail(TStationRecord& station, std::uint64_t now, const TAppSettings& settings);

// Sends one queued text; true when it is done with (sent, dropped because mail is off, or a
// test message whatever happened), false when it must be tried again.
bool SendMail(const String& text, const TAppSettings& settings, TMailStatus& status);

class TEmailer {
public:
    static constexpr int kWaits[8] = {1, 5, 10, 15, 20, 30, 45, 60}; // seconds, by attempt

    TEmailer() : FWorker(std::chrono::milliseconds(250), [this] { Pass(); }) {}
    void Start() { FWorker.Start(); }
    void Wake() { FWorker.Wake(); }
    void Terminate() { FWorker.Terminate(); }
    void WaitFor() { FWorker.WaitFor(); }
    bool Running() const { return FWorker.Running(); }
    std::atomic<std::uint64_t> NextTry{0}; // 0: at once; the test button resets it

private:
    void Pass();

    int FAttempt = 0;      // the worker thread's own
    TWorkerThread FWorker; // last: stopped before the members its passes use go
};

} // namespace vd
