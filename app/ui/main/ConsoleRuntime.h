#pragma once
// What the main window runs and shows besides its components: the views of the meter, the
// device, the stream and log grids, the tool bar and the tick, and the worker threads with the
// title port and sender (owned here; the window's close stops them in order).
#include "app/streams/Connector.h"
#include "app/streams/Listeners.h"
#include "app/streams/Mailer.h"
#include "app/streams/Titles.h"
#include "app/ui/console/ConsoleTick.h"
#include "app/ui/console/DeviceStarter.h"
#include "app/ui/console/LogView.h"
#include "app/ui/console/MeterView.h"
#include "app/ui/console/StreamActions.h"
#include "app/ui/console/StreamGridView.h"

#include <memory>

namespace vd {

class TFVendrill;

class TConsoleRuntime {
public:
    // The views take the window's components, which must exist.
    explicit TConsoleRuntime(TFVendrill& form);
    ~TConsoleRuntime();
    TConsoleRuntime(const TConsoleRuntime&) = delete;
    TConsoleRuntime& operator=(const TConsoleRuntime&) = delete;

    TMeterView& Meter() { return FMeter; }
    TLogView& Logs() { return FLogs; }
    TStreamGridView& Streams() { return FStreams; }
    TDeviceStarter& Device() { return FDevice; }
    TStreamActions& Actions() { return FActions; }
    // Made with the workers (the tick resumes them).
    TConsoleTick* Tick() const { return FTick.get(); }

    // The workers: made idle by the window's creation, started by the first tick.
    void CreateWorkers();
    void StartWorkers();
    // The settings' hide-in-tray belongs to the start: once the user opened the settings, the
    // first tick that their confirmation brings leaves the window alone.
    void CancelStartHide() { FStartHidePending = false; }
    bool StartHidePending() const { return FStartHidePending; }
    TConnector* Connector() const { return FConnector.get(); }
    TListeners* Listeners() const { return FListeners.get(); }
    TEmailer* Emailer() const { return FEmailer.get(); }
    TTitleSender* TitleSender() const { return FTitleSender.get(); }
    TTitleSource& TitleSource() { return FTitleSource; }
    void FreeListeners() { FListeners.reset(); }
    void FreeConnector() { FConnector.reset(); }
    void FreeEmailer() { FEmailer.reset(); }
    void FreeTitleSender() { FTitleSender.reset(); }

private:
    void HideInTrayAtStart();

    TFVendrill& FForm;
    bool FStartHidePending = true;
    TTitleSource FTitleSource;
    TMeterView FMeter;
    TLogView FLogs;
    TStreamGridView FStreams;
    TDeviceStarter FDevice;
    TStreamActions FActions;
    std::unique_ptr<TConsoleTick> FTick;
    // Last: they stop before anything they read goes.
    std::unique_ptr<TTitleSender> FTitleSender;
    std::unique_ptr<TConnector> FConnector;
    std::unique_ptr<TListeners> FListeners;
    std::unique_ptr<TEmailer> FEmailer;
};

} // namespace vd
