// The frame's menus: system menu contents, the skinned popup menu component and the route it
// takes to a frame's menu engine, menu mode (keys and wheel to the menu, clicks close it), the
// tray menu and the menu speed button against the real menus.
#include "FrameFixture.h"

#include "platform/rtl/Exception.h"
#include "platform/shell/FakeTray.h"
#include "platform/vcl/FormReader.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/core/SkinProperties.h"
#include "skin/core/SkinStrings.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinPopupWindow.h"

namespace vd::test {
namespace {

std::vector<String> Captions(TMenuItem* root) {
    std::vector<String> out;
    for (int i = 0; i < root->Count(); ++i)
        out.push_back(root->Items(i)->Caption());
    return out;
}

TMenuItem* Add(TMenu* menu, const char* caption) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    menu->Items()->Add(item);
    return item;
}

TEST_F(FrameTest, BuiltInSystemMenuFollowsTheWindowState) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    EXPECT_EQ(Captions(Frame->GetSystemMenuItems()),
              (std::vector<String>{"Mi&nimize", "Ma&ximize", "Ro&llUp", "-", "&Close"}));
    TMenuItem* close = Frame->GetSystemMenuItems()->Items(4);
    EXPECT_EQ(ShortCutToText(close->ShortCut), "Alt+F4");
    // Maximized: Restore instead of Maximize; roll-up stays offered.
    Frame->SetWindowState(skwsMaximized);
    EXPECT_EQ(Captions(Frame->GetSystemMenuItems()),
              (std::vector<String>{"Mi&nimize", "&Restore", "Ro&llUp", "-", "&Close"}));
    Frame->SetWindowState(skwsNormal);
    Frame->SetBorderIcons(skbiSystemMenu | skbiMinimizeToTray);
    EXPECT_EQ(Captions(Frame->GetSystemMenuItems()),
              (std::vector<String>{"Minimize to &Tray", "-", "&Close"}));
    // Running an item runs its command.
    Frame->SetBorderIcons(skbiSystemMenu | skbiMaximize);
    Frame->GetSystemMenuItems()->Items(0)->Click();
    EXPECT_EQ(Frame->WindowState(), skwsMaximized);
}

TEST_F(FrameTest, UserSystemMenuGetsTheStandardItemsAroundItsOwn) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    auto* sys = new TPopupMenu(f);
    Add(sys, "About");
    Add(sys, "Settings");
    Frame->SetSystemMenu(sys);
    EXPECT_EQ(Captions(Frame->GetSystemMenuItems()),
              (std::vector<String>{"Mi&nimize", "Ma&ximize", "Ro&llUp", "About", "Settings", "&Close"}));
    // Built again on every showing, never twice.
    EXPECT_EQ(Frame->GetSystemMenuItems()->Count(), 6);
    Frame->UseDefaultSysMenu = false;
    sys->Items()->Clear();
    Add(sys, "Only");
    EXPECT_EQ(Captions(Frame->GetSystemMenuItems()), (std::vector<String>{"Only"}));
}

TEST_F(FrameTest, SystemMenuCaptionsFromTheSkinStrings) {
    TForm* f = NewFrameForm(true);
    auto* strings = new TskResourceStrData(f);
    strings->SetResStrings({"MI_MINCAPTION=Kleiner", "MI_CLOSECAPTION=Zu"});
    Skin->SetResourceStrData(strings);
    const std::vector<String> c = Captions(Frame->GetSystemMenuItems());
    EXPECT_EQ(c.front(), "Kleiner");
    EXPECT_EQ(c.back(), "Zu");
    // A key the table does not hold gives an empty caption.
    EXPECT_EQ(c[1], "");
}

TEST_F(FrameTest, RightClickOnTheCaptionOpensTheSystemMenuAndAClickClosesIt) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    int opened = 0, closed = 0;
    Frame->OnSkinMenuOpen = [&](TObject*) { ++opened; };
    Frame->OnSkinMenuClose = [&](TObject*) { ++closed; };
    hb->Click(RawButton::Right, ScreenOf(f, 100, 12));
    Pump();
    ASSERT_NE(Frame->SkinMenu(), nullptr);
    EXPECT_TRUE(Frame->SkinMenu()->MenuVisible());
    EXPECT_TRUE(Frame->SkinMenuIsOpen());
    EXPECT_EQ(opened, 1);
    // While it is open the wheel goes nowhere.
    EXPECT_TRUE(Application->HasMessageHook(Frame));
    // A click into the client area closes it first.
    hb->Click(RawButton::Left, ScreenOf(f, 150, 100));
    Pump();
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    EXPECT_FALSE(Frame->SkinMenuIsOpen());
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(Application->HasMessageHook(Frame));
}

TEST_F(FrameTest, SystemMenuButtonStaysPressedWhileItsMenuIsOpen) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    auto* button = dynamic_cast<TskSkinStdButtonObject*>(Frame->FindObject("sysmenubutton"));
    ASSERT_NE(button, nullptr);
    hb->MouseMove(ScreenOf(f, 12, 12));
    Pump();
    hb->ButtonDown(RawButton::Left, ScreenOf(f, 12, 12));
    Pump();
    EXPECT_TRUE(button->Pressed);
    EXPECT_TRUE(Frame->SkinMenu()->MenuVisible());
    hb->ButtonUp(RawButton::Left, ScreenOf(f, 12, 12));
    Pump();
    EXPECT_TRUE(button->Pressed);
    Frame->SkinMenu()->CloseMenu();
    Pump();
    EXPECT_FALSE(button->Pressed);
    EXPECT_FALSE(Frame->SkinMenuIsOpen());
}

TEST_F(FrameTest, EscapeClosesTheMenuThroughTheMessageHook) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    Frame->PopupSystemMenu(f->Left() + 50, f->Top() + 50);
    ASSERT_TRUE(Frame->SkinMenu()->MenuVisible());
    hb->KeyPress(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    EXPECT_FALSE(Frame->SkinMenuIsOpen());
}

// What closes an open menu: a click anywhere on the form or its frame, the form moving,
// resizing, losing the focus or its activation, a child window's notice. The deepest level
// hides first, then the top one, and the form hears that the menu closed once both have gone.
// Other messages leave both levels open.
TEST_F(FrameTest, MenuCloseMessages) {
    struct Case {
        UINT Msg;
        bool Closes;
    };
    const Case cases[] = {
        {WM_MOVE, true},          {WM_SIZE, true},          {WM_ACTIVATE, true},
        {WM_KILLFOCUS, true},     {WM_CANCELMODE, true},    {WM_MOUSEACTIVATE, true},
        {WM_NCLBUTTONDOWN, true}, {WM_NCRBUTTONDOWN, true}, {WM_NCMBUTTONDOWN, true},
        {WM_LBUTTONDOWN, true},   {WM_RBUTTONDOWN, true},   {WM_MBUTTONDOWN, true},
        {WM_PARENTNOTIFY, true},  {WM_MOUSEMOVE, false},    {WM_LBUTTONUP, false},
        {WM_NCMOUSEMOVE, false},  {WM_PAINT, false},        {WM_TIMER, false},
        {WM_SETFOCUS, false},
    };
    for (const Case& c : cases) {
        TForm* f = NewFrameForm(true);
        ShowForm(f);
        std::vector<std::string> log;
        f->WindowProc = [&log, old = f->WindowProc](TMessage& m) {
            if (m.Msg == WM_SKINMENUCLOSED) log.push_back("form told");
            old(m);
        };
        auto* menu = new TskSkinPopupMenu(f);
        auto* deeper = new TMenuItem(menu);
        deeper->SetCaption("Deeper");
        Add(menu, "More")->Add(deeper);
        menu->Popup(f->Left() + 40, f->Top() + 60);
        TskSkinMenu* engine = Frame->SkinMenu();
        ASSERT_TRUE(engine && engine->MenuVisible());
        engine->ProcessKey(VK_RIGHT);
        ASSERT_EQ(engine->LevelCount(), 2);
        for (int i = 0; i < 2; ++i) {
            TWinControl* level = engine->Level(i);
            level->WindowProc = [&log, i, old = level->WindowProc](TMessage& m) {
                if (m.Msg == WM_WINDOWPOSCHANGED &&
                    reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags & SWP_HIDEWINDOW)
                    log.push_back("level " + std::to_string(i) + " hidden");
                old(m);
            };
        }
        f->Perform(c.Msg, 0, 0);
        if (c.Closes)
            EXPECT_EQ(log, (std::vector<std::string>{"level 1 hidden", "level 0 hidden", "form told"}))
                << c.Msg;
        else
            EXPECT_TRUE(log.empty()) << c.Msg;
        EXPECT_EQ(engine->MenuVisible(), !c.Closes) << c.Msg;
        EXPECT_EQ(Frame->SkinMenuIsOpen(), !c.Closes) << c.Msg;
        EXPECT_EQ(engine->LevelCount(), c.Closes ? 0 : 2) << c.Msg;
        if (engine->MenuVisible()) engine->CloseMenu();
        Pump();
        f->Free();
        Pump();
    }
}

TEST_F(FrameTest, FreeingTheFrameRemovesItsHook) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    Frame->PopupSystemMenu(f->Left() + 50, f->Top() + 50);
    ASSERT_TRUE(Application->HasMessageHook(Frame));
    const void* owner = Frame;
    Frame->Free();
    EXPECT_FALSE(Application->HasMessageHook(owner));
    // The form still works with its own procedure.
    f->SetWidth(310);
    Pump();
    EXPECT_EQ(f->Width(), 310);
}

TEST_F(FrameTest, PopupMenuFindsItsFrameAndSkin) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    TskSkinForm* skinned = Frame;
    // Owned by the frame component: found through the owner's owner; the skin comes from it.
    auto* menu = new TskSkinPopupMenu(Frame);
    Add(menu, "One");
    Add(menu, "Two");
    int popups = 0, closes = 0;
    menu->OnPopup = [&](TObject*) { ++popups; };
    menu->OnMenuClose = [&](TObject*) { ++closes; };
    menu->Popup(f->Left() + 40, f->Top() + 60);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(menu->SkinData(), Skin);
    EXPECT_EQ(menu->PopupPoint(), (TPoint{f->Left() + 40, f->Top() + 60}));
    EXPECT_TRUE(Frame->SkinMenu()->MenuVisible());
    Frame->SkinMenu()->CloseMenu();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(Frame->SkinMenuIsOpen());

    // A menu on a form without a frame shows nothing; without a skin PopupAtControl shows
    // nothing either, while Popup opens the plain look.
    auto* bare = new TForm(Application);
    auto* lonely = new TskSkinPopupMenu(bare);
    Add(lonely, "x");
    EXPECT_FALSE(lonely->PopupFromRect(nullptr, {10, 10, 20, 20}, 0));
    TForm* plain = NewFrameForm(false, {500, 100, 800, 300});
    auto* plainMenu = new TskSkinPopupMenu(plain);
    Add(plainMenu, "y");
    EXPECT_FALSE(plainMenu->PopupAtControl(plain, 510, 110));
    EXPECT_TRUE(plainMenu->PopupFromRect(nullptr, {510, 110, 510, 110}, 0));
    EXPECT_TRUE(Frame->SkinMenuIsOpen());
    EXPECT_FALSE(skinned->SkinMenuIsOpen());
    Frame->SkinMenu()->CloseMenu();
    // An empty menu opens nothing and leaves no menu mode behind.
    auto* empty = new TskSkinPopupMenu(f);
    EXPECT_FALSE(empty->PopupFromRect(nullptr, {10, 10, 20, 20}, 0));
    EXPECT_FALSE(skinned->SkinMenuIsOpen());
    EXPECT_FALSE(Application->HasMessageHook(skinned));
}

TEST_F(FrameTest, MenuSpeedButtonOpensTheRealMenuAndPopsUpWhenItCloses) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    auto* menu = new TskSkinPopupMenu(f);
    Add(menu, "One");
    auto* button = new TskSkinMenuSpeedButton(f);
    button->SetParent(f);
    button->SetBounds(10, 10, 80, 25);
    button->SetSkinPopupMenu(menu);
    Pump();
    const TPoint at = button->ClientToScreen({40, 12});
    hb->MouseMove(at);
    hb->ButtonDown(RawButton::Left, at);
    Pump();
    EXPECT_TRUE(button->MenuOpen());
    EXPECT_TRUE(Frame->SkinMenu()->MenuVisible());
    hb->ButtonUp(RawButton::Left, at);
    Pump();
    EXPECT_TRUE(button->MenuOpen());
    EXPECT_TRUE(Frame->SkinMenu()->MenuVisible());
    Frame->SkinMenu()->CloseMenu();
    Pump();
    EXPECT_FALSE(button->MenuOpen());
    // An empty menu never opens: the button pops up at once.
    menu->Items()->Clear();
    hb->Click(RawButton::Left, at);
    Pump();
    EXPECT_FALSE(button->MenuOpen());
}

TEST_F(FrameTest, TrayRightClickOpensItsMenuThroughTheFrame) {
    FakeTray tray;
    InstallTrayHost(&tray);
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    auto* icon = new TskTrayIcon(f);
    Frame->SetTrayIcon(icon);
    // The frame gives an icon without a menu its own tray menu.
    ASSERT_EQ(icon->PopupMenu(), Frame->TrayMenu());
    EXPECT_EQ(Captions(Frame->TrayMenu()->Items()), (std::vector<String>{"&Restore", "-", "&Close"}));
    icon->SetIconVisible(true);
    ASSERT_TRUE(tray.Click(icon->Handle(), 1, WM_RBUTTONDOWN));
    Pump();
    EXPECT_TRUE(Frame->SkinMenu()->MenuVisible());
    Frame->SkinMenu()->CloseMenu();
    icon->SetIconVisible(false);
    InstallTrayHost(nullptr);
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

// The console's windows carry their frame, tray icon and tray menu in their form resources.
TEST_F(FrameTest, FrameTrayIconAndMenuFromAFormResource) {
    RegisterSkinFormClasses();
    FakeTray tray;
    InstallTrayHost(&tray);
    auto* f = new TForm(Application);
    TFormReader::ReadRoot(R"(object Main: TForm
  Left = 50
  Top = 50
  Width = 300
  Height = 200
  object skSkinForm1: TskSkinForm
    PositionInMonitor = skpScreenCenter
    BorderIcons = [biSystemMenu, biMinimize, biMinimizeToTray]
    TrayIcon = Tray
    Magnetic = True
  end
  object skSkinPopupMenu1: TskSkinPopupMenu
    object Restore1: TMenuItem
      Caption = 'Restore'
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object Exit1: TMenuItem
      Caption = 'Exit'
    end
  end
  object Tray: TskTrayIcon
    IconVisible = False
    Hint = 'Console'
    PopupMenu = skSkinPopupMenu1
  end
end
)",
                          f);
    TskSkinForm* frame = GetSkinForm(f);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->PositionInMonitor, skpScreenCenter);
    EXPECT_TRUE(frame->Magnetic);
    EXPECT_EQ(frame->BorderIcons(), skbiSystemMenu | skbiMinimize | skbiMinimizeToTray);
    auto* icon = dynamic_cast<TskTrayIcon*>(f->FindComponent("Tray"));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(frame->TrayIcon(), icon);
    ASSERT_NE(icon->PopupMenu(), nullptr);
    EXPECT_EQ(Captions(icon->PopupMenu()->Items()), (std::vector<String>{"Restore", "-", "Exit"}));
    EXPECT_FALSE(icon->IconVisible());
    // Shown centred on the whole monitor (1024 x 768).
    f->Show();
    Pump();
    EXPECT_EQ(f->BoundsRect(), (TRect{362, 284, 662, 484}));
    f->Free();
    InstallTrayHost(nullptr);
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

// The frame's fonts and logo come from a form resource like its other published properties;
// the menu items' font reaches the form's menu engine.
TEST_F(FrameTest, FontsAndLogoFromAFormResource) {
    RegisterSkinFormClasses();
    TskBitmap logo(3, 2);
    logo.Fill(0x123456);
    String hex;
    for (Byte b : WriteBmpImage(logo)) {
        static const char digits[] = "0123456789ABCDEF";
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    auto* f = new TForm(Application);
    TFormReader::ReadRoot("object Main: TForm\n"
                          "  object skSkinForm1: TskSkinForm\n"
                          "    DefCaptionFont.Name = 'Tahoma'\n"
                          "    DefCaptionFont.Height = 16\n"
                          "    DefCaptionFont.Style = []\n"
                          "    DefInActiveCaptionFont.Color = clGrayText\n"
                          "    DefMenuItemFont.Name = 'Verdana'\n"
                          "    DefMenuItemFont.Height = 12\n"
                          "    DefMenuItemFont.Style = [fsItalic]\n"
                          "    LogoBitMap = {" +
                              hex +
                              "}\n"
                              "  end\n"
                              "end\n",
                          f);
    TskSkinForm* frame = GetSkinForm(f);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->DefCaptionFont().Name(), "Tahoma");
    EXPECT_EQ(frame->DefCaptionFont().Height(), 16);
    EXPECT_EQ(frame->DefCaptionFont().Style(), 0u);
    EXPECT_EQ(frame->DefInActiveCaptionFont().Color(), clGrayText);
    EXPECT_EQ(frame->DefInActiveCaptionFont().Name(), "Arial") << "the other parts keep their defaults";
    EXPECT_EQ(frame->SkinMenu()->DefaultItemFont().Name(), "Verdana");
    EXPECT_EQ(frame->SkinMenu()->DefaultItemFont().Height(), 12);
    EXPECT_EQ(frame->SkinMenu()->DefaultItemFont().Style(), fsItalic);
    EXPECT_EQ(frame->LogoBitMap().Width(), 3);
    EXPECT_EQ(frame->LogoBitMap().Height(), 2);
    // A font part that does not exist is the reader's error, as for any unknown property.
    auto* g = new TForm(Application);
    EXPECT_THROW(TFormReader::ReadRoot("object Main2: TForm\n  object skSkinForm1: TskSkinForm\n"
                                       "    DefCaptionFont.Shape = 3\n  end\nend\n",
                                       g),
                 EReadError);
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

// What the frame writes reads back to the same text: the values that differ from their
// defaults, in a fixed order after the component's own, and the border icons always.
TEST_F(FrameTest, AFrameResourceWritesBackAsItWasRead) {
    RegisterSkinFormClasses();
    RegisterSkinCoreClasses();
    const String text = R"(object Main: TForm
  Left = 0
  Top = 0
  Width = 320
  Height = 240
  BorderIcons = []
  object Skin: TskSkinData
  end
  object skSkinForm1: TskSkinForm
    Tag = 7
    PositionInMonitor = skpDesktopCenter
    BorderIcons = [biSystemMenu, biRollUp]
    Magnetic = True
    AlphaBlend = True
    AlphaBlendAnimation = True
    AlphaBlendValue = 150
    ShowIcon = True
    SkinData = Skin
  end
  object skSkinForm2: TskSkinForm
    BorderIcons = [biSystemMenu, biMinimize, biMaximize, biRollUp]
  end
end
)";
    auto* f = new TForm(Application);
    f->SetName("Main");
    TFormReader::ReadRoot(text, f);
    EXPECT_EQ(WriteComponentText(f), text);
    f->Free();
}

} // namespace
} // namespace vd::test

namespace vd::test {
namespace {

// Text in the caption object and in the menu items takes the character set of the skin's
// string table; without one, that of the frame's or the menu's default font.
TEST_F(FrameTest, CaptionAndMenuFontsTakeTheSkinsCharacterSet) {
    TForm* f = NewFrameForm(true);
    ShowForm(f);
    auto* caption = dynamic_cast<TskSkinCaptionObject*>(Frame->FindObject("caption"));
    ASSERT_NE(caption, nullptr);
    auto menuCharset = [&] {
        Frame->PopupSystemMenu(f->Left() + 20, f->Top() + 20);
        Pump();
        TskSkinPopupWindow* level = Frame->SkinMenu()->Level(0);
        EXPECT_NE(level, nullptr);
        if (!level) return -1;
        TBitmap b(1, 1);
        level->SelectItemFont(b.Canvas());
        const int item = b.Canvas().Font().Charset();
        level->SelectDefaultFont(b.Canvas());
        EXPECT_EQ(b.Canvas().Font().Charset(), item);
        Frame->SkinMenu()->CloseMenu();
        Pump();
        return item;
    };
    TFont font;
    Frame->DefCaptionFont().SetCharset(161);
    caption->SelectCaptionFont(font);
    EXPECT_EQ(font.Charset(), 161);
    const int plain = menuCharset();
    EXPECT_EQ(plain, Frame->SkinMenu()->DefaultItemFont().Charset());

    auto* strings = new TskResourceStrData(f);
    strings->SetCharSet(204);
    Skin->SetResourceStrData(strings);
    caption->SelectCaptionFont(font);
    EXPECT_EQ(font.Charset(), 204);
    EXPECT_EQ(menuCharset(), 204);
}

} // namespace
} // namespace vd::test
