#include "skin/form/frame/FrameObjects.h"

#include "platform/vcl/Form.h"
#include "platform/vcl/Timer.h"
#include "skin/core/SkinGeometry.h"
#include "skin/form/frame/FrameStates.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinFormHelpers.h"
#include "skin/form/menus/SkinHintWindow.h"

namespace vd {

using namespace frameparts;

TskFrameObjects::TskFrameObjects(TskSkinForm& Frame)
    : FFrame(Frame), FTrackTimer(&Frame), FMorphTimer(&Frame), FAnimationTimer(&Frame) {}

TskFrameObjects::~TskFrameObjects() = default;

TCustomForm* TskFrameObjects::Form() const {
    return FFrame.Form();
}

TskActiveSkinObject* TskFrameObjects::ObjectAt(int Index) const {
    return Index >= 0 && Index < int(FObjects.size()) ? FObjects[size_t(Index)].get() : nullptr;
}

void TskFrameObjects::Clear() {
    FObjects.clear();
    ResetTracking();
}

void TskFrameObjects::CreateTimers() {
    auto makeTimer = [this](unsigned interval, void (TskFrameObjects::*tick)()) {
        auto* t = new TTimer(&FFrame);
        t->SetEnabled(false);
        t->SetInterval(interval);
        t->SetOnTimer([this, tick](TObject*) { (this->*tick)(); });
        return t;
    };
    FTrackTimer = makeTimer(50, &TskFrameObjects::TrackTimerTick);
    FMorphTimer = makeTimer(25, &TskFrameObjects::MorphTimerTick);
    FAnimationTimer = makeTimer(25, &TskFrameObjects::AnimationTimerTick);
}

void TskFrameObjects::HideHint() {
    if (TskSkinHint* hint = FFrame.SkinHint()) hint->HideHint();
}

TskActiveSkinObject* TskFrameObjects::FindObject(const String& IDName) const {
    for (auto& o : FObjects)
        if (o->IDName == IDName) return o.get();
    return nullptr;
}

bool TskFrameObjects::TrackTimerRunning() const {
    return FTrackTimer && FTrackTimer->Enabled();
}

void TskFrameObjects::Track(int X, int Y, bool Allow) {
    if (FObjects.empty() || !FFrame.IsFormActive()) return;
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
        if (FFrame.ShowObjectHint && FFrame.SkinHint()) HideHint();
    }
    if (TskActiveSkinObject* hot = HotObject()) {
        hot->MouseEnter();
        if (FFrame.ShowObjectHint && FFrame.SkinHint() && !hot->HintText.empty())
            FFrame.SkinHint()->ActivateHint2(hot->HintText);
    }
}

void TskFrameObjects::TrackTimerTick() {
    if (!FFrame.IsFormActive() || FFrame.FStates->InSizeMove()) {
        if (FFrame.FStates->InSizeMove()) EnableTrackTimer(false);
        return;
    }
    TPoint c;
    GetCursorPos(c);
    const TPoint p = FFrame.ScreenToFrame(c);
    const TRect client =
        FFrame.SkinInUse() ? FFrame.Metrics().ClientRect
                           : TRect{3, FFrame.CaptionHeight() + 3, Form()->Width() - 3, Form()->Height() - 3};
    const bool overWindow =
        WindowFromPoint(c) == Form()->WindowHandle() || GetCapture() == Form()->WindowHandle();
    Track(p.X, p.Y, overWindow && !Inside(client, p));
    if (FHotIndex < 0 && FPressedIndex < 0) EnableTrackTimer(false);
}

void TskFrameObjects::ResetStates() {
    for (auto& o : FObjects) {
        if (dynamic_cast<TskSkinCaptionObject*>(o.get())) continue;
        o->IsActive = false;
        o->MouseInside = false;
        o->MorphFactor = 0;
        if (auto* a = dynamic_cast<TskSkinAnimateObject*>(o.get())) a->FrameIndex = 1;
    }
}

void TskFrameObjects::SetActiveState(bool Animate) {
    const bool active = FFrame.IsFormActive();
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
            FFrame.FrameRepaint();
            if (c->CanMorph()) StartMorphTimer();
        } else {
            c->MorphFactor = active ? 1 : 0;
        }
    }
    if (active) {
        if (FFrame.OnActivate) FFrame.OnActivate(&FFrame);
    } else if (FFrame.OnDeActivate) {
        FFrame.OnDeActivate(&FFrame);
    }
}

void TskFrameObjects::EnableTrackTimer(bool On) {
    if (FTrackTimer) FTrackTimer->SetEnabled(On);
}

void TskFrameObjects::StartMorphTimer() {
    if (FMorphTimer && !FMorphTimer->Enabled()) FMorphTimer->SetEnabled(true);
}

void TskFrameObjects::StartAnimationTimer() {
    if (FAnimationTimer && !FAnimationTimer->Enabled()) FAnimationTimer->SetEnabled(true);
}

void TskFrameObjects::StopTimers() {
    for (TTimer* t : {FTrackTimer.Get(), FMorphTimer.Get(), FAnimationTimer.Get()})
        if (t) t->SetEnabled(false);
}

void TskFrameObjects::MorphTimerTick() {
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

void TskFrameObjects::AnimationTimerTick() {
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

void TskFrameObjects::RouteMouse(TMessage& Message) {
    const UINT m = Message.Msg;
    if (m == WM_LBUTTONUP || m == WM_RBUTTONUP) {
        // A pressed button captured the mouse, so its release comes here: the press ends as a
        // non-client release would end it, or every other object stays refused.
        ReleasePressed({-1, -1}, m == WM_LBUTTONUP ? mbLeft : mbRight);
        return;
    }
    const TPoint p = FFrame.ScreenToFrame(PointFromLParam(Message.LParam));
    const int ht = static_cast<int>(Message.WParam);
    switch (m) {
    case WM_NCMOUSEMOVE:
        if (auto* o = ObjectAt(FPressedIndex))
            o->MouseMove(p.X, p.Y);
        else if (auto* hot = ObjectAt(FHotIndex))
            hot->MouseMove(p.X, p.Y);
        break;
    case WM_NCLBUTTONDOWN:
        NcLButtonDown(p, ht);
        break;
    case WM_NCLBUTTONDBLCLK:
        NcLButtonDblClk(p, ht);
        break;
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
        ReleasePressed(p, m == WM_NCLBUTTONUP ? mbLeft : mbRight);
        break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
        NcRButtonDown(p, ht, m == WM_NCRBUTTONDOWN);
        break;
    default:
        break;
    }
}

void TskFrameObjects::ReleasePressed(TPoint p, TMouseButton Button) {
    TskActiveSkinObject* o = ObjectAt(FPressedIndex);
    FPressedIndex = -1;
    if (!o) return;
    if (!IsCaptionObject(o) && GetCapture() == Form()->WindowHandle()) ReleaseCapture();
    o->MouseUp(p.X, p.Y, Button);
}

void TskFrameObjects::NcLButtonDown(TPoint p, int ht) {
    if (FFrame.FStates->EndSizeMoveOnPress()) return;
    Track(p.X, p.Y, true);
    // Nothing under the pointer: nothing pressed, nothing captured.
    TskActiveSkinObject* hot = ObjectAt(FHotIndex);
    if (!hot) return;
    FPressedIndex = FHotIndex;
    hot->MouseDown(p.X, p.Y, mbLeft);
    if (!IsCaptionObject(hot) && Form()->HandleAllocated()) SetCapture(Form()->WindowHandle());
    if (ht == HTCAPTION) FPressedIndex = -1;
}

void TskFrameObjects::NcLButtonDblClk(TPoint p, int ht) {
    Track(p.X, p.Y, true);
    if (TskActiveSkinObject* hot = ObjectAt(FHotIndex)) {
        hot->MouseDown(p.X, p.Y, mbLeft);
        hot->DblClick();
    }
    if (ht == HTCAPTION) FFrame.FStates->CaptionDblClick();
    FPressedIndex = -1;
}

void TskFrameObjects::NcRButtonDown(TPoint p, int ht, bool Popup) {
    Track(p.X, p.Y, true);
    if (TskActiveSkinObject* hot = ObjectAt(FHotIndex)) hot->MouseDown(p.X, p.Y, mbRight);
    if (ht != HTCAPTION) return;
    FPressedIndex = -1;
    if (Popup) {
        TPoint cursor;
        GetCursorPos(cursor);
        FFrame.PopupSystemMenu(cursor.X, cursor.Y);
    }
}

bool TskFrameObjects::SysMenuButtonRect(TRect& R) const {
    for (auto& o : FObjects)
        if (o->Command() == cmSysMenu && o->Enabled) {
            R = o->ObjectRect;
            return true;
        }
    return false;
}

void TskFrameObjects::MenuClosed() {
    for (auto& o : FObjects) {
        if (auto* b = dynamic_cast<TskSkinButtonObject*>(o.get()); b && b->PopupItem && b->Pressed) {
            b->SetPressed(false);
            return;
        }
        if (auto* a = dynamic_cast<TskSkinAnimateObject*>(o.get()); a && a->MenuTracking) {
            a->MenuTracking = false;
            a->FrameIndex = 1;
            FFrame.DrawSkinObject(a);
            StartAnimationTimer();
            return;
        }
    }
}

} // namespace vd
