#include "app/ui/console/DeviceStarter.h"

#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/streams/StreamConsole.h"
#include "app/streams/StreamTexts.h"
#include "app/ui/WaitMessage.h"
#include "app/ui/console/LogView.h"
#include "app/ui/console/MeterView.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinLabel.h"

namespace vd {

TDeviceStarter::TDeviceStarter(TTimer* timer, TskSkinLabel* labDevice, TMeterView& meter, TLogView& logs,
                               std::function<void()> tick)
    : FTimer(timer), FLabel(labDevice), FMeter(meter), FLogs(logs),
      FTick(std::move(tick)), FWait{[](const String& text) { return vd::ShowWaitMessage(text); },
                                    [] { vd::CloseWaitMessage(); }},
      FCapture(*this) {
    if (FTimer) {
        FTimer->SetEnabled(false);
        FTimer->SetInterval(WaitIntervalMs);
        // One handler for both uses of the timer; what it runs follows the mode.
        FTimer->SetOnTimer([this](TObject*) {
            if (FMode == TDeviceMode::dmWaiting)
                StartDevice();
            else if (FTick)
                FTick();
        });
    }
}

TDeviceStarter::~TDeviceStarter() {
    FClosing = true;
    if (FTimer) {
        FTimer->SetEnabled(false);
        FTimer->SetOnTimer(nullptr);
    }
    FCapture.StopRecord();
}

void TDeviceStarter::SetTimer(bool enabled, unsigned interval) {
    if (!FTimer) return;
    FTimer->SetInterval(interval);
    FTimer->SetEnabled(enabled);
}

void TDeviceStarter::StartDevice() {
    SetTimer(false, WaitIntervalMs);
    switch (FCapture.StartDevice()) {
    case TStartDeviceResult::sdStarted:
        FMode = TDeviceMode::dmRunning;
        SetTimer(true, TickIntervalMs);
        break;
    case TStartDeviceResult::sdWaiting:
        FMode = TDeviceMode::dmWaiting;
        SetTimer(true, WaitIntervalMs);
        break;
    case TStartDeviceResult::sdMessage:
    case TStartDeviceResult::sdFailed:
        FMode = TDeviceMode::dmOff; // until the settings window is confirmed
        break;
    }
}

void TDeviceStarter::SettingsConfirmed() {
    switch (FMode) {
    case TDeviceMode::dmOff:
        DeviceChanged = false;
        FMode = TDeviceMode::dmWaiting; // the timer runs StartDevice again
        SetTimer(true, WaitIntervalMs);
        break;
    case TDeviceMode::dmNoDevice:
        FMode = TDeviceMode::dmRetrying; // the tick tries at once
        FRetryAt = 0;
        break;
    case TDeviceMode::dmWaiting:
    case TDeviceMode::dmRunning:
    case TDeviceMode::dmRetrying:
        break;
    }
}

void TDeviceStarter::RestartDevice() {
    DeviceChanged = false;
    const String label = FLabelText;
    FLastRetryLine.clear();
    FRetrying = true; // a failure here is the first of the retries that follow
    const bool started = FCapture.StartRecord(AppSettings.Device); // stops the running capture first
    FRetrying = false;
    RestartStreams();
    if (started) {
        FMode = TDeviceMode::dmRunning;
        return;
    }
    // The tick goes on (streams, logs, titles); the device is tried again from it.
    FMode = TDeviceMode::dmRetrying;
    FRetryAt = MillisecondClock() + RetryMs;
    const String text =
        StreamMessageText("DeviceRetry", "The input device could not be restarted; trying again");
    FLogs.WriteMainLog(text);
    if (FLabelText == label) SetDeviceLabel(text); // the old device's name no longer holds
}

void TDeviceStarter::RetryIfDue(std::uint64_t now) {
    if (FMode != TDeviceMode::dmRetrying || now < FRetryAt) return;
    FRetrying = true;
    const TStartDeviceResult result = FCapture.StartDevice();
    FRetrying = false;
    switch (result) {
    case TStartDeviceResult::sdStarted:
        FMode = TDeviceMode::dmRunning;
        break;
    case TStartDeviceResult::sdWaiting:
        FRetryAt = now + WaitIntervalMs;
        break;
    case TStartDeviceResult::sdFailed:
        FRetryAt = now + RetryMs;
        break;
    case TStartDeviceResult::sdMessage:
        FMode = TDeviceMode::dmNoDevice; // no device chosen, or the user closed the wait window
        break;
    }
}

String TDeviceStarter::CaptureProblem() const {
    if (CaptureChannel.load() != 0) return String();
    if (!FLabelText.empty()) return FLabelText;
    return StreamMessageText("ErrorStartDevice", "Error start record device. Change settings");
}

void TDeviceStarter::ResizeMeter(int width, int height) {
    FMeter.Resize(width, height);
    DrawMeterScale();
}

void TDeviceStarter::DrawMeterScale() {
    const TSize size = FMeter.Size();
    FMeter.Paint(FCapture.Meter().DrawMeterScale(size.cx, size.cy));
}

void TDeviceStarter::ReapplyDeviceLabel() {
    if (FLabel && FLabel->Caption() != FLabelText) FLabel->SetCaption(FLabelText);
}

void TDeviceStarter::SetDeviceLabel(const String& text) {
    FLabelText = text;
    ReapplyDeviceLabel();
}

void TDeviceStarter::WriteMainLog(const String& text) {
    if (FRetrying) {
        // Retries repeat their failure every second: the log gets it once.
        if (text == FLastRetryLine) return;
        FLastRetryLine = text;
    }
    FLogs.WriteMainLog(text);
}

bool TDeviceStarter::ShowWaitMessage(const String& text) {
    return FWait.Show ? FWait.Show(text) : false;
}

void TDeviceStarter::CloseWaitMessage() {
    if (FWait.Close) FWait.Close();
}

TSize TDeviceStarter::MeterSize() {
    return FClosing ? TSize{0, 0} : FMeter.Size();
}

void TDeviceStarter::PaintMeter(const TMeterPaint& paint) {
    if (!FClosing) FMeter.Paint(paint);
}

} // namespace vd
