#include "KeyScript.h"
#include "VclFixture.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/controls/EditModel.h"
#include "platform/win/controls/EditWindow.h"

namespace vd::test {
namespace {

class EditTest : public VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        form = NewForm({100, 100, 400, 200});
        form->SetColor(clBtnFace);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        edit->OnChange = [this](TObject*) { ++changes; };
        form->Show();
        Pump();
        edit->SetFocus();
        Pump();
        ClipboardSetText("");
    }
    void Start(const String& text, int selStart, int selEnd) {
        edit->SetText(text);
        SendMessage(edit->Handle(), EM_SETSEL, static_cast<WPARAM>(selStart), selEnd);
        changes = 0;
        spy.Clear();
    }
    void Type(const std::string& keys) {
        TypeKeys(hb, keys);
        Pump();
    }
    const EditModel& Model() { return *EditWindowModel(edit->Handle()); }
    int EnChanges() {
        int n = 0;
        for (const auto& e : spy.Of(form->Handle(), WM_COMMAND))
            if (HiWord(e.wParam) == EN_CHANGE) ++n;
        return n;
    }
    TPoint EditPoint(std::size_t pos) {
        return {100 + 10 + EditWindowPosX(edit->Handle(), pos), 100 + 10 + 8};
    }

    TForm* form = nullptr;
    TEdit* edit = nullptr;
    int changes = 0;
    MessageSpy spy;
};

struct KeyCase {
    const char* name;
    const char* text;
    int selStart, selEnd; // initial EM_SETSEL
    const char* keys;
    const char* clipboard; // before the keys
    const char* expectText;
    int expectMin, expectMax;
    bool expectChange; // EN_CHANGE and OnChange
};

const KeyCase kKeyCases[] = {
    {"typing replaces the selection", "hello", 1, 4, "XY", "", "hXYo", 3, 3, true},
    {"left collapses at the active end", "hello", 1, 4, "{Left}", "", "hello", 3, 3, false},
    {"shift+left moves the active end only", "hello", 1, 4, "{S-Left}{S-Left}", "", "hello", 1, 2, false},
    {"shift extends past the anchor", "hello", 2, 2, "{S-Left}{S-Left}{S-Left}", "", "hello", 0, 2, false},
    {"ctrl+right goes to the next word after its spaces", "one  two three", 1, 1, "{C-Right}", "",
     "one  two three", 5, 5, false},
    {"ctrl+left goes to the start of the word", "one two three", 10, 10, "{C-Left}{C-Left}", "",
     "one two three", 4, 4, false},
    {"home and end, shift extends", "hello", 2, 2, "{S-End}", "", "hello", 2, 5, false},
    {"up and down collapse the selection", "hello", 1, 4, "{Down}", "", "hello", 4, 4, false},
    {"shift+down keeps it", "hello", 1, 4, "{S-Down}", "", "hello", 1, 4, false},
    {"delete removes the next char", "hello", 1, 1, "{Del}", "", "hllo", 1, 1, true},
    {"delete removes the selection", "hello", 1, 4, "{Del}", "", "ho", 1, 1, true},
    {"delete at the end does nothing", "hi", 2, 2, "{Del}", "", "hi", 2, 2, false},
    {"backspace removes the previous char", "hello", 5, 5, "{BS}{BS}", "", "hel", 3, 3, true},
    {"ctrl+delete deletes to the end", "hello world", 5, 5, "{C-Del}", "", "hello", 5, 5, true},
    {"ctrl+backspace deletes the previous word", "one two", 7, 7, "{C-BS}", "", "one ", 4, 4, true},
    {"shift+delete cuts the selection", "hello", 0, 2, "{S-Del}", "", "llo", 0, 0, true},
    {"shift+delete without selection deletes back", "hello", 2, 2, "{S-Del}", "", "hllo", 1, 1, true},
    {"shift+insert pastes", "ac", 1, 1, "{S-Ins}", "b", "abc", 2, 2, true},
    {"ctrl+v pastes cut at the first line break", "", 0, 0, "{C-v}", "a\tb\r\nc", "ab", 2, 2, true},
    {"ctrl+x cuts, ctrl+v puts it back", "hello", 0, 5, "{C-x}{End}{C-v}{C-v}", "", "hellohello", 10, 10,
     true},
    {"ctrl+a selects all", "hello", 2, 2, "{C-a}", "", "hello", 0, 5, false},
    {"control codes and enter are never inserted", "ab", 2, 2, "{Enter}{Esc}{Tab}", "", "ab", 2, 2, false},
    {"utf-8: left steps over a whole character", "aé", 3, 3, "{Left}", "", "aé", 1, 1, false},
    {"utf-8: backspace deletes a whole character", "aé", 3, 3, "{BS}", "", "a", 1, 1, true},
    {"utf-8: typed code point is inserted", "", 0, 0, "€", "", "€", 3, 3, true},
    {"ctrl+z undoes the typing run, twice redoes", "x", 1, 1, "abc{C-z}", "", "x", 1, 1, true},
    {"second undo redoes", "x", 1, 1, "abc{C-z}{C-z}", "", "xabc", 4, 4, true},
    {"a caret move ends the run", "", 0, 0, "ab{Left}c{C-z}", "", "ab", 1, 1, true},
};

TEST_F(EditTest, KeySequences) {
    for (const KeyCase& c : kKeyCases) {
        SCOPED_TRACE(c.name);
        Start(c.text, c.selStart, c.selEnd);
        ClipboardSetText(c.clipboard);
        Type(c.keys);
        EXPECT_EQ(edit->Text(), c.expectText);
        EXPECT_EQ(Model().SelMin(), static_cast<std::size_t>(c.expectMin));
        EXPECT_EQ(Model().SelMax(), static_cast<std::size_t>(c.expectMax));
        EXPECT_EQ(EnChanges() > 0, c.expectChange);
        EXPECT_EQ(changes > 0, c.expectChange);
    }
}

TEST_F(EditTest, ReadOnlyRefusesEveryMutationButAllowsSelectionAndCopy) {
    const char* mutations[] = {"x",       "{BS}",    "{Del}", "{C-x}",  "{C-v}",
                               "{S-Ins}", "{S-Del}", "{C-z}", "{C-BS}", "{C-Del}"};
    for (const char* keys : mutations) {
        SCOPED_TRACE(keys);
        edit->SetReadOnly(false);
        Start("hello", 0, 0);
        Type("ab");
        edit->SetReadOnly(true);
        SendMessage(edit->Handle(), EM_SETSEL, 1, 3);
        ClipboardSetText("zz");
        spy.Clear();
        changes = 0;
        Type(keys);
        edit->Undo();
        SendMessage(edit->Handle(), WM_CLEAR, 0, 0);
        SendMessage(edit->Handle(), WM_PASTE, 0, 0);
        EXPECT_EQ(edit->Text(), "abhello");
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(EnChanges(), 0);
    }
    Type("{S-Home}{C-Ins}");
    EXPECT_EQ(edit->SelLength(), 1);
    EXPECT_EQ(ClipboardGetText(), "a") << "copy works on a read-only edit";
}

TEST_F(EditTest, MaxLengthRefusesTypingTruncatesPasteButNotTextFromCode) {
    edit->SetMaxLength(5);
    Start("abcd", 4, 4);
    Type("xy");
    EXPECT_EQ(edit->Text(), "abcdx");
    Start("ab", 2, 2);
    ClipboardSetText("é€xyz"); // 2 + 3 bytes: the euro sign does not fit after é
    Type("{C-v}");
    EXPECT_EQ(edit->Text(), "abé");
    edit->SetText("longer than five");
    EXPECT_EQ(edit->Text(), "longer than five");
    edit->SetMaxLength(-1);
    Start("abcdef", 6, 6);
    Type("g");
    EXPECT_EQ(edit->Text(), "abcdefg") << "-1 means no limit";
}

TEST_F(EditTest, CharCaseAppliesToTypingPasteAndText) {
    edit->SetCharCase(ecUpperCase);
    Start("", 0, 0);
    Type("ab");
    ClipboardSetText("cé");
    Type("{C-v}");
    EXPECT_EQ(edit->Text(), "ABCÉ");
    edit->SetText("mixed");
    EXPECT_EQ(edit->Text(), "MIXED");
    edit->SetCharCase(ecLowerCase);
    EXPECT_EQ(edit->Text(), "mixed");
}

TEST_F(EditTest, SetSelFollowsTheClampingRules) {
    struct {
        long long s, e;
        std::size_t min, max, caret;
    } cases[] = {
        {0, -1, 0, 5, 5}, {0x7FFFFFFF, -1, 5, 5, 5}, {4, 1, 1, 4, 1}, {2, 2, 2, 2, 2}, {-1, 0, 1, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.s);
        Start("hello", 4, 1);
        SendMessage(edit->Handle(), EM_SETSEL, static_cast<WPARAM>(c.s), static_cast<LPARAM>(c.e));
        EXPECT_EQ(Model().SelMin(), c.min);
        EXPECT_EQ(Model().SelMax(), c.max);
        EXPECT_EQ(Model().Caret(), c.caret);
    }
    Start("hello", 0, 0);
    edit->SetSelStart(2);
    edit->SetSelLength(2);
    EXPECT_EQ(edit->SelText(), "ll");
    std::uint32_t lo = 0, hi = 0;
    SendMessage(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
    EXPECT_EQ(lo, 2u);
    EXPECT_EQ(hi, 4u);
}

TEST_F(EditTest, TwoChangeChannels) {
    Start("abc", 3, 3);
    edit->SetText("from code");
    EXPECT_EQ(changes, 1) << "OnChange for text set from code";
    EXPECT_EQ(EnChanges(), 0) << "no EN_CHANGE for text set from code";
    EXPECT_EQ(Model().SelMax(), 0u);
    EXPECT_FALSE(edit->CanUndo());
    EXPECT_FALSE(edit->Modified());
    edit->SetText("from code");
    EXPECT_EQ(changes, 1) << "the same text does nothing";
    edit->SetSelText("X");
    EXPECT_EQ(edit->Text(), "Xfrom code");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(EnChanges(), 1) << "EM_REPLACESEL is a user edit";
    EXPECT_TRUE(edit->Modified());
    EXPECT_TRUE(edit->CanUndo());
    edit->Undo();
    EXPECT_EQ(edit->Text(), "from code");
    EXPECT_EQ(EnChanges(), 2);
}

TEST_F(EditTest, KeyPipelineCanStopKeysAndCarriesCodePoints) {
    Start("", 0, 0);
    edit->OnKeyDown = [](TObject*, Word& key, TShiftState) {
        if (key == VK_HOME) key = 0;
    };
    edit->OnKeyPress = [](TObject*, TKeyChar& key) {
        if (key == 'q') key = 0;
        if (key == U'ß') key = U'ẞ';
    };
    Type("aqß{Home}b");
    EXPECT_EQ(edit->Text(), "aẞb") << "Home was stopped, q dropped, a code point replaced";
}

TEST_F(EditTest, DialogCodes) {
    const LRESULT plain = SendMessage(edit->Handle(), WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(plain, DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTALLKEYS);
    edit->SetPasswordChar('*');
    EXPECT_EQ(SendMessage(edit->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
    Start("secret", 0, 6);
    ClipboardSetText("keep");
    Type("{C-c}{C-x}");
    EXPECT_EQ(ClipboardGetText(), "keep") << "a password is never copied";
    EXPECT_EQ(edit->Text(), "secret");
}

TEST_F(EditTest, MouseSetsCaretExtendsDragsAndSelectsWords) {
    Start("one two  three", 0, 0);
    // A host that selects all when focused, as the skinned edits do: the click comes after it.
    edit->OnEnter = [this](TObject*) { edit->SelectAll(); };
    form->SetFocus();
    Pump();
    hb->Click(RawButton::Left, EditPoint(4));
    Pump();
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(Model().Caret(), 4u);
    EXPECT_FALSE(Model().HasSelection());
    hb->KeyDown(VK_SHIFT);
    hb->Click(RawButton::Left, EditPoint(7));
    hb->KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(edit->SelText(), "two");
    hb->ButtonDown(RawButton::Left, EditPoint(1));
    hb->MouseMove(EditPoint(3));
    hb->ButtonUp(RawButton::Left, EditPoint(3));
    Pump();
    EXPECT_EQ(edit->SelText(), "ne");
    EXPECT_EQ(GetCapture(), nullptr);
    hb->Advance(1000);
    hb->Click(RawButton::Left, EditPoint(5));
    hb->Click(RawButton::Left, EditPoint(5));
    Pump();
    EXPECT_EQ(edit->SelText(), "two  ") << "double click: the word and its trailing spaces";
}

TEST_F(EditTest, DragOutsideScrollsOnATimer) {
    Start(String(80, 'w'), 0, 0);
    hb->ButtonDown(RawButton::Left, EditPoint(0));
    hb->MouseMove({100 + 10 + 250, 118});
    Pump();
    const std::size_t first = Model().Caret();
    for (int i = 0; i < 5; ++i) {
        hb->Advance(100);
        Pump();
    }
    EXPECT_GT(Model().Caret(), first) << "the selection grows while the mouse stays outside";
    hb->ButtonUp(RawButton::Left, {360, 118});
    Pump();
    const int x = EditWindowPosX(edit->Handle(), Model().Caret());
    EXPECT_GE(x, 0);
    EXPECT_LE(x, 200) << "the caret stays inside the edit";
}

TEST_F(EditTest, ContextMenuFromMouseAndKeyboard) {
    Start("abc", 0, 0);
    spy.Watch(edit->Handle());
    hb->Click(RawButton::Right, EditPoint(1));
    Type("{S-F10}{Apps}");
    const auto menus = spy.Of(edit->Handle(), WM_CONTEXTMENU);
    ASSERT_GE(menus.size(), 3u);
    EXPECT_EQ(LParamToPoint(menus[0].lParam), EditPoint(1));
    EXPECT_EQ(menus[1].lParam, MakeLParam(-1, -1));
    EXPECT_EQ(menus[2].lParam, MakeLParam(-1, -1));
}

TEST_F(EditTest, ContextPopupEventSeesClientPointOrKeyboardAndCanHandleIt) {
    Start("abc", 0, 0);
    std::vector<TPoint> seen;
    edit->OnContextPopup = [&](TObject*, TPoint p, bool& handled) {
        seen.push_back(p);
        handled = true;
    };
    int formSaw = 0;
    form->OnContextPopup = [&](TObject*, TPoint, bool&) { ++formSaw; };
    hb->Click(RawButton::Right, {100 + 10 + 7, 100 + 10 + 4});
    Type("{S-F10}");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (TPoint{7, 4}));
    EXPECT_EQ(seen[1], (TPoint{-1, -1}));
    EXPECT_EQ(formSaw, 0) << "handled: the parent is not asked";
}

TEST_F(EditTest, PixelsOfTextSelectionCaretAndBackground) {
    edit->SetColor(clWhite);
    edit->Font().SetColor(clBlack);
    Start("MMMM", 0, 2);
    Pump();
    HWND top = form->Handle();
    const int x1 = EditWindowPosX(edit->Handle(), 1), x2 = EditWindowPosX(edit->Handle(), 2);
    const int x3 = EditWindowPosX(edit->Handle(), 3), x4 = EditWindowPosX(edit->Handle(), 4);
    auto countIn = [&](int from, int to, COLORREF c) {
        int n = 0;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < 21; ++y)
                n += GetWindowPixel(top, 10 + x, 10 + y) == c;
        return n;
    };
    const COLORREF hl = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_GT(countIn(x1, x2, hl), 20) << "the selection is filled while focused";
    EXPECT_GT(countIn(x3, x4, RGB(0, 0, 0)) + countIn(x3, x4, RGB(1, 1, 1)), 0) << "text in Font.Color";
    EXPECT_EQ(GetWindowPixel(top, 10 + 195, 10 + 19), RGB(255, 255, 255)) << "background in Color";
    HWND h;
    TRect caret;
    bool visible = false;
    ASSERT_TRUE(GetCaretState(h, caret, visible));
    EXPECT_EQ(h, edit->Handle());
    EXPECT_TRUE(visible);
    EXPECT_EQ(caret.Left, x2);
    EXPECT_EQ(caret.Width(), 1);
    EXPECT_GE(caret.Height(), 10) << "the line height of the font";
    form->SetFocus();
    Pump();
    EXPECT_EQ(countIn(x1, x2, hl), 0) << "HideSelection: no selection without focus";
    EXPECT_FALSE(GetCaretState(h, caret, visible) && h == edit->Handle());
    edit->SetHideSelection(false);
    Pump();
    EXPECT_GT(countIn(x1, x2, hl), 20);
    edit->SetEnabled(false);
    Pump();
    EXPECT_GT(countIn(x3, x4, GetSysColor(COLOR_GRAYTEXT)), 0) << "a disabled edit draws grey text";
}

TEST_F(EditTest, TransparentModeAsksTheHostForItsBackground) {
    int calls = 0;
    edit->OnPaintBackground = [&](TObject*, HDC dc, const TRect& r) {
        ++calls;
        UniqueBrush b(CreateSolidBrush(RGB(0, 128, 0)));
        FillRect(dc, &r, b.Get());
    };
    edit->SetTransparent(true);
    Start("", 0, 0);
    Pump();
    EXPECT_GT(calls, 0);
    EXPECT_EQ(GetWindowPixel(form->Handle(), 10 + 150, 10 + 10), RGB(0, 128, 0));
    calls = 0;
    Type("a");
    EXPECT_GT(calls, 0) << "every repaint repaints the host's background first";
}

TEST_F(EditTest, PaintsIntoASuppliedContextAtItsOrigin) {
    edit->SetColor(clWhite);
    Start("", 0, 0);
    UniqueBitmap bmp(CreateBitmap(300, 60, 1, 24, nullptr));
    UniqueDC dc(CreateCompatibleDC(nullptr));
    SelectObject(dc.Get(), reinterpret_cast<HGDIOBJ>(bmp.Get()));
    SetViewportOrgEx(dc.Get(), 50, 20, nullptr);
    SendMessage(edit->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc.Get()), 0);
    EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(255, 255, 255)) << "painted at the viewport origin";
    EXPECT_EQ(GetPixel(dc.Get(), -1, -1), RGB(0, 0, 0)) << "nothing outside the edit";
}

TEST_F(EditTest, LongTextScrollsTheCaretIntoViewAndTextSetResetsIt) {
    Start(String(100, 'x'), 0, 0);
    Type("{End}");
    const int x = EditWindowPosX(edit->Handle(), 100);
    EXPECT_GE(x, 0);
    EXPECT_LT(x, 200);
    edit->SetText(String(100, 'y'));
    EXPECT_EQ(EditWindowPosX(edit->Handle(), 0), 1) << "scroll reset: the text starts after the margin";
    SendMessage(edit->Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MakeLParam(2, 0));
    EXPECT_EQ(EditWindowPosX(edit->Handle(), 0), 2);
}

TEST_F(EditTest, CaretIsDrawnInvertedBlinksAndLeavesWithTheFocus) {
    edit->SetColor(clWhite);
    Start("", 0, 0);
    Pump();
    HWND top = form->Handle();
    const int cx = 10 + EditWindowPosX(edit->Handle(), 0);
    auto at = [&](int x) { return GetWindowPixel(top, x, 10 + 3); };
    EXPECT_EQ(at(cx), RGB(0, 0, 0)) << "white inverted under the caret";
    EXPECT_EQ(at(cx + 1), RGB(255, 255, 255)) << "one pixel wide";
    Type("{Space}");
    const int moved = 10 + EditWindowPosX(edit->Handle(), 1);
    ASSERT_GT(moved, cx);
    EXPECT_EQ(at(moved), RGB(0, 0, 0));
    EXPECT_EQ(at(cx), RGB(255, 255, 255)) << "the old place is restored";
    form->SetFocus();
    Pump();
    EXPECT_EQ(at(moved), RGB(255, 255, 255)) << "no caret without the focus";

    hb->SetCaretBlinkTime(500);
    edit->SetFocus();
    Pump();
    EXPECT_EQ(at(moved), RGB(0, 0, 0));
    hb->Advance(500);
    Pump();
    EXPECT_EQ(at(moved), RGB(255, 255, 255)) << "off after one blink period";
    hb->Advance(500);
    Pump();
    EXPECT_EQ(at(moved), RGB(0, 0, 0)) << "and on again";
    edit->Invalidate();
    Pump();
    EXPECT_EQ(at(moved), RGB(0, 0, 0)) << "a repaint keeps it";
    hb->SetCaretBlinkTime(0);
    edit->Hide();
    Pump();
    EXPECT_FALSE(IsCaretDrawn()) << "hidden with its window";
}

TEST(EditModelTest, UndoAfterSetTextAndEmptyBufferIsGone) {
    EditModel m;
    m.SetText("abc");
    m.MoveTo(3, false);
    EXPECT_TRUE(m.TypeChar('d'));
    EXPECT_TRUE(m.CanUndo());
    m.EmptyUndo();
    EXPECT_FALSE(m.Undo());
    m.TypeChar('e');
    m.SetText("new");
    EXPECT_FALSE(m.CanUndo());
    EXPECT_EQ(m.Text(), "new");
}

TEST(EditModelTest, MalformedBytesStepAsSingleCharacters) {
    EditModel m;
    m.SetText("a\xC3(b\xE2\x82");
    std::size_t pos = 0, steps = 0;
    while (pos < m.Text().size() && steps < 10)
        pos = m.NextChar(pos), ++steps;
    EXPECT_EQ(pos, m.Text().size());
    m.MoveTo(m.Text().size(), false);
    while (m.DeleteBack()) {
    }
    EXPECT_EQ(m.Text(), "");
}

} // namespace
} // namespace vd::test
