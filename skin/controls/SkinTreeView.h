#pragma once
// The tree view fitted to a skinned window: no border and no native bars of its own, colour and
// font from the skin's "treeview" record, and two external skinned scroll bars kept in step with
// the tree's own scroll state.
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/Font.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"

namespace vd {

class TskSkinCustomTreeView : public TCustomTreeView {
public:
    explicit TskSkinCustomTreeView(TComponent* AOwner);
    ~TskSkinCustomTreeView() override;
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    String SkinDataName = "treeview";
    int SkinIndex() const { return FSkinIndex; }
    TFont& DefaultFont() { return FDefaultFont; }
    void SetDefaultFont(const TFont& Value);
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    bool UseSkinFont = true;
    TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TskSkinScrollBar* Value);
    TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TskSkinScrollBar* Value);

    virtual void ChangeSkinData();
    // Shows, hides and ranges the attached bars from the tree's scroll state.
    void UpdateScrollBars();

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Change(TTreeNode* Node) override;
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }

private:
    void AttachBar(TskSkinScrollBar*& Field, TskSkinScrollBar* Value, bool Vertical);
    void BarChange(bool Vertical);
    bool SetBarVisible(TskSkinScrollBar* Bar, bool Visible);

    TskSkinData* FSkinData = nullptr;
    int FSkinIndex = -1;
    TFont FDefaultFont;
    TColor FDefaultColor = clWindow;
    TskSkinScrollBar* FVScrollBar = nullptr;
    TskSkinScrollBar* FHScrollBar = nullptr;
    bool FUpdating = false;
};

class TskSkinTreeView : public TskSkinCustomTreeView {
public:
    explicit TskSkinTreeView(TComponent* AOwner) : TskSkinCustomTreeView(AOwner) {}
};

// The pieces the tree and list views share.
namespace skview {
// The skin's font and colours from a text-view record (tree view, list view); nothing for null.
bool ApplyTextViewRecord(const TskDataSkinTextViewBase* Record, bool UseSkinFont, const TFont& DefaultFont,
                         TFont& Font, TColor& Color);
// Realigns the parent of a bar so that its own Align is applied again.
void ReapplyAlign(TskSkinScrollBar* Bar);
} // namespace skview

} // namespace vd
