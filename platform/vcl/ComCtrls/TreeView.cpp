#include "platform/vcl/ComCtrls/TreeView.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace vd {

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TWinControl(AOwner), FNodes(std::make_unique<TTreeNodes>(this)) {
    FWidth = 121;
    FHeight = 97;
    FTabStop = true;
    FColor = clWindow;
}

TCustomTreeView::~TCustomTreeView() {
    Destroying();
    FSelected = nullptr;
    FNodes.reset();
}

void TCustomTreeView::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateScrollState();
}

void TCustomTreeView::SetImages(TCustomImageList* v) {
    FImages = v;
    NodesChanged();
}

void TCustomTreeView::SetStateImages(TCustomImageList* v) {
    FStateImages = v;
    NodesChanged();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FEditor) FEditor = nullptr;
}

void TCustomTreeView::NodesChanged() {
    FRowsValid = false;
    if (!FNodes || FNodes->Updating()) return;
    SetTopRow(FTopRow);
    Invalidate();
}

void TCustomTreeView::Delete(TTreeNode* node) {
    if (OnDeletion) OnDeletion(this, node);
}

void TCustomTreeView::Edit(TTreeNode* node, String& text) {
    if (OnEdited) OnEdited(this, node, text);
}

// A node going away: selection, top and editing must not keep pointing at it or below it.
void TCustomTreeView::NodeDeleting(TTreeNode* node) {
    auto inside = [node](const TTreeNode* n) {
        for (; n; n = n->Parent())
            if (n == node) return true;
        return false;
    };
    for (TTreeNode* n = node; n && inside(n); n = n->GetNext())
        Delete(n);
    if (inside(FEditNode)) EndEdit(true);
    if (inside(FSelected)) {
        FSelected = nullptr;
        Change(nullptr);
    }
    FRowsValid = false;
}

const std::vector<TTreeNode*>& TCustomTreeView::Rows() {
    if (FRowsValid) return FRows;
    FRows.clear();
    // Over the child lists: a sibling step through the nodes would make long folders quadratic.
    auto walk = [this](const auto& self, const std::vector<std::unique_ptr<TTreeNode>>& nodes) -> void {
        for (const auto& n : nodes) {
            FRows.push_back(n.get());
            if (n->Expanded() && !n->FChildren.empty()) self(self, n->FChildren);
        }
    };
    walk(walk, FNodes->FRoots);
    FRowsValid = true;
    return FRows;
}

int TCustomTreeView::RowOf(const TTreeNode* node) {
    const auto& rows = Rows();
    auto it = std::find(rows.begin(), rows.end(), node);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int TCustomTreeView::ItemHeight() {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    DeleteDC(dc);
    int h = tm.tmHeight + 2;
    if (FImages) h = std::max(h, FImages->Height() + 2);
    return h;
}

int TCustomTreeView::VisibleCount() {
    return ClientHeight() / std::max(1, ItemHeight());
}

TTreeNode* TCustomTreeView::TopItem() {
    const auto& rows = Rows();
    return FTopRow < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(FTopRow)] : nullptr;
}

void TCustomTreeView::SetTopItem(TTreeNode* node) {
    const int row = RowOf(node);
    if (row >= 0) SetTopRow(row);
}

void TCustomTreeView::SetTopRow(int row) {
    const int count = static_cast<int>(Rows().size());
    const int maxTop = std::max(0, count - VisibleCount());
    row = std::clamp(row, 0, maxTop);
    if (row != FTopRow) {
        FTopRow = row;
        Invalidate();
    }
    UpdateScrollState();
}

void TCustomTreeView::SetHorzOffset(int px) {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    if (FHandle) GetScrollInfo(FHandle, SB_HORZ, si);
    const int maxOff = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
    px = std::clamp(px, 0, maxOff);
    if (px != FHorzOffset) {
        FHorzOffset = px;
        Invalidate();
    }
    UpdateScrollState();
}

int TCustomTreeView::RowWidth(TTreeNode* node) {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    const int text = TextExtent(dc, node->Text()).cx;
    DeleteDC(dc);
    const int x = (node->Level() + (ShowRoot ? 1 : 0)) * Indent;
    return x + (FImages ? FImages->Width() + 2 : 0) + text + 4;
}

// Vertical: rows of the expanded walk, the page rows that fit whole, the top row. Horizontal:
// the widest row in pixels, the client width, the pixel offset.
void TCustomTreeView::UpdateScrollState() {
    if (!FHandle) return;
    SCROLLINFO v;
    v.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    v.nMax = std::max(0, static_cast<int>(Rows().size()) - 1);
    v.nPage = static_cast<UINT>(VisibleCount());
    v.nPos = FTopRow;
    SetScrollInfo(FHandle, SB_VERT, v, FALSE);
    int widest = 0;
    HDC dc = CreateCompatibleDC(nullptr); // one context for every row
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    const int image = FImages ? FImages->Width() + 2 : 0;
    for (TTreeNode* n : Rows())
        widest = std::max(widest, (n->Level() + (ShowRoot ? 1 : 0)) * Indent + image +
                                      TextExtent(dc, n->Text()).cx + 4);
    DeleteDC(dc);
    SCROLLINFO h;
    h.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    h.nMax = widest;
    h.nPage = static_cast<UINT>(std::max(0, ClientWidth()));
    h.nPos = FHorzOffset;
    FHorzOffset = SetScrollInfo(FHandle, SB_HORZ, h, FALSE);
}

TRect TCustomTreeView::NodeRect(const TTreeNode* node, bool textOnly) {
    const int row = RowOf(node);
    if (row < 0) return {};
    const int h = ItemHeight();
    const int top = (row - FTopRow) * h;
    if (!textOnly) return {0, top, ClientWidth(), top + h};
    int x = (node->Level() + (ShowRoot ? 1 : 0)) * Indent - FHorzOffset;
    if (FImages) x += FImages->Width() + 2;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    const int w = TextExtent(dc, node->Text()).cx + 4;
    DeleteDC(dc);
    return {x, top, x + w, top + h};
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
    (void)X;
    if (Y < 0) return nullptr;
    const int row = FTopRow + Y / std::max(1, ItemHeight());
    const auto& rows = Rows();
    return row < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(row)] : nullptr;
}

void TCustomTreeView::ScrollIntoView(TTreeNode* node) {
    const int row = RowOf(node);
    if (row < 0) return;
    const int page = std::max(1, VisibleCount());
    if (row < FTopRow)
        SetTopRow(row);
    else if (row >= FTopRow + page)
        SetTopRow(row - page + 1);
}

bool TCustomTreeView::CanChange(TTreeNode* node) {
    bool allow = true;
    if (OnChanging) OnChanging(this, node, allow);
    return allow;
}

void TCustomTreeView::Change(TTreeNode* node) {
    if (OnChange) OnChange(this, node);
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
    if (node == FSelected || !CanChange(node)) return;
    FSelected = node;
    if (node) node->MakeVisible();
    Invalidate();
    Change(node);
}

bool TCustomTreeView::CanExpand(TTreeNode* node) {
    bool allow = true;
    if (OnExpanding) OnExpanding(this, node, allow);
    return allow;
}

void TCustomTreeView::Expanded(TTreeNode* node) {
    FRowsValid = false;
    if (OnExpanded) OnExpanded(this, node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* node) {
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, node, allow);
    return allow;
}

// A collapse that hides the selection moves it to the collapsed node.
void TCustomTreeView::Collapsed(TTreeNode* node) {
    FRowsValid = false;
    for (TTreeNode* p = FSelected ? FSelected->Parent() : nullptr; p; p = p->Parent())
        if (p == node) {
            FSelected = node;
            Change(node);
            break;
        }
    if (OnCollapsed) OnCollapsed(this, node);
}

void TCustomTreeView::FullExpand() {
    FNodes->BeginUpdate();
    for (int i = 0; i < FNodes->RootCount(); ++i)
        FNodes->Root(i)->Expand(true);
    FNodes->EndUpdate();
}

void TCustomTreeView::FullCollapse() {
    FNodes->BeginUpdate();
    for (int i = 0; i < FNodes->RootCount(); ++i)
        FNodes->Root(i)->Collapse(true);
    FNodes->EndUpdate();
}

void TCustomTreeView::CustomSort(const std::function<int(TTreeNode*, TTreeNode*)>& compare, bool recurse) {
    FNodes->BeginUpdate();
    TTreeNode root(FNodes.get(), nullptr);
    // Roots sort through a stand-in parent holding them for the duration.
    root.FChildren.swap(FNodes->FRoots);
    root.CustomSort(compare, recurse);
    root.FChildren.swap(FNodes->FRoots);
    FNodes->EndUpdate();
}

void TCustomTreeView::AlphaSort(bool recurse) {
    CustomSort([](TTreeNode* a, TTreeNode* b) { return AnsiCompareText(a->Text(), b->Text()); }, recurse);
}

} // namespace vd
