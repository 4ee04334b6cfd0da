#pragma once
// Millisecond ticks from CLOCK_MONOTONIC (never steps with the wall clock).
#include <cstdint>

namespace vd {

// 32-bit milliseconds; wraps after 49.7 days like the system tick it replaces.
std::uint32_t GetTickCount();
// 64-bit milliseconds; never wraps.
std::uint64_t GetTickCount64();
// Blocks the calling thread for ms milliseconds.
void Sleep(std::uint32_t ms);

} // namespace vd
