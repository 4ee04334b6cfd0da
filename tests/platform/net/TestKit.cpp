#include "tests/platform/net/TestKit.h"

#include <arpa/inet.h>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "tests/support/DieWithParent.h"

extern char** environ;

namespace vd::testkit {

TChildProcess::~TChildProcess() {
    Stop();
}

bool TChildProcess::Start(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                          bool mergeStderr) {
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return false;
    if (::pipe2(out, O_CLOEXEC) != 0) return false;
    // The extra variables replace those of the same name: the first of two would win.
    std::vector<std::string> env = extraEnv;
    const auto overridden = [&](const char* e) {
        for (const std::string& x : extraEnv) {
            const std::size_t eq = x.find('=');
            if (x.compare(0, eq + 1, e, 0, eq + 1) == 0) return true;
        }
        return false;
    };
    for (char** e = environ; *e; ++e)
        if (!overridden(*e)) env.emplace_back(*e);
    std::vector<char*> av, ev;
    for (auto& a : argv)
        av.push_back(const_cast<char*>(a.c_str()));
    av.push_back(nullptr);
    for (auto& e : env)
        ev.push_back(const_cast<char*>(e.c_str()));
    ev.push_back(nullptr);
    uid_t uid = 0;
    gid_t gid = 0;
    if (FAsNobody && !test::NobodyIds(uid, gid)) return false;
    const pid_t parent = ::getpid();
    FPid = ::fork();
    if (FPid == 0) {
        if (FAsNobody && !test::DropRootTo(uid, gid)) ::_exit(126);
        test::DieWithParent(parent);
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        if (mergeStderr) ::dup2(out[1], 2);
        ::setpgid(0, 0);
        ::execve(av[0], av.data(), ev.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    FIn = in[1];
    FOut = out[0];
    return FPid > 0;
}

bool TChildProcess::ReadLine(std::string& line, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        auto nl = FBuf.find('\n');
        if (nl != std::string::npos) {
            line = FBuf.substr(0, nl);
            FBuf.erase(0, nl + 1);
            return true;
        }
        auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
                .count();
        if (left <= 0 || FOut < 0) return false;
        pollfd p{FOut, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) return false;
        char buf[512];
        ssize_t n = ::read(FOut, buf, sizeof buf);
        if (n <= 0) return false;
        FBuf.append(buf, static_cast<std::size_t>(n));
    }
}

bool TChildProcess::Running() {
    if (FPid <= 0) return false;
    int status;
    return ::waitpid(FPid, &status, WNOHANG) == 0;
}

void TChildProcess::Stop() {
    if (FIn >= 0) ::close(FIn);
    FIn = -1;
    if (FPid > 0) {
        ::kill(-FPid, SIGTERM);
        ::kill(FPid, SIGTERM);
        int status;
        bool gone = WaitUntil([&] { return ::waitpid(FPid, &status, WNOHANG) != 0; }, 3000);
        if (!gone) {
            ::kill(-FPid, SIGKILL);
            ::kill(FPid, SIGKILL);
            ::waitpid(FPid, &status, 0);
        }
        FPid = -1;
    }
    if (FOut >= 0) ::close(FOut);
    FOut = -1;
}

int FreePort() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

int Shell(const std::string& command) {
    int r = std::system(command.c_str());
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary);
    f << text;
}

std::string SourceDir() {
    return VD_REPO_DIR;
}

} // namespace vd::testkit
