#pragma once
// The tree view fitted to a skinned window: the shared skinned view with the skin's "treeview"
// record, its two external skinned scroll bars kept in step with the tree's own scroll state.
#include "skin/controls/SkinViewBase.h"

namespace vd {

class TskSkinCustomTreeView : public TskSkinViewBase<TCustomTreeView, TskDataSkinTreeView> {
public:
    explicit TskSkinCustomTreeView(TComponent* AOwner) : TskSkinViewBase(AOwner, "treeview") {}
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

    void ChangeSkinData() override;
    void UpdateScrollBars() override;

protected:
    void Change(TTreeNode* Node) override;
    void BarChange(bool Vertical) override;
};

class TskSkinTreeView : public TskSkinCustomTreeView {
public:
    explicit TskSkinTreeView(TComponent* AOwner) : TskSkinCustomTreeView(AOwner) {}
};

} // namespace vd
