#include "skin/controls/SkinEffects.h"
#include "platform/vcl/Timer.h"

#include <algorithm>

namespace vd {

TskMorph::TskMorph(std::function<bool()> Target, std::function<bool()> Enabled, std::function<void()> Repaint)
    : FTarget(std::move(Target)), FEnabled(std::move(Enabled)), FRepaint(std::move(Repaint)) {}

TskMorph::~TskMorph() = default;

void TskMorph::Start() {
    if (FTimer) return;
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetInterval(20);
    FTimer->SetOnTimer([this](TObject*) { Tick(); });
}

void TskMorph::Stop() {
    FTimer.reset();
}

void TskMorph::Reset() {
    Stop();
    FFactor = 0.0;
}

void TskMorph::Tick() {
    const bool target = FTarget();
    if (!FEnabled()) {
        FFactor = target ? 1.0 : 0.0;
        Stop();
        return;
    }
    if (target && FFactor < 1.0) {
        FFactor += 0.2;
    } else if (!target && FFactor > 0.0) {
        FFactor -= 0.2;
    } else {
        FFactor = target ? 1.0 : 0.0;
        Stop();
    }
    FRepaint();
}

TskFrameAnimation::TskFrameAnimation(std::function<void()> Repaint) : FRepaint(std::move(Repaint)) {}

TskFrameAnimation::~TskFrameAnimation() = default;

void TskFrameAnimation::Start(bool Forward, int Count, int Interval) {
    Stop();
    FForward = Forward;
    FCount = Count;
    FFrame = Forward ? 1 : Count;
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetInterval(unsigned(std::max(1, Interval)));
    FTimer->SetOnTimer([this](TObject*) { Tick(); });
}

void TskFrameAnimation::Stop() {
    FFrame = 0;
    FTimer.reset();
}

bool TskFrameAnimation::Showing() const {
    return FTimer && FFrame >= 1 && FFrame <= FCount;
}

void TskFrameAnimation::Tick() {
    if (FForward) {
        if (FFrame <= FCount) {
            ++FFrame;
            FRepaint();
        }
        if (FFrame > FCount) Stop();
    } else {
        if (FFrame >= 0) {
            --FFrame;
            FRepaint();
        }
        if (FFrame <= 0) Stop();
    }
}

TRect TskFrameAnimation::FrameOfStrip(const TRect& Strip, const TRect& Face, int Count, int N) {
    if (Count < 1) return {};
    if (Face.Width() < Strip.Width()) {
        const int w = Strip.Width() / Count;
        return {Strip.Left + w * (N - 1), Strip.Top, Strip.Left + w * N, Strip.Bottom};
    }
    const int h = Strip.Height() / Count;
    return {Strip.Left, Strip.Top + h * (N - 1), Strip.Right, Strip.Top + h * N};
}

} // namespace vd
