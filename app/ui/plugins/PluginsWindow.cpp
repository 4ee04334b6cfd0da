#include "app/ui/plugins/PluginsWindow.h"

#include "app/core/AppSettings.h"
#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsFile.h"
#include "app/plugins/VDPlugIns.h"
#include "app/ui/AppSkin.h"
#include "app/ui/FormEvents.h"
#include "app/ui/FormResource.h"
#include "app/ui/Translation.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Application.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "skin/extra/shell/SkinDialogEdits.h"
#include "skin/extra/shell/SkinSelectDirDialog.h"
#include "skin/form/frame/SkinForm.h"

#include <algorithm>

namespace vd {

namespace {

void AssignLines(TStrings& target, const TStrings& lines) {
    target.Assign(lines);
}

void AssignLines(TStrings& target, const std::vector<String>& lines) {
    target.BeginUpdate();
    target.Clear();
    for (const String& line : lines)
        target.Add(line);
    target.EndUpdate();
}

bool HasExactName(const TStrings& lines, const String& name) {
    for (int i = 0; i < lines.Count(); ++i)
        if (lines[i] == name) return true;
    return false;
}

} // namespace

TFr_Filters::TFr_Filters(TComponent* AOwner) : TForm(AOwner) {
    SetName("Fr_Filters"); // the language file's section
    TFormEvents events;
    events.Notify("DEPluginsChange", this, &TFr_Filters::DEPluginsChange);
    events.Notify("SBFilterAddClick", this, &TFr_Filters::SBFilterAddClick);
    events.Notify("SBFilterDelClick", this, &TFr_Filters::SBFilterDelClick);
    events.Notify("LBUsePluginDblClick", this, &TFr_Filters::LBUsePluginDblClick);
    events.Notify("SBOkClick", this, &TFr_Filters::SBOkClick);
    events.Notify("PanCResize", this, &TFr_Filters::PanCResize);
    events.Notify("PanTResize", this, &TFr_Filters::PanTResize);
    events.Close("FormClose", [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); });
    ReadFormResource(this, "Fr_Filters", events.Binder());
    skSkinForm1 = FormComponent<TskSkinForm>(this, "skSkinForm1");
    PanMsg = FormComponent<TskSkinPanel>(this, "PanMsg");
    Lab_Warning = FormComponent<TskSkinStdLabel>(this, "Lab_Warning");
    PanTC = FormComponent<TskSkinPanel>(this, "PanTC");
    PanT = FormComponent<TskSkinPanel>(this, "PanT");
    Lab_Path = FormComponent<TskSkinStdLabel>(this, "Lab_Path");
    DEPlugins = FormComponent<TskSkinDirectoryEdit>(this, "DEPlugins");
    PanL = FormComponent<TskSkinPanel>(this, "PanL");
    LBPlugin = FormComponent<TskSkinListBox>(this, "LBPlugin");
    PanC = FormComponent<TskSkinPanel>(this, "PanC");
    SBFilterAdd = FormComponent<TskSkinSpeedButton>(this, "SBFilterAdd");
    SBFilterDel = FormComponent<TskSkinSpeedButton>(this, "SBFilterDel");
    SBOk = FormComponent<TskSkinSpeedButton>(this, "SBOk");
    PanUse = FormComponent<TskSkinPanel>(this, "PanUse");
    LBUsePlugin = FormComponent<TskSkinListBox>(this, "LBUsePlugin");
    if (TskSkinData* skin = MainSkinData()) {
        AssignSkinData(this, skin);
        DEPlugins->SetDlgSkinData(skin);
        DEPlugins->SetDlgCtrlSkinData(skin);
    }
    HandleNeeded(); // the client size depends on the frame the window gets
    SetClientWidth(488);
    SetClientHeight(565);
    FormCreate(this);
}

void TFr_Filters::FormCreate(TObject*) {
    if (AppLanguage) TranslateForm(*AppLanguage, this);
    if (const String title = AppTexts()->GetDialogText("SelectFolder"); !title.empty())
        DEPlugins->Dialog()->SetTitle(title);
    FillParm();
}

void TFr_Filters::FillParm() {
    PanMsg->SetVisible(AppSettings.Sample != 44100);
    DEPlugins->SetText(AppSettings.Path); // scans the folder through DEPluginsChange
    AssignLines(LBPlugin->Items(), PluginHost().AvailablePlugins());
    AssignLines(LBUsePlugin->Items(), PluginFiles);
}

String TFr_Filters::PluginFolder() const {
    String folder = DEPlugins->Text();
    // No folder is no folder: a slash alone would scan and load from the root.
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

void TFr_Filters::DEPluginsChange(TObject*) {
    ScanPlugins(PluginFolder());
    AssignLines(LBPlugin->Items(), PluginHost().AvailablePlugins());
}

void TFr_Filters::SBFilterAddClick(TObject*) {
    const int selected = LBPlugin->ItemIndex();
    if (selected < 0 || selected >= LBPlugin->Items().Count()) return;
    const String name = LBPlugin->Items()[selected];
    TStrings& inUse = LBUsePlugin->Items();
    for (int i = 0; i < inUse.Count(); ++i)
        if (SameText(inUse[i], name)) return;
    inUse.Add(name);
    LoadPlugin(PluginFolder(), name); // one that fails to load is listed all the same
    CheckChangePath();
}

void TFr_Filters::SBFilterDelClick(TObject*) {
    TStrings& inUse = LBUsePlugin->Items();
    const int selected = LBUsePlugin->ItemIndex();
    if (selected < 0 || selected >= inUse.Count()) return;
    const String name = inUse[selected];
    inUse.Delete(selected);
    // Entries find their plug-in by name; the record goes with the last entry of that name.
    if (!HasExactName(inUse, name)) PluginHost().UnloadPluginByName(name);
    CheckChangePath();
}

void TFr_Filters::LBUsePluginDblClick(TObject*) {
    const int selected = LBUsePlugin->ItemIndex();
    if (selected < 0 || selected >= LBUsePlugin->Items().Count()) return;
    PluginHost().ConfigurePluginByName(LBUsePlugin->Items()[selected]);
}

void TFr_Filters::CheckChangePath() {
    DEPlugins->SetEnabled(LBUsePlugin->Items().Count() == 0);
}

void TFr_Filters::ApplyFilters() {
    AppSettings.Path = DEPlugins->Text();
    PluginFiles.clear();
    const TStrings& inUse = LBUsePlugin->Items();
    for (int i = 0; i < inUse.Count(); ++i)
        PluginFiles.push_back(inUse[i]);
}

void TFr_Filters::SBOkClick(TObject*) {
    {
        std::lock_guard<std::mutex> lock(AppSettingsLock());
        ApplyFilters();
    }
    if (!WritePlugins()) {
        TskSkinMessage box(nullptr);
        box.SetSkinData(MainSkinData());
        box.SetCtrlSkinData(MainSkinData());
        box.ShowMessageDialog("The settings could not be saved: " + SettingsFilePath(), skmtError,
                              SkBtn(skmbOK), 0);
    }
    SetModalResult(mrOk);
}

void TFr_Filters::PanCResize(TObject*) {
    const int left = (PanC->ClientWidth() - SBFilterAdd->Width()) / 2;
    const int eighth = PanC->ClientHeight() / 8;
    SBFilterAdd->SetLeft(left);
    SBFilterAdd->SetTop(2 * eighth);
    SBFilterDel->SetLeft(left);
    SBFilterDel->SetTop(2 * eighth + eighth);
}

void TFr_Filters::PanTResize(TObject*) {
    DEPlugins->SetWidth(std::max(0, PanT->ClientWidth() - DEPlugins->Left() - 4));
}

void TFr_Filters::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
}

void ShowPluginsWindow() {
    auto* window = new TFr_Filters(Application);
    window->ShowModal();
}

} // namespace vd
