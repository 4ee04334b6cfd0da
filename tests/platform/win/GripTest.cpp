#include "WinFixture.h"

namespace vd::test {
namespace {

using GripTest = WinTest;

TEST_F(GripTest, ChildAnsweringASizingCodeSizesItsTopLevelWindow) {
    HWND top = Top({100, 100, 300, 250}, WS_POPUP | WS_VISIBLE | WS_THICKFRAME);
    HWND grip = Child(top, {180, 130, 200, 150});
    handlers[grip] = [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m != WM_NCHITTEST) return false;
        r = HTBOTTOMRIGHT;
        return true;
    };
    hb->ButtonDown(RawButton::Left, {290, 240});
    hb->MouseMove({300, 245});
    hb->MouseMove({310, 260});
    hb->ButtonUp(RawButton::Left, {310, 260});
    Pump();
    EXPECT_EQ(GetWindowRect(top), (TRect{100, 100, 320, 270}));
    EXPECT_EQ(GetWindowRect(grip).Width(), 20) << "the grip itself keeps its size";
    EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace
} // namespace vd::test
