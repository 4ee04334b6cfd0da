#pragma once
// TskFrameSystemMenu: the frame's system menu. Built in (minimize, maximize, restore, roll-up,
// tray, close as the window's state allows) or the program's own menu with the built-in items
// merged in; the texts come from the skin's strings when it has them.
#include "platform/rtl/String.h"
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Menus.h"

namespace vd {

class TskSkinForm;

class TskFrameSystemMenu {
public:
    explicit TskFrameSystemMenu(TskSkinForm& Frame);
    TskFrameSystemMenu(const TskFrameSystemMenu&) = delete;
    TskFrameSystemMenu& operator=(const TskFrameSystemMenu&) = delete;

    TPopupMenu* UserMenu() const { return FUserMenu; }
    void SetUserMenu(TPopupMenu* Value) { FUserMenu = Value; }
    TPopupMenu* DefaultMenu() const { return FDefaultMenu; }
    // The items to show now, rebuilt for the window's state.
    TMenuItem* Items();
    // A menu text from the frame's skin, else the built-in one.
    String Caption(const char* key, const char* builtIn) const;

private:
    void BuildBuiltIn();
    void PrepareUserMenu();

    TskSkinForm& FFrame;
    TPopupMenu* FDefaultMenu;
    TComponentLink<TPopupMenu> FUserMenu;
};

} // namespace vd
