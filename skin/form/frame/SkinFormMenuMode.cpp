// Menu mode: which skinned menu of the frame is open, the keys that reach it and the clicks
// that close it.
#include "platform/vcl/Application.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinFormObjects.h"

namespace vd {

namespace {

bool IsMenuCloseMessage(UINT m) {
    switch (m) {
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

} // namespace

void TskSkinForm::CreateTrayMenu() {}

void TskSkinForm::SetTrayMenuSkin() {}

void TskSkinForm::HideObjectHint() {}

void TskSkinForm::ShowObjectHintFor(const TskActiveSkinObject& Object) {
    (void)Object;
}

void TskSkinForm::PreWndProc(TMessage& Message) {
    if (!IsMenuCloseMessage(Message.Msg)) return;
    if (ShowObjectHint && SkinHint) HideObjectHint();
    if (FSkinMenuOpen) SkinMenuClose(this);
}

void TskSkinForm::PopupSystemMenu(int X, int Y) {
    PopupSystemMenuAtRect({X, Y, X, Y});
}

void TskSkinForm::PopupSystemMenuAtRect(const TRect& R) {
    TMenuItem* items = GetSystemMenuItems();
    PopupObjectMenu(items, R, false);
}

void TskSkinForm::PopupObjectMenu(TMenuItem* Item, const TRect& ScreenRect, bool Upward) {
    (void)ScreenRect;
    (void)Upward;
    if (!Item || Item->Count() == 0) return;
    SkinMenuOpen(this);
}

void TskSkinForm::KeyMenu() {
    if (FMenuBarMode) LeaveMenuBarMode();
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
}

void TskSkinForm::EndSkinMenu() {
    FSkinMenuOpen = false;
    if (OnSkinMenuClose) OnSkinMenuClose(this);
}

void TskSkinForm::LeaveMenuBarMode() {
    FMenuBarMode = false;
    RemoveAppHook();
    if (OnMainMenuExit) OnMainMenuExit(this);
}

void TskSkinForm::InstallAppHook() {
    if (FAppHookInstalled || !Application) return;
    FAppHookInstalled = true;
}

void TskSkinForm::RemoveAppHook() {
    FAppHookInstalled = false;
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
    if (frame->OnSkinMenuClose) frame->OnSkinMenuClose(frame);
    if (frame->FMenuBarMode) {
        frame->FMenuBarMode = false;
        if (frame->OnMainMenuExit) frame->OnMainMenuExit(frame);
    }
}

} // namespace vd
