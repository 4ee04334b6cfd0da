// The edit window procedure: messages in, model and view changes, notifications out.
#include "platform/win/controls/EditWindow.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Utf8.h"
#include "platform/win/controls/EditModel.h"
#include "platform/win/controls/EditView.h"

#include <cstring>
#include <memory>
#include <unordered_map>

namespace vd {
namespace {

constexpr std::uintptr_t kDragTimer = 0xED17;
constexpr UINT kDragInterval = 100;

struct EditState {
    EditModel model;
    EditView view;
    char32_t password = 0;
    bool focused = false;
    bool dragging = false;
    bool transparent = false;
    bool noHideSel = false;
    COLORREF text = 0;
    COLORREF back = 0xFFFFFF;
};

// Windows belong to the thread that made them, and so does their state.
thread_local std::unordered_map<HWND, std::unique_ptr<EditState>> tStates;

EditState* Find(HWND hwnd) {
    auto it = tStates.find(hwnd);
    return it == tStates.end() ? nullptr : it->second.get();
}

bool KeyDown(int vk) {
    return GetKeyState(vk) < 0;
}

TRect Client(HWND hwnd) {
    return GetClientRect(hwnd);
}

void UpdateCaret(HWND hwnd, EditState& s) {
    if (!s.focused) return;
    const TRect f = s.view.FormatRect(Client(hwnd));
    SetCaretPos(s.view.PosX(s.model.Caret(), Client(hwnd)), f.Top);
}

// After a caret or selection move: keep the caret in view and repaint (host background too).
void Moved(HWND hwnd, EditState& s) {
    s.view.ScrollTo(s.model.Caret(), Client(hwnd));
    UpdateCaret(hwnd, s);
    InvalidateRect(hwnd, nullptr, FALSE);
}

// After a user edit: layout, repaint, then EN_CHANGE to the parent.
void Changed(HWND hwnd, EditState& s) {
    s.view.Layout(s.model, s.password);
    Moved(hwnd, s);
    if (HWND parent = GetParent(hwnd))
        SendMessage(parent, WM_COMMAND, MakeWParam(static_cast<int>(GetWindowLong(hwnd, GWL_ID)), EN_CHANGE),
                    reinterpret_cast<LPARAM>(hwnd));
}

void Edited(HWND hwnd, EditState& s, bool changed) {
    if (changed)
        Changed(hwnd, s);
    else
        Moved(hwnd, s);
}

bool CopySel(EditState& s) {
    if (s.password || !s.model.HasSelection()) return false;
    ClipboardSetText(s.model.SelText());
    return true;
}

void Cut(HWND hwnd, EditState& s) {
    if (s.model.ReadOnly || !CopySel(s)) return;
    Edited(hwnd, s, s.model.ReplaceSel(""));
}

void Paste(HWND hwnd, EditState& s) {
    if (s.model.ReadOnly || !ClipboardHasText()) return;
    Edited(hwnd, s, s.model.ReplaceSel(ClipboardGetText()));
}

bool OnKeyDown(HWND hwnd, EditState& s, int vk) {
    EditModel& m = s.model;
    const bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
    switch (vk) {
    case VK_LEFT:
        m.MoveTo(ctrl ? m.WordLeft(m.Caret()) : m.PrevChar(m.Caret()), shift);
        break;
    case VK_RIGHT:
        m.MoveTo(ctrl ? m.WordRight(m.Caret()) : m.NextChar(m.Caret()), shift);
        break;
    case VK_HOME:
        m.MoveTo(0, shift);
        break;
    case VK_END:
        m.MoveTo(m.Text().size(), shift);
        break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        if (!shift) m.MoveTo(m.Caret(), false);
        break;
    case VK_DELETE:
        if (shift) {
            if (m.HasSelection())
                Cut(hwnd, s);
            else
                Edited(hwnd, s, m.DeleteBack());
            return true;
        }
        Edited(hwnd, s, ctrl ? m.DeleteToEnd() : m.DeleteForward());
        return true;
    case VK_INSERT:
        if (ctrl)
            CopySel(s);
        else if (shift)
            Paste(hwnd, s);
        return true;
    default:
        return false;
    }
    Moved(hwnd, s);
    return true;
}

void OnChar(HWND hwnd, EditState& s, char32_t ch) {
    EditModel& m = s.model;
    switch (ch) {
    case 8:
        Edited(hwnd, s, m.DeleteBack());
        return;
    case 1:
        m.SetSel(0, -1);
        Moved(hwnd, s);
        return;
    case 3:
        CopySel(s);
        return;
    case 22:
        Paste(hwnd, s);
        return;
    case 24:
        Cut(hwnd, s);
        return;
    case 26:
        Edited(hwnd, s, m.Undo());
        return;
    case 127:
        Edited(hwnd, s, m.DeleteWordBack());
        return;
    default:
        if (ch < 32) return;
        if (m.ReadOnly) return;
        if (m.Limit > 0 && m.Text().size() - (m.SelMax() - m.SelMin()) + Utf8Encode(ch).size() > m.Limit) {
            MessageBeep(0);
            return;
        }
        Edited(hwnd, s, m.TypeChar(ch));
    }
}

void OnButtonDown(HWND hwnd, EditState& s, LPARAM lParam, bool dbl) {
    if (GetFocus() != hwnd) SetFocus(hwnd);
    if (!IsWindow(hwnd)) return;
    const std::size_t pos = s.view.PosFromX(GetXLParam(lParam), Client(hwnd));
    if (dbl) {
        std::size_t a = 0, b = 0;
        s.model.WordAt(pos, a, b);
        s.model.SetSel(static_cast<long long>(a), static_cast<long long>(b));
    } else {
        s.model.MoveTo(pos, KeyDown(VK_SHIFT));
        s.dragging = true;
        SetCapture(hwnd);
    }
    Moved(hwnd, s);
}

void OnMouseMove(HWND hwnd, EditState& s, LPARAM lParam) {
    if (!s.dragging || GetCapture() != hwnd) return;
    const TRect f = s.view.FormatRect(Client(hwnd));
    const int x = GetXLParam(lParam);
    if (x < f.Left || x >= f.Right)
        SetTimer(hwnd, kDragTimer, kDragInterval);
    else
        KillTimer(hwnd, kDragTimer);
    s.model.MoveTo(s.view.PosFromX(x, Client(hwnd)), true);
    Moved(hwnd, s);
}

// Timed scrolling while a drag holds the mouse outside the left or right edge.
void OnDragTimer(HWND hwnd, EditState& s) {
    TPoint p;
    GetCursorPos(p);
    ScreenToClient(hwnd, p);
    const TRect f = s.view.FormatRect(Client(hwnd));
    if (!s.dragging || (p.X >= f.Left && p.X < f.Right)) {
        KillTimer(hwnd, kDragTimer);
        return;
    }
    EditModel& m = s.model;
    m.MoveTo(p.X < f.Left ? m.PrevChar(m.Caret()) : m.NextChar(m.Caret()), true);
    Moved(hwnd, s);
}

void EndDrag(HWND hwnd, EditState& s) {
    if (!s.dragging) return;
    s.dragging = false;
    KillTimer(hwnd, kDragTimer);
    if (GetCapture() == hwnd) ReleaseCapture();
}

void OnPaint(HWND hwnd, EditState& s, HDC given) {
    PAINTSTRUCT ps;
    HDC dc = given;
    if (!dc) {
        BeginPaint(hwnd, ps);
        dc = ps.hdc;
    }
    TRect client = Client(hwnd);
    if (s.transparent) {
        SendMessage(hwnd, EM_PAINTHOSTBACKGROUND, reinterpret_cast<WPARAM>(dc),
                    reinterpret_cast<LPARAM>(&client));
    } else {
        UniqueBrush b(CreateSolidBrush(s.back));
        FillRect(dc, &client, b.Get());
    }
    const COLORREF color = IsWindowEnabled(hwnd) ? s.text : GetSysColor(COLOR_GRAYTEXT);
    s.view.Paint(dc, client, s.model, color, s.focused || s.noHideSel);
    if (!given) EndPaint(hwnd, ps);
}

void OnFocus(HWND hwnd, EditState& s, bool gained) {
    s.focused = gained;
    if (gained) {
        CreateCaret(hwnd, 1, s.view.LineHeight());
        UpdateCaret(hwnd, s);
        ShowCaret(hwnd);
    } else {
        EndDrag(hwnd, s);
        DestroyCaret();
    }
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT OnGetSel(const EditState& s, WPARAM wParam, LPARAM lParam) {
    const auto lo = static_cast<std::uint32_t>(s.model.SelMin());
    const auto hi = static_cast<std::uint32_t>(s.model.SelMax());
    if (wParam) *reinterpret_cast<std::uint32_t*>(wParam) = lo;
    if (lParam) *reinterpret_cast<std::uint32_t*>(lParam) = hi;
    return MakeLParam(static_cast<int>(lo), static_cast<int>(hi));
}

void SetMargins(HWND hwnd, EditState& s, WPARAM flags, LPARAM lParam) {
    if (flags == EC_USEFONTINFO) {
        s.view.MarginLeft = s.view.MarginRight = 1;
    } else {
        if (flags & EC_LEFTMARGIN) s.view.MarginLeft = LoWord(static_cast<std::uintptr_t>(lParam));
        if (flags & EC_RIGHTMARGIN) s.view.MarginRight = HiWord(static_cast<std::uintptr_t>(lParam));
    }
    Moved(hwnd, s);
}

void SetText(HWND hwnd, EditState& s, const char* text) {
    s.model.SetText(text ? text : "");
    s.view.Layout(s.model, s.password);
    s.view.ResetScroll();
    UpdateCaret(hwnd, s);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void Create(HWND hwnd, const CREATESTRUCT* cs) {
    auto& s = *tStates.emplace(hwnd, std::make_unique<EditState>()).first->second;
    const DWord style = cs ? cs->style : static_cast<DWord>(GetWindowLong(hwnd, GWL_STYLE));
    s.view.Align = static_cast<int>(style & (ES_CENTER | ES_RIGHT));
    s.model.ReadOnly = (style & ES_READONLY) != 0;
    s.model.Case = (style & ES_UPPERCASE)   ? EditCase::Upper
                   : (style & ES_LOWERCASE) ? EditCase::Lower
                                            : EditCase::Normal;
    s.password = (style & ES_PASSWORD) ? U'*' : 0;
    s.noHideSel = (style & ES_NOHIDESEL) != 0;
    s.text = GetSysColor(COLOR_WINDOWTEXT);
    s.back = GetSysColor(COLOR_WINDOW);
    SetText(hwnd, s, cs ? cs->lpszName : nullptr);
}

LRESULT EditMessages(HWND hwnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

LRESULT EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        Create(hwnd, reinterpret_cast<const CREATESTRUCT*>(lParam));
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    EditState* s = Find(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        if (s->focused) DestroyCaret();
        tStates.erase(hwnd);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    bool handled = true;
    const LRESULT r = EditMessages(hwnd, *s, msg, wParam, lParam, handled);
    return handled ? r : DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT EditSettings(HWND hwnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
    case WM_SETFONT:
        s.view.SetFont(reinterpret_cast<HFONT>(wParam));
        s.view.Layout(s.model, s.password);
        if (s.focused) CreateCaret(hwnd, 1, s.view.LineHeight()), ShowCaret(hwnd);
        Moved(hwnd, s);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.view.Font());
    case EM_SETMARGINS:
        SetMargins(hwnd, s, wParam, lParam);
        return 0;
    case EM_GETMARGINS:
        return MakeLParam(s.view.MarginLeft, s.view.MarginRight);
    case EM_SETRECT:
    case EM_SETRECTNP:
        s.view.SetFormatRect(reinterpret_cast<const TRect*>(lParam));
        Moved(hwnd, s);
        return 0;
    case EM_GETRECT:
        if (lParam) *reinterpret_cast<TRect*>(lParam) = s.view.FormatRect(Client(hwnd));
        return 0;
    case EM_LIMITTEXT: {
        const auto v = static_cast<std::int64_t>(static_cast<std::int32_t>(wParam));
        s.model.Limit = v <= 0 ? 0 : static_cast<std::size_t>(v);
        return 0;
    }
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(s.model.Limit);
    case EM_SETREADONLY:
        s.model.ReadOnly = wParam != 0;
        return TRUE;
    case EM_SETPASSWORDCHAR:
        s.password = static_cast<char32_t>(wParam);
        s.view.Layout(s.model, s.password);
        Moved(hwnd, s);
        return 0;
    case EM_GETPASSWORDCHAR:
        return static_cast<LRESULT>(s.password);
    case EM_SETCOLORS:
        s.text = static_cast<COLORREF>(wParam);
        s.back = static_cast<COLORREF>(lParam);
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case EM_SETTRANSPARENT:
        s.transparent = wParam != 0;
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case EM_SETCHARCASE:
        s.model.Case = wParam == 1 ? EditCase::Upper : wParam == 2 ? EditCase::Lower : EditCase::Normal;
        return 0;
    case EM_SETNOHIDESEL:
        s.noHideSel = wParam != 0;
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    default:
        handled = false;
        return 0;
    }
}

LRESULT EditText(HWND hwnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    EditModel& m = s.model;
    switch (msg) {
    case WM_SETTEXT:
        SetText(hwnd, s, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_GETTEXT: {
        if (!wParam || !lParam) return 0;
        const String cut = Utf8CutBytes(m.Text(), wParam - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), cut.data(), cut.size());
        reinterpret_cast<char*>(lParam)[cut.size()] = 0;
        return static_cast<LRESULT>(cut.size());
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(m.Text().size());
    case EM_GETSEL:
        return OnGetSel(s, wParam, lParam);
    case EM_SETSEL:
        m.SetSel(static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
        Moved(hwnd, s);
        return 0;
    case EM_SCROLLCARET:
        Moved(hwnd, s);
        return TRUE;
    case EM_REPLACESEL:
        Edited(hwnd, s, m.ReplaceSel(lParam ? reinterpret_cast<const char*>(lParam) : ""));
        return 0;
    case EM_GETMODIFY:
        return m.Modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        m.Modified = wParam != 0;
        return 0;
    case EM_CANUNDO:
        return m.CanUndo() && !m.ReadOnly ? TRUE : FALSE;
    case EM_UNDO:
    case WM_UNDO:
        Edited(hwnd, s, m.Undo());
        return TRUE;
    case EM_EMPTYUNDOBUFFER:
        m.EmptyUndo();
        return 0;
    case EM_POSFROMCHAR:
        return MakeLParam(s.view.PosX(wParam, Client(hwnd)), s.view.FormatRect(Client(hwnd)).Top);
    case EM_CHARFROMPOS:
        return static_cast<LRESULT>(s.view.PosFromX(GetXLParam(lParam), Client(hwnd)));
    case WM_COPY:
        CopySel(s);
        return 0;
    case WM_CUT:
        Cut(hwnd, s);
        return 0;
    case WM_PASTE:
        Paste(hwnd, s);
        return 0;
    case WM_CLEAR:
        if (m.HasSelection()) Edited(hwnd, s, m.ReplaceSel(""));
        return 0;
    default:
        return EditSettings(hwnd, s, msg, wParam, lParam, handled);
    }
}

LRESULT EditMessages(HWND hwnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    switch (msg) {
    case WM_PAINT:
        OnPaint(hwnd, s, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT paints everything, the host's background first
    case WM_SIZE:
        Moved(hwnd, s);
        return 0;
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        OnFocus(hwnd, s, msg == WM_SETFOCUS);
        return 0;
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        if (!s.password) code |= DLGC_WANTALLKEYS;
        return code;
    }
    case WM_KEYDOWN:
        if (OnKeyDown(hwnd, s, static_cast<int>(wParam))) return 0;
        handled = false;
        return 0;
    case WM_CHAR:
        OnChar(hwnd, s, static_cast<char32_t>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(hwnd, s, lParam, msg == WM_LBUTTONDBLCLK);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(hwnd, s, lParam);
        return 0;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        EndDrag(hwnd, s);
        return 0;
    case WM_TIMER:
        if (wParam == kDragTimer) OnDragTimer(hwnd, s);
        return 0;
    default:
        return EditText(hwnd, s, msg, wParam, lParam, handled);
    }
}

} // namespace

void RegisterEditClass() {
    static const bool done = [] {
        WNDCLASS wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = MakeWndProc(EditProc);
        wc.cursor = CursorShape::IBeam;
        wc.lpszClassName = WC_EDIT;
        RegisterClass(wc);
        return true;
    }();
    (void)done;
}

const EditModel* EditWindowModel(HWND hwnd) {
    const EditState* s = Find(hwnd);
    return s ? &s->model : nullptr;
}

int EditWindowPosX(HWND hwnd, std::size_t pos) {
    const EditState* s = Find(hwnd);
    return s ? s->view.PosX(pos, GetClientRect(hwnd)) : 0;
}

} // namespace vd
