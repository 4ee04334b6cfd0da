#pragma once
// The main window's 30 ms tick (TimerWork): the first tick resumes the worker threads, then every
// tick restarts what the settings changed, steps the meter and every stream, serves the title
// source, hands a new title to the streams, refreshes the stream rows and the log, and shows the
// mailer's status. GUI thread only.
#include "skin/controls/Forward.h"
#include <functional>

namespace vd {

class TDeviceStarter;
class TLogView;
class TStreamGridView;
class TTitleSender;
class TTitleSource;

struct TConsoleTickLinks {
    TDeviceStarter* Device = nullptr;
    TStreamGridView* Streams = nullptr;
    TLogView* Logs = nullptr;
    TTitleSource* Titles = nullptr;
    TTitleSender* TitleSender = nullptr; // woken for Online streams with a title waiting
    TskSkinStatusPanel* StatusPan = nullptr;
    std::function<void()> ResumeThreads;  // connector, listener thread, mailer (and title sender)
    std::function<void()> WakeConnector;  // a stream in Connect is due
    std::function<void()> MinimizeToTray; // the settings' ToTray, on the first tick
};

class TConsoleTick {
public:
    explicit TConsoleTick(TConsoleTickLinks links) : FLinks(std::move(links)) {}

    void TimerWork();
    bool FirstTickPending() const { return FFirstTickPending; }

private:
    TConsoleTickLinks FLinks;
    bool FFirstTickPending = true;
};

} // namespace vd
