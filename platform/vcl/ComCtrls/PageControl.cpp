#include "platform/vcl/ComCtrls/PageControl.h"

#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"

#include <algorithm>

namespace vd {

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    FVisible = false;
    FControlStyle |= csAcceptsControls;
    FParentColor = true;
}

TTabSheet::~TTabSheet() {
    SetPageControl(nullptr);
    Destroying();
}

void TTabSheet::SetPageControl(TPageControl* v) {
    if (v == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = v;
    SetParent(v);
    if (v) v->InsertPage(this);
}

void TTabSheet::SetTabVisible(bool v) {
    if (v == FTabVisible) return;
    FTabVisible = v;
    if (FPageControl) FPageControl->UpdateTabs();
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& p = FPageControl->FPages;
    return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(int v) {
    if (FPageControl) FPageControl->MovePage(this, v);
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int n = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabVisible) ++n;
    }
    return -1;
}

void TTabSheet::SetText(const String& v) {
    TWinControl::SetText(v);
    if (FPageControl) FPageControl->UpdateTabs();
}

namespace {

const TPropertyTable<TTabSheet>& TabSheetProperties() {
    using namespace props;
    static const TPropertyTable<TTabSheet> table{
        {"TabVisible", Call(&TTabSheet::SetTabVisible, AsBool)},
        {"ImageIndex", Store(&TTabSheet::ImageIndex, AsInt)},
        {"PageIndex", Call(&TTabSheet::SetPageIndex, AsInt)},
    };
    return table;
}

} // namespace

bool TTabSheet::SetProperty(const String& name, const TPropValue& v) {
    return TabSheetProperties().Set(*this, name, v) || TWinControl::SetProperty(name, v);
}

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {
    OnGetImageIndex = nullptr;
}

TPageControl::~TPageControl() {
    for (TTabSheet* p : std::vector<TTabSheet*>(FPages))
        p->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
    Destroying();
}

void TPageControl::InsertReadChild(TComponent* child) {
    if (auto* sheet = dynamic_cast<TTabSheet*>(child))
        sheet->SetPageControl(this);
    else
        TCustomTabControl::InsertReadChild(child);
}

int TPageControl::GetImageIndex(int TabIndex) {
    TTabSheet* page = PageForTab(TabIndex);
    int index = page ? page->ImageIndex : -1;
    if (OnGetImageIndex) OnGetImageIndex(this, TabIndex, index);
    return index;
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    UpdateTabs();
    if (!FActivePage) SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
    TTabSheet* next = page == FActivePage ? FindNextPage(page, true, true) : FActivePage;
    if (next == page) next = nullptr;
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    if (page == FActivePage) FActivePage = nullptr;
    UpdateTabs();
    if (next != FActivePage) SetActivePage(next);
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    FPages.erase(it);
    index = std::clamp(index, 0, static_cast<int>(FPages.size()));
    FPages.insert(FPages.begin() + index, page);
    UpdateTabs();
}

// The tab captions follow the visible pages.
void TPageControl::UpdateTabs() {
    FTabs->BeginUpdate();
    FTabs->Clear();
    for (TTabSheet* p : FPages)
        if (p->TabVisible()) FTabs->AddObject(p->Caption(), p);
    FTabs->EndUpdate();
    FTabIndex = FActivePage ? FActivePage->TabIndex() : -1;
    Invalidate();
}

TTabSheet* TPageControl::PageForTab(int tabIndex) const {
    for (TTabSheet* p : FPages)
        if (p->TabIndex() == tabIndex && tabIndex >= 0) return p;
    return nullptr;
}

void TPageControl::ShowOnly(TTabSheet* page) {
    for (TTabSheet* p : FPages)
        if (p != page) p->SetVisible(false);
    if (page) {
        page->SetBoundsRect(DisplayRect());
        page->SetVisible(true);
        page->BringToFront();
    }
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    FActivePage = page;
    FTabIndex = page ? page->TabIndex() : -1;
    ScrollIntoView(FTabIndex);
    ShowOnly(page);
    Invalidate();
}

int TPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int v) {
    SetActivePage(v >= 0 && v < PageCount() ? FPages[static_cast<std::size_t>(v)] : nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* cur, bool goForward, bool checkTabVisible) const {
    const int n = PageCount();
    if (n == 0) return nullptr;
    int i = cur ? cur->PageIndex() : (goForward ? n - 1 : 0);
    for (int k = 0; k < n; ++k) {
        i = (i + (goForward ? 1 : n - 1)) % n;
        TTabSheet* p = FPages[static_cast<std::size_t>(i)];
        if (!checkTabVisible || p->TabVisible()) return p;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward) {
    TTabSheet* p = FindNextPage(FActivePage, goForward, true);
    if (p && p != FActivePage && CanChange()) {
        SetActivePage(p);
        Change();
    }
}

bool TPageControl::CanChange() {
    return TCustomTabControl::CanChange();
}

// A tab picked by the user: the page behind it becomes active.
void TPageControl::Change() {
    TTabSheet* page = PageForTab(FTabIndex);
    if (page != FActivePage) SetActivePage(page);
    TCustomTabControl::Change();
}

void TPageControl::AlignControls(TControl* AControl, TRect& Rect) {
    TCustomTabControl::AlignControls(AControl, Rect);
    if (FActivePage) FActivePage->SetBoundsRect(DisplayRect());
}

} // namespace vd
