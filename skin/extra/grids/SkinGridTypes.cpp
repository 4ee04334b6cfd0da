#include "skin/extra/grids/SkinGridTypes.h"

#include <algorithm>

namespace vd {

const std::array<const char*, 15> kGridOptionNames = {
    "goFixedVertLine",     "goFixedHorzLine", "goVertLine",  "goHorzLine",         "goRangeSelect",
    "goDrawFocusSelected", "goRowSizing",     "goColSizing", "goRowMoving",        "goColMoving",
    "goEditing",           "goTabs",          "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"};

void RaiseGridError(const char* Text) {
    throw skEInvalidGridOperation(Text);
}

void ResizeExtents(TGridExtents& Extents, int Index, int Amount, int Default) {
    if (Amount == 0) return;
    const long long oldCount = static_cast<long long>(Extents.size());
    if (Index < 0 || Index > oldCount) RaiseGridError(grid_msg::IndexOutOfRange);
    const long long newCount = oldCount + Amount;
    if (newCount < 0) RaiseGridError(grid_msg::TooManyDeleted);
    if (newCount > kMaxGridCells) RaiseGridError(grid_msg::TooLarge);
    if (newCount == 0) {
        TGridExtents().swap(Extents);
        return;
    }
    Extents.resize(static_cast<size_t>(newCount));
    if (Index < newCount) std::fill(Extents.begin() + Index, Extents.end(), Default);
}

void SetExtentCount(TGridExtents& Extents, int Count, int Default) {
    const int old = static_cast<int>(Extents.size());
    ResizeExtents(Extents, old, Count - old, Default);
}

void ShiftExtent(TGridExtents& Extents, int From, int To) {
    // Word positions: entry i is word i + 1.
    const int n = static_cast<int>(Extents.size());
    if (n == 0 || From == To || From < 1 || To < 1 || From > n || To > n) return;
    auto first = Extents.begin();
    if (From < To)
        std::rotate(first + (From - 1), first + From, first + To);
    else
        std::rotate(first + (To - 1), first + (From - 1), first + From);
}

bool ExtentsEqual(const TGridExtents& A, const TGridExtents& B) {
    return A == B;
}

TGridRect NormalizeCellRange(TGridCoord A, TGridCoord B) {
    return {std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)};
}

bool CellInRange(int Col, int Row, const TGridRect& R) {
    return Col >= R.Left && Col <= R.Right && Row >= R.Top && Row <= R.Bottom;
}

TGridCoord ClampCell(TGridCoord C, int MinCol, int MinRow, int MaxCol, int MaxRow) {
    if (C.X > MaxCol) C.X = MaxCol;
    if (C.X < MinCol) C.X = MinCol;
    if (C.Y > MaxRow) C.Y = MaxRow;
    if (C.Y < MinRow) C.Y = MinRow;
    return C;
}

namespace {
bool IsEmpty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

// The parts of A outside I (I inside A): bands above and below, then left and right of I.
void Outside(const TRect& a, const TRect& i, std::array<TRect, 4>& out, int& n) {
    auto add = [&](TRect r) {
        if (!IsEmpty(r) && n < 4) out[static_cast<size_t>(n++)] = r;
    };
    add({a.Left, a.Top, a.Right, i.Top});
    add({a.Left, i.Bottom, a.Right, a.Bottom});
    add({a.Left, i.Top, i.Left, i.Bottom});
    add({i.Right, i.Top, a.Right, i.Bottom});
}
} // namespace

std::array<TRect, 4> RectSymmetricDifference(const TRect& A, const TRect& B) {
    std::array<TRect, 4> out{};
    const TRect i{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
                  std::min(A.Bottom, B.Bottom)};
    if (IsEmpty(i)) {
        out[0] = A;
        out[1] = B;
        return out;
    }
    // Each side of the intersection is an edge of A or of B, so both parts together have at
    // most four pieces.
    int n = 0;
    Outside(A, i, out, n);
    Outside(B, i, out, n);
    return out;
}

} // namespace vd
