// The in-place editor driven by keys: opening by typing, Enter and F2, writing back on every
// change, read-only cells, moving out of the editor, and the double-click timing.
#include "../../../platform/vcl/KeyScript.h"
#include "GridFixture.h"
#include "platform/vcl/Menus.h"

namespace vd::test {
namespace {

constexpr TGridOptions kEdit = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goEditing;

class LimitedGrid : public TskSkinStringGrid {
public:
    using TskSkinStringGrid::TskSkinStringGrid;
    int Limit = 0;
    int QueryEditLimit() override { return Limit; }
};

class GridEditTest : public GridTest {
protected:
    void Make(TGridOptions options, int limit = 0) {
        Grid = new LimitedGrid(Form);
        Grid->Limit = limit;
        Grid->SetParent(Form);
        Grid->SetBorderStyle(gbsNone);
        Grid->SetBoundsRect({0, 0, 300, 120});
        Grid->SetOptions(options);
        Grid->OnDblClick = [this](TObject*) { ++DblClicks; };
        Show();
        Grid->SetFocus();
        Pump();
    }
    void Keys(const std::string& script) {
        TypeKeys(hb, script);
        Pump();
    }
    bool EditorShown() const {
        auto* e = Grid->InplaceEditor();
        return e && e->HandleAllocated() && IsWindowVisible(e->Handle());
    }
    LimitedGrid* Grid = nullptr;
    int DblClicks = 0;
};

TEST_F(GridEditTest, TypingOpensTheEditorAndEveryChangeReachesTheCell) {
    Make(kEdit);
    Grid->SetCellText(1, 1, "old");
    EXPECT_FALSE(EditorShown());
    Keys("x");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(GetFocus(), Grid->InplaceEditor()->Handle());
    EXPECT_EQ(Grid->GetCellText(1, 1), "x") << "the typed character replaced the selected text";
    Keys("yz");
    EXPECT_EQ(Grid->GetCellText(1, 1), "xyz");
    {
        auto* e = Grid->InplaceEditor();
        EXPECT_EQ((TRect{e->Left(), e->Top(), e->Left() + e->Width(), e->Top() + e->Height()}),
                  Grid->CellBounds(1, 1));
    }
    // Moving on closes the editor over the old cell; Enter opens it on the new one.
    Keys("{Down}");
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Grid->Current(), (TGridCoord{1, 2}));
    EXPECT_EQ(GetFocus(), Grid->Handle());
    Keys("{Enter}");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Grid->EditorRow(), 2);
    Keys("ab{Enter}");
    EXPECT_EQ(Grid->GetCellText(1, 2), "ab");
    EXPECT_FALSE(EditorShown()) << "Enter in the editor toggles it off";
    Keys("{Enter}");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Grid->InplaceEditor()->Text(), "ab");
    Keys("{Esc}");
    EXPECT_TRUE(EditorShown()) << "Esc goes to the grid, which keeps the editor";
    // The grid's Enter toggles the editor off.
    SendMessage(Grid->Handle(), WM_CHAR, 13, 0);
    Pump();
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Grid->GetCellText(1, 2), "ab");
}

TEST_F(GridEditTest, F2PutsTheCaretAtTheEndAndTheCellTextReloadsWhenSetFromCode) {
    Make(kEdit);
    Grid->SetCellText(1, 1, "hello");
    Keys("{F2}");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Grid->InplaceEditor()->SelStart(), 5);
    EXPECT_EQ(Grid->InplaceEditor()->SelLength(), 0);
    Keys("!");
    EXPECT_EQ(Grid->GetCellText(1, 1), "hello!");
    Grid->SetCellText(1, 1, "changed");
    Pump();
    EXPECT_EQ(Grid->InplaceEditor()->Text(), "changed");
}

TEST_F(GridEditTest, AnEditMaskShapesWhatTheCellTakes) {
    Make(kEdit);
    Grid->OnGetEditMask = [](TObject*, int col, int, String& mask) {
        if (col == 1) mask = "00:00;1;_";
    };
    Keys("{F2}");
    ASSERT_TRUE(EditorShown());
    auto* e = Grid->InplaceEditor();
    EXPECT_NE(GetWindowLong(e->Handle(), GWL_STYLE) & ES_MULTILINE, 0);
    EXPECT_EQ(e->EditText(), "__:__");
    Keys("{Home}1230x"); // F2 left the caret at the end
    EXPECT_EQ(e->EditText(), "12:30") << "the literal skipped, the letter refused";
    EXPECT_EQ(Grid->GetCellText(1, 1), "12:30");
    Keys("{BS}");
    EXPECT_EQ(Grid->GetCellText(1, 1), "12:3 ");
    Keys("{Enter}{Right}ab");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(e->EditMask(), "") << "the next cell has no mask";
    EXPECT_EQ(Grid->GetCellText(2, 1), "ab");
}

TEST_F(GridEditTest, ALimitOfMinusOneMakesTheCellReadOnly) {
    Make(kEdit, -1);
    Grid->SetCellText(1, 1, "fixed");
    Keys("{F2}");
    ASSERT_TRUE(EditorShown());
    EXPECT_FALSE(Grid->EditorMayModify());
    Keys("abc{BS}{Home}{Del}");
    SendMessage(Grid->InplaceEditor()->Handle(), WM_CUT, 0, 0);
    SendMessage(Grid->InplaceEditor()->Handle(), WM_PASTE, 0, 0);
    Pump();
    EXPECT_EQ(Grid->InplaceEditor()->Text(), "fixed");
    EXPECT_EQ(Grid->GetCellText(1, 1), "fixed");
}

TEST_F(GridEditTest, WithTheEditorAlwaysShownLeftAndRightLeaveTheTextAtItsEnds) {
    Make(kEdit | goAlwaysShowEditor);
    Grid->SetCellText(2, 1, "ab");
    ASSERT_TRUE(EditorShown());
    Keys("{Right}");
    EXPECT_EQ(Grid->Current(), (TGridCoord{2, 1})) << "an empty cell: the caret is at both ends";
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Grid->InplaceEditor()->Text(), "ab");
    Keys("{F2}{Left}");
    EXPECT_EQ(Grid->Current(), (TGridCoord{2, 1})) << "inside the text the caret moves";
    Keys("{Home}{Left}");
    EXPECT_EQ(Grid->Current(), (TGridCoord{1, 1}));
    // Without the option the arrows stay in the text.
    Grid->SetOptions(kEdit);
    Keys("{F2}{Home}{Left}{Left}");
    EXPECT_EQ(Grid->Current(), (TGridCoord{1, 1}));
    EXPECT_TRUE(EditorShown());
}

TEST_F(GridEditTest, ADoubleClickNeedsAPressOnTheGridFirstAndSurvivesTheClockWrap) {
    hb->SetDoubleClickTime(500);
    hb->SetTime(100);
    Make(kEdit);
    // The editor opened by the keyboard: its first press, early after start-up, is a plain one.
    Keys("{F2}");
    ASSERT_TRUE(EditorShown());
    EXPECT_FALSE(Grid->InplaceEditor()->HasPendingClick());
    hb->Click(RawButton::Left, At(Grid, 80, 30));
    Pump();
    EXPECT_EQ(DblClicks, 0);
    // A press on the current cell just before the 32-bit message clock wraps opens the editor;
    // a press on the editor just after the wrap is a double click.
    Keys("{Esc}{Down}");
    ASSERT_FALSE(EditorShown());
    hb->SetTime((std::uint64_t(1) << 32) - 100);
    hb->Click(RawButton::Left, At(Grid, 80, 50)); // row 2, the current one
    Pump();
    ASSERT_TRUE(EditorShown());
    hb->Advance(200);
    hb->Click(RawButton::Left, At(Grid, 80, 50));
    Pump();
    EXPECT_EQ(DblClicks, 1);
    EXPECT_FALSE(Grid->InplaceEditor()->HasPendingClick());
    // Too late for a double click.
    Keys("{Down}");
    hb->Advance(1000);
    hb->Click(RawButton::Left, At(Grid, 80, 70));
    Pump();
    ASSERT_TRUE(EditorShown());
    hb->Advance(800);
    hb->Click(RawButton::Left, At(Grid, 80, 70));
    Pump();
    EXPECT_EQ(DblClicks, 1);
}

TEST_F(GridEditTest, TheContextMenuHoldsTheEditingCommands) {
    Make(kEdit);
    Grid->SetCellText(1, 1, "text");
    Keys("{F2}");
    ASSERT_TRUE(EditorShown());
    SendMessage(Grid->InplaceEditor()->Handle(), WM_CONTEXTMENU, 0, MakeLParam(-1, -1));
    TPopupMenu* m = Grid->InplaceEditor()->ContextMenu();
    ASSERT_NE(m, nullptr);
    std::vector<std::string> captions;
    for (int i = 0; i < m->Items()->Count(); ++i)
        captions.push_back(m->Items()->Items(i)->Caption());
    EXPECT_EQ(captions,
              (std::vector<std::string>{"Undo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All"}));
    EXPECT_FALSE(m->Items()->Items(2)->Enabled) << "nothing selected: no Cut";
    EXPECT_TRUE(m->Items()->Items(7)->Enabled);
    // The menu key opens it at the editor's centre.
    const TRect r = GetWindowRect(Grid->InplaceEditor()->Handle());
    EXPECT_EQ(m->PopupPoint(), (TPoint{r.Left + r.Width() / 2, r.Top + r.Height() / 2}));
    m->Items()->Items(7)->Click();
    EXPECT_EQ(Grid->InplaceEditor()->SelLength(), 4);
    SendMessage(Grid->InplaceEditor()->Handle(), WM_SKINMENUCOMMAND, 0, 0);
    EXPECT_EQ(Grid->InplaceEditor()->ContextMenu(), nullptr);
}

} // namespace
} // namespace vd::test
