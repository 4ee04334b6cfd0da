#pragma once
// TApplication: the hidden application window that owns every form, the message loop with its
// OnMessage and key preprocessing, minimize/restore, hints and deferred frees.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/VclTypes.h"
#include "platform/win/Windows.h"

#include <exception>
#include <vector>

namespace vd {

using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    HWND Handle(); // the application window, created on first use
    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* form) { FMainForm = form; }
    // Creates a form owned by the application; the first one becomes the main form.
    template <class T> T* CreateForm() {
        T* form = new T(this);
        if (!FMainForm) FMainForm = form;
        return form;
    }
    void Initialize() {} // nothing to prepare: kept for the program's start sequence
    // The program's icon: the task bar's and every form's that has none of its own.
    TIcon& Icon() { return FIcon; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& v);
    bool ShowMainForm = true;

    void Run();                    // shows the main form and loops until Terminate
    void HandleMessage();          // one message, or waits for one (idle processing first)
    void ProcessMessages();        // everything waiting now; re-entrant
    bool ProcessMessage(MSG& Msg); // false when there was none
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ResetTerminated() { FTerminated = false; } // a loop that may run again (tests)
    void Minimize();
    void Restore();
    void BringToFront();
    void HandleException(const std::exception& E);
    void ModalStarted() { ++FModalLevel; }
    void ModalFinished() { --FModalLevel; }
    void Idle(); // mouse enter/leave, hints, deferred frees, OnIdle
    // The end of the desktop session arrives as SIGTERM or SIGHUP: the loop turns it into
    // WM_QUERYENDSESSION to the main form, then WM_ENDSESSION and the end of the loop.
    void HandleSessionEndSignals();
    static void RequestSessionEnd(); // async-signal-safe
    bool CheckSessionEnd();          // true when a request was handled

    TMessageEvent OnMessage;
    // Hooks that see every message before OnMessage, newest first; one per owner (adding
    // again replaces it). A hook that sets Handled ends the walk. Owners remove theirs when
    // they close and in their destructors; a hook may add or remove hooks while it runs.
    void AddMessageHook(const void* Owner, TMessageEvent Hook);
    void RemoveMessageHook(const void* Owner);
    bool HasMessageHook(const void* Owner) const;
    TIdleEvent OnIdle;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TExceptionEvent OnException;

    // Hints.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    int HintPause = 500;
    int HintHidePause = 2500;
    int HintShortPause = 50;

    // The hint window class (replaceable); toggling ShowHint makes the window again.
    std::function<THintWindow*(TComponent* owner)> HintWindowClass;
    using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, TControl* HintControl)>;
    TShowHintEvent OnShowHint;
    THintWindow* HintWindow() const { return FHintWindow; }
    void ActivateHint(TPoint cursorPos);
    void HideHint();

    // The control under the pointer, for enter/leave.
    TControl* MouseControl() const { return FMouseControl; }
    void CancelHint();
    void UpdateMouseControl(TPoint screen);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    struct TMessageHook {
        const void* Owner;
        unsigned Serial; // tells a replaced hook from the one that was snapshotted
        TMessageEvent Hook;
    };
    bool IsKeyMsg(MSG& Msg);
    bool RunMessageHooks(MSG& Msg);
    void WndProc(TMessage& Message);

    HWND FHandle = nullptr;
    TCustomForm* FMainForm = nullptr;
    String FTitle;
    TIcon FIcon;
    bool FTerminated = false;
    bool FShowHint = true;
    int FModalLevel = 0;
    TComponentLink<TControl> FMouseControl{this};
    WNDPROC FProc;
    TComponentLink<THintWindow> FHintWindow{this};
    std::vector<TMessageHook> FMessageHooks; // oldest first
    unsigned FHookSerial = 0;
    std::uintptr_t FHintTimer = 0;
    TComponentLink<TControl> FHintControl{this};
    void StartHintTimer(unsigned ms, bool show);
};

extern TApplication* Application;

// The deepest control at a screen point, windowless and disabled ones included.
TControl* FindDragTarget(TPoint screen, bool allowDisabled);
// The control with this window (not its ancestors), or null.
TWinControl* FindVCLWindow(TPoint screen);

} // namespace vd
