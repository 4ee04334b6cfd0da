#include "app/ui/GridHelpers.h"

#include "app/core/Language.h"
#include "app/core/Log.h"
#include "skin/extra/grids/SkinDrawGrid.h"

#include <algorithm>

namespace vd {

void ClearGrid(TskSkinStringGrid* grid) {
    if (!grid) return;
    const int row = grid->FixedRows();
    grid->SetRowCount(row + 1);
    for (int c = 0; c < grid->ColCount(); ++c)
        grid->SetCellText(c, row, String());
}

void AutoSizeGridColumns(TskSkinStringGrid* grid, std::span<const int> percentages) {
    if (!grid) return;
    const bool horzLines = (grid->Options() & goHorzLine) != 0;
    const int w = (grid->Options() & goVertLine) != 0 ? 1 : 0;
    long long rowsHeight = 0;
    for (int r = 0; r < grid->RowCount(); ++r)
        rowsHeight += grid->GetRowHeights(r) + (horzLines ? 1 : 0);
    long long room = rowsHeight > grid->ClientHeight() ? grid->ClientWidth() : grid->Width() - 1;
    const int n = std::min(static_cast<int>(percentages.size()), grid->ColCount());
    for (int i = 0; i < n; ++i)
        if (percentages[static_cast<std::size_t>(i)] == 0) room -= grid->GetColWidths(i) + w;
    for (int i = 0; i < n; ++i) {
        const int p = percentages[static_cast<std::size_t>(i)];
        if (p == 0) continue;
        const long long width = p * room / 100 - w;
        grid->SetColWidths(i, static_cast<int>(std::clamp<long long>(width, 0, 1 << 20)));
    }
}

void ShowLogInGrid(TskSkinStringGrid* grid, const TLog* log) {
    if (!grid) return;
    if (!log || log->Count() == 0) {
        ClearGrid(grid);
    } else {
        const String pattern = AppTexts()->GetConstant("FormatDateTime", "DD.MM.YY HH:NN:SS");
        const int first = grid->FixedRows();
        grid->SetRowCount(log->Count() + first);
        for (int i = 0; i < log->Count(); ++i) {
            grid->SetCellText(0, first + i, FormatDateTime(pattern, log->Items(i).Time));
            grid->SetCellText(1, first + i, log->Items(i).Text);
        }
    }
    static constexpr int Percentages[] = {0, 100};
    AutoSizeGridColumns(grid, Percentages);
}

} // namespace vd
