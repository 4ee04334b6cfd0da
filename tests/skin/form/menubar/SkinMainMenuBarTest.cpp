// The main menu bar: item layout in the plain and skinned looks, hiding what does not fit and the
// overflow menu, the keyboard's menu mode through the frame, accelerators, mouse tracking and
// sliding from menu to menu, merging a child's menu, and the maximized child's buttons.
#include "MenuBarFixture.h"

#include "platform/vcl/FormReader.h"

#include <cstring>

namespace vd::test {
namespace {

struct TItemEvent {
    String what;
    TMenuItem* item;
};

TEST_F(MenuBarTest, PlainItemsSitSideBySideInTheItemArea) {
    TForm* f = NewBarForm(false);
    Add("&File", {"Open"});
    Add("Hidden")->Visible = false;
    Add("&Edit", {"Copy"});
    Add("&Help");
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    EXPECT_FALSE(Bar->SkinRecordInUse());
    EXPECT_EQ(Bar->Height(), 22);
    EXPECT_EQ(Bar->Width(), f->ClientWidth());
    // Invisible menu items get no place on the bar.
    ASSERT_EQ(Captions(), (std::vector<String>{"&File", "&Edit", "&Help"}));
    EXPECT_EQ(Bar->ItemArea(), (TRect{2, 2, Bar->Width() - 2, 20}));
    int left = 2;
    for (int i = 0; i < Bar->ItemCount(); ++i) {
        SCOPED_TRACE(i);
        const TRect r = Bar->Item(i)->ObjectBounds;
        EXPECT_EQ(r, (TRect{left, 2, left + TextWidth(Bar->Item(i)->MenuItem->Caption()) + 12, 20}));
        EXPECT_TRUE(Bar->Item(i)->ShownOnBar);
        left = r.Right;
    }
    EXPECT_FALSE(Bar->Overflow());
    // A bigger default font widens the plain items at once.
    const int before = Bar->Item(0)->ObjectBounds.Width();
    TFont big;
    big.Assign(Bar->DefItemFont());
    big.SetHeight(24);
    Bar->SetDefItemFont(big);
    EXPECT_GT(Bar->Item(0)->ObjectBounds.Width(), before);
    EXPECT_EQ(Bar->Item(0)->ObjectBounds.Width(), TextWidth("&File") + 12);
    // Plain look: the bar face, the items on it.
    EXPECT_EQ(BarPixel(Bar->Width() - 10, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(BarPixel(Bar->Item(0)->ObjectBounds.Left + 1, 3), ColorToRGB(clBtnFace));
}

TEST_F(MenuBarTest, SkinnedItemsTakeTheRecordsSizesAndPictures) {
    TForm* f = NewBarForm(true);
    Add("&File", {"Open"});
    Add("&Edit", {"Copy"});
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    ASSERT_TRUE(Bar->SkinRecordInUse());
    // The bar is as high as its record's picture; the item area follows "itemsrect".
    EXPECT_EQ(Bar->Height(), 24);
    EXPECT_EQ(Bar->ItemArea(), (TRect{2, 2, Bar->Width() - 2, 22}));
    // A skinned bar keeps its record's height whatever is asked.
    Bar->SetBounds(Bar->Left(), Bar->Top(), Bar->Width(), 40);
    EXPECT_EQ(Bar->Height(), 24);
    // Width: the record's margins around the text ("skinrect" 20 wide, "textrect" 4..16) + 2.
    int left = 2;
    for (int i = 0; i < Bar->ItemCount(); ++i) {
        const TRect r = Bar->Item(i)->ObjectBounds;
        SCOPED_TRACE(i);
        EXPECT_EQ(r.Left, left);
        EXPECT_EQ(r.Height(), 20);
        EXPECT_GT(r.Width(), 20 - 12 + 2);
        left = r.Right;
    }
    EXPECT_EQ(BarPixel(Bar->Width() - 10, 12), kBarFace);
    EXPECT_EQ(BarPixel(Bar->Item(0)->ObjectBounds.Left + 1, 3), kItemNormal);
}

TEST_F(MenuBarTest, ItemsThatDoNotFitHideAndComeBackAsTheyWere) {
    TForm* f = NewBarForm(false, {100, 100, 700, 300});
    // Wide enough that two items outgrow the frame's smallest width.
    for (const char* c : {"First menu", "Second menu", "Third menu", "Fourth menu", "Fifth menu"})
        Add(c, {"x"});
    Menu->Items()->Items(4)->Enabled = false;
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    ASSERT_FALSE(Bar->Overflow());
    const int fourRight = Bar->Item(3)->ObjectBounds.Right;
    const int twoRight = Bar->Item(1)->ObjectBounds.Right;
    // Widths that leave 5, 4 and 2 items on the bar (the mark takes 5 pixels at the right).
    struct Case {
        int width;
        int shown;
    } cases[] = {{fourRight + 2 + 5 - 1, 3},
                 {Bar->Item(4)->ObjectBounds.Right + 7, 5},
                 {twoRight + 7, 2},
                 {fourRight + 7, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        f->SetClientWidth(c.width);
        Pump();
        ASSERT_EQ(Bar->Width(), c.width);
        int shown = 0;
        for (int i = 0; i < Bar->ItemCount(); ++i) {
            const TskSkinMainMenuBarItem* item = Bar->Item(i);
            EXPECT_EQ(item->ShownOnBar, i < c.shown) << i;
            if (item->ShownOnBar) ++shown;
            // Hidden items cannot be hot; shown ones have their own state back.
            EXPECT_EQ(item->Enabled, item->ShownOnBar && i != 4) << i;
        }
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(Bar->Overflow(), c.shown < 5);
    }
    // The mark at the right end, in the plain look's colour.
    f->SetClientWidth(twoRight + 7);
    Pump();
    const TRect m = Bar->MarkRect();
    EXPECT_EQ(m, (TRect{Bar->ItemArea().Right - 5, 2, Bar->ItemArea().Right, 20}));
    bool glyph = false;
    for (int x = m.Left; x < m.Right; ++x)
        for (int y = m.Top; y < m.Bottom; ++y)
            glyph = glyph || BarPixel(x, y) == ColorToRGB(clBtnShadow);
    EXPECT_TRUE(glyph);
}

TEST_F(MenuBarTest, TheOverflowMenuStartsAtTheFirstHiddenItem) {
    TForm* f = NewBarForm(false, {100, 100, 700, 300});
    // Invisible items before the hidden ones must not shift the start.
    Add("One", {"x"});
    Add("Ghost")->Visible = false;
    Add("Two", {"x"});
    Add("Three", {"x"});
    TMenuItem* four = Add("Four");
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    f->SetClientWidth(Bar->Item(1)->ObjectBounds.Right + 7);
    Pump();
    ASSERT_TRUE(Bar->Overflow());
    ASSERT_FALSE(Bar->Item(2)->ShownOnBar);
    int clicks = 0;
    four->OnClick = [&](TObject*) { ++clicks; };
    const TRect m = Bar->MarkRect();
    const TPoint mark = Bar->ClientToScreen({m.Left + 2, (m.Top + m.Bottom) / 2});
    hb->MouseMove(mark);
    Pump();
    EXPECT_TRUE(Bar->MarkHot());
    hb->Click(RawButton::Left, mark);
    Pump();
    EXPECT_EQ(OpenMenu(), (std::vector<String>{"Three", "Four"}));
    EXPECT_TRUE(Frame->SkinMenuIsOpen());
    // Escape closes it; choosing from it runs the item and closes the menu.
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->SkinMenuIsOpen());
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    hb->Click(RawButton::Left, Bar->ClientToScreen({m.Left + 3, (m.Top + m.Bottom) / 2}));
    Pump();
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(Frame->SkinMenuIsOpen());
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    // With a merged child menu the mark is off for good.
    auto* child = new TMainMenu(f);
    Add("Child", {"y"}, nullptr, child);
    Bar->SetChildMenuAssigned(child);
    EXPECT_FALSE(Bar->ScrollMenu);
    EXPECT_FALSE(Bar->MarkInUse());
    Bar->SetChildMenuAssigned(nullptr);
    EXPECT_FALSE(Bar->ScrollMenu);
}

TEST_F(MenuBarTest, AltEntersMenuModeAndTheArrowsWalkTheItems) {
    TForm* f = NewBarForm(false);
    Add("&File", {"Open", "Save"});
    Add("&Edit", {"Copy"});
    Add("&View", {"Zoom"})->Enabled = false;
    Add("&Help", {"About"});
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    std::vector<TObject*> entered;
    int exits = 0;
    Frame->OnMainMenuEnter = [&](TObject* s) { entered.push_back(s); };
    Frame->OnMainMenuExit = [&](TObject*) { ++exits; };
    AltAlone();
    EXPECT_TRUE(Frame->MenuBarMode());
    EXPECT_TRUE(Bar->KeyboardMode());
    EXPECT_EQ(entered, (std::vector<TObject*>{Bar}));
    EXPECT_EQ(HotItem(), 0);
    // Each step from the state the last one left; the disabled item is passed over both ways.
    struct Step {
        int key;
        int hot, pressed;
        bool menu;
    } steps[] = {
        {VK_RIGHT, 1, -1, false},
        {VK_RIGHT, 3, -1, false},
        {VK_RIGHT, 0, -1, false},
        {VK_LEFT, 3, -1, false},
        {VK_LEFT, 1, -1, false},
        {VK_DOWN, 1, 1, true},
        // With the menu open the arrows go from menu to menu.
        {VK_RIGHT, 3, 3, true},
        {VK_RIGHT, 0, 0, true},
        {VK_LEFT, 3, 3, true},
        // Escape closes the menu and keeps its item highlighted; Enter opens it again.
        {VK_ESCAPE, 3, -1, false},
        {VK_RETURN, 3, 3, true},
        {VK_ESCAPE, 3, -1, false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "key " << s.key << " to " << s.hot);
        Key(s.key);
        EXPECT_EQ(HotItem(), s.hot);
        EXPECT_EQ(PressedItem(), s.pressed);
        EXPECT_EQ(Frame->SkinMenu()->MenuVisible(), s.menu);
        EXPECT_EQ(Frame->SkinMenuIsOpen(), s.menu);
        EXPECT_TRUE(Frame->MenuBarMode());
        if (s.menu) {
            EXPECT_EQ(OpenMenu().front(), Bar->Item(s.pressed)->MenuItem->Items(0)->Caption());
        }
    }
    EXPECT_EQ(exits, 0);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->MenuBarMode());
    EXPECT_FALSE(Bar->KeyboardMode());
    EXPECT_EQ(HotItem(), -1);
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(Application->HasMessageHook(Frame));
    // Alt again enters, Alt once more leaves.
    AltAlone();
    EXPECT_TRUE(Frame->MenuBarMode());
    AltAlone();
    EXPECT_FALSE(Frame->MenuBarMode());
    EXPECT_EQ(HotItem(), -1);
}

TEST_F(MenuBarTest, DownOpensTheHighlightedItemsOwnMenu) {
    TForm* f = NewBarForm(false);
    Add("&File", {"Open", "Save"});
    Add("&Edit", {"Copy", "Paste", "Cut"});
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    AltAlone();
    Key(VK_RIGHT);
    Key(VK_DOWN);
    EXPECT_EQ(OpenMenu(), (std::vector<String>{"Copy", "Paste", "Cut"}));
    // The menu opens below the item.
    const TPoint below =
        Bar->ClientToScreen({Bar->Item(1)->ObjectBounds.Left, Bar->Item(1)->ObjectBounds.Bottom});
    EXPECT_EQ(Frame->SkinMenu()->Level(0)->ShowPos(), below);
    // Down inside the menu walks its items; Enter runs the chosen one and ends the menu mode.
    int pasted = 0;
    Menu->Items()->Items(1)->Items(1)->OnClick = [&](TObject*) { ++pasted; };
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(pasted, 1);
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    EXPECT_FALSE(Frame->MenuBarMode());
    EXPECT_EQ(HotItem(), -1);
}

// Alt alone while a menu is open only ends the frame's bookkeeping of that menu: the menu stays
// and the bar takes the keyboard; Alt again leaves the bar's mode and closes the menu.
TEST_F(MenuBarTest, AltAloneKeepsAnOpenMenuForTheBar) {
    TForm* f = NewBarForm(false);
    Add("&File", {"Open", "Save"});
    Add("&Edit", {"Copy"});
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    Frame->PopupSystemMenu(f->Left() + 200, f->Top() + 100);
    Pump();
    ASSERT_TRUE(Frame->SkinMenu()->MenuVisible());
    ASSERT_TRUE(Frame->SkinMenuIsOpen());
    SendMessage(f->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    Pump();
    EXPECT_TRUE(Frame->SkinMenu()->MenuVisible());
    EXPECT_FALSE(Frame->SkinMenuIsOpen());
    EXPECT_TRUE(Frame->MenuBarMode());
    SendMessage(f->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    Pump();
    EXPECT_FALSE(Frame->MenuBarMode());
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
}

TEST_F(MenuBarTest, TheWalkEndsWhenNoItemIsEnabled) {
    TForm* f = NewBarForm(false);
    Add("&File", {"Open"})->Enabled = false;
    Add("&Edit", {"Copy"})->Enabled = false;
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    // Nothing to highlight: Alt leaves the keys with the form.
    AltAlone();
    EXPECT_FALSE(Frame->MenuBarMode());
    // Asked directly, the walk goes round once and stops.
    Bar->SelectNextItem();
    Bar->SelectPreviousItem();
    EXPECT_EQ(HotItem(), -1);
    EXPECT_FALSE(Bar->OpenHotItem());
    // An empty bar as well.
    Menu->Items()->Clear();
    Bar->SetMainMenu(Menu);
    Bar->SelectNextItem();
    Bar->EnterMenuMode();
    EXPECT_FALSE(Frame->MenuBarMode());
}

TEST_F(MenuBarTest, AcceleratorsOpenMenusAndRunCommands) {
    TForm* f = NewBarForm(false);
    Add("&File", {"Open"});
    TMenuItem* save = Add("&Save");
    Add("Fo&ur", {"Four"});
    Add("&Disabled", {"x"})->Enabled = false;
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    int saves = 0, opens = 0;
    save->OnClick = [&](TObject*) { ++saves; };
    // The bar's menu is no menu of the form: its shortcuts reach it through the frame.
    TMenuItem* open = Menu->Items()->Items(0)->Items(0);
    open->ShortCut = TextToShortCut("Ctrl+O");
    open->OnClick = [&](TObject*) { ++opens; };
    hb->KeyDown(VK_CONTROL);
    hb->KeyPress('O');
    hb->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(opens, 1);
    EXPECT_FALSE(Frame->MenuBarMode());
    // Alt+F opens File's menu at once.
    AltKey('F');
    EXPECT_EQ(PressedItem(), 0);
    EXPECT_EQ(OpenMenu(), (std::vector<String>{"Open"}));
    EXPECT_TRUE(Frame->MenuBarMode());
    // In menu mode the letter alone moves to another menu.
    Key('U');
    EXPECT_EQ(PressedItem(), 2);
    EXPECT_EQ(OpenMenu(), (std::vector<String>{"Four"}));
    // A command item runs and the mode ends.
    Key('S');
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(Frame->MenuBarMode());
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    EXPECT_EQ(HotItem(), -1);
    AltKey('S');
    EXPECT_EQ(saves, 2);
    // A disabled item's accelerator does nothing; so do keys that are no letter or digit.
    EXPECT_FALSE(Bar->AcceleratorKey('D'));
    EXPECT_FALSE(Bar->AcceleratorKey(VK_UP)); // '&'
    EXPECT_FALSE(Bar->AcceleratorKey(VK_F4)); // 's'
    EXPECT_FALSE(Frame->MenuBarMode());
    // Hidden forms take no accelerators.
    f->Hide();
    EXPECT_FALSE(Bar->AcceleratorKey('F'));
}

TEST_F(MenuBarTest, AltF4IsNeverAnAccelerator) {
    TForm* f = NewBarForm(false);
    Add("&s", {"x"}); // VK_F4 is the character code of 's'
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    bool closed = false;
    f->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    AltKey(VK_F4);
    EXPECT_EQ(PressedItem(), -1);
    EXPECT_FALSE(Frame->MenuBarMode());
    EXPECT_TRUE(closed);
}

TEST_F(MenuBarTest, MouseOpensMenusAndSlidesFromMenuToMenu) {
    TForm* f = NewBarForm(false);
    Add("&File", {"Open"});
    Add("&Edit", {"Copy", "Paste"});
    TMenuItem* run = Add("&Run");
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    int runs = 0;
    run->OnClick = [&](TObject*) { ++runs; };
    // Hover: the plain hot look.
    hb->MouseMove(ItemCenter(0));
    Pump();
    EXPECT_EQ(HotItem(), 0);
    EXPECT_EQ(BarPixel(Bar->Item(0)->ObjectBounds.Left + 2, 4), ColorToRGB(clskHotFill));
    EXPECT_EQ(BarPixel(Bar->Item(0)->ObjectBounds.Left, 4), ColorToRGB(clskNavy));
    // Moving off the bar takes the look away (no keyboard mode).
    hb->MouseMove(Bar->ClientToScreen({Bar->Width() / 2, 100}));
    Pump();
    hb->Advance(60);
    Pump();
    EXPECT_EQ(HotItem(), -1);
    // A click opens the menu and the item stays down.
    hb->Click(RawButton::Left, ItemCenter(0));
    Pump();
    EXPECT_EQ(PressedItem(), 0);
    EXPECT_EQ(OpenMenu(), (std::vector<String>{"Open"}));
    EXPECT_TRUE(Frame->MenuBarMode());
    EXPECT_EQ(BarPixel(Bar->Item(0)->ObjectBounds.Left + 2, 4), ColorToRGB(clskPressedFill));
    // Moving to the next item switches menus without a click.
    hb->MouseMove(ItemCenter(1));
    Pump();
    EXPECT_EQ(PressedItem(), 1);
    EXPECT_EQ(OpenMenu(), (std::vector<String>{"Copy", "Paste"}));
    // The mouse leaving the bar keeps the open menu's item down.
    hb->MouseMove(Bar->ClientToScreen({Bar->Width() - 5, 100}));
    Pump();
    hb->Advance(60);
    Pump();
    EXPECT_EQ(PressedItem(), 1);
    // Onto the command item: the menu closes, the item is only hot.
    hb->MouseMove(ItemCenter(2));
    Pump();
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    EXPECT_EQ(PressedItem(), -1);
    EXPECT_EQ(HotItem(), 2);
    EXPECT_TRUE(Frame->MenuBarMode());
    // A click on a command item runs it and leaves the menu mode.
    hb->Click(RawButton::Left, ItemCenter(2));
    Pump();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(Frame->MenuBarMode());
    // A click on the item whose menu is open closes it.
    hb->Click(RawButton::Left, ItemCenter(1));
    Pump();
    ASSERT_TRUE(Frame->SkinMenu()->MenuVisible());
    hb->Click(RawButton::Left, ItemCenter(1));
    Pump();
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    EXPECT_FALSE(Frame->MenuBarMode());
    EXPECT_EQ(PressedItem(), -1);
    // A click into the form's client area closes an open menu and ends the mode.
    hb->Click(RawButton::Left, ItemCenter(0));
    Pump();
    ASSERT_TRUE(Frame->SkinMenu()->MenuVisible());
    hb->Click(RawButton::Left, Bar->ClientToScreen({100, 100}));
    Pump();
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    EXPECT_FALSE(Frame->MenuBarMode());
    EXPECT_EQ(HotItem(), -1);
}

TEST_F(MenuBarTest, KeyboardModeKeepsTheItemWhenTheMouseLeaves) {
    TForm* f = NewBarForm(false);
    Add("&File", {"Open"});
    Add("&Edit", {"Copy"});
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    hb->MouseMove(ItemCenter(1));
    Pump();
    AltAlone();
    EXPECT_EQ(HotItem(), 1);
    hb->MouseMove(Bar->ClientToScreen({Bar->Width() - 5, 100}));
    Pump();
    hb->Advance(60);
    Pump();
    EXPECT_EQ(HotItem(), 1);
    EXPECT_TRUE(Bar->KeyboardMode());
}

TEST_F(MenuBarTest, SkinnedItemsShowTheirHotAndDownPictures) {
    TForm* f = NewBarForm(true);
    Add("&File", {"Open"});
    Add("&Edit", {"Copy"});
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    const TRect r = Bar->Item(1)->ObjectBounds;
    EXPECT_EQ(BarPixel(r.Left + 1, r.Top + 1), kItemNormal);
    hb->MouseMove(ItemCenter(1));
    Pump();
    EXPECT_EQ(BarPixel(r.Left + 1, r.Top + 1), kItemHot);
    hb->Click(RawButton::Left, ItemCenter(1));
    Pump();
    EXPECT_EQ(BarPixel(r.Left + 1, r.Top + 1), kItemDown);
    Key(VK_ESCAPE);
    EXPECT_EQ(BarPixel(r.Left + 1, r.Top + 1), kItemHot);
    Key(VK_ESCAPE);
    EXPECT_EQ(BarPixel(r.Left + 1, r.Top + 1), kItemNormal);
}

TEST_F(MenuBarTest, MergedMenusSortByGroupStably) {
    TForm* f = NewBarForm(false);
    auto* child = new TMainMenu(f);
    struct Case {
        std::vector<std::pair<const char*, int>> own, child;
        std::vector<String> merged;
    } cases[] = {
        // The child's group replaces the form's group of the same index.
        {{{"File", 0}, {"Edit", 1}, {"Window", 5}},
         {{"Doc", 1}, {"Format", 2}},
         {"File", "Doc", "Format", "Window"}},
        // Equal groups keep their order: the form's first, then the child's, each as given.
        {{{"A", 0}, {"B", 3}, {"C", 3}}, {{"X", 2}, {"Y", 2}, {"Z", 4}}, {"A", "X", "Y", "B", "C", "Z"}},
        {{{"A", 7}, {"B", 7}}, {{"X", 0}}, {"X", "A", "B"}},
        // A child menu that takes every group leaves only its own items.
        {{{"A", 1}}, {{"X", 1}, {"Y", 1}}, {"X", "Y"}},
    };
    for (const Case& c : cases) {
        Menu->Items()->Clear();
        child->Items()->Clear();
        for (auto [caption, group] : c.own)
            Add(caption)->GroupIndex = group;
        for (auto [caption, group] : c.child)
            Add(caption, {}, nullptr, child)->GroupIndex = group;
        Bar->SetMainMenu(Menu);
        Bar->SetChildMenuAssigned(child);
        EXPECT_TRUE(Bar->MergedWithChild());
        EXPECT_EQ(Bar->BarChildMenu(), child);
        EXPECT_EQ(Captions(), c.merged);
        Bar->SetChildMenuAssigned(nullptr);
    }
    ShowForm(f);
    // The child's items run through the child's menu.
    int ran = 0;
    Menu->Items()->Clear();
    child->Items()->Clear();
    Add("Own");
    TMenuItem* theirs = Add("Theirs", {}, nullptr, child);
    theirs->GroupIndex = 1;
    theirs->OnClick = [&](TObject*) { ++ran; };
    Bar->SetChildMenuAssigned(child);
    hb->Click(RawButton::Left, ItemCenter(1));
    Pump();
    EXPECT_EQ(ran, 1);
    // Freeing the child menu takes its items off the bar.
    child->Free();
    EXPECT_FALSE(Bar->MergedWithChild());
    EXPECT_EQ(Captions(), (std::vector<String>{"Own"}));
}

TEST_F(MenuBarTest, AFreedMenuItemLeavesTheBarWithoutHarm) {
    TForm* f = NewBarForm(false);
    Add("&File", {"Open"});
    TMenuItem* edit = Add("&Edit", {"Copy"});
    Add("&Help", {"About"});
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    hb->MouseMove(ItemCenter(1));
    Pump();
    edit->Free();
    hb->MouseMove(ItemCenter(0));
    Pump();
    EXPECT_EQ(Captions(), (std::vector<String>{"&File", "&Help"}));
    // The main menu going takes every item.
    Menu->Free();
    EXPECT_EQ(Bar->ItemCount(), 0);
    EXPECT_EQ(Bar->MainMenu(), nullptr);
    Pump();
}

TEST_F(MenuBarTest, BarFromAFormResource) {
    RegisterSkinFormClasses();
    RegisterMainMenuBarClass();
    auto* f = new TForm(Application);
    TFormReader::ReadRoot(R"(object Main: TForm
  Left = 50
  Top = 50
  Width = 400
  Height = 200
  object skSkinForm1: TskSkinForm
    MainMenuBar = Bar
  end
  object Menu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = 'Open'
      end
    end
  end
  object Bar: TskSkinMainMenuBar
    SkinForm = skSkinForm1
    MainMenu = Menu1
    PopupToUp = True
    DefaultHeight = 26
  end
end
)",
                          f);
    auto* bar = dynamic_cast<TskSkinMainMenuBar*>(f->FindComponent("Bar"));
    ASSERT_NE(bar, nullptr);
    TskSkinForm* frame = GetSkinForm(f);
    EXPECT_EQ(frame->MainMenuBar(), bar);
    EXPECT_EQ(bar->SkinForm(), frame);
    EXPECT_TRUE(bar->PopupToUp);
    EXPECT_EQ(bar->Height(), 26);
    EXPECT_EQ(bar->Align(), alTop);
    ASSERT_EQ(bar->ItemCount(), 1);
    EXPECT_EQ(bar->Item(0)->MenuItem->Caption(), "&File");
    // Written back by name.
    auto has = [](const TComponent* c, const char* name, const char* ident) {
        TPropList props;
        c->GetProperties(props);
        for (const auto& [n, v] : props)
            if (n == name) return v.AsIdent() == ident;
        return false;
    };
    EXPECT_TRUE(has(frame, "MainMenuBar", "Bar"));
    EXPECT_TRUE(has(bar, "SkinForm", "skSkinForm1"));
    EXPECT_TRUE(has(bar, "MainMenu", "Menu1"));
    // Freeing the bar leaves the frame without one.
    bar->Free();
    EXPECT_EQ(frame->MainMenuBar(), nullptr);
    EXPECT_EQ(frame->MenuBar(), nullptr);
}

TEST_F(MenuBarTest, ASkinLoadRebuildsTheBar) {
    TForm* f = NewBarForm(true);
    Add("&File", {"Open"});
    Add("&Edit", {"Copy"});
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    ASSERT_TRUE(Bar->Item(0)->HasSkinRecord);
    // The same skin again: new objects from the new records, the same items.
    Skin->LoadStoredSkin(Stored.get());
    Pump();
    EXPECT_EQ(Captions(), (std::vector<String>{"&File", "&Edit"}));
    EXPECT_TRUE(Bar->Item(0)->HasSkinRecord);
    EXPECT_EQ(Bar->Height(), 24);
    EXPECT_EQ(BarPixel(Bar->Item(1)->ObjectBounds.Left + 1, 3), kItemNormal);
    // A skin without a bar record: the plain look at the default height.
    auto plain = FrameStoredSkin();
    Skin->LoadStoredSkin(plain.get());
    Pump();
    EXPECT_FALSE(Bar->SkinRecordInUse());
    EXPECT_FALSE(Bar->Item(0)->HasSkinRecord);
    EXPECT_EQ(Bar->Height(), 22);
    EXPECT_EQ(BarPixel(Bar->Width() - 10, 10), ColorToRGB(clBtnFace));
    // The height setters apply only to the plain look.
    Bar->SetDefaultHeight(30);
    EXPECT_EQ(Bar->Height(), 30);
    EXPECT_EQ(Bar->Item(0)->ObjectBounds.Bottom, 28);
    Skin->LoadStoredSkin(Stored.get());
    Pump();
    EXPECT_EQ(Bar->Height(), 24);
    Bar->SetDefaultHeight(40);
    EXPECT_EQ(Bar->Height(), 24);
}

TEST_F(MenuBarTest, HotItemsMorphTowardTheirHotPicture) {
    TForm* f = NewBarForm(true, {100, 100, 500, 300}, WithItemKeys("morphing=1\r\n"));
    Add("&File", {"Open"});
    Add("&Edit", {"Copy"});
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    TskSkinMainMenuBarItem* item = Bar->Item(1);
    ASSERT_TRUE(item->CanMorph());
    std::vector<TItemEvent> events;
    Bar->OnItemMouseEnter = [&](TMenuItem* m) { events.push_back({"enter", m}); };
    Bar->OnItemMouseLeave = [&](TMenuItem* m) { events.push_back({"leave", m}); };
    Menu->Items()->Items(1)->Hint = "Edit the text";
    hb->MouseMove(ItemCenter(1));
    Pump();
    EXPECT_EQ(Bar->Hint(), "Edit the text");
    EXPECT_EQ(item->MorphFactor, 0);
    // Five steps of 25 ms take it all the way.
    for (int i = 1; i <= 5; ++i) {
        hb->Advance(25);
        Pump();
        EXPECT_NEAR(item->MorphFactor, 0.2 * i, 1e-9) << i;
    }
    EXPECT_EQ(BarPixel(item->ObjectBounds.Left + 1, 3), kItemHot);
    hb->MouseMove(ItemCenter(0));
    Pump();
    for (int i = 0; i < 6; ++i) {
        hb->Advance(25);
        Pump();
    }
    EXPECT_EQ(item->MorphFactor, 0);
    EXPECT_EQ(BarPixel(item->ObjectBounds.Left + 1, 3), kItemNormal);
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0].what, "enter");
    EXPECT_EQ(events[0].item, Menu->Items()->Items(1));
    EXPECT_EQ(events[1].what, "leave");
    EXPECT_EQ(events[2].item, Menu->Items()->Items(0));
    // Without skin effects there is no morph: the hot picture at once.
    Skin->EnableSkinEffects = false;
    hb->MouseMove(ItemCenter(1));
    Pump();
    EXPECT_EQ(BarPixel(Bar->Item(1)->ObjectBounds.Left + 1, 3), kItemHot);
}

TEST_F(MenuBarTest, AnimatedItemsRunTheirFramesForwardAndJumpBack) {
    TForm* f =
        NewBarForm(true, {100, 100, 500, 300},
                   WithItemKeys("animateskinrect=0,48,40,68\r\nframecount=2\r\nanimateinterval=40\r\n"));
    Add("&File", {"Open"});
    Bar->SetMainMenu(Menu);
    ShowForm(f);
    TskSkinMainMenuBarItem* item = Bar->Item(0);
    ASSERT_TRUE(item->CanAnimate());
    const int x = item->ObjectBounds.Left + 1;
    hb->MouseMove(ItemCenter(0));
    Pump();
    const TColor expected[] = {kFrame1, kFrame2, kItemHot};
    for (TColor c : expected) {
        hb->Advance(40);
        Pump();
        EXPECT_EQ(BarPixel(x, 3), c);
    }
    EXPECT_EQ(item->AnimationFrame, 3);
    // Leaving without "inactiveanimation" jumps back to the normal picture.
    hb->MouseMove(Bar->ClientToScreen({Bar->Width() - 5, 100}));
    Pump();
    hb->Advance(60);
    Pump();
    EXPECT_EQ(item->AnimationFrame, 0);
    EXPECT_EQ(BarPixel(x, 3), kItemNormal);
}

// Skins that give odd or broken values: the bar lays out, paints, tracks and opens menus
// without reading outside a picture or dividing by nothing.
TEST_F(MenuBarTest, OddSkinValuesNeverBreakTheBar) {
    struct Case {
        const char* what;
        const char* from;
        const char* to;
    } cases[] = {
        {"empty items rect", "itemsrect=2,2,58,22", "itemsrect=0,0,0,0"},
        {"empty bar rect", "[mainmenubar]\r\npictureindex=1\r\nskinrect=0,0,60,24",
         "[mainmenubar]\r\npictureindex=1\r\nskinrect=0,0,0,0"},
        {"bar picture missing", "[mainmenubar]\r\npictureindex=1", "[mainmenubar]\r\npictureindex=9"},
        {"bar rect past the picture", "[mainmenubar]\r\npictureindex=1\r\nskinrect=0,0,60,24",
         "[mainmenubar]\r\npictureindex=1\r\nskinrect=50,40,400,300"},
        {"item picture missing", "[baritem]\r\nactivepictureindex=1", "[baritem]\r\nactivepictureindex=-1"},
        {"item rect past the picture", "skinrect=0,24,20,44\r\nactiveskinrect",
         "skinrect=70,60,300,200\r\nactiveskinrect"},
        {"text rect wider than the item", "textrect=4,2,16,18", "textrect=-50,2,900,18"},
        {"empty text rect", "textrect=4,2,16,18", "textrect=0,0,0,0"},
        {"huge offsets", "itemleftoffset=2\r\nitemrightoffset=2",
         "itemleftoffset=500\r\nitemrightoffset=-40"},
        {"many frames in a small strip", "[baritem]\r\n",
         "[baritem]\r\nanimateskinrect=0,48,3,68\r\nframecount=1000\r\nanimateinterval=0\r\n"},
        {"negative frame count", "[baritem]\r\n",
         "[baritem]\r\nanimateskinrect=0,48,40,68\r\nframecount=-5\r\nmorphing=1\r\nmorphkind=99\r\n"},
        {"button rect past the picture", "[barclose]\r\nactivepictureindex=0\r\nskinrect=0,0,16,16",
         "[barclose]\r\nactivepictureindex=0\r\nskinrect=60,60,200,90"},
        {"no item record", "menubaritem=baritem", "menubaritem=nothing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string ini = MenuBarSkinIni();
        const size_t at = ini.find(c.from);
        ASSERT_NE(at, std::string::npos);
        ini.replace(at, std::strlen(c.from), c.to);
        TForm* f = NewBarForm(true, {100, 100, 420, 300}, ini);
        for (const char* caption : {"&File", "&Edit", "&View", "&Streams", "&Tools", "&Window", "&Help"})
            Add(caption, {"One", "Two"});
        Bar->SetMainMenu(Menu);
        ShowForm(f);
        Bar->ShowChildButtons();
        Pump();
        for (int i = 0; i < Bar->ItemCount(); ++i) {
            if (!Bar->Item(i)->ShownOnBar) continue;
            hb->MouseMove(ItemCenter(i));
            hb->Advance(30);
            Pump();
        }
        hb->Click(RawButton::Left, ItemCenter(0));
        Pump();
        Key(VK_RIGHT);
        Key(VK_ESCAPE);
        Key(VK_ESCAPE);
        if (Bar->Overflow() && Bar->MarkInUse()) {
            const TRect m = Bar->MarkRect();
            hb->Click(RawButton::Left, Bar->ClientToScreen({m.Left + 1, (m.Top + m.Bottom) / 2}));
            Pump();
            Key(VK_ESCAPE);
        }
        f->SetClientWidth(150);
        Pump();
        f->Free();
        Pump();
    }
}

class ChildButtonsTest : public MenuBarTest, public testing::WithParamInterface<bool> {
protected:
    // A multiple-document main form with the bar and one maximized child without a minimize icon.
    void SetUpForms() {
        Main = NewBarForm(GetParam(), {50, 50, 650, 450});
        Main->SetFormStyle(fsMDIForm);
        Application->SetMainForm(Main);
        Add("&File", {"Open"});
        Add("&Edit", {"Copy"});
        Bar->SetMainMenu(Menu);
        ShowForm(Main);
        Child = new TForm(Application);
        Child->SetFormStyle(fsMDIChild);
        Child->SetCaption("Doc");
        Child->SetBounds(10, 10, 200, 150);
        ChildFrame = new TskSkinForm(Child);
        ChildFrame->SetBorderIcons(skbiSystemMenu | skbiMaximize);
        Child->OnClose = [this](TObject*, TCloseAction& a) {
            ++Closes;
            a = caFree;
        };
        Child->Show();
        Pump();
        ChildFrame->SetWindowState(skwsMaximized);
        Pump();
        ASSERT_EQ(GetMaximizedChildSkinForm(), ChildFrame);
        Bar->ShowChildButtons();
        Pump();
    }
    TskSkinMainMenuBarButton* Button(int i) { return static_cast<TskSkinMainMenuBarButton*>(Bar->Object(i)); }

    TForm* Main = nullptr;
    TForm* Child = nullptr;
    TskSkinForm* ChildFrame = nullptr;
    int Closes = 0;
};

TEST_P(ChildButtonsTest, ButtonsSitAtTheEndsInTheirOrder) {
    SetUpForms();
    ASSERT_EQ(Bar->ChildButtonCount(), 4);
    EXPECT_TRUE(Bar->ChildButtonsVisible());
    // The list: system menu, close, maximize, minimize; commands by place even where the skin
    // has no record for a button.
    const int commands[] = {3, 0, 1, 2};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Button(i)->command, commands[i]) << i;
    EXPECT_EQ(Button(0)->HasSkinRecord, GetParam());
    EXPECT_FALSE(Button(3)->HasSkinRecord);
    // Minimize is disabled: the child has no minimize icon.
    EXPECT_FALSE(Button(3)->Enabled);
    EXPECT_TRUE(Button(0)->Enabled && Button(1)->Enabled && Button(2)->Enabled);
    // System menu at the left end; close outermost at the right, then maximize, then minimize.
    const int outer = Bar->Width() - 2;
    EXPECT_EQ(Button(0)->ObjectBounds.Left, 2);
    EXPECT_EQ(Button(1)->ObjectBounds.Right, outer);
    EXPECT_EQ(Button(2)->ObjectBounds.Right, Button(1)->ObjectBounds.Left - 2);
    EXPECT_EQ(Button(3)->ObjectBounds.Right, Button(2)->ObjectBounds.Left - 2);
    EXPECT_EQ(Bar->Item(0)->ObjectBounds.Left, Button(0)->ObjectBounds.Right + 2);
    EXPECT_EQ(Bar->ItemArea().Right, Button(3)->ObjectBounds.Left - 2);
    // Skinned buttons keep their record's size, centred; plain ones are squares of the item height.
    const int side = GetParam() ? 16 : Bar->ItemArea().Height();
    EXPECT_EQ(Button(1)->ObjectBounds.Width(), side);
    EXPECT_EQ(Button(1)->ObjectBounds.Height(), side);
    EXPECT_EQ(Button(3)->ObjectBounds.Width(), Bar->ItemArea().Height());
    if (GetParam()) {
        EXPECT_EQ(BarPixel(Button(1)->ObjectBounds.Left + 3, Button(1)->ObjectBounds.Top + 3), kBtnNormal);
    }
    // Showing them again changes nothing; the items were built again with the buttons in front.
    Bar->ShowChildButtons();
    Bar->UpdateItems();
    EXPECT_EQ(Bar->ChildButtonCount(), 4);
    EXPECT_EQ(Bar->ItemCount(), 2);
    EXPECT_EQ(Button(0)->command, 3);
}

TEST_P(ChildButtonsTest, RestoreAndCloseActOnTheChild) {
    SetUpForms();
    hb->Click(RawButton::Left, ObjectCenter(Button(2)));
    Pump();
    EXPECT_EQ(ChildFrame->WindowState(), skwsNormal);
    // The frame tells the bar when no child is maximized any more.
    Bar->HideChildButtons();
    EXPECT_EQ(Bar->ChildButtonCount(), 0);
    EXPECT_EQ(Bar->Item(0)->ObjectBounds.Left, 2);
    ChildFrame->SetWindowState(skwsMaximized);
    Bar->ShowChildButtons();
    Pump();
    // The disabled minimize button does nothing.
    hb->Click(RawButton::Left, ObjectCenter(Button(3)));
    Pump();
    EXPECT_EQ(ChildFrame->WindowState(), skwsMaximized);
    // Pressing close and letting go outside it does nothing; a full click closes the child.
    hb->MouseMove(ObjectCenter(Button(1)));
    hb->ButtonDown(RawButton::Left, ObjectCenter(Button(1)));
    Pump();
    EXPECT_TRUE(Button(1)->Pressed);
    hb->MouseMove(Bar->ClientToScreen({100, 100}));
    hb->ButtonUp(RawButton::Left, Bar->ClientToScreen({100, 100}));
    Pump();
    EXPECT_FALSE(Button(1)->Pressed);
    EXPECT_EQ(Closes, 0);
    hb->Click(RawButton::Left, ObjectCenter(Button(1)));
    Pump();
    EXPECT_EQ(Closes, 1);
    // With the child gone the buttons go.
    Bar->HideChildButtons();
    EXPECT_EQ(Bar->ChildButtonCount(), 0);
    EXPECT_EQ(GetMaximizedChildSkinForm(), nullptr);
}

TEST_P(ChildButtonsTest, SystemMenuButtonOpensTheChildsMenuAndADoubleClickClosesIt) {
    SetUpForms();
    hb->Click(RawButton::Left, ObjectCenter(Button(0)));
    Pump();
    EXPECT_TRUE(Button(0)->Pressed);
    const std::vector<String> menu = OpenMenu();
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu.back(), "&Close");
    EXPECT_TRUE(Frame->SkinMenuIsOpen());
    // Closing the menu lets the button up.
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    EXPECT_FALSE(Button(0)->Pressed);
    EXPECT_FALSE(Frame->SkinMenuIsOpen());
    // A double click closes the menu and the child (the first click above is long past, so it
    // does not pair with the first of these: the child would close at once and the second click
    // land on the item that takes the buttons' place).
    hb->Advance(1000);
    hb->Click(RawButton::Left, ObjectCenter(Button(0)));
    hb->Click(RawButton::Left, ObjectCenter(Button(0)));
    Pump();
    EXPECT_EQ(Closes, 1);
    EXPECT_FALSE(Frame->SkinMenu()->MenuVisible());
    EXPECT_FALSE(Frame->SkinMenuIsOpen());
}

TEST_P(ChildButtonsTest, TheActiveChildsMenuIsMergedIntoTheBar) {
    SetUpForms();
    auto* childMenu = new TMainMenu(Child);
    Add("&Doc", {"Print"}, nullptr, childMenu)->GroupIndex = 1;
    Menu->Items()->Items(1)->GroupIndex = 1;
    Bar->UpdateItems();
    EXPECT_TRUE(Bar->MergedWithChild());
    EXPECT_FALSE(Bar->ScrollMenu);
    EXPECT_EQ(Captions(), (std::vector<String>{"&File", "&Doc"}));
    EXPECT_EQ(Bar->ChildButtonCount(), 4);
    // The child going takes its menu off the bar.
    Child->Free();
    Pump();
    EXPECT_EQ(Captions(), (std::vector<String>{"&File", "&Edit"}));
}

TEST_P(ChildButtonsTest, KeysInTheChildReachTheMainFormsBar) {
    SetUpForms();
    int opens = 0;
    TMenuItem* open = Menu->Items()->Items(0)->Items(0);
    open->ShortCut = TextToShortCut("Ctrl+O");
    open->OnClick = [&](TObject*) { ++opens; };
    SetFocus(Child->Handle());
    Pump();
    ASSERT_EQ(GetFocus(), Child->Handle());
    // Alt alone: the main form's bar takes the keys; the walk passes over the child's buttons.
    AltAlone();
    EXPECT_TRUE(Frame->MenuBarMode());
    EXPECT_EQ(HotItem(), 0);
    Key(VK_LEFT);
    EXPECT_EQ(HotItem(), 1);
    Key(VK_DOWN);
    EXPECT_EQ(OpenMenu(), (std::vector<String>{"Copy"}));
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->MenuBarMode());
    // Alt+letter and the bar menu's shortcuts from inside the child.
    SetFocus(Child->Handle());
    AltKey('F');
    EXPECT_EQ(PressedItem(), 0);
    EXPECT_EQ(OpenMenu(), (std::vector<String>{"Open"}));
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    SetFocus(Child->Handle());
    hb->KeyDown(VK_CONTROL);
    hb->KeyPress('O');
    hb->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(opens, 1);
}

INSTANTIATE_TEST_SUITE_P(PlainAndSkinned, ChildButtonsTest, testing::Bool());

} // namespace
} // namespace vd::test
