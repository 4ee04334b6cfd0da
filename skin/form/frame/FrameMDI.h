#pragma once
// TskFrameMDI: the multiple-document side of a form frame. On a main form it chains the client
// window's procedure, keeps whether a child is maximized and passes changes on to the tabs bar
// and the menu bar; on a child it keeps the item the child added to the main form's window menu.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"

#include <memory>

namespace vd {

class TskSkinForm;
class TskSkinMDITabsBar;

class TskFrameMDI {
public:
    explicit TskFrameMDI(TskSkinForm& Frame);
    ~TskFrameMDI();
    TskFrameMDI(const TskFrameMDI&) = delete;
    TskFrameMDI& operator=(const TskFrameMDI&) = delete;

    // Where the children of the application's main form go: its client area less its aligned
    // controls.
    static TRect ClientArea();

    TskSkinMDITabsBar* TabsBar() const { return FTabsBar; }
    void SetTabsBar(TskSkinMDITabsBar* Value);
    bool ChildMaximized() const { return FChildMaximized; }
    TMenuItem* WindowMenuItem() const { return FWindowMenuItem; }

    void SendToChildren(UINT Msg);
    void ReparkMinimizedChildren();
    void HookClient();
    void UnhookClient();
    // WM_SKINMDIFIT, WM_SKINMDIMAXIMIZED and WM_SKINMDIRESTORED.
    void Message(TMessage& Message);

    // A child's frame: shown, hidden, renamed, activated or deactivated.
    void ChildShown();
    void ChildHidden();
    void ChildCaptionChanged();
    void ChildActivationChanged();
    // The main form's menu bar and (with Tabs) its tabs bar follow the active child.
    void RefreshMainBars(bool Tabs);
    void CancelChildDropDowns();

private:
    LRESULT ClientWndProc(HWND h, UINT msg, WPARAM w, LPARAM l);
    void AddWindowMenuItem();
    void RemoveWindowMenuItem();
    void WindowMenuItemClick();
    void MenuBarChildButtons(bool Show);
    void MenuBarUpdateItems();

    TskSkinForm& FFrame;
    TComponentLink<TskSkinMDITabsBar> FTabsBar;
    TComponentLink<TMenuItem> FWindowMenuItem;
    bool FChildMaximized = false;
    // The client window of a multiple-document main form, its saved procedure, and a token the
    // chained procedure checks, so a procedure left in the chain after the frame went passes on.
    HWND FHookedClient = nullptr;
    std::shared_ptr<WNDPROC> FClientNext;
    WNDPROC FClientProc;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

} // namespace vd
