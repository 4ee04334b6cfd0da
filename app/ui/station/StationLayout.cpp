// The stream editor's controls, made in code.
#include "app/ui/station/StationWindow.h"

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

namespace vd {

namespace {

template <typename T> T* Make(TFStation* form, const char* name, TRect r) {
    auto* c = new T(form);
    c->SetName(name);
    c->SetParent(form);
    c->SetBounds(r.Left, r.Top, r.Right, r.Bottom);
    return c;
}

TskSkinStdLabel* Label(TFStation* form, const char* name, const char* caption, int x, int y, int w) {
    auto* l = Make<TskSkinStdLabel>(form, name, {x, y, w, 16});
    l->SetAutoSize(false);
    l->SetCaption(caption);
    return l;
}

TskSkinComboBox* Combo(TFStation* form, const char* name, TRect r, std::initializer_list<const char*> items) {
    auto* c = Make<TskSkinComboBox>(form, name, r);
    c->SetStyle(skcbFixedStyle);
    for (const char* i : items)
        c->Items().Add(i);
    return c;
}

} // namespace

void TFStation::CreateComponents() {
    SetName("FStation");
    SetCaption("Stream settings");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    auto* skin = new TskSkinData(this);
    skin->SetName("SKSD");
    auto* frame = new TskSkinForm(this);
    frame->SetName("skSkinForm1");
    frame->SetBorderIcons(skbiSystemMenu);
    auto* msg = new TskSkinMessage(this);
    msg->SetName("MSG");

    auto* mode = Make<TskSkinRadioGroup>(this, "RGMode", {8, 6, 424, 46});
    mode->SetCaption("Stream type");
    mode->SetColumns(4);
    for (const char* i : {"Shoutcast 1", "Shoutcast 2", "Icecast 2", "Directly"})
        mode->Items().Add(i);
    mode->OnClick = [this](TObject* s) { RGModeClick(s); };

    Label(this, "Lab_Server", "Server", 12, 65, 100);
    Make<TskSkinEdit>(this, "EServer", {116, 62, 316, 21})->SetMaxLength(192);
    Label(this, "Lab_Port", "Port", 12, 93, 100);
    auto* port = Make<TskSkinSpinEdit>(this, "EPort", {116, 90, 80, 21});
    port->SetMinValue(1);
    port->SetMaxValue(65535);
    Label(this, "Lab_Buffer", "Buffer size (KB)", 224, 93, 104);
    auto* buffer = Make<TskSkinSpinEdit>(this, "EBuffer", {332, 90, 100, 21});
    buffer->SetMinValue(16);
    buffer->SetMaxValue(512);
    Label(this, "Lab_User", "Username", 12, 121, 100);
    Make<TskSkinEdit>(this, "EUser", {116, 118, 316, 21})->SetMaxLength(64);
    Make<TskSkinEdit>(this, "EAllowIP", {116, 118, 316, 21})->SetMaxLength(192);
    Label(this, "Lab_Pass", "Password", 12, 149, 100);
    Make<TskSkinPasswordEdit>(this, "EPass", {116, 146, 236, 21})->MaxLength = 64;
    Make<TskSkinEdit>(this, "ESPass", {116, 146, 236, 21})->SetMaxLength(64);
    auto* show = Make<TskSkinCheckRadioBox>(this, "CBShowPass", {360, 146, 72, 21});
    show->SetCaption("Show");
    show->OnClick = [this](TObject* s) { CBShowPassClick(s); };
    Label(this, "Lab_ID", "Stream ID (SID)", 12, 177, 100);
    Make<TskSkinEdit>(this, "E_ID", {116, 174, 316, 21})->SetMaxLength(64);

    Label(this, "Lab_Title", "Title mode", 12, 213, 100);
    Combo(this, "CBTitle", {116, 210, 100, 21}, {"Disable", "ANSI", "UTF-8"});
    Label(this, "Lab_Type", "Type", 224, 213, 104);
    Combo(this, "CBType", {332, 210, 100, 21}, {"MP3", "OGG", "AAC", "AAC+"});
    Label(this, "Lab_Bitrate", "Bitrate", 12, 241, 100);
    Combo(this, "CBBitrate", {116, 238, 100, 21}, {});
    Label(this, "Lab_Chan", "Channels", 224, 241, 104);
    Combo(this, "CBChannel", {332, 238, 100, 21}, {"Stereo", "Mono"});

    Make<TskSkinCheckRadioBox>(this, "CBPublic", {116, 274, 100, 20})->SetCaption("Public");
    Make<TskSkinCheckRadioBox>(this, "CBAuto", {224, 274, 100, 20})->SetCaption("Autostart");
    Make<TskSkinCheckRadioBox>(this, "CBLockFreq", {332, 274, 100, 20})->SetCaption("Lock bitrate");

    auto* ok = Make<TskSkinSpeedButton>(this, "SBOK", {260, 312, 80, 26});
    ok->SetCaption("Save");
    ok->OnClick = [this](TObject* s) { SBOKClick(s); };
    auto* cancel = Make<TskSkinSpeedButton>(this, "SBCancel", {352, 312, 80, 26});
    cancel->SetCaption("Cancel");
    cancel->OnClick = [this](TObject* s) { SBCancelClick(s); };

    for (auto [name, caption] : {std::pair{"Lab_StreamID", "Stream ID (SID)"},
                                 {"Lab_Mount", "Mount"},
                                 {"LabAllowIP", "Allow IPs"},
                                 {"Lab_UserName", "Username"}})
        Label(this, name, caption, 12, 320, 100)->SetVisible(false);

    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* c = dynamic_cast<TskSkinControl*>(Components(i))) c->SetSkinData(skin);
        if (auto* c = dynamic_cast<TskGraphicSkinControl*>(Components(i))) c->SetSkinData(skin);
        if (auto* c = dynamic_cast<TskSkinCustomEdit*>(Components(i))) c->SetSkinData(skin);
        if (auto* c = dynamic_cast<TskSkinStdLabel*>(Components(i))) c->SetSkinData(skin);
    }
    frame->SetSkinData(skin);
    msg->SetSkinData(skin);
    HandleNeeded();
    SetClientWidth(440);
    SetClientHeight(348);
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

} // namespace vd
