#pragma once
// TCustomTreeView / TTreeView: rows for the nodes whose ancestors are all expanded, one fixed
// row height, a top row and a horizontal pixel offset kept in the window's scroll state (no bar
// is drawn), keyboard and mouse navigation, expand buttons, label editing in an edit child.
#include "platform/vcl/ComCtrls/TreeNodes.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/StdCtrls/Edit.h"
#include "platform/vcl/WinControl.h"

#include <functional>
#include <memory>
#include <vector>

namespace vd {

enum TSortType { stNone, stData, stText, stBoth };

using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, String& S)>;

inline constexpr UINT TV_FIRST = 0x1100;
inline constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
inline constexpr UINT TVM_SETIMAGELIST = TV_FIRST + 9;
inline constexpr UINT TVM_GETVISIBLECOUNT = TV_FIRST + 16;
inline constexpr WPARAM TVSIL_NORMAL = 0;
inline constexpr WPARAM TVSIL_STATE = 2;

class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(TComponent* AOwner);
    ~TCustomTreeView() override;

    TTreeNodes& Items() { return *FNodes; }
    TTreeNode* Selected() const { return FSelected; }
    void SetSelected(TTreeNode* node); // asks OnChanging, then OnChange
    TTreeNode* TopItem();
    void SetTopItem(TTreeNode* node);
    TTreeNode* GetNodeAt(int X, int Y);
    // The rows shown now: nodes whose ancestors are all expanded, in order.
    const std::vector<TTreeNode*>& Rows();
    int RowOf(const TTreeNode* node);
    TRect NodeRect(const TTreeNode* node, bool textOnly);
    int ItemHeight();
    int VisibleCount(); // rows that fit whole
    void ScrollIntoView(TTreeNode* node);
    void FullExpand();
    void FullCollapse();
    void AlphaSort(bool recurse = true);
    void CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& compare, bool recurse = true);

    bool ShowButtons = true;
    bool ShowLines = true;
    bool ShowRoot = true;
    bool ReadOnly = false;
    bool HideSelection = true;
    int Indent = 19;
    TSortType SortType = stNone;
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* v);
    TCustomImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TCustomImageList* v);

    bool StartEdit(TTreeNode* node);
    void EndEdit(bool cancel);
    bool IsEditing() const { return FEditor != nullptr; }
    TCustomEdit* EditControl() const { return FEditor; }

    TTVChangingEvent OnChanging;
    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVExpandingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    TTVExpandedEvent OnDeletion;

    // Called by the nodes.
    virtual bool CanExpand(TTreeNode* node);
    virtual void Expanded(TTreeNode* node);
    virtual bool CanCollapse(TTreeNode* node);
    virtual void Collapsed(TTreeNode* node);
    void NodesChanged();
    void NodeDeleting(TTreeNode* node);

    void Dispatch(TMessage& Message) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    // A node going away and a finished label edit; both fire their events. Descendants that keep
    // their own data here override these, so that the events stay the user's.
    virtual void Delete(TTreeNode* node);
    virtual void Edit(TTreeNode* node, String& text);
    virtual bool CanChange(TTreeNode* node);
    virtual void Change(TTreeNode* node);
    void CreateWnd() override;
    void PaintWindow(std::uintptr_t DC) override;
    virtual void DrawNode(HDC dc, TTreeNode* node, const TRect& row);
    void DrawLines(HDC dc, TTreeNode* node, const TRect& row);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void UpdateScrollState();
    void SetTopRow(int row);
    void SetHorzOffset(int px);
    int RowWidth(TTreeNode* node);
    void OnScroll(int bar, WPARAM wParam);

    std::unique_ptr<TTreeNodes> FNodes;
    TTreeNode* FSelected = nullptr;
    int FTopRow = 0;
    int FHorzOffset = 0;
    std::vector<TTreeNode*> FRows;
    bool FRowsValid = false;
    TComponentLink<TCustomImageList> FImages{this};
    TComponentLink<TCustomImageList> FStateImages{this};
    TCustomEdit* FEditor = nullptr;
    TTreeNode* FEditNode = nullptr;
    bool FEnding = false;
};

class TTreeView : public TCustomTreeView {
public:
    explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};

} // namespace vd
