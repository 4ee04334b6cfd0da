// Menu mode: which skinned menu of the frame is open, the keys that reach it and the clicks
// that close it; and the route every skinned popup menu takes to a frame's menu engine.
#include "platform/vcl/Application.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/form/frame/SkinMenuBarLink.h"
#include "skin/form/menus/SkinHintWindow.h"
#include "skin/form/menus/SkinMenu.h"
#include "skin/form/menus/SkinMenuItem.h"
#include "skin/form/menus/SkinPopupWindow.h"

namespace vd {

namespace {

TskSkinForm* FindSkinFormOf(TComponent* c) {
    if (!c) return nullptr;
    for (int i = 0; i < c->ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TskSkinForm*>(c->Components(i))) return f;
    return nullptr;
}

// The form a popup menu belongs to: its PopupForm, else the first form up its owner chain or
// the form of the first placed control there. Menus of inner edits are owned by the edit, the
// edit by its host control, so the owner's owner is not always a form.
TCustomForm* MenuForm(TskSkinPopupMenu& m) {
    if (m.PopupForm()) return m.PopupForm();
    for (TComponent* c = m.Owner(); c; c = c->Owner()) {
        if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
        if (auto* control = dynamic_cast<TControl*>(c))
            if (TCustomForm* form = GetParentForm(control)) return form;
    }
    return nullptr;
}

// The frame that shows a popup menu: its form's; a multiple-document child's menus go through
// the main form's frame.
TskSkinForm* FrameForMenu(TskSkinPopupMenu& m) {
    TskSkinForm* frame = FindSkinFormOf(MenuForm(m));
    if (frame && frame->Form()->FormStyle() == fsMDIChild && Application && Application->MainForm())
        frame = FindSkinFormOf(Application->MainForm());
    return frame;
}

bool ShowThroughFrame(TskSkinPopupMenu& m, TControl* opener, const TRect& r, bool above, bool needsSkin) {
    TskSkinForm* frame = FrameForMenu(m);
    if (frame && !m.SkinData())
        m.SetSkinData(frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData());
    if (!frame || !frame->SkinMenu()) return false;
    if (needsSkin && !m.SkinData()) return false;
    TskSkinMenu* engine = frame->SkinMenu();
    if (engine->MenuVisible()) SkinMenuClose(frame);
    SkinMenuOpen(frame);
    const bool opened = engine->Popup(opener, m.SkinData(), 0, r, m.Items(), above);
    if (!opened) {
        SkinMenuClose(frame);
        return false;
    }
    TNotifyEvent user = m.OnMenuClose;
    engine->OnMenuClose = [frame, user](TObject* sender) {
        if (user) user(sender);
        SkinMenuClose(frame);
    };
    frame->HoldMenuGrab();
    return true;
}

} // namespace

void TskSkinForm::CreateMenus() {
    static const bool routed = [] {
        TskSkinPopupMenu::SetShowRoute(ShowThroughFrame);
        return true;
    }();
    (void)routed;
    FSkinMenu = new TskSkinMenu(this, FForm);
    MenuSettingsChanged();
    CreateTrayMenu();
}

void TskSkinForm::DestroyMenus() {
    // A menu closing while the frame goes must not call back into it.
    if (FSkinMenu) FSkinMenu->OnMenuClose = nullptr;
}

void TskSkinForm::MenuSettingsChanged() {
    if (!FSkinMenu) return;
    FSkinMenu->UseSkinFont = FUseSkinFontInMenu;
    FSkinMenu->DefaultItemHeight = FDefMenuItemHeight;
    FSkinMenu->AlphaBlend = MenusAlphaBlend;
    FSkinMenu->AlphaBlendValue = MenusAlphaBlendValue;
    FSkinMenu->AlphaBlendAnimation = MenusAlphaBlendAnimation;
    FSkinMenu->MaxItemsInWindow = FMaxMenuItemsInWindow;
}

void TskSkinForm::CreateTrayMenu() {
    FTrayMenu = new TskSkinPopupMenu(this);
    FTrayMenu->SetPopupForm(FForm);
    TMenuItem* root = FTrayMenu->Items();
    auto* restore = new TMenuItem(this);
    restore->SetName("TRAY_SKF_RESTORE");
    restore->SetCaption(MenuCaption("MI_RESTORECAPTION", "&Restore"));
    restore->OnClick = [this](TObject*) { RestoreFromTray(); };
    root->Add(restore);
    auto* line = new TMenuItem(this);
    line->SetCaption("-");
    root->Add(line);
    auto* close = new TMenuItem(this);
    close->SetName("TRAY_SKF_CLOSE");
    close->SetCaption(MenuCaption("MI_CLOSECAPTION", "&Close"));
    close->ShortCut = TextToShortCut(FForm->FormStyle() == fsMDIChild ? "Ctrl+F4" : "Alt+F4");
    close->OnClick = [this](TObject*) { FForm->Close(); };
    root->Add(close);
}

void TskSkinForm::SetTrayMenuSkin() {
    if (FTrayMenu) FTrayMenu->SetSkinData(FSkinData);
}

void TskSkinForm::HideObjectHint() {
    if (FSkinHint) FSkinHint->HideHint();
}

void TskSkinForm::ShowObjectHintFor(const TskActiveSkinObject& Object) {
    if (FSkinHint) FSkinHint->ActivateHint2(Object.HintText);
}

void TskSkinForm::PreWndProc(TMessage& Message) {
    if (!IsMenuCloseMessage(Message.Msg)) return;
    if (ShowObjectHint && FSkinHint) HideObjectHint();
    if (!FMenuBarMode || FSkinMenuOpen) {
        if (FSkinMenu && FSkinMenu->MenuVisible()) {
            FSkinMenu->CloseMenu();
        } else if (FSkinMenuOpen) {
            SkinMenuClose(this);
        } else if (IsMDIForm() && FForm->Visible()) {
            // The active child's menu closes the same way.
            if (TskSkinForm* child = GetActiveChildSkinForm()) {
                if (child->FSkinMenu && child->FSkinMenu->MenuVisible())
                    child->FSkinMenu->CloseMenu();
                else if (child->FSkinMenuOpen)
                    SkinMenuClose(child);
            }
        }
    } else {
        LeaveMenuBarMode();
    }
    CancelChildDropDowns();
}

void TskSkinForm::PopupSystemMenu(int X, int Y) {
    PopupSystemMenuAtRect({X, Y, X, Y});
}

void TskSkinForm::PopupSystemMenuAtRect(const TRect& R) {
    PopupObjectMenu(GetSystemMenuItems(), R, false);
}

void TskSkinForm::PopupObjectMenu(TMenuItem* Item, const TRect& ScreenRect, bool Upward) {
    if (!Item || Item->Count() == 0) return;
    if (auto* own = dynamic_cast<TskSkinPopupMenu*>(Item->GetParentMenu())) {
        if (!own->PopupAtRect(ScreenRect, Upward)) SkinMenuClose(this);
        return;
    }
    // A multiple-document child shows its menus through the main form's frame, and none
    // without one.
    TskSkinForm* frame = this;
    if (FForm->FormStyle() == fsMDIChild) {
        TskSkinForm* main =
            Application && Application->MainForm() ? GetSkinForm(Application->MainForm()) : nullptr;
        if (!main) return;
        frame = main;
    }
    if (!frame->FSkinMenu) return;
    SkinMenuOpen(frame);
    TskSkinData* skin = frame->FMenusSkinData ? frame->FMenusSkinData : frame->FSkinData;
    if (!frame->FSkinMenu->Popup(nullptr, skin, 0, ScreenRect, Item, Upward)) {
        SkinMenuClose(frame);
        if (frame != this) SkinMenuClose(this);
        return;
    }
    frame->FSkinMenu->OnMenuClose = [frame, this](TObject*) {
        SkinMenuClose(frame);
        if (frame != this) SkinMenuClose(this);
    };
    frame->HoldMenuGrab();
}

// A press outside our windows sends WM_CANCELMODE to the form, which closes the menu.
void TskSkinForm::HoldMenuGrab() {
    if (FForm->HandleAllocated()) SetMenuGrab(FForm->WindowHandle());
}

void TskSkinForm::KeyMenu() {
    // Alt alone: leaves menu-bar mode; else the menu bar takes the keys. An open menu stays on
    // the screen (the bar's keys reach it); only the frame's bookkeeping of it ends.
    if (FMenuBarMode) {
        LeaveMenuBarMode();
        return;
    }
    if (FSkinMenu && FSkinMenu->MenuVisible()) SkinMenuClose(this);
    if (FMenuBarLink) FMenuBarLink->EnterMenuMode();
}

void TskSkinForm::SetMainMenuBar(TComponent* Value) {
    auto* link = dynamic_cast<TskMenuBarLink*>(Value);
    if (!link) Value = nullptr;
    if (FMainMenuBar == Value) return;
    if (FMainMenuBar) FMainMenuBar->RemoveFreeNotification(this);
    FMainMenuBar = Value;
    FMenuBarLink = link;
    if (FMainMenuBar) FMainMenuBar->FreeNotification(this);
}

void TskSkinForm::EnterMenuBarMode(TObject* Sender) {
    if (FMenuBarMode) return;
    InstallAppHook();
    FMenuBarMode = true;
    // A press outside the program's windows ends the mode as it closes a menu.
    HoldMenuGrab();
    if (OnMainMenuEnter) OnMainMenuEnter(Sender);
}

void TskSkinForm::ShortCutHook(TMessage& Msg, bool& Handled) {
    if (OnShortCut) OnShortCut(Msg, Handled);
    if (Handled) return;
    const bool alt = GetKeyState(VK_MENU) < 0, ctrl = GetKeyState(VK_CONTROL) < 0,
               shift = GetKeyState(VK_SHIFT) < 0;
    if (Msg.WParam == VK_SPACE && alt && !ctrl && !shift) {
        for (auto& o : FObjects)
            if (o->Command() == cmSysMenu && o->Enabled) {
                PopupSystemMenuAtRect(FrameToScreen(o->ObjectRect));
                Handled = true;
                return;
            }
    }
    if (!FMenuBarLink) {
        // A multiple-document child has no bar of its own: its keys reach the main form's.
        if (FForm->FormStyle() == fsMDIChild && Application && Application->MainForm())
            if (TskSkinForm* main = GetSkinForm(Application->MainForm());
                main && main != this && main->FMenuBarLink)
                main->ShortCutHook(Msg, Handled);
        return;
    }
    // Alt+F4 closes the window, whatever an item's accelerator says.
    auto takes = [&](TMainMenu* menu) {
        if (!menu) return false;
        if (alt && Msg.WParam != VK_F4 && FMenuBarLink->AcceleratorKey(unsigned(Msg.WParam))) return true;
        return menu->IsShortCut(Msg);
    };
    if (takes(FMenuBarLink->BarMainMenu()) ||
        (FMenuBarLink->HasChildMenu() && takes(FMenuBarLink->BarChildMenu())))
        Handled = true;
}

void TskSkinForm::EndSkinMenu() {
    FSkinMenuOpen = false;
    if (FMenuBarLink) FMenuBarLink->MenuClosed();
    if (OnSkinMenuClose) OnSkinMenuClose(this);
}

void TskSkinForm::LeaveMenuBarMode() {
    FMenuBarMode = false;
    if (FSkinMenu && FSkinMenu->MenuVisible()) FSkinMenu->CloseMenu();
    if (FMenuBarLink) FMenuBarLink->LeaveMenuMode();
    RemoveAppHook();
    if (FForm->HandleAllocated() && GetMenuGrab() == FForm->WindowHandle()) SetMenuGrab(nullptr);
    if (OnMainMenuExit) OnMainMenuExit(this);
}

void TskSkinForm::InstallAppHook() {
    if (FAppHookInstalled || !Application) return;
    FAppHookInstalled = true;
    Application->AddMessageHook(this, [this](MSG& Msg, bool& Handled) { AppMessageHook(Msg, Handled); });
}

void TskSkinForm::RemoveAppHook() {
    if (!FAppHookInstalled) return;
    FAppHookInstalled = false;
    if (Application) Application->RemoveMessageHook(this);
}

// While a skinned menu is open the keys go to it and the wheel does nothing anywhere.
void TskSkinForm::AppMessageHook(MSG& Msg, bool& Handled) {
    if (Msg.message == WM_KEYDOWN) {
        const WPARAM key = Msg.wParam;
        Handled = true;
        Msg.message = 0;
        MenuKey(key);
    } else if (Msg.message == WM_MOUSEWHEEL) {
        Handled = true;
        Msg.message = 0;
    }
}

void TskSkinForm::MenuKey(WPARAM Key) {
    // A child's keys go to the main form's frame while that one holds a menu.
    if (IsMDIChild())
        if (TskSkinForm* main = MainMDIFrame(); main && main != this &&
                                                (main->FSkinMenuOpen || main->FMenuBarMode ||
                                                 (main->FSkinMenu && main->FSkinMenu->MenuVisible()))) {
            main->MenuKey(Key);
            return;
        }
    if (FMenuBarMode && FMenuBarLink && FMenuBarLink->AcceleratorKey(unsigned(Key))) return;
    if (FMenuBarMode && Key == VK_ESCAPE && !FSkinMenuOpen) {
        LeaveMenuBarMode();
        return;
    }
    const bool levels = FSkinMenu && FSkinMenu->MenuVisible() && FSkinMenu->LevelCount() > 0;
    if (FMenuBarMode && FMenuBarLink) {
        if (Key == VK_LEFT && (!levels || FSkinMenu->LevelCount() <= 1)) {
            FMenuBarLink->SelectPreviousItem();
            return;
        }
        if (Key == VK_RIGHT) {
            // Right opens a sub-level when the selected item has one; otherwise the next menu.
            const TskSkinPopupWindow* top = levels ? FSkinMenu->TopLevel() : nullptr;
            const int hot = top ? top->HotIndex() : -1;
            const bool sub = top && hot >= 0 && hot < top->ItemCount() && top->Item(hot)->HasChildren();
            if (!sub) {
                FMenuBarLink->SelectNextItem();
                return;
            }
        }
    }
    // Enter and Down open the bar's highlighted item, in menu-bar mode or not.
    if ((Key == VK_RETURN || Key == VK_DOWN) && FMenuBarLink && FMenuBarLink->OpenHotItem()) return;
    if (!levels) return;
    FSkinMenu->ProcessKey(int(Key));
    if (Key == VK_ESCAPE && (!FSkinMenu->MenuVisible() || FSkinMenu->LevelCount() == 0)) {
        if (FMenuBarMode)
            EndSkinMenu();
        else
            SkinMenuClose(this);
    }
}

void SkinMenuOpen(TskSkinForm* frame) {
    if (!frame) return;
    if (!frame->FMenuBarMode) frame->InstallAppHook();
    if (!frame->FSkinMenuOpen) {
        frame->FSkinMenuOpen = true;
        if (frame->OnSkinMenuOpen) frame->OnSkinMenuOpen(frame);
    }
}

void SkinMenuClose(TskSkinForm* frame) {
    if (!frame) return;
    // The engine's close and its 1228 to the form both end here: tell once.
    const bool wasOpen = frame->FSkinMenuOpen;
    frame->FSkinMenuOpen = false;
    for (auto& o : frame->FObjects) {
        if (auto* b = dynamic_cast<TskSkinButtonObject*>(o.get()); b && b->PopupItem && b->Pressed) {
            b->SetPressed(false);
            break;
        }
        if (auto* a = dynamic_cast<TskSkinAnimateObject*>(o.get()); a && a->MenuTracking) {
            a->MenuTracking = false;
            a->FrameIndex = 1;
            frame->DrawSkinObject(a);
            frame->StartAnimationTimer();
            break;
        }
    }
    frame->RemoveAppHook();
    if (frame->FForm->HandleAllocated() && GetMenuGrab() == frame->FForm->WindowHandle())
        SetMenuGrab(nullptr);
    if (wasOpen && frame->OnSkinMenuClose) frame->OnSkinMenuClose(frame);
    if (frame->FMenuBarMode) {
        frame->FMenuBarMode = false;
        if (frame->FMenuBarLink) frame->FMenuBarLink->LeaveMenuMode();
        if (frame->OnMainMenuExit) frame->OnMainMenuExit(frame);
    }
}

} // namespace vd
