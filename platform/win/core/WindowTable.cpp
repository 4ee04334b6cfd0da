// Handles, classes, creation and destruction, window longs and procedure chaining.
#include "platform/win/Spy.h"
#include "platform/win/core/WinCore.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace vd {
namespace wincore {
namespace {

struct Tables {
    std::mutex lock;
    std::unordered_map<std::uintptr_t, WindowRef> windows;
    std::map<String, std::shared_ptr<const WindowClass>> classes;
    std::uintptr_t nextId = 0x1000;
    std::vector<Window*> topLevels;
};

Tables& T() {
    static Tables* t = new Tables; // outlives every static window owner
    return *t;
}

std::shared_ptr<ThreadQueue>& ThisThreadQueue() {
    thread_local std::shared_ptr<ThreadQueue> q;
    return q;
}

std::mutex gInputLock;
std::weak_ptr<ThreadQueue> gInputQueue;

} // namespace

WindowRef Lookup(HWND hwnd) {
    auto& t = T();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == t.windows.end() ? nullptr : it->second;
}

Window* Get(HWND hwnd) {
    auto ref = Lookup(hwnd);
    return ref.get(); // the table keeps it alive
}

std::shared_ptr<ThreadQueue> CurrentQueue() {
    auto& q = ThisThreadQueue();
    if (!q) {
        q = std::make_shared<ThreadQueue>();
        q->thread = std::this_thread::get_id();
        std::lock_guard<std::mutex> guard(gInputLock);
        if (gInputQueue.expired()) {
            gInputQueue = q;
            q->usesBackend = true;
        }
    }
    return q;
}

std::shared_ptr<ThreadQueue> InputQueue() {
    std::lock_guard<std::mutex> guard(gInputLock);
    return gInputQueue.lock();
}

std::vector<Window*>& TopLevels() {
    return T().topLevels;
}

std::vector<Window*> AllWindowsOf(const ThreadQueue& q) {
    std::vector<Window*> out;
    auto& t = T();
    std::lock_guard<std::mutex> guard(t.lock);
    for (auto& [id, w] : t.windows)
        if (w->queue.get() == &q) out.push_back(w.get());
    return out;
}

LRESULT CallProc(Window& w, UINT msg, WPARAM wParam, LPARAM lParam, bool posted) {
    if (!w.alive && msg != WM_NCDESTROY) return 0;
    WNDPROC proc = w.proc; // a procedure replaced during the call stays alive until it returns
    const HWND h = w.Handle();
    const int token = MessageSpy::Active() ? MessageSpy::Enter(h, msg, wParam, lParam, posted) : -1;
    LRESULT r = 0;
    try {
        r = proc && *proc ? (*proc)(h, msg, wParam, lParam) : DefWindowProc(h, msg, wParam, lParam);
    } catch (...) {
        if (token >= 0) MessageSpy::Leave(token, 0);
        throw;
    }
    if (token >= 0) MessageSpy::Leave(token, r);
    return r;
}

namespace {

void UnlinkFromTree(Window& w) {
    if (w.parent) {
        auto& c = w.parent->children;
        c.erase(std::remove(c.begin(), c.end(), &w), c.end());
        w.parent = nullptr;
    } else {
        ZOrderRemove(w);
    }
}

void SendDestroy(Window& w) {
    CallProc(w, WM_DESTROY, 0, 0);
    auto kids = w.children;
    for (Window* c : kids)
        if (auto ref = Lookup(c->Handle())) SendDestroy(*ref);
}

void SendNcDestroyAndRemove(Window& w) {
    auto kids = w.children;
    for (Window* c : kids)
        if (auto ref = Lookup(c->Handle())) SendNcDestroyAndRemove(*ref);
    CallProc(w, WM_NCDESTROY, 0, 0);
    auto& q = *w.queue;
    RemoveTimersOf(q, w.Handle());
    const bool topLevel = !w.IsChild();
    UnlinkFromTree(w);
    ReleaseSurface(w);
    ReleaseRegion(w);
    w.alive = false;
    {
        auto& t = T();
        std::lock_guard<std::mutex> guard(t.lock);
        t.windows.erase(w.id);
    }
    if (topLevel) CurrentBackend().TopLevelDestroyed(w.Handle());
}

} // namespace

} // namespace wincore

using namespace wincore;

WNDPROC MakeWndProc(WindowProcedure proc) {
    return std::make_shared<const WindowProcedure>(std::move(proc));
}

WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc) {
    Window* w = Get(hwnd);
    if (!w) return nullptr;
    WNDPROC old = std::move(w->proc);
    w->proc = std::move(proc);
    return old;
}

WNDPROC GetWindowProc(HWND hwnd) {
    Window* w = Get(hwnd);
    return w ? w->proc : nullptr;
}

LRESULT CallWindowProc(const WNDPROC& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (proc && *proc) return (*proc)(hwnd, msg, wParam, lParam);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

ATOM RegisterClass(const WNDCLASS& wc) {
    if (wc.lpszClassName.empty()) return 0;
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc.lpszClassName;
    cls->style = wc.style;
    cls->proc = wc.lpfnWndProc;
    cls->cursor = wc.cursor;
    cls->background = wc.hbrBackground;
    auto& t = T();
    std::lock_guard<std::mutex> guard(t.lock);
    t.classes[wc.lpszClassName] = std::move(cls);
    return static_cast<ATOM>(t.classes.size());
}

bool GetClassInfo(const String& className, WNDCLASS& out) {
    auto& t = T();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.classes.find(className);
    if (it == t.classes.end()) return false;
    out.style = it->second->style;
    out.lpfnWndProc = it->second->proc;
    out.cursor = it->second->cursor;
    out.hbrBackground = it->second->background;
    out.lpszClassName = it->second->name;
    return true;
}

String GetClassName(HWND hwnd) {
    Window* w = Get(hwnd);
    return w ? w->cls->name : String();
}

UINT GetClassStyle(HWND hwnd) {
    Window* w = Get(hwnd);
    return w ? w->cls->style : 0;
}

HWND CreateWindowEx(DWord exStyle, const String& className, const String& windowName, DWord style, int x,
                    int y, int width, int height, HWND parent, void* createParams) {
    std::shared_ptr<const WindowClass> cls;
    auto& t = T();
    {
        std::lock_guard<std::mutex> guard(t.lock);
        auto it = t.classes.find(className);
        if (it == t.classes.end()) return nullptr;
        cls = it->second;
    }
    Window* parentWin = nullptr;
    if (parent) {
        parentWin = Get(parent);
        if (!parentWin) return nullptr;
    }
    if ((style & WS_CHILD) && !parentWin) return nullptr;

    auto w = std::make_shared<Window>();
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->text = windowName;
    w->rect = Bounds(x, y, std::max(0, width), std::max(0, height));
    w->queue = CurrentQueue();
    {
        std::lock_guard<std::mutex> guard(t.lock);
        w->id = t.nextId;
        t.nextId += 4;
        t.windows[w->id] = w;
    }
    if (style & WS_CHILD) {
        w->parent = parentWin;
        parentWin->children.insert(parentWin->children.begin(), w.get());
    } else {
        w->owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
        ZOrderInsert(*w, (exStyle & WS_EX_TOPMOST) ? HWND_TOPMOST : HWND_TOP);
        CurrentBackend().TopLevelCreated(w->Handle()); // the surface comes with its first use
    }
    const HWND h = w->Handle();
    CREATESTRUCT cs;
    cs.lpCreateParams = createParams;
    cs.hwndParent = parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = style;
    cs.dwExStyle = exStyle;
    cs.lpszName = w->text.c_str();
    cs.lpszClass = cls->name.c_str();
    const LPARAM csParam = reinterpret_cast<LPARAM>(&cs);
    if (!CallProc(*w, WM_NCCREATE, 0, csParam)) {
        DestroyWindow(h);
        return nullptr;
    }
    if (!w->alive) return nullptr;
    ApplyNcCalcSize(*w, w->rect, true);
    if (CallProc(*w, WM_CREATE, 0, csParam) == -1) {
        DestroyWindow(h);
        return nullptr;
    }
    if (!w->alive) return nullptr;
    if (w->IsChild() && !(exStyle & WS_EX_NOPARENTNOTIFY)) {
        for (Window* p = w->parent; p && p->alive; p = p->IsChild() ? p->parent : nullptr) {
            SendInternal(*p, WM_PARENTNOTIFY, MakeWParam(WM_CREATE, static_cast<int>(w->ctrlId)),
                         reinterpret_cast<LPARAM>(h));
            if (p->exStyle & WS_EX_NOPARENTNOTIFY) break;
        }
    }
    if (!w->alive) return nullptr;
    CallProc(*w, WM_SIZE, SIZE_RESTORED, MakeLParam(w->client.Width(), w->client.Height()));
    CallProc(*w, WM_MOVE, 0, MakeLParam(w->rect.Left + w->client.Left, w->rect.Top + w->client.Top));
    if (w->alive && (style & WS_VISIBLE)) ShowWindow(h, SW_SHOW);
    return w->alive ? h : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    WindowRef w = Lookup(hwnd);
    if (!w || w->destroying) return FALSE;
    w->destroying = true;
    // Owned windows go first.
    std::vector<HWND> owned;
    for (Window* o : TopLevels())
        if (o->owner == hwnd) owned.push_back(o->Handle());
    for (HWND o : owned)
        DestroyWindow(o);

    auto& q = *w->queue;
    if (w->style & WS_VISIBLE) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (q.capture && (q.capture == hwnd || IsChild(hwnd, q.capture))) ReleaseCapture();
    if (q.active == hwnd) ActivateAnother(*w);
    if (q.focus && (q.focus == hwnd || IsChild(hwnd, q.focus))) q.focus = nullptr;
    SendDestroy(*w);
    SendNcDestroyAndRemove(*w);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return Lookup(hwnd) != nullptr;
}

LONG_PTR GetWindowLong(HWND hwnd, int index) {
    Window* w = Get(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(w->exStyle);
    case GWL_ID:
        return w->ctrlId;
    case GWL_USERDATA:
        return w->userData;
    case GWL_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->parent->Handle() : w->owner);
    default:
        return 0;
    }
}

LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) {
    Window* w = Get(hwnd);
    if (!w) return 0;
    const LONG_PTR old = GetWindowLong(hwnd, index);
    switch (index) {
    case GWL_STYLE: {
        const DWord keep = w->style & (WS_VISIBLE | WS_CHILD);
        w->style = (static_cast<DWord>(value) & ~(WS_VISIBLE | WS_CHILD)) | keep;
        if (!w->IsChild()) CurrentBackend().TopLevelChanged(hwnd, wcStyle);
        break;
    }
    case GWL_EXSTYLE: {
        const DWord before = w->exStyle;
        w->exStyle = static_cast<DWord>(value);
        // Dropping the layered style makes the window opaque again at once.
        if ((before & WS_EX_LAYERED) && !(w->exStyle & WS_EX_LAYERED)) {
            w->alphaSet = false;
            w->alpha = 255;
        }
        if (!w->IsChild()) CurrentBackend().TopLevelChanged(hwnd, wcStyle | wcAlpha);
        if ((before ^ w->exStyle) & WS_EX_LAYERED) InvalidateWhole(*w, true, true);
        break;
    }
    case GWL_ID:
        w->ctrlId = value;
        break;
    case GWL_USERDATA:
        w->userData = value;
        break;
    case GWL_HWNDPARENT:
        if (!w->IsChild()) w->owner = reinterpret_cast<HWND>(value);
        break;
    default:
        return 0;
    }
    return old;
}

String GetWindowText(HWND hwnd) {
    Window* w = Get(hwnd);
    return w ? w->text : String();
}

BOOL SetWindowText(HWND hwnd, const String& text) {
    Window* w = Get(hwnd);
    if (!w) return FALSE;
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) ? TRUE : FALSE;
}

HWND GetParent(HWND hwnd) {
    Window* w = Get(hwnd);
    if (!w) return nullptr;
    return w->IsChild() ? w->parent->Handle() : w->owner;
}

HWND SetParent(HWND hwnd, HWND newParent) {
    Window* w = Get(hwnd);
    if (!w) return nullptr;
    Window* np = newParent ? Get(newParent) : nullptr;
    if (newParent && !np) return nullptr;
    for (Window* p = np; p; p = p->parent)
        if (p == w) return nullptr; // no cycles
    const HWND old = GetParent(hwnd);
    const bool wasTop = !w->IsChild();
    if (w->style & WS_VISIBLE) InvalidateParentArea(*w);
    if (w->parent) {
        auto& c = w->parent->children;
        c.erase(std::remove(c.begin(), c.end(), w), c.end());
    } else {
        ZOrderRemove(*w);
    }
    if (np) {
        w->parent = np;
        w->style |= WS_CHILD;
        np->children.insert(np->children.begin(), w);
        ReleaseSurface(*w);
        if (wasTop) CurrentBackend().TopLevelDestroyed(hwnd);
    } else {
        w->parent = nullptr;
        w->style &= ~WS_CHILD;
        ZOrderInsert(*w, HWND_TOP);
        EnsureSurface(*w);
        if (!wasTop) CurrentBackend().TopLevelCreated(hwnd);
    }
    PaintMayBeDue();
    if (w->style & WS_VISIBLE) InvalidateWhole(*w, true, true);
    return old;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    Window* w = Get(hwnd);
    if (!w) return nullptr;
    if (flags == GA_PARENT) return w->IsChild() ? w->parent->Handle() : nullptr;
    while (w->IsChild())
        w = w->parent;
    return w->Handle();
}

HWND GetWindow(HWND hwnd, UINT cmd) {
    Window* w = Get(hwnd);
    if (!w) return nullptr;
    if (cmd == GW_OWNER) return w->IsChild() ? nullptr : w->owner;
    if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->Handle();
    const auto& list = w->IsChild() ? w->parent->children : TopLevels();
    auto it = std::find(list.begin(), list.end(), w);
    if (it == list.end()) return nullptr;
    switch (cmd) {
    case GW_HWNDFIRST:
        return list.front()->Handle();
    case GW_HWNDLAST:
        return list.back()->Handle();
    case GW_HWNDNEXT:
        return (it + 1) == list.end() ? nullptr : (*(it + 1))->Handle();
    case GW_HWNDPREV:
        return it == list.begin() ? nullptr : (*(it - 1))->Handle();
    default:
        return nullptr;
    }
}

BOOL IsChild(HWND parent, HWND hwnd) {
    Window* w = Get(hwnd);
    Window* p = Get(parent);
    if (!w || !p) return FALSE;
    for (Window* a = w->IsChild() ? w->parent : nullptr; a; a = a->IsChild() ? a->parent : nullptr)
        if (a == p) return TRUE;
    return FALSE;
}

std::vector<HWND> GetTopLevelWindows() {
    std::vector<HWND> out;
    for (Window* w : TopLevels())
        out.push_back(w->Handle());
    return out;
}

} // namespace vd
