#include "skin/extra/dialogs/SkinProgressDialog.h"

#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/extra/dialogs/SkinDialogUnits.h"

namespace vd {

TskSkinProgressDialog::TskSkinProgressDialog(TComponent* AOwner) : TskSkinFramedDialog(AOwner) {
    SetDefaultFace(FGaugeFont);
}

TskSkinProgressDialog::~TskSkinProgressDialog() {
    *FAlive = false;
    if (FForm) {
        // The window must not call back into a freed component.
        FForm->OnClose = nullptr;
        FForm->OnShow = nullptr;
        if (FCancel) FCancel->OnClick = nullptr;
        if (FForm->IsModal()) {
            FForm->SetModalResult(mrCancel);
        } else {
            FForm->Hide();
            FForm->Release();
        }
        FForm = nullptr;
    }
}

void TskSkinProgressDialog::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FForm) {
        FGauge = nullptr;
        FCancel = nullptr;
        FShown = false;
    }
}

void TskSkinProgressDialog::SetValue(int v) {
    FValue = v;
    if (!FShown || !FGauge || !FForm) return;
    FGauge->SetValue(v);
    if (FGauge->Value() == FGauge->MaxValue()) {
        if (ShowType == stModal)
            FForm->SetModalResult(mrOk);
        else
            FForm->Close();
    }
}

void TskSkinProgressDialog::CloseProgress() {
    if (FForm) FForm->Close();
}

void TskSkinProgressDialog::FormClosed(TCloseAction& Action) {
    FShown = false;
    FGauge = nullptr;
    FCancel = nullptr;
    FForm = nullptr;
    Action = caFree;
    // A value at or past the maximum (the gauge stops there) is no cancel.
    if (FValue < MaxValue && OnCancel) OnCancel(this);
}

void TskSkinProgressDialog::Build() {
    auto* f = new TForm(Application);
    FForm = f;
    f->SetBorderStyle(bsDialog);
    if (ShowType == stStayOnTop) {
        f->SetFormStyle(fsStayOnTop);
        f->OnClose = [this](TObject*, TCloseAction& a) { FormClosed(a); };
    }
    f->SetCaption(Caption);
    f->SetPosition(poScreenCenter);
    f->OnShow = [this](TObject*) {
        if (OnShow) OnShow(this);
    };
    const TDialogUnits du = FrameWindow(f, !ShowCloseButton);
    TskSkinStdLabel* label = AddLabel(f, du, String(), LabelCaption);

    auto* gauge = new TskSkinGauge(f);
    gauge->SetMinValue(MinValue);
    gauge->SetMaxValue(MaxValue);
    gauge->SetShowPercent(ShowPercent);
    gauge->SetValue(FValue);
    gauge->SetDefaultFont(FGaugeFont);
    gauge->SetUseSkinFont(UseSkinFont);
    gauge->SetParent(f);
    gauge->SetBounds(label->Left(), label->Top() + label->Height() + 5, du.X(164), gauge->Height());
    gauge->SetDefaultWidth(du.X(164));
    gauge->SetSkinDataName(GaugeSkinDataName);
    gauge->SetSkinData(FCtrlSkinData);
    FGauge = gauge;

    if (ShowCancelButton) {
        TskSkinButton* b = NewButton(f, String(), "MSG_BTN_CANCEL", "Cancel", mrCancel);
        if (ShowType == stStayOnTop)
            b->OnClick = [this](TObject*) {
                if (FForm) FForm->Close();
            };
        b->Cancel = true;
        PlaceButton(f, b, du, gauge->Left() + gauge->Width() - du.X(50), gauge->Top() + gauge->Height() + 15);
        FCancel = b;
        f->SetClientHeight(b->Top() + b->Height() + 13);
    } else {
        f->SetClientHeight(gauge->Top() + gauge->Height() + 15);
    }
}

bool TskSkinProgressDialog::ShowProgress() {
    if (FShown) return false;
    try {
        Build();
    } catch (...) {
        if (FForm) FForm->Free();
        FForm = nullptr;
        throw;
    }
    FShown = true;
    if (ShowType != stModal) {
        FForm->Show();
        return false;
    }
    TForm* f = FForm;
    const std::shared_ptr<bool> alive = FAlive;
    // Whatever happened inside the loop, the window goes; the component only while it lives.
    auto finish = [&] {
        if (*alive) {
            FShown = false;
            FGauge = nullptr;
            FCancel = nullptr;
            FForm = nullptr;
        }
        f->Free();
    };
    TModalResult r = mrNone;
    try {
        r = f->ShowModal();
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return *alive && r == mrOk;
}

} // namespace vd
