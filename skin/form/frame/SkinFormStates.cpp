// The frame's window states as the form sees them: showing, sizing and the notification area;
// the states themselves are kept in FrameStates.cpp, the fade-in in FrameFade.cpp.
#include "platform/vcl/Application.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/frame/FrameFade.h"
#include "skin/form/frame/FrameGeometry.h"
#include "skin/form/frame/FrameMDI.h"
#include "skin/form/frame/FrameStates.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinTrayIcon.h"

namespace vd {

int TskSkinForm::WindowState() const {
    return FStates->WindowState();
}

void TskSkinForm::SetWindowState(int State) {
    FStates->SetWindowState(State);
}

bool TskSkinForm::RolledUp() const {
    return FStates->RolledUp();
}

void TskSkinForm::RollUp(bool Value) {
    FStates->RollUp(Value);
}

TRect TskSkinForm::RestoreRect() const {
    return FStates->RestoreRect();
}

void TskSkinForm::SnapToEdges(int& X, int& Y, int Height, int Width) {
    FStates->SnapToEdges(X, Y, Height, Width);
}

TPoint TskSkinForm::GetMinimizedPosition() const {
    return FStates->MinimizedPosition();
}

TRect TskSkinForm::GetMDIClientArea() const {
    return TskFrameMDI::ClientArea();
}

void TskSkinForm::PositionInMonitorNow() {
    FStates->PositionInMonitorNow();
}

void TskSkinForm::NudgeSize() {
    FStates->NudgeSize();
}

bool TskSkinForm::AlphaBlend() const {
    return FFade->AlphaBlend();
}

void TskSkinForm::SetAlphaBlend(bool Value) {
    FFade->SetAlphaBlend(Value);
}

Byte TskSkinForm::AlphaBlendValue() const {
    return FFade->AlphaBlendValue();
}

void TskSkinForm::SetAlphaBlendValue(Byte Value) {
    FFade->SetAlphaBlendValue(Value);
}

void TskSkinForm::WMShowWindow(TMessage& Message) {
    CallDefault(Message);
    if (Message.WParam == 0) {
        FFade->Hidden();
        FMDI->ChildHidden();
        return;
    }
    FStates->Shown();
    FFade->Start();
    FMDI->HookClient();
    FStates->NudgeSize();
    FMDI->ChildShown();
    // No system menu bar: menus are skinned.
    if (FForm->Menu()) FForm->SetMenu(nullptr);
}

void TskSkinForm::WMSize(TMessage& Message) {
    // Inside a full-window size loop WM_SIZING has already laid the frame out.
    if (FStates->InSizeMove() && FStates->FullDrag() && GetCapture() == FForm->WindowHandle()) {
        if (!LogoBitMap().Empty()) FForm->Invalidate();
        CallDefault(Message);
        return;
    }
    CallDefault(Message);
    FStates->Unstick();
    FGeometry->TakeFormSize();
    if (!FSkinInUse)
        FrameRepaint();
    else if (FGeometry->Width() >= GetMinWidth() && FGeometry->Height() >= GetMinHeight())
        UpdateRegion(true);
    if (FFade->Translucent() && IsLayeredWindowOS() && FForm->HandleAllocated())
        RedrawWindow(FForm->WindowHandle(), nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    if (!LogoBitMap().Empty() && FForm->FormStyle() != fsMDIForm) FForm->Invalidate();
}

void TskSkinForm::WMSizing(TMessage& Message) {
    FStates->Unstick();
    CallDefault(Message);
    const auto* r = reinterpret_cast<const TRect*>(Message.LParam);
    if (!r || !FStates->FullDrag()) return;
    const int w = r->Width(), h = r->Height();
    const bool changed = w != FForm->Width() || h != FForm->Height();
    FGeometry->SetSize(w, h);
    if (FSkinInUse && FForm->Width() >= GetMinWidth() && FForm->Height() >= GetMinHeight() && changed)
        UpdateRegion(true);
}

// ---- notification area

void TskSkinForm::MinimizeToTray() {
    if (!FTrayIcon) return;
    FTrayIcon->SetMinimizeToTray(true);
    Application->Minimize();
    if (OnMinimizeToTray) OnMinimizeToTray(this);
}

void TskSkinForm::RestoreFromTray() {
    if (!FTrayIcon) return;
    FTrayIcon->SetMinimizeToTray(false);
    FTrayIcon->ShowMainForm();
    Application->Restore();
    if (!AlwaysShowInTray) FTrayIcon->SetIconVisible(false);
    if (OnRestoreFromTray) OnRestoreFromTray(this);
}

void TskSkinForm::AddMessageHook(const void* Owner, TFormMessageHook Hook) {
    RemoveMessageHook(Owner);
    FMessageHooks.emplace_back(Owner, std::move(Hook));
}

void TskSkinForm::RemoveMessageHook(const void* Owner) {
    std::erase_if(FMessageHooks, [Owner](const auto& h) { return h.first == Owner; });
}

void TskSkinForm::SetTrayIcon(TskTrayIcon* Value) {
    FTrayIcon = Value;
    if (Value) {
        Value->HookOwner();
        if (!AlwaysShowInTray) Value->SetIconVisible(false);
        Value->SetMinimizeToTray(false);
        if (!(ComponentState() & csDesigning)) {
            if (!Value->PopupMenu() && TrayMenu()) Value->SetPopupMenu(TrayMenu());
            if (!Value->OnDblClick) Value->OnDblClick = [this](TObject*) { RestoreFromTray(); };
        }
    }
}

} // namespace vd
