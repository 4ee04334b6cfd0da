#include "app/ui/WaitMessage.h"

#include "app/ui/AppSkin.h"
#include "platform/vcl/Application.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinPanel.h"
#include "skin/core/SkinData.h"
#include "skin/form/frame/SkinForm.h"

namespace vd {

namespace {

// GUI thread only, like the window.
int State = 0;
TFShowMSG* Window = nullptr;

} // namespace

TFShowMSG::TFShowMSG(TComponent* AOwner) : TForm(AOwner) {
    SetName("FShowMSG");
    SetCaption("Message");
    SetBorderStyle(bsDialog);
    SetBorderIcons(0);
    SetPosition(poScreenCenter);

    SKFD = new TskSkinData(this);
    SKFD->SetName("SKFD");
    Frame = new TskSkinForm(this);
    Frame->SetName("SKF");
    Frame->SetBorderIcons(0);

    BottomPanel = new TskSkinPanel(this);
    BottomPanel->SetName("BottomPanel");
    BottomPanel->SetParent(this);
    BottomPanel->SetHeight(42);
    BottomPanel->SetAlign(alBottom);
    BottomPanel->SetCaption(String());

    TopPanel = new TskSkinPanel(this);
    TopPanel->SetName("TopPanel");
    TopPanel->SetParent(this);
    TopPanel->SetAlign(alClient);
    TopPanel->SetCaption(String());

    Txt = new TskSkinLabel(this);
    Txt->SetName("Txt");
    Txt->SetParent(TopPanel);
    Txt->SetAutoSize(false);
    Txt->SetAlignment(taCenter);
    Txt->SetBounds(9, 17, 502, 49);

    BTNClose = new TskSkinButton(this);
    BTNClose->SetName("BTNClose");
    BTNClose->SetParent(BottomPanel);
    BTNClose->SetCaption("Close");
    BTNClose->SetBounds(216, 8, 89, 26);
    BTNClose->OnClick = [this](TObject* s) { BTNCloseClick(s); };

    BottomPanel->SetSkinData(SKFD);
    TopPanel->SetSkinData(SKFD);
    Txt->SetSkinData(SKFD);
    BTNClose->SetSkinData(SKFD);
    Frame->SetSkinData(SKFD);

    HandleNeeded(); // the client size depends on the frame the window gets
    SetClientWidth(521);
    SetClientHeight(126);
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    FormCreate(this);
}

TFShowMSG::~TFShowMSG() {
    if (Window == this) Window = nullptr;
}

void TFShowMSG::FormCreate(TObject*) {
    State = 1;
    if (const TskCompressedStoredSkin* stored = MainStoredSkin()) SKFD->LoadStoredSkin(stored);
}

void TFShowMSG::BTNCloseClick(TObject*) {
    State = -1;
    Close();
}

void TFShowMSG::FormClose(TObject*, TCloseAction& Action) {
    State = -1;
    if (Window == this) Window = nullptr;
    Action = caFree;
}

int WaitWindowState() {
    return State;
}

bool ShowWaitMessage(const String& Text) {
    if (State == -1) {
        State = 0;
        return false;
    }
    if (State == 0 || !Window) {
        Window = new TFShowMSG(Application);
        Window->Show();
    }
    Window->Txt->SetCaption(Text);
    return true;
}

void CloseWaitMessage() {
    if (State > 0 && Window) Window->Close();
    State = 0;
}

TFShowMSG* WaitMessageWindow() {
    return Window;
}

} // namespace vd
