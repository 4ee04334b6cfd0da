// Skin changes: the caption objects rebuilt from the skin, the minimum size, the border icons,
// the hints, and the walk that re-skins the form's controls.
#include "platform/vcl/Application.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinGraphicControl.h"
#include "skin/controls/SkinLinkLabel.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/form/frame/FrameGeometry.h"
#include "skin/form/frame/FrameMenuMode.h"
#include "skin/form/frame/FrameObjects.h"
#include "skin/form/frame/FramePainter.h"
#include "skin/form/frame/SkinCaptionObject.h"
#include "skin/form/frame/SkinComponent.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/store/SkinObjectRecords.h"

namespace vd {

namespace {

template <class T> bool Reskin(TControl* c, TskSkinData* skin, bool reset) {
    auto* t = dynamic_cast<T*>(c);
    if (!t) return false;
    if (skin && t->SkinData() != skin) return true;
    if (!reset) t->ChangeSkinData();
    return true;
}

} // namespace

void TskSkinComponent::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
}

void TskSkinFrame::SetCtrlsSkinData(TskSkinData* Value) {
    FCtrlsSkinData = Value;
}

void TskSkinForm::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
    FMenuMode->SetTrayMenuSkin(Value);
    if (!(ComponentState() & (csDesigning | csLoading))) ChangeSkinData();
}

void TskSkinForm::ReskinWalk(TControl* control, TskSkinData* skin, bool reset) {
    if (!control) return;
    if (reset) {
        bool handled = false;
        if (auto* c = dynamic_cast<TskSkinControl*>(control)) {
            if (!skin || c->SkinData() == skin) c->ResetSkinIndex();
            handled = true;
        }
        if (!handled)
            for (const auto& h : std::vector<TskReskinHandler>(ReskinHandlers()))
                if (h.Reset && h.Reset(control, skin)) break;
    } else {
        // A link label is a standard label with a re-skin of its own, so it is asked first.
        bool handled = Reskin<TskSkinControl>(control, skin, false) ||
                       Reskin<TskGraphicSkinControl>(control, skin, false) ||
                       Reskin<TskSkinLinkLabel>(control, skin, false) ||
                       Reskin<TskSkinStdLabel>(control, skin, false) ||
                       Reskin<TskSkinCustomTreeView>(control, skin, false) ||
                       Reskin<TskSkinBevel>(control, skin, false) ||
                       Reskin<TskSkinCustomListView>(control, skin, false) ||
                       Reskin<TskSkinSplitter>(control, skin, false);
        // A copy: a control made while a handler runs may register its class.
        if (!handled)
            for (const auto& h : std::vector<TskReskinHandler>(ReskinHandlers()))
                if (h.Change && h.Change(control, skin)) break;
    }
    if (auto* w = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < w->ControlCount(); ++i)
            ReskinWalk(w->Controls(i), skin, reset);
}

void TskSkinForm::SkinMessage(TMessage& Message) {
    auto* skin = reinterpret_cast<TskSkinData*>(Message.WParam);
    Message.Result = 0;
    switch (Message.Msg) {
    case WM_SKINLOADING:
        if (!skin || skin != FSkinData) return;
        FPainter->Suspend(true);
        FSkinInUse = false;
        FObjects->StopTimers();
        FObjects->Clear();
        for (int i = 0; i < FForm->ControlCount(); ++i)
            ReskinWalk(FForm->Controls(i), skin, true);
        for (int i = 0; i < FForm->ComponentCount(); ++i)
            if (auto* c = dynamic_cast<TskSkinComponent*>(FForm->Components(i))) c->BeforeChangeSkinData();
        if (OnBeforeChangeSkinData) OnBeforeChangeSkinData(this);
        return;
    case WM_SKINLOADED:
        FPainter->Suspend(false);
        if (skin && skin == FSkinData) ChangeSkinData();
        for (int i = 0; i < FForm->ControlCount(); ++i)
            ReskinWalk(FForm->Controls(i), skin, false);
        for (int i = 0; i < FForm->ComponentCount(); ++i)
            if (auto* c = dynamic_cast<TskSkinComponent*>(FForm->Components(i))) c->ChangeSkinData();
        return;
    case WM_SKINSETTLED:
        if (skin && skin == FSkinData && IsMDIForm()) {
            SendToChildren(WM_SKINMDIFIT);
            ReparkMinimizedChildren();
        }
        if (OnAfterChangeSkinData) OnAfterChangeSkinData(this);
        return;
    case WM_SKINSTRINGSCHANGED:
        UpdateObjectHints();
        return;
    default:
        return;
    }
}

void TskSkinForm::SetBorderIcons(TskBorderIcons Value) {
    FBorderIcons = Value;
    if (!FSkinInUse) {
        FObjects->CreateDefaultButtons();
        FrameRepaint();
        return;
    }
    // The default buttons have no place in a skinned frame (no rectangle in its picture): the
    // skin's own objects are made again and take the new set, and the frame keeps its skin.
    FObjects->ResetTracking();
    FObjects->CreateFromSkin();
    ApplyBorderIcons();
    UpdateRegion(true);
    FrameRepaint();
}

void TskSkinForm::ApplyMinimumSize() {
    const int mw = GetMinWidth(), mh = GetMinHeight();
    const int w = FForm->Width(), h = FForm->Height();
    if (w < mw && h < mh)
        FForm->SetBounds(FForm->Left(), FForm->Top(), mw, mh);
    else if (h < mh)
        FForm->SetHeight(mh);
    else if (w < mw)
        FForm->SetWidth(mw);
    else
        NudgeSize();
    if (RolledUp() || WindowState() == skwsMinimized) FForm->SetHeight(GetMinHeight());
    if (WindowState() == skwsMinimized) FForm->SetWidth(GetMinWidth());
}

void TskSkinForm::ChangeSkinData() {
    FObjects->ResetTracking();
    FSkinInUse = FSkinData && !FSkinData->Empty();
    FGeometry->TakeFormSize();
    if (FSkinInUse) {
        FObjects->CreateFromSkin();
        ApplyBorderIcons();
    } else {
        FObjects->CreateDefaultButtons();
        FGeometry->ClearRegion();
    }
    // A new frame: the client rectangle moves.
    if (FForm->HandleAllocated())
        SetWindowPos(FForm->WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ApplyMinimumSize();
    FGeometry->TakeFormSize();
    if (FSkinInUse) UpdateRegion(true);
    if (IsMDIForm() && FForm->ClientHandle()) {
        RedrawWindow(FForm->ClientHandle(), nullptr, RDW_ERASE | RDW_INVALIDATE);
        SendToChildren(WM_SKINMDIFIT);
        ReparkMinimizedChildren();
    } else {
        FForm->Invalidate();
    }
    SetActiveState(!IsMaximizedChild());
    if (FForm->HandleAllocated() && IsWindowVisible(FForm->WindowHandle())) EnableTrackTimer(true);
    if (OnChangeSkinData) OnChangeSkinData(this);
    if (!RolledUp()) {
        if (ClientWidth > 0) FForm->SetClientWidth(ClientWidth);
        if (ClientHeight > 0) FForm->SetClientHeight(ClientHeight);
    }
}

} // namespace vd
