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
        if (FParts.ResumeThreads) FParts.ResumeThreads();
        if (AppSettings.ToTray && FParts.MinimizeToTray) FParts.MinimizeToTray();
    }
    const std::uint64_t now = MillisecondClock();
    if (FParts.Device) {
        if (DeviceChanged) FParts.Device->RestartDevice();
        FParts.Device->RetryIfDue(now);
    }
    if (StreamInfoChanged.exchange(false)) RestartStreams();
    if (FParts.Device) FParts.Device->ShowIndicator();
    UpdateStation(now, FParts.TitleSender);

    if (FParts.Titles) {
        if (AppSettings.TitleMode != 0) {
            const String failure = FParts.Titles->ServePort(now, AppSettings);
            if (!failure.empty() && FParts.Logs) FParts.Logs->WriteMainLog(failure);
        } else {
            // A port the user switched off takes no more titles.
            if (FParts.Titles->PortActive()) FParts.Titles->ClosePort();
            FParts.Titles->CheckUpdateTitle(now, AppSettings);
        }
        String title;
        if (FParts.Titles->TakeNewTitle(title))
            SendToStation(title, [this](TStationRecord& s, const String& line) {
                if (FParts.Logs)
                    FParts.Logs->OutLog(line, s.Log());
                else
                    OutLog(line, s.Log());
            });
    }

    if (FParts.Streams) {
        const std::vector<TStationPtr> stations = StationList.Snapshot();
        for (std::size_t i = 0; i < stations.size(); ++i)
            FParts.Streams->ShowStation(*stations[i], static_cast<int>(i), now);
    }
    // Lines the streams left pending went into their logs just now.
    if (FParts.Logs) FParts.Logs->RefreshIfChanged();

    String status;
    if (!MailStatus.TestMode && MailStatus.TakeChanged(status) && FParts.StatusPan)
        FParts.StatusPan->SetCaption(status);
}

} // namespace vd
