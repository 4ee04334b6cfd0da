#include "platform/audio/alsa/AlsaCapture.h"

#include "platform/audio/AudioErrors.h"
#include "platform/audio/CaptureSource.h"

#include <alsa/asoundlib.h>
#include <cerrno>
#include <set>

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

// Where a PCM of ALSA's hints belongs in the device list.
enum class TPcmKind { pkDefault, pkServer, pkOwn, pkSkip };

// The PCM's definition in the configuration: its type, and whether it takes arguments.
std::string PcmType(snd_config_t* top, const std::string& name, bool& takesArgs) {
    takesArgs = false;
    snd_config_t* pcms = nullptr;
    snd_config_t* def = nullptr;
    snd_config_t* node = nullptr;
    if (!top || snd_config_search(top, "pcm", &pcms) < 0 || snd_config_search(pcms, name.c_str(), &def) < 0)
        return {};
    takesArgs = snd_config_search(def, "@args", &node) >= 0;
    const char* type = nullptr;
    if (snd_config_search(def, "type", &node) < 0 || snd_config_get_string(node, &type) < 0 || !type)
        return {};
    return type;
}

TPcmKind ClassifyPcm(snd_config_t* top, const std::string& name) {
    if (name == "default") return TPcmKind::pkDefault;
    // Card-bound names (hw:CARD=..., dsnoop:CARD=...) come from the card walk, once per device.
    if (name.empty() || name == "null" || name.find(':') != std::string::npos) return TPcmKind::pkSkip;
    bool takesArgs = false;
    const std::string type = PcmType(top, name, takesArgs);
    if (type == "pulse" || type == "pipewire" || type == "jack") return TPcmKind::pkServer;
    // A definition with arguments is a plug-in wrapped around another device (rate converters,
    // channel mixers, encoders), not an input of its own.
    if (takesArgs || type == "null") return TPcmKind::pkSkip;
    return TPcmKind::pkOwn; // the user's own devices
}

// A sound server's PCM records only while its server runs.
bool CanCapture(const std::string& name) {
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, name.c_str(), SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK) < 0) return false;
    snd_pcm_close(pcm);
    return true;
}

// Every card's capture devices in card and device order, so that the numbers stay while
// nothing is plugged or unplugged; opened through plughw for the format conversions.
void AddCardCaptureDevices(std::vector<TAlsaDevice>& out) {
    snd_ctl_card_info_t* cardInfo = nullptr;
    snd_pcm_info_t* pcmInfo = nullptr;
    snd_ctl_card_info_alloca(&cardInfo);
    snd_pcm_info_alloca(&pcmInfo);
    std::set<std::string> names;
    for (int card = -1; snd_card_next(&card) >= 0 && card >= 0;) {
        snd_ctl_t* ctl = nullptr;
        if (snd_ctl_open(&ctl, ("hw:" + std::to_string(card)).c_str(), 0) < 0) continue;
        if (snd_ctl_card_info(ctl, cardInfo) < 0) {
            snd_ctl_close(ctl);
            continue;
        }
        const std::string id = snd_ctl_card_info_get_id(cardInfo);
        const std::string cardName = snd_ctl_card_info_get_name(cardInfo);
        for (int dev = -1; snd_ctl_pcm_next_device(ctl, &dev) >= 0 && dev >= 0;) {
            snd_pcm_info_set_device(pcmInfo, static_cast<unsigned>(dev));
            snd_pcm_info_set_subdevice(pcmInfo, 0);
            snd_pcm_info_set_stream(pcmInfo, SND_PCM_STREAM_CAPTURE);
            if (snd_ctl_pcm_info(ctl, pcmInfo) < 0) continue; // playback only
            TAlsaDevice d;
            d.Name = cardName + ", " + snd_pcm_info_get_name(pcmInfo);
            // Two cards of the same model are told apart by their ids.
            if (!names.insert(d.Name).second) d.Name += " (" + id + ")";
            d.Driver = "plughw:CARD=" + id + ",DEV=" + std::to_string(dev);
            out.push_back(std::move(d));
        }
        snd_ctl_close(ctl);
    }
}

} // namespace

std::vector<TAlsaDevice> ListAlsaCaptureDevices() {
    std::vector<TAlsaDevice> defaults, servers, cards, others;
    snd_config_t* top = nullptr;
    if (snd_config_update_ref(&top) < 0) top = nullptr;
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) >= 0 && hints) {
        for (void** h = hints; *h; ++h) {
            if (HintText(*h, "IOID") == "Output") continue;
            TAlsaDevice d;
            d.Driver = HintText(*h, "NAME");
            d.Name = JoinLines(HintText(*h, "DESC"));
            if (d.Name.empty()) d.Name = d.Driver;
            switch (ClassifyPcm(top, d.Driver)) {
            case TPcmKind::pkDefault:
                d.IsDefault = true;
                defaults.push_back(std::move(d));
                break;
            case TPcmKind::pkServer:
                if (CanCapture(d.Driver)) servers.push_back(std::move(d));
                break;
            case TPcmKind::pkOwn:
                others.push_back(std::move(d));
                break;
            case TPcmKind::pkSkip:
                break;
            }
        }
        snd_device_name_free_hint(hints);
    }
    if (top) snd_config_unref(top);
    AddCardCaptureDevices(cards);
    std::vector<TAlsaDevice> devices = std::move(defaults);
    for (auto* group : {&servers, &cards, &others})
        for (auto& d : *group)
            devices.push_back(std::move(d));
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
