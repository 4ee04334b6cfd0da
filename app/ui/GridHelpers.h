#pragma once
// The console's grid helpers: one empty row below the header, and columns spread over the
// grid's width by percentages.
#include <span>

namespace vd {

class TLog;
class TskSkinStringGrid;

// RowCount := FixedRows + 1, every cell of that row emptied.
void ClearGrid(TskSkinStringGrid* grid);
// Columns with a percentage of 0 keep their width; the others share what is left of the room
// (the client width when a vertical scroll bar shows, else the grid's width less one).
// Columns beyond the list or the grid are left alone; no width goes below zero.
void AutoSizeGridColumns(TskSkinStringGrid* grid, std::span<const int> percentages);

// Shows a log in a two-column grid below its header: time stamps in the pattern of the language
// constant "FormatDateTime" (default "DD.MM.YY HH:NN:SS") and texts; an empty or missing log
// leaves one empty row. The text column takes the width the time column leaves.
void ShowLogInGrid(TskSkinStringGrid* grid, const TLog* log);

} // namespace vd
