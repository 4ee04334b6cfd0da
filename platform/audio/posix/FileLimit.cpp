#include "platform/audio/FileLimit.h"

#include <sys/resource.h>

namespace vd::audio {

unsigned long RaiseOpenFileLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return 0;
    if (limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) limit = raised;
    }
    return static_cast<unsigned long>(limit.rlim_cur);
}

} // namespace vd::audio
