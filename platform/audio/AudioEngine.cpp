#include "platform/audio/AudioEngine.h"

#include "platform/audio/CaptureChannel.h"
#include "platform/audio/CaptureSource.h"
#include "platform/audio/Encoder.h"
#include "platform/audio/EncoderReaper.h"
#include "platform/audio/alsa/AlsaCapture.h"

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace vd::audio {
namespace {

thread_local int LastError = AE_OK;
constexpr unsigned PendingNotifyDelayMs = 200;
// Each block costs a wake-up of the capture thread and one of the I/O loop, and a write to every
// encoder's pipe: fewer, longer blocks cost less. The meter still moves on every 30 ms tick, as
// the record callback hands it a peak per tick's worth of each block.
constexpr unsigned DefaultRecordPeriodMs = 120;
constexpr unsigned MinRecordPeriodMs = 5, MaxRecordPeriodMs = 500;

bool Fail(int code) {
    LastError = code;
    return false;
}
template <typename T> T FailWith(int code, T value) {
    LastError = code;
    return value;
}
bool Ok() {
    LastError = AE_OK;
    return true;
}

struct TDevice {
    AE_DEVICEINFO Info{};
    std::string Driver;
};

struct TEngine {
    TEncoderReaper Reaper; // first member: destroyed last, after everything has been handed over
    std::mutex Lock;
    std::set<std::string> Texts; // device texts, kept for the whole run (callers keep the pointers)
    std::vector<TDevice> Devices;
    std::map<std::string, std::shared_ptr<TCaptureSource>> Opened; // by PCM name
    std::string Current;
    std::map<HRECORD, std::shared_ptr<TCaptureChannel>> Channels;
    std::map<HRECORD, std::string> ChannelDevice;
    std::map<HENCODE, std::shared_ptr<TEncoder>> Encoders;
    std::map<std::uint32_t, std::uint32_t> Config{{AE_CONFIG_NET_TIMEOUT, 5000},
                                                  {AE_CONFIG_ENCODE_CAST_TIMEOUT, 5000},
                                                  {AE_CONFIG_ENCODE_QUEUE, 4000},
                                                  {AE_CONFIG_ENCODE_STOP_WAIT, 1000},
                                                  {AE_CONFIG_RECORD_PERIOD, DefaultRecordPeriodMs}};
    std::uint32_t NextHandle = 1;

    std::uint32_t NewHandle() {
        const std::uint32_t h = NextHandle++;
        if (NextHandle == 0) NextHandle = 1;
        return h;
    }
    const char* Intern(const std::string& s) { return Texts.insert(s).first->c_str(); }
    void Refresh() {
        Devices.clear();
        for (const auto& d : ListAlsaCaptureDevices()) {
            TDevice dev;
            dev.Driver = d.Driver;
            dev.Info.name = Intern(d.Name);
            dev.Info.driver = Intern(d.Driver);
            dev.Info.flags = AE_DEVICE_ENABLED | (d.IsDefault ? AE_DEVICE_DEFAULT : 0);
            Devices.push_back(std::move(dev));
        }
    }
    ~TEngine();
};

TEngine& Engine() {
    static TEngine engine;
    return engine;
}

// Ends an encoder without blocking: no callbacks after this, the process ends on the reaper.
void Retire(TEngine& e, std::shared_ptr<TEncoder> encoder) {
    encoder->MarkStopped();
    e.Reaper.Add(std::move(encoder));
}

// Stops a channel taken out of the tables; frees its auto-free encoders.
void EndChannel(TEngine& e, const std::shared_ptr<TCaptureChannel>& channel) {
    channel->Stop();
    for (auto& enc : channel->TakeEncoders()) {
        if (!(enc->Flags() & AE_ENCODE_AUTOFREE)) continue;
        {
            std::lock_guard lock(e.Lock);
            e.Encoders.erase(enc->Handle());
        }
        enc->RaiseNotify(AE_ENCODE_NOTIFY_FREE);
        Retire(e, std::move(enc));
    }
}

TEngine::~TEngine() {
    std::vector<std::shared_ptr<TCaptureChannel>> channels;
    std::vector<std::shared_ptr<TEncoder>> encoders;
    {
        std::lock_guard lock(Lock);
        for (auto& [h, c] : Channels)
            channels.push_back(c);
        for (auto& [h, enc] : Encoders)
            encoders.push_back(enc);
        Channels.clear();
        Encoders.clear();
    }
    for (auto& enc : encoders)
        Retire(*this, std::move(enc));
    for (auto& c : channels)
        c->Stop();
    Reaper.Drain();
}

std::shared_ptr<TCaptureChannel> FindChannel(TEngine& e, HRECORD handle) {
    std::lock_guard lock(e.Lock);
    auto it = e.Channels.find(handle);
    return it == e.Channels.end() ? nullptr : it->second;
}

std::shared_ptr<TEncoder> FindEncoder(HENCODE handle) {
    TEngine& e = Engine();
    std::lock_guard lock(e.Lock);
    auto it = e.Encoders.find(handle);
    if (it == e.Encoders.end()) return FailWith(AE_ERROR_HANDLE, nullptr);
    LastError = AE_OK;
    return it->second;
}

} // namespace

bool AE_RecordGetDeviceInfo(std::uint32_t device, AE_DEVICEINFO* info) {
    if (!info) return Fail(AE_ERROR_ILLPARAM);
    TEngine& e = Engine();
    std::lock_guard lock(e.Lock);
    if (device == 0 || e.Devices.empty()) e.Refresh();
    if (device >= e.Devices.size()) return Fail(AE_ERROR_DEVICE);
    *info = e.Devices[device].Info;
    return Ok();
}

bool AE_RecordInit(int device) {
    TEngine& e = Engine();
    std::lock_guard lock(e.Lock);
    if (e.Devices.empty()) e.Refresh();
    if (device < 0 || static_cast<std::size_t>(device) >= e.Devices.size()) return Fail(AE_ERROR_DEVICE);
    const std::string& driver = e.Devices[device].Driver;
    // Already open: it stays open and becomes the current device again.
    if (!e.Opened.count(driver)) {
        int code = AE_OK;
        auto source = OpenAlsaCapture(driver, &code);
        if (!source) return Fail(code);
        e.Opened[driver] = std::move(source);
    }
    e.Current = driver;
    return Ok();
}

bool AE_RecordSetDevice(std::uint32_t device) {
    TEngine& e = Engine();
    std::lock_guard lock(e.Lock);
    if (device >= e.Devices.size()) return Fail(AE_ERROR_DEVICE);
    const std::string& driver = e.Devices[device].Driver;
    if (!e.Opened.count(driver)) return Fail(AE_ERROR_INIT);
    e.Current = driver;
    return Ok();
}

bool AE_RecordFree() {
    TEngine& e = Engine();
    std::vector<std::shared_ptr<TCaptureChannel>> ending;
    {
        std::lock_guard lock(e.Lock);
        if (e.Current.empty() || !e.Opened.count(e.Current)) return Fail(AE_ERROR_INIT);
        for (auto& [h, dev] : e.ChannelDevice)
            if (dev == e.Current && e.Channels[h]->OnCaptureThread()) return Fail(AE_ERROR_BUSY);
        for (auto it = e.ChannelDevice.begin(); it != e.ChannelDevice.end();) {
            if (it->second == e.Current) {
                ending.push_back(e.Channels[it->first]);
                e.Channels.erase(it->first);
                it = e.ChannelDevice.erase(it);
            } else {
                ++it;
            }
        }
        e.Opened.erase(e.Current);
        e.Current.clear();
    }
    for (auto& c : ending)
        EndChannel(e, c);
    return Ok();
}

HRECORD AE_RecordStart(std::uint32_t freq, std::uint32_t chans, std::uint32_t flags, RECORDPROC proc,
                       void* user) {
    if (freq < 1000 || freq > 384000) return FailWith(AE_ERROR_FREQ, 0u);
    if (chans < 1 || chans > 2) return FailWith(AE_ERROR_FORMAT, 0u);
    TEngine& e = Engine();
    std::shared_ptr<TCaptureChannel> channel;
    {
        std::lock_guard lock(e.Lock);
        auto it = e.Opened.find(e.Current);
        if (e.Current.empty() || it == e.Opened.end()) return FailWith(AE_ERROR_INIT, 0u);
        for (auto& [h, dev] : e.ChannelDevice)
            if (dev == e.Current) return FailWith(AE_ERROR_ALREADY, 0u);
        if (const int code = it->second->Configure(freq, chans, e.Config[AE_CONFIG_RECORD_PERIOD]);
            code != AE_OK)
            return FailWith(code, 0u);
        const HRECORD handle = e.NewHandle();
        channel = std::make_shared<TCaptureChannel>(handle, it->second, freq, chans, proc, user);
        e.Channels[handle] = channel;
        e.ChannelDevice[handle] = e.Current;
    }
    if (!(flags & AE_RECORD_PAUSE)) channel->Play();
    LastError = AE_OK;
    return channel->Handle();
}

bool AE_ChannelPlay(HRECORD handle, bool /*restart: a capture has nothing to rewind*/) {
    auto channel = FindChannel(Engine(), handle);
    if (!channel) return Fail(AE_ERROR_HANDLE);
    channel->Play();
    return Ok();
}

bool AE_ChannelIsActive(HRECORD handle) {
    auto channel = FindChannel(Engine(), handle);
    if (!channel) return Fail(AE_ERROR_HANDLE);
    LastError = AE_OK;
    return channel->Running();
}

bool AE_ChannelStop(HRECORD handle) {
    TEngine& e = Engine();
    std::shared_ptr<TCaptureChannel> channel;
    {
        std::lock_guard lock(e.Lock);
        auto it = e.Channels.find(handle);
        if (it == e.Channels.end()) return Fail(AE_ERROR_HANDLE);
        // From its own callback the thread cannot be joined: the callback ends it by returning false.
        if (it->second->OnCaptureThread()) return Fail(AE_ERROR_BUSY);
        channel = it->second;
        e.Channels.erase(it);
        e.ChannelDevice.erase(handle);
    }
    EndChannel(e, channel);
    return Ok();
}

HDSP AE_ChannelSetDSP(HRECORD handle, DSPPROC proc, void* user, int priority) {
    if (!proc) return FailWith(AE_ERROR_ILLPARAM, 0u);
    TEngine& e = Engine();
    auto channel = FindChannel(e, handle);
    if (!channel) return FailWith(AE_ERROR_HANDLE, 0u);
    if (channel->OnCaptureThread()) return FailWith(AE_ERROR_BUSY, 0u);
    HDSP id;
    {
        std::lock_guard lock(e.Lock);
        id = e.NewHandle();
    }
    if (!channel->AddDsp(id, proc, user, priority)) return FailWith(AE_ERROR_MEM, 0u);
    LastError = AE_OK;
    return id;
}

bool AE_ChannelRemoveDSP(HRECORD handle, HDSP dsp) {
    auto channel = FindChannel(Engine(), handle);
    if (channel && channel->OnCaptureThread()) return Fail(AE_ERROR_BUSY); // the hooks are running
    if (!channel || !channel->RemoveDsp(dsp)) return Fail(AE_ERROR_HANDLE);
    return Ok();
}

bool AE_SetConfig(std::uint32_t option, std::uint32_t value) {
    TEngine& e = Engine();
    std::lock_guard lock(e.Lock);
    auto it = e.Config.find(option);
    if (it == e.Config.end()) return Fail(AE_ERROR_ILLPARAM);
    if (option == AE_CONFIG_RECORD_PERIOD && (value < MinRecordPeriodMs || value > MaxRecordPeriodMs))
        return Fail(AE_ERROR_ILLPARAM);
    it->second = value;
    return Ok();
}

std::uint32_t AE_GetConfig(std::uint32_t option) {
    TEngine& e = Engine();
    std::lock_guard lock(e.Lock);
    auto it = e.Config.find(option);
    if (it == e.Config.end()) return FailWith(AE_ERROR_ILLPARAM, std::uint32_t{0});
    LastError = AE_OK;
    return it->second;
}

int AE_ErrorGetCode() {
    return LastError;
}
void AE_SetErrorCode(int code) {
    LastError = code;
}

HENCODE AE_Encode_Start(HRECORD channelHandle, const char* cmdline, std::uint32_t flags, ENCODEPROC proc,
                        void* user) {
    if (!cmdline || !*cmdline) return FailWith(AE_ERROR_ILLPARAM, 0u);
    TEngine& e = Engine();
    auto channel = FindChannel(e, channelHandle);
    if (!channel) return FailWith(AE_ERROR_HANDLE, 0u);
    TEncoder::TParams p;
    p.Channel = channelHandle;
    p.Flags = flags;
    p.Proc = proc;
    p.User = user;
    p.Rate = channel->Rate();
    p.Channels = channel->Channels();
    {
        std::lock_guard lock(e.Lock);
        p.Handle = e.NewHandle();
        const std::uint64_t ms = e.Config[AE_CONFIG_ENCODE_QUEUE];
        p.QueueBytes = static_cast<std::size_t>(
            std::max<std::uint64_t>(std::uint64_t{p.Rate} * p.Channels * 2 * ms / 1000, 65536));
        p.StopWaitMs = e.Config[AE_CONFIG_ENCODE_STOP_WAIT];
    }
    auto encoder = std::make_shared<TEncoder>(p);
    if (const int code = encoder->Start(cmdline); code != AE_OK) return FailWith(code, 0u);
    bool stopped;
    {
        // A channel stop takes the channel out of the table before it takes its encoders, both
        // under this lock's order: added here, the encoder is taken with the others; a channel
        // already gone (or replaced) would never feed it.
        std::lock_guard lock(e.Lock);
        auto it = e.Channels.find(channelHandle);
        stopped = it == e.Channels.end() || it->second != channel;
        if (!stopped) {
            e.Encoders[p.Handle] = encoder;
            channel->AddEncoder(encoder);
        }
    }
    if (stopped) {
        Retire(e, std::move(encoder));
        return FailWith(AE_ERROR_HANDLE, 0u);
    }
    LastError = AE_OK;
    return p.Handle;
}

bool AE_Encode_SetNotify(HENCODE handle, ENCODENOTIFYPROC proc, void* user) {
    auto enc = FindEncoder(handle);
    if (!enc) return false;
    // A failure that came before the callback (the program died while the cast was opening)
    // follows shortly, once the caller has made the stream live, instead of being lost.
    if (const std::uint32_t pending = enc->SetNotify(proc, user))
        Engine().Reaper.AddNotify(std::move(enc), pending, PendingNotifyDelayMs);
    return true;
}

bool AE_Encode_Stop(HENCODE handle) {
    TEngine& e = Engine();
    std::shared_ptr<TEncoder> encoder;
    std::shared_ptr<TCaptureChannel> channel;
    {
        std::lock_guard lock(e.Lock);
        auto it = e.Encoders.find(handle);
        if (it == e.Encoders.end()) return Fail(AE_ERROR_HANDLE);
        encoder = std::move(it->second);
        e.Encoders.erase(it);
        auto ch = e.Channels.find(encoder->Channel());
        if (ch != e.Channels.end()) channel = ch->second;
    }
    if (channel) channel->RemoveEncoder(encoder.get());
    Retire(e, std::move(encoder));
    return Ok();
}

bool AE_Encode_IsActive(HENCODE handle) {
    auto enc = FindEncoder(handle);
    return enc && enc->Pid() != 0;
}

bool AE_Encode_EndInput(HENCODE handle) {
    auto enc = FindEncoder(handle);
    if (!enc) return false;
    enc->EndInput();
    return true;
}

bool AE_Encode_AttachSink(HENCODE handle, std::shared_ptr<TEncodedSink> sink) {
    auto enc = FindEncoder(handle);
    if (!enc) return false;
    return enc->AttachSink(std::move(sink)) ? Ok() : Fail(AE_ERROR_ILLPARAM);
}

bool AE_Encode_DetachSink(HENCODE handle, const TEncodedSink* sink) {
    auto enc = FindEncoder(handle);
    if (!enc) return false;
    return enc->DetachSink(sink) ? Ok() : Fail(AE_ERROR_ILLPARAM);
}

bool AE_Encode_RaiseNotify(HENCODE handle, std::uint32_t status) {
    auto enc = FindEncoder(handle);
    if (!enc) return false;
    enc->RaiseNotify(status);
    return true;
}

std::uint64_t AE_Encode_GetQueued(HENCODE handle) {
    auto enc = FindEncoder(handle);
    return enc ? enc->Queued() : 0;
}

int AE_Encode_GetPid(HENCODE handle) {
    auto enc = FindEncoder(handle);
    return enc ? enc->Pid() : 0;
}

std::uint64_t AE_Encode_GetMaxLatencyUs(HENCODE handle) {
    auto enc = FindEncoder(handle);
    return enc ? enc->MaxLatencyUs() : 0;
}

} // namespace vd::audio
