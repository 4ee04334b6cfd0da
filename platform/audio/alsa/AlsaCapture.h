#pragma once
// ALSA: the list of capture PCMs and a capture source on one of them. Only this folder sees
// the ALSA headers.
#include <memory>
#include <string>
#include <vector>

namespace vd::audio {

class TCaptureSource;

struct TAlsaDevice {
    std::string Name;   // the device's description as ALSA's hints give it, lines joined by ", "
    std::string Driver; // the PCM name to open ("default", "pulse", "hw:CARD=PCH,DEV=0", ...)
    bool IsDefault = false;
};

// What can capture: the default device first, then the running sound servers, every card's
// capture devices (card and device order), then the user's own PCMs. Plug-ins that wrap another
// device (rate converters, channel mixers) and playback-only devices are left out.
std::vector<TAlsaDevice> ListAlsaCaptureDevices();

// Opens the PCM for capture; null with an AudioError code in *error when it cannot.
std::unique_ptr<TCaptureSource> OpenAlsaCapture(const std::string& pcmName, int* error);

} // namespace vd::audio
