#include "platform/vcl/ComCtrls/TreeNodes.h"

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/ComCtrls/TreeView.h"

#include <algorithm>

namespace vd {

// Nodes.

void TTreeNode::Changed() {
    if (FOwner) FOwner->Changed();
}

void TTreeNode::SetText(const String& v) {
    FText = v;
    Changed();
}

void TTreeNode::SetImageIndex(int v) {
    FImageIndex = v;
    Changed();
}

void TTreeNode::SetSelectedIndex(int v) {
    FSelectedIndex = v;
    Changed();
}

void TTreeNode::SetHasChildren(bool v) {
    FHasChildren = v;
    Changed();
}

int TTreeNode::Index() const {
    const auto& sib = FOwner->SiblingsOf(FParent);
    for (std::size_t i = 0; i < sib.size(); ++i)
        if (sib[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const {
    int n = 0;
    for (const TTreeNode* p = FParent; p; p = p->FParent)
        ++n;
    return n;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& sib = FOwner->SiblingsOf(FParent);
    const int i = Index();
    return i + 1 < static_cast<int>(sib.size()) ? sib[static_cast<std::size_t>(i + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const int i = Index();
    return i > 0 ? FOwner->SiblingsOf(FParent)[static_cast<std::size_t>(i - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!FChildren.empty()) return FChildren.front().get();
    for (const TTreeNode* n = this; n; n = n->FParent)
        if (TTreeNode* s = n->GetNextSibling()) return s;
    return nullptr;
}

bool TTreeNode::IsVisible() const {
    for (const TTreeNode* p = FParent; p; p = p->FParent)
        if (!p->FExpanded) return false;
    return true;
}

TCustomTreeView* TTreeNode::TreeView() const {
    return FOwner ? FOwner->Owner() : nullptr;
}

void TTreeNode::SetExpanded(bool v) {
    if (v)
        Expand(false);
    else
        Collapse(false);
}

void TTreeNode::Expand(bool recurse) {
    TCustomTreeView* tv = TreeView();
    if (!FExpanded && HasChildren() && (!tv || tv->CanExpand(this))) {
        FExpanded = !FChildren.empty();
        if (tv && FExpanded) tv->Expanded(this);
        if (FChildren.empty()) FHasChildren = false; // nothing came on the first expand
        Changed();
    }
    if (recurse)
        for (auto& c : FChildren)
            c->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    TCustomTreeView* tv = TreeView();
    if (FExpanded && (!tv || tv->CanCollapse(this))) {
        FExpanded = false;
        if (tv) tv->Collapsed(this);
        Changed();
    }
    if (recurse)
        for (auto& c : FChildren)
            c->Collapse(true);
}

bool TTreeNode::Selected() const {
    const TCustomTreeView* tv = TreeView();
    return tv && tv->Selected() == this;
}

void TTreeNode::SetSelected(bool v) {
    if (TCustomTreeView* tv = TreeView()) {
        if (v)
            tv->SetSelected(this);
        else if (tv->Selected() == this)
            tv->SetSelected(nullptr);
    }
}

void TTreeNode::MakeVisible() {
    for (TTreeNode* p = FParent; p; p = p->FParent)
        if (!p->FExpanded) p->Expand(false);
    if (TCustomTreeView* tv = TreeView()) tv->ScrollIntoView(this);
}

void TTreeNode::Delete() {
    FOwner->Delete(this);
}

void TTreeNode::DeleteChildren() {
    while (!FChildren.empty())
        FOwner->Delete(FChildren.back().get());
    FExpanded = false;
}

bool TTreeNode::EditText() {
    TCustomTreeView* tv = TreeView();
    return tv && tv->StartEdit(this);
}

void TTreeNode::CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& compare, bool recurse) {
    std::stable_sort(FChildren.begin(), FChildren.end(),
                     [&](const auto& a, const auto& b) { return compare(a.get(), b.get()) < 0; });
    if (recurse)
        for (auto& c : FChildren)
            c->CustomSort(compare, true);
    Changed();
}

void TTreeNode::AlphaSort(bool recurse) {
    CustomSort([](TTreeNode* a, TTreeNode* b) { return AnsiCompareText(a->Text(), b->Text()); }, recurse);
}

// The collection.

TTreeNodes::~TTreeNodes() {
    FOwner = nullptr;
    FRoots.clear();
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* parent) {
    return parent ? parent->FChildren : FRoots;
}

void TTreeNodes::Changed() {
    if (FOwner && FUpdateCount == 0) FOwner->NodesChanged();
}

void TTreeNodes::SetUpdateState(bool updating) {
    if (!FOwner || !FOwner->HandleAllocated()) return;
    SendMessage(FOwner->Handle(), WM_SETREDRAW, updating ? FALSE : TRUE, 0);
}

void TTreeNodes::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TTreeNodes::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) {
        SetUpdateState(false);
        Changed();
    }
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, std::size_t pos, const String& text) {
    auto& sib = SiblingsOf(parent);
    auto node = std::make_unique<TTreeNode>(this, parent);
    node->FText = text;
    TTreeNode* raw = node.get();
    sib.insert(sib.begin() + static_cast<std::ptrdiff_t>(std::min(pos, sib.size())), std::move(node));
    Changed();
    return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const String& text) {
    TTreeNode* parent = sibling ? sibling->Parent() : nullptr;
    return InsertAt(parent, SiblingsOf(parent).size(), text);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const String& text) {
    return InsertAt(sibling ? sibling->Parent() : nullptr, 0, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const String& text) {
    return InsertAt(parent, SiblingsOf(parent).size(), text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const String& text) {
    return InsertAt(parent, 0, text);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const String& text, void* data) {
    TTreeNode* n = Add(sibling, text);
    n->Data = data;
    return n;
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const String& text, void* data) {
    TTreeNode* n = AddChild(parent, text);
    n->Data = data;
    return n;
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const String& text) {
    if (!sibling) return Add(nullptr, text);
    return InsertAt(sibling->Parent(), static_cast<std::size_t>(sibling->Index()), text);
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node) return;
    if (FOwner) FOwner->NodeDeleting(node);
    auto& sib = SiblingsOf(node->Parent());
    auto it = std::find_if(sib.begin(), sib.end(), [node](const auto& p) { return p.get() == node; });
    if (it == sib.end()) return;
    std::unique_ptr<TTreeNode> keep = std::move(*it);
    sib.erase(it);
    if (TTreeNode* parent = keep->Parent(); parent && parent->FChildren.empty()) parent->FExpanded = false;
    Changed();
}

void TTreeNodes::Clear() {
    BeginUpdate();
    while (!FRoots.empty())
        Delete(FRoots.back().get());
    EndUpdate();
}

// Over the child lists, so that long sibling runs cost no more than short ones.
int TTreeNodes::Count() const {
    int n = 0;
    auto walk = [&n](const auto& self, const std::vector<std::unique_ptr<TTreeNode>>& nodes) -> void {
        n += static_cast<int>(nodes.size());
        for (const auto& c : nodes)
            self(self, c->FChildren);
    };
    walk(walk, FRoots);
    return n;
}

TTreeNode* TTreeNodes::Item(int index) const {
    TTreeNode* p = GetFirstNode();
    for (int i = 0; p && i < index; ++i)
        p = p->GetNext();
    return index < 0 ? nullptr : p;
}

} // namespace vd
