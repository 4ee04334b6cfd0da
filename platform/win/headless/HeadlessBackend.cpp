#include "platform/win/headless/HeadlessBackend.h"

#include "platform/win/Windows.h"

#include <chrono>
#include <stdexcept>

namespace vd {

HeadlessBackend::HeadlessBackend() {
    FMonitors.push_back({{0, 0, 1280, 1024}, {0, 0, 1280, 984}});
}

std::uint64_t HeadlessBackend::NowMs() {
    std::lock_guard<std::mutex> guard(FLock);
    return FNow;
}

void HeadlessBackend::WaitForInput(int timeoutMs) {
    if (FIdle && FIdle()) return;
    if (timeoutMs >= 0 && FAutoAdvance) {
        // Nothing else can happen first: time passes until the next timer is due.
        std::lock_guard<std::mutex> guard(FLock);
        FNow += static_cast<std::uint64_t>(timeoutMs);
        FWoken = false;
        return;
    }
    std::unique_lock<std::mutex> guard(FLock);
    const int limit = timeoutMs >= 0 ? std::min(timeoutMs, FStarvationMs) : FStarvationMs;
    if (!FCv.wait_for(guard, std::chrono::milliseconds(limit), [this] { return FWoken; })) {
        if (timeoutMs < 0) throw std::runtime_error("headless message loop waits for input that never comes");
    }
    FWoken = false;
}

void HeadlessBackend::Wake() {
    std::lock_guard<std::mutex> guard(FLock);
    FWoken = true;
    FCv.notify_all();
}

std::vector<MonitorDesc> HeadlessBackend::Monitors() {
    std::lock_guard<std::mutex> guard(FLock);
    return FMonitors;
}

TPoint HeadlessBackend::CursorPos() {
    std::lock_guard<std::mutex> guard(FLock);
    return FCursorPos;
}

bool HeadlessBackend::ClipboardHasText() {
    std::lock_guard<std::mutex> guard(FLock);
    return FHasClipboard && !FClipboard.empty();
}

String HeadlessBackend::ClipboardText() {
    std::lock_guard<std::mutex> guard(FLock);
    return FClipboard;
}

void HeadlessBackend::SetClipboardText(const String& text) {
    std::lock_guard<std::mutex> guard(FLock);
    FClipboard = text;
    FHasClipboard = true;
}

void HeadlessBackend::SetTime(std::uint64_t ms) {
    std::lock_guard<std::mutex> guard(FLock);
    FNow = ms;
}

void HeadlessBackend::Advance(std::uint64_t ms) {
    std::lock_guard<std::mutex> guard(FLock);
    FNow += ms;
}

void HeadlessBackend::SetMonitors(std::vector<MonitorDesc> monitors) {
    std::lock_guard<std::mutex> guard(FLock);
    FMonitors = std::move(monitors);
}

void HeadlessBackend::MouseMove(TPoint screen) {
    {
        std::lock_guard<std::mutex> guard(FLock);
        FCursorPos = screen;
    }
    RawInput in;
    in.kind = RawInput::MouseMove;
    in.screen = screen;
    QueueInput(in);
}

void HeadlessBackend::ButtonDown(RawButton button, TPoint screen) {
    {
        std::lock_guard<std::mutex> guard(FLock);
        FCursorPos = screen;
    }
    RawInput in;
    in.kind = RawInput::ButtonDown;
    in.button = button;
    in.screen = screen;
    QueueInput(in);
}

void HeadlessBackend::ButtonUp(RawButton button, TPoint screen) {
    {
        std::lock_guard<std::mutex> guard(FLock);
        FCursorPos = screen;
    }
    RawInput in;
    in.kind = RawInput::ButtonUp;
    in.button = button;
    in.screen = screen;
    QueueInput(in);
}

void HeadlessBackend::Click(RawButton button, TPoint screen) {
    ButtonDown(button, screen);
    ButtonUp(button, screen);
}

void HeadlessBackend::Wheel(int delta, TPoint screen) {
    RawInput in;
    in.kind = RawInput::Wheel;
    in.wheelDelta = delta;
    in.screen = screen;
    QueueInput(in);
}

void HeadlessBackend::KeyDown(int vk, std::uint32_t ch, bool repeat) {
    RawInput in;
    in.kind = RawInput::KeyDown;
    in.vk = vk;
    in.ch = ch;
    in.repeat = repeat;
    QueueInput(in);
}

void HeadlessBackend::KeyUp(int vk) {
    RawInput in;
    in.kind = RawInput::KeyUp;
    in.vk = vk;
    QueueInput(in);
}

void HeadlessBackend::KeyPress(int vk, std::uint32_t ch) {
    KeyDown(vk, ch);
    KeyUp(vk);
}

HeadlessBackend* Headless() {
    return dynamic_cast<HeadlessBackend*>(&CurrentBackend());
}

} // namespace vd
