#pragma once
// The capture part of the main window: the device list, choosing and opening the device,
// the record and DSP callbacks, and the level meter's tick.
#include "app/capture/LevelMeter.h"
#include "app/capture/PeakLevels.h"
#include "platform/audio/AudioEngine.h"

#include <atomic>
#include <vector>

namespace vd {

// The one capture channel every stream's encoder reads; 0 while no device runs. Written by the
// GUI thread, read by the connector thread.
extern std::atomic<audio::HRECORD> CaptureChannel;

// What the capture shows; the main window implements it (LabDevice, the main log, the wait
// window, the image Led).
class TCaptureView {
public:
    virtual ~TCaptureView() = default;
    virtual void SetDeviceLabel(const String& text) = 0;
    virtual void WriteMainLog(const String& text) = 0;
    // True when the wait window is up; false when the user closed it.
    virtual bool ShowWaitMessage(const String& text) = 0;
    virtual void CloseWaitMessage() = 0;
    virtual TSize MeterSize() = 0;
    virtual void PaintMeter(const TMeterPaint& paint) = 0;
};

// Which device StartDevice opens, from the settings and the names of the device list.
struct TDeviceChoice {
    enum TKind { dcMessage, dcWait, dcOpen } Kind = dcMessage;
    int Index = -1;
};
TDeviceChoice ChooseDevice(int device, const String& deviceName, bool waitMode,
                           const std::vector<String>& names);

enum class TStartDeviceResult {
    sdMessage, // the device message is shown; the timer stays off until the settings are saved
    sdWaiting, // the wait window is up: run StartDevice again after 50 ms
    sdStarted, // capture runs: the timer becomes the 30 ms main tick
    sdFailed,  // the device could not be opened or started; the timer stays off
};

class TCapture {
public:
    explicit TCapture(TCaptureView& view) : FView(view) {}
    ~TCapture() { StopRecord(); }
    TCapture(const TCapture&) = delete;
    TCapture& operator=(const TCapture&) = delete;

    void Init(); // rebuilds the device list
    TStartDeviceResult StartDevice();
    bool StartRecord(int index);
    void StopRecord();
    void StartPlugins();
    void ShowIndicator(); // one meter step of the main tick
    void LedClick();

    int DeviceCount() const { return static_cast<int>(FDevices.size()); }
    const audio::AE_DEVICEINFO& Device(int index) const { return FDevices[static_cast<std::size_t>(index)]; }
    TPeakLevels& Peaks() { return FPeaks; }
    TLevelMeter& Meter() { return FMeter; }
    bool HasDsp() const { return FDsp != 0; }

private:
    void ShowDeviceMessage();
    void DrawMeterScale();

    TCaptureView& FView;
    std::vector<audio::AE_DEVICEINFO> FDevices;
    audio::HDSP FDsp = 0;
    TPeakLevels FPeaks;
    TLevelMeter FMeter;
};

// The engine's callbacks. RecordCallback stores the block's peaks in the TPeakLevels given as
// user value and keeps recording; DspCallback runs the plug-in chain on the block in place.
bool RecordCallback(audio::HRECORD handle, const void* buffer, std::uint32_t length, void* user);
void DspCallback(audio::HDSP handle, audio::HRECORD channel, void* buffer, std::uint32_t length, void* user);

} // namespace vd
