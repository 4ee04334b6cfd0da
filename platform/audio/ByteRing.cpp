#include "platform/audio/ByteRing.h"

#include <algorithm>
#include <cstring>

namespace vd::audio {

TByteRing::TByteRing(std::size_t capacity)
    : FCapacity(std::max<std::size_t>(capacity, 1)), FData(new std::uint8_t[FCapacity]) {}

bool TByteRing::Push(const void* data, std::size_t size) {
    const std::uint64_t head = FHead.load(std::memory_order_relaxed);
    const std::uint64_t tail = FTail.load(std::memory_order_acquire);
    if (size > FCapacity - static_cast<std::size_t>(head - tail)) return false;
    const std::size_t at = static_cast<std::size_t>(head % FCapacity);
    const std::size_t first = std::min(size, FCapacity - at);
    const auto* src = static_cast<const std::uint8_t*>(data);
    std::memcpy(FData.get() + at, src, first);
    std::memcpy(FData.get(), src + first, size - first);
    FHead.store(head + size, std::memory_order_release);
    return true;
}

std::size_t TByteRing::Front(const std::uint8_t** data) const {
    const std::uint64_t tail = FTail.load(std::memory_order_relaxed);
    const std::uint64_t head = FHead.load(std::memory_order_acquire);
    const std::size_t at = static_cast<std::size_t>(tail % FCapacity);
    *data = FData.get() + at;
    return std::min(static_cast<std::size_t>(head - tail), FCapacity - at);
}

std::size_t TByteRing::Peek(const std::uint8_t** first, std::size_t* firstSize, const std::uint8_t** second,
                            std::size_t* secondSize) const {
    const std::uint64_t tail = FTail.load(std::memory_order_relaxed);
    const auto total = static_cast<std::size_t>(FHead.load(std::memory_order_acquire) - tail);
    const std::size_t at = static_cast<std::size_t>(tail % FCapacity);
    *first = FData.get() + at;
    *firstSize = std::min(total, FCapacity - at);
    *second = FData.get();
    *secondSize = total - *firstSize;
    return total;
}

void TByteRing::Pop(std::size_t size) {
    FTail.store(FTail.load(std::memory_order_relaxed) + size, std::memory_order_release);
}

std::size_t TByteRing::Size() const {
    return static_cast<std::size_t>(FHead.load(std::memory_order_acquire) -
                                    FTail.load(std::memory_order_acquire));
}

} // namespace vd::audio
