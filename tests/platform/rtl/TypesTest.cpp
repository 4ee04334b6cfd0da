#include "platform/rtl/Types.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

namespace vd {

TEST(Rect, ExtentsAreExclusiveOfRightAndBottom) {
    const TRect r = Bounds(3, 4, 10, 20);
    EXPECT_EQ(r, Rect(3, 4, 13, 24));
    EXPECT_EQ(r.Width(), 10);
    EXPECT_EQ(r.Height(), 20);
}

TEST(Exception, CarriesItsMessage) {
    try {
        throw Exception("Stream read error");
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}

} // namespace vd
