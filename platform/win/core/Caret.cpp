// The caret: drawn by inverting its rectangle on the window's pixels (so a second inversion
// restores them), blinking on a timer of its window, taken off while its top-level window
// paints and while it is hidden.
#include "platform/gfx/Gdi.h"
#include "platform/win/core/WinCore.h"

namespace vd {
namespace {

constexpr std::uintptr_t kBlinkTimer = 0xCA7E7;

struct Caret {
    HWND hwnd = nullptr;
    int width = 0, height = 0, x = 0, y = 0;
    int hideCount = 1;
    bool drawn = false;  // the pixels are inverted now
    bool phaseOn = true; // the blink's half that shows it
    int paintHold = 0;   // paints in progress that took it off
};
thread_local Caret tCaret;

TRect Rect() {
    return Bounds(tCaret.x, tCaret.y, tCaret.width, tCaret.height);
}

void Invert() {
    HDC dc = GetDC(tCaret.hwnd);
    if (!dc) return;
    const TRect r = Rect();
    InvertRect(dc, &r);
    ReleaseDC(tCaret.hwnd, dc);
    tCaret.drawn = !tCaret.drawn;
}

bool ShouldShow() {
    return tCaret.hwnd && tCaret.hideCount == 0 && tCaret.phaseOn && tCaret.paintHold == 0 &&
           IsWindowVisible(tCaret.hwnd);
}

void Sync() {
    if (tCaret.hwnd && tCaret.drawn != ShouldShow()) Invert();
}

void Blink(HWND, UINT, std::uintptr_t, DWord) {
    tCaret.phaseOn = !tCaret.phaseOn;
    Sync();
}

// Shown again after a move or a ShowCaret: the blink starts over in its visible half.
void Restart() {
    tCaret.phaseOn = true;
    const UINT ms = GetCaretBlinkTime();
    if (tCaret.hwnd && ms > 0) SetTimer(tCaret.hwnd, kBlinkTimer, ms, Blink);
    Sync();
}

void Off() {
    if (tCaret.drawn) Invert();
    if (tCaret.hwnd && IsWindow(tCaret.hwnd)) KillTimer(tCaret.hwnd, kBlinkTimer);
}

} // namespace

namespace wincore {

bool CaretBeforePaint(HWND painting) {
    if (!tCaret.hwnd || !IsWindow(tCaret.hwnd)) return false;
    if (GetAncestor(painting, GA_ROOT) != GetAncestor(tCaret.hwnd, GA_ROOT)) return false;
    ++tCaret.paintHold;
    Sync();
    return true;
}

void CaretAfterPaint() {
    if (tCaret.paintHold > 0) --tCaret.paintHold;
    Sync();
}

} // namespace wincore

UINT GetCaretBlinkTime() {
    return CurrentBackend().CaretBlinkTime();
}

BOOL CreateCaret(HWND hwnd, int width, int height) {
    if (!IsWindow(hwnd)) return FALSE;
    Off();
    tCaret = Caret{hwnd, width <= 0 ? 1 : width, height, 0, 0, 1};
    return TRUE;
}

BOOL DestroyCaret() {
    if (!tCaret.hwnd) return FALSE;
    Off();
    tCaret = Caret{};
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    if (!tCaret.hwnd) return FALSE;
    if (tCaret.drawn) Invert();
    tCaret.x = x;
    tCaret.y = y;
    Restart();
    return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
    if (!tCaret.hwnd || (hwnd && hwnd != tCaret.hwnd)) return FALSE;
    if (tCaret.hideCount > 0) --tCaret.hideCount;
    if (tCaret.hideCount == 0) Restart();
    return TRUE;
}

BOOL HideCaret(HWND hwnd) {
    if (!tCaret.hwnd || (hwnd && hwnd != tCaret.hwnd)) return FALSE;
    ++tCaret.hideCount;
    Sync();
    return TRUE;
}

bool GetCaretState(HWND& hwnd, TRect& rect, bool& visible) {
    if (!tCaret.hwnd) return false;
    hwnd = tCaret.hwnd;
    rect = Rect();
    visible = tCaret.hideCount == 0;
    return true;
}

bool IsCaretDrawn() {
    return tCaret.drawn;
}

} // namespace vd
