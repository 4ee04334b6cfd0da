#include "platform/rtl/List.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

int a = 1, b = 2, c = 3, d = 4;

int CompareInts(void* x, void* y) {
    return *static_cast<int*>(x) - *static_cast<int*>(y);
}

std::vector<int> Values(const TList& list) {
    std::vector<int> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(*static_cast<int*>(list.Items(i)));
    return out;
}

TEST(TList, EditsKeepOrder) {
    TList list;
    EXPECT_EQ(list.Add(&c), 0);
    list.Add(&a);
    list.Insert(1, &b);
    list.Insert(3, &d);
    EXPECT_EQ(Values(list), (std::vector<int>{3, 2, 1, 4}));
    list.Exchange(0, 3);
    EXPECT_EQ(Values(list), (std::vector<int>{4, 2, 1, 3}));
    list.Move(0, 2);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 1, 4, 3}));
    list.Sort(CompareInts);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(list.Remove(&c), 2);
    EXPECT_EQ(list.Remove(&c), -1);
    EXPECT_EQ(list.Extract(&a), &a);
    EXPECT_EQ(list.Extract(&a), nullptr);
    EXPECT_EQ(list.IndexOf(&d), 1);
    list.Delete(0);
    EXPECT_EQ(list.First(), &d);
    EXPECT_EQ(list.Last(), &d);
    list.SetCount(3);
    list.Pack();
    EXPECT_EQ(list.Count(), 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(TList, BadIndexesRaiseListError) {
    TList list;
    list.Add(&a);
    const std::pair<int, std::function<void()>> bad[] = {
        {1, [&] { list.Items(1); }},      {-1, [&] { list.Items(-1); }},     {1, [&] { list.Delete(1); }},
        {2, [&] { list.Insert(2, &b); }}, {5, [&] { list.Exchange(0, 5); }}, {3, [&] { list.Move(3, 0); }},
        {0, [&] { TList().First(); }},    {-1, [&] { TList().Last(); }},
    };
    for (const auto& [index, call] : bad) {
        try {
            call();
            ADD_FAILURE() << index;
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
    EXPECT_EQ(list.Count(), 1);
}

} // namespace
} // namespace vd
