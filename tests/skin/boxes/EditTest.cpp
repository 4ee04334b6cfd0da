#include "BoxesFixture.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinToolBar.h"

namespace vd::test {
namespace {

class Edits : public BoxTest {
public:
    TskSkinEdit* Edit(TskSkinData* skin = nullptr, TRect r = {10, 10, 130, 30}) {
        auto* e = Put<TskSkinEdit>(r, skin);
        e->OnChange = [this](TObject*) { ++Changes; };
        Show();
        e->SetFocus();
        Pump();
        return e;
    }
    void Chord(int modifier, int vk, char32_t ch = 0) {
        hb->KeyDown(modifier);
        hb->KeyPress(vk, ch);
        hb->KeyUp(modifier);
        Pump();
    }
    // The form's dialog keys, as its default and cancel buttons would see them.
    void WatchDialogKeys() {
        auto old = Form->WindowProc;
        Form->WindowProc = [this, old](TMessage& m) {
            if (m.Msg == CM_DIALOGKEY) DialogKeys.push_back(static_cast<int>(m.WParam));
            old(m);
        };
    }
    int Changes = 0;
    std::vector<int> DialogKeys;
};

TEST_F(Edits, KeySequencesEditTheText) {
    struct Case {
        const char* What;
        std::function<void(Edits*)> Keys;
        const char* Text;
        int SelStart, SelLength;
    };
    const Case cases[] = {
        {"typing", [](Edits* t) { t->Type("abc"); }, "abc", 3, 0},
        {"backspace at the end",
         [](Edits* t) {
             t->Type("abc");
             t->Key(VK_BACK, 8);
         },
         "ab", 2, 0},
        {"delete at the end does nothing",
         [](Edits* t) {
             t->Type("ab");
             t->Key(VK_DELETE);
         },
         "ab", 2, 0},
        {"home then delete",
         [](Edits* t) {
             t->Type("ab");
             t->Key(VK_HOME);
             t->Key(VK_DELETE);
         },
         "b", 0, 0},
        {"shift+home selects",
         [](Edits* t) {
             t->Type("abc");
             t->Chord(VK_SHIFT, VK_HOME);
         },
         "abc", 0, 3},
        {"ctrl+x then ctrl+v",
         [](Edits* t) {
             t->Type("abc");
             t->Chord(VK_SHIFT, VK_LEFT);
             t->Chord(VK_CONTROL, 'X', 24);
             t->Key(VK_HOME);
             t->Chord(VK_CONTROL, 'V', 22);
         },
         "cab", 1, 0},
        {"ctrl+z undoes the typing",
         [](Edits* t) {
             t->Type("ab");
             t->Chord(VK_CONTROL, 'Z', 26);
         },
         "", 0, 0},
        {"ctrl+enter inserts no line break",
         [](Edits* t) {
             t->Type("a");
             t->Chord(VK_CONTROL, VK_RETURN, 10);
         },
         "a", 1, 0},
        {"a paste stops at the line break",
         [](Edits* t) {
             ClipboardSetText("x\ty\r\nz");
             t->Chord(VK_SHIFT, VK_INSERT);
         },
         "xy", 2, 0},
    };
    for (const Case& c : cases) {
        auto* e = Edit();
        e->SetAutoSelect(false);
        c.Keys(this);
        EXPECT_EQ(e->Text(), c.Text) << c.What;
        EXPECT_EQ(e->SelStart(), c.SelStart) << c.What;
        EXPECT_EQ(e->SelLength(), c.SelLength) << c.What;
        e->Free();
    }
}

TEST_F(Edits, EnterAndEscapeGoToTheFormAfterOnKeyPress) {
    auto* e = Edit();
    WatchDialogKeys();
    std::vector<int> pressed;
    e->OnKeyPress = [&](TObject*, TKeyChar& k) {
        pressed.push_back(static_cast<int>(k));
        k = 0;
    };
    e->SetText("ab");
    Changes = 0;
    Key(VK_RETURN, 13);
    Key(VK_ESCAPE, 27);
    EXPECT_EQ(e->Text(), "ab");
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(pressed, (std::vector<int>{13, 27}));
    EXPECT_EQ(DialogKeys, (std::vector<int>{13, 27})) << "a handler clearing the key changes nothing";
}

TEST_F(Edits, ReadOnlyRefusesEveryMutationButCaretAndCopyWork) {
    auto* e = Edit();
    e->SetText("abc");
    e->SetReadOnly(true);
    Changes = 0;
    ClipboardSetText("zz");
    Key(VK_END);
    Type("x");
    Key(VK_BACK, 8);
    Key(VK_HOME);
    Key(VK_DELETE);
    Chord(VK_SHIFT, VK_INSERT);
    Chord(VK_CONTROL, 'V', 22);
    Chord(VK_SHIFT, VK_END);
    Chord(VK_CONTROL, 'X', 24);
    SendMessage(e->Handle(), WM_PASTE, 0, 0);
    SendMessage(e->Handle(), WM_CLEAR, 0, 0);
    SendMessage(e->Handle(), WM_UNDO, 0, 0);
    EXPECT_EQ(e->Text(), "abc");
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(e->SelLength(), 3) << "the selection still moves";
    e->CopyToClipboard();
    EXPECT_EQ(ClipboardGetText(), "abc");
}

TEST_F(Edits, ContextMenuItemsFollowSelectionReadOnlyAndClipboard) {
    auto* e = Edit();
    auto enabled = [&] {
        e->CreateSkinContextMenu();
        std::vector<bool> out;
        TMenuItem* items = e->SkinContextMenu()->Items();
        for (int i = 0; i < items->Count(); ++i)
            out.push_back(items->Items(i)->Enabled);
        return out;
    };
    ClipboardSetText("");
    // Undo, -, Cut, Copy, Paste, Delete, -, Select All
    EXPECT_EQ(enabled(), (std::vector<bool>{false, true, false, false, false, false, true, false}))
        << "an empty edit has everything selected";
    e->SetText("abc");
    e->SetSelStart(1);
    e->SetSelLength(1);
    ClipboardSetText("q");
    EXPECT_EQ(enabled(), (std::vector<bool>{false, true, true, true, true, true, true, true}));
    e->SetReadOnly(true);
    EXPECT_EQ(enabled(), (std::vector<bool>{false, true, false, true, false, false, true, true}));
    e->SetReadOnly(false);
    e->SelectAll();
    EXPECT_EQ(enabled().back(), false) << "everything selected";
    EXPECT_EQ(e->SkinContextMenu()->Items()->Items(0)->Caption(), "Undo");
    EXPECT_EQ(e->SkinContextMenu()->Items()->Items(7)->Caption(), "Select All");
    e->SkinContextMenu()->Items()->Items(5)->Click();
    EXPECT_EQ(e->Text(), "") << "Delete clears the selection";
    TMenuItem* undo = nullptr;
    e->CreateSkinContextMenu();
    undo = e->SkinContextMenu()->Items()->Items(0);
    EXPECT_TRUE(undo->Enabled);
    undo->Click();
    EXPECT_EQ(e->Text(), "abc");
    SendMessage(e->Handle(), WM_SKINMENUCOMMAND, 0, 0);
    EXPECT_EQ(e->SkinContextMenu(), nullptr) << "a carried-out command frees the menu";
}

TEST_F(Edits, TheKeyboardMenuOpensAtTheCentre) {
    auto* e = Edit();
    TPoint at{-5, -5};
    SetEditMenuPopup([&](TPopupMenu*, TControl*, TPoint p) { at = p; });
    SendMessage(e->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e->Handle()), MakeLParam(-1, -1));
    SetEditMenuPopup(nullptr);
    const TPoint origin = e->ClientToScreen({0, 0});
    EXPECT_EQ(at, (TPoint{origin.X + e->Width() / 2, origin.Y + e->Height() / 2}));
}

TEST_F(Edits, FocusSelectsAllWhenAutoSelect) {
    auto* e = Edit();
    auto* other = Put<TskSkinEdit>({10, 40, 100, 60});
    e->SetText("hello");
    other->SetFocus();
    Pump();
    e->SetFocus();
    Pump();
    EXPECT_EQ(e->SelLength(), 5);
}

TEST_F(Edits, PlainFrameAndButton) {
    auto* e = Edit(nullptr, {10, 10, 130, 30});
    EXPECT_EQ(Probe(e, -2, -2), Rgb(clBtnShadow)) << "the outer frame";
    EXPECT_EQ(Probe(e, -1, -1), Rgb(clBtnFace)) << "the inner frame";
    int clicks = 0;
    e->OnButtonClick = [&](TObject*) { ++clicks; };
    e->SetButtonMode(true);
    Pump();
    e->CalcRects();
    EXPECT_EQ(e->ButtonArea(), (TRect{100, 0, 120, 20}));
    const TPoint button = e->ClientToScreen({100 - 2 + 5, 5 - 2});
    EXPECT_EQ(SendMessage(e->Handle(), WM_NCHITTEST, 0, MakeLParam(button.X, button.Y)), HTHSCROLL);
    hb->MouseMove(button);
    Pump();
    EXPECT_EQ(Probe(e, 100 - 2 + 5, 5 - 2), clskHotFill);
    hb->Click(RawButton::Left, button);
    Pump();
    EXPECT_EQ(clicks, 1);
    hb->ButtonDown(RawButton::Left, At(e, 10, 5));
    hb->MouseMove(button);
    hb->ButtonUp(RawButton::Left, button);
    Pump();
    EXPECT_EQ(clicks, 1) << "a release that did not start on the button";
    SendMessage(e->Handle(), WM_NCLBUTTONUP, 6, MakeLParam(button.X, button.Y));
    EXPECT_EQ(clicks, 2) << "a release over the button clicks, wherever the press began";
}

TEST_F(Edits, SkinnedFrameFollowsHoverAndFocus) {
    auto* e = Edit(Skin, {10, 10, 130, 40});
    EXPECT_EQ(e->Height(), 20) << "the skin's height";
    EXPECT_EQ(Probe(e, -4, -4), kRed);
    EXPECT_EQ(Probe(e, 10, 5), kClient[1]) << "focused: the active face behind the text";
    e->SetButtonMode(true);
    auto* other = Put<TskSkinEdit>({10, 60, 100, 80});
    other->SetFocus();
    Pump();
    EXPECT_EQ(Probe(e, 10, 5), kClient[0]);
    EXPECT_EQ(e->Font().Color(), 255) << "the skin's font colour";
    hb->MouseMove(At(e, 10, 5));
    Pump();
    EXPECT_EQ(Probe(e, 10, 5), kClient[1]);
    EXPECT_EQ(e->Font().Color(), 65280);
}

TEST_F(Edits, TheNumberFilter) {
    auto* n = Put<TskSkinNumEdit>({10, 10, 100, 30});
    struct Case {
        bool Float, Editor;
        const char* Text;
        char32_t C;
        bool Valid;
    };
    const Case cases[] = {
        {false, true, "", U'5', true},    {false, true, "", U'.', false}, {false, true, "", U'+', false},
        {false, true, "-1", U'-', false}, {false, true, "", 8, true},     {false, true, "", 13, false},
        {true, true, "1.5", U'.', false}, {true, true, "1", U'.', true},  {false, false, "", U'5', false},
        {false, false, "", 8, false},     {false, false, "", 3, true},
    };
    for (const Case& c : cases) {
        n->Float = c.Float;
        n->EditorEnabled = c.Editor;
        n->SetText(c.Text);
        EXPECT_EQ(n->IsValidChar(c.C), c.Valid) << c.Text << " + " << static_cast<int>(c.C);
    }
}

// A skinned popup menu class stands in for the form frame's.
class RecordingMenu : public TskSkinPopupMenu {
public:
    using TskSkinPopupMenu::TskSkinPopupMenu;
    bool PopupFromRect(TControl* Control, const TRect& R, int) override {
        Opener = Control;
        At = R;
        return true;
    }
    TControl* Opener = nullptr;
    TRect At;
};

TEST_F(Edits, AnInstalledSkinnedMenuClassOpensAtTheClick) {
    auto* e = Edit();
    SetEditMenuFactory([](TComponent* o) { return new RecordingMenu(o); });
    SendMessage(e->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e->Handle()), MakeLParam(150, 120));
    SetEditMenuFactory(nullptr);
    auto* menu = dynamic_cast<RecordingMenu*>(e->SkinContextMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Opener, e);
    EXPECT_EQ(menu->At, (TRect{150, 120, 150, 120}));
    EXPECT_EQ(menu->Items()->Count(), 8);
}

// In a tool bar that adjusts its controls only an aligned edit is centred; a placed one keeps
// the top it was given.
TEST_F(Edits, AToolBarCentresOnlyAlignedEdits) {
    auto* bar = Put<TskSkinToolBar>({0, 0, 300, 40});
    struct Case {
        TAlign Align;
        bool Centred;
    };
    for (const Case c : {Case{alNone, false}, Case{alLeft, true}}) {
        auto* e = new TskSkinEdit(Form);
        e->SetParent(bar);
        e->SetBounds(10, 3, 100, 20);
        e->SetAlign(c.Align);
        e->SetBounds(e->Left(), 3, e->Width(), e->Height());
        const TRect r = GetAdjustedClientRect(bar);
        EXPECT_EQ(e->Top(), c.Centred ? r.Top + r.Height() / 2 - e->Height() / 2 : 3) << int(c.Align);
        e->Free();
    }
}

} // namespace
} // namespace vd::test
