#include "app/ui/main/ConsoleParts.h"

#include "app/capture/Capture.h"
#include "app/ui/main/MainWindow.h"
#include "app/ui/station/StationWindow.h"
#include "platform/vcl/Application.h"

namespace vd {

TConsoleParts::TConsoleParts(TFVendrill& form)
    : FForm(form), FMeter(form.Led), FLogs(form.SGLog), FStreams(form.SGStreams),
      FDevice(form.Timer, form.LabDevice, FMeter, FLogs,
              [this] {
                  if (FTick) FTick->TimerWork();
              }),
      FActions({form.SBAdd, form.SBEdit, form.SBDelete, form.SBPlayStop, form.SBPlay, form.SBStop}, FStreams,
               FLogs, EditStation, ConfirmWithMessageBox(form.MSG)) {}

TConsoleParts::~TConsoleParts() {
    // Normally nothing is left: the window's close stopped everything in order.
    FTitleSource.ClosePort();
    FEmailer.reset();
    FListeners.reset();
    FConnector.reset();
    FTitleSender.reset();
}

void TConsoleParts::CreateWorkers() {
    FTitleSender = std::make_unique<TTitleSender>();
    FConnector =
        std::make_unique<TConnector>([] { return static_cast<std::uint32_t>(CaptureChannel.load()); });
    FListeners = std::make_unique<TListeners>();
    FEmailer = std::make_unique<TEmailer>();
    TConsoleTickParts parts;
    parts.Device = &FDevice;
    parts.Streams = &FStreams;
    parts.Logs = &FLogs;
    parts.Titles = &FTitleSource;
    parts.TitleSender = FTitleSender.get();
    parts.StatusPan = FForm.StatusPan;
    parts.ResumeThreads = [this] { StartWorkers(); };
    parts.MinimizeToTray = [] { Application->Minimize(); };
    FTick = std::make_unique<TConsoleTick>(std::move(parts));
}

void TConsoleParts::StartWorkers() {
    if (FConnector) FConnector->Start();
    if (FListeners) FListeners->Start();
    if (FEmailer) FEmailer->Start();
    if (FTitleSender) FTitleSender->Start();
}

} // namespace vd
