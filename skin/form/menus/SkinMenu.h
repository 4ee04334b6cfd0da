#pragma once
// TskSkinMenu: the popup menu engine a form frame owns. It shows the children of a TMenuItem as
// a stack of levels (TskSkinPopupWindow), opens sub-levels after a hover or at once on a click,
// takes the keys the frame forwards, runs the chosen command after every level closed, and tells
// the opener: WM_SKINMENUCLOSED (1228) when the menu closes, WM_SKINMENUCOMMAND (1229) after a
// command ran. The engine knows the frame only through its form: the form's monitor gives the
// work area and the form receives 1228 from CloseMenu.
#include "platform/rtl/Types.h"
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Font.h"
#include "platform/vcl/Forward.h"
#include "platform/win/WinTypes.h"
#include "skin/core/Forward.h"

#include <memory>
#include <vector>

namespace vd {

class TskSkinPopupWindow;
class TskSkinMenuItem;

// Messages of its form on which a frame closes an open menu.
bool IsMenuCloseMessage(UINT Msg);

class TskSkinMenu : public TComponent {
public:
    TskSkinMenu(TComponent* AOwner, TCustomForm* Form);
    ~TskSkinMenu() override;

    // Settings the frame passes on.
    bool UseSkinFont = true;
    int DefaultItemHeight = 20;
    TFont& DefaultItemFont() { return FDefaultItemFont; }
    const TFont& DefaultItemFont() const { return FDefaultItemFont; }
    void SetDefaultItemFont(const TFont& Font) { FDefaultItemFont.Assign(Font); }
    bool AlphaBlend = false;
    Byte AlphaBlendValue = 150;
    bool AlphaBlendAnimation = false;
    int MaxItemsInWindow = 0; // 0: no limit

    // Called once with the engine as sender when the last level closes, then cleared.
    TNotifyEvent OnMenuClose;

    // Opens the children of Item from StartIndex on at the screen rectangle R (a point is the
    // rectangle (X, Y, X, Y)), below it, or above it when Above and there is room. Control, when
    // given, hears 1228 when the menu closes and 1229 after a command. Open levels close first.
    // Returns whether a level opened: an item without children from StartIndex on shows nothing.
    bool Popup(TControl* Control, TskSkinData* SkinData, int StartIndex, const TRect& R, TMenuItem* Item,
               bool Above);
    // One first level with First's children from StartIndex on, then Second's children from
    // max(StartIndex - First's child count, 0) on (the menu bar's overflow with a child menu).
    bool PopupMerged(TControl* Control, TskSkinData* SkinData, int StartIndex, const TRect& R,
                     TMenuItem* First, TMenuItem* Second, bool Above);

    // Closes every level, 1228 to the form and to an opener still set.
    void CloseMenu();
    // Closes the levels from the top down to index From; From 0 ends the menu: 1228 to the
    // opener, then OnMenuClose. Closed levels are hidden at once and freed once the message being
    // handled unwinds, so a level may close itself from its own handlers.
    void CloseLevels(int From);
    // The key goes to the top level; nothing without a visible menu.
    void ProcessKey(int Key);

    // Hover (neither flag), click, or key selection of an item of Level.
    void ItemClick(TskSkinPopupWindow* Level, TskSkinMenuItem* Item, bool Click, bool KeySel);

    bool MenuVisible() const { return FMenuVisible; }
    bool FirstLevel() const { return FFirstLevel; }
    int LevelCount() const { return static_cast<int>(FLevels.size()); }
    TskSkinPopupWindow* Level(int Index) const;
    TskSkinPopupWindow* TopLevel() const { return FLevels.empty() ? nullptr : FLevels.back(); }
    // Index in the level list, or the count when absent.
    int IndexOfLevel(const TskSkinPopupWindow* Level) const;

    TCustomForm* OwnerForm() const { return FOwnerForm; }
    TControl* OpenerControl() const { return FOpenerControl; }
    TControl* CommandControl() const { return FCommandControl; }
    TskSkinData* SkinData() const { return FSkinData; }
    // Work area of the owner form's monitor, taken at each popup.
    const TRect& WorkArea() const { return FWorkArea; }
    TskSkinMenuItem* PendingItem() const { return FPendingItem; }
    TTimer* SubmenuTimer() const { return FSubmenuTimer; }

    // Used by the levels.
    TskSkinPopupWindow* OpenLevel(const TRect& R, TMenuItem* Item, int StartIndex, bool SubLevel, bool Above);
    void SetPendingItem(TskSkinMenuItem* Item) { FPendingItem = Item; }
    // An item shown in a level is going away: the menu closes.
    void MenuItemGone();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool BeginPopup(TskSkinData* SkinData);
    void AbandonLevels();
    void SubmenuTimerTick();
    void SetOpener(TControl* Control);
    void SendCloseNotice(TControl* Control);
    void RunCommand(TMenuItem* Item);

    TComponentLink<TCustomForm> FOwnerForm{this};
    TFont FDefaultItemFont;
    bool FFirstLevel = false;
    bool FMenuVisible = false;
    TComponentLink<TControl> FOpenerControl{this};
    TComponentLink<TControl> FCommandControl{this};
    TTimer* FSubmenuTimer = nullptr;
    TskSkinMenuItem* FPendingItem = nullptr;
    TRect FWorkArea;
    TComponentLink<TskSkinData> FSkinData{this};
    TComponentLink<TMenu> FDispatchMenu{this}; // the menu of the command being run, while it may vanish
    std::vector<TskSkinPopupWindow*> FLevels;
};

} // namespace vd
