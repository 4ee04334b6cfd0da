#include "app/core/Log.h"

#include <gtest/gtest.h>

namespace vd {
namespace {

TEST(LogTest, NewestFirstCutAndBounded) {
    TLog log;
    for (int i = 0; i < 300; ++i)
        log.Add(i, "line " + std::to_string(i));
    ASSERT_EQ(log.Count(), TLog::MaxItems);
    EXPECT_EQ(log.Items(0).Text, "line 299");
    EXPECT_EQ(log.Items(254).Text, "line 45"); // the oldest dropped out
    log.Add(String(200, 'x') + "\xC3\xBC");
    EXPECT_EQ(log.Items(0).Text, String(128, 'x'));
    EXPECT_GT(log.Items(0).Time, 40000.0); // stamped with the current date
    log.Clear();
    EXPECT_EQ(log.Count(), 0);
}

} // namespace
} // namespace vd
