// The default window procedure: the duties callers leave to it.
#include "platform/gfx/Gdi.h"
#include "platform/win/core/WinCore.h"

#include <algorithm>
#include <cstring>

namespace vd {
namespace wincore {

LRESULT DefNcHitTest(Window& w, TPoint screen) {
    const TRect wr = WindowRectOnScreen(w);
    const TPoint p{screen.X - wr.Left, screen.Y - wr.Top};
    if (p.X < 0 || p.Y < 0 || p.X >= wr.Width() || p.Y >= wr.Height()) return HTNOWHERE;
    const TRect& c = w.client;
    if (p.X >= c.Left && p.X < c.Right && p.Y >= c.Top && p.Y < c.Bottom) return HTCLIENT;
    if (w.style & WS_THICKFRAME) {
        const int b = 4;
        const bool left = p.X < b, right = p.X >= wr.Width() - b, top = p.Y < b,
                   bottom = p.Y >= wr.Height() - b;
        if (top && left) return HTTOPLEFT;
        if (top && right) return HTTOPRIGHT;
        if (bottom && left) return HTBOTTOMLEFT;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    if ((w.style & WS_CAPTION) == WS_CAPTION && p.Y < c.Top) return HTCAPTION;
    return HTBORDER;
}

namespace {

CursorShape CursorForHit(int ht, const Window& w) {
    switch (ht) {
    case HTLEFT:
    case HTRIGHT:
        return CursorShape::SizeWE;
    case HTTOP:
    case HTBOTTOM:
        return CursorShape::SizeNS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return CursorShape::SizeNWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return CursorShape::SizeNESW;
    case HTCLIENT:
        return w.cls->cursor;
    default:
        return CursorShape::Arrow;
    }
}

void ApplySizeEdge(TRect& r, const TRect& start, int edge, int dx, int dy, const MINMAXINFO& mmi) {
    const bool left = edge == 1 || edge == 4 || edge == 7;
    const bool right = edge == 2 || edge == 5 || edge == 8;
    const bool top = edge == 3 || edge == 4 || edge == 5;
    const bool bottom = edge == 6 || edge == 7 || edge == 8;
    r = start;
    auto clampW = [&](int wdt) {
        return std::clamp(wdt, mmi.ptMinTrackSize.X, std::max(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X));
    };
    auto clampH = [&](int hgt) {
        return std::clamp(hgt, mmi.ptMinTrackSize.Y, std::max(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y));
    };
    if (left) r.Left = start.Right - clampW(start.Width() - dx);
    if (right) r.Right = start.Left + clampW(start.Width() + dx);
    if (top) r.Top = start.Bottom - clampH(start.Height() - dy);
    if (bottom) r.Bottom = start.Top + clampH(start.Height() + dy);
}

bool IsInput(UINT m) {
    return (m >= WM_MOUSEMOVE && m <= WM_MOUSEWHEEL) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK) ||
           (m >= WM_KEYDOWN && m <= WM_SYSCHAR);
}

// A plain frame: a dark line round the window, a face-coloured border, a caption bar.
void DefNcPaint(Window& w) {
    if (w.client == TRect{0, 0, w.rect.Width(), w.rect.Height()}) return;
    HDC dc = GetWindowDC(w.Handle());
    ExcludeClipRect(dc, w.client.Left, w.client.Top, w.client.Right, w.client.Bottom);
    const TRect all{0, 0, w.rect.Width(), w.rect.Height()};
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    HBRUSH dark = CreateSolidBrush(GetSysColor(COLOR_3DDKSHADOW));
    FillRect(dc, &all, face);
    FrameRect(dc, &all, dark);
    if ((w.style & WS_CAPTION) == WS_CAPTION && w.client.Top > 2) {
        const bool active = w.queue->active == w.Handle();
        HBRUSH bar = CreateSolidBrush(GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        TRect cap{w.client.Left, std::max(1, w.client.Top - ((w.exStyle & WS_EX_TOOLWINDOW) ? 16 : 19)),
                  w.client.Right, w.client.Top - 1};
        FillRect(dc, &cap, bar);
        DeleteObject(bar);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        cap.Left += 4;
        DrawTextUtf8(dc, w.text, cap, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    DeleteObject(face);
    DeleteObject(dark);
    ReleaseDC(w.Handle(), dc);
}

} // namespace

LRESULT SizeMoveLoop(Window& win, UINT command, LPARAM startPt) {
    WindowRef w = Lookup(win.Handle());
    if (!w) return 0;
    const HWND h = w->Handle();
    const bool move = (command & 0xFFF0) == SC_MOVE;
    const int edge = static_cast<int>(command & 0x0F);
    // The press that started the loop, not where the pointer is by now.
    TPoint start = LParamToPoint(startPt);
    if (startPt == 0) GetCursorPos(start);
    const TRect startRect = w->rect;
    CallProc(*w, WM_ENTERSIZEMOVE, 0, 0);
    if (!w->alive) return 0;
    SetCapture(h);
    auto q = w->queue;
    for (;;) {
        MSG m;
        NextMessage(*q, m, true, true);
        if (m.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (!w->alive) return 0;
        if (q->capture != h) {
            if (!IsInput(m.message)) DispatchMessage(m);
            break;
        }
        if (m.hwnd == h && m.message == WM_MOUSEMOVE) {
            const int dx = m.pt.X - start.X, dy = m.pt.Y - start.Y;
            TRect r;
            if (move) {
                r = {startRect.Left + dx, startRect.Top + dy, startRect.Right + dx, startRect.Bottom + dy};
                CallProc(*w, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
                if (!w->alive) return 0;
                SetWindowPos(h, nullptr, r.Left, r.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            } else {
                const MINMAXINFO mmi = QueryMinMax(*w);
                if (!w->alive) return 0;
                ApplySizeEdge(r, startRect, edge, dx, dy, mmi);
                CallProc(*w, WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&r));
                if (!w->alive) return 0;
                SetWindowPos(h, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
            }
            if (!w->alive) return 0;
            continue;
        }
        if (m.message == WM_LBUTTONUP) break; // consumed: no button-up reaches the window
        if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) {
            SetWindowPos(h, nullptr, startRect.Left, startRect.Top, startRect.Width(), startRect.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        if (!IsInput(m.message)) DispatchMessage(m);
    }
    if (!w->alive) return 0;
    if (q->capture == h) ReleaseCapture();
    CallProc(*w, WM_EXITSIZEMOVE, 0, 0);
    return 0;
}

} // namespace wincore

using namespace wincore;

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowRef w = Lookup(hwnd);
    if (!w) return 0;
    switch (msg) {
    case WM_NCCREATE:
        return TRUE;
    case WM_NCCALCSIZE:
        if (wParam)
            DefNcCalcSize(*w, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]);
        else
            DefNcCalcSize(*w, *reinterpret_cast<TRect*>(lParam));
        return 0;
    case WM_NCHITTEST:
        return DefNcHitTest(*w, LParamToPoint(lParam));
    case WM_NCACTIVATE:
        return TRUE;
    case WM_SETCURSOR: {
        if (w->IsChild() && SendMessage(w->parent->Handle(), WM_SETCURSOR, wParam, lParam)) return TRUE;
        SetCursorShape(
            CursorForHit(static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(lParam))), *w));
        return TRUE;
    }
    case WM_MOUSEACTIVATE:
        if (w->IsChild()) {
            const LRESULT r = SendMessage(w->parent->Handle(), WM_MOUSEACTIVATE, wParam, lParam);
            if (r) return r;
        }
        return MA_ACTIVATE;
    case WM_NCLBUTTONDOWN: {
        const int ht = static_cast<int>(wParam);
        if (ht == HTCAPTION) return SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | 2, lParam);
        // A child answering a sizing code (a status bar's grip) sizes its top-level window.
        if (ht >= HTLEFT && ht <= HTBOTTOMRIGHT)
            return SendMessage(w->IsChild() ? GetAncestor(hwnd, GA_ROOT) : hwnd, WM_SYSCOMMAND,
                               SC_SIZE | (ht - 9), lParam);
        return 0;
    }
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && (w->style & WS_SYSMENU) && (w->style & WS_MAXIMIZEBOX))
            return SendMessage(hwnd, WM_SYSCOMMAND, w->zoomed ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    case WM_RBUTTONUP: {
        TPoint p = LParamToPoint(lParam);
        ClientToScreen(hwnd, p);
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), PointToLParam(p));
        return 0;
    }
    case WM_CONTEXTMENU:
        if (w->IsChild()) return SendMessage(w->parent->Handle(), WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        if (w->IsChild()) return SendMessage(w->parent->Handle(), WM_MOUSEWHEEL, wParam, lParam);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MOVE:
        case SC_SIZE:
            return SizeMoveLoop(*w, static_cast<UINT>(wParam), lParam);
        case SC_CLOSE:
            return SendMessage(hwnd, WM_CLOSE, 0, 0);
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            return 0;
        case SC_RESTORE:
            if (w->iconic)
                ShowWindow(hwnd, SW_RESTORE);
            else if (w->zoomed)
                ShowWindow(hwnd, SW_SHOWNORMAL), w->zoomed = false;
            return 0;
        case SC_MAXIMIZE: {
            MONITORINFO mi;
            GetMonitorInfo(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), mi);
            w->zoomed = true;
            SetWindowPos(hwnd, nullptr, mi.rcWork.Left, mi.rcWork.Top, mi.rcWork.Width(), mi.rcWork.Height(),
                         SWP_NOZORDER);
            return 0;
        }
        default:
            return 0;
        }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (LPARAM(1) << 29)))
            return SendMessage(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
        // Shift+F10 asks for the context menu at the keyboard's place.
        if (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0)
            SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MakeLParam(-1, -1));
        return 0;
    case WM_KEYUP:
        if (wParam == VK_APPS)
            SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MakeLParam(-1, -1));
        return 0;
    case WM_SYSKEYUP:
        if (wParam == VK_MENU && w->queue->altAloneUp) {
            w->queue->altAloneUp = false;
            return SendMessage(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, 0);
        }
        return 0;
    case WM_CANCELMODE:
        if (w->queue->capture == hwnd) ReleaseCapture();
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(wp->flags & SWP_NOMOVE))
            SendMessage(hwnd, WM_MOVE, 0,
                        MakeLParam(w->rect.Left + w->client.Left, w->rect.Top + w->client.Top));
        if (!(wp->flags & SWP_NOSIZE) && Get(hwnd))
            SendMessage(hwnd, WM_SIZE, w->zoomed ? SIZE_MAXIMIZED : SIZE_RESTORED,
                        MakeLParam(w->client.Width(), w->client.Height()));
        return 0;
    }
    case WM_SETICON: {
        HICON previous = w->icon.Get();
        w->icon = GdiRef<GdiIcon>(reinterpret_cast<HICON>(lParam));
        if (!w->IsChild()) CurrentBackend().TopLevelChanged(hwnd, wcIcon);
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(w->icon.Get());
    case WM_SETREDRAW:
        w->noRedraw = wParam == 0;
        PaintMayBeDue();
        return 0;
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (!w->IsChild()) CurrentBackend().TopLevelChanged(hwnd, wcText);
        return TRUE;
    case WM_GETTEXT: {
        if (!wParam || !lParam) return 0;
        const std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), w->text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_ACTIVATE:
        if (LoWord(wParam) != WA_INACTIVE && !w->iconic) {
            auto& q = *w->queue;
            if (!q.settingFocus && !(q.focus && (q.focus == hwnd || IsChild(hwnd, q.focus)))) SetFocus(hwnd);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, ps);
        EndPaint(hwnd, ps);
        return 0;
    }
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ERASEBKGND: {
        HBRUSH brush = w->cls->background;
        if (!brush || !wParam) return 0;
        const TRect r{0, 0, w->client.Width(), w->client.Height()};
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        return 1;
    }
    case WM_NCPAINT:
        DefNcPaint(*w);
        return 0;
    default:
        return 0;
    }
}

} // namespace vd
