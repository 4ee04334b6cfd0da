#include "skin/form/menus/SkinMenu.h"

#include "platform/vcl/FontFaces.h"

#include "platform/vcl/Form.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/Timer.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinPlatform.h"
#include "skin/form/menus/SkinMenuItem.h"
#include "skin/form/menus/SkinPopupWindow.h"

#include <algorithm>

namespace vd {

bool IsMenuCloseMessage(UINT Msg) {
    switch (Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY:
        return true;
    default:
        return false;
    }
}

namespace {
// SendMessage to a windowed control that has a window, Perform otherwise.
void Notify(TControl* control, UINT msg) {
    if (!control) return;
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win && win->HandleAllocated())
        SendMessage(win->WindowHandle(), msg, 0, 0);
    else
        control->Perform(msg, 0, 0);
}
} // namespace

TskSkinMenu::TskSkinMenu(TComponent* AOwner, TCustomForm* Form) : TComponent(AOwner) {
    FOwnerForm = Form;
    SetDefaultFace(FDefaultItemFont);
    FSubmenuTimer = new TTimer(this);
    FSubmenuTimer->SetEnabled(false);
    FSubmenuTimer->SetInterval(500);
    FSubmenuTimer->OnTimer = [this](TObject*) { SubmenuTimerTick(); };
}

TskSkinMenu::~TskSkinMenu() {
    CloseLevels(0);
    // The deferred levels are owned components: they go with the engine.
}

void TskSkinMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    auto it = std::find(FLevels.begin(), FLevels.end(), AComponent);
    if (it != FLevels.end()) {
        // A level freed behind the engine's back: forget it and everything above it.
        const auto index = static_cast<int>(it - FLevels.begin());
        FLevels.erase(it);
        if (index < LevelCount()) CloseLevels(index);
        if (FLevels.empty() && FMenuVisible) CloseLevels(0);
    }
}

TskSkinPopupWindow* TskSkinMenu::Level(int Index) const {
    if (Index < 0 || Index >= LevelCount()) return nullptr;
    return FLevels[static_cast<size_t>(Index)];
}

int TskSkinMenu::IndexOfLevel(const TskSkinPopupWindow* Level) const {
    auto it = std::find(FLevels.begin(), FLevels.end(), Level);
    return static_cast<int>(it - FLevels.begin());
}

void TskSkinMenu::SetOpener(TControl* Control) {
    if (FOpenerControl == Control) return;
    FOpenerControl = Control;
}

bool TskSkinMenu::BeginPopup(TskSkinData* SkinData) {
    FFirstLevel = !FMenuVisible;
    if (!FLevels.empty() || FMenuVisible) CloseLevels(0);
    FWorkArea = {};
    if (FOwnerForm && FOwnerForm->HandleAllocated())
        WindowWorkArea(FOwnerForm->WindowHandle(), true, FWorkArea);
    else
        DesktopWorkArea(true, FWorkArea);
    FSkinData = SkinData;
    return true;
}

bool TskSkinMenu::Popup(TControl* Control, TskSkinData* SkinData, int StartIndex, const TRect& R,
                        TMenuItem* Item, bool Above) {
    BeginPopup(SkinData);
    if (!Item || StartIndex < 0 || StartIndex >= Item->Count()) return false;
    FMenuVisible = true;
    OpenLevel(R, Item, StartIndex, false, Above);
    FFirstLevel = false;
    if (FLevels.empty() || FLevels.front()->ItemCount() == 0) {
        AbandonLevels();
        return false;
    }
    SetOpener(Control);
    return true;
}

bool TskSkinMenu::PopupMerged(TControl* Control, TskSkinData* SkinData, int StartIndex, const TRect& R,
                              TMenuItem* First, TMenuItem* Second, bool Above) {
    BeginPopup(SkinData);
    const int total = (First ? First->Count() : 0) + (Second ? Second->Count() : 0);
    if (!First || First->Count() == 0 || StartIndex < 0 || StartIndex >= total) return false;
    FMenuVisible = true;
    auto* level = new TskSkinPopupWindow(this);
    FLevels.push_back(level);
    level->ShowMergedLevel(R, First, Second, StartIndex, Above);
    FFirstLevel = false;
    if (level->ItemCount() == 0) {
        AbandonLevels();
        return false;
    }
    SetOpener(Control);
    return true;
}

// Nothing visible to show: the menu never opened, so nobody hears that it closed.
void TskSkinMenu::AbandonLevels() {
    while (!FLevels.empty()) {
        TskSkinPopupWindow* level = FLevels.back();
        FLevels.pop_back();
        level->Retire();
        level->DeferFree();
    }
    FMenuVisible = false;
    FSubmenuTimer->SetEnabled(false);
    FPendingItem = nullptr;
}

TskSkinPopupWindow* TskSkinMenu::OpenLevel(const TRect& R, TMenuItem* Item, int StartIndex, bool SubLevel,
                                           bool Above) {
    auto* level = new TskSkinPopupWindow(this);
    FLevels.push_back(level);
    level->ShowLevel(R, Item, StartIndex, SubLevel, Above);
    return level;
}

void TskSkinMenu::CloseLevels(int From) {
    From = std::max(From, 0);
    while (LevelCount() > From) {
        TskSkinPopupWindow* level = FLevels.back();
        FLevels.pop_back();
        if (FPendingItem && FPendingItem->Level == level) {
            FPendingItem = nullptr;
            FSubmenuTimer->SetEnabled(false);
        }
        level->Retire();
        level->DeferFree();
    }
    if (From != 0 || !FMenuVisible) return;
    FMenuVisible = false;
    FSubmenuTimer->SetEnabled(false);
    FPendingItem = nullptr;
    FCommandControl = FOpenerControl.Get();
    TControl* opener = FOpenerControl;
    FOpenerControl = nullptr;
    Notify(opener, WM_SKINMENUCLOSED);
    if (OnMenuClose) {
        TNotifyEvent handler = std::move(OnMenuClose);
        OnMenuClose = nullptr;
        handler(this);
    }
}

void TskSkinMenu::CloseMenu() {
    CloseLevels(0);
    FSubmenuTimer->SetEnabled(false);
    FPendingItem = nullptr;
    if (FOwnerForm && FOwnerForm->HandleAllocated())
        SendMessage(FOwnerForm->WindowHandle(), WM_SKINMENUCLOSED, 0, 0);
    if (FOpenerControl) {
        TControl* opener = FOpenerControl;
        FOpenerControl = nullptr;
        Notify(opener, WM_SKINMENUCLOSED);
    }
}

void TskSkinMenu::ProcessKey(int Key) {
    if (!FMenuVisible) return;
    if (TskSkinPopupWindow* top = TopLevel()) top->ProcessKey(Key);
}

void TskSkinMenu::MenuItemGone() {
    if (FMenuVisible) CloseMenu();
}

void TskSkinMenu::SubmenuTimerTick() {
    FSubmenuTimer->SetEnabled(false);
    TskSkinMenuItem* item = FPendingItem;
    if (!item || IndexOfLevel(item->Level) >= LevelCount()) return;
    ItemClick(item->Level, item, true, false);
}

// Every level closes before the command runs, and the opener hears 1228 before 1229. Handlers
// on the way (1228, OnMenuClose) may free the menu: the command then does not run.
void TskSkinMenu::RunCommand(TMenuItem* Item) {
    FDispatchMenu = Item ? Item->GetParentMenu() : nullptr;
    const UINT command = Item ? Item->Command() : 0;
    CloseMenu();
    if (FDispatchMenu) {
        TMenu* menu = FDispatchMenu;
        FDispatchMenu = nullptr;
        menu->DispatchCommand(command);
    }
    if (FCommandControl) {
        TControl* target = FCommandControl;
        FCommandControl = nullptr;
        Notify(target, WM_SKINMENUCOMMAND);
    }
}

void TskSkinMenu::ItemClick(TskSkinPopupWindow* Level, TskSkinMenuItem* Item, bool Click, bool KeySel) {
    if (!Level || !Item || !Item->MenuItem) return;
    const int index = IndexOfLevel(Level);
    if (index >= LevelCount()) return;
    const bool children = Item->HasChildren();
    if (!children) {
        FSubmenuTimer->SetEnabled(false);
        FPendingItem = nullptr;
        if (!Click) {
            CloseLevels(index + 1);
            return;
        }
        RunCommand(Item->MenuItem);
        return;
    }
    if (!Click) {
        if (KeySel) return; // a key-selected item opens only by Right, Enter or a click
        FSubmenuTimer->SetEnabled(false);
        CloseLevels(index + 1);
        FPendingItem = Item;
        FSubmenuTimer->SetEnabled(true);
        return;
    }
    if (TMenu* menu = Item->MenuItem->GetParentMenu()) {
        FDispatchMenu = menu;
        menu->DispatchCommand(Item->MenuItem->Command());
        if (!FDispatchMenu || IndexOfLevel(Level) >= LevelCount() || !Item->MenuItem) {
            FDispatchMenu = nullptr;
            return; // the handler closed or freed the menu
        }
        FDispatchMenu = nullptr;
    }
    FSubmenuTimer->SetEnabled(false);
    FPendingItem = nullptr;
    CloseLevels(index + 1);
    Item->Down = true;
    const TPoint o = Level->ShowPos();
    const TRect r = Item->ItemRect;
    TskSkinPopupWindow* sub =
        OpenLevel({r.Left + o.X, r.Top + o.Y, r.Right + o.X, r.Bottom + o.Y}, Item->MenuItem, 0, true, false);
    if (sub->ItemCount() == 0) {
        // Every child is hidden: no level to show.
        CloseLevels(index + 1);
        Item->Down = false;
        Level->RedrawItem(Item);
    }
}

} // namespace vd
