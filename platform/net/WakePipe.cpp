#include "platform/net/WakePipe.h"

#include <fcntl.h>
#include <unistd.h>

namespace vd::net {

TWakePipe::TWakePipe() {
    if (::pipe2(FFd, O_CLOEXEC | O_NONBLOCK) != 0) FFd[0] = FFd[1] = -1;
}

TWakePipe::~TWakePipe() {
    for (int fd : FFd)
        if (fd >= 0) ::close(fd);
}

void TWakePipe::Wake() {
    if (FFd[1] < 0) return;
    char c = 1;
    [[maybe_unused]] auto n = ::write(FFd[1], &c, 1); // a full pipe is awake already
}

} // namespace vd::net
