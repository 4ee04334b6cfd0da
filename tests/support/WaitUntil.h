#pragma once
// Tests wait for a condition with a deadline, never for a fixed time.
#include <functional>

namespace vd::test {

// Checks `condition` until it holds or `timeoutMs` passed; true when it held. Between checks runs
// `between` (pumping a message loop, waiting for input) or, without one, pauses 10 ms so the
// poll does not take a core from the code under test (and a condition that feeds data paces it).
// A caller that drops the verdict passes on a timeout: the compiler refuses that.
[[nodiscard]] bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000,
                             const std::function<void()>& between = {});

} // namespace vd::test
