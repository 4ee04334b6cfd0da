#pragma once
// Watching one folder for changes on a worker thread (inotify). The watch is armed by SetWatch on
// the caller's thread, so that it is in place when the call returns; the worker waits for the
// folder's events, lets changes within 100 ms of each other arrive as one, and hands each to the
// sink with the generation the watch was armed with. With a sub-tree every folder below is
// watched too (links are not followed; folders made or moved in join, those moved out or removed
// leave), up to a limit, so that a huge tree cannot take the user's whole inotify allowance. A
// folder that cannot be watched ends the worker quietly; one that is removed or moved away is
// reported once, and then the worker ends.
#include "platform/rtl/Thread.h"
#include "platform/rtl/Types.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace vd {

// The change-notify flags: which kinds of change a watch reports.
inline constexpr DWord FILE_NOTIFY_CHANGE_FILE_NAME = 0x1;
inline constexpr DWord FILE_NOTIFY_CHANGE_DIR_NAME = 0x2;
inline constexpr DWord FILE_NOTIFY_CHANGE_ATTRIBUTES = 0x4;
inline constexpr DWord FILE_NOTIFY_CHANGE_SIZE = 0x8;
inline constexpr DWord FILE_NOTIFY_CHANGE_LAST_WRITE = 0x10;
inline constexpr DWord FILE_NOTIFY_CHANGE_SECURITY = 0x100;

// Folders one watch may hold: the root and those below it.
inline constexpr int kMaxSubTreeWatches = 4096;

class TFolderWatch : public TThread {
public:
    // Called on the worker thread, never under the watch's lock.
    using TChangeSink = std::function<void(unsigned Generation)>;

    explicit TFolderWatch(TChangeSink Sink, int MaxWatches = kMaxSubTreeWatches);
    ~TFolderWatch() override;

    // Watches Directory in place of the folder before; false when it cannot be watched (the
    // worker then ends).
    bool SetWatch(const String& Directory, bool WatchSubTree, DWord Flags, unsigned Generation);
    // Ends the wait; with Terminate the worker then ends.
    void Wake();
    // Ends the worker and waits for it. The owner calls it before deleting the watch: the worker
    // calls virtual members, which must not run while a destructor is under way.
    void Stop();
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
    bool AddSubWatch(const String& Path);
    void RemoveTree(const String& Directory);
    Outcome TakeEvents(const char* Buffer, long Length);
    void ReadEvents(Outcome& Result);

    const TChangeSink FSink;
    const int FMaxWatches;
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

} // namespace vd
