#pragma once
// A recording device as the capture channel sees it; the ALSA back end implements it.
#include <cstddef>
#include <cstdint>

namespace vd::audio {

class TCaptureSource {
public:
    virtual ~TCaptureSource() = default;
    // 16-bit interleaved at exactly this rate and channel count, in blocks of about periodMs;
    // 0 or an AudioError code.
    virtual int Configure(unsigned rate, unsigned channels, unsigned periodMs) = 0;
    virtual std::size_t PeriodFrames() const = 0;
    // Up to `frames` frames; 0 when nothing came within timeoutMs, a negative AudioError on failure.
    virtual long Read(std::int16_t* buffer, std::size_t frames, int timeoutMs) = 0;
    // Stops the device and drops what it holds; the next Read starts it again.
    virtual void Halt() = 0;
};

} // namespace vd::audio
