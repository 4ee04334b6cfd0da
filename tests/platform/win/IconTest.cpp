#include "platform/gfx/Gdi.h"
#include "platform/win/Windows.h"

#include <gtest/gtest.h>

namespace vd::test {
namespace {

TEST(IconTest, SystemIconsAreSharedAndDrawnWithAMask) {
    struct {
        int id;
        TPoint inside;
        COLORREF color;
    } cases[] = {{IDI_HAND, {4, 16}, RGB(200, 30, 30)},
                 {IDI_QUESTION, {4, 16}, RGB(30, 90, 200)},
                 {IDI_EXCLAMATION, {16, 27}, RGB(240, 200, 20)},
                 {IDI_ASTERISK, {4, 16}, RGB(30, 90, 200)},
                 {IDI_APPLICATION, {3, 5}, RGB(40, 100, 180)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        HICON icon = LoadIcon(nullptr, c.id);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(LoadIcon(nullptr, c.id), icon) << "one shared icon";
        UniqueBitmap bmp(CreateBitmap(32, 32, 1, 24, nullptr));
        UniqueDC dc(CreateCompatibleDC(nullptr));
        SelectObject(dc.Get(), reinterpret_cast<HGDIOBJ>(bmp.Get()));
        UniqueBrush green(CreateSolidBrush(RGB(0, 255, 0)));
        const TRect all{0, 0, 32, 32};
        FillRect(dc.Get(), &all, green.Get());
        DrawIcon(dc.Get(), 0, 0, icon);
        EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0, 255, 0)) << "outside the shape the background shows";
        EXPECT_EQ(GetPixel(dc.Get(), c.inside.X, c.inside.Y), c.color);
    }
    EXPECT_EQ(LoadIcon(nullptr, 12345), nullptr);
    EXPECT_EQ(LoadIcon(nullptr, IDI_ERROR), LoadIcon(nullptr, IDI_HAND));
}

} // namespace
} // namespace vd::test
