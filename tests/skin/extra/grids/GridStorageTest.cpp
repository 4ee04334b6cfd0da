// The routines that need no window: extent arrays, cell ranges, the symmetric difference of two
// rectangles, and the sparse cell storage.
#include "skin/extra/grids/SkinGridTypes.h"
#include "skin/extra/grids/SkinSparse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace vd::test {
namespace {

TEST(GridExtents, ResizeFillsFromTheIndexAndRefusesBadSizes) {
    TGridExtents e;
    ResizeExtents(e, 0, 3, 64);
    EXPECT_EQ(e, (TGridExtents{64, 64, 64}));
    e[0] = 10;
    e[1] = 11;
    e[2] = 12;
    // Entries from the index on take the default; those before keep theirs.
    ResizeExtents(e, 1, 2, 5);
    EXPECT_EQ(e, (TGridExtents{10, 5, 5, 5, 5}));
    ResizeExtents(e, 0, 0, 7); // nothing
    EXPECT_EQ(e.size(), 5u);
    SetExtentCount(e, 2, 9);
    EXPECT_EQ(e, (TGridExtents{10, 5}));
    SetExtentCount(e, 0, 9);
    EXPECT_TRUE(e.empty()) << "a count of 0 leaves no array";

    struct Case {
        int Index, Amount;
        const char* Error;
    };
    const Case cases[] = {{-1, 1, grid_msg::IndexOutOfRange},
                          {3, 1, grid_msg::IndexOutOfRange},
                          {0, -3, grid_msg::TooManyDeleted},
                          {0, kMaxGridCells, grid_msg::TooLarge},
                          {2, INT_MAX, grid_msg::TooLarge}};
    for (const Case& c : cases) {
        TGridExtents two{1, 2};
        try {
            ResizeExtents(two, c.Index, c.Amount, 0);
            ADD_FAILURE() << c.Index << " " << c.Amount;
        } catch (const skEInvalidGridOperation& ex) {
            EXPECT_EQ(ex.Message(), c.Error) << c.Index << " " << c.Amount;
        }
        EXPECT_EQ(two, (TGridExtents{1, 2})) << "a refused change leaves the array";
    }
}

TEST(GridExtents, ShiftMovesOneEntryAndEqualityComparesAll) {
    TGridExtents e{1, 2, 3, 4, 5};
    ShiftExtent(e, 1, 4); // word positions: entry 0 to entry 3
    EXPECT_EQ(e, (TGridExtents{2, 3, 4, 1, 5}));
    ShiftExtent(e, 4, 1);
    EXPECT_EQ(e, (TGridExtents{1, 2, 3, 4, 5}));
    ShiftExtent(e, 0, 9); // out of range: nothing
    EXPECT_EQ(e, (TGridExtents{1, 2, 3, 4, 5}));
    TGridExtents none;
    ShiftExtent(none, 1, 2);
    EXPECT_TRUE(ExtentsEqual(none, TGridExtents{}));
    EXPECT_FALSE(ExtentsEqual(e, TGridExtents{1, 2, 3, 4}));
    EXPECT_FALSE(ExtentsEqual(e, none));
}

TEST(GridRanges, NormalizeClampAndContain) {
    EXPECT_EQ(NormalizeCellRange({5, 1}, {2, 7}), (TGridRect{2, 1, 5, 7}));
    EXPECT_TRUE(CellInRange(2, 7, {2, 1, 5, 7}));
    EXPECT_FALSE(CellInRange(6, 7, {2, 1, 5, 7}));
    EXPECT_EQ(ClampCell({-3, 99}, 1, 1, 4, 9), (TGridCoord{1, 9}));
}

int Area(const TRect& r) {
    return std::max(0, r.Width()) * std::max(0, r.Height());
}

TEST(GridRanges, SymmetricDifferenceCoversExactlyThePartsInOneRectangle) {
    const TRect cases[][2] = {
        {{0, 0, 10, 10}, {20, 20, 30, 30}}, // apart
        {{0, 0, 10, 10}, {5, 5, 15, 15}},   // overlapping corners
        {{0, 0, 10, 10}, {2, 2, 8, 8}},     // one inside the other
        {{0, 4, 20, 6}, {8, 0, 12, 20}},    // a cross
        {{0, 0, 10, 10}, {0, 0, 10, 10}},   // equal
        {{0, 0, 10, 10}, {0, 0, 10, 15}},   // a selection grown by rows
    };
    for (const auto& c : cases) {
        const auto parts = RectSymmetricDifference(c[0], c[1]);
        // Every pixel of the union is covered once when it lies in exactly one rectangle,
        // never otherwise.
        for (int y = -1; y < 31; ++y)
            for (int x = -1; x < 31; ++x) {
                const TPoint p{x, y};
                auto in = [&](const TRect& r) {
                    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
                };
                const int want = in(c[0]) != in(c[1]) ? 1 : 0;
                int got = 0;
                for (const TRect& r : parts)
                    got += Area(r) > 0 && in(r);
                ASSERT_EQ(got, want) << x << "," << y;
                (void)p;
            }
    }
}

TEST(SparseArray, StoresInBlocksAndTracksTheHighBound) {
    TskSparsePointerArray a(SPASmall);
    EXPECT_EQ(a.EntryAt(123456), nullptr);
    EXPECT_EQ(a.PrimaryCount(), 0) << "reading allocates nothing";
    int x = 0;
    a.StoreEntry(1000, &x);
    EXPECT_EQ(a.PrimaryCount(), 63);
    EXPECT_EQ(a.BlockCount(), 1);
    EXPECT_EQ(a.HighBound(), 1000);
    EXPECT_EQ(a.EntryAt(1000), &x);
    a.StoreEntry(1000, nullptr);
    EXPECT_EQ(a.HighBound(), -1);
    a.StoreEntry(5000, nullptr);
    EXPECT_EQ(a.PrimaryCount(), 63) << "storing nothing where nothing is creates nothing";
}

TEST(SparseArray, IndicesBeyondAShortTableAreStoredWithoutLimit) {
    // Past 65,535 small blocks (index 1,048,560) and to the grid's largest count.
    for (TSPAQuantum q : {SPASmall, SPALarge}) {
        TskSparsePointerArray a(q);
        int x = 0, y = 0;
        a.StoreEntry(1048560, &x);
        a.StoreEntry(kMaxGridCells - 1, &y);
        EXPECT_EQ(a.EntryAt(1048560), &x);
        EXPECT_EQ(a.EntryAt(kMaxGridCells - 1), &y);
        EXPECT_EQ(a.EntryAt(1048561), nullptr);
        EXPECT_EQ(a.HighBound(), kMaxGridCells - 1);
        EXPECT_EQ(a.BlockCount(), 2);
        std::vector<int> seen;
        a.ForEachEntry([&](int i, void*) {
            seen.push_back(i);
            return 0;
        });
        EXPECT_EQ(seen, (std::vector<int>{1048560, kMaxGridCells - 1}));
    }
}

TEST(SparseList, InsertDeleteMoveAndIndexErrors) {
    TskSparseList l(SPASmall);
    int a = 1, b = 2, c = 3;
    l.Insert(5, &a); // beyond the count
    EXPECT_EQ(l.Count(), 6);
    l.Insert(0, &b);
    EXPECT_EQ(l.Count(), 7);
    EXPECT_EQ(l.Get(6), &a);
    l.Put(7, &c);
    EXPECT_EQ(l.Count(), 8);
    l.Put(7, nullptr);
    EXPECT_EQ(l.Count(), 7) << "storing nothing at the end shortens the list";
    l.Move(0, 6);
    EXPECT_EQ(l.Get(6), &b);
    EXPECT_EQ(l.Get(5), &a);
    l.Exchange(5, 6);
    EXPECT_EQ(l.Get(5), &b);
    l.Delete(99); // ignored
    l.Delete(0);
    EXPECT_EQ(l.Count(), 6);
    EXPECT_EQ(l.Get(4), &b);
    try {
        l.Get(-1);
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (-1)");
    }
    EXPECT_THROW(l.Put(-2, &a), EListError);
    EXPECT_THROW(l.Insert(INT_MAX, &a), EListError);
}

TEST(StringSparseList, EmptyStringsRemoveItemsAndObjectsKeepThem) {
    TStringSparseList s(SPASmall);
    int changes = 0;
    s.OnChange = [&](TObject*) { ++changes; };
    s.SetStrings(3, "three");
    EXPECT_EQ(s.Count(), 4);
    EXPECT_EQ(s.Strings(3), "three");
    EXPECT_EQ(s.Strings(1), "");
    s.SetStrings(3, "");
    EXPECT_EQ(s.Count(), 0) << "the last item gone, the count shrinks";
    TObject o;
    s.SetObjects(2, &o);
    s.SetStrings(2, "");
    EXPECT_EQ(s.Count(), 3) << "an item with an object stays";
    EXPECT_EQ(s.Objects(2), &o);
    s.Insert(0, "");
    EXPECT_EQ(s.Count(), 4);
    EXPECT_EQ(s.Objects(3), &o);
    s.Exchange(0, 3);
    EXPECT_EQ(s.Objects(0), &o);
    s.Delete(0);
    EXPECT_EQ(s.Objects(0), nullptr);
    EXPECT_GE(changes, 5);
    s.SetStrings(10, "ten");
    const auto items = s.WriteItems();
    TStringSparseList t(SPALarge);
    t.ReadItems(items);
    EXPECT_EQ(t.Strings(10), "ten");
    EXPECT_EQ(t.Count(), s.Count());
    s.Clear();
    EXPECT_EQ(s.Count(), 0);
}

} // namespace
} // namespace vd::test
