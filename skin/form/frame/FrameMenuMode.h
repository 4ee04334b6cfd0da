#pragma once
// TskFrameMenuMode: the frame's menu engine and its mode. It owns the engine, the tray menu and
// the link to the main menu bar, knows whether one of the frame's menus is open and whether the
// keyboard drives the bar (menu-bar mode), and takes the program's keys while either lasts.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Menus.h"
#include "platform/win/Messages.h"
#include "skin/controls/Forward.h"
#include "skin/core/Forward.h"

namespace vd {

class TskSkinForm;
class TskSkinMenu;
class TskMenuBarLink;

class TskFrameMenuMode {
public:
    explicit TskFrameMenuMode(TskSkinForm& Frame);
    ~TskFrameMenuMode();
    TskFrameMenuMode(const TskFrameMenuMode&) = delete;
    TskFrameMenuMode& operator=(const TskFrameMenuMode&) = delete;

    // Makes the menu engine and the tray menu (once the frame's form is known).
    void CreateMenus();
    TskSkinMenu* SkinMenu() const { return FSkinMenu; }
    TskSkinPopupMenu* TrayMenu() const { return FTrayMenu; }
    TskSkinData* MenusSkinData() const { return FMenusSkinData; }
    void SetMenusSkinData(TskSkinData* Value) { FMenusSkinData = Value; }
    // The skin a menu of this frame takes: the menus' own, else the frame's.
    TskSkinData* MenuSkin() const;
    void SetTrayMenuSkin(TskSkinData* Skin);

    // The engine's settings, passed on whenever one changes.
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value);
    int DefItemHeight() const { return FDefItemHeight; }
    void SetDefItemHeight(int Value);
    int MaxItemsInWindow() const { return FMaxItemsInWindow; }
    void SetMaxItemsInWindow(int Value);
    void SettingsChanged();

    TComponent* MainMenuBar() const { return FMainMenuBar; }
    TskMenuBarLink* MenuBar() const;
    void SetMainMenuBar(TComponent* Value);

    bool MenuOpen() const { return FMenuOpen; }
    bool MenuBarMode() const { return FMenuBarMode; }
    void Open();
    void Close();
    void EnterMenuBarMode(TObject* Sender);
    void LeaveMenuBarMode();
    void EndSkinMenu();
    // A message that closes menus arrived at the form.
    void CloseForMessage();
    // Alt alone (SC_KEYMENU).
    void KeyMenu();
    void ShortCut(TMessage& Msg, bool& Handled);
    void PopupObjectMenu(TMenuItem* Item, const TRect& ScreenRect, bool Upward);
    void HoldMenuGrab();
    void ReleaseMenuGrab();
    void RemoveAppHook();

private:
    void InstallAppHook();
    void AppMessageHook(MSG& Msg, bool& Handled);
    void MenuKey(WPARAM Key);
    bool EngineVisible() const;

    TskSkinForm& FFrame;
    TComponentLink<TskSkinMenu> FSkinMenu;
    TComponentLink<TskSkinPopupMenu> FTrayMenu;
    TComponentLink<TskSkinData> FMenusSkinData;
    TComponentLink<TComponent> FMainMenuBar;
    bool FMenuOpen = false;
    bool FMenuBarMode = false;
    bool FAppHookInstalled = false;
    bool FUseSkinFont = true;
    int FDefItemHeight = 20;
    int FMaxItemsInWindow = 0;
};

} // namespace vd
