#pragma once
// The log grid SGLog and the logs it can show: the main log, owned here, or one stream's log.
// GUI thread only.
#include "app/core/Log.h"
#include "app/core/StationList.h"
#include "platform/rtl/String.h"

#include <cstdint>

namespace vd {

class TskSkinStringGrid;

class TLogView {
public:
    explicit TLogView(TskSkinStringGrid* sgLog) : FGrid(sgLog) {}

    TLog& MainLog() { return FMainLog; }
    // OutLog: a line into a log; the grid follows when it shows that log.
    void OutLog(const String& text, TLog& log);
    void WriteMainLog(const String& text) { OutLog(text, FMainLog); }

    // SetActiveLog: the main log (LabDeviceClick, start-up) or a stream's log (SGStreamsClick).
    // The shown stream is held, so its log outlives a delete until another log is chosen.
    void ShowMainLog();
    void ShowStationLog(const TStationPtr& station);
    bool ShowsMainLog() const { return !FStation; }
    const TStationPtr& ActiveStation() const { return FStation; }
    TLog& ActiveLog() { return FStation ? FStation->Log() : FMainLog; }

    // _ShowLog: every line of the active log into the grid.
    void ShowLog();
    // The tick: the grid is rewritten only when the active log changed since it was shown.
    void RefreshIfChanged();
    // Pan_LogResize: the text column takes what the time column leaves.
    void AutoSizeColumns();

private:
    TskSkinStringGrid* FGrid;
    TLog FMainLog;
    TStationPtr FStation; // null: the main log
    std::uint64_t FShownChanges = 0;
    bool FShown = false;
};

} // namespace vd
