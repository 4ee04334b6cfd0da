#include "platform/win/controls/HeaderWindow.h"

#include "platform/gfx/Gdi.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vd {
namespace {

constexpr int kDividerSlop = 4; // pixels either side of a divider that grab it
constexpr int kDragStart = 5;   // pixels a press moves before an item is dragged

struct HeaderState {
    std::vector<HDITEM> items;
    std::vector<int> order; // display position -> item index
    enum class Mode { None, Press, Track, Drag } mode = Mode::None;
    int item = -1;
    int pressX = 0;
    int startWidth = 0;
};

thread_local std::unordered_map<HWND, std::unique_ptr<HeaderState>> tHeaders;

HeaderState* Find(HWND hwnd) {
    auto it = tHeaders.find(hwnd);
    return it == tHeaders.end() ? nullptr : it->second.get();
}

int Count(const HeaderState& s) {
    return static_cast<int>(s.items.size());
}

TRect ItemRect(HWND hwnd, const HeaderState& s, int index) {
    const int h = GetClientRect(hwnd).Height();
    int x = 0;
    for (int item : s.order) {
        const int w = s.items[static_cast<std::size_t>(item)].cxy;
        if (item == index) return {x, 0, x + w, h};
        x += w;
    }
    return {};
}

HDHITTESTINFO HitTest(HWND hwnd, const HeaderState& s, TPoint p) {
    HDHITTESTINFO info;
    info.pt = p;
    const TRect c = GetClientRect(hwnd);
    if (p.Y < 0 || p.Y >= c.Bottom) {
        info.flags = HHT_NOWHERE;
        return info;
    }
    // Dividers first: the right edge of each item, the last one found wins for zero widths.
    for (int item : s.order) {
        const TRect r = ItemRect(hwnd, s, item);
        if (p.X >= r.Right - kDividerSlop && p.X < r.Right + kDividerSlop) {
            info.flags = HHT_ONDIVIDER;
            info.iItem = item;
        }
    }
    if (info.flags) return info;
    for (int item : s.order) {
        const TRect r = ItemRect(hwnd, s, item);
        if (p.X >= r.Left && p.X < r.Right) {
            info.flags = HHT_ONHEADER;
            info.iItem = item;
            return info;
        }
    }
    info.flags = p.X < 0 ? HHT_TOLEFT : HHT_NOWHERE;
    return info;
}

LRESULT Notify(HWND hwnd, UINT code, int item) {
    NMHEADER nm;
    nm.hdr.hwndFrom = hwnd;
    nm.hdr.idFrom = static_cast<std::uintptr_t>(GetWindowLong(hwnd, GWL_ID));
    nm.hdr.code = code;
    nm.iItem = item;
    return SendMessage(GetParent(hwnd), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void InsertItem(HeaderState& s, int index, const HDITEM& item) {
    index = std::clamp(index, 0, Count(s));
    s.items.insert(s.items.begin() + index, item);
    for (int& o : s.order)
        if (o >= index) ++o;
    s.order.insert(s.order.begin() + index, index);
}

bool DeleteItem(HeaderState& s, int index) {
    if (index < 0 || index >= Count(s)) return false;
    s.items.erase(s.items.begin() + index);
    s.order.erase(std::find(s.order.begin(), s.order.end(), index));
    for (int& o : s.order)
        if (o > index) --o;
    return true;
}

// Moves an item to the display position under x.
void DropAt(HWND hwnd, HeaderState& s, int item, int x) {
    int pos = 0;
    for (int k = 0; k < Count(s); ++k) {
        const TRect r = ItemRect(hwnd, s, s.order[static_cast<std::size_t>(k)]);
        if (x >= (r.Left + r.Right) / 2) pos = k + (s.order[static_cast<std::size_t>(k)] == item ? 0 : 1);
    }
    auto it = std::find(s.order.begin(), s.order.end(), item);
    const int from = static_cast<int>(it - s.order.begin());
    s.order.erase(it);
    if (pos > from) --pos;
    s.order.insert(s.order.begin() + std::clamp(pos, 0, static_cast<int>(s.order.size())), item);
}

void OnMouse(HWND hwnd, HeaderState& s, UINT msg, TPoint p) {
    if (msg == WM_LBUTTONDOWN) {
        const HDHITTESTINFO hit = HitTest(hwnd, s, p);
        if (hit.iItem < 0) return;
        s.item = hit.iItem;
        s.pressX = p.X;
        s.startWidth = s.items[static_cast<std::size_t>(hit.iItem)].cxy;
        s.mode = hit.flags == HHT_ONDIVIDER ? HeaderState::Mode::Track : HeaderState::Mode::Press;
        SetCapture(hwnd);
        return;
    }
    if (s.mode == HeaderState::Mode::None) return;
    if (msg == WM_MOUSEMOVE) {
        if (s.mode == HeaderState::Mode::Track) {
            s.items[static_cast<std::size_t>(s.item)].cxy = std::max(0, s.startWidth + p.X - s.pressX);
            InvalidateRect(hwnd, nullptr, TRUE);
            Notify(hwnd, HDN_ITEMCHANGED, s.item);
        } else if (s.mode == HeaderState::Mode::Press && std::abs(p.X - s.pressX) >= kDragStart) {
            s.mode = HeaderState::Mode::Drag;
        }
        return;
    }
    if (msg != WM_LBUTTONUP) return;
    const auto mode = s.mode;
    s.mode = HeaderState::Mode::None;
    if (GetCapture() == hwnd) ReleaseCapture();
    if (mode == HeaderState::Mode::Track) Notify(hwnd, HDN_ENDTRACK, s.item);
    if (mode == HeaderState::Mode::Press) Notify(hwnd, HDN_ITEMCLICK, s.item);
    // A parent answering non-zero refuses the move.
    if (mode == HeaderState::Mode::Drag && Notify(hwnd, HDN_ENDDRAG, s.item) == 0) {
        DropAt(hwnd, s, s.item, p.X);
        InvalidateRect(hwnd, nullptr, TRUE);
        Notify(hwnd, HDN_ITEMCHANGED, s.item);
    }
}

void OnPaint(HWND hwnd, HeaderState& s, HDC given) {
    PAINTSTRUCT ps;
    HDC dc = given;
    if (!dc) {
        BeginPaint(hwnd, ps);
        dc = ps.hdc;
    }
    const TRect c = GetClientRect(hwnd);
    FillRect(dc, &c, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    if (HFONT f = reinterpret_cast<HFONT>(SendMessage(GetParent(hwnd), WM_GETFONT, 0, 0)))
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(f));
    for (int item : s.order) {
        TRect r = ItemRect(hwnd, s, item);
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        r.Left += 4;
        r.Right -= 4;
        const HDITEM& it = s.items[static_cast<std::size_t>(item)];
        const UINT align = it.fmt == HDF_RIGHT ? DT_RIGHT : it.fmt == HDF_CENTER ? DT_CENTER : DT_LEFT;
        DrawTextUtf8(dc, it.text, r, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    if (!given) EndPaint(hwnd, ps);
}

LRESULT ItemMessages(HWND hwnd, HeaderState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    const int index = static_cast<int>(static_cast<std::int32_t>(wParam));
    switch (msg) {
    case HDM_GETITEMCOUNT:
        return Count(s);
    case HDM_INSERTITEM:
        if (!lParam) return -1;
        InsertItem(s, index, *reinterpret_cast<const HDITEM*>(lParam));
        InvalidateRect(hwnd, nullptr, TRUE);
        return std::clamp(index, 0, Count(s) - 1);
    case HDM_DELETEITEM:
        InvalidateRect(hwnd, nullptr, TRUE);
        return DeleteItem(s, index) ? TRUE : FALSE;
    case HDM_GETITEM:
    case HDM_SETITEM: {
        if (index < 0 || index >= Count(s) || !lParam) return FALSE;
        HDITEM& it = s.items[static_cast<std::size_t>(index)];
        auto* in = reinterpret_cast<HDITEM*>(lParam);
        HDITEM& to = msg == HDM_GETITEM ? *in : it;
        const HDITEM& from = msg == HDM_GETITEM ? it : *in;
        if (in->mask & HDI_WIDTH) to.cxy = from.cxy;
        if (in->mask & HDI_TEXT) to.text = from.text;
        if (in->mask & HDI_FORMAT) to.fmt = from.fmt;
        if (in->mask & HDI_IMAGE) to.iImage = from.iImage;
        if (msg == HDM_SETITEM) InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case HDM_GETITEMRECT:
        if (index < 0 || index >= Count(s) || !lParam) return FALSE;
        *reinterpret_cast<TRect*>(lParam) = ItemRect(hwnd, s, index);
        return TRUE;
    case HDM_HITTEST:
        if (!lParam) return -1;
        *reinterpret_cast<HDHITTESTINFO*>(lParam) =
            HitTest(hwnd, s, reinterpret_cast<HDHITTESTINFO*>(lParam)->pt);
        return reinterpret_cast<HDHITTESTINFO*>(lParam)->iItem;
    case HDM_GETORDERARRAY:
        if (!lParam || static_cast<int>(wParam) < Count(s)) return FALSE;
        std::copy(s.order.begin(), s.order.end(), reinterpret_cast<int*>(lParam));
        return TRUE;
    case HDM_SETORDERARRAY: {
        if (!lParam || static_cast<int>(wParam) != Count(s)) return FALSE;
        std::vector<int> order(reinterpret_cast<const int*>(lParam),
                               reinterpret_cast<const int*>(lParam) + wParam);
        std::vector<int> check = order;
        std::sort(check.begin(), check.end());
        for (int k = 0; k < Count(s); ++k)
            if (check[static_cast<std::size_t>(k)] != k) return FALSE; // not a permutation
        s.order = std::move(order);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case HDM_ORDERTOINDEX:
        return index >= 0 && index < Count(s) ? s.order[static_cast<std::size_t>(index)] : index;
    default:
        handled = false;
        return 0;
    }
}

LRESULT HeaderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) tHeaders.emplace(hwnd, std::make_unique<HeaderState>());
    HeaderState* s = Find(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        tHeaders.erase(hwnd);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_PAINT:
        OnPaint(hwnd, *s, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        OnMouse(hwnd, *s, msg, LParamToPoint(lParam));
        return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        s->mode = HeaderState::Mode::None;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    default: {
        bool handled = true;
        const LRESULT r = ItemMessages(hwnd, *s, msg, wParam, lParam, handled);
        return handled ? r : DefWindowProc(hwnd, msg, wParam, lParam);
    }
    }
}

} // namespace

void RegisterHeaderClass() {
    static const bool done = [] {
        WNDCLASS wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = MakeWndProc(HeaderProc);
        wc.lpszClassName = WC_HEADER;
        RegisterClass(wc);
        return true;
    }();
    (void)done;
}

} // namespace vd
