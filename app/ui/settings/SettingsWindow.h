#pragma once
// The settings window: language, capture device and rate, tray and login options, notification
// delays, station information, title source and the SMTP parameters with a test message. Save
// stores the window's values into AppSettings, raises the restart flags and writes the file.
#include "platform/rtl/String.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Forward.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"

#include <array>
#include <functional>
#include <vector>

namespace vd {

class TskSkinComboBox;
class TskSkinEdit;
class TskSkinFileEdit;
class TskSkinForm;
class TskSkinMessage;
class TskSkinPageControl;
class TskSkinPasswordEdit;
class TskSkinSpinEdit;
class TskSkinTabSheet;

// What the window needs of the running program. The main window sets it before the first
// ShowSettings; tests give their own.
struct TSettingsServices {
    // Names of the recording devices in device-list order; empty: the audio engine's list.
    std::function<std::vector<String>()> DeviceNames;
    // The e-mail test started: the mailer's wait before its next try is to be dropped.
    std::function<void()> MailTestStarted;
};
void SetSettingsServices(TSettingsServices services);

inline constexpr std::array<int, 5> SampleRates = {22050, 44100, 48000, 88200, 96000};
// The text the e-mail test queues.
inline constexpr const char* MailTestText = "This is test message from Vendrill.";

class TFSettings : public TForm {
public:
    explicit TFSettings(TComponent* AOwner);
    ~TFSettings() override;

    TskSkinData* SKSD = nullptr;
    TskSkinForm* skSkinForm1 = nullptr;
    TskSkinMessage* sMsg = nullptr;
    TTimer* StatusTimer = nullptr;
    TskSkinPanel* PanBtn = nullptr;
    TskSkinSpeedButton* SBOK = nullptr;
    TskSkinSpeedButton* SBCancel = nullptr;
    TskSkinPageControl* Pages = nullptr;
    TskSkinTabSheet* TabMain = nullptr;
    TskSkinTabSheet* TabInfo = nullptr;
    TskSkinTabSheet* TabTitle = nullptr;
    TskSkinTabSheet* TabEMail = nullptr;
    // Main
    TskSkinComboBox* CB_Language = nullptr;
    TskSkinRadioGroup* RGDevice = nullptr;
    TskSkinComboBox* CBDevice = nullptr;
    TskSkinComboBox* CBFreq = nullptr;
    TskSkinCheckRadioBox* CBTray = nullptr;
    TskSkinCheckRadioBox* CBAutoStart = nullptr;
    TskSkinSpinEdit* ETimeError = nullptr;
    TskSkinSpinEdit* ETimeRestore = nullptr;
    // Station info
    TskSkinEdit* EIName = nullptr;
    TskSkinEdit* EIDesc = nullptr;
    TskSkinEdit* EIURL = nullptr;
    TskSkinEdit* EIGenre = nullptr;
    TskSkinEdit* EIAIM = nullptr;
    TskSkinEdit* EIIRC = nullptr;
    TskSkinEdit* EIICQ = nullptr;
    TskSkinCheckRadioBox* RBInfoUTF8 = nullptr;
    // Title update
    TskSkinCheckRadioBox* UTFile = nullptr;
    TskSkinCheckRadioBox* UTPort = nullptr;
    TskSkinStdLabel* LabFile = nullptr;
    TskSkinFileEdit* EFileName = nullptr;
    TskSkinCheckRadioBox* CB_TextUTF8 = nullptr;
    TskSkinStdLabel* LPort = nullptr;
    TskSkinSpinEdit* EPort = nullptr;
    TskSkinCheckRadioBox* UTOnlyIP = nullptr;
    TskSkinEdit* EHost = nullptr;
    TskSkinStdLabel* LPass = nullptr;
    TskSkinPasswordEdit* EPass = nullptr;
    TskSkinEdit* EPassView = nullptr;
    TskSkinCheckRadioBox* CBSHowPass = nullptr;
    TskSkinCheckRadioBox* CBTitle_String = nullptr;
    // E-mail
    TskSkinGroupBox* GBEMail = nullptr;
    TskSkinEdit* ESMTPSend = nullptr;
    TskSkinEdit* ESMTPHost = nullptr;
    TskSkinEdit* ESMTPFrom = nullptr;
    TskSkinEdit* ESMTPUser = nullptr;
    TskSkinPasswordEdit* ESMTPPass = nullptr;
    TskSkinSpinEdit* ESMTPPort = nullptr;
    TskSkinCheckRadioBox* CBSMTPAuth = nullptr;
    TskSkinCheckRadioBox* CBSMTPUseSSL = nullptr;
    TskSkinSpeedButton* SBEMailTest = nullptr;
    TskSkinLabel* EMailRes = nullptr;

    void FormCreate(TObject* Sender);
    void FillParms();
    void ShowModeTitleUpdate(int Mode);
    // Copies the window's values into AppSettings and raises the restart flags; false, after
    // telling the user, when no device or no rate is chosen.
    bool StoreSetting();

    void UTFileClick(TObject* Sender);
    void UTPortClick(TObject* Sender);
    void UTOnlyIPClick(TObject* Sender);
    void CBSHowPassClick(TObject* Sender);
    void EPassViewChange(TObject* Sender);
    void CBAutoStartClick(TObject* Sender);
    void CBSMTPUseSSLClick(TObject* Sender);
    void CB_LanguageChange(TObject* Sender);
    void SBOKClick(TObject* Sender);
    void SBCancelClick(TObject* Sender);
    void SBEMailTestClick(TObject* Sender);
    void StatusTimerTimer(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

private:
    void FindComponents();
    int ShowError(const String& text);

    // Programmatic changes while the window fills itself must not act like the user's clicks.
    bool FFilling = false;
    bool FTranslating = false;
};

// Shows the window modally; true when the user saved.
bool ShowSettings();

} // namespace vd
