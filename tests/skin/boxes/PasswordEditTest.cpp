#include "BoxesFixture.h"
#include "skin/boxes/SkinPasswordEdit.h"

namespace vd::test {
namespace {

class Passwords : public BoxTest {
public:
    TskSkinPasswordEdit* Edit(TskSkinData* skin = nullptr) {
        auto* e = Put<TskSkinPasswordEdit>({10, 10, 131, 31}, skin);
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
    int Changes = 0;
};

TEST_F(Passwords, TypingEditingAndTheCaret) {
    auto* e = Edit();
    Type("secret");
    EXPECT_EQ(e->Text(), "secret");
    EXPECT_EQ(e->CaretPosition(), 6);
    EXPECT_EQ(Changes, 6);
    Key(VK_LEFT);
    Key(VK_BACK, 8);
    EXPECT_EQ(e->Text(), "secrt");
    EXPECT_EQ(e->CaretPosition(), 4);
    Key(VK_HOME);
    Key(VK_BACK, 8);
    EXPECT_EQ(e->Text(), "secrt") << "backspace at 0 changes nothing";
    EXPECT_EQ(e->CaretPosition(), 0);
    Key(VK_DELETE);
    EXPECT_EQ(e->Text(), "ecrt");
    Chord(VK_SHIFT, VK_END);
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_EQ(e->SelLength(), 4);
    Type("x");
    EXPECT_EQ(e->Text(), "x");
}

TEST_F(Passwords, MaxLengthRefusalDropsTheSelection) {
    auto* e = Edit();
    e->MaxLength = 3;
    Type("abcd");
    EXPECT_EQ(e->Text(), "abc");
    Chord(VK_SHIFT, VK_LEFT);
    EXPECT_EQ(e->SelLength(), 1);
    e->SetCaretPosition(0);
    e->SetSelLength(0);
    Type("z");
    EXPECT_EQ(e->Text(), "abc");
    EXPECT_EQ(e->SelLength(), 0);
}

TEST_F(Passwords, PasteStopsAtTheLineBreakAndReadOnlyRefuses) {
    auto* e = Edit();
    ClipboardSetText("pa\tss\r\nword");
    Chord(VK_CONTROL, 'V', 22);
    EXPECT_EQ(e->Text(), "pass");
    e->ReadOnly = true;
    Chord(VK_SHIFT, VK_INSERT);
    Type("q");
    Key(VK_BACK, 8);
    EXPECT_EQ(e->Text(), "pass");
    Key(VK_HOME);
    EXPECT_EQ(e->CaretPosition(), 0) << "the caret still moves";
}

// A shorter text set from code leaves no caret or selection past its end: the next key acts on
// the new text instead of failing inside the window procedure.
TEST_F(Passwords, KeysAfterAShorterTextActOnTheNewText) {
    struct Case {
        const char* Name;
        std::function<void(TskSkinPasswordEdit*)> Select; // on "abcdef", caret at the end
        int Vk;
        char32_t Ch;
        const char* Expected;
    };
    const Case cases[] = {
        {"typing over a selected last character", [this](TskSkinPasswordEdit*) { Chord(VK_SHIFT, VK_LEFT); },
         0, U'x', "abcx"},
        {"backspace over a selection past the new end",
         [this](TskSkinPasswordEdit*) {
             Chord(VK_SHIFT, VK_LEFT);
             Chord(VK_SHIFT, VK_LEFT);
         },
         VK_BACK, 8, "ab"},
        {"delete after a selection made from code",
         [](TskSkinPasswordEdit* e) {
             e->SetSelStart(4);
             e->SetSelLength(2);
         },
         VK_DELETE, 0, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* e = Edit();
        std::vector<std::string> failures;
        Application->OnException = [&](TObject*, const std::exception& x) { failures.push_back(x.what()); };
        Type("abcdef");
        c.Select(e);
        e->SetText("abc");
        Key(c.Vk, c.Ch);
        Application->OnException = nullptr;
        EXPECT_EQ(failures, std::vector<std::string>{});
        EXPECT_EQ(e->Text(), c.Expected);
        EXPECT_LE(e->SelStart() + e->SelLength(), static_cast<int>(e->Text().size()));
        e->Free();
    }
}

TEST_F(Passwords, ALongTextKeepsTheCaretCellVisible) {
    auto* e = Edit();
    Type(std::string(40, 'a'));
    const int cw = e->CellWidth();
    EXPECT_GT(e->FirstVisible(), 1);
    EXPECT_LE(e->CharX(e->CaretPosition()), e->GetEditRect().Right);
    EXPECT_GE(e->CharX(e->CaretPosition()), e->GetEditRect().Right - cw);
    Key(VK_HOME);
    EXPECT_EQ(e->FirstVisible(), 1);
}

TEST_F(Passwords, TextFromCodeAndCharCase) {
    auto* e = Edit();
    e->SetText("abc");
    EXPECT_EQ(Changes, 1);
    e->SetText("abc");
    EXPECT_EQ(Changes, 1) << "the same text fires nothing";
    e->SetCharCase(ecUpperCase);
    EXPECT_EQ(e->Text(), "ABC");
    e->SetText("abc");
    EXPECT_EQ(e->Text(), "ABC");
    EXPECT_EQ(Changes, 3);
}

TEST_F(Passwords, GlyphsAndTheSelectionOnlyWhileFocused) {
    auto* e = Edit();
    e->SetText("ab");
    e->SelectAll();
    Pump();
    const int cw = e->CellWidth();
    const int mid = e->GetEditRect().Top + e->GetEditRect().Height() / 2;
    EXPECT_EQ(Probe(e, 2 + cw / 2, mid), Rgb(clHighlightText)) << "a selected glyph";
    EXPECT_EQ(Probe(e, 3, mid), Rgb(clHighlight)) << "the selection fill";
    EXPECT_EQ(Probe(e, 2 + 2 * cw + 5, mid), Rgb(clWindow));
    ::vd::SetFocus(Form->Handle());
    Pump();
    EXPECT_EQ(Probe(e, 3, mid), Rgb(clWindow)) << "hidden while unfocused";
    EXPECT_EQ(Probe(e, 2 + cw / 2, mid), 0) << "the default font's colour";
    EXPECT_EQ(Probe(e, 0, 0), Rgb(clBtnShadow));
}

TEST_F(Passwords, SkinnedGlyphsTakeTheRecordsColours) {
    auto* e = Edit(Skin);
    e->SetText("ab");
    e->SetSelLength(0);
    e->SetCaretPosition(2);
    Pump();
    const TRect r = e->GetEditRect();
    EXPECT_EQ(r, (TRect{4, 4, 117, 17})) << "the face's client rect at 121 x 21";
    EXPECT_EQ(Probe(e, 4 + e->CellWidth() / 2, 10), 65280) << "the active colour while focused";
    EXPECT_EQ(Probe(e, 1, 1), kRed);
}

} // namespace
} // namespace vd::test
