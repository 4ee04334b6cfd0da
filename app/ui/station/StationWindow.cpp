#include "app/ui/station/StationWindow.h"

#include "app/core/Engine.h"
#include "app/core/Language.h"
#include "app/core/StationList.h"
#include "app/core/StationStore.h"
#include "app/streams/StreamConsole.h"
#include "app/ui/AppSkin.h"
#include "app/ui/FormEvents.h"
#include "app/ui/FormResource.h"
#include "app/ui/Translation.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Application.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/boxes/SkinPasswordEdit.h"
#include "skin/boxes/SkinSpinEdit.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinGroups.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/core/SkinData.h"
#include "skin/extra/dialogs/SkinMessage.h"
#include "skin/form/frame/SkinForm.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vd {

namespace {

// The value of a spin edit as a whole number within lo..hi (the typed text may be anything).
int SpinInt(const TskSkinSpinEdit* edit, int lo, int hi) {
    const double v = edit->Value();
    if (std::isnan(v)) return lo;
    return static_cast<int>(std::clamp(std::trunc(v), double(lo), double(hi)));
}

void SelectClamped(TskSkinComboBox* combo, int index) {
    const int count = combo->Items().Count();
    if (count == 0) return;
    combo->SetItemIndex(std::clamp(index, 0, count - 1));
}

int SelectedOrFirst(TskSkinComboBox* combo) {
    if (combo->ItemIndex() < 0 && combo->Items().Count() > 0) combo->SetItemIndex(0);
    return std::max(combo->ItemIndex(), 0);
}

} // namespace

TFStation::TFStation(TComponent* AOwner) : TForm(AOwner) {
    SetName("FStation"); // the language file's section
    const TFormEvents events = Events();
    ReadFormResource(this, "FStation", events.Binder());
    // The client size the resource gives holds inside the frame, which exists once the window does.
    const int width = ClientWidth(), height = ClientHeight();
    HandleNeeded();
    SetClientWidth(width);
    SetClientHeight(height);
    BindComponents();
    FormCreate(this);
}

TFormEvents TFStation::Events() {
    TFormEvents events;
    events.Notify("FormShow", this, &TFStation::FormShow);
    events.Notify("RGModeClick", this, &TFStation::RGModeClick);
    events.Notify("CBShowPassClick", this, &TFStation::CBShowPassClick);
    events.Notify("SBOKClick", this, &TFStation::SBOKClick);
    events.Notify("SBCancelClick", this, &TFStation::SBCancelClick);
    events.Close("FormClose", std::bind_front(&TFStation::FormClose, this));
    return events;
}

void TFStation::BindComponents() {
    skSkinForm1 = FormComponent<TskSkinForm>(this, "skSkinForm1");
    SKSD = FormComponent<TskSkinData>(this, "SKSD");
    MSG = FormComponent<TskSkinMessage>(this, "MSG");
    RGMode = FormComponent<TskSkinRadioGroup>(this, "RGMode");
    Lab_Server = FormComponent<TskSkinStdLabel>(this, "Lab_Server");
    EServer = FormComponent<TskSkinEdit>(this, "EServer");
    Lab_Port = FormComponent<TskSkinStdLabel>(this, "Lab_Port");
    EPort = FormComponent<TskSkinSpinEdit>(this, "EPort");
    Lab_Buffer = FormComponent<TskSkinStdLabel>(this, "Lab_Buffer");
    EBuffer = FormComponent<TskSkinSpinEdit>(this, "EBuffer");
    Lab_User = FormComponent<TskSkinStdLabel>(this, "Lab_User");
    EUser = FormComponent<TskSkinEdit>(this, "EUser");
    EAllowIP = FormComponent<TskSkinEdit>(this, "EAllowIP");
    Lab_Pass = FormComponent<TskSkinStdLabel>(this, "Lab_Pass");
    EPass = FormComponent<TskSkinPasswordEdit>(this, "EPass");
    ESPass = FormComponent<TskSkinEdit>(this, "ESPass");
    CBShowPass = FormComponent<TskSkinCheckRadioBox>(this, "CBShowPass");
    Lab_ID = FormComponent<TskSkinStdLabel>(this, "Lab_ID");
    E_ID = FormComponent<TskSkinEdit>(this, "E_ID");
    Lab_Title = FormComponent<TskSkinStdLabel>(this, "Lab_Title");
    CBTitle = FormComponent<TskSkinComboBox>(this, "CBTitle");
    Lab_Type = FormComponent<TskSkinStdLabel>(this, "Lab_Type");
    CBType = FormComponent<TskSkinComboBox>(this, "CBType");
    Lab_Bitrate = FormComponent<TskSkinStdLabel>(this, "Lab_Bitrate");
    CBBitrate = FormComponent<TskSkinComboBox>(this, "CBBitrate");
    Lab_Chan = FormComponent<TskSkinStdLabel>(this, "Lab_Chan");
    CBChannel = FormComponent<TskSkinComboBox>(this, "CBChannel");
    CBPublic = FormComponent<TskSkinCheckRadioBox>(this, "CBPublic");
    CBAuto = FormComponent<TskSkinCheckRadioBox>(this, "CBAuto");
    CBLockFreq = FormComponent<TskSkinCheckRadioBox>(this, "CBLockFreq");
    SBOK = FormComponent<TskSkinSpeedButton>(this, "SBOK");
    SBCancel = FormComponent<TskSkinSpeedButton>(this, "SBCancel");
    Lab_StreamID = FormComponent<TskSkinStdLabel>(this, "Lab_StreamID");
    Lab_Mount = FormComponent<TskSkinStdLabel>(this, "Lab_Mount");
    LabAllowIP = FormComponent<TskSkinStdLabel>(this, "LabAllowIP");
    Lab_UserName = FormComponent<TskSkinStdLabel>(this, "Lab_UserName");
}

void TFStation::FormCreate(TObject*) {
    if (const TskCompressedStoredSkin* stored = MainStoredSkin()) SKSD->LoadStoredSkin(stored);
    if (AppLanguage) TranslateForm(*AppLanguage, this);
    FChanged = false;
}

// The window opens with the focus on the chosen mode, not on the group's first button.
void TFStation::FormShow(TObject*) {
    const int mode = RGMode->ItemIndex();
    if (mode >= 0 && mode < RGMode->ButtonCount()) RGMode->Buttons(mode)->SetFocus();
}

void TFStation::StartEdit(int Index) {
    TStationPtr station = Index >= 0 ? StationList.Items(Index) : nullptr;
    FEditIndex = station ? Index : -1;
    if (station) {
        FStation = station->Config();
    } else {
        FStation = TStationConfig{};
        FStation.Port = 8000;
        FStation.Bitrate = 128;
    }
    ShowSetting();
}

void TFStation::ShowSetting() {
    RGMode->SetItemIndex(std::clamp(FStation.Mode, 0, std::max(RGMode->Items().Count() - 1, 0)));
    RGModeClick(RGMode);
    EServer->SetText(FStation.URL);
    EPort->SetValue(FStation.Port);
    CBPublic->SetChecked(FStation.Public);
    EUser->SetText(FStation.User);
    // Both password edits: whichever CBShowPass shows holds the stored password.
    EPass->SetText(FStation.Password);
    ESPass->SetText(FStation.Password);
    E_ID->SetText(FStation.ID);
    EAllowIP->SetText(Trim(FStation.AllowIP));
    EBuffer->SetValue(FStation.Buffer);
    CBLockFreq->SetChecked(FStation.LockFreq);
    SelectClamped(CBTitle, FStation.Title);
    SelectClamped(CBType, FStation.Type);
    SelectClamped(CBChannel, FStation.Channels);
    ShowBitrate(FStation.Bitrate);
    CBAuto->SetChecked(FStation.Auto);
}

// The list's rates, and a stored rate that is not among them as an extra item in its numeric
// place, so that saving keeps it instead of silently taking another rate.
void TFStation::ShowBitrate(int Bitrate) {
    std::vector<int> rates(std::begin(StationBitrates), std::end(StationBitrates));
    if (Bitrate > 0 && std::find(rates.begin(), rates.end(), Bitrate) == rates.end())
        rates.insert(std::upper_bound(rates.begin(), rates.end(), Bitrate), Bitrate);
    TStrings& items = CBBitrate->Items();
    items.Clear();
    int selected = -1;
    for (int rate : rates) {
        if (rate == Bitrate) selected = items.Count();
        items.Add(IntToStr(rate));
    }
    CBBitrate->SetItemIndex(selected);
    if (selected < 0) CBBitrate->SetText(String());
}

int TFStation::ChosenBitrate() {
    const int index = SelectedOrFirst(CBBitrate);
    if (index >= CBBitrate->Items().Count()) return 0;
    return StrToIntDef(CBBitrate->Items().Strings(index), 0);
}

void TFStation::RGModeClick(TObject*) {
    EAllowIP->SetBoundsRect(EUser->BoundsRect());
    const int mode = RGMode->ItemIndex();
    // Tab enters the group at the chosen mode only, as with any group of radio buttons.
    for (int i = 0; i < RGMode->ButtonCount(); ++i)
        RGMode->Buttons(i)->SetTabStop(i == mode);
    if (mode == smShoutcast2)
        Lab_ID->SetCaption(Lab_StreamID->Caption());
    else if (mode == smIcecast)
        Lab_ID->SetCaption(Lab_Mount->Caption());
    const bool direct = mode == smDirect;
    for (TControl* c : std::initializer_list<TControl*>{Lab_Server, EServer, CBPublic, Lab_Pass, EPass,
                                                        CBShowPass, EUser, Lab_ID, E_ID})
        c->SetVisible(!direct);
    for (TControl* c : std::initializer_list<TControl*>{EAllowIP, EBuffer, Lab_Buffer})
        c->SetVisible(direct);
    Lab_User->SetCaption(direct ? LabAllowIP->Caption() : Lab_UserName->Caption());
    if (direct)
        ESPass->SetVisible(false);
    else
        CBShowPassClick(CBShowPass);
}

void TFStation::CBShowPassClick(TObject*) {
    // The edit shown last holds what the user typed; the other one takes it over.
    const bool show = CBShowPass->Checked();
    if (show != FPassPlain) {
        if (show)
            ESPass->SetText(EPass->Text());
        else
            EPass->SetText(ESPass->Text());
        FPassPlain = show;
    }
    ESPass->SetVisible(show);
    EPass->SetVisible(!show);
}

template <typename T> void TFStation::Track(T& Field, const T& Value) {
    if (Field != Value) FChanged = true;
    Field = Value;
}

void TFStation::ShowDialog(const String& DialogName, const String& Text, int DialogType) {
    const TMessageBoxProc show = [this](const String& text, int type, unsigned buttons) {
        return MSG->ShowMessageDialog(text, type, buttons, 0);
    };
    // A language file without the text must not hide why the save was refused: English then.
    if (AppLanguage && !AppLanguage->GetDialogText(DialogName).empty())
        AppLanguage->MessageBox(DialogName, show, nullptr, SkBtn(skmbOK), DialogType);
    else
        show(Text, DialogType, SkBtn(skmbOK));
}

bool TFStation::Refuse(const String& DialogName, const String& Text, int DialogType) {
    ShowDialog(DialogName, Text, DialogType);
    return false;
}

bool TFStation::ApplySetting() {
    const int mode = std::max(RGMode->ItemIndex(), 0);
    if (mode == smDirect) {
        String list = Trim(EAllowIP->Text());
        if (list.empty()) list = "*.*.*.*";
        // A list longer than the field would be cut in the middle of an address.
        if (list.size() > StationAllowIPLength || !CheckCorrectIP(list))
            return Refuse("EnterAllowIP", "Enter correct allow IP or *.*.*.* for all", skmtError);
        Track(FStation.AllowIP, list);
        Track(FStation.Buffer, SpinInt(EBuffer, 16, 512));
        EServer->SetText(String());
    }
    const String server = Trim(EServer->Text());
    if (server.empty() && mode != smDirect)
        return Refuse("EnterServer", "Please enter IP or Name server", skmtError);

    Track<std::int32_t>(FStation.Mode, mode);
    Track(FStation.URL, CutText(server, StationUrlLength));
    Track(FStation.Port, SpinInt(EPort, 1, 65535));
    Track(FStation.User, CutText(Trim(EUser->Text()), StationUserLength));
    const String password = Trim(CBShowPass->Checked() ? ESPass->Text() : EPass->Text());
    Track(FStation.Password, CutText(password, StationPasswordLength));
    Track(FStation.ID, CutText(Trim(E_ID->Text()), StationIDLength));

    FStation.Title = SelectedOrFirst(CBTitle);
    Track<std::int32_t>(FStation.Type, SelectedOrFirst(CBType));
    Track<std::int32_t>(FStation.Bitrate, ChosenBitrate());
    Track<std::int32_t>(FStation.Channels, SelectedOrFirst(CBChannel));
    Track(FStation.Public, CBPublic->Checked());
    FStation.Auto = CBAuto->Checked();
    Track(FStation.LockFreq, CBLockFreq->Checked());

    if (FStation.Type == scOgg) {
        const bool mono = FStation.Channels == 1;
        if (FStation.Bitrate < (mono ? 32 : 48))
            return Refuse(mono ? "OGGMono" : "OGGStereo",
                          mono ? "OGG don't work in mono with bitrate less of 32"
                               : "OGG don't work in stereo with bitrate less of 48",
                          skmtWarning);
    }
    return true;
}

void TFStation::SBOKClick(TObject*) {
    if (!ApplySetting()) return;
    TStationPtr station = FEditIndex >= 0 ? StationList.Items(FEditIndex) : nullptr;
    if (!station) {
        station = std::make_shared<TStationRecord>();
        station->SetConfig(FStation);
        if (FStation.Auto) OnPlay(*station); // in Connect before any thread can see it
        FEditIndex = StationList.Add(station);
    } else {
        // Title and Auto never restart a running cast; the tracked fields do.
        if (FChanged)
            ApplyStationEdit(*station, FStation);
        else
            station->SetConfig(FStation);
        if (FStation.Auto && station->State == ssStop) OnPlay(*station);
    }
    // The stream list has the change either way; the user hears when the file did not take it.
    if (!WriteStation(FEditIndex))
        ShowDialog("CantSaveStream", "Can't save the stream in the settings file", skmtError);
    CloseWith(mrOk);
}

void TFStation::SBCancelClick(TObject*) {
    CloseWith(mrCancel);
}

void TFStation::CloseWith(TModalResult Result) {
    SetModalResult(Result);
    if (!IsModal()) Close();
}

void TFStation::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
}

bool TFStation::CheckCorrectIP(const String& List) {
    return vd::CheckCorrectIP(List);
}

bool EditStation(int index) {
    if (index < -1 || index >= StationList.Count()) return false;
    auto* window = new TFStation(Application);
    // Freed here rather than by its posted release, so that the next call can make the window
    // again under its name at once.
    struct FreeAtEnd {
        TFStation* w;
        ~FreeAtEnd() { w->Free(); }
    } guard{window};
    window->StartEdit(index);
    return window->ShowModal() == mrOk;
}

} // namespace vd
