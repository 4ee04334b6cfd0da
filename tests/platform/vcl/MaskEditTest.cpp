// Edit masks: the rules on their own, then the masked edit typed into through the headless back
// end (overwriting, literals, deleting, paste, Escape, leaving an incomplete edit).
#include "KeyScript.h"
#include "VclFixture.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/StdCtrls.h"

namespace vd::test {
namespace {

TEST(EditMaskRules, TextEditTextAndValidity) {
    struct Case {
        const char* mask;
        const char* value; // Text set
        const char* edit;  // what the window shows
        const char* text;  // Text read back
        int firstInvalid;  // of the edit text
    };
    const Case cases[] = {
        {"00/00;1;_", "", "__/__", "  /  ", 0},
        {"00/00;1;_", "12/34", "12/34", "12/34", -1},
        {"000-0000;0;_", "5551234", "555-1234", "5551234", -1},
        {"000-0000;0;*", "55", "55*-****", "55     ", 2},
        {"!999;0;_", "7", "__7", "  7", -1},
        {"999;0;_", "7", "7__", "7  ", -1},
        {">LL<ll;1;_", "abCD", "ABcd", "ABcd", -1},
        {">L<>l;1;_", "aB", "AB", "AB", -1},
        {"LL;1;_", "a1", "a_", "a ", 1},
        {"#99;0;_", "-12", "-12", "-12", -1},
        {"#99;0;_", "x12", "_12", " 12", -1},
        {"\\A99;1;_", "A12", "A12", "A12", -1},
        {"aa_aa;1;_", "ab cd", "ab cd", "ab cd", -1},
        {"CCC", "x y", "x_y", "x y", 1},
        {"0:00", "9:30", "9:30", "9:30", -1},
        {"0:00", "930", "9:0_", "9:0 ", 3}, // saved literals: the value holds them
        {"0:00;0", "930", "9:30", "930", -1},
    };
    for (const Case& c : cases) {
        const TEditMask m(c.mask);
        const String edit = m.EditTextFrom(c.value);
        EXPECT_EQ(edit, c.edit) << c.mask << " <- " << c.value;
        EXPECT_EQ(m.ValueOf(edit), c.text) << c.mask;
        EXPECT_EQ(m.FirstInvalid(edit), c.firstInvalid) << c.mask;
    }
    EXPECT_TRUE(TEditMask("").Empty());
    EXPECT_TRUE(TEditMask(";0;_").Empty()) << "fields without a body: no mask";
    EXPECT_EQ(FormatMaskText("000-0000;0;_", "5551234"), "555-1234");
    EXPECT_EQ(FormatMaskText("00/00;1;_", "1"), "1 /  ") << "blanks shown as spaces";
    EXPECT_EQ(FormatMaskText("", "as is"), "as is");
}

class MaskEditTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        Form = NewForm({100, 100, 400, 200});
        Edit = new TMaskEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 200, 21);
        Other = new TEdit(Form);
        Other->SetParent(Form);
        Other->SetBounds(10, 40, 200, 21);
        Form->Show();
        Pump();
        Edit->SetFocus();
        Pump();
        ClipboardSetText("");
    }
    void Type(const std::string& keys) {
        TypeKeys(hb, keys);
        Pump();
    }
    int EnChanges() {
        int n = 0;
        for (const auto& e : Spy.Of(Form->Handle(), WM_COMMAND))
            if (HiWord(e.wParam) == EN_CHANGE) ++n;
        return n;
    }
    TForm* Form = nullptr;
    TMaskEdit* Edit = nullptr;
    TEdit* Other = nullptr;
    MessageSpy Spy;
};

TEST_F(MaskEditTest, KeysOverwritePositionsAndNeverMoveLiterals) {
    struct Case {
        const char* name;
        const char* mask;
        const char* text;
        int selStart, selEnd;
        const char* clipboard;
        const char* keys;
        const char* edit;
    };
    const Case cases[] = {
        {"typing skips literals", "00/00;1;_", "", 0, 0, "", "1234", "12/34"},
        {"a refused character changes nothing", "00/00;1;_", "", 0, 0, "", "1x2", "12/__"},
        {"the literal typed where it stands", "00/00;1;_", "", 0, 0, "", "12/34", "12/34"},
        {"typing overwrites", "00/00;1;_", "12/34", 0, 0, "", "9", "92/34"},
        {"case follows the mask", ">LL<ll;1;_", "", 0, 0, "", "abCD", "ABcd"},
        {"nothing past the last position", "00;1;_", "12", 2, 2, "", "3", "12"},
        {"backspace blanks and steps back over literals", "00/00;1;_", "12/34", 5, 5, "", "{BS}{BS}{BS}",
         "1_/__"},
        {"delete keeps the literals of a selection", "00/00;1;_", "12/34", 1, 4, "", "{Del}", "1_/_4"},
        {"typing over a selection blanks it first", "00/00;1;_", "12/34", 0, 4, "", "7", "7_/_4"},
        {"paste types each character", "00/00;1;_", "", 0, 0, "12/34", "{C-v}", "12/34"},
        {"paste stops at a refused character", "00/00;1;_", "", 0, 0, "1x34", "{S-Ins}", "1_/__"},
        {"cut blanks what it takes", "00/00;1;_", "12/34", 0, 2, "", "{C-x}", "__/34"},
        {"escape brings the text back", "00/00;1;_", "12/34", 0, 0, "", "99{Esc}", "12/34"},
        {"one byte a position", "CC;1;_", "", 0, 0, "", "\xc3\xa9", "__"},
    };
    for (const Case& c : cases) {
        Edit->SetEditMask(c.mask);
        Edit->SetText(c.text);
        SendMessage(Edit->Handle(), EM_SETSEL, static_cast<WPARAM>(c.selStart), c.selEnd);
        ClipboardSetText(c.clipboard);
        Type(c.keys);
        EXPECT_EQ(Edit->EditText(), c.edit) << c.name;
        EXPECT_EQ(Edit->Text(), TEditMask(c.mask).ValueOf(c.edit)) << c.name;
        if (String(c.keys) == "{C-x}") {
            EXPECT_EQ(ClipboardGetText(), "12") << "the cut text";
        }
    }
}

TEST_F(MaskEditTest, EveryEditReachesTheParentAndOnChange) {
    int changes = 0;
    Edit->OnChange = [&](TObject*) { ++changes; };
    Edit->SetEditMask("000;0;_");
    Spy.Clear();
    changes = 0;
    Type("12{BS}");
    EXPECT_EQ(Edit->Text(), "1  ");
    EXPECT_EQ(EnChanges(), 3);
    EXPECT_EQ(changes, 3);
    Edit->SetEditMask("");
    EXPECT_EQ(Edit->EditText(), "1  ") << "no mask: the value as it is";
    Type("{End}x");
    EXPECT_EQ(Edit->Text(), "1  x");
}

TEST_F(MaskEditTest, LeavingAnIncompleteEditKeepsTheFocusAndReportsWhy) {
    std::vector<String> errors;
    Application->OnException = [&](TObject*, const std::exception& e) { errors.push_back(e.what()); };
    Edit->SetEditMask("00/00;1;_");
    Other->SetFocus(); // untouched: leaving is fine
    Pump();
    EXPECT_TRUE(Other->Focused());
    EXPECT_TRUE(errors.empty());
    Edit->SetFocus();
    Pump();
    Type("12");
    Other->SetFocus();
    Pump();
    EXPECT_TRUE(Edit->Focused()) << "the focus came back";
    EXPECT_EQ(Edit->SelStart(), 3) << "on the first blank required position";
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Invalid input value.  Use escape key to abandon changes");
    EXPECT_THROW(Edit->ValidateEdit(), EDBEditError);
    Type("34");
    EXPECT_NO_THROW(Edit->ValidateEdit());
    Other->SetFocus();
    Pump();
    EXPECT_TRUE(Other->Focused());
    EXPECT_EQ(errors.size(), 1u);
    Application->OnException = nullptr;
}

TEST_F(MaskEditTest, AMaskSetBeforeTheWindowExistsAndFromAResource) {
    auto* late = new TMaskEdit(Form);
    late->SetEditMask("!999;0;_");
    late->SetText("42");
    EXPECT_EQ(late->Text(), " 42");
    late->SetParent(Form);
    late->SetBounds(10, 70, 100, 21);
    Pump();
    EXPECT_EQ(late->EditText(), "_42");
    EXPECT_EQ(late->Text(), " 42");
    EXPECT_TRUE(late->SetProperty("EditMask", TPropValue::FromString("00;1;*")));
    EXPECT_EQ(late->EditText(), "*4") << "the value \" 42\" read position by position";
}

} // namespace
} // namespace vd::test
