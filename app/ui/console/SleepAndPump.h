#pragma once
// Waiting on the GUI thread without freezing the windows: the shut-down's waits for the threads.
#include <cstdint>

namespace vd {

// Returns once `milliseconds` have passed (real time), handling the window messages and the
// threads' synchronized calls that arrive meanwhile, in short steps. 0 or less pumps once.
void SleepAndPump(int milliseconds);

} // namespace vd
