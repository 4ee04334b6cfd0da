#include "skin/form/frame/FrameMDI.h"

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

TskSkinForm* TskSkinForm::MainMDIFrame() {
    TCustomForm* main = MDIMainForm();
    return main ? GetSkinForm(main) : nullptr;
}

TRect TskFrameMDI::ClientArea() {
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main) return TRect();
    TRect r{0, 0, main->ClientWidth(), main->ClientHeight()};
    int left = 0, top = 0, right = r.Right, bottom = r.Bottom;
    for (int i = 0; i < main->ControlCount(); ++i) {
        TControl* c = main->Controls(i);
        if (!c->Visible()) continue;
        switch (c->Align()) {
        case alLeft:
            left = std::max(left, c->Left() + c->Width());
            break;
        case alTop:
            top = std::max(top, c->Top() + c->Height());
            break;
        case alRight:
            right = std::min(right, c->Left());
            break;
        case alBottom:
            bottom = std::min(bottom, c->Top());
            break;
        default:
            break;
        }
    }
    return {left, top, right, bottom};
}

TskFrameMDI::TskFrameMDI(TskSkinForm& Frame) : FFrame(Frame), FTabsBar(&Frame), FWindowMenuItem(&Frame) {}

TskFrameMDI::~TskFrameMDI() {
    UnhookClient();
}

void TskFrameMDI::SetTabsBar(TskSkinMDITabsBar* Value) {
    if (Value == FTabsBar) return;
    FTabsBar = Value;
    if (!Value) return;
    // Children already on the screen get their tabs now.
    if (!FFrame.IsMDIForm() || !FFrame.Form()->ClientHandle()) return;
    for (int i = FFrame.Form()->MDIChildCount() - 1; i >= 0; --i) {
        TCustomForm* child = FFrame.Form()->MDIChildren(i);
        if (child && child->Visible() && Value->TabIndexOf(child) < 0) Value->AddTab(child);
    }
    Value->UpdateActiveTab();
}

void TskFrameMDI::SendToChildren(UINT Msg) {
    if (!FFrame.IsMDIForm() || !FFrame.Form()->ClientHandle()) return;
    std::vector<HWND> children;
    for (int i = 0; i < FFrame.Form()->MDIChildCount(); ++i)
        if (TCustomForm* c = FFrame.Form()->MDIChildren(i); c && c->HandleAllocated())
            children.push_back(c->WindowHandle());
    for (HWND h : children)
        if (IsWindow(h)) SendMessage(h, Msg, 0, 0);
}

void TskFrameMDI::ReparkMinimizedChildren() {
    if (!FFrame.IsMDIForm() || !FFrame.Form()->ClientHandle()) return;
    std::vector<TCustomForm*> minimized;
    for (int i = 0; i < FFrame.Form()->MDIChildCount(); ++i)
        if (TCustomForm* c = FFrame.Form()->MDIChildren(i); c && c->Visible())
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
void TskFrameMDI::HookClient() {
    if (!FFrame.IsMDIForm() || !FFrame.Form()->HandleAllocated()) return;
    const HWND client = FFrame.Form()->ClientHandle();
    if (!client || client == FHookedClient) return;
    FHookedClient = client;
    auto next = std::make_shared<WNDPROC>();
    FClientNext = next;
    std::weak_ptr<bool> alive = FAlive;
    FClientProc = MakeWndProc([this, alive, next](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (alive.expired()) return *next ? CallWindowProc(*next, h, m, w, l) : DefWindowProc(h, m, w, l);
        return ClientWndProc(h, m, w, l);
    });
    *next = SetWindowProc(client, FClientProc);
}

void TskFrameMDI::UnhookClient() {
    const HWND client = FHookedClient;
    FHookedClient = nullptr;
    if (!client || !IsWindow(client) || !FClientNext) return;
    // Someone chained after us: our procedure stays and passes everything on.
    if (GetWindowProc(client) == FClientProc) SetWindowProc(client, *FClientNext);
}

LRESULT TskFrameMDI::ClientWndProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    auto next = [&] {
        return FClientNext && *FClientNext ? CallWindowProc(*FClientNext, h, msg, w, l)
                                           : DefWindowProc(h, msg, w, l);
    };
    switch (msg) {
    case WM_SIZE: {
        const LRESULT r = next();
        SendToChildren(WM_SKINMDIFIT);
        ReparkMinimizedChildren();
        if (!FFrame.LogoBitMap().Empty()) RedrawWindow(h, nullptr, RDW_ERASE | RDW_INVALIDATE);
        return r;
    }
    case WM_ERASEBKGND:
        FFrame.PaintMDIClientBackground(reinterpret_cast<HDC>(w));
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

void TskFrameMDI::Message(TMessage& Message) {
    Message.Result = 0;
    switch (Message.Msg) {
    case WM_SKINMDIFIT:
        if (FFrame.IsMaximizedChild()) {
            const TRect a = ClientArea();
            FFrame.Form()->SetBounds(0, 0, a.Width(), a.Height());
        }
        return;
    case WM_SKINMDIMAXIMIZED:
        if (!FFrame.IsMDIForm()) return;
        FChildMaximized = true;
        FFrame.FrameRepaint();
        MenuBarChildButtons(true);
        return;
    case WM_SKINMDIRESTORED:
        if (!FFrame.IsMDIForm()) return;
        if (!GetMaximizedChildSkinForm()) FChildMaximized = false;
        FFrame.FrameRepaint();
        MenuBarChildButtons(false);
        return;
    default:
        return;
    }
}

void TskFrameMDI::ChildShown() {
    if (!FFrame.IsMDIChild()) return;
    AddWindowMenuItem();
    if (TskSkinForm* main = TskSkinForm::MainMDIFrame();
        main && main->MDITabsBar() && main->MDITabsBar()->TabIndexOf(FFrame.Form()) < 0)
        main->MDITabsBar()->AddTab(FFrame.Form());
    if (FFrame.WindowState() == skwsMaximized) NotifyMain(WM_SKINMDIMAXIMIZED);
}

void TskFrameMDI::ChildHidden() {
    if (!FFrame.IsMDIChild()) return;
    RemoveWindowMenuItem();
    if (TskSkinForm* main = TskSkinForm::MainMDIFrame(); main && main->MDITabsBar())
        main->MDITabsBar()->DeleteTab(FFrame.Form());
    // A hidden maximized child no longer holds the main form's caption and buttons.
    if (FFrame.WindowState() == skwsMaximized) NotifyMain(WM_SKINMDIRESTORED);
}

void TskFrameMDI::ChildCaptionChanged() {
    if (FWindowMenuItem) FWindowMenuItem->SetCaption(FFrame.Form()->Caption());
    TskSkinForm* main = TskSkinForm::MainMDIFrame();
    if (!main) return;
    if (main->MDITabsBar()) main->MDITabsBar()->DrawMDITab(FFrame.Form());
    if (FFrame.WindowState() == skwsMaximized) main->FrameRepaint();
}

void TskFrameMDI::ChildActivationChanged() {
    TCustomForm* main = MDIMainForm();
    if (!main) return;
    if (TMenuItem* menu = main->WindowMenu()) {
        TCustomForm* active = main->ActiveMDIChild();
        for (int i = 0; i < menu->Count(); ++i)
            if (TskSkinForm* f = ItemFrame(menu->Items(i))) menu->Items(i)->Checked = f->Form() == active;
    }
    TskSkinForm* mainFrame = GetSkinForm(main);
    if (!mainFrame) return;
    if (FFrame.WindowState() == skwsMaximized) mainFrame->FrameRepaint();
    RefreshMainBars(true);
}

void TskFrameMDI::AddWindowMenuItem() {
    TCustomForm* main = MDIMainForm();
    TMenuItem* menu = main ? main->WindowMenu() : nullptr;
    if (!menu) return;
    if (FWindowMenuItem) {
        FWindowMenuItem->SetCaption(FFrame.Form()->Caption());
        return;
    }
    // Owned by the frame: the item never outlives the child it shows.
    auto* item = new TMenuItem(&FFrame);
    item->SetName(FFrame.Form()->Name() + skChildItemSuffix);
    item->SetCaption(FFrame.Form()->Caption());
    item->OnClick = [this](TObject*) { WindowMenuItemClick(); };
    menu->Add(item);
    FWindowMenuItem = item;
}

void TskFrameMDI::RemoveWindowMenuItem() {
    if (TMenuItem* item = FWindowMenuItem) {
        FWindowMenuItem = nullptr;
        DropItem(item);
    }
    TCustomForm* main = MDIMainForm();
    TMenuItem* menu = main ? main->WindowMenu() : nullptr;
    if (!menu) return;
    // The last child gone: any item a child's frame left behind goes too, and nothing else.
    for (int i = 0; i < main->MDIChildCount(); ++i)
        if (TCustomForm* c = main->MDIChildren(i); c && c != FFrame.Form() && c->Visible()) return;
    for (int i = menu->Count() - 1; i >= 0; --i)
        if (ItemFrame(menu->Items(i))) DropItem(menu->Items(i));
}

void TskFrameMDI::WindowMenuItemClick() {
    if (FFrame.WindowState() == skwsMinimized) FFrame.SetWindowState(skwsNormal);
    FFrame.Form()->Show();
    // Shown already: bring it forward as the active child.
    if (FFrame.Form()->HandleAllocated())
        if (HWND client = GetParent(FFrame.Form()->WindowHandle()))
            SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FFrame.Form()->WindowHandle()), 0);
}

void TskFrameMDI::RefreshMainBars(bool Tabs) {
    TskSkinForm* main = FFrame.IsMDIForm() ? &FFrame : TskSkinForm::MainMDIFrame();
    if (!main) return;
    main->FMDI->MenuBarUpdateItems();
    if (Tabs && main->MDITabsBar()) main->MDITabsBar()->UpdateActiveTab();
}

// A click or an activation on a multiple-document main form reaches no drop-down of its own
// controls the way a focus change would: their lists are told to close (the form is the sender).
void TskFrameMDI::CancelChildDropDowns() {
    if (!FFrame.IsMDIForm() || !FFrame.Form()->Visible() ||
        (FFrame.ComponentState() & (csLoading | csDesigning)))
        return;
    std::vector<TWinControl*> targets;
    for (int i = 0; i < FFrame.Form()->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(FFrame.Form()->Components(i));
        if (!c || !c->Visible() || !c->Enabled()) continue;
        if (dynamic_cast<TskSkinCustomControl*>(c) || dynamic_cast<TCustomEdit*>(c)) targets.push_back(c);
    }
    for (TWinControl* c : targets)
        c->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(FFrame.Form()));
}

// The main menu bar shows a maximized child's buttons; it decides itself whether any child is
// still maximized.
void TskFrameMDI::MenuBarChildButtons(bool Show) {
    TskMenuBarLink* bar = FFrame.MenuBar();
    if (!bar) return;
    if (Show)
        bar->ShowChildButtons();
    else
        bar->HideChildButtons();
}

// The bar merges the active child's menu: rebuilt while it shows a child's menu or buttons, and
// also when the child that became active brings a menu of its own, which a bar showing none
// would otherwise never take up.
void TskFrameMDI::MenuBarUpdateItems() {
    TskMenuBarLink* bar = FFrame.MenuBar();
    if (bar && (bar->HasChildMenu() || bar->ChildButtonsVisible() || ActiveChildMainMenu()))
        bar->UpdateItems();
}

} // namespace vd
