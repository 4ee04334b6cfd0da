// Multiple-document forms: the main form's client window, its children, activation among them
// and their arrangement. The client window's procedure does the work, so a procedure chained
// in front of it (the skinned frame's hook) sees every request.
#include "platform/gfx/Objects.h"
#include "platform/rtl/Exception.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"

#include <algorithm>
#include <cmath>

namespace vd {

namespace {

const char* const kClientClass = "VclMDIClient";

TCustomForm* FrameOfClient(HWND client) {
    return client ? dynamic_cast<TCustomForm*>(TWinControl::FromHandle(GetParent(client))) : nullptr;
}

// The children of the client in z-order (front first); only the visible ones when asked.
std::vector<HWND> ClientChildren(HWND client, bool visibleOnly) {
    std::vector<HWND> out;
    for (HWND h = GetWindow(client, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (!visibleOnly || (GetWindowLong(h, GWL_STYLE) & WS_VISIBLE)) out.push_back(h);
    return out;
}

TRect RectInParent(HWND h) {
    TRect r = GetWindowRect(h);
    TPoint pts[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
    MapWindowPoints(nullptr, GetParent(h), pts, 2);
    return {pts[0].X, pts[0].Y, pts[1].X, pts[1].Y};
}

void Place(HWND h, int x, int y, int w, int hgt) {
    SetWindowPos(h, nullptr, x, y, std::max(0, w), std::max(0, hgt), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Deactivates the old child (frame off, then the activation message) before the new one is
// raised and activated, so both see the switch in the same order.
void ActivateChild(TCustomForm& frame, HWND client, HWND child) {
    if (child && (!IsWindow(child) || GetParent(child) != client)) return;
    const HWND old = frame.ActiveMDIChildHandle();
    if (old == child) return;
    frame.SetActiveMDIChildHandle(child);
    const WPARAM wOld = reinterpret_cast<WPARAM>(old);
    const LPARAM lNew = reinterpret_cast<LPARAM>(child);
    if (old && IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_MDIACTIVATE, wOld, lNew);
    }
    if (!child || !IsWindow(child)) return;
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const HWND frameHandle = frame.WindowHandle();
    SendMessage(child, WM_NCACTIVATE, GetActiveWindow() == frameHandle ? TRUE : FALSE, 0);
    SendMessage(child, WM_MDIACTIVATE, wOld, lNew);
}

void NextChild(TCustomForm& frame, HWND client, HWND from, bool previous) {
    const std::vector<HWND> list = ClientChildren(client, true);
    if (list.size() < 2) return;
    if (!from) from = frame.ActiveMDIChildHandle() ? frame.ActiveMDIChildHandle() : list.front();
    auto it = std::find(list.begin(), list.end(), from);
    if (it == list.end()) return;
    if (previous) {
        ActivateChild(frame, client, list.back());
        return;
    }
    ++it;
    ActivateChild(frame, client, it == list.end() ? list.front() : *it);
    // The one left goes to the back, so repeated steps visit every child.
    SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::vector<HWND> Arrangeable(HWND client) {
    std::vector<HWND> list;
    for (HWND h : ClientChildren(client, true)) {
        if (IsIconic(h)) continue;
        if (IsZoomed(h)) ShowWindow(h, SW_RESTORE);
        list.push_back(h);
    }
    return list;
}

void CascadeChildren(HWND client) {
    std::vector<HWND> list = Arrangeable(client);
    if (list.empty()) return;
    std::reverse(list.begin(), list.end()); // the back one starts at the corner, the active ends on top
    const TRect area = GetClientRect(client);
    const int step = std::max(1, GetSystemMetrics(SM_CYSIZE) + 4);
    const int n = static_cast<int>(list.size());
    const int w = std::max(area.Width() - step * (n - 1), area.Width() / 2);
    const int h = std::max(area.Height() - step * (n - 1), area.Height() / 2);
    // Back to the top-left corner once a window would cross the bottom or right edge.
    for (int i = 0, k = 0; i < n; ++i, ++k) {
        if (k > 0 && (k * step + w > area.Width() || k * step + h > area.Height())) k = 0;
        Place(list[static_cast<std::size_t>(i)], k * step, k * step, w, h);
    }
}

void TileChildren(HWND client) {
    const std::vector<HWND> list = Arrangeable(client);
    if (list.empty()) return;
    const TRect area = GetClientRect(client);
    const int n = static_cast<int>(list.size());
    const int cols = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
    const int rows = (n + cols - 1) / cols;
    for (int i = 0; i < n; ++i) {
        const int c = i % cols, r = i / cols;
        const int x0 = area.Width() * c / cols, x1 = area.Width() * (c + 1) / cols;
        const int y0 = area.Height() * r / rows, y1 = area.Height() * (r + 1) / rows;
        Place(list[static_cast<std::size_t>(i)], x0, y0, x1 - x0, y1 - y0);
    }
}

// Minimized children in a row along the bottom edge, left to right.
void ArrangeIconic(HWND client) {
    const TRect area = GetClientRect(client);
    int x = 0;
    for (HWND h : ClientChildren(client, true)) {
        if (!IsIconic(h)) continue;
        const TRect r = RectInParent(h);
        Place(h, x, area.Height() - r.Height(), r.Width(), r.Height());
        x += r.Width();
    }
}

} // namespace

LRESULT MDIClientProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TCustomForm* frame = FrameOfClient(hwnd);
    if (!frame) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_MDIACTIVATE:
        ActivateChild(*frame, hwnd, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_MDIGETACTIVE:
        return frame->FActiveMDIChild ? reinterpret_cast<LRESULT>(frame->FActiveMDIChild) : 0;
    case WM_MDINEXT:
        NextChild(*frame, hwnd, reinterpret_cast<HWND>(wParam), lParam != 0);
        return 0;
    case WM_MDICASCADE:
        CascadeChildren(hwnd);
        return 1;
    case WM_MDITILE:
        TileChildren(hwnd);
        return 1;
    case WM_MDIICONARRANGE:
        ArrangeIconic(hwnd);
        return 0;
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void TCustomForm::CreateMDIClient() {
    WNDCLASS wc;
    if (!GetClassInfo(kClientClass, wc)) {
        wc.lpfnWndProc = MakeWndProc(MDIClientProc);
        wc.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
        wc.lpszClassName = kClientClass;
        RegisterClass(wc);
    }
    const TRect r = GetMDIClientArea();
    FClientHandle =
        CreateWindowEx(0, kClientClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, r.Left,
                       r.Top, r.Width(), r.Height(), FHandle);
    if (!FClientHandle) throw EInvalidOperation("Error creating window");
}

TRect TCustomForm::GetMDIClientArea() const {
    TRect r = GetClientRect();
    const_cast<TCustomForm*>(this)->AdjustClientRect(r);
    for (TControl* c : FControls) {
        if (!c->Visible()) continue;
        switch (c->Align()) {
        case alTop:
            r.Top += c->Height();
            break;
        case alBottom:
            r.Bottom -= c->Height();
            break;
        case alLeft:
            r.Left += c->Width();
            break;
        case alRight:
            r.Right -= c->Width();
            break;
        default:
            break;
        }
    }
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

void TCustomForm::AlignControls(TControl* AControl, TRect& Rect) {
    TWinControl::AlignControls(AControl, Rect);
    if (!FClientHandle) return;
    const TRect r = GetMDIClientArea();
    SetWindowPos(FClientHandle, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::DestroyWnd() {
    if (FFormStyle == fsMDIChild && FHandle) {
        MDIChildLeaving();
        // The window system's WM_DESTROY no longer reaches a control whose window the class
        // library destroys: the child (its frame) hears it here, while its window still exists.
        Perform(WM_DESTROY, 0, 0);
    }
    FClientHandle = nullptr; // goes with the form's window
    FActiveMDIChild = nullptr;
    TWinControl::DestroyWnd();
}

// A child being hidden or destroyed hands activation to the next child in z-order.
void TCustomForm::MDIChildLeaving() {
    const HWND client = GetParent(FHandle);
    TCustomForm* frame = FrameOfClient(client);
    if (!frame || frame->FActiveMDIChild != FHandle) return;
    HWND next = nullptr;
    for (HWND h : ClientChildren(client, true))
        if (h != FHandle) {
            next = h;
            break;
        }
    SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(next), 0);
}

// A minimized child hands activation to the next child that is not minimized; with none it
// stays active.
void MDIChildMinimized(TCustomForm& child) {
    const HWND self = child.WindowHandle();
    const HWND client = GetParent(self);
    TCustomForm* frame = FrameOfClient(client);
    if (!frame || frame->ActiveMDIChildHandle() != self) return;
    for (HWND h : ClientChildren(client, true))
        if (h != self && !IsIconic(h)) {
            SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h), 0);
            // The minimized one goes behind the others, as a next step would put it.
            SetWindowPos(self, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return;
        }
}

void TCustomForm::SetActiveMDIChildHandle(HWND h) {
    FActiveMDIChild = h;
}

std::vector<HWND> TCustomForm::MDIChildWindows() const {
    std::vector<HWND> out;
    if (FFormStyle != fsMDIForm || !FClientHandle) return out;
    for (HWND h : ClientChildren(FClientHandle, false))
        if (dynamic_cast<TCustomForm*>(FromHandle(h))) out.push_back(h);
    return out;
}

int TCustomForm::MDIChildCount() const {
    return static_cast<int>(MDIChildWindows().size());
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
    const std::vector<HWND> list = MDIChildWindows();
    if (index < 0 || index >= static_cast<int>(list.size())) throw EListError("List index out of bounds");
    return dynamic_cast<TCustomForm*>(FromHandle(list[static_cast<std::size_t>(index)]));
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (FFormStyle != fsMDIForm || !FActiveMDIChild) return nullptr;
    return dynamic_cast<TCustomForm*>(FromHandle(FActiveMDIChild));
}

void TCustomForm::Next() {
    if (FClientHandle) SendMessage(FClientHandle, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous() {
    if (FClientHandle) SendMessage(FClientHandle, WM_MDINEXT, 0, 1);
}

void TCustomForm::Cascade() {
    if (FClientHandle) SendMessage(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
    if (FClientHandle) SendMessage(FClientHandle, WM_MDITILE, 0, 0);
}

void TCustomForm::ArrangeIcons() {
    if (FClientHandle) SendMessage(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}

} // namespace vd
