#pragma once
// Actions: one command (caption, enabled, checked, hint, image, visible, shortcut, what it
// does) shared by the controls and menu items linked to it. A change of the action reaches every
// linked client through its link; a freed action unlinks its clients.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/VclTypes.h"

#include <functional>
#include <vector>

namespace vd {

using TShortCut = Word;

// A client's end of the link: calls back on every change of the action.
class TActionLink {
public:
    explicit TActionLink(std::function<void(TBasicAction*)> changed) : FChanged(std::move(changed)) {}
    ~TActionLink();
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;
    TBasicAction* Action() const { return FAction; }
    void SetAction(TBasicAction* action);
    bool Execute();

private:
    friend class TBasicAction;
    TBasicAction* FAction = nullptr;
    std::function<void(TBasicAction*)> FChanged;
};

class TBasicAction : public TComponent {
public:
    explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
    ~TBasicAction() override;
    // OnExecute; false when nothing handled it.
    virtual bool Execute();
    // OnUpdate, so the action can set its own state; false when nothing handled it.
    virtual bool Update();
    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    void Change();

private:
    friend class TActionLink;
    std::vector<TActionLink*> FClients;
};

class TCustomAction : public TBasicAction {
public:
    explicit TCustomAction(TComponent* AOwner) : TBasicAction(AOwner) {}
    ~TCustomAction() override;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    const String& Hint() const { return FHint; }
    void SetHint(const String& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut v);
    TActionList* ActionList() const { return FActionList; }
    void SetActionList(TActionList* list);
    bool Execute() override; // a disabled action does nothing
    bool SetProperty(const String& name, const TPropValue& value) override;

private:
    String FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    String FHint;
    int FImageIndex = -1;
    bool FVisible = true;
    TShortCut FShortCut = 0;
    TActionList* FActionList = nullptr;
    friend class TActionList;
};

class TAction : public TCustomAction {
public:
    explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
};

class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
    ~TActionList() override;
    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TCustomAction* Actions(int index) const { return FActions.at(static_cast<std::size_t>(index)); }
    TComponentLink<TCustomImageList> Images{this};
    // Runs every action's update (the idle pass of the application).
    void UpdateActions();
    // The enabled action with this shortcut executed; false when none has it.
    bool IsShortCut(TShortCut key);
    void InsertReadChild(TComponent* child) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

private:
    friend class TCustomAction;
    std::vector<TCustomAction*> FActions;
};

} // namespace vd
