#pragma once
// A bounded single-producer single-consumer byte queue: the capture thread pushes whole blocks
// without blocking or allocating, the I/O loop takes them out.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace vd::audio {

class TByteRing {
public:
    explicit TByteRing(std::size_t capacity);

    // All or nothing: false (and nothing queued) when the block does not fit.
    bool Push(const void* data, std::size_t size);
    // The contiguous run of queued bytes at the front (may be shorter than Size()).
    std::size_t Front(const std::uint8_t** data) const;
    // Everything queued as at most two runs: the front one and, when the queue wraps, the rest
    // from the start of the buffer (secondSize 0 otherwise). Returns the total.
    std::size_t Peek(const std::uint8_t** first, std::size_t* firstSize, const std::uint8_t** second,
                     std::size_t* secondSize) const;
    void Pop(std::size_t size);

    std::size_t Size() const;
    std::size_t Capacity() const { return FCapacity; }
    // Total bytes ever pushed / popped: positions in the stream, used for latency stamps.
    std::uint64_t Pushed() const { return FHead.load(std::memory_order_acquire); }
    std::uint64_t Popped() const { return FTail.load(std::memory_order_acquire); }

private:
    std::size_t FCapacity;
    std::unique_ptr<std::uint8_t[]> FData;
    std::atomic<std::uint64_t> FHead{0}; // written by the producer
    std::atomic<std::uint64_t> FTail{0}; // written by the consumer
};

} // namespace vd::audio
