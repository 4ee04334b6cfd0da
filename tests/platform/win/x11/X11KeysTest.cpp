#include "platform/win/x11/X11Keys.h"
#include "platform/win/WinTypes.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

namespace vd::test {
namespace {

TEST(X11KeysTest, EveryTypingKeyHasAVirtualKey) {
    struct {
        unsigned long keysym;
        int vk;
    } cases[] = {
        {XK_a, 'A'},
        {XK_Z, 'Z'},
        {XK_5, '5'},
        {XK_period, VK_OEM_PERIOD},
        {XK_comma, VK_OEM_COMMA},
        {XK_minus, VK_OEM_MINUS},
        {XK_slash, VK_OEM_2},
        {XK_semicolon, VK_OEM_1},
        {XK_equal, VK_OEM_PLUS},
        {XK_bracketleft, VK_OEM_4},
        {XK_bracketright, VK_OEM_6},
        {XK_apostrophe, VK_OEM_7},
        {XK_backslash, VK_OEM_5},
        {XK_grave, VK_OEM_3},
        {XK_less, VK_OEM_102},
        {XK_KP_Add, VK_ADD},
        {XK_KP_Subtract, VK_SUBTRACT},
        {XK_KP_Multiply, VK_MULTIPLY},
        {XK_KP_Divide, VK_DIVIDE},
        {XK_KP_Decimal, VK_DECIMAL},
        {XK_KP_7, VK_NUMPAD7},
        {XK_KP_Home, VK_HOME},
        {XK_Menu, VK_APPS},
        {XK_F2, VK_F2},
        {XK_F11, VK_F11},
        {XK_ISO_Level3_Shift, VK_RMENU},
        {XK_eacute, VK_OEM_8},
        {XK_dead_acute, VK_OEM_8},
        {XK_EuroSign, VK_OEM_8},
        {0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(x11::KeysymToVk(c.keysym), c.vk) << std::hex << c.keysym;
}

} // namespace
} // namespace vd::test
