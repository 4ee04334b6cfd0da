#include "app/ui/settings/SettingsWindow.h"

#include "app/core/AppSettings.h"
#include "app/core/Language.h"
#include "app/core/ProgramPaths.h"
#include "app/core/SettingsFile.h"
#include "app/streams/Mailer.h"
#include "app/ui/AppSkin.h"
#include "app/ui/FormEvents.h"
#include "app/ui/FormResource.h"
#include "app/ui/Translation.h"
#include "platform/audio/AudioEngine.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Timer.h"
#include "skin/boxes/SkinBoxes.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/core/SkinData.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "skin/extra/shell/SkinDialogEdits.h"
#include "skin/extra/shell/SkinOpenDialog.h"
#include "skin/form/frame/SkinForm.h"

#include <cmath>

namespace vd {

namespace {

TSettingsServices Services;

std::vector<String> DeviceNames() {
    if (Services.DeviceNames) return Services.DeviceNames();
    std::vector<String> names;
    audio::AE_DEVICEINFO info{};
    for (std::uint32_t i = 0; audio::AE_RecordGetDeviceInfo(i, &info); ++i)
        names.emplace_back(info.name ? info.name : "");
    return names;
}

// A spin edit's value as the settings hold it; the window's ranges keep it far from overflow.
int SpinValue(const TskSkinSpinEdit* edit) {
    return static_cast<int>(std::trunc(edit->Value()));
}

bool StoreText(String& field, const String& value) {
    if (field == value) return false;
    field = value;
    return true;
}

} // namespace

void SetSettingsServices(TSettingsServices services) {
    Services = std::move(services);
}

TFSettings::TFSettings(TComponent* AOwner) : TForm(AOwner) {
    SetName("FSettings"); // the language file's section
    TFormEvents events;
    events.Notify("UTFileClick", this, &TFSettings::UTFileClick);
    events.Notify("UTPortClick", this, &TFSettings::UTPortClick);
    events.Notify("UTOnlyIPClick", this, &TFSettings::UTOnlyIPClick);
    events.Notify("CBSHowPassClick", this, &TFSettings::CBSHowPassClick);
    events.Notify("EPassViewChange", this, &TFSettings::EPassViewChange);
    events.Notify("CBAutoStartClick", this, &TFSettings::CBAutoStartClick);
    events.Notify("CBSMTPUseSSLClick", this, &TFSettings::CBSMTPUseSSLClick);
    events.Notify("CB_LanguageChange", this, &TFSettings::CB_LanguageChange);
    events.Notify("SBOKClick", this, &TFSettings::SBOKClick);
    events.Notify("SBCancelClick", this, &TFSettings::SBCancelClick);
    events.Notify("SBEMailTestClick", this, &TFSettings::SBEMailTestClick);
    events.Notify("StatusTimerTimer", this, &TFSettings::StatusTimerTimer);
    events.Close("FormClose", [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); });
    ReadFormResource(this, "FSettings", events.Binder());
    FindComponents();
    HandleNeeded(); // the client size depends on the frame the window gets
    SetClientWidth(369);
    SetClientHeight(308);
    FormCreate(this);
}

TFSettings::~TFSettings() {
    MailStatus.TestMode = false;
}

void TFSettings::FindComponents() {
    SKSD = FormComponent<TskSkinData>(this, "SKSD");
    skSkinForm1 = FormComponent<TskSkinForm>(this, "skSkinForm1");
    sMsg = FormComponent<TskSkinMessage>(this, "sMsg");
    StatusTimer = FormComponent<TTimer>(this, "StatusTimer");
    PanBtn = FormComponent<TskSkinPanel>(this, "PanBtn");
    SBOK = FormComponent<TskSkinSpeedButton>(this, "SBOK");
    SBCancel = FormComponent<TskSkinSpeedButton>(this, "SBCancel");
    Pages = FormComponent<TskSkinPageControl>(this, "Pages");
    TabMain = FormComponent<TskSkinTabSheet>(this, "TabMain");
    TabInfo = FormComponent<TskSkinTabSheet>(this, "TabInfo");
    TabTitle = FormComponent<TskSkinTabSheet>(this, "TabTitle");
    TabEMail = FormComponent<TskSkinTabSheet>(this, "TabEMail");
    CB_Language = FormComponent<TskSkinComboBox>(this, "CB_Language");
    RGDevice = FormComponent<TskSkinRadioGroup>(this, "RGDevice");
    CBDevice = FormComponent<TskSkinComboBox>(this, "CBDevice");
    CBFreq = FormComponent<TskSkinComboBox>(this, "CBFreq");
    CBTray = FormComponent<TskSkinCheckRadioBox>(this, "CBTray");
    CBAutoStart = FormComponent<TskSkinCheckRadioBox>(this, "CBAutoStart");
    ETimeError = FormComponent<TskSkinSpinEdit>(this, "ETimeError");
    ETimeRestore = FormComponent<TskSkinSpinEdit>(this, "ETimeRestore");
    EIName = FormComponent<TskSkinEdit>(this, "EIName");
    EIDesc = FormComponent<TskSkinEdit>(this, "EIDesc");
    EIURL = FormComponent<TskSkinEdit>(this, "EIURL");
    EIGenre = FormComponent<TskSkinEdit>(this, "EIGenre");
    EIAIM = FormComponent<TskSkinEdit>(this, "EIAIM");
    EIIRC = FormComponent<TskSkinEdit>(this, "EIIRC");
    EIICQ = FormComponent<TskSkinEdit>(this, "EIICQ");
    RBInfoUTF8 = FormComponent<TskSkinCheckRadioBox>(this, "RBInfoUTF8");
    UTFile = FormComponent<TskSkinCheckRadioBox>(this, "UTFile");
    UTPort = FormComponent<TskSkinCheckRadioBox>(this, "UTPort");
    LabFile = FormComponent<TskSkinStdLabel>(this, "LabFile");
    EFileName = FormComponent<TskSkinFileEdit>(this, "EFileName");
    CB_TextUTF8 = FormComponent<TskSkinCheckRadioBox>(this, "CB_TextUTF8");
    LPort = FormComponent<TskSkinStdLabel>(this, "LPort");
    EPort = FormComponent<TskSkinSpinEdit>(this, "EPort");
    UTOnlyIP = FormComponent<TskSkinCheckRadioBox>(this, "UTOnlyIP");
    EHost = FormComponent<TskSkinEdit>(this, "EHost");
    LPass = FormComponent<TskSkinStdLabel>(this, "LPass");
    EPass = FormComponent<TskSkinPasswordEdit>(this, "EPass");
    EPassView = FormComponent<TskSkinEdit>(this, "EPassView");
    CBSHowPass = FormComponent<TskSkinCheckRadioBox>(this, "CBSHowPass");
    CBTitle_String = FormComponent<TskSkinCheckRadioBox>(this, "CBTitle_String");
    GBEMail = FormComponent<TskSkinGroupBox>(this, "GBEMail");
    ESMTPSend = FormComponent<TskSkinEdit>(this, "ESMTPSend");
    ESMTPHost = FormComponent<TskSkinEdit>(this, "ESMTPHost");
    ESMTPFrom = FormComponent<TskSkinEdit>(this, "ESMTPFrom");
    ESMTPUser = FormComponent<TskSkinEdit>(this, "ESMTPUser");
    ESMTPPass = FormComponent<TskSkinPasswordEdit>(this, "ESMTPPass");
    ESMTPPort = FormComponent<TskSkinSpinEdit>(this, "ESMTPPort");
    CBSMTPAuth = FormComponent<TskSkinCheckRadioBox>(this, "CBSMTPAuth");
    CBSMTPUseSSL = FormComponent<TskSkinCheckRadioBox>(this, "CBSMTPUseSSL");
    SBEMailTest = FormComponent<TskSkinSpeedButton>(this, "SBEMailTest");
    EMailRes = FormComponent<TskSkinLabel>(this, "EMailRes");
}

void TFSettings::FormCreate(TObject*) {
    FFilling = true;
    if (const TskCompressedStoredSkin* stored = MainStoredSkin()) SKSD->LoadStoredSkin(stored);
    if (AppLanguage) TranslateForm(*AppLanguage, this);
    // The window's own skin strings (its message box, the file dialog) speak the active language.
    if (AppLanguage) TranslateResStrings(*AppLanguage, SKSD->ResourceStrData());
    if (const String title = AppTexts()->GetDialogText("OpenFile"); !title.empty())
        EFileName->Dialog()->SetTitle(title);
    CB_Language->Items().Clear();
    if (AppLanguage) {
        std::vector<String> names;
        AppLanguage->GetLanguageNames(names);
        for (const String& name : names)
            CB_Language->Items().Add(name);
        CB_Language->SetItemIndex(AppLanguage->IndexOfLanguage(AppSettings.Language));
    }
    Pages->SetActivePageIndex(0);
    CBFreq->Items().Clear();
    for (int rate : SampleRates)
        CBFreq->Items().Add(IntToStr(rate));
    FillParms();
    FFilling = false;
    StatusTimer->SetEnabled(true);
}

void TFSettings::FillParms() {
    const bool filling = FFilling;
    FFilling = true;
    const TAppSettings& s = AppSettings;
    CBDevice->Items().Clear();
    for (const String& name : DeviceNames())
        CBDevice->Items().Add(name);
    CBDevice->SetItemIndex(s.Device >= 0 && s.Device < CBDevice->Items().Count() ? s.Device : -1);
    RGDevice->SetItemIndex(s.WaitMode ? 1 : 0);
    int rate = -1;
    for (std::size_t i = 0; i < SampleRates.size(); ++i)
        if (SampleRates[i] == s.Sample) rate = static_cast<int>(i);
    CBFreq->SetItemIndex(rate);
    EIName->SetText(s.InfoName);
    EIDesc->SetText(s.InfoDesc);
    EIURL->SetText(s.InfoURL);
    EIGenre->SetText(s.InfoGenre);
    EIAIM->SetText(s.InfoAIM);
    EIIRC->SetText(s.InfoIRC);
    EIICQ->SetText(s.InfoICQ);
    RBInfoUTF8->SetChecked(s.InfoUTF8);
    CBAutoStart->SetChecked(ReadAutoStart());
    CBTray->SetChecked(s.ToTray);
    UTFile->SetChecked(s.TitleMode == 0);
    UTPort->SetChecked(s.TitleMode == 1);
    EPort->SetValue(s.TitlePort);
    UTOnlyIP->SetChecked(s.TitleIPOnly);
    EHost->SetText(s.TitleIP);
    EPass->SetText(s.TitlePass);
    EFileName->SetText(s.TitleFile);
    CBTitle_String->SetChecked(s.TitleAsString);
    CB_TextUTF8->SetChecked(s.TextUTF8);
    ShowModeTitleUpdate(s.TitleMode);
    ETimeError->SetValue(s.TimeError);
    ETimeRestore->SetValue(s.TimeRestore);
    GBEMail->SetChecked(s.EMail);
    CBSMTPAuth->SetChecked(s.Auth);
    ESMTPSend->SetText(s.SendTo);
    ESMTPHost->SetText(s.Host);
    ESMTPFrom->SetText(s.From);
    ESMTPUser->SetText(s.User);
    ESMTPPass->SetText(s.Password);
    CBSMTPUseSSL->SetChecked(s.SSL);
    ESMTPPort->SetValue(s.Port);
    FFilling = filling;
}

void TFSettings::ShowModeTitleUpdate(int Mode) {
    const bool file = Mode == 0, port = Mode == 1;
    LabFile->SetVisible(file);
    EFileName->SetVisible(file);
    CB_TextUTF8->SetVisible(file);
    LPort->SetVisible(port);
    EPort->SetVisible(port);
    UTOnlyIP->SetVisible(port);
    LPass->SetVisible(port);
    CBSHowPass->SetVisible(port);
    CBTitle_String->SetVisible(port);
    EHost->SetVisible(port && UTOnlyIP->Checked());
    EPass->SetVisible(port && !CBSHowPass->Checked());
    EPassView->SetVisible(port && CBSHowPass->Checked());
    LabFile->SetTop(LPort->Top());
    EFileName->SetTop(EPort->Top());
    EPassView->SetBounds(EPass->Left(), EPass->Top(), EPass->Width(), EPassView->Height());
}

int TFSettings::ShowError(const String& text) {
    return sMsg->ShowMessageDialog(text, skmtError, SkBtn(skmbOK), 0);
}

bool TFSettings::StoreSetting() {
    if (CBDevice->ItemIndex() < 0) {
        ShowError("Please select input device");
        return false;
    }
    if (CBFreq->ItemIndex() < 0 || CBFreq->ItemIndex() >= static_cast<int>(SampleRates.size())) {
        ShowError("Please select sample frequence");
        return false;
    }
    TAppSettings s = AppSettings;
    bool deviceChanged = false, infoChanged = false;
    if (CB_Language->ItemIndex() >= 0 && AppLanguage)
        s.Language = Utf8Left(AppLanguage->FileNameByIndex(CB_Language->ItemIndex()), 64);

    const int device = CBDevice->ItemIndex();
    const String deviceName = CBDevice->Items()[device];
    if (device != s.Device || deviceName != s.DeviceName) deviceChanged = true;
    s.Device = device;
    s.DeviceName = deviceName;
    s.WaitMode = RGDevice->ItemIndex() == 1;
    const int rate = SampleRates[static_cast<std::size_t>(CBFreq->ItemIndex())];
    if (rate != s.Sample) deviceChanged = true;
    s.Sample = rate;

    infoChanged |= StoreText(s.InfoName, Trim(EIName->Text()));
    infoChanged |= StoreText(s.InfoDesc, Trim(EIDesc->Text()));
    infoChanged |= StoreText(s.InfoURL, Trim(EIURL->Text()));
    infoChanged |= StoreText(s.InfoGenre, Trim(EIGenre->Text()));
    infoChanged |= StoreText(s.InfoAIM, Trim(EIAIM->Text()));
    infoChanged |= StoreText(s.InfoIRC, Trim(EIIRC->Text()));
    infoChanged |= StoreText(s.InfoICQ, Trim(EIICQ->Text()));

    s.InfoUTF8 = RBInfoUTF8->Checked();
    s.ToTray = CBTray->Checked();
    if (UTFile->Checked()) s.TitleMode = 0;
    if (UTPort->Checked()) s.TitleMode = 1;
    s.TitleFile = EFileName->Text();
    if (!EPort->Edit()->Text().empty()) s.TitlePort = SpinValue(EPort);
    s.TitleIPOnly = UTOnlyIP->Checked();
    s.TitleIP = Trim(EHost->Text());
    s.TitlePass = Trim(EPass->Text());
    s.TitleAsString = CBTitle_String->Checked();
    s.TimeError = SpinValue(ETimeError);
    s.TimeRestore = SpinValue(ETimeRestore);
    s.TextUTF8 = CB_TextUTF8->Checked();
    s.Auth = CBSMTPAuth->Checked();
    s.SendTo = ESMTPSend->Text();
    s.Host = ESMTPHost->Text();
    s.From = ESMTPFrom->Text();
    s.User = ESMTPUser->Text();
    s.Password = ESMTPPass->Text();
    s.EMail = GBEMail->Checked();
    s.Port = static_cast<std::int16_t>(SpinValue(ESMTPPort));
    s.SSL = CBSMTPUseSSL->Checked();

    AssignAppSettings(s);
    if (deviceChanged) DeviceChanged = true;
    if (infoChanged) StreamInfoChanged = true;
    return true;
}

void TFSettings::UTFileClick(TObject*) {
    ShowModeTitleUpdate(0);
}

void TFSettings::UTPortClick(TObject*) {
    ShowModeTitleUpdate(1);
}

void TFSettings::UTOnlyIPClick(TObject*) {
    EHost->SetVisible(UTOnlyIP->Checked());
}

void TFSettings::CBSHowPassClick(TObject*) {
    const bool show = CBSHowPass->Checked();
    EPassView->SetVisible(show);
    EPass->SetVisible(!show);
    if (show)
        EPassView->SetText(EPass->Text());
    else
        EPass->SetText(EPassView->Text());
}

void TFSettings::EPassViewChange(TObject*) {
    EPass->SetText(EPassView->Text());
}

void TFSettings::CBAutoStartClick(TObject*) {
    if (FFilling) return;
    WriteAutoStart(CBAutoStart->Checked());
}

void TFSettings::CBSMTPUseSSLClick(TObject*) {
    if (FFilling) return;
    ESMTPPort->SetValue(CBSMTPUseSSL->Checked() ? 465 : 25);
}

void TFSettings::CB_LanguageChange(TObject*) {
    if (FFilling || FTranslating || !AppLanguage) return;
    const int index = CB_Language->ItemIndex();
    if (index < 0) return;
    // Translating rewrites texts of this window, which must not come back here.
    FTranslating = true;
    AppLanguage->SelectByIndex(index);
    TranslateForm(*AppLanguage, this);
    if (SKSD->ResourceStrData()) TranslateResStrings(*AppLanguage, SKSD->ResourceStrData());
    FTranslating = false;
}

void TFSettings::SBOKClick(TObject*) {
    if (!StoreSetting()) return;
    if (!WriteSettings())
        ShowError("The settings could not be saved: " + SettingsFilePath()); // kept for this run
    SetModalResult(mrOk);
}

void TFSettings::SBCancelClick(TObject*) {
    if (AppLanguage && CB_Language->ItemIndex() >= 0) AppLanguage->SelectByIndex(CB_Language->ItemIndex());
    SetModalResult(-1);
}

void TFSettings::SBEMailTestClick(TObject*) {
    {
        std::lock_guard<std::mutex> lock(AppSettingsLock());
        AppSettings.EMail = true; // stays on for the rest of the run, unsaved
        AppSettings.Auth = CBSMTPAuth->Checked();
        AppSettings.SendTo = ESMTPSend->Text();
        AppSettings.Host = ESMTPHost->Text();
        AppSettings.From = ESMTPFrom->Text();
        AppSettings.User = ESMTPUser->Text();
        AppSettings.Password = ESMTPPass->Text();
        AppSettings.Port = static_cast<std::int16_t>(SpinValue(ESMTPPort));
        AppSettings.SSL = CBSMTPUseSSL->Checked();
    }
    if (Services.MailTestStarted) Services.MailTestStarted();
    MailQueue.Clear();
    MailStatus.TestMode = true;
    MailQueue.Append(MailTestText);
}

void TFSettings::StatusTimerTimer(TObject*) {
    String text;
    if (MailStatus.TakeChanged(text)) EMailRes->SetCaption(text);
}

void TFSettings::FormClose(TObject*, TCloseAction& Action) {
    MailStatus.TestMode = false;
    StatusTimer->SetEnabled(false);
    Action = caFree;
}

bool ShowSettings() {
    auto* window = new TFSettings(Application);
    return window->ShowModal() == mrOk;
}

} // namespace vd
