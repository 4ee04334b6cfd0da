#pragma once
// The console's grid helpers: one empty row below the header, and columns spread over the
// grid's width by percentages.
#include <span>

namespace vd {

class TskSkinStringGrid;

// RowCount := FixedRows + 1, every cell of that row emptied.
void ClearGrid(TskSkinStringGrid* grid);
// Columns with a percentage of 0 keep their width; the others share what is left of the room
// (the client width when a vertical scroll bar shows, else the grid's width less one).
// Columns beyond the list or the grid are left alone; no width goes below zero.
void AutoSizeGridColumns(TskSkinStringGrid* grid, std::span<const int> percentages);

} // namespace vd
