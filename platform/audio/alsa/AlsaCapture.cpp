#include "platform/audio/alsa/AlsaCapture.h"

#include "platform/audio/AudioErrors.h"
#include "platform/audio/CaptureSource.h"

#include <alsa/asoundlib.h>
#include <cerrno>

namespace vd::audio {
namespace {

std::string HintText(void* hint, const char* id) {
    char* s = snd_device_name_get_hint(hint, id);
    if (!s) return {};
    std::string text(s);
    std::free(s);
    return text;
}

std::string JoinLines(std::string text) {
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty()) out += (out.empty() ? "" : ", ") + line;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

int OpenErrorCode(int err) {
    switch (-err) {
    case EBUSY:
        return AE_ERROR_BUSY;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return AE_ERROR_DEVICE;
    case ENOMEM:
        return AE_ERROR_MEM;
    default:
        return AE_ERROR_DRIVER;
    }
}

class TAlsaCapture final : public TCaptureSource {
public:
    explicit TAlsaCapture(snd_pcm_t* pcm) : FPcm(pcm) {}
    ~TAlsaCapture() override { snd_pcm_close(FPcm); }

    int Configure(unsigned rate, unsigned channels, unsigned periodMs) override;
    std::size_t PeriodFrames() const override { return FPeriod; }
    long Read(std::int16_t* buffer, std::size_t frames, int timeoutMs) override;
    void Halt() override { snd_pcm_drop(FPcm); }

private:
    snd_pcm_t* FPcm;
    std::size_t FPeriod = 1024;
    unsigned FChannels = 2;
};

int TAlsaCapture::Configure(unsigned rate, unsigned channels, unsigned periodMs) {
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    if (snd_pcm_hw_params_any(FPcm, hw) < 0) return AE_ERROR_DRIVER;
    if (snd_pcm_hw_params_set_access(FPcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED) < 0 ||
        snd_pcm_hw_params_set_format(FPcm, hw, SND_PCM_FORMAT_S16_LE) < 0)
        return AE_ERROR_FORMAT;
    if (snd_pcm_hw_params_set_channels(FPcm, hw, channels) < 0) return AE_ERROR_FORMAT;
    if (snd_pcm_hw_params_set_rate(FPcm, hw, rate, 0) < 0) return AE_ERROR_FREQ;
    // Four blocks of slack.
    unsigned periodUs = periodMs * 1000, bufferUs = 4 * periodUs;
    snd_pcm_hw_params_set_period_time_near(FPcm, hw, &periodUs, nullptr);
    snd_pcm_hw_params_set_buffer_time_near(FPcm, hw, &bufferUs, nullptr);
    if (snd_pcm_hw_params(FPcm, hw) < 0) return AE_ERROR_FORMAT;
    snd_pcm_uframes_t period = 0;
    snd_pcm_hw_params_get_period_size(hw, &period, nullptr);
    FPeriod = period > 0 ? period : 1024;
    FChannels = channels;
    return snd_pcm_prepare(FPcm) < 0 ? AE_ERROR_DRIVER : AE_OK;
}

long TAlsaCapture::Read(std::int16_t* buffer, std::size_t frames, int timeoutMs) {
    const snd_pcm_state_t state = snd_pcm_state(FPcm);
    if (state == SND_PCM_STATE_SETUP) snd_pcm_prepare(FPcm);
    if (state != SND_PCM_STATE_RUNNING && snd_pcm_start(FPcm) < 0 && state == SND_PCM_STATE_DISCONNECTED)
        return -AE_ERROR_DEVICE;
    const int ready = snd_pcm_wait(FPcm, timeoutMs);
    if (ready == 0) return 0;
    snd_pcm_sframes_t got = ready < 0 ? ready : snd_pcm_readi(FPcm, buffer, frames);
    if (got == -EAGAIN) return 0;
    if (got < 0) {
        // Overruns and suspends are recovered; anything else ends the capture.
        if (snd_pcm_recover(FPcm, static_cast<int>(got), 1) < 0) return -AE_ERROR_DEVICE;
        return 0;
    }
    return static_cast<long>(got);
}

} // namespace

std::vector<TAlsaDevice> ListAlsaCaptureDevices() {
    std::vector<TAlsaDevice> devices;
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0 || !hints) return devices;
    for (void** h = hints; *h; ++h) {
        const std::string io = HintText(*h, "IOID");
        if (io == "Output") continue;
        TAlsaDevice d;
        d.Driver = HintText(*h, "NAME");
        if (d.Driver.empty() || d.Driver == "null") continue;
        d.Name = JoinLines(HintText(*h, "DESC"));
        if (d.Name.empty()) d.Name = d.Driver;
        d.IsDefault = d.Driver == "default";
        devices.push_back(std::move(d));
    }
    snd_device_name_free_hint(hints);
    return devices;
}

std::unique_ptr<TCaptureSource> OpenAlsaCapture(const std::string& pcmName, int* error) {
    snd_pcm_t* pcm = nullptr;
    const int rc = snd_pcm_open(&pcm, pcmName.c_str(), SND_PCM_STREAM_CAPTURE, 0);
    if (rc < 0) {
        if (error) *error = OpenErrorCode(rc);
        return nullptr;
    }
    if (error) *error = AE_OK;
    return std::make_unique<TAlsaCapture>(pcm);
}

} // namespace vd::audio
