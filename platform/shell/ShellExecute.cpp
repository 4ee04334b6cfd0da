#include "platform/shell/ShellExecute.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace vd {

namespace {

// PATH is searched before forking: between fork and exec only async-signal-safe calls are made.
std::string FindOnPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        if (dir.empty()) dir = ".";
        std::string candidate = dir + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

} // namespace

int ShellExecute(HWND, const char* verb, const char* file, const char*, const char* directory, int) {
    if (verb && *verb && std::strcmp(verb, "open") != 0) return SE_ERR_NOASSOC;
    if (!file || !*file) return SE_ERR_FNF;
    const std::string handler = FindOnPath("xdg-open");
    if (handler.empty()) return SE_ERR_FNF;
    const std::string dir = directory ? directory : "";

    // Started through an intermediate child that ends at once, so the handler is never our
    // child: nothing has to wait for it and it leaves no zombie.
    const pid_t middle = ::fork();
    if (middle < 0) return SE_ERR_OOM;
    if (middle == 0) {
        const pid_t handlerPid = ::fork();
        if (handlerPid == 0) {
            ::setsid();
            if (!dir.empty() && ::chdir(dir.c_str()) != 0) ::_exit(127);
            char* const argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(file), nullptr};
            ::execv(handler.c_str(), argv);
            ::_exit(127);
        }
        ::_exit(handlerPid < 0 ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0) {
        if (errno != EINTR) return SE_ERR_OOM;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 42 : SE_ERR_OOM;
}

} // namespace vd
