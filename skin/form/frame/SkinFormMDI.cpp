// Multiple-document windows: the main form's client window procedure, messages 1230 to 1232
// between the main form and its children, the window menu, the tabs bar and the menu bar.
#include "skin/form/frame/SkinFormMDI.h"

#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls/Edit.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/core/SkinParentBackground.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinMDITabsBar.h"
#include "skin/form/frame/SkinMenuBarLink.h"
#include "skin/form/menus/SkinMenu.h"

#include <algorithm>
#include <vector>

namespace vd {

namespace {

TCustomForm* MDIMainForm() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || main->FormStyle() != fsMDIForm || (main->ComponentState() & csDestroying)) return nullptr;
    return main;
}

bool EndsWith(const String& s, const String& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// A window-menu item a child's frame added: owned by that frame and named with the suffix.
TskSkinForm* ItemFrame(TMenuItem* item) {
    auto* frame = dynamic_cast<TskSkinForm*>(item->Owner());
    return frame && EndsWith(item->Name(), skChildItemSuffix) ? frame : nullptr;
}

void NotifyMain(UINT msg) {
    if (TCustomForm* main = MDIMainForm(); main && main->HandleAllocated())
        SendMessage(main->WindowHandle(), msg, 0, 0);
}

// The first main menu of the active child, which the menu bar merges with its own.
TMainMenu* ActiveChildMainMenu() {
    TCustomForm* main = MDIMainForm();
    TCustomForm* child = main ? main->ActiveMDIChild() : nullptr;
    if (!child || (child->ComponentState() & csDestroying)) return nullptr;
    for (int i = 0; i < child->ComponentCount(); ++i)
        if (auto* m = dynamic_cast<TMainMenu*>(child->Components(i));
            m && !(m->ComponentState() & csDestroying))
            return m;
    return nullptr;
}

// Off the menu at once; freed once the message that removed it has unwound, so a click
// handler running on it never sees it go.
void DropItem(TMenuItem* item) {
    if (item->Parent()) item->Parent()->Remove(item);
    item->DeferFree();
}

} // namespace

void RegisterMDIParentBackground() {
    static const bool done = [] {
        AddParentBackgroundPainter([](TWinControl* parent, HDC dc) {
            auto* form = dynamic_cast<TCustomForm*>(parent);
            if (!form || form->FormStyle() != fsMDIForm || !form->ClientHandle()) return false;
            SendMessage(form->ClientHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            return true;
        });
        return true;
    }();
    (void)done;
}

// ---- the frame's multiple-document side

bool TskSkinForm::IsMDIForm() const {
    return FForm && FForm->FormStyle() == fsMDIForm;
}

bool TskSkinForm::IsMDIChild() const {
    return FForm && FForm->FormStyle() == fsMDIChild;
}

bool TskSkinForm::IsMaximizedChild() const {
    return IsMDIChild() && FWindowState == skwsMaximized;
}

TskSkinForm* TskSkinForm::MainMDIFrame() {
    TCustomForm* main = MDIMainForm();
    return main ? GetSkinForm(main) : nullptr;
}

void TskSkinForm::SetMDITabsBar(TskSkinMDITabsBar* Value) {
    if (Value == FMDITabsBar) return;
    if (FMDITabsBar) FMDITabsBar->RemoveFreeNotification(this);
    FMDITabsBar = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    // Children already on the screen get their tabs now.
    if (!IsMDIForm() || !FForm->ClientHandle()) return;
    for (int i = FForm->MDIChildCount() - 1; i >= 0; --i) {
        TCustomForm* child = FForm->MDIChildren(i);
        if (child && child->Visible() && Value->TabIndexOf(child) < 0) Value->AddTab(child);
    }
    Value->UpdateActiveTab();
}

void TskSkinForm::SendToChildren(UINT Msg) {
    if (!IsMDIForm() || !FForm->ClientHandle()) return;
    std::vector<HWND> children;
    for (int i = 0; i < FForm->MDIChildCount(); ++i)
        if (TCustomForm* c = FForm->MDIChildren(i); c && c->HandleAllocated())
            children.push_back(c->WindowHandle());
    for (HWND h : children)
        if (IsWindow(h)) SendMessage(h, Msg, 0, 0);
}

void TskSkinForm::ReparkMinimizedChildren() {
    if (!IsMDIForm() || !FForm->ClientHandle()) return;
    std::vector<TCustomForm*> minimized;
    for (int i = 0; i < FForm->MDIChildCount(); ++i)
        if (TCustomForm* c = FForm->MDIChildren(i); c && c->Visible())
            if (TskSkinForm* f = GetSkinForm(c); f && f->WindowState() == skwsMinimized)
                minimized.push_back(c);
    for (auto it = minimized.rbegin(); it != minimized.rend(); ++it)
        if (TskSkinForm* f = GetSkinForm(*it)) {
            const TPoint p = f->GetMinimizedPosition();
            (*it)->SetBounds(p.X, p.Y, f->GetMinWidth(), f->GetMinHeight());
        }
}

// The client window's procedure is chained in front of the class library's, which still does
// activation and arrangement; a frame that goes leaves a procedure that only passes on.
void TskSkinForm::HookMDIClient() {
    if (!IsMDIForm() || !FForm->HandleAllocated()) return;
    const HWND client = FForm->ClientHandle();
    if (!client || client == FHookedClient) return;
    FHookedClient = client;
    auto next = std::make_shared<WNDPROC>();
    FClientNext = next;
    std::weak_ptr<bool> alive = FAlive;
    FClientProc = MakeWndProc([this, alive, next](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (alive.expired()) return *next ? CallWindowProc(*next, h, m, w, l) : DefWindowProc(h, m, w, l);
        return MDIClientWndProc(h, m, w, l);
    });
    *next = SetWindowProc(client, FClientProc);
}

void TskSkinForm::UnhookMDIClient() {
    const HWND client = FHookedClient;
    FHookedClient = nullptr;
    if (!client || !IsWindow(client) || !FClientNext) return;
    // Someone chained after us: our procedure stays and passes everything on.
    if (GetWindowProc(client) == FClientProc) SetWindowProc(client, *FClientNext);
}

LRESULT TskSkinForm::MDIClientWndProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    auto next = [&] {
        return FClientNext && *FClientNext ? CallWindowProc(*FClientNext, h, msg, w, l)
                                           : DefWindowProc(h, msg, w, l);
    };
    switch (msg) {
    case WM_SIZE: {
        const LRESULT r = next();
        SendToChildren(WM_SKINMDIFIT);
        ReparkMinimizedChildren();
        if (!FLogo.Empty()) RedrawWindow(h, nullptr, RDW_ERASE | RDW_INVALIDATE);
        return r;
    }
    case WM_ERASEBKGND:
        PaintMDIClientBackground(reinterpret_cast<HDC>(w));
        return 1;
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        // No border: the whole window is client.
        return 0;
    case WM_NCACTIVATE:
        return 1;
    default:
        return next();
    }
}

void TskSkinForm::MDIMessage(TMessage& Message) {
    Message.Result = 0;
    switch (Message.Msg) {
    case WM_SKINMDIFIT:
        if (IsMaximizedChild()) {
            const TRect a = GetMDIClientArea();
            FForm->SetBounds(0, 0, a.Width(), a.Height());
        }
        return;
    case WM_SKINMDIMAXIMIZED:
        if (!IsMDIForm()) return;
        FChildMaximized = true;
        FrameRepaint();
        MenuBarChildButtons(true);
        return;
    case WM_SKINMDIRESTORED:
        if (!IsMDIForm()) return;
        if (!GetMaximizedChildSkinForm()) FChildMaximized = false;
        FrameRepaint();
        MenuBarChildButtons(false);
        return;
    default:
        return;
    }
}

void TskSkinForm::ChildShown() {
    if (!IsMDIChild()) return;
    AddWindowMenuItem();
    if (TskSkinForm* main = MainMDIFrame();
        main && main->FMDITabsBar && main->FMDITabsBar->TabIndexOf(FForm) < 0)
        main->FMDITabsBar->AddTab(FForm);
    if (FWindowState == skwsMaximized) NotifyMain(WM_SKINMDIMAXIMIZED);
}

void TskSkinForm::ChildHidden() {
    if (!IsMDIChild()) return;
    RemoveWindowMenuItem();
    if (TskSkinForm* main = MainMDIFrame(); main && main->FMDITabsBar) main->FMDITabsBar->DeleteTab(FForm);
    // A hidden maximized child no longer holds the main form's caption and buttons.
    if (FWindowState == skwsMaximized) NotifyMain(WM_SKINMDIRESTORED);
}

void TskSkinForm::ChildCaptionChanged() {
    if (FWindowMenuItem) FWindowMenuItem->SetCaption(FForm->Caption());
    TskSkinForm* main = MainMDIFrame();
    if (!main) return;
    if (main->FMDITabsBar) main->FMDITabsBar->DrawMDITab(FForm);
    if (FWindowState == skwsMaximized) main->FrameRepaint();
}

void TskSkinForm::ChildActivationChanged() {
    TCustomForm* main = MDIMainForm();
    if (!main) return;
    if (TMenuItem* menu = main->WindowMenu()) {
        TCustomForm* active = main->ActiveMDIChild();
        for (int i = 0; i < menu->Count(); ++i)
            if (TskSkinForm* f = ItemFrame(menu->Items(i))) menu->Items(i)->Checked = f->Form() == active;
    }
    TskSkinForm* mainFrame = GetSkinForm(main);
    if (!mainFrame) return;
    if (FWindowState == skwsMaximized) mainFrame->FrameRepaint();
    RefreshMainBars(true);
}

void TskSkinForm::AddWindowMenuItem() {
    TCustomForm* main = MDIMainForm();
    TMenuItem* menu = main ? main->WindowMenu() : nullptr;
    if (!menu) return;
    if (FWindowMenuItem) {
        FWindowMenuItem->SetCaption(FForm->Caption());
        return;
    }
    // Owned by the frame: the item never outlives the child it shows.
    auto* item = new TMenuItem(this);
    item->SetName(FForm->Name() + skChildItemSuffix);
    item->SetCaption(FForm->Caption());
    item->OnClick = [this](TObject*) { WindowMenuItemClick(); };
    menu->Add(item);
    FWindowMenuItem = item;
}

void TskSkinForm::RemoveWindowMenuItem() {
    if (TMenuItem* item = FWindowMenuItem) {
        FWindowMenuItem = nullptr;
        DropItem(item);
    }
    TCustomForm* main = MDIMainForm();
    TMenuItem* menu = main ? main->WindowMenu() : nullptr;
    if (!menu) return;
    // The last child gone: any item a child's frame left behind goes too, and nothing else.
    for (int i = 0; i < main->MDIChildCount(); ++i)
        if (TCustomForm* c = main->MDIChildren(i); c && c != FForm && c->Visible()) return;
    for (int i = menu->Count() - 1; i >= 0; --i)
        if (ItemFrame(menu->Items(i))) DropItem(menu->Items(i));
}

void TskSkinForm::WindowMenuItemClick() {
    if (FWindowState == skwsMinimized) SetWindowState(skwsNormal);
    FForm->Show();
    // Shown already: bring it forward as the active child.
    if (FForm->HandleAllocated())
        if (HWND client = GetParent(FForm->WindowHandle()))
            SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FForm->WindowHandle()), 0);
}

void TskSkinForm::RefreshMainBars(bool Tabs) {
    TskSkinForm* main = IsMDIForm() ? this : MainMDIFrame();
    if (!main) return;
    main->MenuBarUpdateItems();
    if (Tabs && main->FMDITabsBar) main->FMDITabsBar->UpdateActiveTab();
}

// A click or an activation on a multiple-document main form reaches no drop-down of its own
// controls the way a focus change would: their lists are told to close (the form is the sender).
void TskSkinForm::CancelChildDropDowns() {
    if (!IsMDIForm() || !FForm->Visible() || (ComponentState() & (csLoading | csDesigning))) return;
    std::vector<TWinControl*> targets;
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(FForm->Components(i));
        if (!c || !c->Visible() || !c->Enabled()) continue;
        if (dynamic_cast<TskSkinCustomControl*>(c) || dynamic_cast<TCustomEdit*>(c)) targets.push_back(c);
    }
    for (TWinControl* c : targets)
        c->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(FForm));
}

// The main menu bar shows a maximized child's buttons; it decides itself whether any child is
// still maximized.
void TskSkinForm::MenuBarChildButtons(bool Show) {
    if (!FMenuBarLink) return;
    if (Show)
        FMenuBarLink->ShowChildButtons();
    else
        FMenuBarLink->HideChildButtons();
}

// The bar merges the active child's menu: rebuilt while it shows a child's menu or buttons, and
// also when the child that became active brings a menu of its own, which a bar showing none
// would otherwise never take up.
void TskSkinForm::MenuBarUpdateItems() {
    if (!FMenuBarLink) return;
    if (FMenuBarLink->HasChildMenu() || FMenuBarLink->ChildButtonsVisible() || ActiveChildMainMenu())
        FMenuBarLink->UpdateItems();
}

} // namespace vd
