#pragma once
// TTreeNode / TTreeNodes: the nodes of a tree view. Each node owns its children; the tree
// owns the roots. A node's data is the caller's and never touched here.
#include "platform/rtl/String.h"
#include "platform/vcl/Forward.h"

#include <functional>
#include <memory>
#include <vector>

namespace vd {

class TTreeNode {
public:
    TTreeNode(TTreeNodes* owner, TTreeNode* parent) : FOwner(owner), FParent(parent) {}
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const String& Text() const { return FText; }
    void SetText(const String& v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int v);
    void* Data = nullptr;
    // Shows an expand button before the children are filled in (on the first expand).
    bool HasChildren() const { return FHasChildren || !FChildren.empty(); }
    void SetHasChildren(bool v);

    TTreeNode* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int index) const { return FChildren.at(static_cast<std::size_t>(index)).get(); }
    int Index() const;
    int Level() const;
    TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
    TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    TTreeNode* GetNext() const; // depth-first order over the whole tree
    // Every ancestor expanded: the node has a row.
    bool IsVisible() const;
    TTreeNodes* Owner() const { return FOwner; }
    TCustomTreeView* TreeView() const;

    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool v);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool v);
    void MakeVisible();
    void Delete();
    void DeleteChildren();
    bool EditText();
    // Orders the children by compare(a, b) < 0 (stable); Text, case-insensitive, by default.
    void CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& compare, bool recurse = false);
    void AlphaSort(bool recurse = false);

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    void Changed();
    TTreeNodes* FOwner;
    TTreeNode* FParent;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    String FText;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    bool FHasChildren = false;
    bool FExpanded = false;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}
    ~TTreeNodes();
    TCustomTreeView* Owner() const { return FOwner; }

    // Adds after the last sibling of sibling (null: a root).
    TTreeNode* Add(TTreeNode* sibling, const String& text);
    TTreeNode* AddFirst(TTreeNode* sibling, const String& text);
    TTreeNode* AddChild(TTreeNode* parent, const String& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const String& text);
    TTreeNode* AddObject(TTreeNode* sibling, const String& text, void* data);
    TTreeNode* AddChildObject(TTreeNode* parent, const String& text, void* data);
    // Inserts before sibling (null: at the end of the roots).
    TTreeNode* Insert(TTreeNode* sibling, const String& text);
    void Delete(TTreeNode* node);
    void Clear();
    int Count() const;                // every node
    TTreeNode* Item(int index) const; // depth-first order
    TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
    int RootCount() const { return static_cast<int>(FRoots.size()); }
    TTreeNode* Root(int index) const { return FRoots.at(static_cast<std::size_t>(index)).get(); }
    // Redraw is off from the first BeginUpdate to the last EndUpdate, which repaints once.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent);
    TTreeNode* InsertAt(TTreeNode* parent, std::size_t pos, const String& text);
    void Changed();
    void SetUpdateState(bool updating);
    TCustomTreeView* FOwner;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
    int FUpdateCount = 0;
};

} // namespace vd
