#include "app/ui/Translation.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ComCtrls/TreeView.h"
#include "platform/vcl/Control.h"
#include "skin/boxes/SkinCheckListBox.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/boxes/SkinTabs.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/core/SkinStrings.h"
#include "skin/extra/dialogs/SkinProgressDialog.h"
#include "skin/extra/grids/SkinDrawGrid.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vd {

namespace {

constexpr std::array<std::string_view, 19> ClassNames = {
    "TskSkinPanel",    "TskSkinLabel",          "TskSkinStdLabel",      "TskSkinSpeedButton",
    "TskSkinButton",   "TskSkinGroupBox",       "TskSkinCheckRadioBox", "TskSkinEdit",
    "TskSkinTabSheet", "TskSkinPageControl",    "TskSkinTabControl",    "TskSkinRadioGroup",
    "TskSkinComboBox", "TskSkinListBox",        "TskSkinCheckListBox",  "TskSkinStringGrid",
    "TskSkinTreeView", "TskSkinProgressDialog", "TskSkinCheckGroup"};

enum : int {
    ciPanel,
    ciLabel,
    ciStdLabel,
    ciSpeedButton,
    ciButton,
    ciGroupBox,
    ciCheckRadioBox,
    ciEdit,
    ciTabSheet,
    ciPageControl,
    ciTabControl,
    ciRadioGroup,
    ciComboBox,
    ciListBox,
    ciCheckListBox,
    ciStringGrid,
    ciTreeView,
    ciProgressDialog,
    ciCheckGroup
};

// The lookups of one component: NAME, NAME.Hint, NAME.n ...
class TTranslator {
public:
    TTranslator(const TLanguage& language, const TLanguageList& list, const String& name)
        : FLanguage(language), FList(list), FName(name) {}

    String Lookup(const String& suffix, const String& current) const {
        return FLanguage.LookupInList(Key(suffix), &FList, current);
    }
    bool Has(const String& suffix) const { return FindLanguageEntry(FList, Key(suffix)) != nullptr; }

    void Caption(TControl* c) const { c->SetCaption(Lookup(String(), c->Caption())); }
    void Hint(TControl* c) const {
        const String hint = Lookup("Hint", c->Hint());
        c->SetHint(hint);
        if (!hint.empty()) c->SetShowHint(true);
    }
    // Items the program wrote: replaced from the file, escapes applied to the rest.
    void Items(TStrings& items) const {
        for (int i = 0; i < items.Count(); ++i) {
            const String text = Lookup(std::to_string(i + 1), items[i]);
            if (text != items[i]) items.SetStrings(i, text);
        }
    }
    // Items the user may have entered: replaced only where the file has a key.
    void OwnItems(TStrings& items) const {
        for (int i = 0; i < items.Count(); ++i) {
            const String suffix = std::to_string(i + 1);
            if (Has(suffix)) items.SetStrings(i, Lookup(suffix, items[i]));
        }
    }
    void OwnText(TControl* c) const {
        if (Has(String())) c->SetText(Lookup(String(), c->Text()));
    }

private:
    String Key(const String& suffix) const { return suffix.empty() ? FName : FName + "." + suffix; }

    const TLanguage& FLanguage;
    const TLanguageList& FList;
    String FName;
};

void TranslateGrid(const TTranslator& t, TskSkinStringGrid* grid) {
    for (int r = 0; r < grid->RowCount(); ++r)
        for (int c = 0; c < grid->ColCount(); ++c) {
            if (c >= grid->FixedCols() && r >= grid->FixedRows()) continue;
            const String current = grid->GetCellText(c, r);
            const String text = t.Lookup(std::to_string(c + 1) + "." + std::to_string(r + 1), current);
            if (text != current) grid->SetCellText(c, r, text);
        }
}

void TranslateTree(const TTranslator& t, TskSkinTreeView* tree) {
    TTreeNodes& nodes = tree->Items();
    for (int i = 0; i < nodes.Count(); ++i) {
        TTreeNode* node = nodes.Item(i);
        const String text = t.Lookup(std::to_string(i + 1), node->Text());
        if (text != node->Text()) node->SetText(text);
    }
}

// Replacing an item's text resets its state: keep all three (unchecked, checked, other).
void TranslateCheckList(const TTranslator& t, TskSkinCheckListBox* box) {
    std::vector<int> states;
    for (int i = 0; i < box->Items().Count(); ++i)
        states.push_back(box->State(i));
    t.OwnItems(box->Items());
    for (int i = 0; i < box->Items().Count() && i < static_cast<int>(states.size()); ++i)
        box->SetState(i, states[static_cast<std::size_t>(i)]);
}

// The dialog is a component, not a control: its caption under NAME, its label under NAME.Text.
void TranslateProgress(const TTranslator& t, TskSkinProgressDialog* dialog) {
    dialog->Caption = t.Lookup(String(), dialog->Caption);
    dialog->LabelCaption = t.Lookup("Text", dialog->LabelCaption);
}

void TranslateCombo(const TTranslator& t, TskSkinComboBox* combo) {
    const int index = combo->ItemIndex();
    t.OwnItems(combo->Items());
    if (index >= 0)
        combo->SetItemIndex(index);
    else
        t.OwnText(combo);
}

} // namespace

int TranslatableClassIndex(const String& className) {
    for (std::size_t i = 0; i < ClassNames.size(); ++i)
        if (SameText(ClassNames[i], className)) return static_cast<int>(i);
    return -1;
}

void TranslateComponent(const TLanguage& language, TComponent* component, int classIndex,
                        const TLanguageList& list) {
    if (!component || classIndex < 0 || component->Name().empty()) return;
    const TTranslator t(language, list, component->Name());
    if (classIndex == ciProgressDialog) {
        if (auto* dialog = dynamic_cast<TskSkinProgressDialog*>(component)) TranslateProgress(t, dialog);
        return;
    }
    auto* control = dynamic_cast<TControl*>(component);
    if (!control) return;
    switch (classIndex) {
    case ciPanel:
    case ciLabel:
    case ciStdLabel:
    case ciSpeedButton:
    case ciButton:
    case ciGroupBox:
    case ciCheckRadioBox:
    case ciTabSheet:
        t.Caption(control);
        break;
    case ciEdit:
        t.OwnText(control);
        break;
    case ciTabControl:
        if (auto* tabs = dynamic_cast<TskSkinTabControl*>(control)) t.Items(tabs->Tabs());
        break;
    case ciRadioGroup:
        t.Caption(control);
        if (auto* group = dynamic_cast<TskSkinRadioGroup*>(control)) t.Items(group->Items());
        break;
    case ciCheckGroup:
        t.Caption(control);
        if (auto* group = dynamic_cast<TskSkinCheckGroup*>(control)) t.Items(group->Items());
        break;
    case ciComboBox:
        if (auto* combo = dynamic_cast<TskSkinComboBox*>(control)) TranslateCombo(t, combo);
        break;
    case ciListBox:
        if (auto* box = dynamic_cast<TskSkinListBox*>(control)) t.OwnItems(box->Items());
        break;
    case ciCheckListBox:
        if (auto* box = dynamic_cast<TskSkinCheckListBox*>(control)) TranslateCheckList(t, box);
        break;
    case ciStringGrid:
        if (auto* grid = dynamic_cast<TskSkinStringGrid*>(control)) TranslateGrid(t, grid);
        break;
    case ciTreeView:
        if (auto* tree = dynamic_cast<TskSkinTreeView*>(control)) TranslateTree(t, tree);
        break;
    default:
        break;
    }
    t.Hint(control);
}

void TranslateForm(const TLanguage& language, TComponent* window) {
    if (!window || language.FileName().empty() || !FileExists(language.FileName())) return;
    const TLanguageList list = language.ReadSection(window->Name());
    if (list.empty()) return; // no section: the window keeps its texts exactly
    if (auto* form = dynamic_cast<TControl*>(window))
        form->SetCaption(language.LookupInList("Caption", &list, form->Caption()));
    for (int i = 0; i < window->ComponentCount(); ++i) {
        TComponent* c = window->Components(i);
        TranslateComponent(language, c, TranslatableClassIndex(c->ClassName()), list);
    }
}

String TranslateResString(const TLanguage& language, const String& key, const String& value) {
    const String upper = UpperCase(key);
    static constexpr std::string_view Prefixes[] = {"MSG_CAP_", "MSG_BTN_", "MSG_"};
    static constexpr std::string_view Sections[] = {"Dialog", "Button", "MSG"};
    for (std::size_t i = 0; i < 3; ++i)
        if (upper.starts_with(Prefixes[i]))
            return language.GetText(String(Sections[i]), upper.substr(Prefixes[i].size()), value);
    return language.GetConstant(upper, value);
}

void TranslateResStrings(const TLanguage& language, TskResourceStrData* data) {
    if (!data || language.FileName().empty()) return;
    std::vector<String> lines;
    for (const String& line : data->ResStrings()) {
        const std::size_t eq = line.find('=');
        if (eq == String::npos || eq == 0) {
            lines.push_back(line);
            continue;
        }
        const String key = UpperCase(line.substr(0, eq));
        lines.push_back(key + "=" + TranslateResString(language, key, line.substr(eq + 1)));
    }
    data->SetResStrings(lines);
}

} // namespace vd
