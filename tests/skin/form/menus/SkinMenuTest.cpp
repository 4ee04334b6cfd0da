#include "MenuFixture.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Timer.h"

namespace vd::test {
namespace {

int TextWidth(const String& text, const TFont& font) {
    TBitmap b(1, 1);
    b.Canvas().Font().Assign(font);
    TRect r{0, 0, 0, 0};
    b.Canvas().DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
    return r.Width();
}

TEST_F(MenuTest, PlainLevelIsSizedFromItsItems) {
    Add("Open");
    Add("-");
    Add("A longer caption");
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {200, 200, 200, 200}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    ASSERT_NE(level, nullptr);
    EXPECT_FALSE(level->Skinned());
    EXPECT_EQ(level->Height(), 20 + 4 + 20 + 4);
    const int a = TextWidth("A longer caption", Menu->DefaultItemFont()) + 2;
    EXPECT_EQ(level->Width(), 19 + a + 19 + 10);
    EXPECT_EQ(level->ShowPos(), (TPoint{200, 200}));
    EXPECT_TRUE(IsWindowVisible(level->Handle()));
    EXPECT_EQ(level->Item(1)->ItemRect, (TRect{2, 22, level->Width() - 2, 26}));
}

TEST_F(MenuTest, SkinnedLevelTakesItsSizesFromTheRecords) {
    LoadSkin();
    Add("Open");
    Add("-");
    Add("Exit");
    ASSERT_TRUE(Menu->Popup(nullptr, Skin, 0, {200, 200, 200, 200}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    ASSERT_TRUE(level->Skinned());
    // Items 20 (skinrect) and 8 (dividerrect) high, plus the picture's 10 pixels of frame.
    EXPECT_EQ(level->Height(), 20 + 8 + 20 + 10);
    const int a =
        std::max(TextWidth("Open", Menu->DefaultItemFont()), TextWidth("Exit", Menu->DefaultItemFont())) + 2;
    const int item = 19 + a + 19 + 4 + (20 - 16);
    EXPECT_EQ(level->Width(), item + (40 - 30));
    EXPECT_EQ(level->FittedItemsRect(), (TRect{5, 5, level->Width() - 5, level->Height() - 5}));
}

TEST_F(MenuTest, PopupWithoutChildrenShowsNothing) {
    EXPECT_FALSE(Menu->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    Add("One");
    EXPECT_FALSE(Menu->Popup(nullptr, nullptr, 1, {10, 10, 10, 10}, Popup->Items(), false))
        << "start past the end";
    Popup->Items()->Items(0)->Visible = false;
    EXPECT_FALSE(Menu->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false))
        << "nothing visible";
    EXPECT_FALSE(Menu->MenuVisible());
    EXPECT_EQ(Menu->LevelCount(), 0);
}

TEST_F(MenuTest, LineReductionHidesRedundantSeparatorsWithoutTouchingTheMenu) {
    Add("-");
    Add("One");
    Add("-");
    Add("-");
    Add("Two");
    Add("-");
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    ASSERT_EQ(Level(0)->ItemCount(), 3);
    EXPECT_EQ(Level(0)->Item(1)->MenuItem, Popup->Items()->Items(2));
    for (int i = 0; i < Popup->Items()->Count(); ++i)
        EXPECT_TRUE(Popup->Items()->Items(i)->Visible);
}

TEST_F(MenuTest, MaxItemsInWindowLimitsTheLevelAndScrolls) {
    for (int i = 0; i < 5; ++i)
        Add("Item " + IntToStr(i));
    Menu->MaxItemsInWindow = 3;
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    EXPECT_EQ(level->Height(), 3 * 20 + 4 + 20);
    EXPECT_TRUE(level->Scrolling());
    EXPECT_TRUE(level->LimitedByCount());
    EXPECT_EQ(level->ShownCount(), 3);
    EXPECT_EQ(level->Item(0)->ItemRect.Top, 2 + 10) << "below the up band";
    EXPECT_FALSE(level->Item(3)->Shown);
}

TEST_F(MenuTest, MenuTallerThanTheWorkAreaTakesItsHeightAtItsTop) {
    for (int i = 0; i < 60; ++i)
        Add("Item " + IntToStr(i));
    const TRect anchor{300, 400, 340, 420};
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, anchor, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    EXPECT_EQ(level->Height(), 740);
    EXPECT_TRUE(level->Scrolling());
    EXPECT_FALSE(level->LimitedByCount());
    EXPECT_EQ(level->ShowPos(), (TPoint{anchor.Right + 1, 0})) << "beside the anchor";
    EXPECT_LT(level->ShownCount(), 60);
}

TEST(MenuPlacement, FollowsTheRulesAgainstTheWorkArea) {
    const TRect wa{0, 0, 1000, 700};
    struct Case {
        const char* what;
        TRect anchor;
        bool sub, above, full;
        TPoint want;
    } cases[] = {
        {"below", {100, 100, 150, 120}, false, false, false, {100, 120}},
        {"below, no room, upper half: pinned to the bottom, beside",
         {100, 300, 150, 520},
         false,
         false,
         false,
         {151, 500}},
        {"below, no room, lower half: above", {100, 600, 150, 620}, false, false, false, {100, 400}},
        {"above with room", {100, 600, 150, 620}, false, true, false, {100, 400}},
        {"above without room, upper half: below", {100, 50, 150, 70}, false, true, false, {100, 70}},
        {"past the right edge: moved left", {950, 100, 990, 120}, false, false, false, {900, 120}},
        {"left of the work area", {-50, 100, 0, 120}, false, false, false, {0, 120}},
        {"sub-level lines its first item up", {100, 100, 300, 120}, true, false, false, {301, 95}},
        {"sub-level past the right edge opens left", {800, 100, 950, 120}, true, false, false, {699, 95}},
        {"sub-level past the bottom, lower half", {100, 600, 300, 620}, true, false, false, {301, 425}},
        {"full height", {100, 300, 150, 320}, false, false, true, {151, 0}},
    };
    for (const Case& c : cases) {
        TskMenuPlacement p;
        p.Anchor = c.anchor;
        p.WorkArea = wa;
        p.Width = 100;
        p.Height = 200;
        p.ItemsTop = 5;
        p.SubLevel = c.sub;
        p.Above = c.above;
        p.FullHeight = c.full;
        EXPECT_EQ(CalcMenuShowPosition(p), c.want) << c.what;
    }
}

TEST_F(MenuTest, SubLevelPastTheRightEdgeOpensLeftOfItsItem) {
    TMenuItem* parent = Add("More");
    Add(parent, "Deeper");
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {1000, 100, 1000, 100}, Popup->Items(), false));
    TskSkinPopupWindow* top = Level(0);
    top->ProcessKey(VK_RIGHT);
    ASSERT_EQ(Menu->LevelCount(), 2);
    TskSkinPopupWindow* sub = Level(1);
    const int itemLeft = top->ShowPos().X + top->Item(0)->ItemRect.Left;
    EXPECT_EQ(sub->ShowPos().X, itemLeft - sub->Width() - 1);
    EXPECT_TRUE(top->Item(0)->Down);
}

TEST_F(MenuTest, KeysWalkTheEnabledItemsAndWrap) {
    Add("Zero")->Enabled = false;
    Add("One");
    Add("-");
    Add("Three");
    Add("Four")->Enabled = false;
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    EXPECT_EQ(level->HotIndex(), 1) << "the first enabled item is highlighted when the level opens";
    EXPECT_TRUE(level->Item(1)->Hot);
    const std::pair<int, int> steps[] = {{VK_DOWN, 3}, {VK_DOWN, 1}, {VK_UP, 3}, {VK_UP, 1}, {VK_UP, 3}};
    for (auto [key, want] : steps) {
        Menu->ProcessKey(key);
        EXPECT_EQ(level->HotIndex(), want);
        for (int i = 0; i < level->ItemCount(); ++i)
            EXPECT_EQ(level->Item(i)->Hot, i == want) << i;
    }
}

TEST_F(MenuTest, KeysOnALevelWithoutAnySelectableItemChangeNothing) {
    Add("One")->Enabled = false;
    Add("-");
    Add("Two")->Enabled = false;
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    EXPECT_EQ(level->HotIndex(), -1);
    int clicks = 0;
    Popup->Items()->Items(0)->OnClick = [&](TObject*) { ++clicks; };
    for (int key : {VK_DOWN, VK_UP, VK_RETURN, VK_RIGHT, VK_LEFT}) {
        Menu->ProcessKey(key);
        EXPECT_EQ(level->HotIndex(), -1) << key;
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(Menu->MenuVisible()) << "Left on the only level does nothing";
}

TEST_F(MenuTest, UpOnTheFirstItemOfAScrollingLevelShowsTheLastPageInFull) {
    for (int i = 0; i < 8; ++i)
        Add("Item " + IntToStr(i));
    Menu->MaxItemsInWindow = 3;
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    ASSERT_EQ(level->HotIndex(), 0);
    Menu->ProcessKey(VK_UP);
    EXPECT_EQ(level->HotIndex(), 7);
    EXPECT_EQ(level->FirstShown(), 5);
    EXPECT_EQ(level->ShownCount(), 3);
    EXPECT_TRUE(level->Item(7)->Shown);
    Menu->ProcessKey(VK_DOWN);
    EXPECT_EQ(level->HotIndex(), 0);
    EXPECT_EQ(level->FirstShown(), 0);
}

TEST_F(MenuTest, EscapeClosesTheTopLevelThenTheMenuOnce) {
    Log log;
    auto* opener = new Opener(Form, &log);
    opener->SetParent(Form);
    TMenuItem* parent = Add("More");
    Add(parent, "Deeper");
    ASSERT_TRUE(Menu->Popup(opener, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    int closes = 0;
    Menu->OnMenuClose = [&](TObject* s) {
        EXPECT_EQ(s, Menu);
        ++closes;
    };
    Menu->ProcessKey(VK_RETURN);
    ASSERT_EQ(Menu->LevelCount(), 2);
    Menu->ProcessKey(VK_ESCAPE);
    EXPECT_EQ(Menu->LevelCount(), 1);
    EXPECT_FALSE(Level(0)->Item(0)->Down);
    EXPECT_EQ(closes, 0);
    Menu->ProcessKey(VK_ESCAPE);
    EXPECT_EQ(Menu->LevelCount(), 0);
    EXPECT_FALSE(Menu->MenuVisible());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(log, (Log{"opener 1228"}));
    Menu->ProcessKey(VK_ESCAPE);
    EXPECT_EQ(closes, 1) << "a closed menu takes no keys";
}

TEST_F(MenuTest, AcceleratorChoosesItsItem) {
    int saved = 0;
    Add("&Open");
    Add("&Save")->OnClick = [&](TObject*) { ++saved; };
    Add("&Disabled")->Enabled = false;
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    Menu->ProcessKey('D');
    EXPECT_TRUE(Menu->MenuVisible()) << "a disabled item becomes hot but is not chosen";
    EXPECT_EQ(Level(0)->HotIndex(), 2);
    Menu->ProcessKey('S');
    EXPECT_EQ(saved, 1);
    EXPECT_FALSE(Menu->MenuVisible());
}

TEST_F(MenuTest, ChoosingALeafClosesEveryLevelBeforeTheCommand) {
    Log log;
    auto* opener = new Opener(Form, &log);
    opener->SetParent(Form);
    Form->WindowProc = [&, old = Form->WindowProc](TMessage& m) {
        if (m.Msg == WM_SKINMENUCLOSED) log.push_back("form 1228");
        old(m);
    };
    TMenuItem* parent = Add("More");
    TMenuItem* leaf = Add(parent, "Leaf");
    leaf->OnClick = [&](TObject*) {
        log.push_back("click, levels " + IntToStr(Menu->LevelCount()) +
                      (Menu->MenuVisible() ? " open" : " closed"));
    };
    ASSERT_TRUE(Menu->Popup(opener, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    Menu->OnMenuClose = [&](TObject*) { log.push_back("OnMenuClose"); };
    Menu->ProcessKey(VK_RIGHT);
    ASSERT_EQ(Menu->LevelCount(), 2);
    HWND sub = Level(1)->Handle(), top = Level(0)->Handle();
    Menu->ProcessKey(VK_RETURN);
    EXPECT_EQ(log, (Log{"opener 1228", "OnMenuClose", "form 1228", "click, levels 0 closed", "opener 1229"}));
    EXPECT_FALSE(IsWindowVisible(sub));
    EXPECT_FALSE(IsWindowVisible(top));
    EXPECT_EQ(Menu->CommandControl(), nullptr);
    Pump();
    EXPECT_FALSE(IsWindow(sub)) << "closed levels are freed once the message unwinds";
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(MenuTest, AHandlerThatFreesTheMenuOnCloseStopsTheCommand) {
    int clicks = 0;
    Add("Leaf")->OnClick = [&](TObject*) { ++clicks; };
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    Menu->OnMenuClose = [&](TObject*) {
        Popup->Free();
        Popup = nullptr;
    };
    Menu->ProcessKey(VK_RETURN);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(Menu->MenuVisible());
}

TEST_F(MenuTest, FreeingAShownMenuItemClosesTheMenu) {
    Add("One");
    TMenuItem* two = Add("Two");
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {10, 10, 10, 10}, Popup->Items(), false));
    HWND level = Level(0)->Handle();
    two->Free();
    EXPECT_FALSE(Menu->MenuVisible());
    Pump();
    EXPECT_FALSE(IsWindow(level));
}

TEST_F(MenuTest, HoverOpensASubLevelOnlyAfterHalfASecond) {
    TMenuItem* parent = Add("More");
    Add(parent, "Deeper");
    Add("Plain");
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {100, 100, 100, 100}, Popup->Items(), false));
    TskSkinPopupWindow* top = Level(0);
    // The first item was highlighted by the keyboard: the pointer resting on it starts the timer.
    Hover(ItemCentre(top, 0));
    EXPECT_EQ(Menu->PendingItem(), top->Item(0));
    hb->Advance(300);
    Pump();
    EXPECT_EQ(Menu->LevelCount(), 1);
    Hover(ItemCentre(top, 1));
    EXPECT_EQ(Menu->PendingItem(), nullptr) << "leaving the item stops its timer";
    hb->Advance(600);
    Pump();
    EXPECT_EQ(Menu->LevelCount(), 1);

    Hover(ItemCentre(top, 0));
    hb->Advance(450);
    Pump();
    EXPECT_EQ(Menu->LevelCount(), 1);
    hb->Advance(100);
    Pump();
    ASSERT_EQ(Menu->LevelCount(), 2);
    EXPECT_TRUE(top->Item(0)->Down);
    Hover(ItemCentre(top, 1));
    EXPECT_EQ(Menu->LevelCount(), 1) << "hovering a leaf closes the levels above";
}

TEST_F(MenuTest, ClickOpensASubLevelAtOnceAndChoosesALeaf) {
    TMenuItem* parent = Add("More");
    int clicks = 0;
    Add(parent, "Deeper")->OnClick = [&](TObject*) { ++clicks; };
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {100, 100, 100, 100}, Popup->Items(), false));
    TskSkinPopupWindow* top = Level(0);
    hb->Click(RawButton::Left, ItemCentre(top, 0));
    Pump();
    ASSERT_EQ(Menu->LevelCount(), 2);
    TskSkinPopupWindow* sub = Level(1);
    hb->Click(RawButton::Left, ItemCentre(sub, 0));
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(Menu->MenuVisible());
}

TEST_F(MenuTest, ALevelNeverTakesTheFocus) {
    HWND active = GetActiveWindow();
    Add("One");
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {100, 100, 100, 100}, Popup->Items(), false));
    hb->Click(RawButton::Left, ItemCentre(Level(0), 0));
    EXPECT_EQ(GetActiveWindow(), active);
}

TEST_F(MenuTest, PlainLevelPaintsFramesColumnsAndTheHotItem) {
    Add("One");
    Add("Two");
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {100, 100, 100, 100}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    const int w = level->Width();
    EXPECT_EQ(Probe(level, 0, 0), ColorToRGB(clBtnShadow)) << "outer frame";
    EXPECT_EQ(Probe(level, 1, 30), ColorToRGB(clWindow)) << "inner frame";
    // Item 1 (not hot): glyph column then window colour; item 0 (hot): navy frame, blue fill.
    const TRect r1 = level->Item(1)->ItemRect;
    EXPECT_EQ(Probe(level, r1.Left + 5, r1.Bottom - 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(Probe(level, w - 4, r1.Bottom - 2), ColorToRGB(clWindow));
    const TRect r0 = level->Item(0)->ItemRect;
    EXPECT_EQ(Probe(level, r0.Left, r0.Top), TColor(0x800000));
    EXPECT_EQ(Probe(level, w - 4, r0.Bottom - 2), TColor(0xD2BDB6));
}

TEST_F(MenuTest, SkinnedLevelPaintsFromThePopupPictureAndTheItemFaces) {
    LoadSkin();
    Add("One");
    Add("-");
    Add("Two");
    ASSERT_TRUE(Menu->Popup(nullptr, Skin, 0, {100, 100, 100, 100}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    const int w = level->Width(), h = level->Height();
    EXPECT_EQ(Probe(level, 1, 1), kPopCorner);
    EXPECT_EQ(Probe(level, w - 1, h - 1), kPopCorner);
    EXPECT_EQ(Probe(level, w / 2, 2), kPopEdge);
    // Item 0 is hot (face B), item 2 normal (face A); the divider is the progress strip.
    const TRect r0 = level->Item(0)->ItemRect, r2 = level->Item(2)->ItemRect, r1 = level->Item(1)->ItemRect;
    EXPECT_EQ(Probe(level, r0.Right - 2, r0.Top + 10), kEdge[1]);
    EXPECT_EQ(Probe(level, r2.Right - 2, r2.Top + 10), kEdge[0]);
    EXPECT_EQ(Probe(level, r1.Left + 1, r1.Top + 1), kProgBegin);
    EXPECT_EQ(Probe(level, r1.Right - 1, r1.Top + 1), kProgEnd);
    Menu->ProcessKey(VK_DOWN);
    EXPECT_EQ(Probe(level, r0.Right - 2, r0.Top + 10), kEdge[0]);
    EXPECT_EQ(Probe(level, r2.Right - 2, r2.Top + 10), kEdge[1]);
}

TEST_F(MenuTest, SkinWithoutAMenuItemRecordGivesThePlainLook) {
    LoadSkin(false);
    Add("One");
    ASSERT_TRUE(Menu->Popup(nullptr, Skin, 0, {100, 100, 100, 100}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    EXPECT_FALSE(level->Skinned());
    EXPECT_EQ(level->Height(), 20 + 4);
    EXPECT_EQ(Probe(level, 0, 0), ColorToRGB(clBtnShadow));
}

TEST_F(MenuTest, DestroyingTheEngineWithAnOpenMenuTellsTheOpener) {
    Log log;
    auto* opener = new Opener(Form, &log);
    opener->SetParent(Form);
    Add("One");
    ASSERT_TRUE(Menu->Popup(opener, nullptr, 0, {100, 100, 100, 100}, Popup->Items(), false));
    HWND level = Level(0)->Handle();
    Menu->Free();
    Menu = nullptr;
    EXPECT_EQ(log, (Log{"opener 1228"}));
    Pump();
    EXPECT_FALSE(IsWindow(level));
}

TEST_F(MenuTest, FirstLevelFadesInFromATimerSubLevelsDoNot) {
    hb->SetLayeredAvailable(true);
    Menu->AlphaBlend = true;
    Menu->AlphaBlendAnimation = true;
    Menu->AlphaBlendValue = 95;
    TMenuItem* parent = Add("More");
    Add(parent, "Deeper");
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {100, 100, 100, 100}, Popup->Items(), false));
    Byte alpha = 255;
    ASSERT_TRUE(GetLayeredAlpha(Level(0)->Handle(), alpha));
    EXPECT_EQ(alpha, 0);
    for (int step = 1; step <= 9; ++step) {
        hb->Advance(6);
        Pump();
        ASSERT_TRUE(GetLayeredAlpha(Level(0)->Handle(), alpha));
        EXPECT_EQ(alpha, std::min(10 * step, 95)) << step;
    }
    hb->Advance(6);
    Pump();
    GetLayeredAlpha(Level(0)->Handle(), alpha);
    EXPECT_EQ(alpha, 95);
    Menu->ProcessKey(VK_RIGHT);
    ASSERT_EQ(Menu->LevelCount(), 2);
    GetLayeredAlpha(Level(1)->Handle(), alpha);
    EXPECT_EQ(alpha, 95) << "only the first level fades";
}

TEST_F(MenuTest, RestingOnAMarkerBandScrollsUntilTheEnd) {
    for (int i = 0; i < 6; ++i)
        Add("Item " + IntToStr(i));
    Menu->MaxItemsInWindow = 3;
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {100, 100, 100, 100}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    const TRect items = level->FittedItemsRect();
    Hover(ScreenOf(level, items.Left + 20, items.Bottom - 3));
    EXPECT_EQ(level->ScrollDirection(), 2);
    EXPECT_EQ(level->FirstShown(), 0);
    for (int want : {1, 2, 3, 3}) {
        hb->Advance(100);
        Pump();
        EXPECT_EQ(level->FirstShown(), want);
    }
    EXPECT_EQ(level->ScrollDirection(), 0) << "the end stops the scroll";
    EXPECT_EQ(Probe(level, level->Width() / 2, level->Height() - 6), ColorToRGB(clBtnShadow))
        << "the down marker is drawn inactive again";
    Hover(ScreenOf(level, items.Left + 20, items.Top + 3));
    EXPECT_EQ(level->ScrollDirection(), 1);
    hb->Advance(100);
    Pump();
    EXPECT_EQ(level->FirstShown(), 2);
    Hover(ItemCentre(level, 3));
    EXPECT_EQ(level->ScrollDirection(), 0) << "leaving the band stops";
    hb->Advance(300);
    Pump();
    EXPECT_EQ(level->FirstShown(), 2);
}

TEST_F(MenuTest, PlainItemsDrawMarksArrowsAndTheNamedGlyphs) {
    Add("Zero");
    Add("Checked")->Checked = true;
    TMenuItem* parent = Add("Parent");
    Add(parent, "Child");
    Add("Disabled")->Enabled = false;
    Add("Maximize")->SetName("SKF_MAXITEM");
    ASSERT_TRUE(Menu->Popup(nullptr, nullptr, 0, {100, 100, 100, 100}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    auto count = [&](int item, TRect area, TColor colour) {
        const TRect r = level->Item(item)->ItemRect;
        Pump();
        int n = 0;
        for (int y = r.Top + area.Top; y < r.Top + area.Bottom; ++y)
            for (int x = r.Left + area.Left; x < r.Left + area.Right; ++x)
                n += TColor(GetWindowPixel(level->Handle(), x, y)) == colour;
        return n;
    };
    const TColor text = ColorToRGB(clWindowText);
    EXPECT_GT(count(1, {3, 2, 14, 18}, text), 10) << "check mark in the glyph column";
    EXPECT_EQ(count(0, {3, 2, 14, 18}, text), 0) << "no mark on an unchecked item";
    const int w = level->Item(2)->ItemRect.Width();
    EXPECT_EQ(count(2, {w - 2 - 7, 5, w - 2 - 3, 14}, text), 8 + 6 + 4 + 2) << "the sub-menu arrow";
    EXPECT_GT(count(3, {20, 2, w - 20, 18}, ColorToRGB(clBtnShadow)), 3) << "disabled text";
    EXPECT_EQ(count(3, {20, 2, w - 20, 18}, text), 0);
    EXPECT_GT(count(4, {3, 2, 14, 18}, text), 10) << "the maximize glyph, though not checked";
}

TEST_F(MenuTest, SkinnedItemMorphsInFiveStepsEachWay) {
    LoadSkin(true, "", "morphing=1\r\n");
    Add("One");
    Add("Two");
    ASSERT_TRUE(Menu->Popup(nullptr, Skin, 0, {100, 100, 100, 100}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    TskSkinMenuItem* one = level->Item(0);
    TskSkinMenuItem* two = level->Item(1);
    EXPECT_EQ(one->MorphFactor, 0.0);
    for (int step = 1; step <= 5; ++step) {
        hb->Advance(20);
        Pump();
        EXPECT_NEAR(one->MorphFactor, 0.2 * step, 1e-9) << step;
    }
    EXPECT_EQ(Probe(level, one->ItemRect.Right - 2, one->ItemRect.Top + 10), kEdge[1]);
    Menu->ProcessKey(VK_DOWN);
    hb->Advance(20);
    Pump();
    EXPECT_NEAR(one->MorphFactor, 0.8, 1e-9);
    EXPECT_NEAR(two->MorphFactor, 0.2, 1e-9);
    const TColor midway = Probe(level, one->ItemRect.Right - 2, one->ItemRect.Top + 10);
    EXPECT_NE(midway, kEdge[0]);
    EXPECT_NE(midway, kEdge[1]);
    for (int i = 0; i < 6; ++i) {
        hb->Advance(20);
        Pump();
    }
    EXPECT_EQ(one->MorphFactor, 0.0);
    EXPECT_EQ(two->MorphFactor, 1.0);
    EXPECT_FALSE(level->EffectTimer()->Enabled()) << "the timer stops when nothing moves";
}

TEST_F(MenuTest, AnimatedItemRunsItsFramesForwardAndBack) {
    // Three 20-pixel frames side by side: faces A, B, C.
    LoadSkin(true, "",
             "animateskinrect=0,0,60,20\r\nframecount=3\r\nanimateinterval=30\r\ninactiveanimation=1\r\n");
    Add("One");
    Add("Two");
    ASSERT_TRUE(Menu->Popup(nullptr, Skin, 0, {100, 100, 100, 100}, Popup->Items(), false));
    TskSkinPopupWindow* level = Level(0);
    TskSkinMenuItem* one = level->Item(0);
    EXPECT_EQ(level->EffectTimer()->Interval(), 30u);
    std::vector<int> frames;
    for (int i = 0; i < 5; ++i) {
        hb->Advance(30);
        Pump();
        frames.push_back(one->AnimFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 4}));
    Menu->ProcessKey(VK_DOWN);
    EXPECT_EQ(one->AnimFrame, 4) << "leaving restarts from the last frame";
    frames.clear();
    for (int i = 0; i < 5; ++i) {
        hb->Advance(30);
        Pump();
        frames.push_back(one->AnimFrame);
    }
    EXPECT_EQ(frames, (std::vector<int>{3, 2, 1, 0, 0}));
    EXPECT_EQ(Probe(level, one->ItemRect.Right - 2, one->ItemRect.Top + 10), kEdge[0]);
}

TEST_F(MenuTest, MergedLevelListsBothMenusFromTheStartIndex) {
    Add("A0");
    Add("A1");
    Add("A2");
    auto* second = new TPopupMenu(Form);
    for (const char* c : {"B0", "B1"}) {
        auto* item = new TMenuItem(second);
        item->SetCaption(c);
        second->Items()->Add(item);
    }
    auto captions = [&] {
        std::vector<String> out;
        for (int i = 0; i < Level(0)->ItemCount(); ++i)
            out.push_back(Level(0)->Item(i)->MenuItem->Caption());
        return out;
    };
    ASSERT_TRUE(
        Menu->PopupMerged(nullptr, nullptr, 1, {10, 10, 10, 10}, Popup->Items(), second->Items(), false));
    EXPECT_EQ(captions(), (std::vector<String>{"A1", "A2", "B0", "B1"}));
    EXPECT_EQ(Level(0)->Height(), 4 * 20 + 6) << "a merged plain level has two more pixels";
    ASSERT_TRUE(
        Menu->PopupMerged(nullptr, nullptr, 4, {10, 10, 10, 10}, Popup->Items(), second->Items(), false));
    EXPECT_EQ(captions(), (std::vector<String>{"B1"}));
    EXPECT_FALSE(
        Menu->PopupMerged(nullptr, nullptr, 5, {10, 10, 10, 10}, Popup->Items(), second->Items(), false));
    EXPECT_FALSE(Menu->MenuVisible());
}

// Skins with rectangles that do not fit their pictures: the menu opens, paints and closes
// without reading outside a picture.
TEST_F(MenuTest, LyingSkinRectanglesNeitherCrashNorHang) {
    const char* popups[] = {
        "[POPUPWINDOW]\r\nwindowpictureindex=1\r\nitemsrect=0,0,500,500\r\nmaskpictureindex=1\r\n",
        ("[POPUPWINDOW]\r\nwindowpictureindex=1\r\nitemsrect=30,30,10,10\r\nlefttoppoint=90,90\r\n"
         "rightbottompoint=-5,-5\r\n"),
        "[POPUPWINDOW]\r\nwindowpictureindex=9\r\n",
    };
    const char* items[] = {
        "skinrect=0,0,0,0\r\ndividerrect=50,50,10,10\r\n",
        ("skinrect=-10,-10,100,100\r\nactiveskinrect=60,60,200,90\r\ntextrect=50,50,-3,-3\r\n"
         "itemleftoffset=900\r\nitemrightoffset=-4\r\nimagerect=5,5,1,1\r\n"),
        "animateskinrect=0,0,60,2000\r\nframecount=7\r\nanimateinterval=0\r\nmorphing=1\r\n",
        "activepictureindex=5\r\n",
    };
    Add("One");
    Add("-");
    TMenuItem* parent = Add("Two");
    Add(parent, "Three")->Checked = true;
    for (const char* popup : popups)
        for (const char* keys : items) {
            SCOPED_TRACE(std::string(popup) + keys);
            Skin = new TskSkinData(Form);
            Stored = MenuStoredSkin(true, popup, keys);
            Skin->LoadStoredSkin(Stored.get());
            ASSERT_FALSE(Skin->Empty());
            Menu->Popup(nullptr, Skin, 0, {100, 100, 100, 100}, Popup->Items(), false);
            Pump();
            for (int key : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT}) {
                Menu->ProcessKey(key);
                hb->Advance(30);
                Pump();
            }
            Menu->CloseMenu();
            Pump();
            Skin->Free();
            Skin = nullptr;
        }
}

} // namespace
} // namespace vd::test
