#pragma once
// Where an encoder hands its output: a cast to a server or the own-port listener server.
// Deliver runs on the engine's I/O loop thread; it must not block (a sink keeps its own bounded
// queue and reports overflow through the encoder's notify path).
#include <cstddef>
#include <cstdint>

namespace vd::audio {

class TEncodedSink {
public:
    virtual ~TEncodedSink() = default;
    virtual void Deliver(const std::uint8_t* data, std::size_t size) = 0;
    // The encoder was stopped with the sink still attached: end whatever waits (a connection
    // attempt under way, a send) without a notification. Any thread; must not block.
    virtual void Abandon() {}
};

} // namespace vd::audio
