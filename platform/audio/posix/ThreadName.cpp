#include "platform/audio/ThreadName.h"

#include <pthread.h>

namespace vd::audio {
void SetThreadName(const char* name) {
    ::pthread_setname_np(::pthread_self(), name);
}
} // namespace vd::audio
