#include "platform/shell/FakeTray.h"

#include "platform/win/Windows.h"

#include <algorithm>

namespace vd {

bool FakeTray::Add(const TrayIconState& icon) {
    std::lock_guard<std::mutex> guard(FLock);
    if (!FAvailable) return false;
    FOps.push_back({NIM_ADD, icon.owner, icon.id});
    std::erase_if(FIcons, [&](const TrayIconState& i) { return i.owner == icon.owner && i.id == icon.id; });
    FIcons.push_back(icon);
    return true;
}

bool FakeTray::Modify(const TrayIconState& icon) {
    std::lock_guard<std::mutex> guard(FLock);
    FOps.push_back({NIM_MODIFY, icon.owner, icon.id});
    for (auto& it : FIcons)
        if (it.owner == icon.owner && it.id == icon.id) {
            it = icon;
            return true;
        }
    return false;
}

bool FakeTray::Remove(HWND owner, UINT id) {
    std::lock_guard<std::mutex> guard(FLock);
    FOps.push_back({NIM_DELETE, owner, id});
    const auto before = FIcons.size();
    std::erase_if(FIcons, [&](const TrayIconState& i) { return i.owner == owner && i.id == id; });
    return FIcons.size() != before;
}

void FakeTray::SetAvailable(bool available) {
    std::lock_guard<std::mutex> guard(FLock);
    FAvailable = available;
}

std::vector<FakeTray::Op> FakeTray::Ops() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FOps;
}

std::vector<TrayIconState> FakeTray::Icons() const {
    std::lock_guard<std::mutex> guard(FLock);
    return FIcons;
}

bool FakeTray::Find(HWND owner, UINT id, TrayIconState& out) const {
    std::lock_guard<std::mutex> guard(FLock);
    for (const auto& i : FIcons)
        if (i.owner == owner && i.id == id) {
            out = i;
            return true;
        }
    return false;
}

bool FakeTray::Click(HWND owner, UINT id, UINT mouseMessage) const {
    TrayIconState icon;
    if (!Find(owner, id, icon) || icon.callbackMessage == 0) return false;
    return PostMessage(owner, icon.callbackMessage, id, static_cast<LPARAM>(mouseMessage));
}

void FakeTray::Restart() {
    {
        std::lock_guard<std::mutex> guard(FLock);
        FIcons.clear();
    }
    BroadcastTaskbarCreated();
}

void FakeTray::Vanish() {
    {
        std::lock_guard<std::mutex> guard(FLock);
        FIcons.clear();
        FAvailable = false;
    }
    BroadcastTrayLost();
}

void FakeTray::Clear() {
    std::lock_guard<std::mutex> guard(FLock);
    FOps.clear();
    FIcons.clear();
    FAvailable = true;
}

} // namespace vd
