#include "app/ui/main/ConsoleRuntime.h"

#include "app/capture/Capture.h"
#include "app/core/SettingsFile.h"
#include "app/plugins/VDPlugIns.h"
#include "app/ui/main/MainWindow.h"
#include "app/ui/settings/SettingsWindow.h"
#include "app/ui/station/StationWindow.h"
#include "platform/vcl/Application.h"
#include "skin/form/frame/SkinTrayIcon.h"

namespace vd {

TConsoleRuntime::TConsoleRuntime(TFVendrill& form)
    : FForm(form), FMeter(form.Led), FLogs(form.SGLog), FStreams(form.SGStreams),
      FDevice(form.Timer, form.LabDevice, FMeter, FLogs,
              [this] {
                  if (FTick) FTick->TimerWork();
              }),
      FActions({form.SBAdd, form.SBEdit, form.SBDelete, form.SBPlayStop, form.SBPlay, form.SBStop}, FStreams,
               FLogs, EditStation, ConfirmWithMessageBox(form.MSG)) {
    FActions.SetCaptureProblem([this] { return FDevice.CaptureProblem(); });
    // The settings file's read lists the plug-in folder; plug-ins get the program's window as
    // the parent of their own windows.
    OnScanPlugins = [](const String& folder) { ScanPlugins(folder); };
    PluginHost().SetParentWindow(Application->Handle());
}

TConsoleRuntime::~TConsoleRuntime() {
    SetSettingsServices({}); // its hook points at this runtime's mailer
    OnScanPlugins = nullptr;
    PluginHost().SetParentWindow(nullptr);
    // Normally nothing is left: the window's close stopped everything in order.
    FTitleSource.ClosePort();
    FEmailer.reset();
    FListeners.reset();
    FConnector.reset();
    FTitleSender.reset();
}

void TConsoleRuntime::CreateWorkers() {
    FTitleSender = std::make_unique<TTitleSender>();
    FConnector =
        std::make_unique<TConnector>([] { return static_cast<std::uint32_t>(CaptureChannel.load()); });
    FListeners = std::make_unique<TListeners>();
    FEmailer = std::make_unique<TEmailer>();
    // The settings window's mail test goes out at once, not after the wait of a failed send.
    TSettingsServices services;
    services.MailTestStarted = [this] {
        if (!FEmailer) return;
        FEmailer->NextTry = 0;
        FEmailer->Wake();
    };
    SetSettingsServices(std::move(services));
    TConsoleTickLinks links;
    links.Device = &FDevice;
    links.Streams = &FStreams;
    links.Logs = &FLogs;
    links.Titles = &FTitleSource;
    links.TitleSender = FTitleSender.get();
    links.StatusPan = FForm.StatusPan;
    links.ResumeThreads = [this] { StartWorkers(); };
    links.WakeConnector = [this] {
        if (FConnector) FConnector->Wake();
    };
    links.MinimizeToTray = [this] { HideInTrayAtStart(); };
    FTick = std::make_unique<TConsoleTick>(std::move(links));
}

void TConsoleRuntime::HideInTrayAtStart() {
    // Only the start hides the window, and only into an icon that really is in a notification
    // area: a first tick that comes after the user confirmed the settings, or a desktop without
    // a notification area, leaves the window where the user works with it.
    if (!FStartHidePending) return;
    FStartHidePending = false;
    TskTrayIcon* icon = FForm.TrayIcon;
    if (!icon) return;
    icon->SetIconVisible(true);
    if (icon->IconShown())
        Application->Minimize();
    else
        icon->SetIconVisible(false);
}

void TConsoleRuntime::StartWorkers() {
    if (FConnector) FConnector->Start();
    if (FListeners) FListeners->Start();
    if (FEmailer) FEmailer->Start();
    if (FTitleSender) FTitleSender->Start();
}

} // namespace vd
