#pragma once
// Watching one folder for changes: a worker thread waits on inotify and the notifier calls its
// OnChange on the user-interface thread. Changes that come within 100 ms of each other arrive as
// one. With WatchSubTree every folder below is watched too (links are not followed; folders made
// later join as they appear), up to kMaxSubTreeWatches folders, so that a huge tree cannot take
// the user's whole inotify allowance. A folder that cannot be watched ends the worker quietly;
// one that is removed while watched is reported once, and then no longer watched.
#include "platform/rtl/Thread.h"
#include "platform/vcl/Component.h"
#include "platform/win/WinTypes.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <unordered_map>

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

inline constexpr DWord FILE_NOTIFY_CHANGE_FILE_NAME = 0x1;
inline constexpr DWord FILE_NOTIFY_CHANGE_DIR_NAME = 0x2;
inline constexpr DWord FILE_NOTIFY_CHANGE_ATTRIBUTES = 0x4;
inline constexpr DWord FILE_NOTIFY_CHANGE_SIZE = 0x8;
inline constexpr DWord FILE_NOTIFY_CHANGE_LAST_WRITE = 0x10;
inline constexpr DWord FILE_NOTIFY_CHANGE_SECURITY = 0x100;

// The worker. The watch is armed by SetWatch on the caller's thread, so that it is in place when
// the call returns; the worker waits for the folder's events and posts each change to Target
// with the generation the watch was armed with. It never calls into the user-interface thread.
inline constexpr int kMaxSubTreeWatches = 4096;

class TskShellChangeThread : public TThread {
public:
    TskShellChangeThread(HWND Target, UINT Message);
    ~TskShellChangeThread() override;

    // Watches Directory in place of the folder before; false when it cannot be watched (the
    // worker then ends).
    bool SetWatch(const String& Directory, bool WatchSubTree, DWord Flags, unsigned Generation);
    // Ends the wait; with Terminate the worker then ends.
    void Wake();
    // Workers running now, in the whole process.
    static int LiveCount() { return FLive.load(); }
    // Folders watched now (the root and, with the sub-tree, those below).
    int WatchCount();

protected:
    void Execute() override;

private:
    struct Outcome {
        bool Relevant = false;
        bool Gone = false;
    };
    // Under FLock.
    void ClearWatches();
    void AddTree(const String& Directory);
    void RemoveTree(const String& Directory);
    Outcome TakeEvents(const char* Buffer, long Length);

    const HWND FTarget;
    const UINT FMessage;
    int FInotify = -1;
    int FWakeFd = -1;
    std::mutex FLock; // guards the members below
    String FDirectory;
    bool FWatchSubTree = false;
    DWord FFlags = 0;
    unsigned FGeneration = 0;
    int FWatch = -1;
    bool FWatchChanged = false;
    std::unordered_map<int, String> FSubWatches; // watch -> folder, below the root
    static std::atomic<int> FLive;
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
    HWND FWindow = nullptr; // where the worker posts; gone with the notifier
    unsigned FGeneration = 0;
};

class TskShellChangeNotifier : public TskCustomShellChangeNotifier {
public:
    explicit TskShellChangeNotifier(TComponent* AOwner) : TskCustomShellChangeNotifier(AOwner) {}
};

} // namespace vd
