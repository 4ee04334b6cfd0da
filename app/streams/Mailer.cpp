#include "app/streams/Mailer.h"

#include "app/core/Engine.h"
#include "app/core/Language.h"
#include "app/streams/StreamTexts.h"
#include "platform/net/SmtpClient.h"
#include "platform/rtl/DateUtils.h"

namespace vd {

TMailQueue MailQueue;
TMailStatus MailStatus;

void TMailQueue::Append(const String& text) {
    std::lock_guard<std::mutex> g(FLock);
    FItems.emplace_back(FNextId++, text);
}

void TMailQueue::Clear() {
    std::lock_guard<std::mutex> g(FLock);
    FItems.clear();
}

bool TMailQueue::Front(String& text, std::uint64_t& id) const {
    std::lock_guard<std::mutex> g(FLock);
    if (FItems.empty()) return false;
    id = FItems.front().first;
    text = FItems.front().second;
    return true;
}

void TMailQueue::Remove(std::uint64_t id) {
    std::lock_guard<std::mutex> g(FLock);
    for (auto it = FItems.begin(); it != FItems.end(); ++it) {
        if (it->first == id) {
            FItems.erase(it);
            return;
        }
    }
}

int TMailQueue::Count() const {
    std::lock_guard<std::mutex> g(FLock);
    return static_cast<int>(FItems.size());
}

void TMailStatus::Set(const String& text) {
    std::lock_guard<std::mutex> g(FLock);
    FText = text;
    FChanged = true;
}

bool TMailStatus::TakeChanged(String& text) {
    std::lock_guard<std::mutex> g(FLock);
    if (!FChanged) return false;
    FChanged = false;
    text = FText;
    return true;
}

void ComposeMailText(const String& message, TStationRecord& station) {
    String pattern = AppTexts()->GetConstant("FormatDateTime", "HH:NN:SS DD.MM.YY");
    TStationConfig c = station.Config();
    String text =
        FormatDateTime(pattern, Now()) + "\r" + message + "\r" + c.URL + ":" + std::to_string(c.Port);
    station.MailText.Set(CutText(text, StationTextLength));
}

void ScheduleMail(TStationRecord& s, std::uint64_t now, const TAppSettings& settings) {
    if (s.LastError != 0 && !s.MailErrorState) {
        s.MailErrorState = true;
        if (s.MailDeadline != 0) {
            s.MailDeadline = 0; // the restore notification had not gone yet: neither goes
        } else if (settings.TimeRestore >= 1) {
            // The error notification waits TimeRestore: a quick recovery cancels it.
            ComposeMailText(ErrorCodeText(s.LastError), s);
            s.MailDeadline = now + static_cast<std::uint64_t>(settings.TimeRestore) * 1000;
        }
    } else if (s.LastError == 0 && s.MailErrorState) {
        s.MailErrorState = false;
        if (s.MailDeadline != 0) {
            s.MailDeadline = 0;
        } else if (settings.TimeError >= 1) {
            ComposeMailText("Restore stream", s);
            s.MailDeadline = now + static_cast<std::uint64_t>(settings.TimeError) * 1000;
        }
    }
}

bool SendMail(const String& text, const TAppSettings& settings, TMailStatus& status) {
    if (!settings.EMail || settings.SendTo.empty()) {
        status.TestMode = false;
        return true;
    }
    net::TMailMessage m;
    m.FromName = "Vendrill";
    m.FromAddress = settings.From;
    m.To = settings.SendTo;
    int parts = CountTokens(text, '\r');
    m.Subject = parts >= 3 ? GetToken(text, 3, '\r') : String("Vendrill notification");
    for (int i = 1; i <= parts; ++i)
        m.BodyLines.push_back(GetToken(text, i, '\r')); // the code page is UTF-8
    net::TSmtpSettings smtp;
    smtp.Host = settings.Host;
    smtp.Port = static_cast<std::uint16_t>(settings.Port);
    smtp.Ssl = settings.SSL;
    smtp.Auth = settings.Auth;
    smtp.User = settings.User;
    smtp.Password = settings.Password;
    status.Set("Connect");
    String error;
    bool connected = false;
    bool sent = net::TSmtpClient().Send(smtp, m, error, [&] {
        connected = true;
        status.Set("Sending");
    });
    bool test = status.TestMode;
    if (sent)
        status.Set(test ? "The test message sended. Check EMail" : "");
    else
        // "Timeout" stands for a connection that never came up.
        status.Set(connected || net::ParseAddressList(m.To).empty() ? "Error: " + error : String("Timeout"));
    return sent || test; // a test message is never retried
}

TEmailer::~TEmailer() {
    Terminate();
    WaitFor();
}

void TEmailer::Start() {
    if (FThread.joinable()) return;
    {
        std::lock_guard<std::mutex> g(FLock);
        FTerminated = false;
    }
    FRunning = true;
    FThread = std::thread([this] { Execute(); });
}

void TEmailer::Terminate() {
    std::lock_guard<std::mutex> g(FLock);
    FTerminated = true;
    FWake.notify_all();
}

void TEmailer::WaitFor() {
    if (FThread.joinable()) FThread.join();
}

void TEmailer::Execute() {
    int attempt = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> g(FLock);
            FWake.wait_for(g, std::chrono::milliseconds(100), [this] { return FTerminated; });
            if (FTerminated) break;
        }
        String text;
        std::uint64_t id = 0;
        if (!MailQueue.Front(text, id) || MillisecondClock() < NextTry) continue;
        try {
            if (SendMail(text, CopyAppSettings(), MailStatus)) {
                MailQueue.Remove(id);
                attempt = 0;
                NextTry = 0;
            } else {
                if (attempt < 7) ++attempt;
                NextTry = MillisecondClock() + static_cast<std::uint64_t>(kWaits[attempt]) * 1000;
            }
        } catch (...) {
            // one failed pass; the next starts afresh
        }
    }
    FRunning = false;
}

} // namespace vd
