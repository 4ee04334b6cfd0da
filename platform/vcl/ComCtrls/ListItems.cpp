#include "platform/vcl/ComCtrls/ListItems.h"

#include "platform/rtl/Exception.h"
#include "platform/vcl/ComCtrls/ListView.h"

#include <algorithm>

namespace vd {

// Columns.

void TListColumn::SetCaption(const String& v) {
    FCaption = v;
    FOwner->ColumnsChanged();
}

void TListColumn::SetWidth(int v) {
    FWidth = std::max(0, v);
    FOwner->ColumnsChanged();
}

void TListColumn::SetAlignment(TAlignment v) {
    FAlignment = v;
    FOwner->ColumnsChanged();
}

void TListColumn::SetImageIndex(int v) {
    FImageIndex = v;
    FOwner->ColumnsChanged();
}

int TListColumn::Index() const {
    const auto& cols = FOwner->Columns();
    for (int i = 0; i < cols.Count(); ++i)
        if (cols.Items(i) == this) return i;
    return -1;
}

TListColumn* TListColumns::Add() {
    FItems.push_back(std::make_unique<TListColumn>(FOwner));
    FOwner->ColumnsChanged();
    return FItems.back().get();
}

void TListColumns::Delete(int index) {
    if (index < 0 || index >= Count()) RaiseListError(index);
    FItems.erase(FItems.begin() + index);
    FOwner->ColumnsChanged();
}

void TListColumns::Clear() {
    FItems.clear();
    FOwner->ColumnsChanged();
}

// Items.

// In owner-data mode the item is the scratch copy being filled while the view draws: no change
// of the list, and no repaint that would fetch it again.
void TListItem::SetCaption(const String& v) {
    FCaption = v;
    if (!FOwner->OwnerData()) FOwner->ItemsChanged();
}

void TListItem::SetImageIndex(int v) {
    FImageIndex = v;
    if (!FOwner->OwnerData()) FOwner->ItemsChanged();
}

bool TListItem::Selected() const {
    return FOwner->ItemSelected(FIndex);
}

void TListItem::SetSelected(bool v) {
    FOwner->SelectItem(this, v);
}

bool TListItem::Focused() const {
    return FOwner->ItemFocused() && FOwner->ItemFocused()->Index() == FIndex;
}

void TListItem::SetFocused(bool v) {
    if (v)
        FOwner->SetItemFocused(this);
    else if (Focused())
        FOwner->SetItemFocused(nullptr);
}

TRect TListItem::DisplayRect() const {
    return FOwner->ItemRect(FIndex);
}

bool TListItem::EditCaption() {
    return FOwner->StartEdit(this);
}

// Scrolls by the pixels that bring the item in; the view rounds to rows or columns.
void TListItem::MakeVisible() {
    const TRect r = DisplayRect();
    const TRect c = FOwner->ClientRect();
    const int top = FOwner->ViewStyle() == vsReport ? FOwner->HeaderHeight() : 0;
    int dx = 0, dy = 0;
    if (r.Left < 0) dx = r.Left;
    if (r.Right > c.Right && r.Left > 0) dx = std::min(r.Right - c.Right, r.Left);
    if (r.Top < top) dy = r.Top - top;
    if (r.Bottom > c.Bottom) dy = r.Bottom - c.Bottom;
    if (FOwner->ViewStyle() == vsReport) dx = 0;
    if (FOwner->ViewStyle() == vsList) dy = 0;
    if (dx || dy) FOwner->Scroll(dx, dy);
}

void TListItems::Renumber(int from) {
    for (int i = std::max(0, from); i < static_cast<int>(FItems.size()); ++i)
        FItems[static_cast<std::size_t>(i)]->FIndex = i;
}

TListItem* TListItems::Add() {
    return Insert(Count());
}

TListItem* TListItems::Insert(int index) {
    if (FOwner->OwnerData()) return nullptr; // owner data has no items of its own
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, std::make_unique<TListItem>(FOwner));
    Renumber(index);
    if (FUpdateCount == 0) FOwner->ItemsChanged();
    return FItems[static_cast<std::size_t>(index)].get();
}

void TListItems::Delete(int index) {
    if (index < 0 || index >= Count()) RaiseListError(index);
    if (FOwner->OwnerData()) {
        SetCount(Count() - 1);
        return;
    }
    FOwner->ItemDeleting(FItems[static_cast<std::size_t>(index)].get());
    FItems.erase(FItems.begin() + index);
    Renumber(index);
    if (FUpdateCount == 0) FOwner->ItemsChanged();
}

void TListItems::Clear() {
    BeginUpdate();
    while (Count() > 0)
        Delete(Count() - 1);
    EndUpdate();
}

int TListItems::Count() const {
    return FOwner->OwnerData() ? FVirtualCount : static_cast<int>(FItems.size());
}

void TListItems::SetCount(int v) {
    FVirtualCount = std::max(0, v);
    FOwner->ItemsChanged();
}

TListItem* TListItems::Item(int index) {
    if (index < 0 || index >= Count()) RaiseListError(index);
    if (!FOwner->OwnerData()) return FItems[static_cast<std::size_t>(index)].get();
    if (!FScratch) FScratch = std::make_unique<TListItem>(FOwner);
    TListItem& s = *FScratch;
    s.FCaption.clear();
    s.FImageIndex = -1;
    s.FSubItems.Clear();
    s.Data = nullptr;
    s.FIndex = index;
    FOwner->FetchItem(s);
    return &s;
}

void TListItems::SetUpdateState(bool updating) {
    if (!FOwner->HandleAllocated()) return;
    SendMessage(FOwner->Handle(), WM_SETREDRAW, updating ? FALSE : TRUE, 0);
}

void TListItems::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TListItems::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) {
        SetUpdateState(false);
        FOwner->ItemsChanged();
    }
}

} // namespace vd
