#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/FrameFade.h"
#include "skin/form/frame/FrameMDI.h"
#include "skin/form/frame/FrameMenuMode.h"
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
      FFade(std::make_unique<TskFrameFade>(*this)) {
    FForm = dynamic_cast<TCustomForm*>(AOwner);
    if (!FForm) throw EInvalidCast("Invalid class typecast");
    SetDefaultFace(FDefCaptionFont, fsBold);
    FDefCaptionFont.SetColor(clBtnText);
    FDefInActiveCaptionFont.Assign(FDefCaptionFont);
    FDefInActiveCaptionFont.SetColor(clBtnShadow);

    auto makeTimer = [this](unsigned interval, void (TskSkinForm::*tick)()) {
        auto* t = new TTimer(this);
        t->SetEnabled(false);
        t->SetInterval(interval);
        t->SetOnTimer([this, tick](TObject*) { (this->*tick)(); });
        return t;
    };
    FTrackTimer = makeTimer(50, &TskSkinForm::TrackTimerTick);
    FMorphTimer = makeTimer(25, &TskSkinForm::MorphTimerTick);
    FAnimationTimer = makeTimer(25, &TskSkinForm::AnimationTimerTick);

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
    CreateDefaultButtons();
}

TskSkinForm::~TskSkinForm() {
    // The form gets its own procedure back before anything of the frame goes.
    if (FHooked && FForm) FForm->WindowProc = FSavedWindowProc;
    FHooked = false;
    FMDI->UnhookClient();
    FMenuMode->RemoveAppHook();
    StopTimers();
    Destroying();
    if (FForm && FForm->HandleAllocated() && IsWindow(FForm->WindowHandle())) {
        KillTimer(FForm->WindowHandle(), 1);
        KillTimer(FForm->WindowHandle(), 2);
        if (FRegionSet) SetWindowRgn(FForm->WindowHandle(), nullptr, FALSE);
    }
    FObjects.clear();
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

// ---- objects: tracking, state, timers

TskActiveSkinObject* TskSkinForm::HotObject() const {
    return FHotIndex >= 0 && FHotIndex < int(FObjects.size()) ? FObjects[size_t(FHotIndex)].get() : nullptr;
}

TskActiveSkinObject* TskSkinForm::FindObject(const String& IDName) const {
    for (auto& o : FObjects)
        if (o->IDName == IDName) return o.get();
    return nullptr;
}

bool TskSkinForm::IsFormActive() const {
    if (FForm && (FForm->FormStyle() == fsMDIForm || FForm->FormStyle() == fsMDIChild)) return FFrameActive;
    return FForm && FForm->Active();
}

bool TskSkinForm::TrackTimerRunning() const {
    return FTrackTimer && FTrackTimer->Enabled();
}

void TskSkinForm::TrackObjects(int X, int Y, bool Allow) {
    if (FObjects.empty() || !IsFormActive()) return;
    int next = -1;
    if (Allow) {
        // Buttons lie over the caption strip: they come first.
        int caption = -1;
        for (int i = 0; i < int(FObjects.size()); ++i) {
            const auto& o = FObjects[size_t(i)];
            if (!o->Enabled || !o->Visible || !Inside(o->ObjectRect, {X, Y})) continue;
            if (!dynamic_cast<TskSkinCaptionObject*>(o.get())) {
                next = i;
                break;
            }
            if (caption < 0) caption = i;
        }
        if (next < 0) next = caption;
        if (FPressedIndex >= 0 && next != FPressedIndex) next = -1;
    }
    if (next == FHotIndex) return;
    FPrevHotIndex = FHotIndex;
    FHotIndex = next;
    if (FPrevHotIndex >= 0 && FPrevHotIndex < int(FObjects.size())) {
        TskActiveSkinObject* old = FObjects[size_t(FPrevHotIndex)].get();
        if (old->Enabled && old->Visible) old->MouseLeave();
        if (ShowObjectHint && FSkinHint) HideObjectHint();
    }
    if (TskActiveSkinObject* hot = HotObject()) {
        hot->MouseEnter();
        if (ShowObjectHint && FSkinHint && !hot->HintText.empty()) ShowObjectHintFor(*hot);
    }
}

void TskSkinForm::TrackTimerTick() {
    if (!IsFormActive() || FStates->InSizeMove()) {
        if (FStates->InSizeMove()) EnableTrackTimer(false);
        return;
    }
    TPoint c;
    GetCursorPos(c);
    const TPoint p = ScreenToFrame(c);
    const TRect client = FSkinInUse ? FMetrics.ClientRect
                                    : TRect{3, CaptionHeight() + 3, FForm->Width() - 3, FForm->Height() - 3};
    const bool overWindow =
        WindowFromPoint(c) == FForm->WindowHandle() || GetCapture() == FForm->WindowHandle();
    TrackObjects(p.X, p.Y, overWindow && !Inside(client, p));
    if (FHotIndex < 0 && FPressedIndex < 0) EnableTrackTimer(false);
}

void TskSkinForm::ResetObjectStates() {
    for (auto& o : FObjects) {
        if (dynamic_cast<TskSkinCaptionObject*>(o.get())) continue;
        o->IsActive = false;
        o->MouseInside = false;
        o->MorphFactor = 0;
        if (auto* a = dynamic_cast<TskSkinAnimateObject*>(o.get())) a->FrameIndex = 1;
    }
}

void TskSkinForm::SetActiveState(bool Animate) {
    const bool active = IsFormActive();
    for (auto& o : FObjects) {
        auto* c = dynamic_cast<TskSkinCaptionObject*>(o.get());
        if (!c || c->IsActive == active) continue;
        c->IsActive = active;
        if (Animate) {
            if (c->CanAnimate()) {
                c->AnimationElapsed = 25;
                c->AnimationFrame = active ? 1 : c->inactiveanimation ? c->framecount : 0;
                StartAnimationTimer();
            }
            FrameRepaint();
            if (c->CanMorph()) StartMorphTimer();
        } else {
            c->MorphFactor = active ? 1 : 0;
        }
    }
    if (active) {
        if (OnActivate) OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

void TskSkinForm::EnableTrackTimer(bool On) {
    if (FTrackTimer) FTrackTimer->SetEnabled(On);
}

void TskSkinForm::StartMorphTimer() {
    if (FMorphTimer && !FMorphTimer->Enabled()) FMorphTimer->SetEnabled(true);
}

void TskSkinForm::StartAnimationTimer() {
    if (FAnimationTimer && !FAnimationTimer->Enabled()) FAnimationTimer->SetEnabled(true);
}

void TskSkinForm::StopTimers() {
    for (TTimer* t : {FTrackTimer.Get(), FMorphTimer.Get(), FAnimationTimer.Get()})
        if (t) t->SetEnabled(false);
}

void TskSkinForm::MorphTimerTick() {
    bool any = false;
    for (size_t i = 0; i < FObjects.size(); ++i) {
        TskActiveSkinObject* o = FObjects[i].get();
        if (o->CanMorph() && o->IsMorphing()) {
            o->DoMorph();
            any = true;
        }
    }
    if (!any) FMorphTimer->SetEnabled(false);
}

void TskSkinForm::AnimationTimerTick() {
    bool any = false;
    for (size_t i = 0; i < FObjects.size(); ++i) {
        TskActiveSkinObject* o = FObjects[i].get();
        if (auto* a = dynamic_cast<TskSkinAnimateObject*>(o)) {
            if (a->IsActive && !(a->PressedDown && !IsEmptySkinRect(a->downskinrect)) && !a->MenuTracking) {
                a->DoAnimationStep();
                any = true;
            }
        } else if (auto* c = dynamic_cast<TskSkinCaptionObject*>(o)) {
            if (c->DoAnimationStep()) any = true;
        }
    }
    if (!any) FAnimationTimer->SetEnabled(false);
}

void TskSkinForm::HideObjectHint() {
    if (FSkinHint) FSkinHint->HideHint();
}

void TskSkinForm::ShowObjectHintFor(const TskActiveSkinObject& Object) {
    if (FSkinHint) FSkinHint->ActivateHint2(Object.HintText);
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

} // namespace vd
