#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/FrameFade.h"
#include "skin/form/frame/FrameGeometry.h"
#include "skin/form/frame/FrameMDI.h"
#include "skin/form/frame/FrameMenuMode.h"
#include "skin/form/frame/FrameObjects.h"
#include "skin/form/frame/FramePainter.h"
#include "skin/form/frame/FrameStates.h"
#include "skin/form/frame/FrameSystemMenu.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/frame/SkinCaptionObject.h"
#include "skin/form/frame/SkinFormHelpers.h"
#include "skin/form/frame/SkinFormMDI.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/form/frame/SkinMDITabsBar.h"
#include "skin/form/frame/SkinTrayIcon.h"
#include "skin/form/menus/SkinHintWindow.h"
#include "skin/form/menus/SkinMenu.h"

#include <algorithm>

namespace vd {

using namespace frameparts;

TskSkinForm* GetSkinForm(const TComponent* form) {
    if (!dynamic_cast<const TCustomForm*>(form)) return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TskSkinForm*>(form->Components(i))) return f;
    return nullptr;
}

TskSkinForm* GetMaximizedChildSkinForm() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || main->FormStyle() != fsMDIForm) return nullptr;
    for (int i = 0; i < main->MDIChildCount(); ++i)
        if (TskSkinForm* f = GetSkinForm(main->MDIChildren(i)))
            if (f->WindowState() == skwsMaximized && f->Form()->Visible()) return f;
    return nullptr;
}

TskSkinForm* GetActiveChildSkinForm() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main) return nullptr;
    TCustomForm* child = main->ActiveMDIChild();
    return child ? GetSkinForm(child) : nullptr;
}

TskSkinForm::TskSkinForm(TComponent* AOwner)
    : TComponent(AOwner), FMDI(std::make_unique<TskFrameMDI>(*this)),
      FMenuMode(std::make_unique<TskFrameMenuMode>(*this)), FStates(std::make_unique<TskFrameStates>(*this)),
      FFade(std::make_unique<TskFrameFade>(*this)), FObjects(std::make_unique<TskFrameObjects>(*this)),
      FGeometry(std::make_unique<TskFrameGeometry>(*this)),
      FPainter(std::make_unique<TskFramePainter>(*this)) {
    FForm = dynamic_cast<TCustomForm*>(AOwner);
    if (!FForm) throw EInvalidCast("Invalid class typecast");

    FObjects->CreateTimers();

    FForm->SetBorderIcons(0);
    FForm->OnShortCut = [this](TMessage& Msg, bool& Handled) { ShortCutHook(Msg, Handled); };
    FForm->SetAutoScroll(false);
    FSystemMenu = std::make_unique<TskFrameSystemMenu>(*this);
    FMenuMode->CreateMenus();
    RegisterMDIParentBackground();

    if (!(ComponentState() & csDesigning)) {
        FSavedWindowProc = FForm->WindowProc;
        FForm->WindowProc = [this](TMessage& m) { FormWndProc(m); };
        FHooked = true;
        if (FForm->HandleAllocated()) FForm->RecreateWnd();
    }
    FObjects->CreateDefaultButtons();
}

TskSkinForm::~TskSkinForm() {
    // The form gets its own procedure back before anything of the frame goes.
    if (FHooked && FForm) FForm->WindowProc = FSavedWindowProc;
    FHooked = false;
    FMDI->UnhookClient();
    FMenuMode->RemoveAppHook();
    FObjects->StopTimers();
    Destroying();
    if (FForm && FForm->HandleAllocated() && IsWindow(FForm->WindowHandle())) {
        KillTimer(FForm->WindowHandle(), 1);
        KillTimer(FForm->WindowHandle(), 2);
        if (FGeometry->HasRegion()) SetWindowRgn(FForm->WindowHandle(), nullptr, FALSE);
    }
    FObjects->Clear();
}

void TskSkinForm::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    RemoveMessageHook(AComponent);
    if (AComponent != FSkinData) return;
    // Emptied before the frame falls back to its plain look.
    FSkinData.Clear();
    if (FSkinInUse && !(ComponentState() & csDestroying)) ChangeSkinData();
}

void TskSkinForm::Loaded() {
    TComponent::Loaded();
    if (FSkinData) ChangeSkinData();
}

void TskSkinForm::SetStatusBar(TskSkinStatusBar* Value) {
    FStatusBar = Value;
}

void TskSkinForm::SetSkinHint(TskSkinHint* Value) {
    FSkinHint = Value;
}

void TskSkinForm::SetShowIcon(bool Value) {
    if (Value == FShowIcon) return;
    FShowIcon = Value;
    if (!(ComponentState() & (csDesigning | csLoading))) {
        if (FSkinInUse) LayoutObjects();
        FrameRepaint();
    }
}

// ---- the caption objects

const std::vector<std::unique_ptr<TskActiveSkinObject>>& TskSkinForm::Objects() const {
    return FObjects->Objects();
}

TskActiveSkinObject* TskSkinForm::HotObject() const {
    return FObjects->HotObject();
}

int TskSkinForm::HotIndex() const {
    return FObjects->HotIndex();
}

int TskSkinForm::PressedIndex() const {
    return FObjects->PressedIndex();
}

TskActiveSkinObject* TskSkinForm::FindObject(const String& IDName) const {
    return FObjects->FindObject(IDName);
}

void TskSkinForm::TrackObjects(int X, int Y, bool Allow) {
    FObjects->Track(X, Y, Allow);
}

void TskSkinForm::ResetObjectStates() {
    FObjects->ResetStates();
}

void TskSkinForm::SetActiveState(bool Animate) {
    FObjects->SetActiveState(Animate);
}

void TskSkinForm::LayoutObjects() {
    FObjects->Layout();
}

void TskSkinForm::LayoutDefaultButtons() {
    FObjects->LayoutDefaultButtons();
}

void TskSkinForm::ApplyBorderIcons() {
    FObjects->ApplyBorderIcons();
}

void TskSkinForm::UpdateObjectHints() {
    FObjects->UpdateHints();
}

bool TskSkinForm::TrackTimerRunning() const {
    return FObjects->TrackTimerRunning();
}

void TskSkinForm::EnableTrackTimer(bool On) {
    FObjects->EnableTrackTimer(On);
}

void TskSkinForm::StartMorphTimer() {
    FObjects->StartMorphTimer();
}

void TskSkinForm::StartAnimationTimer() {
    FObjects->StartAnimationTimer();
}

void TskSkinForm::MorphTimerTick() {
    FObjects->MorphTimerTick();
}

void TskSkinForm::AnimationTimerTick() {
    FObjects->AnimationTimerTick();
}

void TskSkinForm::TrackTimerTick() {
    FObjects->TrackTimerTick();
}

bool TskSkinForm::IsFormActive() const {
    if (FForm && (FForm->FormStyle() == fsMDIForm || FForm->FormStyle() == fsMDIChild)) return FFrameActive;
    return FForm && FForm->Active();
}

// ---- events

void TskSkinForm::DoObjectMouseDown(const TskActiveSkinObject& o, int X, int Y, TMouseButton Button) {
    if (OnMouseDownEvent) OnMouseDownEvent(o.IDName, X, Y, o.ObjectRect, Button);
}
void TskSkinForm::DoObjectMouseUp(const TskActiveSkinObject& o, int X, int Y, TMouseButton Button) {
    if (OnMouseUpEvent) OnMouseUpEvent(o.IDName, X, Y, o.ObjectRect, Button);
}
void TskSkinForm::DoObjectMouseMove(const TskActiveSkinObject& o, int X, int Y) {
    if (OnMouseMoveEvent) OnMouseMoveEvent(o.IDName, X, Y, o.ObjectRect);
}
void TskSkinForm::DoObjectMouseEnter(const TskActiveSkinObject& o) {
    if (OnMouseEnterEvent) OnMouseEnterEvent(o.IDName);
}
void TskSkinForm::DoObjectMouseLeave(const TskActiveSkinObject& o) {
    if (OnMouseLeaveEvent) OnMouseLeaveEvent(o.IDName);
}
void TskSkinForm::DoObjectPaint(const TskActiveSkinObject& o, HDC dc) {
    if (!OnPaintEvent) return;
    TCanvas canvas;
    canvas.SetHandle(dc);
    OnPaintEvent(o.IDName, &canvas, o.ObjectRect);
    canvas.SetHandle(nullptr);
}

// ---- painting

void TskSkinForm::FrameRepaint() {
    FPainter->Repaint();
}

void TskSkinForm::PaintFrameSkin(HDC dc) {
    FPainter->PaintSkin(dc);
}

void TskSkinForm::PaintFrameDefault(HDC dc) {
    FPainter->PaintDefault(dc);
}

void TskSkinForm::PaintClientBackground(HDC dc) {
    FPainter->PaintClient(dc);
}

void TskSkinForm::PaintMDIClientBackground(HDC dc) {
    FPainter->PaintMDIClient(dc);
}

void TskSkinForm::DrawSkinObject(TskActiveSkinObject* Object) {
    FPainter->DrawObject(Object);
}

HICON TskSkinForm::SmallFormIcon() {
    return FPainter->SmallFormIcon();
}

int TskSkinForm::SmallIconWidth() const {
    return TskFramePainter::SmallIconWidth();
}

int TskSkinForm::SmallIconHeight() const {
    return TskFramePainter::SmallIconHeight();
}

TBitmap& TskSkinForm::LogoBitMap() {
    return FPainter->Logo();
}

TFont& TskSkinForm::DefCaptionFont() {
    return FPainter->CaptionFont();
}

TFont& TskSkinForm::DefInActiveCaptionFont() {
    return FPainter->InactiveCaptionFont();
}

} // namespace vd
