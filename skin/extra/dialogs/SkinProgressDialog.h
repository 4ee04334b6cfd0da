#pragma once
// The progress dialog: a small framed window with a label, a skinned gauge and an optional Cancel
// button, shown modeless on top or modally, closed when the value reaches its maximum.
#include "skin/extra/dialogs/SkinFramedDialog.h"

#include <memory>

namespace vd {

enum TskPDShowType { stStayOnTop, stModal };

class TskSkinProgressDialog : public TskSkinFramedDialog {
public:
    explicit TskSkinProgressDialog(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    // A window still shown is closed and freed without OnCancel.
    ~TskSkinProgressDialog() override;

    TskPDShowType ShowType = stStayOnTop;
    bool ShowCancelButton = true;
    bool ShowCloseButton = true;
    String Caption = "Process";
    String LabelCaption = "Name of process:";
    bool ShowPercent = true;
    int MinValue = 0, MaxValue = 100;
    int Value() const { return FValue; }
    void SetValue(int v);
    String GaugeSkinDataName = "gauge";
    TFont& DefaultGaugeFont() { return FGaugeFont; }
    TNotifyEvent OnShow;
    // The modeless window closed before the value reached the maximum.
    TNotifyEvent OnCancel;

    // Builds and shows the window unless it is shown; modal: true when the value reached the
    // maximum.
    bool ShowProgress();
    // Closes the window; nothing without one.
    void CloseProgress();

    TForm* ProgressForm() const { return FForm; }
    TskSkinGauge* ProgressGauge() const { return FGauge; }
    TskSkinButton* CancelButton() const { return FCancel; }
    bool Shown() const { return FShown; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Build();
    void FormClosed(TCloseAction& Action);

    int FValue = 0;
    TFont FGaugeFont;
    TComponentLink<TForm> FForm{this};
    TskSkinGauge* FGauge = nullptr;
    TskSkinButton* FCancel = nullptr;
    bool FShown = false;
    // Cleared by the destructor: a modal ShowProgress whose component was freed inside its own
    // loop must not touch it afterwards.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

} // namespace vd
