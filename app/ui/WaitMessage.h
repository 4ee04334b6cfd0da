#pragma once
// The small window that tells the user the program is waiting (for the recording device to
// appear). Closing it ends the waiting: the next ShowWaitMessage answers false.
#include "platform/rtl/String.h"
#include "platform/vcl/Form.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"

namespace vd {

class TskSkinForm;

class TFShowMSG : public TForm {
public:
    explicit TFShowMSG(TComponent* AOwner);
    ~TFShowMSG() override;

    TskSkinData* SKFD = nullptr;
    TskSkinForm* Frame = nullptr;
    TskSkinPanel* TopPanel = nullptr;
    TskSkinPanel* BottomPanel = nullptr;
    TskSkinLabel* Txt = nullptr;
    TskSkinButton* BTNClose = nullptr;

    void FormCreate(TObject* Sender);
    void BTNCloseClick(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
};

// 0 no window, 1 shown, -1 closed (the next ShowWaitMessage reports it).
int WaitWindowState();
// Shows Text in the window (made on the first call); false, without showing anything, when
// the user closed the window since the last call.
bool ShowWaitMessage(const String& Text);
void CloseWaitMessage();
// The window while one is shown (tests), else nullptr.
TFShowMSG* WaitMessageWindow();

} // namespace vd
