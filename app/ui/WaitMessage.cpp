#include "app/ui/WaitMessage.h"

#include "app/ui/AppSkin.h"
#include "app/ui/FormEvents.h"
#include "app/ui/FormResource.h"
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
    SetName("FShowMSG"); // the language file's section
    TFormEvents events;
    events.Notify("BTNCloseClick", [this](TObject* s) { BTNCloseClick(s); });
    events.Close("FormClose", [this](TObject* s, TCloseAction& a) { FormClose(s, a); });
    ReadFormResource(this, "FShowMSG", events.Binder());
    SKFD = FormComponent<TskSkinData>(this, "SKFD");
    Frame = FormComponent<TskSkinForm>(this, "SKF");
    TopPanel = FormComponent<TskSkinPanel>(this, "TopPanel");
    BottomPanel = FormComponent<TskSkinPanel>(this, "BottomPanel");
    Txt = FormComponent<TskSkinLabel>(this, "Txt");
    BTNClose = FormComponent<TskSkinButton>(this, "BTNClose");
    HandleNeeded(); // the client size depends on the frame the window gets
    SetClientWidth(521);
    SetClientHeight(126);
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
