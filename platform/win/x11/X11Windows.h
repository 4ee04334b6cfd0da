#pragma once
// The X windows that show our top-level windows: made when a window is first shown, kept in
// step with its bounds, region, alpha, text and visibility, and painted from its surface.
// Also the events that concern a window as a whole (expose, close, map, focus).
#include "platform/win/Backend.h"
#include "platform/win/x11/X11Connection.h"
#include "platform/win/x11/X11Upload.h"
#include "platform/win/x11/X11WmHints.h"

#include <set>
#include <unordered_map>
#include <vector>

union _XEvent;

namespace vd {

class X11Windows {
public:
    explicit X11Windows(X11Connection& conn);
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    XId XWindowOf(HWND hwnd) const; // 0 when it has none
    HWND Find(XId w) const;         // null for a window not ours
    // True when the event was a window event (handled here).
    bool Handle(_XEvent& e);

    void Destroyed(HWND hwnd);
    void Changed(HWND hwnd, unsigned what);
    // Part of a window's surface was painted (surface coordinates).
    void Damaged(HWND hwnd, const TRect& part);
    // Sends what is pending of every surface to the server (not flushed).
    void PresentDirty();
    // Called when the program waits: an application minimized while no window manager runs
    // (nobody would ever map its forms again, and they take no input while it is iconic) is
    // restored; one that hid its forms meanwhile (into the tray) stays as it is.
    void UndoUnhonouredMinimize();
    X11Upload& Upload() { return FUpload; }

private:
    XId Ensure(HWND hwnd);
    void Present(HWND hwnd, const std::vector<TRect>* parts);
    void ApplyRegion(HWND hwnd, XId w);
    void ApplyAlpha(HWND hwnd, XId w);
    void ApplyText(HWND hwnd, XId w);
    void ApplyIcon(HWND hwnd, XId w);
    void ApplyVisible(HWND hwnd, XId w, bool visible);
    // Window-manager hints kept in step with the window: owner and maximized state.
    void ApplyTransient(HWND hwnd, XId w);
    void ApplyMaximized(HWND hwnd, XId w, bool mapped);
    XId TransientOwner(HWND hwnd) const;
    std::vector<HWND> ApplicationShown(HWND app, bool shown); // the forms to show again
    bool OwnerHidden(HWND hwnd) const;

    X11Connection& FConn;
    std::unordered_map<HWND, XId> FWindows;
    std::unordered_map<XId, HWND> FByX;
    std::set<HWND> FDirty;                                // whole surfaces to send
    std::unordered_map<HWND, std::vector<TRect>> FDamage; // painted parts to send
    X11Upload FUpload;
    std::set<HWND> FIconified;  // iconified by us for an application minimize
    std::set<HWND> FAppsShown;  // application windows last seen shown
    std::set<HWND> FAppsHidden; // application windows hidden after being shown: their forms are withdrawn
    std::set<HWND> FUnhonoured; // application windows minimized with no window manager to iconify
    std::set<HWND> FMaximized;  // windows the window manager was told are maximized
    X11WmHints FHints;
    XId FWmProtocols, FWmDelete, FMotifHints, FOpacity, FNetWmName, FUtf8, FWindowType, FTypePopup,
        FTypeNormal, FNetState, FStateAbove;
    bool FHasShape = false;
};

} // namespace vd
