#pragma once
// The hover effects the buttons and boxes share: a morph from the normal to the active face in
// steps of 0.2 every 20 ms, and a strip of frames played forward on entering and backward on
// leaving. Each owns its timer, so a control that dies takes its effects with it.
#include "platform/rtl/Types.h"
#include "platform/vcl/Forward.h"

#include <functional>
#include <memory>

namespace vd {

class TskMorph {
public:
    // Target: whether the face heads for the active look; Enabled: whether morphing applies at
    // all now (without it the factor jumps to the target).
    TskMorph(std::function<bool()> Target, std::function<bool()> Enabled, std::function<void()> Repaint);
    ~TskMorph();
    TskMorph(const TskMorph&) = delete;
    TskMorph& operator=(const TskMorph&) = delete;

    double Factor() const { return FFactor; }
    void SetFactor(double Value) { FFactor = Value; }
    bool Between() const { return FFactor > 0.0 && FFactor < 1.0; }
    void Start(); // steps toward the target unless already stepping
    void Stop();
    void Reset(); // stops and shows the normal face

private:
    void Tick();

    std::function<bool()> FTarget, FEnabled;
    std::function<void()> FRepaint;
    double FFactor = 0.0;
    std::unique_ptr<TTimer> FTimer;
};

class TskFrameAnimation {
public:
    explicit TskFrameAnimation(std::function<void()> Repaint);
    ~TskFrameAnimation();
    TskFrameAnimation(const TskFrameAnimation&) = delete;
    TskFrameAnimation& operator=(const TskFrameAnimation&) = delete;

    // Frames 1..Count forward or Count..1 backward, one every Interval ms.
    void Start(bool Forward, int Count, int Interval);
    void Stop();
    int Frame() const { return FFrame; }
    bool Forward() const { return FForward; }
    // Whether a frame of the strip shows now.
    bool Showing() const;
    // Frame N of Count in a strip laid out along the side on which it exceeds the face.
    static TRect FrameOfStrip(const TRect& Strip, const TRect& Face, int Count, int N);

private:
    void Tick();

    std::function<void()> FRepaint;
    int FFrame = 0, FCount = 0;
    bool FForward = true;
    std::unique_ptr<TTimer> FTimer;
};

} // namespace vd
