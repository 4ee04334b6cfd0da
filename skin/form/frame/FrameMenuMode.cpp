// Menu mode: which skinned menu of the frame is open, the keys that reach it and the clicks
// that close it; and the route every skinned popup menu takes to a frame's menu engine.
#include "skin/form/frame/FrameMenuMode.h"

#include "platform/vcl/Application.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/core/SkinData.h"
#include "skin/form/frame/FrameObjects.h"
#include "skin/form/frame/FrameSystemMenu.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinMenuBarLink.h"
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

TskFrameMenuMode::TskFrameMenuMode(TskSkinForm& Frame)
    : FFrame(Frame), FSkinMenu(&Frame), FTrayMenu(&Frame), FMenusSkinData(&Frame), FMainMenuBar(&Frame) {}

TskFrameMenuMode::~TskFrameMenuMode() {
    RemoveAppHook();
    // A menu closing while the frame goes must not call back into it.
    if (FSkinMenu) FSkinMenu->OnMenuClose = nullptr;
}

void TskFrameMenuMode::CreateMenus() {
    static const bool routed = [] {
        TskSkinPopupMenu::SetShowRoute(ShowThroughFrame);
        return true;
    }();
    (void)routed;
    TCustomForm* form = FFrame.Form();
    FSkinMenu = new TskSkinMenu(&FFrame, form);
    SettingsChanged();
    FTrayMenu = new TskSkinPopupMenu(&FFrame);
    FTrayMenu->SetPopupForm(form);
    TMenuItem* root = FTrayMenu->Items();
    const TskFrameSystemMenu& texts = FFrame.SystemMenuPart();
    auto* restore = new TMenuItem(&FFrame);
    restore->SetName("TRAY_SKF_RESTORE");
    restore->SetCaption(texts.Caption("MI_RESTORECAPTION", "&Restore"));
    restore->OnClick = [this](TObject*) { FFrame.RestoreFromTray(); };
    root->Add(restore);
    auto* line = new TMenuItem(&FFrame);
    line->SetCaption("-");
    root->Add(line);
    auto* close = new TMenuItem(&FFrame);
    close->SetName("TRAY_SKF_CLOSE");
    close->SetCaption(texts.Caption("MI_CLOSECAPTION", "&Close"));
    close->ShortCut = TextToShortCut(form->FormStyle() == fsMDIChild ? "Ctrl+F4" : "Alt+F4");
    close->OnClick = [form](TObject*) { form->Close(); };
    root->Add(close);
}

TskSkinData* TskFrameMenuMode::MenuSkin() const {
    return FMenusSkinData ? FMenusSkinData.Get() : FFrame.SkinData();
}

void TskFrameMenuMode::SetTrayMenuSkin(TskSkinData* Skin) {
    if (FTrayMenu) FTrayMenu->SetSkinData(Skin);
}

void TskFrameMenuMode::SetUseSkinFont(bool Value) {
    FUseSkinFont = Value;
    SettingsChanged();
}

void TskFrameMenuMode::SetDefItemHeight(int Value) {
    if (Value > 0) FDefItemHeight = Value;
    SettingsChanged();
}

void TskFrameMenuMode::SetMaxItemsInWindow(int Value) {
    if (Value >= 0) FMaxItemsInWindow = Value;
    SettingsChanged();
}

void TskFrameMenuMode::SettingsChanged() {
    if (!FSkinMenu) return;
    FSkinMenu->UseSkinFont = FUseSkinFont;
    FSkinMenu->DefaultItemHeight = FDefItemHeight;
    FSkinMenu->AlphaBlend = FFrame.MenusAlphaBlend;
    FSkinMenu->AlphaBlendValue = FFrame.MenusAlphaBlendValue;
    FSkinMenu->AlphaBlendAnimation = FFrame.MenusAlphaBlendAnimation;
    FSkinMenu->MaxItemsInWindow = FMaxItemsInWindow;
}

bool TskFrameMenuMode::EngineVisible() const {
    return FSkinMenu && FSkinMenu->MenuVisible();
}

void TskFrameMenuMode::CloseForMessage() {
    if (FMenuBarMode && !FMenuOpen) {
        LeaveMenuBarMode();
        return;
    }
    if (EngineVisible()) {
        FSkinMenu->CloseMenu();
    } else if (FMenuOpen) {
        Close();
    } else if (FFrame.IsMDIForm() && FFrame.Form()->Visible()) {
        // The active child's menu closes the same way.
        if (TskSkinForm* child = GetActiveChildSkinForm()) {
            TskFrameMenuMode& menus = child->MenuMode();
            if (menus.EngineVisible())
                menus.FSkinMenu->CloseMenu();
            else if (menus.FMenuOpen)
                menus.Close();
        }
    }
}

void TskFrameMenuMode::PopupObjectMenu(TMenuItem* Item, const TRect& ScreenRect, bool Upward) {
    if (!Item || Item->Count() == 0) return;
    if (auto* own = dynamic_cast<TskSkinPopupMenu*>(Item->GetParentMenu())) {
        if (!own->PopupAtRect(ScreenRect, Upward)) Close();
        return;
    }
    // A multiple-document child shows its menus through the main form's frame, and none
    // without one.
    TskFrameMenuMode* shows = this;
    if (FFrame.IsMDIChild()) {
        TskSkinForm* main =
            Application && Application->MainForm() ? GetSkinForm(Application->MainForm()) : nullptr;
        if (!main) return;
        shows = &main->MenuMode();
    }
    if (!shows->FSkinMenu) return;
    shows->Open();
    auto closed = [shows, this] {
        shows->Close();
        if (shows != this) Close();
    };
    if (!shows->FSkinMenu->Popup(nullptr, shows->MenuSkin(), 0, ScreenRect, Item, Upward)) {
        closed();
        return;
    }
    shows->FSkinMenu->OnMenuClose = [closed](TObject*) { closed(); };
    shows->HoldMenuGrab();
}

// A press outside our windows sends WM_CANCELMODE to the form, which closes the menu.
void TskFrameMenuMode::HoldMenuGrab() {
    TCustomForm* form = FFrame.Form();
    if (form->HandleAllocated()) SetMenuGrab(form->WindowHandle());
}

void TskFrameMenuMode::ReleaseMenuGrab() {
    TCustomForm* form = FFrame.Form();
    if (form->HandleAllocated() && GetMenuGrab() == form->WindowHandle()) SetMenuGrab(nullptr);
}

void TskFrameMenuMode::KeyMenu() {
    // Alt alone: leaves menu-bar mode; else the menu bar takes the keys. An open menu stays on
    // the screen (the bar's keys reach it); only the frame's bookkeeping of it ends.
    if (FMenuBarMode) {
        LeaveMenuBarMode();
        return;
    }
    if (EngineVisible()) Close();
    if (TskMenuBarLink* bar = MenuBar()) bar->EnterMenuMode();
}

void TskFrameMenuMode::SetMainMenuBar(TComponent* Value) {
    if (!dynamic_cast<TskMenuBarLink*>(Value)) Value = nullptr;
    FMainMenuBar = Value;
}

// Only a bar that is a link is ever kept.
TskMenuBarLink* TskFrameMenuMode::MenuBar() const {
    return dynamic_cast<TskMenuBarLink*>(FMainMenuBar.Get());
}

void TskFrameMenuMode::EnterMenuBarMode(TObject* Sender) {
    if (FMenuBarMode) return;
    InstallAppHook();
    FMenuBarMode = true;
    // A press outside the program's windows ends the mode as it closes a menu.
    HoldMenuGrab();
    if (FFrame.OnMainMenuEnter) FFrame.OnMainMenuEnter(Sender);
}

void TskFrameMenuMode::ShortCut(TMessage& Msg, bool& Handled) {
    const bool alt = GetKeyState(VK_MENU) < 0, ctrl = GetKeyState(VK_CONTROL) < 0,
               shift = GetKeyState(VK_SHIFT) < 0;
    if (TRect button;
        Msg.WParam == VK_SPACE && alt && !ctrl && !shift && FFrame.FObjects->SysMenuButtonRect(button)) {
        FFrame.PopupSystemMenuAtRect(FFrame.FrameToScreen(button));
        Handled = true;
        return;
    }
    TskMenuBarLink* bar = MenuBar();
    if (!bar) {
        // A multiple-document child has no bar of its own: its keys reach the main form's.
        if (FFrame.IsMDIChild() && Application && Application->MainForm())
            if (TskSkinForm* main = GetSkinForm(Application->MainForm());
                main && main != &FFrame && main->MenuBar())
                main->ShortCutHook(Msg, Handled);
        return;
    }
    // Alt+F4 closes the window, whatever an item's accelerator says.
    auto takes = [&](TMainMenu* menu) {
        if (!menu) return false;
        if (alt && Msg.WParam != VK_F4 && bar->AcceleratorKey(unsigned(Msg.WParam))) return true;
        return menu->IsShortCut(Msg);
    };
    if (takes(bar->BarMainMenu()) || (bar->HasChildMenu() && takes(bar->BarChildMenu()))) Handled = true;
}

void TskFrameMenuMode::EndSkinMenu() {
    FMenuOpen = false;
    if (TskMenuBarLink* bar = MenuBar()) bar->MenuClosed();
    if (FFrame.OnSkinMenuClose) FFrame.OnSkinMenuClose(&FFrame);
}

void TskFrameMenuMode::LeaveMenuBarMode() {
    FMenuBarMode = false;
    if (EngineVisible()) FSkinMenu->CloseMenu();
    if (TskMenuBarLink* bar = MenuBar()) bar->LeaveMenuMode();
    RemoveAppHook();
    ReleaseMenuGrab();
    if (FFrame.OnMainMenuExit) FFrame.OnMainMenuExit(&FFrame);
}

void TskFrameMenuMode::InstallAppHook() {
    if (FAppHookInstalled || !Application) return;
    FAppHookInstalled = true;
    Application->AddMessageHook(&FFrame, [this](MSG& Msg, bool& Handled) { AppMessageHook(Msg, Handled); });
}

void TskFrameMenuMode::RemoveAppHook() {
    if (!FAppHookInstalled) return;
    FAppHookInstalled = false;
    if (Application) Application->RemoveMessageHook(&FFrame);
}

// While a skinned menu is open the keys go to it and the wheel does nothing anywhere.
void TskFrameMenuMode::AppMessageHook(MSG& Msg, bool& Handled) {
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

void TskFrameMenuMode::MenuKey(WPARAM Key) {
    // A child's keys go to the main form's frame while that one holds a menu.
    if (FFrame.IsMDIChild())
        if (TskSkinForm* main = TskSkinForm::MainMDIFrame(); main && main != &FFrame) {
            TskFrameMenuMode& menus = main->MenuMode();
            if (menus.FMenuOpen || menus.FMenuBarMode || menus.EngineVisible()) {
                menus.MenuKey(Key);
                return;
            }
        }
    TskMenuBarLink* bar = MenuBar();
    if (FMenuBarMode && bar && bar->AcceleratorKey(unsigned(Key))) return;
    if (FMenuBarMode && Key == VK_ESCAPE && !FMenuOpen) {
        LeaveMenuBarMode();
        return;
    }
    const bool levels = EngineVisible() && FSkinMenu->LevelCount() > 0;
    if (FMenuBarMode && bar) {
        if (Key == VK_LEFT && (!levels || FSkinMenu->LevelCount() <= 1)) {
            bar->SelectPreviousItem();
            return;
        }
        if (Key == VK_RIGHT) {
            // Right opens a sub-level when the selected item has one; otherwise the next menu.
            const TskSkinPopupWindow* top = levels ? FSkinMenu->TopLevel() : nullptr;
            const int hot = top ? top->HotIndex() : -1;
            const bool sub = top && hot >= 0 && hot < top->ItemCount() && top->Item(hot)->HasChildren();
            if (!sub) {
                bar->SelectNextItem();
                return;
            }
        }
    }
    // Enter and Down open the bar's highlighted item, in menu-bar mode or not.
    if ((Key == VK_RETURN || Key == VK_DOWN) && bar && bar->OpenHotItem()) return;
    if (!levels) return;
    FSkinMenu->ProcessKey(int(Key));
    if (Key == VK_ESCAPE && (!FSkinMenu->MenuVisible() || FSkinMenu->LevelCount() == 0)) {
        if (FMenuBarMode)
            EndSkinMenu();
        else
            Close();
    }
}

void TskFrameMenuMode::Open() {
    if (!FMenuBarMode) InstallAppHook();
    if (!FMenuOpen) {
        FMenuOpen = true;
        if (FFrame.OnSkinMenuOpen) FFrame.OnSkinMenuOpen(&FFrame);
    }
}

void TskFrameMenuMode::Close() {
    // The engine's close and its 1228 to the form both end here: tell once.
    const bool wasOpen = FMenuOpen;
    FMenuOpen = false;
    FFrame.FObjects->MenuClosed();
    RemoveAppHook();
    ReleaseMenuGrab();
    if (wasOpen && FFrame.OnSkinMenuClose) FFrame.OnSkinMenuClose(&FFrame);
    if (FMenuBarMode) {
        FMenuBarMode = false;
        if (TskMenuBarLink* bar = MenuBar()) bar->LeaveMenuMode();
        if (FFrame.OnMainMenuExit) FFrame.OnMainMenuExit(&FFrame);
    }
}

void SkinMenuOpen(TskSkinForm* frame) {
    if (frame) frame->MenuMode().Open();
}

void SkinMenuClose(TskSkinForm* frame) {
    if (frame) frame->MenuMode().Close();
}

} // namespace vd
