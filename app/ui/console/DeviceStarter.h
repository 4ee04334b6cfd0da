#pragma once
// Starting the recording device for the main window: the device label, the wait window while a
// named device is missing (retried on the window's timer every 50 ms), then the timer becomes
// the 30 ms main tick. A restart that fails keeps the tick and retries the device from it.
// GUI thread only.
#include "app/capture/Capture.h"
#include "platform/rtl/String.h"
#include "platform/vcl/Forward.h"
#include "skin/controls/Forward.h"

#include <cstdint>
#include <functional>

namespace vd {

class TLogView;
class TMeterView;

enum class TDeviceMode {
    dmOff,      // no capture, nothing retries (no device chosen, or it failed to open at start)
    dmWaiting,  // the timer runs StartDevice every 50 ms (the wait window is up, or the
                // settings were confirmed)
    dmRunning,  // capture runs; the timer is the main tick
    dmRetrying, // a restart failed: the tick runs on and tries the device again
    dmNoDevice, // the tick runs without capture: no device chosen or the wait was cancelled
};

class TDeviceStarter final : private TCaptureView {
public:
    static constexpr unsigned WaitIntervalMs = 50;
    static constexpr unsigned TickIntervalMs = 30;
    static constexpr std::uint64_t RetryMs = 1000; // after a failed restart

    struct TWaitWindow {
        std::function<bool(const String&)> Show; // false when the user closed the window
        std::function<void()> Close;
    };

    // tick: the main tick, run by the timer once capture runs.
    TDeviceStarter(TTimer* timer, TskSkinLabel* labDevice, TMeterView& meter, TLogView& logs,
                   std::function<void()> tick);
    ~TDeviceStarter() override;

    TCapture& Capture() { return FCapture; }
    TDeviceMode Mode() const { return FMode; }
    // Why streams cannot start now: the device's last message; empty while capture runs.
    String CaptureProblem() const;

    // StartDevice: at start-up and on the timer until the capture runs.
    void StartDevice();
    // SBSettingClick after a confirmed settings window: starts again when nothing runs or waits.
    void SettingsConfirmed();
    // The tick: DeviceChanged set (clears it, restarts device and streams).
    void RestartDevice();
    // The tick, every time: after a failed restart, the next try when its time has come.
    void RetryIfDue(std::uint64_t now);

    void LedClick() { FCapture.LedClick(); }
    void ShowIndicator() { FCapture.ShowIndicator(); }
    // PanLedResize: the picture takes the new size and the scale is drawn again.
    void ResizeMeter(int width, int height);
    void DrawMeterScale();
    void StopRecord() { FCapture.StopRecord(); }

    // The label's text (the running device's name or the last device message); the window
    // shows it again after a translation rewrote the label.
    const String& DeviceLabel() const { return FLabelText; }
    void ReapplyDeviceLabel();

    // Tests replace the wait window (app/ui/WaitMessage by default).
    void SetWaitWindow(TWaitWindow window) { FWait = std::move(window); }

private:
    // TCaptureView
    void SetDeviceLabel(const String& text) override;
    void WriteMainLog(const String& text) override;
    bool ShowWaitMessage(const String& text) override;
    void CloseWaitMessage() override;
    TSize MeterSize() override;
    void PaintMeter(const TMeterPaint& paint) override;

    void SetTimer(bool enabled, unsigned interval);

    TTimer* FTimer;
    TskSkinLabel* FLabel;
    TMeterView& FMeter;
    TLogView& FLogs;
    std::function<void()> FTick;
    TWaitWindow FWait;
    TCapture FCapture;
    TDeviceMode FMode = TDeviceMode::dmOff;
    String FLabelText;
    std::uint64_t FRetryAt = 0;
    bool FRetrying = false; // while retrying the same failure is logged once
    String FLastRetryLine;
    bool FClosing = false;
};

} // namespace vd
