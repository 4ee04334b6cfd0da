#include "platform/vcl/ActnList.h"

#include "platform/vcl/ImageList.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"

#include <algorithm>

namespace vd {

// Links.

TActionLink::~TActionLink() {
    SetAction(nullptr);
}

void TActionLink::SetAction(TBasicAction* action) {
    if (action == FAction) return;
    if (FAction) {
        auto& c = FAction->FClients;
        c.erase(std::remove(c.begin(), c.end(), this), c.end());
    }
    FAction = action;
    if (FAction) {
        FAction->FClients.push_back(this);
        if (FChanged) FChanged(FAction);
    }
}

bool TActionLink::Execute() {
    return FAction && FAction->Execute();
}

// Actions.

TBasicAction::~TBasicAction() {
    // Clients keep working without the action; their links forget it.
    for (TActionLink* link : std::vector<TActionLink*>(FClients))
        link->FAction = nullptr;
    FClients.clear();
}

bool TBasicAction::Execute() {
    if (!OnExecute) return false;
    OnExecute(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::Change() {
    for (TActionLink* link : std::vector<TActionLink*>(FClients))
        if (link->FChanged) link->FChanged(this);
}

TCustomAction::~TCustomAction() {
    SetActionList(nullptr);
}

void TCustomAction::SetCaption(const String& v) {
    if (v == FCaption) return;
    FCaption = v;
    Change();
}

void TCustomAction::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Change();
}

void TCustomAction::SetChecked(bool v) {
    if (v == FChecked) return;
    FChecked = v;
    Change();
}

void TCustomAction::SetHint(const String& v) {
    if (v == FHint) return;
    FHint = v;
    Change();
}

void TCustomAction::SetImageIndex(int v) {
    if (v == FImageIndex) return;
    FImageIndex = v;
    Change();
}

void TCustomAction::SetVisible(bool v) {
    if (v == FVisible) return;
    FVisible = v;
    Change();
}

void TCustomAction::SetShortCut(TShortCut v) {
    if (v == FShortCut) return;
    FShortCut = v;
    Change();
}

void TCustomAction::SetActionList(TActionList* list) {
    if (list == FActionList) return;
    if (FActionList) {
        auto& a = FActionList->FActions;
        a.erase(std::remove(a.begin(), a.end(), this), a.end());
    }
    FActionList = list;
    if (list) list->FActions.push_back(this);
}

bool TCustomAction::Execute() {
    return FEnabled && TBasicAction::Execute();
}

namespace {

const TPropertyTable<TCustomAction>& ActionProperties() {
    using namespace props;
    using C = TCustomAction;
    static const TPropertyTable<C> table{
        {"Caption", Call(&C::SetCaption, AsText)},
        {"Enabled", Call(&C::SetEnabled, AsBool)},
        {"Checked", Call(&C::SetChecked, AsBool)},
        {"Hint", Call(&C::SetHint, AsText)},
        {"ImageIndex", Call(&C::SetImageIndex, AsInt)},
        {"Visible", Call(&C::SetVisible, AsBool)},
        {"ShortCut",
         [](C& c, const TPropValue& v) {
             c.SetShortCut(v.Kind == TPropValue::vkString ? TextToShortCut(v.AsString())
                                                          : static_cast<TShortCut>(v.AsInt()));
         }},
    };
    return table;
}

} // namespace

bool TCustomAction::SetProperty(const String& name, const TPropValue& v) {
    return ActionProperties().Set(*this, name, v) || TBasicAction::SetProperty(name, v);
}

// The list.

TActionList::~TActionList() {
    for (TCustomAction* a : std::vector<TCustomAction*>(FActions))
        a->FActionList = nullptr;
}

void TActionList::UpdateActions() {
    for (TCustomAction* a : std::vector<TCustomAction*>(FActions))
        a->Update();
}

bool TActionList::IsShortCut(TShortCut key) {
    for (TCustomAction* a : std::vector<TCustomAction*>(FActions))
        if (a->ShortCut() == key && key != 0 && a->Enabled()) {
            a->Update();
            return a->Enabled() && a->Execute();
        }
    return false;
}

bool TActionList::SetComponentProperty(const String& name, TComponent* value) {
    if (name != "Images" || !dynamic_cast<TCustomImageList*>(value))
        return TComponent::SetComponentProperty(name, value);
    Images = static_cast<TCustomImageList*>(value);
    return true;
}

void TActionList::InsertReadChild(TComponent* child) {
    if (auto* a = dynamic_cast<TCustomAction*>(child)) a->SetActionList(this);
}

} // namespace vd
