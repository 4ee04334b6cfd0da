#include "platform/win/controls/ListBoxWindow.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vd {
namespace {

struct Item {
    String text;
    std::uintptr_t data = 0;
    int state = 0;
    bool selected = false;
};

struct ListState {
    std::vector<Item> items;
    int cur = -1;    // single selection: the selected item; multi: the caret
    int anchor = -1; // extended selection: where a Shift range starts
    int top = 0;
    int itemHeight = 16;
    int columnWidth = 0;
    bool focused = false;
    bool tracking = false;
    DWord style = 0;
    bool noFocus = false;
    int wheelRest = 0;

    bool Multi() const { return (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    bool Extended() const { return (style & LBS_EXTENDEDSEL) != 0; }
    bool Columns() const { return (style & LBS_MULTICOLUMN) != 0; }
    int Count() const { return static_cast<int>(items.size()); }
};

thread_local std::unordered_map<HWND, std::unique_ptr<ListState>> tLists;

ListState* Find(HWND hwnd) {
    auto it = tLists.find(hwnd);
    return it == tLists.end() ? nullptr : it->second.get();
}

int PageRows(HWND hwnd, const ListState& s) {
    return std::max(1, GetClientRect(hwnd).Height() / std::max(1, s.itemHeight));
}

// Full rows that fit: the page of the scroll state (0 when not even one fits).
int FullRows(HWND hwnd, const ListState& s) {
    return GetClientRect(hwnd).Height() / std::max(1, s.itemHeight);
}

// Multi-column lists: items run down a column of full rows, then into the next column.
int Rows(HWND hwnd, const ListState& s) {
    return std::max(1, FullRows(hwnd, s));
}

int ColumnWidth(HWND hwnd, const ListState& s) {
    return s.columnWidth > 0 ? s.columnWidth : std::max(1, GetClientRect(hwnd).Width());
}

int VisibleColumns(HWND hwnd, const ListState& s) {
    return std::max(1, GetClientRect(hwnd).Width() / ColumnWidth(hwnd, s));
}

int UsedColumns(HWND hwnd, const ListState& s) {
    return (s.Count() + Rows(hwnd, s) - 1) / Rows(hwnd, s);
}

void UpdateScroll(HWND hwnd, ListState& s) {
    if (s.Columns()) {
        SCROLLINFO h;
        h.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        h.nMax = std::max(0, UsedColumns(hwnd, s) - 1);
        h.nPage = static_cast<UINT>(VisibleColumns(hwnd, s));
        h.nPos = s.top / Rows(hwnd, s);
        SetScrollInfo(hwnd, SB_HORZ, h, FALSE);
        return;
    }
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, s.Count() - 1);
    si.nPage = static_cast<UINT>(FullRows(hwnd, s));
    si.nPos = s.top;
    SetScrollInfo(hwnd, SB_VERT, si, FALSE);
}

void SetTop(HWND hwnd, ListState& s, int top) {
    const int maxTop = s.Columns()
                           ? std::max(0, UsedColumns(hwnd, s) - VisibleColumns(hwnd, s)) * Rows(hwnd, s)
                           : std::max(0, s.Count() - FullRows(hwnd, s));
    top = std::clamp(top, 0, maxTop);
    if (s.Columns()) top -= top % Rows(hwnd, s);
    if (top != s.top) {
        s.top = top;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    UpdateScroll(hwnd, s);
}

void ScrollIntoView(HWND hwnd, ListState& s, int index) {
    if (index < 0) return;
    if (s.Columns()) {
        const int rows = Rows(hwnd, s), col = index / rows, first = s.top / rows;
        const int visible = VisibleColumns(hwnd, s);
        if (col < first)
            SetTop(hwnd, s, col * rows);
        else if (col >= first + visible)
            SetTop(hwnd, s, (col - visible + 1) * rows);
        return;
    }
    const int rows = std::max(1, FullRows(hwnd, s));
    if (index < s.top)
        SetTop(hwnd, s, index);
    else if (index >= s.top + rows)
        SetTop(hwnd, s, index - rows + 1);
}

TRect ItemRect(HWND hwnd, const ListState& s, int i) {
    if (s.Columns()) {
        const int rows = Rows(hwnd, s), cw = ColumnWidth(hwnd, s);
        const int col = i / rows - s.top / rows, row = i % rows;
        return {col * cw, row * s.itemHeight, (col + 1) * cw, (row + 1) * s.itemHeight};
    }
    const int w = GetClientRect(hwnd).Width();
    return {0, (i - s.top) * s.itemHeight, w, (i - s.top + 1) * s.itemHeight};
}

void Notify(HWND hwnd, Word code) {
    if (HWND parent = GetParent(hwnd))
        SendMessage(parent, WM_COMMAND, MakeWParam(static_cast<int>(GetWindowLong(hwnd, GWL_ID)), code),
                    reinterpret_cast<LPARAM>(hwnd));
}

void Select(HWND hwnd, ListState& s, int index) {
    index = s.Count() == 0 ? -1 : std::clamp(index, -1, s.Count() - 1);
    if (s.Multi()) {
        for (auto& it : s.items)
            it.selected = false;
        if (index >= 0) s.items[static_cast<std::size_t>(index)].selected = true;
    }
    s.cur = index;
    ScrollIntoView(hwnd, s, index);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Extended selection: the items from the anchor to Index, added to the others when Keep.
void SelectRange(HWND hwnd, ListState& s, int index, bool keep) {
    if (s.anchor < 0 || s.anchor >= s.Count()) s.anchor = index;
    const int lo = std::min(s.anchor, index), hi = std::max(s.anchor, index);
    for (int k = 0; k < s.Count(); ++k) {
        bool& sel = s.items[static_cast<std::size_t>(k)].selected;
        sel = (k >= lo && k <= hi) || (keep && sel);
    }
    s.cur = index;
    ScrollIntoView(hwnd, s, index);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void Toggle(HWND hwnd, ListState& s, int index) {
    bool& sel = s.items[static_cast<std::size_t>(index)].selected;
    sel = !sel;
    s.cur = s.anchor = index;
    ScrollIntoView(hwnd, s, index);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Moves the caret of a multiple-selection list: plain lists move it alone (Space toggles), extended
// ones select the new item, or the range from the anchor with Shift.
void MoveMultiCaret(HWND hwnd, ListState& s, int index) {
    if (!s.Extended()) {
        s.cur = index;
        ScrollIntoView(hwnd, s, index);
        InvalidateRect(hwnd, nullptr, TRUE);
        return;
    }
    if (GetKeyState(VK_SHIFT) < 0) {
        SelectRange(hwnd, s, index, false);
        return;
    }
    Select(hwnd, s, index);
    s.anchor = index;
}

int FindPrefix(const ListState& s, int start, const String& prefix, bool exact) {
    const int n = s.Count();
    if (n == 0) return -1;
    const String want = AnsiUpperCase(prefix);
    const int first = start < 0 || start >= n ? 0 : start + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        const String t = AnsiUpperCase(s.items[static_cast<std::size_t>(i)].text);
        if (exact ? t == want : t.compare(0, want.size(), want) == 0) return i;
    }
    return -1;
}

int Insert(HWND hwnd, ListState& s, int index, const char* text, bool sortedAdd) {
    Item item;
    item.text = text ? text : "";
    if (sortedAdd && (s.style & LBS_SORT)) {
        // Case-insensitive order; equal strings go after the ones already there.
        index = 0;
        while (index < s.Count() &&
               AnsiCompareText(s.items[static_cast<std::size_t>(index)].text, item.text) <= 0)
            ++index;
    } else if (index < 0 || index > s.Count()) {
        index = s.Count();
    }
    s.items.insert(s.items.begin() + index, std::move(item));
    if (s.cur >= index) ++s.cur;
    UpdateScroll(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
    return index;
}

LRESULT Delete(HWND hwnd, ListState& s, int index) {
    if (index < 0 || index >= s.Count()) return LB_ERR;
    s.items.erase(s.items.begin() + index);
    if (s.cur == index)
        s.cur = -1;
    else if (s.cur > index)
        --s.cur;
    SetTop(hwnd, s, s.top);
    InvalidateRect(hwnd, nullptr, TRUE);
    return s.Count();
}

int ItemFromPoint(HWND hwnd, const ListState& s, TPoint p) {
    if (p.Y < 0 || p.X < 0) return -1;
    int i = s.top + p.Y / std::max(1, s.itemHeight);
    if (s.Columns()) {
        const int row = p.Y / std::max(1, s.itemHeight);
        if (row >= Rows(hwnd, s)) return -1;
        i = s.top + p.X / ColumnWidth(hwnd, s) * Rows(hwnd, s) + row;
    }
    return i < s.Count() ? i : -1;
}

void OnKey(HWND hwnd, ListState& s, int vk) {
    const int page = std::max(1, PageRows(hwnd, s) - 1);
    int i = s.cur;
    switch (vk) {
    case VK_UP:
        i = i < 0 ? 0 : i - 1;
        break;
    case VK_LEFT:
        i = i < 0 ? 0 : i - (s.Columns() ? Rows(hwnd, s) : 1);
        break;
    case VK_DOWN:
        i = i + 1;
        break;
    case VK_RIGHT:
        i = i + (s.Columns() ? Rows(hwnd, s) : 1);
        break;
    case VK_PRIOR:
        i = i - page;
        break;
    case VK_NEXT:
        i = i + page;
        break;
    case VK_HOME:
        i = 0;
        break;
    case VK_END:
        i = s.Count() - 1;
        break;
    case VK_SPACE:
        if (!s.Multi() || s.cur < 0 || s.Count() == 0) return;
        Toggle(hwnd, s, std::min(s.cur, s.Count() - 1));
        Notify(hwnd, LBN_SELCHANGE);
        return;
    default:
        return;
    }
    if (s.Count() == 0) return;
    i = std::clamp(i, 0, s.Count() - 1);
    if (s.Multi()) {
        MoveMultiCaret(hwnd, s, i);
        Notify(hwnd, LBN_SELCHANGE);
        return;
    }
    const bool changed = i != s.cur;
    Select(hwnd, s, i);
    if (changed) Notify(hwnd, LBN_SELCHANGE);
}

// Multiple selection: a plain list toggles the item; an extended one selects it alone, the range
// from the anchor with Shift, and toggles it with Ctrl (Ctrl+Shift adds the range).
void MultiClick(HWND hwnd, ListState& s, int i, WPARAM keys) {
    if (!s.Extended() || (keys & (MK_SHIFT | MK_CONTROL)) == MK_CONTROL) {
        Toggle(hwnd, s, i);
    } else if (keys & MK_SHIFT) {
        SelectRange(hwnd, s, i, (keys & MK_CONTROL) != 0);
    } else {
        Select(hwnd, s, i);
        s.anchor = i;
    }
}

void OnButtonDown(HWND hwnd, ListState& s, WPARAM keys, LPARAM lParam, bool dbl) {
    if (!s.noFocus && GetFocus() != hwnd) SetFocus(hwnd);
    if (!IsWindow(hwnd)) return;
    const int i = ItemFromPoint(hwnd, s, LParamToPoint(lParam));
    if (i >= 0 && s.Multi() && !dbl)
        MultiClick(hwnd, s, i, keys);
    else if (i >= 0)
        Select(hwnd, s, i);
    if (dbl) {
        Notify(hwnd, LBN_DBLCLK);
        return;
    }
    s.tracking = true;
    SetCapture(hwnd);
}

void OnMouseMove(HWND hwnd, ListState& s, LPARAM lParam) {
    if (!s.tracking) return;
    const TPoint p = LParamToPoint(lParam);
    const int rows = std::max(1, FullRows(hwnd, s));
    int i = s.top + (p.Y < 0 ? -1 : p.Y / std::max(1, s.itemHeight));
    if (p.Y >= rows * s.itemHeight) i = s.top + rows;
    if (s.Count() == 0) return;
    i = std::clamp(i, 0, s.Count() - 1);
    // A drag over a plain multiple list moves nothing; over an extended one it stretches the range.
    if (s.Multi()) {
        if (s.Extended() && i != s.cur) SelectRange(hwnd, s, i, false);
        return;
    }
    Select(hwnd, s, i);
}

void OnButtonUp(HWND hwnd, ListState& s) {
    if (!s.tracking) return;
    s.tracking = false;
    if (GetCapture() == hwnd) ReleaseCapture();
    Notify(hwnd, LBN_SELCHANGE);
}

void OnScroll(HWND hwnd, ListState& s, WPARAM wParam) {
    const int page = std::max(1, FullRows(hwnd, s));
    switch (ScrollCode(wParam)) {
    case SB_LINEUP:
        SetTop(hwnd, s, s.top - 1);
        break;
    case SB_LINEDOWN:
        SetTop(hwnd, s, s.top + 1);
        break;
    case SB_PAGEUP:
        SetTop(hwnd, s, s.top - page);
        break;
    case SB_PAGEDOWN:
        SetTop(hwnd, s, s.top + page);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        SetTop(hwnd, s, ScrollPos(wParam));
        break;
    case SB_TOP:
        SetTop(hwnd, s, 0);
        break;
    case SB_BOTTOM:
        SetTop(hwnd, s, s.Count());
        break;
    default:
        break;
    }
}

// Multi-column lists scroll across by columns.
void OnColumnScroll(HWND hwnd, ListState& s, WPARAM wParam) {
    const int rows = Rows(hwnd, s), col = s.top / rows, page = VisibleColumns(hwnd, s);
    const int to[] = {col - 1,           col + 1,           col - page, col + page,
                      ScrollPos(wParam), ScrollPos(wParam), 0,          UsedColumns(hwnd, s)};
    const int code = ScrollCode(wParam);
    if (code >= 0 && code <= SB_BOTTOM) SetTop(hwnd, s, to[code] * rows);
}

// Three lines per notch, at most a page.
void OnWheel(HWND hwnd, ListState& s, WPARAM wParam) {
    s.wheelRest += static_cast<std::int16_t>(HiWord(wParam));
    const int notches = s.wheelRest / WHEEL_DELTA;
    s.wheelRest %= WHEEL_DELTA;
    const int lines = std::min(3, std::max(1, FullRows(hwnd, s)));
    SetTop(hwnd, s, s.top - notches * lines);
}

void OnPaint(HWND hwnd, ListState& s, HDC given) {
    PAINTSTRUCT ps;
    HDC dc = given;
    if (!dc) {
        BeginPaint(hwnd, ps);
        dc = ps.hdc;
    }
    const int rows = s.Columns() ? (VisibleColumns(hwnd, s) + 1) * Rows(hwnd, s) : PageRows(hwnd, s) + 1;
    for (int i = s.top; i < s.Count() && i < s.top + rows; ++i) {
        DRAWITEMSTRUCT di;
        di.CtlType = ODT_LISTBOX;
        di.CtlID = static_cast<UINT>(GetWindowLong(hwnd, GWL_ID));
        di.itemID = static_cast<UINT>(i);
        di.itemAction = ODA_DRAWENTIRE;
        const Item& it = s.items[static_cast<std::size_t>(i)];
        if (s.Multi() ? it.selected : i == s.cur) di.itemState |= ODS_SELECTED;
        if (s.focused && i == s.cur) di.itemState |= ODS_FOCUS;
        if (!IsWindowEnabled(hwnd)) di.itemState |= ODS_DISABLED;
        di.hwndItem = hwnd;
        di.hDC = dc;
        di.rcItem = ItemRect(hwnd, s, i);
        di.itemData = it.data;
        SendMessage(GetParent(hwnd), WM_DRAWITEM, di.CtlID, reinterpret_cast<LPARAM>(&di));
    }
    if (!given) EndPaint(hwnd, ps);
}

LRESULT ItemMessages(HWND hwnd, ListState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    const int index = static_cast<int>(static_cast<std::int32_t>(wParam));
    const bool valid = index >= 0 && index < s.Count();
    Item* item = valid ? &s.items[static_cast<std::size_t>(index)] : nullptr;
    switch (msg) {
    case LB_ADDSTRING:
        return Insert(hwnd, s, -1, reinterpret_cast<const char*>(lParam), true);
    case LB_INSERTSTRING:
        return Insert(hwnd, s, index, reinterpret_cast<const char*>(lParam), false);
    case LB_DELETESTRING:
        return Delete(hwnd, s, index);
    case LB_RESETCONTENT:
        s.items.clear();
        s.cur = -1;
        s.top = 0;
        UpdateScroll(hwnd, s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case LB_GETCOUNT:
        return s.Count();
    case LB_GETTEXT:
        if (!item) return LB_ERR;
        if (lParam) std::memcpy(reinterpret_cast<char*>(lParam), item->text.c_str(), item->text.size() + 1);
        return static_cast<LRESULT>(item->text.size());
    case LB_GETTEXTLEN:
        return item ? static_cast<LRESULT>(item->text.size()) : LB_ERR;
    case LB_GETITEMDATA:
        return item ? static_cast<LRESULT>(item->data) : LB_ERR;
    case LB_GETITEMSTATE:
        return item ? item->state : LB_ERR;
    case LB_SETITEMSTATE:
        if (!item) return LB_ERR;
        item->state = static_cast<int>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case LB_SETITEMDATA:
        if (!item) return LB_ERR;
        item->data = static_cast<std::uintptr_t>(lParam);
        return 0;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return FindPrefix(s, index, lParam ? reinterpret_cast<const char*>(lParam) : "",
                          msg == LB_FINDSTRINGEXACT);
    case LB_GETITEMRECT:
        if (!item || !lParam) return LB_ERR;
        *reinterpret_cast<TRect*>(lParam) = ItemRect(hwnd, s, index);
        return 0;
    case LB_ITEMFROMPOINT: // our own answer: the index, or -1 outside every item
        return ItemFromPoint(hwnd, s, LParamToPoint(lParam));
    default:
        handled = false;
        return 0;
    }
}

LRESULT SelectionMessages(HWND hwnd, ListState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    const int index = static_cast<int>(static_cast<std::int32_t>(wParam));
    switch (msg) {
    case LB_SETCURSEL:
        if (s.Multi()) return LB_ERR;
        Select(hwnd, s, index);
        return s.cur;
    case LB_GETCURSEL:
        return s.cur;
    case LB_SETSEL: {
        const int i = static_cast<int>(static_cast<std::int32_t>(lParam));
        if (!s.Multi()) return LB_ERR;
        for (int k = 0; k < s.Count(); ++k)
            if (i == -1 || k == i) s.items[static_cast<std::size_t>(k)].selected = wParam != 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case LB_GETSEL:
        if (index < 0 || index >= s.Count()) return LB_ERR;
        return s.Multi() ? s.items[static_cast<std::size_t>(index)].selected : index == s.cur;
    case LB_GETSELCOUNT:
        if (!s.Multi()) return LB_ERR;
        return std::count_if(s.items.begin(), s.items.end(), [](const Item& it) { return it.selected; });
    case LB_SETCARETINDEX:
        if (index < -1 || index >= s.Count()) return LB_ERR;
        s.cur = index;
        ScrollIntoView(hwnd, s, index);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case LB_GETCARETINDEX:
        return s.cur;
    case LB_SETTOPINDEX:
        SetTop(hwnd, s, index);
        return 0;
    case LB_GETTOPINDEX:
        return s.top;
    case LB_SETITEMHEIGHT: {
        const int h =
            static_cast<int>(static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(lParam))));
        if (h <= 0) return LB_ERR; // a height of 0 or less is ignored
        s.itemHeight = h;
        SetTop(hwnd, s, s.top);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    case LB_GETITEMHEIGHT:
        return s.itemHeight;
    case LB_SETCOLUMNWIDTH:
        s.columnWidth = index;
        SetTop(hwnd, s, s.top);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    default:
        return ItemMessages(hwnd, s, msg, wParam, lParam, handled);
    }
}

LRESULT WindowMessages(HWND hwnd, ListState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
    case WM_PAINT:
        OnPaint(hwnd, s, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
        SetTop(hwnd, s, s.top);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        s.focused = msg == WM_SETFOCUS;
        if (s.cur >= 0) {
            const TRect r = ItemRect(hwnd, s, s.cur);
            InvalidateRect(hwnd, &r, TRUE);
        }
        return 0;
    case WM_MOUSEACTIVATE:
        if (s.noFocus) return MA_NOACTIVATE;
        handled = false;
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        OnKey(hwnd, s, static_cast<int>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(hwnd, s, wParam, lParam, msg == WM_LBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(hwnd, s, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(hwnd, s);
        return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        s.tracking = false;
        return 0;
    case WM_VSCROLL:
        if (!s.Columns()) OnScroll(hwnd, s, wParam);
        return 0;
    case WM_HSCROLL:
        if (s.Columns()) OnColumnScroll(hwnd, s, wParam);
        return 0;
    case WM_MOUSEWHEEL:
        OnWheel(hwnd, s, wParam);
        return 0;
    default:
        return SelectionMessages(hwnd, s, msg, wParam, lParam, handled);
    }
}

LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto& s = *tLists.emplace(hwnd, std::make_unique<ListState>()).first->second;
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        s.style = cs ? cs->style : 0;
        s.noFocus = cs && (cs->dwExStyle & WS_EX_NOACTIVATE);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    ListState* s = Find(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        tLists.erase(hwnd);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    bool handled = true;
    const LRESULT r = WindowMessages(hwnd, *s, msg, wParam, lParam, handled);
    return handled ? r : DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

void RegisterListBoxClass() {
    static const bool done = [] {
        WNDCLASS wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = MakeWndProc(ListBoxProc);
        wc.lpszClassName = WC_LISTBOX;
        RegisterClass(wc);
        return true;
    }();
    (void)done;
}

} // namespace vd
