#pragma once
// A notification area that exists only in this process (a fake: headless runs have no desktop).
// It records what was added, modified and removed, and lets tests click icons and restart
// the notification area.
#include "platform/shell/NotifyIcon.h"

#include <mutex>
#include <vector>

namespace vd {

class FakeTray : public TrayHost {
public:
    struct Op {
        DWord message; // NIM_ADD, NIM_MODIFY or NIM_DELETE
        HWND owner;
        UINT id;
    };

    bool Add(const TrayIconState& icon) override;
    bool Modify(const TrayIconState& icon) override;
    bool Remove(HWND owner, UINT id) override;

    // Without a notification area, adding fails.
    void SetAvailable(bool available);
    std::vector<Op> Ops() const;
    std::vector<TrayIconState> Icons() const;
    bool Find(HWND owner, UINT id, TrayIconState& out) const;
    // Posts the icon's callback message with lParam = mouseMessage; false without such an icon.
    bool Click(HWND owner, UINT id, UINT mouseMessage) const;
    // A new notification area: the icons are gone and "TaskbarCreated" is posted.
    void Restart();
    // The notification area goes away: the icons are gone, adding fails and the icon owners are
    // told. SetAvailable(true) and Restart bring a new one.
    void Vanish();
    void Clear();

private:
    mutable std::mutex FLock;
    bool FAvailable = true;
    std::vector<Op> FOps;
    std::vector<TrayIconState> FIcons;
};

} // namespace vd
