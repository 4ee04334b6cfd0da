#include "BoxesFixture.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinPlatform.h"

namespace vd::test {
namespace {

class Combos : public BoxTest {
public:
    TskSkinComboBox* Combo(int items, TskSkinData* skin = nullptr, TRect r = {10, 10, 130, 30}) {
        auto* c = Put<TskSkinComboBox>(r, skin);
        for (int i = 0; i < items; ++i)
            c->Items().Add("Item " + std::to_string(i));
        c->OnChange = [this](TObject*) { Log += "change "; };
        c->OnClick = [this](TObject*) { Log += "click "; };
        c->OnCloseUp = [this](TObject*) { Log += "closeup "; };
        Show();
        c->SetFocus();
        Pump();
        return c;
    }
    std::string Log;
};

TEST_F(Combos, PlainLayoutAndRowsOfTheList) {
    auto* c = Combo(3);
    EXPECT_EQ(c->ButtonRect(), (TRect{101, 2, 118, 18}));
    EXPECT_EQ(c->ItemRect(), (TRect{2, 2, 100, 18}));
    c->DropDown();
    Pump();
    EXPECT_TRUE(c->DroppedDown());
    EXPECT_EQ(c->ListBox()->RowCount(), 3);
    EXPECT_EQ(c->ListBox()->Height(), 3 * 20 + 4);
    EXPECT_EQ(c->ListBox()->Left(), c->ClientToScreen({0, 0}).X);
    EXPECT_EQ(c->ListBox()->Top(), c->ClientToScreen({0, 20}).Y);
    c->CloseUp(false);
    for (int i = 3; i < 20; ++i)
        c->Items().Add("More " + std::to_string(i));
    c->DropDown();
    EXPECT_EQ(c->ListBox()->RowCount(), 8);
    c->CloseUp(false);
    c->SetDropDownCount(0);
    EXPECT_EQ(c->DropDownCount(), 8) << "0 is ignored";
    auto* empty = Combo(0);
    int drops = 0;
    empty->OnDropDown = [&](TObject*) { ++drops; };
    empty->DropDown();
    EXPECT_FALSE(empty->DroppedDown());
    EXPECT_EQ(drops, 0);
}

TEST_F(Combos, TheListOpensAboveNearTheWorkAreaBottom) {
    TRect work;
    DesktopWorkArea(true, work);
    Form->SetBounds(100, work.Bottom - 60, 300, 50);
    auto* c = Combo(5);
    c->DropDown();
    Pump();
    const TPoint top = c->ClientToScreen({0, 0});
    EXPECT_EQ(c->ListBox()->Top(), top.Y - c->ListBox()->Height());
    EXPECT_EQ(c->ListBox()->Left(), top.X) << "never moved sideways";
}

TEST_F(Combos, PressDragReleaseSelectsReleaseOutsideRestores) {
    auto* c = Combo(5);
    c->SetItemIndex(1);
    Log.clear();
    Press(c, 110, 10);
    ASSERT_TRUE(c->DroppedDown());
    Release(c, 110, 10);
    EXPECT_TRUE(c->DroppedDown()) << "a click on the button leaves the list open";
    Click(c, 110, 10);
    EXPECT_FALSE(c->DroppedDown());
    Press(c, 110, 10);
    hb->MouseMove(At(c->ListBox()->ListBox(), 20, 65));
    Pump();
    EXPECT_EQ(c->ItemIndex(), 3);
    hb->ButtonUp(RawButton::Left, At(c->ListBox()->ListBox(), 20, 65));
    Pump();
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(c->Text(), "Item 3");
    EXPECT_EQ(Log, "change click closeup ");
    Log.clear();
    Press(c, 110, 10);
    hb->MouseMove(At(c->ListBox()->ListBox(), 20, 5));
    Pump();
    EXPECT_EQ(c->ItemIndex(), 0);
    hb->MouseMove(At(c, -50, 10));
    hb->ButtonUp(RawButton::Left, At(c, -50, 10));
    Pump();
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 3) << "a release outside restores the remembered index";
    EXPECT_EQ(Log, "");
}

TEST_F(Combos, KeysOnTheOpenListAndEscapeRestores) {
    auto* c = Combo(30);
    c->SetItemIndex(20);
    c->DropDown();
    Log.clear();
    Key(VK_PRIOR);
    EXPECT_EQ(c->ItemIndex(), 11) << "PgUp moves DropDownCount + 1";
    Key(VK_DOWN);
    EXPECT_EQ(c->ItemIndex(), 12);
    EXPECT_EQ(Log, "") << "the open list moves without events";
    Key(VK_ESCAPE);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 20);
    c->SetItemIndex(0);
    Log.clear();
    Key(VK_NEXT);
    EXPECT_EQ(c->ItemIndex(), 7) << "PgDn moves DropDownCount - 1";
    EXPECT_EQ(Log, "change click ");
    hb->KeyDown(VK_MENU);
    hb->KeyPress(VK_DOWN);
    hb->KeyUp(VK_MENU);
    Pump();
    EXPECT_TRUE(c->DroppedDown()) << "Alt+Down opens";
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(c->ItemIndex(), 8);
    EXPECT_EQ(c->Text(), "Item 8");
}

TEST_F(Combos, TypeAheadWithTheClock) {
    hb->SetAutoAdvance(false);
    auto* c = Put<TskSkinComboBox>({10, 10, 130, 30});
    for (const char* s : {"apple", "banana", "berry", "blue", "boat"})
        c->Items().Add(s);
    Show();
    c->SetFocus();
    Pump();
    Type("b");
    EXPECT_EQ(c->ItemIndex(), 1);
    hb->Advance(600);
    Type("b");
    EXPECT_EQ(c->ItemIndex(), 2) << "the same letter steps from the current item";
    hb->Advance(600);
    Type("b");
    hb->Advance(100);
    Type("o");
    EXPECT_EQ(c->ItemIndex(), 4) << "a prefix searches the whole list";
    c->AutoComplete = false;
    c->SetItemIndex(0);
    Type("b");
    Type("b");
    EXPECT_EQ(c->ItemIndex(), 2) << "without auto-complete every key searches for itself";
}

TEST_F(Combos, CancelModeClosesUnlessTheSenderIsTheCombosOwn) {
    auto* c = Combo(20);
    c->DropDown();
    ASSERT_NE(c->ListBox()->VScrollBar(), nullptr);
    c->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(c->ListBox()));
    c->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(c->ListBox()->VScrollBar()));
    c->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(c->ListBox()->ListBox()));
    EXPECT_TRUE(c->DroppedDown());
    c->Perform(CM_CANCELMODE, 0, 0);
    EXPECT_FALSE(c->DroppedDown());
}

TEST_F(Combos, APressOnAFrameClosesTheOpenList) {
    auto* framed = new TForm(Application);
    framed->SetBounds(50, 50, 300, 200);
    auto* c = new TskSkinComboBox(framed);
    c->SetParent(framed);
    c->SetBounds(10, 10, 120, 20);
    c->Items().Add("a");
    c->Items().Add("b");
    framed->Show();
    c->SetFocus();
    Pump();
    c->DropDown();
    ASSERT_TRUE(c->DroppedDown());
    const TRect wr = GetWindowRect(framed->Handle());
    hb->Click(RawButton::Left, {wr.Left + 60, wr.Top + 5});
    Pump();
    EXPECT_FALSE(c->DroppedDown()) << "the caption press cancels the focused combo's mode";
}

TEST_F(Combos, ItemIndexMinusOneKeepsTheTextAndStillFires) {
    auto* c = Combo(3);
    c->SetItemIndex(2);
    Log.clear();
    c->SetItemIndex(-1);
    EXPECT_EQ(c->Text(), "Item 2");
    EXPECT_EQ(Log, "click ");
    EXPECT_EQ(c->ItemIndex(), -1);
}

TEST_F(Combos, TheProgramsSelectionFiresNoChangeTheUsersDoes) {
    for (const auto style : {skcbFixedStyle, skcbEditStyle}) {
        SCOPED_TRACE(style == skcbFixedStyle ? "fixed" : "edit");
        auto* c = Combo(3);
        c->SetStyle(style);
        Log.clear();
        c->SetItemIndex(1);
        EXPECT_EQ(c->Text(), "Item 1");
        EXPECT_EQ(Log, "click ") << "a window filling its combo must not run its change handler";
        c->SetFocus();
        Log.clear();
        Key(VK_DOWN);
        EXPECT_EQ(c->ItemIndex(), 2);
        EXPECT_EQ(Log, "change click ") << "a key press is the user's change";
    }
}

TEST_F(Combos, OpeningAtTheFirstItemShowsItSelected) {
    auto* c = Combo(5);
    c->SetItemIndex(0);
    c->DropDown();
    EXPECT_EQ(c->ListBox()->TopIndex(), 0);
    EXPECT_EQ(c->ListBox()->ItemIndex(), 0);
}

TEST_F(Combos, TheFadeInEndsAtTheAlphaValue) {
    hb->SetAutoAdvance(false);
    auto* c = Combo(3);
    c->AlphaBlend = true;
    c->AlphaBlendAnimation = true;
    c->AlphaBlendValue = 200;
    c->DropDown();
    Byte alpha = 255;
    ASSERT_TRUE(GetLayeredAlpha(c->ListBox()->Handle(), alpha));
    EXPECT_LT(alpha, 200);
    Advance(300);
    ASSERT_TRUE(GetLayeredAlpha(c->ListBox()->Handle(), alpha));
    EXPECT_EQ(alpha, 200);
    c->CloseUp(false);
    c->AlphaBlendAnimation = false;
    c->AlphaBlendValue = 0;
    c->DropDown();
    ASSERT_TRUE(GetLayeredAlpha(c->ListBox()->Handle(), alpha));
    EXPECT_EQ(alpha, 0) << "value 0 opens a fully transparent list";
}

TEST_F(Combos, PlainAndSkinnedPixels) {
    auto* c = Combo(3);
    c->SetItemIndex(1);
    ::vd::SetFocus(Form->Handle());
    Pump();
    EXPECT_EQ(Probe(c, 0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(Probe(c, 102, 3), Rgb(clBtnFace)) << "the plain button";
    EXPECT_EQ(Probe(c, 90, 10), Rgb(clWindow)) << "the item on the default colour";
    c->SetFocus();
    EXPECT_EQ(Probe(c, 90, 10), Rgb(clHighlight)) << "focused: the highlight";
    auto* s = Combo(3, Skin, {10, 60, 170, 80});
    EXPECT_EQ(s->ButtonRect(), (TRect{152, 4, 156, 16})) << "the button moves with the width";
    EXPECT_EQ(s->ItemRect(), (TRect{4, 4, 156, 16}));
    EXPECT_EQ(Probe(s, 1, 1), kRed);
}

TEST_F(Combos, TheEditStyleTypesCompletesAndStepsThroughTheList) {
    hb->SetAutoAdvance(false);
    auto* c = Combo(0);
    for (const char* s : {"alpha", "beta", "bravo", "charlie"})
        c->Items().Add(s);
    c->SetStyle(skcbEditStyle);
    ASSERT_NE(c->Edit(), nullptr);
    c->SetStyle(skcbEditStyle);
    EXPECT_EQ(c->ComponentCount(), 2) << "one inner edit however often the style is set";
    EXPECT_FALSE(c->TabStop()) << "the edit takes the combo's tab stop";
    EXPECT_TRUE(c->Edit()->TabStop());
    c->Edit()->SetFocus();
    Pump();
    hb->Advance(300);
    Key('B', U'b');
    hb->Advance(300);
    Key('R', U'r');
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->Text(), "bravo") << "the typed prefix is completed";
    EXPECT_EQ(c->Edit()->Text(), "bravo");
    EXPECT_EQ(c->Edit()->SelStart(), 2) << "and the completed tail selected";
    EXPECT_EQ(c->Edit()->SelLength(), 3);
    Key(VK_DOWN);
    EXPECT_EQ(c->Text(), c->Items().Strings(c->ItemIndex())) << "Down selects the next item into the edit";
    const int before = c->ItemIndex();
    Key(VK_UP);
    EXPECT_EQ(c->ItemIndex(), before - 1);
    c->DropDown();
    ASSERT_TRUE(c->DroppedDown());
    Key(VK_ESCAPE);
    EXPECT_FALSE(c->DroppedDown()) << "Esc in the edit closes the list";
    c->SetStyle(skcbFixedStyle);
    EXPECT_EQ(c->Edit(), nullptr);
}

// With a double-byte character set every key-up but Delete and Backspace completes the text;
// otherwise only character keys do.
TEST_F(Combos, KeyUpCompletesByTheCharacterSet) {
    hb->SetAutoAdvance(false);
    auto* c = Combo(0);
    for (const char* s : {"alpha", "beta", "brave", "bravo"})
        c->Items().Add(s);
    c->SetStyle(skcbEditStyle);
    ASSERT_NE(c->Edit(), nullptr);
    struct Case {
        Byte Charset;
        WPARAM Key;
        const char* Want;
    };
    const Case cases[] = {{0, VK_SPACE, "br"},  {0, 'R', "brave"},      {128, VK_SPACE, "brave"},
                          {134, VK_BACK, "br"}, {136, VK_DELETE, "br"}, {136, 229, "brave"}};
    for (const Case& k : cases) {
        c->DefaultFont().SetCharset(k.Charset);
        c->SetItemIndex(-1);
        c->Edit()->SetText("br");
        c->Edit()->SetSelStart(2);
        hb->Advance(300);
        SendMessage(c->Edit()->Handle(), WM_KEYUP, k.Key, 0);
        EXPECT_EQ(c->Edit()->Text(), k.Want) << int(k.Charset) << " key " << k.Key;
    }
    // A completed tail is dropped before completing again, so the search is for what was typed.
    c->DefaultFont().SetCharset(128);
    c->SetItemIndex(-1);
    c->Edit()->SetText("bravo");
    c->Edit()->SetSelStart(3);
    c->Edit()->SetSelLength(2);
    hb->Advance(300);
    SendMessage(c->Edit()->Handle(), WM_KEYUP, 229, 0);
    EXPECT_EQ(c->Edit()->Text(), "brave") << "completed from bra, not from bravo";
}

TEST_F(Combos, SkinnedHotAndButtonPieces) {
    auto* s = Combo(3, Skin, {10, 60, 170, 80});
    ::vd::SetFocus(Form->Handle());
    Pump();
    EXPECT_EQ(Probe(s, 60, 1), kEdge[0]) << "the normal face";
    MoveTo(s, 153, 10);
    EXPECT_EQ(Probe(s, 60, 1), kEdge[1]) << "the mouse over it: the active face";
    EXPECT_EQ(Probe(s, 153, 10), kClient[1]) << "the hot button piece";
    Press(s, 153, 10);
    EXPECT_EQ(Probe(s, 153, 10), kClient[2]) << "pressed";
    Release(s, 153, 10);
    s->CloseUp(false);
}

TEST_F(Combos, FreedWhileItsListIsOpenAndItsEditFocused) {
    auto* c = Combo(5);
    c->SetStyle(skcbEditStyle);
    c->Edit()->SetFocus();
    c->DropDown();
    Pump();
    ASSERT_TRUE(c->DroppedDown());
    HWND list = c->ListBox()->Handle();
    c->Free();
    Pump();
    EXPECT_FALSE(IsWindow(list)) << "the pop-up list goes with its combo";
}

} // namespace
} // namespace vd::test
