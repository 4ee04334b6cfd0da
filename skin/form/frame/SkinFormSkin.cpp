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
#include "skin/form/frame/FrameMenuMode.h"
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
        FPaintingSuspended = true;
        FSkinInUse = false;
        StopTimers();
        FHotIndex = FPrevHotIndex = FPressedIndex = -1;
        FObjects.clear();
        for (int i = 0; i < FForm->ControlCount(); ++i)
            ReskinWalk(FForm->Controls(i), skin, true);
        for (int i = 0; i < FForm->ComponentCount(); ++i)
            if (auto* c = dynamic_cast<TskSkinComponent*>(FForm->Components(i))) c->BeforeChangeSkinData();
        if (OnBeforeChangeSkinData) OnBeforeChangeSkinData(this);
        return;
    case WM_SKINLOADED:
        FPaintingSuspended = false;
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

void TskSkinForm::CreateObjects() {
    FObjects.clear();
    if (!FSkinData) return;
    for (const auto& r : FSkinData->ObjectRecords()) {
        const TskDataSkinObject* rec = r.get();
        if (dynamic_cast<const TskDataSkinMainMenuItem*>(rec) ||
            dynamic_cast<const TskDataSkinMenuItem*>(rec) ||
            dynamic_cast<const TskDataSkinMainMenuBarButton*>(rec))
            continue;
        if (auto* s = dynamic_cast<const TskDataSkinStdButton*>(rec))
            FObjects.push_back(std::make_unique<TskSkinStdButtonObject>(this, s));
        else if (auto* b = dynamic_cast<const TskDataSkinButton*>(rec))
            FObjects.push_back(std::make_unique<TskSkinButtonObject>(this, b));
        else if (auto* c = dynamic_cast<const TskDataSkinCaption*>(rec))
            FObjects.push_back(std::make_unique<TskSkinCaptionObject>(this, c));
        else if (auto* a = dynamic_cast<const TskDataSkinAnimate*>(rec))
            FObjects.push_back(std::make_unique<TskSkinAnimateObject>(this, a));
        else if (dynamic_cast<const TskDataUserObject*>(rec))
            FObjects.push_back(std::make_unique<TskUserObject>(this, rec));
    }
}

void TskSkinForm::CreateDefaultButtons() {
    FObjects.clear();
    FHotIndex = FPrevHotIndex = FPressedIndex = -1;
    const std::pair<const char*, TskStdCommand> buttons[] = {
        {"closebutton", cmClose},   {"maxbutton", cmMaximize},    {"minbutton", cmMinimize},
        {"rollupbutton", cmRollUp}, {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray}};
    for (const auto& [name, cmd] : buttons)
        FObjects.push_back(std::make_unique<TskSkinStdButtonObject>(this, name, cmd));
    ApplyBorderIcons();
}

void TskSkinForm::ApplyBorderIcons() {
    if (FObjects.empty()) return;
    for (auto& o : FObjects) {
        const int cmd = o->Command();
        if (cmd < 0) continue;
        const bool row = o->skinrectinapicture;
        if (HideCaptionButtons) {
            o->Enabled = false;
            if (row) o->Visible = false;
            continue;
        }
        if (cmd == cmDefault) {
            bool enable = false;
            if (OnActivateCustomObject) OnActivateCustomObject(o->IDName, enable);
            o->Enabled = enable;
            continue;
        }
        TskBorderIcons need = 0;
        switch (cmd) {
        case cmRollUp:
            need = skbiRollUp;
            break;
        case cmMaximize:
            need = skbiMaximize;
            break;
        case cmMinimize:
            need = skbiMinimize;
            break;
        case cmSysMenu:
            need = skbiSystemMenu;
            break;
        case cmMinimizeToTray:
            need = skbiMinimizeToTray;
            break;
        default:
            break;
        }
        if (need && !(FBorderIcons & need)) {
            o->Enabled = false;
            if (row) o->Visible = false;
        }
    }
    UpdateObjectHints();
}

void TskSkinForm::UpdateObjectHints() {
    if (!UseDefaultObjectHint || !FSkinData) return;
    const TskResourceStrData* strings = FSkinData->ResourceStrData();
    for (auto& o : FObjects) {
        const char* key = nullptr;
        const char* text = nullptr;
        switch (o->Command()) {
        case cmClose:
            key = "CLOSEBUTTON_HINT", text = "Close";
            break;
        case cmMaximize:
            key = "MAXBUTTON_HINT", text = "Maximize";
            break;
        case cmMinimize:
            key = "MINBUTTON_HINT", text = "Minimize";
            break;
        case cmSysMenu:
            key = "MENUBUTTON_HINT", text = "System menu";
            break;
        case cmRollUp:
            key = "ROLLUPBUTTON_HINT", text = "Roll Up";
            break;
        case cmMinimizeToTray:
            key = "TRAYBUTTON_HINT", text = "Minimize to Tray";
            break;
        default:
            break;
        }
        if (key) o->HintText = strings ? strings->LookupResString(key) : String(text);
    }
}

void TskSkinForm::SetBorderIcons(TskBorderIcons Value) {
    FBorderIcons = Value;
    if (!FSkinInUse) {
        CreateDefaultButtons();
        FrameRepaint();
        return;
    }
    // The default buttons have no place in a skinned frame (no rectangle in its picture): the
    // skin's own objects are made again and take the new set, and the frame keeps its skin.
    FHotIndex = FPrevHotIndex = FPressedIndex = -1;
    CreateObjects();
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
    FHotIndex = FPrevHotIndex = FPressedIndex = -1;
    FSkinInUse = FSkinData && !FSkinData->Empty();
    FWidth = FForm->Width();
    FHeight = FForm->Height();
    if (FSkinInUse) {
        CreateObjects();
        ApplyBorderIcons();
    } else {
        CreateDefaultButtons();
        if (FForm->HandleAllocated() && FRegionSet) SetWindowRgn(FForm->WindowHandle(), nullptr, TRUE);
        FRegionSet = false;
        FShape.reset();
    }
    // A new frame: the client rectangle moves.
    if (FForm->HandleAllocated())
        SetWindowPos(FForm->WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ApplyMinimumSize();
    FWidth = FForm->Width();
    FHeight = FForm->Height();
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
