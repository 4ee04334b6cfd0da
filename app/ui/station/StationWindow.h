#pragma once
// The stream editor: a modal window that edits a working copy of one stream's configuration,
// checks it and on Save puts it into StationList and the settings file, telling a running
// stream whether it has to restart.
#include "app/core/StationRecord.h"
#include "platform/rtl/String.h"
#include "platform/vcl/Form.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"

namespace vd {

class TFormEvents;
class TskSkinComboBox;
class TskSkinEdit;
class TskSkinForm;
class TskSkinMessage;
class TskSkinPasswordEdit;
class TskSkinSpinEdit;

// The bit rates the editor offers, in kbit/s.
inline constexpr int StationBitrates[] = {8,  12, 16,  24,  32,  40,  48,  56,  64,
                                          80, 96, 112, 128, 160, 192, 224, 256, 320};

class TFStation : public TForm {
public:
    explicit TFStation(TComponent* AOwner);

    // Frame, skin and message box.
    TskSkinForm* skSkinForm1 = nullptr;
    TskSkinData* SKSD = nullptr;
    TskSkinMessage* MSG = nullptr;

    TskSkinRadioGroup* RGMode = nullptr;
    TskSkinStdLabel* Lab_Server = nullptr;
    TskSkinEdit* EServer = nullptr;
    TskSkinStdLabel* Lab_Port = nullptr;
    TskSkinSpinEdit* EPort = nullptr;
    TskSkinStdLabel* Lab_Buffer = nullptr;
    TskSkinSpinEdit* EBuffer = nullptr;
    TskSkinStdLabel* Lab_User = nullptr;
    TskSkinEdit* EUser = nullptr;
    TskSkinEdit* EAllowIP = nullptr;
    TskSkinStdLabel* Lab_Pass = nullptr;
    TskSkinPasswordEdit* EPass = nullptr;
    TskSkinEdit* ESPass = nullptr;
    TskSkinCheckRadioBox* CBShowPass = nullptr;
    TskSkinStdLabel* Lab_ID = nullptr;
    TskSkinEdit* E_ID = nullptr;
    TskSkinStdLabel* Lab_Title = nullptr;
    TskSkinComboBox* CBTitle = nullptr;
    TskSkinStdLabel* Lab_Type = nullptr;
    TskSkinComboBox* CBType = nullptr;
    TskSkinStdLabel* Lab_Bitrate = nullptr;
    TskSkinComboBox* CBBitrate = nullptr;
    TskSkinStdLabel* Lab_Chan = nullptr;
    TskSkinComboBox* CBChannel = nullptr;
    TskSkinCheckRadioBox* CBPublic = nullptr;
    TskSkinCheckRadioBox* CBAuto = nullptr;
    TskSkinCheckRadioBox* CBLockFreq = nullptr;
    TskSkinSpeedButton* SBOK = nullptr;
    TskSkinSpeedButton* SBCancel = nullptr;
    // Hidden: they only hold the (translated) texts the mode switch puts into the visible labels.
    TskSkinStdLabel* Lab_StreamID = nullptr;
    TskSkinStdLabel* Lab_Mount = nullptr;
    TskSkinStdLabel* LabAllowIP = nullptr;
    TskSkinStdLabel* Lab_UserName = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void StartEdit(int Index);
    void ShowSetting();
    bool ApplySetting();
    void RGModeClick(TObject* Sender);
    void CBShowPassClick(TObject* Sender);
    void SBOKClick(TObject* Sender);
    void SBCancelClick(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    static bool CheckCorrectIP(const String& List);

    // The working copy, the edited stream (-1: a new one) and whether a setting that a running
    // cast depends on was changed.
    const TStationConfig& Station() const { return FStation; }
    int EditIndex() const { return FEditIndex; }
    bool Changed() const { return FChanged; }

private:
    // The handlers the form resource names.
    TFormEvents Events();
    void BindComponents();
    void CloseWith(TModalResult Result);
    void ShowBitrate(int Bitrate);
    int ChosenBitrate();
    void ShowDialog(const String& DialogName, const String& Text, int DialogType);
    bool Refuse(const String& DialogName, const String& Text, int DialogType);
    template <typename T> void Track(T& Field, const T& Value);

    TStationConfig FStation;
    int FEditIndex = -1;
    bool FChanged = false;
    bool FPassPlain = false; // ESPass, not EPass, holds the password being typed
};

// Opens the editor for the stream at Index (-1: a new stream); true when it was saved.
bool EditStation(int index);

} // namespace vd
