// The main window's close: the question while streams run, then the ordered shut-down with the
// progress dialog: title port, listener and mailer threads, connector and title sender, the
// encoders, the capture, and only then the lists the threads read.
#include "app/core/AppSettings.h"
#include "app/core/Language.h"
#include "app/core/SettingsFile.h"
#include "app/core/StationList.h"
#include "app/plugins/VDPlugIns.h"
#include "app/ui/console/SleepAndPump.h"
#include "app/ui/main/ConsoleRuntime.h"
#include "app/ui/main/MainWindow.h"
#include "platform/vcl/Timer.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "skin/extra/dialogs/SkinProgressDialog.h"

#include <algorithm>

namespace vd {

namespace {

bool AnyStreamRunning() {
    const auto stations = StationList.Snapshot();
    return std::any_of(stations.begin(), stations.end(),
                       [](const TStationPtr& s) { return s->State.load() != ssStop; });
}

// Waits for a worker's last pass with the GUI answering, raising the progress by one per step
// up to `to`.
template <class TWorker>
void AwaitWorker(TWorker* worker, int& progress, int to, const std::function<void(int)>& show, bool pump) {
    if (!worker) return;
    while (pump && worker->Running()) {
        SleepAndPump(10);
        if (progress < to) show(++progress);
    }
    worker->WaitFor();
}

// A connection under way waits for its server up to the network time-out: ended now, as the
// Stop button ends it (the connector sees the stream stopped and gives the attempt up).
void AbortConnections() {
    for (const TStationPtr& station : StationList.Snapshot()) {
        TStationState expected = ssConnect;
        if (station->State.compare_exchange_strong(expected, ssStop)) StopStationEncoder(*station);
    }
}

} // namespace

void TFVendrill::FormClose(TObject*, TCloseAction& Action) {
    if (FClosed) {
        // Asked again while the shut-down runs (it pumps messages): that close goes on.
        Action = caNone;
        return;
    }
    if (!FCreated) {
        Action = caFree;
        return;
    }
    WriteWindowPos(Left(), Top(), ClientWidth(), ClientHeight());
    if (AnyStreamRunning() && !SystemShutdown && AppLanguage) {
        const unsigned yesNo = SkBtn(skmbYes) | SkBtn(skmbNo);
        const int answer = AppLanguage->MessageBox("Exit", AppMessageBox(), nullptr, yesNo, skmtConfirmation);
        // The session may have ended while the question was up: that close has run already.
        if (answer != mrYes || FClosed) {
            Action = caNone;
            return;
        }
    }
    Action = caFree;
    FClosed = true;
    Timer->SetEnabled(false); // no tick may start anything again
    SetEnabled(false);        // nor a click on the window while it goes
    SPDClose->LabelCaption = AppLanguage ? AppLanguage->GetMessage("CloseTheProgram") : String();
    SPDClose->SetValue(0);
    FRuntime->Device().DrawMeterScale();
    StopWorkers();
    FreeConsole();
}

void TFVendrill::ShutdownStep(const char* step) {
    if (OnShutdownStep) OnShutdownStep(step);
}

void TFVendrill::SetProgress(int value) {
    if (FQuiet) return;
    SPDClose->SetValue(value);
    SPDClose->ShowProgress();
}

void TFVendrill::StopWorkers() {
    // The title port first: its clients write the title the tick reads, and a silent client
    // must not hold the close.
    FRuntime->TitleSource().ClosePort();
    ShutdownStep("TitlePort");
    const auto show = [this](int value) { SetProgress(value); };
    int progress = 0;
    try {
        TListeners* listeners = FRuntime->Listeners();
        TEmailer* emailer = FRuntime->Emailer();
        if (listeners) listeners->Terminate();
        if (emailer) emailer->Terminate();
        int unused = 0;
        AwaitWorker(emailer, unused, 0, show, !FQuiet);
        progress = 30;
        SetProgress(progress);
        AwaitWorker(listeners, progress, 70, show, !FQuiet);
        FRuntime->FreeListeners();
    } catch (...) {
        // the shut-down goes on whatever a worker did
    }
    ShutdownStep("Listeners");
    try {
        TConnector* connector = FRuntime->Connector();
        TTitleSender* titles = FRuntime->TitleSender();
        if (connector) connector->Terminate();
        if (titles) titles->Terminate();
        AbortConnections();
        progress = 70;
        SetProgress(progress);
        AwaitWorker(connector, progress, 90, show, !FQuiet);
        FRuntime->FreeConnector();
        if (titles) titles->WaitFor();
        FRuntime->FreeTitleSender();
        SetProgress(90);
    } catch (...) {
    }
    SPDClose->CloseProgress();
    ShutdownStep("Connector");
}

void TFVendrill::FreeConsole() {
    for (const TStationPtr& station : StationList.Snapshot()) {
        StopStationEncoder(*station);
        station->FreeLog();
    }
    ShutdownStep("Encoders");
    FRuntime->Device().StopRecord();
    SPDClose->SetValue(100);
    ShutdownStep("Capture");
    StationList.Clear();
    DonePlugins();
    PluginFiles.clear();
    FRuntime->Logs().ShowMainLog();
    FRuntime->Logs().MainLog().Clear();
    SetAppMessageBox(nullptr);
    AppLanguage = nullptr;
    FLanguage.reset();
    SPDClose->CloseProgress();
    MailQueue.Clear();
    FRuntime->FreeEmailer();
    ShutdownStep("Lists");
}

} // namespace vd
