#pragma once
// The stream grid SGStreams: one row per stream below the header, in StationList order.
// GUI thread only.
#include "app/core/StationList.h"

#include <array>
#include <cstdint>

namespace vd {

class TskSkinStringGrid;

class TStreamGridView {
public:
    static constexpr int ColumnCount = 7;
    // Column 0 takes what the others leave.
    static constexpr int Percentages[ColumnCount] = {100, 0, 0, 0, 0, 0, 0};
    static constexpr int FixedWidths[ColumnCount] = {0, 40, 45, 55, 65, 60, 70};

    explicit TStreamGridView(TskSkinStringGrid* sgStreams) : FGrid(sgStreams) {}

    TskSkinStringGrid* Grid() const { return FGrid; }
    // Widths of columns 1 to 6 (set once at creation); the byte count's column is widened when
    // its widest text would not fit in the grid's font.
    void SetColumnWidths();
    // Pan_StreamsResize.
    void AutoSizeColumns();

    // ShowStations: one row per stream, every row written now, so that no row shows the texts
    // of the stream that stood there before an add or a delete. Without streams one empty row.
    void ShowStations();
    // ShowStation: the tick's work for one stream (pending log line, due mail); its row is
    // rewritten when its refresh time has come.
    void ShowStation(TStationRecord& station, int index, std::uint64_t now);
    void WriteRow(int index, const std::array<String, ColumnCount>& row);

    // The stream of the selected row; -1 and null when the row holds no stream.
    int SelectedIndex() const;
    TStationPtr Selected() const;

private:
    void FitSentColumn();

    TskSkinStringGrid* FGrid;
};

} // namespace vd
