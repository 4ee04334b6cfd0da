#include "Xvfb.h"

#include <X11/Xlib.h>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vd::test {

// Xvfb picks a free display itself (-displayfd) and tells us which: two test programs starting
// at once can never end up on the same number.
XvfbServer::XvfbServer() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return;
    }
    if (pid == 0) {
        // Ends with the test program however that ends, a crash included (the signal follows
        // the forking thread: test programs start their server from the main thread).
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        const int devnull = open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        const int out = dup(fds[1]); // the duplicate survives exec
        char fdText[16];
        int len = 0;
        for (int v = out; len == 0 || v > 0; v /= 10)
            fdText[len++] = static_cast<char>('0' + v % 10);
        for (int i = 0; i < len / 2; ++i) {
            const char c = fdText[i];
            fdText[i] = fdText[len - 1 - i];
            fdText[len - 1 - i] = c;
        }
        fdText[len] = '\0';
        execlp("Xvfb", "Xvfb", "-displayfd", fdText, "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    bool complete = false;
    pollfd p{fds[0], POLLIN, 0};
    while (!complete && poll(&p, 1, 10000) > 0) {
        char buf[16];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0) break;
        for (ssize_t i = 0; i < n; ++i) {
            if (buf[i] == '\n')
                complete = true;
            else if (!complete)
                number += buf[i];
        }
    }
    close(fds[0]);
    const std::string display = ":" + number;
    if (complete && !number.empty()) {
        if (::Display* d = XOpenDisplay(display.c_str())) {
            XCloseDisplay(d);
            FPid = pid;
            FDisplay = display;
            return;
        }
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

XvfbServer::~XvfbServer() {
    if (FPid <= 0) return;
    kill(FPid, SIGTERM);
    waitpid(FPid, nullptr, 0);
}

} // namespace vd::test
