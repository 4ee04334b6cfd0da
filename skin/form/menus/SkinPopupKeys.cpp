// The keyboard and the scroll bands of a menu level.
#include "skin/form/menus/SkinPopupWindow.h"

#include "platform/vcl/Menus.h"
#include "platform/win/Windows.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinMenuItem.h"

#include <algorithm>

namespace vd {

// Scrolling -----------------------------------------------------------------------------------

bool TskSkinPopupWindow::CanScroll(int Direction) const {
    if (Direction == 1) return FFirstShown > 0;
    if (Direction == 2) return FFirstShown + FShownCount - 1 < ItemCount() - 1;
    return false;
}

void TskSkinPopupWindow::StartScrollTimer() {
    FMenu->CloseLevels(FMenu->IndexOfLevel(this) + 1);
    InvalidateRect(Handle(), nullptr, FALSE);
    SetTimer(Handle(), ScrollTimerId, 100);
    FScrollTimerOn = true;
}

void TskSkinPopupWindow::StopScroll() {
    FScrollDirection = 0;
    if (HandleAllocated()) {
        InvalidateRect(WindowHandle(), nullptr, FALSE);
        KillTimer(WindowHandle(), ScrollTimerId);
    }
    FScrollTimerOn = false;
}

void TskSkinPopupWindow::ScrollTimerTick() {
    if (FScrollDirection == 1 && CanScroll(1))
        ScrollUp(false);
    else if (FScrollDirection == 2 && CanScroll(2))
        ScrollDown(false);
    else
        StopScroll();
}

int TskSkinPopupWindow::LastPageStart() const {
    int y = FFittedItemsRect.Bottom - MarkerBand;
    int counted = 0;
    for (int i = ItemCount() - 1; i >= 0; --i) {
        const int h = ItemHeight(*FItems[static_cast<size_t>(i)]);
        if (y - h < FFittedItemsRect.Top + MarkerBand) break;
        ++counted;
        y -= h;
    }
    return std::max(0, ItemCount() - counted);
}

void TskSkinPopupWindow::ScrollUp(bool Wrap) {
    if (FFirstShown > 0)
        --FFirstShown;
    else if (Wrap)
        FFirstShown = LastPageStart();
    else
        return;
    LayoutItems();
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, FALSE);
}

void TskSkinPopupWindow::ScrollDown(bool Wrap) {
    if (FFirstShown + FShownCount >= ItemCount()) {
        if (!Wrap) return;
        FFirstShown = 0;
    } else {
        ++FFirstShown;
    }
    LayoutItems();
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, FALSE);
}

// Keys ----------------------------------------------------------------------------------------

bool TskSkinPopupWindow::SelectByAccel(int Key) {
    for (int i = 0; i < ItemCount(); ++i) {
        TskSkinMenuItem& item = *FItems[static_cast<size_t>(i)];
        if (!item.MenuItem || !IsAccel(static_cast<unsigned>(Key), item.MenuItem->Caption())) continue;
        if (FHotIndex >= 0 && FHotIndex < ItemCount() && FHotIndex != i)
            FItems[static_cast<size_t>(FHotIndex)]->Leave();
        item.Enter(false);
        FHotIndex = i;
        item.Click();
        return true;
    }
    return false;
}

void TskSkinPopupWindow::ClickHot() {
    if (FHotIndex >= 0 && FHotIndex < ItemCount()) FItems[static_cast<size_t>(FHotIndex)]->Click();
}

void TskSkinPopupWindow::ProcessKey(int Key) {
    if (!FVisible) return;
    if (SelectByAccel(Key)) return;
    switch (Key) {
    case VK_RETURN:
        ClickHot();
        break;
    case VK_LEFT:
        if (FMenu->LevelCount() < 2) break;
        [[fallthrough]];
    case VK_ESCAPE: {
        FMenu->CloseLevels(FMenu->LevelCount() - 1);
        if (TskSkinPopupWindow* top = FMenu->TopLevel()) {
            const int hot = top->HotIndex();
            if (hot >= 0 && hot < top->ItemCount()) {
                top->Item(hot)->Down = false;
                top->RedrawItem(top->Item(hot));
            }
        }
        break;
    }
    case VK_UP:
        SelectPrevItem();
        break;
    case VK_DOWN:
        SelectNextItem();
        break;
    case VK_RIGHT:
        if (FHotIndex >= 0 && FHotIndex < ItemCount() &&
            FItems[static_cast<size_t>(FHotIndex)]->HasChildren())
            ClickHot();
        break;
    default:
        break;
    }
}

namespace {
bool Selectable(const TskSkinMenuItem& item) {
    return item.IsEnabled() && !item.IsSeparator();
}
} // namespace

// One full cycle at most: a level without a selectable item leaves everything as it was.
void TskSkinPopupWindow::SelectItem(int Step) {
    const int n = ItemCount();
    if (n == 0) return;
    int start;
    if (Step > 0)
        start = FHotIndex < 0 || FHotIndex >= n - 1 ? 0 : FHotIndex + 1;
    else
        start = FHotIndex <= 0 || FHotIndex >= n ? n - 1 : FHotIndex - 1;
    int found = -1;
    for (int k = 0; k < n && found < 0; ++k) {
        const int i = ((start + Step * k) % n + n) % n;
        if (Selectable(*FItems[static_cast<size_t>(i)])) found = i;
    }
    if (found < 0) return;
    if (FScrolling) {
        // Wrapping round shows the first page, or the last page in full.
        if (found < FFirstShown) {
            FFirstShown = found;
            LayoutItems();
        }
        while (found >= FFirstShown + FShownCount && CanScroll(2))
            ScrollDown(false);
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    if (found == FHotIndex) return;
    if (FHotIndex >= 0 && FHotIndex < n) FItems[static_cast<size_t>(FHotIndex)]->Leave();
    FHotIndex = found;
    TskSkinMenuItem& item = *FItems[static_cast<size_t>(found)];
    item.KeySelected = true;
    item.Enter(true);
}

void TskSkinPopupWindow::SelectNextItem() {
    SelectItem(1);
}

void TskSkinPopupWindow::SelectPrevItem() {
    SelectItem(-1);
}

void TskSkinPopupWindow::CollapseSubLevels() {
    FMenu->CloseLevels(FMenu->IndexOfLevel(this) + 1);
    for (auto& item : FItems)
        if (item->Down) {
            item->Down = false;
            RedrawItem(item.get());
        }
}

} // namespace vd
