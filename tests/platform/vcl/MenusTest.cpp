#include "VclFixture.h"

#include "platform/vcl/Menus.h"

namespace vd::test {
namespace {

TEST(MenusTest, ShortCutTextsRoundTrip) {
    struct Case {
        Word key;
        TShiftState shift;
        const char* text;
    } cases[] = {{VK_F4, ssAlt, "Alt+F4"}, {VK_F4, ssCtrl, "Ctrl+F4"},
                 {'O', ssCtrl, "Ctrl+O"},  {'S', ssCtrl | ssShift, "Shift+Ctrl+S"},
                 {VK_DELETE, 0, "Del"},    {VK_RETURN, ssAlt, "Alt+Enter"}};
    for (const Case& c : cases) {
        const TShortCut sc = ShortCut(c.key, c.shift);
        EXPECT_EQ(ShortCutToText(sc), c.text);
        EXPECT_EQ(TextToShortCut(c.text), sc) << c.text;
    }
    EXPECT_EQ(TextToShortCut("ctrl+o"), ShortCut('O', ssCtrl)) << "names are case-insensitive";
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Bogus"), 0);
    EXPECT_EQ(ShortCut(0x1234, 0), 0);
}

TEST(MenusTest, AcceleratorsFollowTheAmpersand) {
    struct Case {
        unsigned ch;
        const char* caption;
        bool accel;
    } cases[] = {{'o', "&Open", true},    {'O', "&open", true},   {'p', "&Open", false},
                 {'a', "Save &As", true}, {'&', "A && B", false}, {'b', "A && &B", true},
                 {'x', "Exit&", false},   {'e', "", false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsAccel(c.ch, c.caption), c.accel) << c.caption << " " << char(c.ch);
    EXPECT_EQ(StripHotkey("Save && &Exit"), "Save & Exit");
}

TEST_F(VclTest, MenuCommandsAndShortCutsClickTheirItems) {
    auto* menu = new TPopupMenu(nullptr);
    auto* file = new TMenuItem(menu);
    file->SetCaption("&File");
    menu->Items()->Add(file);
    auto* open = new TMenuItem(menu);
    open->SetCaption("&Open");
    open->ShortCut = ShortCut('O', ssCtrl);
    file->Add(open);
    auto* off = new TMenuItem(menu);
    off->ShortCut = ShortCut('Q', ssCtrl);
    off->Enabled = false;
    file->Add(off);
    int clicks = 0;
    open->OnClick = [&](TObject*) { ++clicks; };
    off->OnClick = [&](TObject*) { clicks += 100; };
    EXPECT_EQ(open->GetParentMenu(), menu);
    EXPECT_TRUE(menu->DispatchCommand(open->Command()));
    EXPECT_FALSE(menu->DispatchCommand(0xFFFFFF));
    EXPECT_EQ(clicks, 1);
    hb->KeyDown(VK_CONTROL);
    Application->ProcessMessages();
    TMessage key{WM_KEYDOWN, 'O', 0, 0};
    EXPECT_TRUE(menu->IsShortCut(key));
    TMessage disabled{WM_KEYDOWN, 'Q', 0, 0};
    EXPECT_FALSE(menu->IsShortCut(disabled)) << "a disabled item's shortcut does nothing";
    hb->KeyUp(VK_CONTROL);
    Application->ProcessMessages();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(file->Find("open"), open);
    open->Free(); // an item freed on its own leaves its parent
    EXPECT_EQ(file->Count(), 1);
    menu->Free();
}

} // namespace
} // namespace vd::test
