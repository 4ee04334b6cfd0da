#include "platform/shell/FolderWatch.h"

#include <algorithm>
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

String ChildPath(const String& Parent, const char* Name) {
    return (Parent == "/" ? String() : Parent) + "/" + Name;
}

} // namespace

std::atomic<int> TFolderWatch::FLive{0};

TFolderWatch::TFolderWatch(TChangeSink Sink, int MaxWatches)
    : TThread(true), FSink(std::move(Sink)), FMaxWatches(MaxWatches),
      FInotify(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK)), FWakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
}

TFolderWatch::~TFolderWatch() {
    Stop();
    if (FWakeFd >= 0) ::close(FWakeFd);
    if (FInotify >= 0) ::close(FInotify);
}

void TFolderWatch::Stop() {
    Terminate();
    Wake();
    WaitFor();
}

bool TFolderWatch::SetWatch(const String& Directory, bool WatchSubTree, DWord Flags, unsigned Generation) {
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

int TFolderWatch::WatchCount() {
    std::lock_guard<std::mutex> lock(FLock);
    return (FWatch >= 0 ? 1 : 0) + static_cast<int>(FSubWatches.size());
}

void TFolderWatch::ClearWatches() {
    if (FInotify >= 0) {
        if (FWatch >= 0) ::inotify_rm_watch(FInotify, FWatch);
        for (const auto& [wd, path] : FSubWatches)
            ::inotify_rm_watch(FInotify, wd);
    }
    FWatch = -1;
    FSubWatches.clear();
}

// Watches one folder below the root while the limit allows; false for no folder (a file, a link
// to a folder: IN_ONLYDIR with IN_DONT_FOLLOW refuses both), the limit, or one seen already.
bool TFolderWatch::AddSubWatch(const String& Path) {
    if (static_cast<int>(FSubWatches.size()) + 1 >= FMaxWatches) return false;
    const int wd = ::inotify_add_watch(FInotify, Path.c_str(), InotifyMask(FFlags, true) | IN_DONT_FOLLOW);
    if (wd < 0 || wd == FWatch || FSubWatches.count(wd)) return false;
    FSubWatches[wd] = Path;
    return true;
}

// Watches the folders below Directory (itself already watched), depth first.
void TFolderWatch::AddTree(const String& Directory) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(Directory.c_str()), &::closedir);
    if (!dir) return;
    while (const dirent* e = ::readdir(dir.get())) {
        const String name = e->d_name;
        if (name == "." || name == "..") continue;
        if (e->d_type != DT_DIR && e->d_type != DT_UNKNOWN) continue;
        if (static_cast<int>(FSubWatches.size()) + 1 >= FMaxWatches) return;
        const String path = ChildPath(Directory, e->d_name);
        if (AddSubWatch(path)) AddTree(path);
    }
}

// A folder moved out of the tree or removed: it and everything below it are no longer ours.
void TFolderWatch::RemoveTree(const String& Directory) {
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

TFolderWatch::Outcome TFolderWatch::TakeEvents(const char* Buffer, long Length) {
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
            const String path = ChildPath(root ? FDirectory : sub->second, ev->name);
            if (ev->mask & (IN_CREATE | IN_MOVED_TO)) {
                if (AddSubWatch(path)) AddTree(path); // what was made inside before the watch
            } else if (ev->mask & IN_MOVED_FROM) {
                RemoveTree(path);
            }
        }
        if (Wanted(ev->mask, FFlags)) out.Relevant = true;
    }
    return out;
}

void TFolderWatch::Wake() {
    if (FWakeFd < 0) return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(FWakeFd, &one, sizeof one);
}

// Reads what inotify holds now; the verdicts of all of it in Result.
void TFolderWatch::ReadEvents(Outcome& Result) {
    alignas(inotify_event) char buf[16 * 1024];
    for (;;) {
        const ssize_t len = ::read(FInotify, buf, sizeof buf);
        if (len <= 0) return;
        std::lock_guard<std::mutex> lock(FLock);
        const Outcome o = TakeEvents(buf, static_cast<long>(len));
        Result.Gone = Result.Gone || o.Gone;
        Result.Relevant = Result.Relevant || o.Relevant;
    }
}

void TFolderWatch::Execute() {
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
        Outcome o;
        if (r > 0 && (p[0].revents & POLLIN)) ReadEvents(o);
        if (o.Gone) {
            FSink(generation);
            return; // reported once, no longer watched
        }
        if (o.Relevant && !pending) {
            pending = true;
            due = Clock::now() + kCoalesce;
        }
        if (pending && Clock::now() >= due) {
            pending = false;
            FSink(generation);
        }
    }
}

} // namespace vd
