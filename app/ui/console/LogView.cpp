#include "app/ui/console/LogView.h"

#include "app/streams/StreamConsole.h"
#include "app/ui/GridHelpers.h"

namespace vd {

void TLogView::OutLog(const String& text, TLog& log) {
    vd::OutLog(text, log);
    if (&log == &ActiveLog()) RefreshIfChanged();
}

void TLogView::ShowMainLog() {
    FStation.reset();
    ShowLog();
}

void TLogView::ShowStationLog(const TStationPtr& station) {
    if (!station) {
        ShowMainLog();
        return;
    }
    FStation = station;
    ShowLog();
}

void TLogView::ShowLog() {
    TLog& log = ActiveLog();
    ShowLogInGrid(FGrid, &log);
    FShownChanges = log.Changes();
    FShown = true;
}

void TLogView::AutoSizeColumns() {
    static constexpr int Percentages[] = {0, 100};
    AutoSizeGridColumns(FGrid, Percentages);
}

void TLogView::RefreshIfChanged() {
    if (!FShown || ActiveLog().Changes() != FShownChanges) ShowLog();
}

} // namespace vd
