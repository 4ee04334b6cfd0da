#include "skin/extra/shell/SkinShellNotifier.h"

#include "platform/shell/MessageWindow.h"
#include "platform/win/Windows.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <dirent.h>
#include <memory>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace vd {
namespace {

// Our own message from the worker to the notifier's window: wParam the generation.
constexpr UINT kShellChanged = WM_USER + 0x1C1;
// Changes within this time arrive as one.
constexpr auto kCoalesce = std::chrono::milliseconds(100);

// A sub-tree watch also follows folders made and moved, to watch them too.
std::uint32_t InotifyMask(DWord flags, bool subTree) {
    std::uint32_t m = IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    if (subTree || (flags & (FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME)))
        m |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
    if (flags & (FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY)) m |= IN_ATTRIB;
    if (flags & FILE_NOTIFY_CHANGE_SIZE) m |= IN_MODIFY;
    if (flags & FILE_NOTIFY_CHANGE_LAST_WRITE) m |= IN_MODIFY | IN_CLOSE_WRITE;
    return m;
}

// Whether an event of the watched folder is one the flags ask for.
bool Wanted(std::uint32_t mask, DWord flags) {
    if (mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO))
        return (flags & ((mask & IN_ISDIR) ? FILE_NOTIFY_CHANGE_DIR_NAME : FILE_NOTIFY_CHANGE_FILE_NAME)) !=
               0;
    if ((mask & IN_ATTRIB) && (flags & (FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY)))
        return true;
    if ((mask & IN_MODIFY) && (flags & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE)))
        return true;
    if ((mask & IN_CLOSE_WRITE) && (flags & FILE_NOTIFY_CHANGE_LAST_WRITE)) return true;
    return false;
}

} // namespace

DWord ShellNotifyFilterBits(TNotifyFilters Filters) {
    DWord bits = Filters & 0x1F;
    if (Filters & (1u << nfSecurityChange)) bits |= FILE_NOTIFY_CHANGE_SECURITY;
    return bits;
}

// The worker.

std::atomic<int> TskShellChangeThread::FLive{0};

TskShellChangeThread::TskShellChangeThread(HWND Target, UINT Message)
    : TThread(true), FTarget(Target), FMessage(Message), FInotify(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK)),
      FWakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

TskShellChangeThread::~TskShellChangeThread() {
    Terminate();
    Wake();
    WaitFor();
    if (FWakeFd >= 0) ::close(FWakeFd);
    if (FInotify >= 0) ::close(FInotify);
}

bool TskShellChangeThread::SetWatch(const String& Directory, bool WatchSubTree, DWord Flags,
                                    unsigned Generation) {
    bool ok;
    {
        std::lock_guard<std::mutex> lock(FLock);
        ClearWatches();
        FDirectory = Directory;
        FWatchSubTree = WatchSubTree;
        FFlags = Flags;
        FGeneration = Generation;
        FWatch = FInotify >= 0 && !Directory.empty()
                     ? ::inotify_add_watch(FInotify, Directory.c_str(), InotifyMask(Flags, WatchSubTree))
                     : -1;
        if (FWatch >= 0 && WatchSubTree) AddTree(Directory);
        FWatchChanged = true;
        ok = FWatch >= 0;
    }
    Wake();
    return ok;
}

int TskShellChangeThread::WatchCount() {
    std::lock_guard<std::mutex> lock(FLock);
    return (FWatch >= 0 ? 1 : 0) + static_cast<int>(FSubWatches.size());
}

void TskShellChangeThread::ClearWatches() {
    if (FInotify >= 0) {
        if (FWatch >= 0) ::inotify_rm_watch(FInotify, FWatch);
        for (const auto& [wd, path] : FSubWatches)
            ::inotify_rm_watch(FInotify, wd);
    }
    FWatch = -1;
    FSubWatches.clear();
}

// Watches the folders below Directory (itself already watched), depth first.
void TskShellChangeThread::AddTree(const String& Directory) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(Directory.c_str()), &::closedir);
    if (!dir) return;
    while (const dirent* e = ::readdir(dir.get())) {
        const String name = e->d_name;
        if (name == "." || name == "..") continue;
        if (e->d_type != DT_DIR && e->d_type != DT_UNKNOWN) continue;
        if (static_cast<int>(FSubWatches.size()) + 1 >= kMaxSubTreeWatches) return;
        const String path = Directory == "/" ? "/" + name : Directory + "/" + name;
        // IN_ONLYDIR with IN_DONT_FOLLOW: a file or a link to a folder is refused here.
        const int wd =
            ::inotify_add_watch(FInotify, path.c_str(), InotifyMask(FFlags, true) | IN_DONT_FOLLOW);
        if (wd < 0 || wd == FWatch || FSubWatches.count(wd)) continue; // no folder, or one seen already
        FSubWatches[wd] = path;
        AddTree(path);
    }
}

// A folder moved out of the tree or removed: it and everything below it are no longer ours.
void TskShellChangeThread::RemoveTree(const String& Directory) {
    const String below = Directory + "/";
    for (auto it = FSubWatches.begin(); it != FSubWatches.end();) {
        if (it->second == Directory || it->second.compare(0, below.size(), below) == 0) {
            ::inotify_rm_watch(FInotify, it->first);
            it = FSubWatches.erase(it);
        } else {
            ++it;
        }
    }
}

TskShellChangeThread::Outcome TskShellChangeThread::TakeEvents(const char* Buffer, long Length) {
    Outcome out;
    for (long off = 0; off < Length;) {
        const auto* ev = reinterpret_cast<const inotify_event*>(Buffer + off);
        off += static_cast<long>(sizeof(inotify_event) + ev->len);
        if (ev->mask & IN_Q_OVERFLOW) {
            out.Relevant = true; // lost events: count as a change
            continue;
        }
        const bool root = ev->wd == FWatch;
        const auto sub = FSubWatches.find(ev->wd);
        if (!root && sub == FSubWatches.end()) continue; // a folder watched before
        if (ev->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) {
            if (root)
                out.Gone = true;
            else if (ev->mask & IN_IGNORED)
                FSubWatches.erase(sub); // its parent reports the removal itself
            continue;
        }
        if (FWatchSubTree && (ev->mask & IN_ISDIR) && ev->len > 0) {
            const String& parent = root ? FDirectory : sub->second;
            const String path = (parent == "/" ? String() : parent) + "/" + ev->name;
            if (ev->mask & (IN_CREATE | IN_MOVED_TO)) {
                const int wd = static_cast<int>(FSubWatches.size()) + 1 < kMaxSubTreeWatches
                                   ? ::inotify_add_watch(FInotify, path.c_str(),
                                                         InotifyMask(FFlags, true) | IN_DONT_FOLLOW)
                                   : -1;
                if (wd >= 0 && wd != FWatch) {
                    FSubWatches[wd] = path;
                    AddTree(path); // what was made inside before the watch was in place
                }
            } else if (ev->mask & IN_MOVED_FROM) {
                RemoveTree(path);
            }
        }
        if (Wanted(ev->mask, FFlags)) out.Relevant = true;
    }
    return out;
}

void TskShellChangeThread::Wake() {
    if (FWakeFd < 0) return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(FWakeFd, &one, sizeof one);
}

void TskShellChangeThread::Execute() {
    ++FLive;
    struct Leave {
        ~Leave() { --FLive; }
    } leave;
    if (FInotify < 0 || FWakeFd < 0) return;
    using Clock = std::chrono::steady_clock;
    bool pending = false;
    Clock::time_point due{};
    int watch = -1;
    unsigned generation = 0;
    auto current = [&] {
        std::lock_guard<std::mutex> lock(FLock);
        if (FWatchChanged) pending = false; // a change of the old folder is not one of the new
        FWatchChanged = false;
        watch = FWatch;
        generation = FGeneration;
    };
    current();
    alignas(inotify_event) char buf[16 * 1024];
    while (!Terminated() && watch >= 0) {
        int timeout = -1;
        if (pending)
            timeout = static_cast<int>(std::max<long long>(
                0, std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now()).count() + 1));
        pollfd p[2] = {{FInotify, POLLIN, 0}, {FWakeFd, POLLIN, 0}};
        const int r = ::poll(p, 2, timeout);
        if (r < 0 && errno != EINTR) return;
        if (Terminated()) return;
        if (r > 0 && (p[1].revents & POLLIN)) {
            std::uint64_t count;
            [[maybe_unused]] const ssize_t n = ::read(FWakeFd, &count, sizeof count);
        }
        current();
        if (watch < 0) return; // the new folder cannot be watched
        bool gone = false, relevant = false;
        if (r > 0 && (p[0].revents & POLLIN)) {
            for (;;) {
                const ssize_t len = ::read(FInotify, buf, sizeof buf);
                if (len <= 0) break;
                std::lock_guard<std::mutex> lock(FLock);
                const Outcome o = TakeEvents(buf, static_cast<long>(len));
                gone = gone || o.Gone;
                relevant = relevant || o.Relevant;
            }
        }
        if (gone) {
            PostMessage(FTarget, FMessage, generation, 0);
            return; // reported once, no longer watched
        }
        if (relevant && !pending) {
            pending = true;
            due = Clock::now() + kCoalesce;
        }
        if (pending && Clock::now() >= due) {
            pending = false;
            PostMessage(FTarget, FMessage, generation, 0);
        }
    }
}

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
    FThread->SetWatch(FRoot, FWatchSubTree, ShellNotifyFilterBits(FNotifyFilters), FGeneration);
    FThread->Start();
}

// The new values go to the running worker; a worker that ended on its own is replaced.
void TskCustomShellChangeNotifier::ApplyWatch() {
    if (!FThread) return;
    if (!Watching()) {
        StartWatch();
        return;
    }
    ++FGeneration;
    FThread->SetWatch(FRoot, FWatchSubTree, ShellNotifyFilterBits(FNotifyFilters), FGeneration);
}

void TskCustomShellChangeNotifier::StopWatch() {
    FThread.reset(); // wakes the worker and waits for it
    ++FGeneration;   // whatever it posted is stale now
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
