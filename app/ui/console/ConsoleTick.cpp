#include "app/ui/console/ConsoleTick.h"

#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/core/StationList.h"
#include "app/streams/Mailer.h"
#include "app/streams/StreamConsole.h"
#include "app/streams/Titles.h"
#include "app/ui/console/DeviceStarter.h"
#include "app/ui/console/LogView.h"
#include "app/ui/console/StreamGridView.h"
#include "skin/controls/SkinStatusPanel.h"

namespace vd {

void TConsoleTick::TimerWork() {
    if (FFirstTickPending) {
        FFirstTickPending = false;
        if (FLinks.ResumeThreads) FLinks.ResumeThreads();
        if (AppSettings.ToTray && FLinks.MinimizeToTray) FLinks.MinimizeToTray();
    }
    const std::uint64_t now = MillisecondClock();
    if (FLinks.Device) {
        if (DeviceChanged) FLinks.Device->RestartDevice();
        FLinks.Device->RetryIfDue(now);
    }
    if (StreamInfoChanged.exchange(false)) RestartStreams();
    if (FLinks.Device) FLinks.Device->ShowIndicator();
    UpdateStation(now, FLinks.TitleSender);
    if (FLinks.WakeConnector && ConnectDue(now)) FLinks.WakeConnector();

    if (FLinks.Titles) {
        if (AppSettings.TitleMode != 0) {
            const String failure = FLinks.Titles->ServePort(now, AppSettings);
            if (!failure.empty() && FLinks.Logs) FLinks.Logs->WriteMainLog(failure);
        } else {
            // A port the user switched off takes no more titles.
            if (FLinks.Titles->PortActive()) FLinks.Titles->ClosePort();
            FLinks.Titles->CheckUpdateTitle(now, AppSettings);
        }
        String title;
        if (FLinks.Titles->TakeNewTitle(title))
            SendToStation(title, [this](TStationRecord& s, const String& line) {
                if (FLinks.Logs)
                    FLinks.Logs->OutLog(line, s.Log());
                else
                    OutLog(line, s.Log());
            });
    }

    if (FLinks.Streams) {
        const std::vector<TStationPtr> stations = StationList.Snapshot();
        for (std::size_t i = 0; i < stations.size(); ++i)
            FLinks.Streams->ShowStation(*stations[i], static_cast<int>(i), now);
    }
    // Lines the streams left pending went into their logs just now.
    if (FLinks.Logs) FLinks.Logs->RefreshIfChanged();

    String status;
    if (!MailStatus.TestMode && MailStatus.TakeChanged(status) && FLinks.StatusPan)
        FLinks.StatusPan->SetCaption(status);
}

} // namespace vd
