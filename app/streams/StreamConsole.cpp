#include "app/streams/StreamConsole.h"

#include "app/core/Engine.h"
#include "app/core/StationList.h"
#include "app/core/StationStore.h"
#include "app/streams/Connector.h"
#include "app/streams/Mailer.h"
#include "app/streams/StreamTexts.h"
#include "app/streams/Titles.h"

namespace vd {

void DriverConnection(TStationRecord& s, std::uint64_t now, TTitleSender* titles) {
    switch (s.State.load()) {
    case ssStop:
        s.NextPoll = 0;
        break;
    case ssConnect:
        break;
    case ssDelay:
        if (s.Encoder != 0) StopStationEncoder(s, true);
        if (now >= s.ReconnectTime) {
            TStationState expected = ssDelay;
            s.State.compare_exchange_strong(expected, ssConnect);
        }
        break;
    case ssOnline:
        if (s.Lost.exchange(false)) {
            s.ReconnectTime = now + 1000;
            TStationState expected = ssOnline;
            s.State.compare_exchange_strong(expected, ssDelay);
        } else if (titles && !s.PendingTitle.Empty()) {
            titles->Wake(); // titles go out from the sender's thread, never from here
        }
        break;
    }
}

void UpdateStation(std::uint64_t now, TTitleSender* titles) {
    for (const TStationPtr& s : StationList.Snapshot())
        DriverConnection(*s, now, titles);
}

bool ConnectDue(std::uint64_t now) {
    for (const TStationPtr& s : StationList.Snapshot())
        if (s->State == ssConnect && now >= s->ReconnectTime) return true;
    return false;
}

void RestartStreams() {
    for (const TStationPtr& s : StationList.Snapshot()) {
        if (s->State != ssOnline) continue;
        StopStationEncoder(*s);
        s->State = ssConnect;
        s->ClearReconnect();
        s->ReconnectTime = MillisecondClock();
    }
}

void OutLog(const String& text, TLog& log) {
    if (!text.empty()) log.Add(text);
}

void SynhroLog(TStationRecord& s) {
    if (!s.LogPending.exchange(false)) return;
    int code = s.LastError;
    OutLog(code != 0 ? ErrorCodeText(code)
                     : StreamMessageText("StreamStartSucc", "Stream started successfully"),
           s.Log());
}

bool ShowStation(TStationRecord& s, std::uint64_t now, std::array<String, 7>& row) {
    SynhroLog(s);
    std::uint64_t deadline = s.MailDeadline;
    if (deadline != 0 && now >= deadline && s.MailDeadline.compare_exchange_strong(deadline, 0)) {
        String text = s.MailText.Get();
        if (!text.empty()) MailQueue.Append(text);
    }
    if (now < s.NextRefresh) return false;
    s.NextRefresh = now + 500;
    row = StationRowTexts(s);
    return true;
}

void OnPlay(TStationRecord& s) {
    s.ClearReconnect();
    s.ReconnectTime = MillisecondClock();
    s.State = ssConnect;
    s.ClearMail();
}

void OnStop(TStationRecord& s) {
    // State first: a connection attempt under way sees it and undoes what it started.
    s.State = ssStop;
    StopStationEncoder(s);
    s.ClearMail();
    OutLog(StreamMessageText("ManualStop", "Stream stopped by user"), s.Log());
    s.LastError = 0;
    s.LogPending = false;
}

void ApplyStationEdit(TStationRecord& s, const TStationConfig& config) {
    bool changed = !(s.Config() == config);
    s.SetConfig(config);
    if (changed && s.State == ssOnline) s.Lost = true; // Lost := Lost or Changed
}

bool CanDelete(const TStationRecord& s) {
    return s.State == ssStop;
}

bool DeleteStream(int index) {
    TStationPtr s = StationList.Items(index);
    if (!s || !CanDelete(*s)) return false;
    StopStationEncoder(*s);
    return DeleteStation(index);
}

} // namespace vd
