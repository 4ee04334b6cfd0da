#pragma once
// Where an encoder hands its output: a cast to a server or the own-port listener server.
// Deliver runs on the encoder's output thread; it must not block (a sink keeps its own bounded
// queue and reports overflow through the encoder's notify path).
#include <cstddef>
#include <cstdint>

namespace vd::audio {

class TEncodedSink {
public:
    virtual ~TEncodedSink() = default;
    virtual void Deliver(const std::uint8_t* data, std::size_t size) = 0;
};

} // namespace vd::audio
