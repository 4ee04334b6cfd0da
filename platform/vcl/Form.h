#pragma once
// TCustomForm / TForm: a top-level window owned by the application window, with activation,
// the focused control, the close protocol, modal showing and deferred release.
#include "platform/vcl/Forward.h"
#include "platform/vcl/WinControl.h"

#include <functional>

namespace vd {

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderIcons = unsigned;
inline constexpr TBorderIcons biSystemMenu = 1;
inline constexpr TBorderIcons biMinimize = 2;
inline constexpr TBorderIcons biMaximize = 4;
inline constexpr TBorderIcons biHelp = 8;
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPosition {
    poDesigned,
    poDefault,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

// Runs once in every modal loop, after the form is shown and what was pending is handled, with
// the modal form: tests act on a dialog that is up (press, type, close) through it.
using TModalLoopHook = std::function<void(TCustomForm& Form)>;
// Returns the hook it replaces; an empty hook removes it.
TModalLoopHook SetModalLoopHook(TModalLoopHook Hook);

// Sets a hook for its lifetime and puts the previous one back.
class TModalLoopHookScope {
public:
    explicit TModalLoopHookScope(TModalLoopHook Hook) : FPrevious(SetModalLoopHook(std::move(Hook))) {}
    ~TModalLoopHookScope() { SetModalLoopHook(std::move(FPrevious)); }
    TModalLoopHookScope(const TModalLoopHookScope&) = delete;
    TModalLoopHookScope& operator=(const TModalLoopHookScope&) = delete;

private:
    TModalLoopHook FPrevious;
};

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle v);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons v);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition v) { FPosition = v; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool v) { FKeyPreview = v; }
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool v) { FAutoScroll = v; }
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* v);
    // The item under which a multiple-document form lists its children.
    TMenuItem* WindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* v);
    TIcon* Icon() const { return FIcon; }

    bool Active() const { return FActive; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    // Called by a control's WM_SETFOCUS: records it, runs CM_EXIT/CM_ENTER and broadcasts
    // CM_FOCUSCHANGED. Returns false when the focus moved again meanwhile.
    bool SetFocusedControl(TWinControl* control);
    void DefocusControl(TWinControl* control, bool removing);

    void Show();
    void Hide() { SetVisible(false); }
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    bool IsModal() const { return FModal; }
    void Close();
    virtual bool CloseQuery();
    void Release(); // frees the form once the message being handled has unwound
    bool IsShortCut(TMessage& Message);
    TWindowState WindowState() const;

    // Multiple-document forms. The main form (fsMDIForm) owns the client window; children
    // (fsMDIChild) are child windows of it. MDIChildren(0) is the active child, then z-order.
    HWND ClientHandle() const { return FClientHandle; }
    TRect GetMDIClientArea() const; // client rect minus the top/bottom/left/right aligned controls
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int index) const;
    TCustomForm* ActiveMDIChild() const;
    HWND ActiveMDIChildHandle() const { return FActiveMDIChild; }
    void SetActiveMDIChildHandle(HWND h); // the client window's bookkeeping only
    void Next();
    void Previous();
    void Cascade();
    void Tile();
    void ArrangeIcons();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

    void Dispatch(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    void GetProperties(TPropList& out) const override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Destroying() override;
    void PaintWindow(std::uintptr_t DC) override;
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    void SetActive(bool value);
    void SetWindowFocus();
    void ApplyPosition();
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void DestroyWnd() override;
    void CreateMDIClient();
    void MDIChildLeaving();
    void MDIActivated(bool on);
    std::vector<HWND> MDIChildWindows() const;

    TFormStyle FFormStyle = fsNormal;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TPosition FPosition = poDesigned;
    bool FKeyPreview = false;
    bool FAutoScroll = false;
    TComponentLink<TMainMenu> FMenu{this};
    TComponentLink<TMenuItem> FWindowMenu{this};
    TIcon* FIcon = nullptr;
    bool FActive = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TModalResult FModalResult = mrNone;
    bool FModal = false;
    bool FShown = false;
    HWND FClientHandle = nullptr;
    HWND FActiveMDIChild = nullptr; // the client window's active child
    friend class TApplication;
    friend LRESULT MDIClientProc(HWND, UINT, WPARAM, LPARAM);
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

} // namespace vd
