#pragma once
// The plug-in chooser: the plug-in folder, the plug-ins found there and the ones in use in chain
// order. Adding and removing act on the running chain at once; Save writes the folder and the
// list into the settings file.
#include "platform/rtl/String.h"
#include "platform/vcl/Form.h"
#include "skin/controls/Forward.h"

namespace vd {

class TskSkinDirectoryEdit;
class TskSkinForm;
class TskSkinListBox;

class TFr_Filters : public TForm {
public:
    explicit TFr_Filters(TComponent* AOwner);

    TskSkinForm* skSkinForm1 = nullptr;
    TskSkinPanel* PanMsg = nullptr;
    TskSkinStdLabel* Lab_Warning = nullptr;
    TskSkinPanel* PanTC = nullptr;
    TskSkinPanel* PanT = nullptr;
    TskSkinStdLabel* Lab_Path = nullptr;
    TskSkinDirectoryEdit* DEPlugins = nullptr;
    TskSkinPanel* PanL = nullptr;
    TskSkinListBox* LBPlugin = nullptr;
    TskSkinPanel* PanC = nullptr;
    TskSkinSpeedButton* SBFilterAdd = nullptr;
    TskSkinSpeedButton* SBFilterDel = nullptr;
    TskSkinSpeedButton* SBOk = nullptr;
    TskSkinPanel* PanUse = nullptr;
    TskSkinListBox* LBUsePlugin = nullptr;

    void FormCreate(TObject* Sender);
    void FillParm();
    void CheckChangePath();
    void ApplyFilters();
    // The folder as the plug-in host wants it: with a trailing '/'.
    String PluginFolder() const;

    void DEPluginsChange(TObject* Sender);
    void SBFilterAddClick(TObject* Sender);
    void SBFilterDelClick(TObject* Sender);
    void LBUsePluginDblClick(TObject* Sender);
    void SBOkClick(TObject* Sender);
    void PanCResize(TObject* Sender);
    void PanTResize(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
};

// Shows the chooser modally.
void ShowPluginsWindow();

} // namespace vd
