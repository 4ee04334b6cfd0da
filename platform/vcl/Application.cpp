#include "platform/vcl/Application.h"

#include "platform/vcl/Form.h"
#include "platform/vcl/HintWindow.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/WinControl.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>

namespace vd {

TApplication* Application = new TApplication(nullptr); // lives for the program

namespace {
int gDispatchDepth = 0;
std::atomic<bool> gSessionEnd{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnSessionSignal(int) {
    TApplication::RequestSessionEnd();
    // The signal may land on a worker thread while the GUI thread waits for input.
    WakeFromSignal();
}
} // namespace

void TApplication::RequestSessionEnd() {
    gSessionEnd.store(true);
}

void TApplication::HandleSessionEndSignals() {
    struct sigaction sa {};
    sa.sa_handler = OnSessionSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
}

bool TApplication::CheckSessionEnd() {
    if (!gSessionEnd.exchange(false)) return false;
    HWND target = FMainForm && FMainForm->HandleAllocated() ? FMainForm->WindowHandle() : Handle();
    const bool ok = SendMessage(target, WM_QUERYENDSESSION, 0, 0) != 0;
    if (IsWindow(target)) SendMessage(target, WM_ENDSESSION, ok ? 1 : 0, 0);
    if (ok) Terminate();
    return true;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() {
    if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
}

HWND TApplication::Handle() {
    if (FHandle && IsWindow(FHandle)) return FHandle;
    WNDCLASS wc;
    if (!GetClassInfo("TApplication", wc)) {
        wc.lpszClassName = "TApplication";
        wc.lpfnWndProc = MakeWndProc([](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (!Application || Application->FHandle != h) return DefWindowProc(h, m, w, l);
            TMessage msg{m, w, l, 0};
            Application->WndProc(msg);
            return msg.Result;
        });
        RegisterClass(wc);
    }
    FHandle = CreateWindowEx(0, "TApplication", FTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                             0, 0, 0, 0, nullptr);
    // Shown with no size, as the platform the program assumes does: hiding it later (the tray's
    // minimize) withdraws the forms it owns, showing it maps them again.
    if (FHandle) ShowWindow(FHandle, SW_SHOWNA);
    return FHandle;
}

void TApplication::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SYSCOMMAND:
        switch (Message.WParam & 0xFFF0) {
        case SC_MINIMIZE:
            Minimize();
            return;
        case SC_RESTORE:
            Restore();
            return;
        default:
            break;
        }
        break;
    case WM_CLOSE:
        if (FMainForm) FMainForm->Close();
        return;
    case WM_QUERYENDSESSION:
        Message.Result = 1;
        return;
    default:
        break;
    }
    Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TApplication::SetTitle(const String& v) {
    FTitle = v;
    if (FHandle) SetWindowText(FHandle, v);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // Not followed: a form takes itself out of MainForm as it goes (TCustomForm::Destroying).
    if (AComponent == FMainForm) FMainForm = nullptr;
    if (AComponent == FHintControl) CancelHint();
}

// A key goes first to the focused control as CN_KEYDOWN/CN_CHAR: shortcuts and dialog keys
// handled there are neither translated nor dispatched.
bool TApplication::IsKeyMsg(MSG& Msg) {
    if (Msg.message < WM_KEYDOWN || Msg.message > WM_SYSCHAR) return false;
    TWinControl* control = FindControl(Msg.hwnd);
    if (!control) return false;
    return control->Perform(CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::ProcessMessage(MSG& Msg) {
    CheckSessionEnd();
    if (!PeekMessage(Msg, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    const bool mouse = (Msg.message >= WM_MOUSEMOVE && Msg.message <= WM_MBUTTONDBLCLK) ||
                       (Msg.message >= WM_NCMOUSEMOVE && Msg.message <= WM_NCMBUTTONDBLCLK);
    if (mouse) UpdateMouseControl(Msg.pt);
    if (Msg.message == WM_LBUTTONDOWN || Msg.message == WM_RBUTTONDOWN || Msg.message == WM_KEYDOWN ||
        Msg.message == WM_NCLBUTTONDOWN)
        CancelHint();
    bool handled = RunMessageHooks(Msg);
    if (!handled && OnMessage) OnMessage(Msg, handled);
    if (!handled && !IsKeyMsg(Msg)) {
        TranslateMessage(Msg);
        ++gDispatchDepth;
        try {
            DispatchMessage(Msg);
        } catch (const std::exception& e) {
            HandleException(e);
        }
        --gDispatchDepth;
    }
    if (gDispatchDepth == 0) ProcessDeferredFrees();
    return true;
}

void TApplication::AddMessageHook(const void* Owner, TMessageEvent Hook) {
    RemoveMessageHook(Owner);
    if (Hook) FMessageHooks.push_back({Owner, ++FHookSerial, std::move(Hook)});
}

void TApplication::RemoveMessageHook(const void* Owner) {
    std::erase_if(FMessageHooks, [Owner](const TMessageHook& h) { return h.Owner == Owner; });
}

bool TApplication::HasMessageHook(const void* Owner) const {
    return std::any_of(FMessageHooks.begin(), FMessageHooks.end(),
                       [Owner](const TMessageHook& h) { return h.Owner == Owner; });
}

// Walks a snapshot of the serials: a hook removed or replaced by an earlier one in the same
// walk is skipped, and one added meanwhile waits for the next message.
bool TApplication::RunMessageHooks(MSG& Msg) {
    if (FMessageHooks.empty()) return false;
    std::vector<unsigned> serials;
    serials.reserve(FMessageHooks.size());
    for (auto it = FMessageHooks.rbegin(); it != FMessageHooks.rend(); ++it)
        serials.push_back(it->Serial);
    bool handled = false;
    for (unsigned serial : serials) {
        auto it = std::find_if(FMessageHooks.begin(), FMessageHooks.end(),
                               [serial](const TMessageHook& h) { return h.Serial == serial; });
        if (it == FMessageHooks.end()) continue;
        TMessageEvent hook = it->Hook; // the hook may remove itself while it runs
        hook(Msg, handled);
        if (handled) break;
    }
    return handled;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::Idle() {
    TPoint p;
    GetCursorPos(p);
    UpdateMouseControl(p);
    if (gDispatchDepth == 0) ProcessDeferredFrees();
    bool done = true;
    if (OnIdle) OnIdle(this, done);
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) {
        Idle();
        WaitMessage();
    }
}

void TApplication::Run() {
    if (FMainForm && ShowMainForm) FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::Minimize() {
    HWND h = Handle();
    if (IsIconic(h)) return;
    SetActiveWindow(h);
    ShowWindow(h, SW_MINIMIZE);
    if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
    HWND h = Handle();
    if (!IsIconic(h)) return;
    ShowWindow(h, SW_RESTORE);
    if (FMainForm && FMainForm->HandleAllocated() && IsWindowVisible(FMainForm->WindowHandle()))
        SetActiveWindow(FMainForm->WindowHandle());
    if (Screen && Screen->ActiveControl() && Screen->ActiveControl()->HandleAllocated())
        ::vd::SetFocus(Screen->ActiveControl()->WindowHandle());
    if (OnRestore) OnRestore(this);
}

void TApplication::BringToFront() {
    if (FMainForm && FMainForm->HandleAllocated()) SetForegroundWindow(FMainForm->WindowHandle());
}

void TApplication::HandleException(const std::exception& E) {
    if (OnException) {
        OnException(this, E);
        return;
    }
    std::fprintf(stderr, "%s\n", E.what());
}

TWinControl* FindVCLWindow(TPoint screen) {
    return FindControl(WindowFromPoint(screen));
}

TControl* FindDragTarget(TPoint screen, bool allowDisabled) {
    TWinControl* w = FindVCLWindow(screen);
    if (!w) return nullptr;
    TControl* c = w->ControlAtPos(w->ScreenToClient(screen), allowDisabled);
    return c ? c : w;
}

// Enter and leave go to the deepest control under the pointer; while a control holds the
// mouse, only that one hears of it.
void TApplication::UpdateMouseControl(TPoint screen) {
    TControl* next = FindDragTarget(screen, true);
    if (TControl* cap = GetCaptureControl()) {
        next = next == cap ? cap : nullptr;
        if (FMouseControl != cap) FMouseControl = nullptr;
    }
    if (next == FMouseControl) return;
    TControl* old = FMouseControl;
    // A new control under the pointer: its hint comes after the pause.
    CancelHint();
    if (next && FShowHint && next->ShowHint() && !next->Hint().empty()) {
        FHintControl = next;
        StartHintTimer(static_cast<unsigned>(HintPause), true);
    }
    FMouseControl = next;
    if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
    if (FMouseControl == next && next) next->Perform(CM_MOUSEENTER, 0, 0);
}

} // namespace vd

namespace vd {

void TApplication::SetShowHint(bool v) {
    if (v == FShowHint) return;
    FShowHint = v;
    CancelHint();
    if (FHintWindow) {
        FHintWindow->Free();
        FHintWindow = nullptr;
    }
}

void TApplication::StartHintTimer(unsigned ms, bool show) {
    if (FHintTimer) KillTimer(nullptr, FHintTimer);
    FHintTimer = SetTimer(nullptr, 0, ms, [this, show](HWND, UINT, std::uintptr_t, DWord) {
        KillTimer(nullptr, FHintTimer);
        FHintTimer = 0;
        if (show) {
            TPoint p;
            GetCursorPos(p);
            ActivateHint(p);
        } else {
            HideHint();
        }
    });
}

void TApplication::ActivateHint(TPoint cursorPos) {
    if (!FHintControl || !FShowHint) return;
    String text = FHintControl->Hint();
    bool canShow = true;
    if (OnShowHint) OnShowHint(text, canShow, FHintControl);
    if (!canShow || text.empty()) return;
    if (!FHintWindow) {
        FHintWindow = HintWindowClass ? HintWindowClass(this) : new THintWindow(this);
    }
    TRect r = FHintWindow->CalcHintRect(Screen ? Screen->Width() : 300, text);
    const int below = cursorPos.Y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
    FHintWindow->ActivateHint(Bounds(cursorPos.X, below, r.Width(), r.Height()), text);
    StartHintTimer(static_cast<unsigned>(HintHidePause), false);
}

void TApplication::HideHint() {
    if (FHintWindow) FHintWindow->ReleaseHandle();
}

void TApplication::CancelHint() {
    if (FHintTimer) KillTimer(nullptr, FHintTimer);
    FHintTimer = 0;
    FHintControl = nullptr;
    HideHint();
}

} // namespace vd
