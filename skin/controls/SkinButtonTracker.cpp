#include "skin/controls/SkinButtonTracker.h"

namespace vd {

namespace {
bool Contains(const TRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}
} // namespace

TskButtonTracker::TskButtonTracker(int Count, TEvents Events, TskAutoRepeat::TArm Arm,
                                   std::function<void()> Disarm)
    : FButtons(static_cast<std::size_t>(Count)), FEvents(std::move(Events)),
      FRepeat([this] { FEvents.Step(FPressed); }, std::move(Arm), std::move(Disarm)) {}

TskButtonTracker::TskButtonTracker(int Count, TEvents Events, TWinControl* Window, std::uintptr_t TimerId)
    : FButtons(static_cast<std::size_t>(Count)), FEvents(std::move(Events)),
      FRepeat([this] { FEvents.Step(FPressed); }, Window, TimerId) {}

void TskButtonTracker::Track(int X, int Y) {
    const int old = FActive;
    int now = -1;
    for (int i = 0; i < Count() && now == -1; ++i)
        if (Contains((*this)[i].R, X, Y)) now = i;
    if (FPressed != -1 && now != FPressed) now = -1;
    FActive = now;
    if (now == old) return;
    if (old != -1) Exit(old);
    if (now != -1) Enter(now);
}

bool TskButtonTracker::Press(int X, int Y) {
    Track(X, Y);
    if (FActive == -1) return false;
    FPressed = FActive;
    Down(FActive);
    return true;
}

void TskButtonTracker::Release() {
    if (FPressed == -1) return;
    const int p = FPressed;
    FPressed = -1;
    Up(p);
}

void TskButtonTracker::Leave() {
    if (FActive != -1 && (*this)[FActive].Down) Exit(FActive);
    FActive = -1;
    for (TButton& b : FButtons)
        if (b.MouseIn) {
            b.MouseIn = false;
            FEvents.Repaint();
        }
}

void TskButtonTracker::Enter(int I) {
    for (TButton& b : FButtons)
        b.MouseIn = false;
    (*this)[I].MouseIn = true;
    FEvents.Repaint();
    if ((*this)[I].Down) FRepeat.Resume();
}

void TskButtonTracker::Exit(int I) {
    (*this)[I].MouseIn = false;
    FEvents.Repaint();
    if ((*this)[I].Down) FRepeat.Pause();
}

void TskButtonTracker::Down(int I) {
    TButton& b = (*this)[I];
    b.MouseIn = b.Down = true;
    FEvents.Repaint();
    if (FEvents.Repeats && FEvents.Repeats(I)) FRepeat.Start();
}

void TskButtonTracker::Up(int I) {
    FRepeat.Stop();
    TButton& b = (*this)[I];
    b.Down = false;
    const bool over = FActive == I;
    if (!over) b.MouseIn = false;
    FEvents.Repaint();
    FEvents.Released(I, over);
}

} // namespace vd
