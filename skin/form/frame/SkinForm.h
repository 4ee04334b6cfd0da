#pragma once
// TskSkinForm: the component that turns the form owning it into a skinned window. It takes over
// the form's window procedure and routes each message to the part that owns what it changes:
// the geometry (metrics, hit tests, region), the caption objects (tracking, timers, layout), the
// window states (minimized strip, maximized, rolled up, magnetic edges), the fade-in, the menu
// mode, the system menu, the multiple-document side and the painter. What other code calls
// stays here and forwards to the parts; the skin change and the re-skin walk are its own.
#include "platform/vcl/Component.h"
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/Forward.h"
#include "skin/controls/SkinReskin.h"
#include "skin/core/Forward.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinRegion.h"
#include "skin/store/SkinBitmap.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vd {

class TskTrayIcon;
class TskSkinMenu;
class TskActiveSkinObject;
class TskSkinButtonObject;
class TskSkinCaptionObject;
class TskSkinHint;
class TskSkinMDITabsBar;
class TskMenuBarLink;
class TskFrameMDI;
class TskFrameMenuMode;
class TskFrameSystemMenu;
class TskFrameStates;
class TskFrameFade;
class TskFrameObjects;
class TskFrameGeometry;
class TskFramePainter;

enum TskPositionInMonitor { skpDefault, skpScreenCenter, skpDesktopCenter };

using TskBorderIcons = unsigned;
inline constexpr TskBorderIcons skbiSystemMenu = 1;
inline constexpr TskBorderIcons skbiMinimize = 2;
inline constexpr TskBorderIcons skbiMaximize = 4;
inline constexpr TskBorderIcons skbiRollUp = 8;
inline constexpr TskBorderIcons skbiMinimizeToTray = 16;

using TskMouseUpEvent =
    std::function<void(const String& IDName, int X, int Y, const TRect& ObjectRect, TMouseButton Button)>;
using TskMouseDownEvent = TskMouseUpEvent;
using TskMouseMoveEvent = std::function<void(const String& IDName, int X, int Y, const TRect& ObjectRect)>;
using TskMouseEnterEvent = std::function<void(const String& IDName)>;
using TskMouseLeaveEvent = TskMouseEnterEvent;
using TskPaintEvent = std::function<void(const String& IDName, TCanvas* Canvas, const TRect& ObjectRect)>;
using TskActivateCustomObjectEvent = std::function<void(const String& IDName, bool& Enabled)>;

// Window states of the frame's own bookkeeping.
inline constexpr int skwsNormal = 0, skwsMinimized = 1, skwsMaximized = 2;

// The frame geometry for the current size.
struct TskFrameMetrics {
    TPoint LeftTop, RightTop, LeftBottom, RightBottom;
    TRect ClientRect, CaptionRect, ButtonsRect, MaskArea;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    TPoint HitLeftTop, HitRightTop, HitLeftBottom, HitRightBottom;
};

class TskSkinForm : public TComponent {
public:
    // AOwner must be a form; anything else raises EInvalidCast.
    explicit TskSkinForm(TComponent* AOwner);
    ~TskSkinForm() override;

    TCustomForm* Form() const { return FForm; }

    // Published properties without a further effect.
    TskPositionInMonitor PositionInMonitor = skpDefault;
    bool UseFormCursorInNCArea = false;
    int ClientWidth = 0;
    int ClientHeight = 0;
    bool AlwaysShowInTray = false;
    bool LogoBitMapTransparent = false;
    bool AlwaysMinimizeToTray = false;
    bool MaximizeOnFullScreen = false;
    bool AlphaBlendAnimation = false;
    bool ShowObjectHint = false;
    bool UseDefaultObjectHint = true;
    bool MenusAlphaBlend = false;
    bool MenusAlphaBlendAnimation = false;
    Byte MenusAlphaBlendValue = 200;
    bool UseDefaultSysMenu = true;
    int MinHeight = 0, MinWidth = 0, MaxHeight = 0, MaxWidth = 0;
    bool Magnetic = false;
    Byte MagneticSize = 5;
    bool HideCaptionButtons = false;
    // Shows the caption objects' hints when ShowObjectHint is on.
    TskSkinHint* SkinHint() const { return FSkinHint; }
    void SetSkinHint(TskSkinHint* Value);

    // The main form's tabs bar: its children's frames add, remove and mark their tabs.
    TskSkinMDITabsBar* MDITabsBar() const;
    void SetMDITabsBar(TskSkinMDITabsBar* Value);

    TskSkinStatusBar* StatusBar() const { return FStatusBar; }
    void SetStatusBar(TskSkinStatusBar* Value);
    int MaxMenuItemsInWindow() const;
    void SetMaxMenuItemsInWindow(int Value);
    TBitmap& LogoBitMap();
    bool ShowIcon() const { return FShowIcon; }
    void SetShowIcon(bool Value);
    bool AlphaBlend() const;
    void SetAlphaBlend(bool Value);
    Byte AlphaBlendValue() const;
    void SetAlphaBlendValue(Byte Value);
    TFont& DefCaptionFont();
    TFont& DefInActiveCaptionFont();
    TskTrayIcon* TrayIcon() const { return FTrayIcon; }
    void SetTrayIcon(TskTrayIcon* Value);
    // Watchers of the form's messages, run before the frame handles each one; one per owner
    // (adding again replaces it). The tray icon watches its owner form this way, so that no
    // two components replace the form's window procedure and restore it out of order.
    using TFormMessageHook = std::function<void(TMessage&)>;
    void AddMessageHook(const void* Owner, TFormMessageHook Hook);
    void RemoveMessageHook(const void* Owner);
    TPopupMenu* SystemMenu() const;
    void SetSystemMenu(TPopupMenu* Value);
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value);
    TskSkinData* MenusSkinData() const;
    void SetMenusSkinData(TskSkinData* Value);
    TskBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TskBorderIcons Value);
    // Read and written through the menu engine.
    bool UseSkinFontInMenu() const;
    void SetUseSkinFontInMenu(bool Value);
    int DefMenuItemHeight() const;
    void SetDefMenuItemHeight(int Value);
    // The unskinned menu items' font, kept by the form's menu engine (a copy is taken).
    const TFont& DefMenuItemFont() const;
    void SetDefMenuItemFont(const TFont& Value);

    TNotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData;
    TskMouseUpEvent OnMouseUpEvent;
    TskMouseDownEvent OnMouseDownEvent;
    TskMouseMoveEvent OnMouseMoveEvent;
    TskMouseEnterEvent OnMouseEnterEvent;
    TskMouseLeaveEvent OnMouseLeaveEvent;
    TskPaintEvent OnPaintEvent;
    TNotifyEvent OnActivate, OnDeActivate;
    TNotifyEvent OnSkinMenuOpen, OnSkinMenuClose, OnMainMenuEnter, OnMainMenuExit;
    TNotifyEvent OnChangeRollUpState, OnMinimizeToTray, OnRestoreFromTray, OnMinimize, OnRestore, OnMaximize;
    TskActivateCustomObjectEvent OnActivateCustomObject;
    TShortCutEvent OnShortCut;

    // Size limits.
    int GetMinWidth() const;
    int GetMinHeight() const;
    int GetMaxWidth() const;
    int GetMaxHeight() const;
    int CaptionHeight() const;
    int DefaultButtonSize() const;
    bool Sizeable() const;
    bool HasBorder() const;

    // Geometry, layout, hit tests.
    void CalcFrameMetrics();
    const TskFrameMetrics& Metrics() const;
    void LayoutObjects();
    void LayoutDefaultButtons();
    TRect MapSkinRect(const TRect& r) const;
    int HitTest(TPoint framePoint);
    TPoint ScreenToFrame(TPoint screen) const;
    void TrackObjects(int X, int Y, bool Allow);
    void ResetObjectStates();
    void SetActiveState(bool Animate);
    bool IsFormActive() const;
    bool SkinInUse() const { return FSkinInUse; }
    TskActiveSkinObject* HotObject() const;
    int HotIndex() const;
    int PressedIndex() const;
    const std::vector<std::unique_ptr<TskActiveSkinObject>>& Objects() const;
    TskActiveSkinObject* FindObject(const String& IDName) const;

    // Painting and region.
    void PaintFrameSkin(HDC dc = nullptr);
    void PaintFrameDefault(HDC dc = nullptr);
    void PaintClientBackground(HDC dc);
    void DrawSkinObject(TskActiveSkinObject* Object);
    void UpdateRegion(bool Relayout);
    void FrameRepaint();
    bool HasRegion() const;
    // The small form icon of the system-menu button.
    HICON SmallFormIcon();
    int SmallIconWidth() const;
    int SmallIconHeight() const;

    // Window states.
    int WindowState() const;
    void SetWindowState(int State);
    bool RolledUp() const;
    void RollUp(bool Value);
    void MinimizeToTray();
    void RestoreFromTray();
    void SnapToEdges(int& X, int& Y, int Height, int Width);
    TPoint GetMinimizedPosition() const;
    TRect GetMDIClientArea() const;
    void PositionInMonitorNow();
    void NudgeSize();
    TRect RestoreRect() const;

    // Multiple-document windows.
    bool IsMDIForm() const;
    bool IsMDIChild() const;
    // A maximized child has no frame of its own: its whole window is client.
    bool IsMaximizedChild() const;
    // On the main form: some child is maximized (1231 sets it, 1232 clears it).
    bool ChildMaximized() const;
    // On a child: the item it added to the main form's window menu, null when none.
    TMenuItem* WindowMenuItem() const;
    // The frame of the application's main form when it is a multiple-document main form.
    static TskSkinForm* MainMDIFrame();
    // Sends Msg to every child of a multiple-document main form.
    void SendToChildren(UINT Msg);
    // Puts the minimized children back in their rows (after the client area changed).
    void ReparkMinimizedChildren();
    // The client window's background: the skin's MDI wallpaper, else the form's client
    // background; the plain workspace colour without a skin or for a missing wallpaper.
    void PaintMDIClientBackground(HDC dc);

    // Skin changes.
    void ChangeSkinData();
    void ApplyBorderIcons();
    void UpdateObjectHints();

    // Menus.
    void PopupSystemMenu(int X, int Y);
    void PopupSystemMenuAtRect(const TRect& R);
    TMenuItem* GetSystemMenuItems();
    TPopupMenu* DefaultSystemMenu() const;
    TskSkinPopupMenu* TrayMenu() const;
    TskSkinMenu* SkinMenu() const;
    void ShortCutHook(TMessage& Msg, bool& Handled);
    void EndSkinMenu();
    void LeaveMenuBarMode();
    bool SkinMenuIsOpen() const;
    // The main menu bar the keyboard's menu mode drives (a component that is a TskMenuBarLink).
    TComponent* MainMenuBar() const;
    TskMenuBarLink* MenuBar() const;
    void SetMainMenuBar(TComponent* Value);
    // The menu bar starts its keyboard navigation: menu-bar mode on, OnMainMenuEnter(Sender).
    void EnterMenuBarMode(TObject* Sender);
    bool MenuBarMode() const;
    // Opens Item's sub-items at a screen rectangle for a caption object.
    void PopupObjectMenu(TMenuItem* Item, const TRect& ScreenRect, bool Upward);
    // While a menu of the frame is open a press outside the program's windows closes it.
    void HoldMenuGrab();
    // The screen rectangle of a frame rectangle.
    TRect FrameToScreen(const TRect& r) const;

    // Object timers.
    void StartMorphTimer();
    void StartAnimationTimer();
    void MorphTimerTick();
    void AnimationTimerTick();
    void TrackTimerTick();
    bool TrackTimerRunning() const;
    void EnableTrackTimer(bool On);

    // The object events, raised by the objects.
    void DoObjectMouseDown(const TskActiveSkinObject& o, int X, int Y, TMouseButton Button);
    void DoObjectMouseUp(const TskActiveSkinObject& o, int X, int Y, TMouseButton Button);
    void DoObjectMouseMove(const TskActiveSkinObject& o, int X, int Y);
    void DoObjectMouseEnter(const TskActiveSkinObject& o);
    void DoObjectMouseLeave(const TskActiveSkinObject& o);
    void DoObjectPaint(const TskActiveSkinObject& o, HDC dc);

    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    void GetProperties(TPropList& out) const override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

private:
    friend void SkinMenuOpen(TskSkinForm* frame);
    friend void SkinMenuClose(TskSkinForm* frame);
    friend class TskFrameMDI;
    friend class TskFrameMenuMode;
    friend class TskFrameSystemMenu;
    friend class TskFrameStates;
    friend class TskFrameObjects;
    friend class TskFrameGeometry;
    friend class TskFramePainter;

    TskFrameMenuMode& MenuMode() const { return *FMenuMode; }
    const TskFrameSystemMenu& SystemMenuPart() const { return *FSystemMenu; }

    // The window procedure: message hooks, then a handler per message (SkinFormMessages.cpp).
    using TMessageHandler = bool (*)(TskSkinForm&, TMessage&);
    static TMessageHandler FindHandler(UINT Msg);
    void FormWndProc(TMessage& Message);
    void CallDefault(TMessage& Message);
    bool WMCreate(TMessage& Message);
    bool WMDestroy();
    bool WMActivate(TMessage& Message);
    bool WMSetText(TMessage& Message);
    bool WMEraseBkgnd(TMessage& Message);
    bool WMSetCursor(TMessage& Message);
    bool WMMouseActivate();
    bool WMNcHitTest(TMessage& Message);
    bool WMNcPaint();
    bool WMSyncPaint(TMessage& Message);
    bool WMSysCommand(TMessage& Message);
    bool WMEnterSizeMove();
    bool WMExitSizeMove();
    bool WMFramePaint(TMessage& Message);
    // Non-client mouse messages reach the caption objects.
    void RouteNcMouse(TMessage& Message);
    void PreWndProc(TMessage& Message);
    void NcCalcSize(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMSizing(TMessage& Message);
    void WMGetMinMaxInfo(TMessage& Message);
    void WMShowWindow(TMessage& Message);
    void WMNcActivate(TMessage& Message);
    void SkinMessage(TMessage& Message);
    TRect WorkAreaOfForm(bool workArea) const;
    void ApplyMinimumSize();
    void ReskinWalk(TControl* control, TskSkinData* skin, bool reset);

    TCustomForm* FForm = nullptr;
    TWndMethod FSavedWindowProc;
    bool FHooked = false;
    bool FSkinInUse = false;
    bool FFrameActive = false;

    TComponentLink<TskSkinStatusBar> FStatusBar{this};
    TComponentLink<TskSkinHint> FSkinHint{this};
    bool FShowIcon = false;
    TComponentLink<TskTrayIcon> FTrayIcon{this};
    std::vector<std::pair<const void*, TFormMessageHook>> FMessageHooks;
    TComponentLink<TskSkinData> FSkinData{this};
    TskBorderIcons FBorderIcons = skbiSystemMenu | skbiMinimize | skbiMaximize | skbiRollUp;

    std::unique_ptr<TskFrameMDI> FMDI;
    std::unique_ptr<TskFrameMenuMode> FMenuMode;
    std::unique_ptr<TskFrameSystemMenu> FSystemMenu;
    std::unique_ptr<TskFrameStates> FStates;
    std::unique_ptr<TskFrameFade> FFade;
    std::unique_ptr<TskFrameObjects> FObjects;
    std::unique_ptr<TskFrameGeometry> FGeometry;
    std::unique_ptr<TskFramePainter> FPainter;
};

// The first TskSkinForm among the form's owned components; null for none or no form.
TskSkinForm* GetSkinForm(const TComponent* form);
TskSkinForm* GetMaximizedChildSkinForm();
TskSkinForm* GetActiveChildSkinForm();

// Menu-mode bookkeeping shared with the menus.
void SkinMenuOpen(TskSkinForm* frame);
void SkinMenuClose(TskSkinForm* frame);

// Between a multiple-document main form and its children (no parameters): a maximized child fits
// itself to the client area again; a child was maximized; a child was restored, minimized or
// destroyed.
inline constexpr UINT WM_SKINMDIFIT = 1230;
inline constexpr UINT WM_SKINMDIMAXIMIZED = 1231;
inline constexpr UINT WM_SKINMDIRESTORED = 1232;
// Window-menu items of child forms are named after the child with this suffix.
inline constexpr const char* skChildItemSuffix = "_SKFCHILDITEM";

// The drawing request that paints the whole frame into the device context in wParam.
inline constexpr UINT WM_SKINFRAMEPAINT = 0xBC4B;
inline constexpr LPARAM skFramePaintMagic = 0x41A2;

// Form resources: TskSkinForm, TskTrayIcon, TskSkinFrame and TskSkinPopupMenu by class name.
void RegisterSkinFormClasses();

} // namespace vd
