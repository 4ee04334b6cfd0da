#include "skin/extra/shell/SkinShellNotifier.h"

#include "platform/shell/MessageWindow.h"
#include "platform/win/Windows.h"

#include <memory>

namespace vd {
namespace {

// Our own message from the worker to the notifier's window: wParam the generation.
constexpr UINT kShellChanged = WM_USER + 0x1C1;

} // namespace

DWord ShellNotifyFilterBits(TNotifyFilters Filters) {
    DWord bits = Filters & 0x1F;
    if (Filters & (1u << nfSecurityChange)) bits |= FILE_NOTIFY_CHANGE_SECURITY;
    return bits;
}

TskShellChangeThread::TskShellChangeThread(HWND Target, UINT Message)
    : TFolderWatch([Target, Message](unsigned Generation) { PostMessage(Target, Message, Generation, 0); }) {}

// The notifier.

TskCustomShellChangeNotifier::TskCustomShellChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}

TskCustomShellChangeNotifier::~TskCustomShellChangeNotifier() {
    StopWatch();
    if (FWindow) DestroyWindow(FWindow); // changes still queued for it are dropped
    FWindow = nullptr;
}

bool TskCustomShellChangeNotifier::Watching() const {
    return FThread && !FThread->Finished();
}

int TskCustomShellChangeNotifier::WatchedFolders() const {
    return Watching() ? FThread->WatchCount() : 0;
}

void TskCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters Value) {
    FNotifyFilters = Value;
    ApplyWatch();
}

void TskCustomShellChangeNotifier::SetWatchSubTree(bool Value) {
    FWatchSubTree = Value;
    ApplyWatch();
}

void TskCustomShellChangeNotifier::SetRoot(const String& Value) {
    if (Value == FRoot) return;
    FRoot = Value;
    ApplyWatch();
}

void TskCustomShellChangeNotifier::SetOnChange(TThreadMethod Value) {
    FOnChange = std::move(Value);
    if (!Watching()) StartWatch(); // a running worker delivers to the new event as it is
}

void TskCustomShellChangeNotifier::StartWatch() {
    if (!FOnChange) return;
    StopWatch();
    if (!FWindow)
        FWindow = CreateMessageWindow([this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
            return WindowMessage(wnd, msg, wParam, lParam);
        });
    ++FGeneration;
    FThread = std::make_unique<TskShellChangeThread>(FWindow, kShellChanged);
    // Armed before the worker starts: a change right after this call is seen. A folder that
    // cannot be watched leaves a worker that ends at once.
    FArmed = FThread->SetWatch(FRoot, FWatchSubTree, ShellNotifyFilterBits(FNotifyFilters), FGeneration);
    FThread->Start();
}

// The new values go to the running worker; a worker that ended on its own is replaced.
void TskCustomShellChangeNotifier::ApplyWatch() {
    if (!FThread) return;
    if (!Watching() || !FArmed) {
        StartWatch();
        return;
    }
    ++FGeneration;
    FArmed = FThread->SetWatch(FRoot, FWatchSubTree, ShellNotifyFilterBits(FNotifyFilters), FGeneration);
}

void TskCustomShellChangeNotifier::StopWatch() {
    if (FThread) FThread->Stop(); // before its destructor starts
    FThread.reset();
    ++FGeneration; // whatever it posted is stale now
}

LRESULT TskCustomShellChangeNotifier::WindowMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg != kShellChanged) return DefWindowProc(Wnd, Msg, WParam, LParam);
    if (WParam == FGeneration && FOnChange) {
        const TThreadMethod event = FOnChange; // the handler may replace itself
        event();
    }
    return 0;
}

} // namespace vd
