#include "app/ui/console/StreamGridView.h"

#include "app/core/Engine.h"
#include "app/streams/StreamConsole.h"
#include "app/streams/StreamTexts.h"
#include "app/ui/GridHelpers.h"
#include "skin/extra/grids/SkinDrawGrid.h"

#include <algorithm>
#include <vector>

namespace vd {

void TStreamGridView::SetColumnWidths() {
    if (!FGrid) return;
    for (int c = 1; c < ColumnCount && c < FGrid->ColCount(); ++c)
        FGrid->SetColWidths(c, FixedWidths[c]);
    FitSentColumn();
}

// From 10 MB up the byte count did not fit its column at the default width ("36.64 ME").
void TStreamGridView::FitSentColumn() {
    constexpr int sent = 5;
    if (!FGrid || sent >= FGrid->ColCount()) return;
    int width = FixedWidths[sent];
    for (const char* widest : {"1024.00 MB", "1024.00 GB"})
        width = std::max(width, FGrid->CellWidthFor(widest));
    if (width != FGrid->GetColWidths(sent)) FGrid->SetColWidths(sent, width);
}

void TStreamGridView::AutoSizeColumns() {
    AutoSizeGridColumns(FGrid, Percentages);
}

void TStreamGridView::ShowStations() {
    if (!FGrid) return;
    const std::vector<TStationPtr> stations = StationList.Snapshot();
    if (stations.empty()) {
        ClearGrid(FGrid);
    } else {
        FGrid->SetRowCount(static_cast<int>(stations.size()) + FGrid->FixedRows());
        const std::uint64_t now = MillisecondClock();
        for (std::size_t i = 0; i < stations.size(); ++i) {
            TStationRecord& s = *stations[i];
            s.NextRefresh = now + 500;
            WriteRow(static_cast<int>(i), StationRowTexts(s));
        }
    }
    FitSentColumn();
    AutoSizeColumns();
}

void TStreamGridView::ShowStation(TStationRecord& station, int index, std::uint64_t now) {
    std::array<String, ColumnCount> row;
    if (vd::ShowStation(station, now, row)) WriteRow(index, row);
}

void TStreamGridView::WriteRow(int index, const std::array<String, ColumnCount>& row) {
    if (!FGrid || index < 0) return;
    const int r = index + FGrid->FixedRows();
    if (r >= FGrid->RowCount()) return;
    const int columns = std::min(ColumnCount, FGrid->ColCount());
    for (int c = 0; c < columns; ++c) {
        const String& text = row[static_cast<std::size_t>(c)];
        // An unchanged cell is not repainted: most rows change only their byte count.
        if (FGrid->GetCellText(c, r) != text) FGrid->SetCellText(c, r, text);
    }
}

int TStreamGridView::SelectedIndex() const {
    if (!FGrid) return -1;
    const int index = FGrid->GetSelectionRect().Top - FGrid->FixedRows();
    return index >= 0 && index < StationList.Count() ? index : -1;
}

TStationPtr TStreamGridView::Selected() const {
    const int index = SelectedIndex();
    return index < 0 ? nullptr : StationList.Items(index);
}

} // namespace vd
