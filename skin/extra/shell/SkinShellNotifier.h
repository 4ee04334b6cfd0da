#pragma once
// Watching one folder for changes: a worker thread (TFolderWatch) waits for the folder's changes
// and the notifier calls its OnChange on the user-interface thread. Changes that come within
// 100 ms of each other arrive as one. With WatchSubTree every folder below is watched too, up to
// kMaxSubTreeWatches folders. A folder that cannot be watched ends the worker quietly; one that is
// removed while watched is reported once, and then no longer watched.
#include "platform/shell/FolderWatch.h"
#include "platform/vcl/Component.h"
#include "platform/win/WinTypes.h"

#include <memory>

namespace vd {

enum TNotifyFilter {
    nfFileNameChange,
    nfDirNameChange,
    nfAttributeChange,
    nfSizeChange,
    nfWriteChange,
    nfSecurityChange
};
using TNotifyFilters = unsigned; // bits 1 << TNotifyFilter

// The change-notify flags of a filter set: bits 0..4 as they are, bit 5 as 0x100.
DWord ShellNotifyFilterBits(TNotifyFilters Filters);

// The worker: a folder watch that posts each change to Target with the generation the watch was
// armed with. It never calls into the user-interface thread.
class TskShellChangeThread : public TFolderWatch {
public:
    TskShellChangeThread(HWND Target, UINT Message);
};

class TskCustomShellChangeNotifier : public TComponent {
public:
    explicit TskCustomShellChangeNotifier(TComponent* AOwner);
    ~TskCustomShellChangeNotifier() override;

    TNotifyFilters NotifyFilters() const { return FNotifyFilters; }
    void SetNotifyFilters(TNotifyFilters Value);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool Value);
    const String& Root() const { return FRoot; }
    // Paths compare exactly: "/data/A" and "/data/a" are two folders.
    void SetRoot(const String& Value);
    const TThreadMethod& OnChange() const { return FOnChange; }
    // Starts watching when nothing watches yet; a running worker keeps running.
    void SetOnChange(TThreadMethod Value);

    // Whether a worker is watching now.
    bool Watching() const;
    // How many folders it watches (the root, and with WatchSubTree those below).
    int WatchedFolders() const;

    // Form resources: Root, WatchSubTree, NotifyFilters (SkinShellClasses.cpp).
    bool SetProperty(const String& name, const TPropValue& value) override;

protected:
    void StartWatch();
    void ApplyWatch();
    void StopWatch();

private:
    LRESULT WindowMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

    TNotifyFilters FNotifyFilters = (1u << nfFileNameChange) | (1u << nfDirNameChange);
    bool FWatchSubTree = true;
    String FRoot = "/";
    TThreadMethod FOnChange;
    std::unique_ptr<TskShellChangeThread> FThread;
    // The worker's folder could be watched when it was last armed; if not, the worker is ending
    // on its own, and a new folder needs a new worker rather than the old one re-armed.
    bool FArmed = false;
    HWND FWindow = nullptr; // where the worker posts; gone with the notifier
    unsigned FGeneration = 0;
};

class TskShellChangeNotifier : public TskCustomShellChangeNotifier {
public:
    explicit TskShellChangeNotifier(TComponent* AOwner) : TskCustomShellChangeNotifier(AOwner) {}
};

} // namespace vd
