#pragma once
// TskSkinMainMenuBar: the top-level items of a form's main menu as a skinned bar. Each item
// opens its sub-menu through the form frame's menu engine; the frame's keyboard menu mode (Alt,
// arrows, accelerators) drives the bar through TskMenuBarLink. On a multiple-document main form
// the active child's main menu is merged into the bar and, while a child is maximized, the
// child's system-menu, minimize, restore and close buttons sit at the bar's ends. Items that do
// not fit are hidden and reachable through a small overflow mark at the right end.
#include "platform/vcl/Font.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinControl.h"
#include "skin/form/frame/SkinMenuBarLink.h"
#include "skin/store/Forward.h"
#include "skin/store/SkinTypes.h"

#include <functional>
#include <memory>
#include <vector>

namespace vd {

class TskSkinForm;
class TskSkinMainMenuBar;

using TskItemEnterEvent = std::function<void(TMenuItem* MenuItem)>;
using TskItemLeaveEvent = TskItemEnterEvent;

// One piece of the bar: an item or a child button.
class TskMenuBarObject {
public:
    // Copies what it needs of Record; null makes an object without a record (the plain look).
    TskMenuBarObject(TskSkinMainMenuBar* bar, const TskDataSkinObject* record);
    virtual ~TskMenuBarObject() = default;
    TskMenuBarObject(const TskMenuBarObject&) = delete;
    TskMenuBarObject& operator=(const TskMenuBarObject&) = delete;

    // Starts the morph timer when the object can morph, else draws it now.
    virtual void ReDraw();
    virtual void Draw(TCanvas& Canvas) { (void)Canvas; }
    virtual void MouseDown(int X, int Y, TMouseButton Button) { (void)X, (void)Y, (void)Button; }
    virtual void MouseUp(int X, int Y, TMouseButton Button) { (void)X, (void)Y, (void)Button; }
    virtual void DblClick() {}
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual bool IsMorphing() const;

    bool CanMorph() const;
    void DoMorph();

    TskSkinMainMenuBar* OwnerBar;
    bool MouseInside = false;
    const TskBitmap* ObjectPicture = nullptr;
    bool Pressed = false;
    double MorphFactor = 0;
    String IDName;
    TRect skinrect, activeskinrect, downrect;
    TRect ObjectBounds;
    bool IsActive = false;
    bool Enabled = true;
    bool Visible = true;
    bool MorphEnabled = false;
    TskMorphKind morphkind = mkDefault;
};

// One of the maximized child's caption buttons.
class TskSkinMainMenuBarButton : public TskMenuBarObject {
public:
    // Command: 0 close, 1 restore, 2 minimize, 3 system menu.
    TskSkinMainMenuBarButton(TskSkinMainMenuBar* bar, const TskDataSkinStdButton* record);

    void Draw(TCanvas& Canvas) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void DblClick() override;
    void MouseEnter() override;
    void MouseLeave() override;

    void RunCommand();

    bool HasSkinRecord = false;
    int command = 0;
    TRect disabledrect, restorerect, restoreactiverect, restoredownrect;

private:
    void DrawPlain(TCanvas& Canvas);
};

// One top-level menu item on the bar.
class TskSkinMainMenuBarItem : public TskMenuBarObject {
public:
    TskSkinMainMenuBarItem(TskSkinMainMenuBar* bar, const TskDataSkinMainMenuItem* record, TMenuItem* item);

    void ReDraw() override;
    void Draw(TCanvas& Canvas) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // Pressing opens the item's menu; releasing returns it to the hot or normal look.
    void SetPressed(bool Value);
    bool CanAnimate() const;
    bool HasSubItems() const;
    // The width the item takes on the bar for its caption in the current font.
    int MeasureWidth(TCanvas& Canvas) const;
    // One step of the item's animation; false when it did not move.
    bool AnimationStep();

    bool HasSkinRecord = false;
    bool SavedEnabled = true;
    bool ShownOnBar = true;
    TComponentLink<TMenuItem> MenuItem; // held by the bar
    String fontname = "Arial";
    int fontheight = 14;
    TskFontStyles fontstyle = 0;
    TskColor unenabledfontColor = 0, fontcolor = 0, activefontcolor = 0, downfontcolor = 0;
    TRect textrect;
    int itemleftoffset = 0, itemrightoffset = 0;
    bool stretcheffect = false;
    TRect animateskinrect;
    int framecount = 0, animateinterval = 25;
    bool inactiveanimation = false;
    int AnimationFrame = 0;

private:
    void SelectFont(TCanvas& Canvas) const;
    void DrawSkinned(TCanvas& Canvas);
    void DrawPlain(TCanvas& Canvas);
    // The item's face from Src of its picture at its own size.
    void ComposeFace(TskBitmap& Out, const TRect& Src, bool Active) const;
    TRect AnimationFrameRect(int K) const;
};

class TskSkinMainMenuBar : public TskSkinControl, public TskMenuBarLink {
public:
    explicit TskSkinMainMenuBar(TComponent* AOwner);
    ~TskSkinMainMenuBar() override;

    bool ScrollMenu = true;
    bool UseSkinFont = true;
    bool PopupToUp = false;
    TFont& DefItemFont() { return FDefItemFont; }
    void SetDefItemFont(const TFont& Value);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    TskSkinForm* SkinForm() const { return FSkinForm; }
    // The frame whose menu engine and menu mode the bar uses; a frame without a menu bar of its
    // own takes this one.
    void SetSkinForm(TskSkinForm* Value);
    TMainMenu* MainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* Value);
    // A child menu merged into the bar whatever the form is; null: the active child's.
    TMainMenu* ChildMenuAssigned() const { return FChildMenuAssigned; }
    void SetChildMenuAssigned(TMainMenu* Value);

    TskItemEnterEvent OnItemMouseEnter;
    TskItemLeaveEvent OnItemMouseLeave;

    // TskMenuBarLink: what the form frame calls.
    void EnterMenuMode() override;
    void LeaveMenuMode() override;
    void MenuClosed() override;
    void SelectNextItem() override;
    void SelectPreviousItem() override;
    bool OpenHotItem() override;
    bool AcceleratorKey(unsigned Key) override;
    void ShowChildButtons() override;
    void HideChildButtons() override;
    void UpdateItems() override;
    TMainMenu* BarMainMenu() const override { return FMainMenu; }
    TMainMenu* BarChildMenu() const override { return FChildMenu; }
    bool HasChildMenu() const override { return FChildMenu != nullptr; }
    bool ChildButtonsVisible() const override { return FChildButtonsShown; }

    // The pieces: the child buttons first, then the items.
    int ObjectCount() const { return static_cast<int>(FObjects.size()); }
    TskMenuBarObject* Object(int Index) const;
    int ItemCount() const { return ObjectCount() - FChildButtonCount; }
    TskSkinMainMenuBarItem* Item(int Index) const;
    TskSkinMainMenuBarItem* FindItem(const TMenuItem* MenuItem) const;
    TskSkinMainMenuBarButton* ChildButton(int Command) const;
    int ChildButtonCount() const { return FChildButtonCount; }
    bool KeyboardMode() const { return FKeyboardMode; }
    void SetKeyboardMode(bool Value) { FKeyboardMode = Value; }
    bool Overflow() const { return FOverflow; }
    bool MarkHot() const { return FMarkHot; }
    bool MergedWithChild() const { return FMergedWithChild; }
    int HotIndex() const { return FHotIndex; }
    int PressedIndex() const { return FPressedIndex; }
    const TRect& ItemArea() const { return FItemArea; }
    // The overflow mark's rectangle in client coordinates, and whether the bar uses it.
    TRect MarkRect() const;
    bool MarkInUse() const;
    // Whether a skin record is in use.
    bool SkinRecordInUse() const { return FSkinIndex != -1; }

    // Places the buttons and items for the current size (the painting does it too).
    void CalcItemArea();
    void LayoutObjects();
    void RebuildItems();
    void TrackMouse(int X, int Y);
    // Opens the hidden items in a menu at the overflow mark.
    void OpenOverflowMenu();
    // Redraws one object at once.
    void DrawObject(TskMenuBarObject* Object);

    // Used by the objects.
    void StartMorphTimer();
    void StartAnimationTimer(int Interval);
    bool EffectsOn() const;
    TskSkinData* MenuSkin() const;
    // The menu of Item is open through the frame's engine; false when nothing opened.
    bool PopupItemMenu(TskSkinMainMenuBarItem* Item);
    // Closes the engine's menu and keeps the keyboard menu mode.
    void CloseMenuKeepMode();
    // Item (or null) loses the hot look of every other item.
    void LeaveOtherItems(const TskMenuBarObject* Except);
    TskSkinMainMenuBarItem* PressedItem() const;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void ResetSkinIndex() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void WndProc(TMessage& Message) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    void GetProperties(TPropList& out) const override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;

private:
    static const TPropertyTable<TskSkinMainMenuBar>& Properties();
    void FreeObjects();
    void CreateChildButtons();
    void SetChildButtonsEnabled();
    TMainMenu* FindChildMenu() const;
    void PaintBar(TBitmap& Bitmap);
    void DrawMark(TCanvas& Canvas);
    void TrackTimerTick();
    void MorphTimerTick();
    void AnimationTimerTick();
    void ResetIndexes() { FHotIndex = FOldHotIndex = FPressedIndex = -1; }
    // The next (Step 1) or previous (-1) enabled item shown on the bar, from From; -1 for none.
    int StepItem(int From, int Step) const;
    void SelectItem(int Step);
    // Runs F, keeping objects freed meanwhile alive until it returns.
    template <class F> void ObjectCall(F&& f) {
        ++FObjectCalls;
        struct Guard {
            TskSkinMainMenuBar* Bar;
            ~Guard() {
                if (--Bar->FObjectCalls == 0 && Bar->FMessageDepth == 0) Bar->FRetired.clear();
            }
        } guard{this};
        f();
    }

    std::vector<std::unique_ptr<TskMenuBarObject>> FObjects;
    std::vector<std::unique_ptr<TskMenuBarObject>> FRetired;
    int FMessageDepth = 0, FObjectCalls = 0;
    int FChildButtonCount = 0;
    bool FChildButtonsShown = false;
    TRect FItemArea;
    int FHotIndex = -1, FOldHotIndex = -1, FPressedIndex = -1;
    bool FKeyboardMode = false;
    bool FOverflow = false;
    bool FMarkHot = false;
    TComponentLink<TMainMenu> FChildMenuAssigned{this};
    TComponentLink<TMainMenu> FChildMenu{this};
    bool FMergedWithChild = false;
    TFont FDefItemFont;
    int FDefaultWidth = 0, FDefaultHeight = 22;
    TComponentLink<TskSkinForm> FSkinForm{this};
    TComponentLink<TMainMenu> FMainMenu{this};
    TTimer* FTrackTimer = nullptr;
    TTimer* FMorphTimer = nullptr;
    TTimer* FAnimationTimer = nullptr;

    // Copied from the "mainmenubar" record; Picture is null without a usable one.
    const TskBitmap* FPicture = nullptr;
    TRect FSkinRect, FItemsRect;
    String FItemRecordName, FCloseName, FMinName, FMaxName, FSysMenuName;
    TskColor FMarkColor = 0, FMarkActiveColor = 0;
};

// Form resources: TskSkinMainMenuBar by class name.
void RegisterMainMenuBarClass();

} // namespace vd
