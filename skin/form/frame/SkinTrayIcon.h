#pragma once
// TskTrayIcon: one icon in the notification area. Mouse messages from the tray become events
// (a click is told from a double click by the desktop's double-click time), a right click opens
// its skinned popup menu at the cursor, it can hide the application into the tray, re-adds its
// icon when a notification area appears and cycles through an image list on a timer. It knows
// whether its icon is really shown (IconShown): without a notification area the application is
// not hidden, and when the notification area goes away a hidden application comes back.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/VclTypes.h"
#include "platform/win/Windows.h"
#include "skin/controls/Forward.h"

#include <functional>

namespace vd {

class TskSkinForm;

using TskCycleEvent = std::function<void(TObject* Sender, int NextIndex)>;

class TskTrayIcon : public TComponent {
public:
    explicit TskTrayIcon(TComponent* AOwner);
    ~TskTrayIcon() override;

    static constexpr UINT CallbackMessage = 0x800;
    static constexpr UINT BalloonClickMessage = 0x405;

    bool Enabled = true;
    TIcon& Icon() { return FIcon; }
    void SetIcon(const TIcon& Value);
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool Value);
    // The icon is in a notification area now: the add succeeded and no notification area went
    // away since.
    bool IconShown() const { return FIconShown; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TskSkinPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TskSkinPopupMenu* Value);
    bool PopupByLeftButton = false;
    bool MinimizedOnStart = false;
    bool MinimizeToTrayFlag() const { return FMinimizeToTray; }
    void SetMinimizeToTray(bool Value) { FMinimizeToTray = Value; }
    TCustomImageList* IconList() const { return FIconList; }
    void SetIconList(TCustomImageList* Value);
    int IconIndex() const { return FIconIndex; }
    void SetIconIndex(int Value);
    bool CycleIcons() const { return FCycleIcons; }
    void SetCycleIcons(bool Value);
    unsigned AnimateTimerInterval() const { return FAnimateTimerInterval; }
    void SetAnimateTimerInterval(unsigned Value);
    bool DesignPreview() const { return FDesignPreview; }
    void SetDesignPreview(bool Value);

    TNotifyEvent OnBalloonHintClick, OnClick, OnDblClick;
    TskCycleEvent OnCycle;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    // The notification area went away while the application was hidden in it: it was shown again.
    TNotifyEvent OnTrayLost;

    virtual bool UseAppIcon() { return true; }
    virtual void ShowIcon();
    virtual void HideIcon();
    virtual void ModifyIcon();

    void ShowMainForm();
    // The owner window is being shown by the program: the application window comes back with it
    // (else its forms would stay withdrawn).
    void OwnerShown();
    void HideMainForm();
    void PopupAtCursor();
    // Watches the owner form through its frame's message hooks (see OwnerMessage); the frame
    // calls it when it takes the icon, the icon itself when it is made and loaded.
    void HookOwner();
    // The hidden window that receives the tray's messages.
    HWND Handle() const { return FHandle; }

    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    void GetProperties(TPropList& out) const override;

protected:
    virtual void Click();
    virtual void DblClick();
    virtual void Cycle(int NextIndex);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MinimizeToTray();
    void Loaded() override;

private:
    static const TPropertyTable<TskTrayIcon>& Properties();
    LRESULT HiddenWndProc(UINT Msg, WPARAM wParam, LPARAM lParam);
    void TrayNotify(LPARAM mouse);
    void AppMessage(TMessage& Message);
    // The owner form's messages: its activation gives the focus back to the active control, and
    // a show by the program brings the application back from the tray.
    void OwnerMessage(TMessage& Message);
    bool FillData(struct NOTIFYICONDATA& data) const;
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }
    void ClickTimerTick();
    void AnimateTimerTick();
    void TrayLost();
    void HookWindows();
    void UnhookWindows();
    TShiftState ShiftState() const;

    TIcon FIcon;
    bool FIconVisible = true;
    bool FIconShown = false;
    String FHint;
    bool FShowHint = true;
    TComponentLink<TskSkinPopupMenu> FPopupMenu{this};
    bool FMinimizeToTray = true;
    bool FClickStart = false, FClickReady = false, FIsDblClick = false;
    TTimer* FAnimateTimer = nullptr;
    TTimer* FClickTimer = nullptr;
    int FIconIndex = 0;
    bool FDesignPreview = false;
    bool FSettingPreview = false;
    bool FSettingMDIForm = true;
    TComponentLink<TCustomImageList> FIconList{this};
    bool FCycleIcons = false;
    unsigned FAnimateTimerInterval = 1000;
    HWND FHandle = nullptr;
    HWND FAppWindow = nullptr;
    WNDPROC FSavedAppProc;
    // The frame of the owner form whose messages this icon watches.
    TComponentLink<TskSkinForm> FOwnerFrame{this};
    bool FFixingFocus = false;
    // The application was hidden in the tray by this icon.
    bool FHidApplication = false;
};

} // namespace vd
