#include "app/capture/Capture.h"

#include "app/core/AppSettings.h"
#include "app/core/Language.h"
#include "app/plugins/VDPlugIns.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"

namespace vd {

std::atomic<audio::HRECORD> CaptureChannel{0};

namespace {

// The rate the capture runs at, for the plug-ins (the settings may change meanwhile).
std::atomic<int> CaptureSampleRate{44100};

String Message(const String& name, const String& fallback) {
    const String text = AppLanguage ? AppLanguage->GetMessage(name) : String();
    return text.empty() ? fallback : text;
}

String MsgText(const String& key, const String& fallback) {
    return AppLanguage ? AppLanguage->GetText("MSG", key, fallback) : fallback;
}

} // namespace

TDeviceChoice ChooseDevice(int device, const String& deviceName, bool waitMode,
                           const std::vector<String>& names) {
    const int count = static_cast<int>(names.size());
    if (!waitMode) {
        if (device == 0 && deviceName.empty()) return {TDeviceChoice::dcMessage, -1};
        if (device >= 0 && device < count) return {TDeviceChoice::dcOpen, device};
    }
    if (deviceName.empty()) return {TDeviceChoice::dcMessage, -1};
    const String wanted = UpperCase(deviceName);
    for (int i = 0; i < count; ++i)
        if (UpperCase(names[static_cast<std::size_t>(i)]) == wanted) return {TDeviceChoice::dcOpen, i};
    return {TDeviceChoice::dcWait, -1};
}

void TCapture::Init() {
    FDevices.clear();
    audio::AE_DEVICEINFO info{};
    for (std::uint32_t i = 0; audio::AE_RecordGetDeviceInfo(i, &info); ++i)
        FDevices.push_back(info);
}

void TCapture::ShowDeviceMessage() {
    const String text = MsgText("EnterInputDevice", "Please enter input device") + " ->";
    FView.SetDeviceLabel(text);
    FView.WriteMainLog(text);
}

TStartDeviceResult TCapture::StartDevice() {
    Init();
    std::vector<String> names;
    for (const auto& d : FDevices)
        names.emplace_back(d.name ? d.name : "");
    const TDeviceChoice choice =
        ChooseDevice(AppSettings.Device, AppSettings.DeviceName, AppSettings.WaitMode, names);
    if (choice.Kind == TDeviceChoice::dcMessage) {
        ShowDeviceMessage();
        return TStartDeviceResult::sdMessage;
    }
    if (choice.Kind == TDeviceChoice::dcWait) {
        if (FView.ShowWaitMessage(Message("WaitForEnable", "Waiting for the device") + " " +
                                  AppSettings.DeviceName))
            return TStartDeviceResult::sdWaiting;
        ShowDeviceMessage();
        return TStartDeviceResult::sdMessage;
    }
    FView.CloseWaitMessage();
    return StartRecord(choice.Index) ? TStartDeviceResult::sdStarted : TStartDeviceResult::sdFailed;
}

bool TCapture::StartRecord(int index) {
    StopRecord();
    if (index < 0 || index >= DeviceCount()) return false;
    if (!audio::AE_RecordInit(index)) {
        const String text = Message("CantInitDevice", "Can't init device");
        FView.SetDeviceLabel(text);
        FView.WriteMainLog(text);
        return false;
    }
    audio::AE_RecordSetDevice(static_cast<std::uint32_t>(index));
    const int rate = AppSettings.Sample;
    CaptureSampleRate.store(rate);
    const audio::HRECORD channel = audio::AE_RecordStart(static_cast<std::uint32_t>(rate), 2,
                                                         audio::AE_RECORD_PAUSE, RecordCallback, &FPeaks);
    if (channel == 0) {
        // The device is released again, so that it is not held busy while nothing records.
        audio::AE_RecordFree();
        FView.SetDeviceLabel(MsgText("ErrorStartDevice", "Error start record device. Change settings"));
        return false;
    }
    CaptureChannel.store(channel);
    FDsp = audio::AE_ChannelSetDSP(channel, DspCallback, nullptr, 0);
    if (FDsp == 0) FView.WriteMainLog("Error start DSP");
    audio::AE_ChannelPlay(channel, false);
    FView.WriteMainLog(Message("StartDeviceSucc", "Device started"));
    FView.SetDeviceLabel(Device(index).name ? Device(index).name : "");
    return true;
}

void TCapture::StopRecord() {
    // Unpublished before it stops: a stream in Connect then waits for the next channel instead
    // of starting on one that is going away.
    const audio::HRECORD channel = CaptureChannel.exchange(0);
    if (channel == 0) return;
    if (FDsp != 0) audio::AE_ChannelRemoveDSP(channel, FDsp);
    FDsp = 0;
    audio::AE_ChannelStop(channel);
    audio::AE_RecordFree();
    DrawMeterScale();
}

void TCapture::StartPlugins() {
    const String folder = IncludeTrailingPathDelimiter(AppSettings.Path);
    for (const String& name : PluginFiles) {
        if (!FileExists(folder + name))
            FView.WriteMainLog(Message("PlugFileDNTExist", "Plug-in file does not exist") + " " + folder +
                               name);
        else if (!LoadPlugin(AppSettings.Path, name))
            FView.WriteMainLog(Message("PlugErrorLoad", "Error loading plug-in") + " " + folder + name);
    }
}

void TCapture::DrawMeterScale() {
    const TSize size = FView.MeterSize();
    FView.PaintMeter(FMeter.DrawMeterScale(size.cx, size.cy));
}

void TCapture::ShowIndicator() {
    int left = 0, right = 0;
    FPeaks.ReadAndDecay(left, right);
    const TSize size = FView.MeterSize();
    FView.PaintMeter(FMeter.DrawMeterBars(size.cx, size.cy, Get_Level(left), Get_Level(right)));
}

void TCapture::LedClick() {
    FMeter.NextRange();
    DrawMeterScale();
}

bool RecordCallback(audio::HRECORD, const void* buffer, std::uint32_t length, void* user) {
    int left[TPeakLevels::MaxSlices], right[TPeakLevels::MaxSlices];
    const int rate = CaptureSampleRate.load(std::memory_order_relaxed);
    const int slices = SlicePeaks(static_cast<const std::int16_t*>(buffer), length / 4,
                                  static_cast<unsigned>(rate > 0 ? rate : 44100), left, right);
    if (user) static_cast<TPeakLevels*>(user)->StoreSlices(left, right, slices);
    return true;
}

void DspCallback(audio::HDSP, audio::HRECORD, void* buffer, std::uint32_t length, void*) {
    ProcessPlugins(buffer, static_cast<int>(length), CaptureSampleRate.load(std::memory_order_relaxed), 16,
                   2);
}

} // namespace vd
