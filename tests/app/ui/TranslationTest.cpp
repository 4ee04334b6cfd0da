// Window translation from a language file's window section, over real skinned components.
#include "app/ui/Translation.h"
#include "app/core/ProgramPaths.h"
#include "skin/boxes/SkinCheckListBox.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/core/SkinStrings.h"
#include "skin/extra/dialogs/SkinProgressDialog.h"
#include "skin/extra/grids/SkinDrawGrid.h"

#include "../../platform/vcl/VclFixture.h"
#include "../core/TempFolder.h"

namespace vd {
namespace {

class TranslationTest : public test::VclTest {
protected:
    void SetUp() override {
        VclTest::SetUp();
        SetProgramFile(Folder.File("vendrill"));
    }
    void TearDown() override {
        SetProgramFile("");
        VclTest::TearDown();
    }
    // Writes vendrill.Test.lng and selects it.
    void UseLanguage(const std::string& text) {
        Folder.Write("vendrill.Test.lng", text);
        Language = std::make_unique<TLanguage>("vendrill.");
        ASSERT_TRUE(Language->SelectFile("Test.lng"));
    }
    template <class T> T* Add(TForm* form, const char* name) {
        auto* c = new T(form);
        c->SetName(name);
        c->SetParent(form);
        return c;
    }

    test::TTempFolder Folder;
    std::unique_ptr<TLanguage> Language;
};

TEST(TranslatableClassTest, ExactNamesOnly) {
    EXPECT_EQ(TranslatableClassIndex("TskSkinPanel"), 0);
    EXPECT_EQ(TranslatableClassIndex("tskskinedit"), 7);
    EXPECT_EQ(TranslatableClassIndex("TskSkinProgressDialog"), 17);
    EXPECT_EQ(TranslatableClassIndex("TskSkinCheckGroup"), 18);
    EXPECT_EQ(TranslatableClassIndex("TskSkinToolBar"), -1); // a descendant of the panel
    EXPECT_EQ(TranslatableClassIndex(""), -1);
}

TEST_F(TranslationTest, EveryKindOfComponent) {
    UseLanguage("[Constants]\nYes=Ja\n"
                "[FMain]\nCaption=Hauptfenster\n"
                "Panel=Tafel\nPanel.Hint=Ein Hinweis\n"
                "Button=.Yes\n"
                "Edit=vom Text\n"
                "Combo.1=Eins\nCombo.2=Zwei\n"
                "List.2=Zweite\n"
                "Checks.1=Erste\nChecks.3=Dritte\n"
                "Closing=Vendrill schliesst\nClosing.Text=Bitte warten\n"
                "Radio=Wahl\nRadio.1=Links\nRadio.2=Rechts\n"
                "Grid.1.1=A\nGrid.2.1=B\nGrid.3.1=C\nGrid.2.2=not a fixed cell\n"
                "Tree.2=Kind\n"
                "Bar=Leiste\n");
    TForm* form = NewForm();
    form->SetName("FMain");
    form->SetCaption("Main");
    auto* panel = Add<TskSkinPanel>(form, "Panel");
    panel->SetCaption("Panel");
    auto* button = Add<TskSkinButton>(form, "Button");
    button->SetCaption("Yes");
    button->SetHint("kept\\n");
    auto* untouched = Add<TskSkinEdit>(form, "Untouched");
    untouched->SetText("typed\\n");
    auto* edit = Add<TskSkinEdit>(form, "Edit");
    edit->SetText("old");
    auto* combo = Add<TskSkinComboBox>(form, "Combo");
    combo->Items().Add("One");
    combo->Items().Add("Two");
    combo->Items().Add("Three");
    combo->SetItemIndex(1);
    auto* list = Add<TskSkinListBox>(form, "List");
    list->Items().Add("first");
    list->Items().Add("second");
    auto* checks = Add<TskSkinCheckListBox>(form, "Checks");
    checks->Items().Add("a");
    checks->Items().Add("b");
    checks->Items().Add("c");
    checks->SetChecked(0, true);
    checks->SetState(2, 2);
    auto* closing = new TskSkinProgressDialog(form);
    closing->SetName("Closing");
    auto* radio = Add<TskSkinRadioGroup>(form, "Radio");
    radio->Items().Add("left");
    radio->Items().Add("right");
    auto* grid = Add<TskSkinStringGrid>(form, "Grid");
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetFixedCols(0);
    grid->SetFixedRows(1);
    auto* tree = Add<TskSkinTreeView>(form, "Tree");
    TTreeNode* root = tree->Items().AddChild(nullptr, "root");
    tree->Items().AddChild(root, "child");
    auto* bar = Add<TskSkinToolBar>(form, "Bar");
    bar->SetCaption("Bar");

    TranslateForm(*Language, form);

    EXPECT_EQ(form->Caption(), "Hauptfenster");
    EXPECT_EQ(panel->Caption(), "Tafel");
    EXPECT_EQ(panel->Hint(), "Ein Hinweis");
    EXPECT_TRUE(panel->ShowHint());
    EXPECT_EQ(button->Caption(), "Ja");       // constant reference expanded
    EXPECT_EQ(button->Hint(), "kept\r\n");    // no key: the current text with escapes applied
    EXPECT_EQ(untouched->Text(), "typed\\n"); // what the user typed is never rewritten
    EXPECT_EQ(edit->Text(), "vom Text");
    EXPECT_EQ(combo->Items()[0], "Eins");
    EXPECT_EQ(combo->Items()[1], "Zwei");
    EXPECT_EQ(combo->Items()[2], "Three");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(list->Items()[0], "first");
    EXPECT_EQ(list->Items()[1], "Zweite");
    EXPECT_EQ(checks->Items()[0], "Erste");
    EXPECT_EQ(checks->Items()[2], "Dritte");
    EXPECT_EQ(checks->State(0), 1);
    EXPECT_EQ(checks->State(1), 0);
    EXPECT_EQ(checks->State(2), 2) << "the third state survives its item's new text";
    EXPECT_EQ(closing->Caption, "Vendrill schliesst");
    EXPECT_EQ(closing->LabelCaption, "Bitte warten");
    EXPECT_EQ(radio->Caption(), "Wahl");
    EXPECT_EQ(radio->Items()[0], "Links");
    EXPECT_EQ(radio->Items()[1], "Rechts");
    EXPECT_EQ(grid->GetCellText(0, 0), "A");
    EXPECT_EQ(grid->GetCellText(1, 0), "B");
    EXPECT_EQ(grid->GetCellText(2, 0), "C");
    EXPECT_EQ(grid->GetCellText(1, 1), ""); // not a fixed cell
    EXPECT_EQ(tree->Items().Item(0)->Text(), "root");
    EXPECT_EQ(tree->Items().Item(1)->Text(), "Kind");
    EXPECT_EQ(bar->Caption(), "Bar"); // a descendant class is left alone
}

TEST_F(TranslationTest, WindowWithoutSectionKeepsItsTextsExactly) {
    UseLanguage("[Constants]\nYes=Ja\n[Other]\nPanel=wrong window\n");
    TForm* form = NewForm();
    form->SetName("FMain");
    form->SetCaption("Main\\n");
    auto* panel = Add<TskSkinPanel>(form, "Panel");
    panel->SetCaption(".Yes\\n");
    TranslateForm(*Language, form);
    EXPECT_EQ(form->Caption(), "Main\\n");
    EXPECT_EQ(panel->Caption(), ".Yes\\n");
    EXPECT_FALSE(panel->ShowHint());
}

TEST_F(TranslationTest, NoLanguageFileChangesNothing) {
    TLanguage none("vendrill.");
    TForm* form = NewForm();
    form->SetName("FMain");
    form->SetCaption("Main");
    TranslateForm(none, form);
    EXPECT_EQ(form->Caption(), "Main");
    TskResourceStrData strings(nullptr);
    strings.SetResStrings({"msg_btn_cancel=Cancel"});
    TranslateResStrings(none, &strings);
    EXPECT_EQ(strings.ResStrings()[0], "msg_btn_cancel=Cancel");
}

TEST_F(TranslationTest, SkinStrings) {
    UseLanguage("[Constants]\nButton.CANCEL=Abbrechen\nDialog.WARNING=Achtung\nMSG.DISK=Kein Platz\n"
                "CLOSE=Schliessen\n");
    struct Case {
        const char* key;
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        {"MSG_BTN_CANCEL", "Cancel", "Abbrechen"}, {"msg_btn_ok", "OK", "OK"},
        {"MSG_CAP_WARNING", "Warning", "Achtung"}, {"MSG_DISK", "Disk full", "Kein Platz"},
        {"close", "Close", "Schliessen"},          {"MINIMIZE", "Minimize", "Minimize"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TranslateResString(*Language, c.key, c.value), c.expected) << c.key;

    TskResourceStrData strings(nullptr);
    strings.SetResStrings({"msg_btn_cancel=Cancel", "=no key", "no equals", "close=Close=x"});
    TranslateResStrings(*Language, &strings);
    const std::vector<String> expected = {"MSG_BTN_CANCEL=Abbrechen", "=no key", "no equals",
                                          "CLOSE=Schliessen"};
    EXPECT_EQ(strings.ResStrings(), expected);
}

} // namespace
} // namespace vd
