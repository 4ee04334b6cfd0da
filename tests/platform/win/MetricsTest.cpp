#include "WinFixture.h"

namespace vd::test {
namespace {

using MetricsTest = WinTest;

TEST_F(MetricsTest, MonitorCountAndVirtualScreenFollowTheMonitors) {
    hb->SetMonitors({{{0, 0, 1280, 1024}, {0, 0, 1280, 984}}, {{-1024, 100, 0, 868}, {-1024, 100, 0, 868}}});
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
    EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), -1024);
    EXPECT_EQ(GetSystemMetrics(SM_YVIRTUALSCREEN), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 2304);
    EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280) << "the primary screen";
    hb->SetMonitors({{{0, 0, 800, 600}, {0, 0, 800, 560}}});
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
}

} // namespace
} // namespace vd::test
