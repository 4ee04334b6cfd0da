#include "app/core/Log.h"

#include "app/core/Engine.h"

#include <chrono>
#include <ctime>

namespace vd {

void TLog::Add(double time, const String& text) {
    FItems.push_front(TLogItem{time, CutText(text, MaxTextLength)});
    while (static_cast<int>(FItems.size()) > MaxItems)
        FItems.pop_back();
}

void TLog::Add(const String& text) { Add(NowAsDateTime(), text); }

double NowAsDateTime() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t secs = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&secs, &local);
    // Days since 1899-12-30 of the local date, plus the fraction of the day.
    const std::int64_t days = static_cast<std::int64_t>(std::chrono::duration_cast<std::chrono::days>(
        std::chrono::sys_days(std::chrono::year(local.tm_year + 1900) /
                              std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)) /
                              std::chrono::day(static_cast<unsigned>(local.tm_mday)))
            .time_since_epoch()).count());
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    const double dayFraction =
        (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + ms / 1000.0) / 86400.0;
    return static_cast<double>(days + 25569) + dayFraction;
}

} // namespace vd
