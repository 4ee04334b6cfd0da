#pragma once
// Internal state of the window-system core, shared by its source files only.
#include "platform/gfx/GdiObject.h"
#include "platform/gfx/Objects.h"
#include "platform/win/Backend.h"
#include "platform/win/Input.h"
#include "platform/win/Windows.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vd::wincore {

struct WindowClass {
    String name;
    UINT style = 0;
    WNDPROC proc;
    CursorShape cursor = CursorShape::Arrow;
    HBRUSH background = nullptr;
};

struct ThreadQueue;

struct Window {
    std::uintptr_t id = 0;
    std::shared_ptr<const WindowClass> cls;
    WNDPROC proc;
    DWord style = 0;
    DWord exStyle = 0;
    Window* parent = nullptr;      // child windows only
    HWND owner = nullptr;          // top-level windows only
    std::vector<Window*> children; // front first
    TRect rect;                    // parent client coordinates (screen for top-level windows)
    TRect client;                  // relative to the window's top-left corner
    String text;
    GdiRef<GdiIcon> icon;
    LONG_PTR userData = 0;
    LONG_PTR ctrlId = 0;
    bool alive = true;
    bool destroying = false;
    bool iconic = false;
    bool zoomed = false;
    bool hiddenByOwner = false; // owner minimized: hidden without clearing WS_VISIBLE
    // Painting: a bounding rectangle of what needs painting (client coordinates).
    TRect update;
    bool erasePending = false;
    bool ncPending = false;
    bool noRedraw = false; // WM_SETREDRAW FALSE: no invalidation, no paint
    // Region in window coordinates; alpha of a layered window.
    bool hasRegion = false;
    std::vector<TRect> region;
    HRGN regionHandle = nullptr; // the caller's region, referenced while set
    HBITMAP surface = nullptr;   // top-level windows: the painted pixels of the whole window
    Byte alpha = 255;
    bool alphaSet = false;
    std::shared_ptr<ThreadQueue> queue;
    // Scroll state of the horizontal and vertical bars (no bar is ever drawn).
    SCROLLINFO scroll[2];
    bool scrollShown[2] = {false, false};

    HWND Handle() const { return reinterpret_cast<HWND>(id); }
    bool IsChild() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
};

using WindowRef = std::shared_ptr<Window>;

struct SentItem {
    HWND hwnd = nullptr;
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    bool done = false;
};

struct Timer {
    HWND hwnd = nullptr;
    std::uintptr_t id = 0;
    UINT interval = 0;
    std::uint64_t due = 0;
    TIMERPROC proc;
};

struct ClickState {
    HWND hwnd = nullptr;
    UINT downMsg = 0;
    DWord time = 0;
    TPoint pt;
    bool valid = false;
};

// One per GUI thread. The lock guards the lists that other threads fill; the rest is used by
// the owning thread only.
struct ThreadQueue {
    std::thread::id thread;
    std::mutex lock;
    std::condition_variable cv;
    std::deque<MSG> posted;
    std::deque<SentItem*> sent;
    std::deque<RawInput> input;
    bool quit = false;
    int quitCode = 0;
    bool usesBackend = false; // the input thread waits through the back end

    std::vector<Timer> timers;
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    HWND menuGrab = nullptr;
    ClickState click;
    DWord messageTime = 0;
    bool altArmed = false;
    bool altAloneUp = false;
    bool settingFocus = false;
    int sendDepth = 0;
    std::uint64_t paintQuietAt = 0; // PaintChanges() when a walk last found nothing to paint
};

// Global state.
WindowRef Lookup(HWND hwnd); // null for dead or unknown handles
Window* Get(HWND hwnd);      // owner thread only
std::shared_ptr<ThreadQueue> CurrentQueue();
std::shared_ptr<ThreadQueue> InputQueue();
std::vector<Window*>& TopLevels(); // front first
std::vector<Window*> AllWindowsOf(const ThreadQueue& q);

// Calls the window's procedure with spy records; returns 0 for a dead window.
LRESULT CallProc(Window& w, UINT msg, WPARAM wParam, LPARAM lParam, bool posted = false);
LRESULT SendInternal(Window& w, UINT msg, WPARAM wParam, LPARAM lParam);

// Geometry.
TPoint ClientOriginOnScreen(const Window& w);
TRect WindowRectOnScreen(const Window& w);
bool EffectivelyVisible(const Window& w);
bool EffectivelyEnabled(const Window& w);
void ZOrderInsert(Window& w, HWND insertAfter);
void ZOrderRemove(Window& w);
void ApplyNcCalcSize(Window& w, const TRect& newRect, bool sendCalc);

// Painting.
void InvalidateWhole(Window& w, bool erase, bool frame);
void InvalidateParentArea(Window& w);
bool NextPaint(ThreadQueue& q, MSG& msg);
// Called wherever a window may come to need painting (an update area or frame marked, a window
// shown, redrawn again or moved under another): until then a walk that found nothing is not
// made again.
void PaintMayBeDue();
std::uint64_t PaintChanges();
// Surfaces and device contexts.
void EnsureSurface(Window& w);
void ReleaseSurface(Window& w);
void ReleaseRegion(Window& w);
HDC MakeDC(Window& w, bool whole, const TRect* clientClip);

// The caret around a paint of a window in the caret's top-level window.
bool CaretBeforePaint(HWND painting);
void CaretAfterPaint();

// Activation and focus.
void Activate(Window* w, int how);
void ActivateAnother(Window& leaving);
void FocusLostBy(Window& w);

// Input routing at retrieval time: false when the event produced no message.
bool RouteInput(ThreadQueue& q, const RawInput& in, MSG& msg);
void UpdateAsyncKeys(const RawInput& in);

// Message retrieval shared by GetMessage, PeekMessage and modal loops.
bool NextMessage(ThreadQueue& q, MSG& msg, bool remove, bool block);
void ProcessSent(ThreadQueue& q);
void RemoveTimersOf(ThreadQueue& q, HWND hwnd);

MINMAXINFO QueryMinMax(Window& w);
LRESULT SizeMoveLoop(Window& w, UINT command, LPARAM startPt);
LRESULT DefNcHitTest(Window& w, TPoint screen);
void DefNcCalcSize(Window& w, TRect& rect);

} // namespace vd::wincore
