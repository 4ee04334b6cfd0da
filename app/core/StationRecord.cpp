#include "app/core/StationRecord.h"

#include "app/core/Engine.h"
#include "app/core/Log.h"

namespace vd {

TStationRecord::TStationRecord() = default;
TStationRecord::~TStationRecord() = default;

TStationConfig TStationRecord::Config() const {
    std::lock_guard<std::mutex> lock(FConfigLock);
    return static_cast<const TStationConfig&>(*this);
}

void TStationRecord::SetConfig(const TStationConfig& config) {
    TStationConfig cut = config;
    cut.URL = CutText(cut.URL, StationUrlLength);
    cut.User = CutText(cut.User, StationUserLength);
    cut.Password = CutText(cut.Password, StationPasswordLength);
    cut.AllowIP = CutText(cut.AllowIP, StationAllowIPLength);
    cut.ID = CutText(cut.ID, StationIDLength);
    std::lock_guard<std::mutex> lock(FConfigLock);
    static_cast<TStationConfig&>(*this) = cut;
}

TLog& TStationRecord::Log() {
    if (!FLog) FLog = std::make_unique<TLog>();
    return *FLog;
}

void TStationRecord::FreeLog() {
    FLog.reset();
}

void TStationRecord::ClearReconnect() {
    ReconnectTime = 0;
    RetryCount = 0;
    Lost = false;
}

void TStationRecord::ClearMail() {
    MailDeadline = 0;
    MailErrorState = false;
    MailText.Clear();
}

void TStationRecord::ClearRefresh() {
    NextRefresh = 0;
    BytesSent = 0;
}

} // namespace vd
