#include "platform/win/Spy.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace vd {
namespace {

std::mutex gSpyLock;
std::vector<MessageSpy*> gSpies;
std::atomic<int> gSpyCount{0};

struct Pending {
    MessageSpy* spy;
    std::size_t index;
};
thread_local std::vector<std::vector<Pending>> tStack;

} // namespace

MessageSpy::MessageSpy() {
    std::lock_guard<std::mutex> guard(gSpyLock);
    gSpies.push_back(this);
    ++gSpyCount;
}

MessageSpy::~MessageSpy() {
    std::lock_guard<std::mutex> guard(gSpyLock);
    gSpies.erase(std::remove(gSpies.begin(), gSpies.end(), this), gSpies.end());
    --gSpyCount;
    for (auto& level : tStack)
        level.erase(
            std::remove_if(level.begin(), level.end(), [this](const Pending& p) { return p.spy == this; }),
            level.end());
}

void MessageSpy::Watch(HWND hwnd) {
    FWatched.push_back(hwnd);
}

bool MessageSpy::Wants(HWND hwnd) const {
    return FWatched.empty() || std::find(FWatched.begin(), FWatched.end(), hwnd) != FWatched.end();
}

std::vector<UINT> MessageSpy::Messages(HWND hwnd, std::initializer_list<UINT> only) const {
    std::vector<UINT> out;
    for (const auto& e : FEntries) {
        if (hwnd && e.hwnd != hwnd) continue;
        if (only.size() && std::find(only.begin(), only.end(), e.msg) == only.end()) continue;
        out.push_back(e.msg);
    }
    return out;
}

std::vector<SpyEntry> MessageSpy::Of(HWND hwnd, UINT msg) const {
    std::vector<SpyEntry> out;
    for (const auto& e : FEntries)
        if (e.hwnd == hwnd && e.msg == msg) out.push_back(e);
    return out;
}

bool MessageSpy::Active() {
    return gSpyCount.load(std::memory_order_relaxed) > 0;
}

int MessageSpy::Enter(HWND hwnd, UINT msg, WPARAM w, LPARAM l, bool posted) {
    std::lock_guard<std::mutex> guard(gSpyLock);
    std::vector<Pending> level;
    const int depth = static_cast<int>(tStack.size());
    for (MessageSpy* spy : gSpies) {
        if (!spy->Wants(hwnd)) continue;
        spy->FEntries.push_back({hwnd, msg, w, l, 0, depth, posted});
        level.push_back({spy, spy->FEntries.size() - 1});
    }
    tStack.push_back(std::move(level));
    return depth;
}

void MessageSpy::Leave(int token, LRESULT result) {
    std::lock_guard<std::mutex> guard(gSpyLock);
    if (tStack.empty() || static_cast<int>(tStack.size()) != token + 1) return;
    for (const Pending& p : tStack.back())
        if (p.index < p.spy->FEntries.size()) p.spy->FEntries[p.index].result = result;
    tStack.pop_back();
}

} // namespace vd
