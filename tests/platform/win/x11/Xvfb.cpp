#include "Xvfb.h"

#include <X11/Xlib.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vd::test {
namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

}  // namespace

XvfbServer::XvfbServer() {
    for (int n = 91; n < 140; ++n) {
        if (Exists("/tmp/.X11-unix/X" + std::to_string(n)) || Exists("/tmp/.X" + std::to_string(n) + "-lock")) continue;
        const std::string display = ":" + std::to_string(n);
        const pid_t pid = fork();
        if (pid < 0) return;
        if (pid == 0) {
            const int devnull = open("/dev/null", O_RDWR);
            if (devnull >= 0) {
                dup2(devnull, 1);
                dup2(devnull, 2);
            }
            execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) break;  // died: try the next number
            if (::Display* d = XOpenDisplay(display.c_str())) {
                XCloseDisplay(d);
                FPid = pid;
                FDisplay = display;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));  // polling a server start, not syncing
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

XvfbServer::~XvfbServer() {
    if (FPid <= 0) return;
    kill(FPid, SIGTERM);
    waitpid(FPid, nullptr, 0);
}

}  // namespace vd::test
