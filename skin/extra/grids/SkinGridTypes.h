#pragma once
// The value types of the skinned grids and the routines on column widths and row heights that
// need no grid: extent arrays, cell ranges and the symmetric difference of two rectangles.
#include "platform/rtl/Exception.h"
#include "platform/rtl/Types.h"

#include <array>
#include <vector>

namespace vd {

class skEInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

namespace grid_msg {
inline constexpr const char* IndexOutOfRange = "Grid index out of range";
inline constexpr const char* TooManyDeleted = "Too many rows or columns deleted";
inline constexpr const char* TooLarge = "Grid too large for operation";
inline constexpr const char* FixedColsTooBig = "Fixed column count must be less than column count";
inline constexpr const char* FixedRowsTooBig = "Fixed row count must be less than row count";
inline constexpr const char* CannotInsertDelete = "Cannot insert or delete rows from grid";
} // namespace grid_msg

[[noreturn]] void RaiseGridError(const char* Text);

// The largest number of columns or rows.
inline constexpr int kMaxGridCells = 0x7FFFFFD;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// Inclusive on every side.
struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

using TGridOptions = unsigned short;
inline constexpr TGridOptions goFixedVertLine = 1 << 0, goFixedHorzLine = 1 << 1, goVertLine = 1 << 2,
                              goHorzLine = 1 << 3, goRangeSelect = 1 << 4, goDrawFocusSelected = 1 << 5,
                              goRowSizing = 1 << 6, goColSizing = 1 << 7, goRowMoving = 1 << 8,
                              goColMoving = 1 << 9, goEditing = 1 << 10, goTabs = 1 << 11,
                              goRowSelect = 1 << 12, goAlwaysShowEditor = 1 << 13, goThumbTracking = 1 << 14;
// The option names in bit order, as form resources write them.
extern const std::array<const char*, 15> kGridOptionNames;

using TGridDrawState = unsigned;
inline constexpr TGridDrawState gdSelected = 1, gdFocused = 2, gdFixed = 4;

enum TskGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// Column widths, row heights or tab-stop flags: empty until something is stored (every cell has
// the default then); a count of 0 makes it empty again.
using TGridExtents = std::vector<int>;

// Entries Index .. new count - 1 get Default (insertion does not shift the old entries).
void ResizeExtents(TGridExtents& Extents, int Index, int Amount, int Default);
void SetExtentCount(TGridExtents& Extents, int Count, int Default);
// Takes entry From out and puts it at To, shifting the entries between by one.
void ShiftExtent(TGridExtents& Extents, int From, int To);
bool ExtentsEqual(const TGridExtents& A, const TGridExtents& B);

TGridRect NormalizeCellRange(TGridCoord A, TGridCoord B);
bool CellInRange(int Col, int Row, const TGridRect& R);
TGridCoord ClampCell(TGridCoord C, int MinCol, int MinRow, int MaxCol, int MaxRow);

// The parts of the union that lie in only one of A and B, in at most four rectangles (the rest
// empty); two rectangles that do not meet are given back as they are.
std::array<TRect, 4> RectSymmetricDifference(const TRect& A, const TRect& B);

} // namespace vd
