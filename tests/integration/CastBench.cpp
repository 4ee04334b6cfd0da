// The cost of casting, from a paced source (a PulseAudio null sink of the benchmark's own, read
// through ALSA's pulse device): one MP3 128 kbit/s stream to a real icecast2 for VD_BENCH_SECONDS
// (default 30) through our pipeline (this process plus its lame) and through DarkIce, side by
// side; then the console's own CPU with 4 streams cast at once (encoders excluded).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/FileLimit.h"
#include "platform/audio/cast/CastApi.h"
#include "tests/platform/audio/AudioFixture.h"
#include "tests/platform/audio/PulseServer.h"
#include "tests/platform/audio/cast/IcecastServer.h"

namespace vd::audio {
namespace {

double Seconds() {
    const char* s = std::getenv("VD_BENCH_SECONDS");
    return s && std::atof(s) > 0 ? std::atof(s) : 30.0;
}

double CpuSeconds(int who) {
    rusage u{};
    ::getrusage(who, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// CPU seconds a running process has used so far.
double ProcessCpu(int pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(f)), {});
    std::istringstream rest(stat.substr(stat.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i)
        if (i == 14 || i == 15) ticks += std::atof(field.c_str());
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// CPU seconds of this process's threads with that name (the I/O loop).
double ThreadsCpu(const std::string& name) {
    double total = 0;
    std::string task = "/proc/self/task";
    for (auto& entry : std::filesystem::directory_iterator(task)) {
        std::ifstream c(entry.path() / "comm");
        std::string comm;
        std::getline(c, comm);
        if (comm != name) continue;
        std::ifstream f(entry.path() / "stat");
        std::string stat((std::istreambuf_iterator<char>(f)), {});
        std::istringstream rest(stat.substr(stat.rfind(')') + 2));
        std::string field;
        for (int i = 3; i <= 15 && rest >> field; ++i)
            if (i == 14 || i == 15)
                total += std::atof(field.c_str()) / static_cast<double>(::sysconf(_SC_CLK_TCK));
    }
    return total;
}

struct TSetup {
    unsigned long FileLimit = RaiseOpenFileLimit(); // first: a thousand listeners need descriptors
    test::TPulseServer Pulse;
    testkit::TIcecastServer Icecast;
    TSetup() {
        Pulse.UseInThisProcess();
        Icecast.Start();
        // VD_BENCH_PERIOD_MS sets the engine's capture period, to compare one with another.
        if (const char* s = std::getenv("VD_BENCH_PERIOD_MS"); s && std::atoi(s) > 0)
            AE_SetConfig(AE_CONFIG_RECORD_PERIOD, static_cast<std::uint32_t>(std::atoi(s)));
    }
};

TSetup& Setup() {
    static TSetup s;
    return s;
}

// Our pipeline for one run: CPU of this process and of its lame processes, per audio second.
double OurPipeline(int streams, bool withEncoders, double* castCpu = nullptr, double* encoderCpu = nullptr) {
    int device = test::FindDevice(test::TPulseServer::DeviceName);
    if (device < 0 || !AE_RecordInit(device) || !AE_RecordSetDevice(device)) return -1;
    HRECORD ch = AE_RecordStart(
        44100, 2, AE_RECORD_PAUSE, [](HRECORD, const void*, std::uint32_t, void*) { return true; }, nullptr);
    std::vector<HENCODE> encs;
    for (int i = 0; i < streams; ++i) {
        HENCODE e = AE_Encode_Start(ch, "lame -r  -s 44100 --cbr -b 128 -", 0x40001, nullptr, nullptr);
        std::string server =
            "127.0.0.1:" + std::to_string(Setup().Icecast.Port()) + "/ours" + std::to_string(i) + ".mp3";
        AE_Encode_CastInit(e, server.c_str(), "hackme", "audio/mpeg", "Bench", "", "Bench", "Bench", nullptr,
                           128, false);
        encs.push_back(e);
    }
    AE_ChannelPlay(ch, false);
    std::this_thread::sleep_for(std::chrono::seconds(2)); // past the start-up
    double self0 = CpuSeconds(RUSAGE_SELF), enc0 = 0, cast0 = ThreadsCpu("vd-io");
    for (HENCODE e : encs)
        enc0 += ProcessCpu(AE_Encode_GetPid(e));
    auto t0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(Seconds()));
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    double cpu = CpuSeconds(RUSAGE_SELF) - self0;
    if (castCpu) *castCpu = (ThreadsCpu("vd-io") - cast0) / wall * 100;
    double enc = -enc0;
    for (HENCODE e : encs)
        enc += ProcessCpu(AE_Encode_GetPid(e));
    if (encoderCpu) *encoderCpu = enc / wall * 100;
    if (withEncoders) cpu += enc;
    for (HENCODE e : encs) {
        AE_Encode_CastFree(e);
        AE_Encode_Stop(e);
    }
    AE_ChannelStop(ch);
    AE_RecordFree();
    return cpu / wall * 100;
}

double DarkIce() {
    testkit::TTempDir dir;
    int seconds = static_cast<int>(Seconds()) + 2;
    testkit::WriteFile(
        dir.File("darkice.cfg"),
        "[general]\nduration = " + std::to_string(seconds) +
            "\nbufferSecs = 1\nreconnect = no\n"
            "[input]\ndevice = vdpulse\nsampleRate = 44100\nbitsPerSample = 16\nchannel = 2\n"
            "[icecast2-0]\nbitrateMode = cbr\nformat = mp3\nbitrate = 128\nserver = 127.0.0.1\nport = " +
            std::to_string(Setup().Icecast.Port()) +
            "\npassword = hackme\nmountPoint = darkice.mp3\nname = Bench\n");
    double before = CpuSeconds(RUSAGE_CHILDREN);
    auto t0 = std::chrono::steady_clock::now();
    int status = testkit::Shell("darkice -c '" + dir.File("darkice.cfg") + "' > /dev/null 2>&1");
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (status != 0) return -1;
    return (CpuSeconds(RUSAGE_CHILDREN) - before) / wall * 100;
}

void OursAgainstDarkIce(benchmark::State& state) {
    Setup();
    double ours = 0, theirs = 0, cast = 0, lame = 0;
    for (auto _ : state) {
        ours = OurPipeline(1, true, &cast, &lame);
        theirs = DarkIce();
    }
    if (ours < 0 || theirs <= 0) {
        state.SkipWithError("paced capture, icecast2 or darkice did not run");
        return;
    }
    state.counters["ours_cpu_percent"] = ours;
    state.counters["darkice_cpu_percent"] = theirs;
    state.counters["ratio"] = ours / theirs;
    state.counters["lame_cpu_percent"] = lame;
    state.counters["io_loop_cpu_percent"] = cast;
    std::printf(
        "ours %.2f %% of a core (lame %.2f, I/O loop %.3f, the rest capture and engine), DarkIce %.2f %%, "
        "ratio %.3f (aim <= 0.25)\n",
        ours, lame, cast, theirs, ours / theirs);
    std::fflush(stdout);
}

void ConsoleWithFourStreams(benchmark::State& state) {
    Setup();
    double cpu = 0, casts = 0;
    for (auto _ : state)
        cpu = OurPipeline(4, false, &casts);
    state.counters["console_cpu_percent"] = cpu;
    state.counters["io_loop_cpu_percent"] = casts;
    std::printf("console with 4 casts: %.3f %% of a core (encoders excluded; capture path included), "
                "of it the I/O loop (4 encoders' pipes and 4 casts) %.3f %%\n",
                cpu, casts);
    std::fflush(stdout);
}

int ThreadCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& t : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

// Loopback listeners in a child process of their own, so that their reading is not counted as
// the console's. The child uses nothing but system calls and static storage (it is forked from a
// process with threads). Closing Control ends it; it then reports how many listeners got data.
class TListenerCrowd {
public:
    static constexpr int kMax = 2048;
    TListenerCrowd(std::uint16_t port, int count) {
        int control[2], result[2];
        if (::pipe2(control, O_CLOEXEC) != 0 || ::pipe2(result, O_CLOEXEC) != 0) return;
        FPid = ::fork();
        if (FPid == 0) {
            ::close(control[1]);
            ::close(result[0]);
            Serve(port, count < kMax ? count : kMax, control[0], result[1]);
        }
        ::close(control[0]);
        ::close(result[1]);
        FControl = control[1];
        FResult = result[0];
    }
    // Ends the crowd: how many listeners got at least minBytes each.
    int Finish(std::uint64_t minBytes, std::uint64_t* total) {
        if (FPid <= 0) return -1;
        std::uint64_t report[2] = {0, 0};
        [[maybe_unused]] auto w = ::write(FControl, &minBytes, sizeof minBytes);
        ::close(FControl);
        std::size_t got = 0;
        while (got < sizeof report) {
            ssize_t n = ::read(FResult, reinterpret_cast<char*>(report) + got, sizeof report - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        ::close(FResult);
        ::waitpid(FPid, nullptr, 0);
        FPid = 0;
        if (total) *total = report[1];
        return static_cast<int>(report[0]);
    }
    ~TListenerCrowd() {
        if (FPid > 0) {
            ::kill(FPid, SIGKILL);
            ::waitpid(FPid, nullptr, 0);
        }
    }

private:
    [[noreturn]] static void Serve(std::uint16_t port, int count, int control, int result) {
        static int fds[kMax];
        static bool asked[kMax];
        static std::uint64_t bytes[kMax];
        static char buffer[65536];
        static const char request[] = "GET / HTTP/1.0\r\n\r\n";
        const int ep = ::epoll_create1(0);
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.u64 = kMax;
        ::epoll_ctl(ep, EPOLL_CTL_ADD, control, &ev);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        for (int i = 0; i < count; ++i) {
            fds[i] = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(fds[i], reinterpret_cast<sockaddr*>(&a), sizeof a);
            ev.events = EPOLLOUT | EPOLLIN;
            ev.data.u64 = static_cast<std::uint64_t>(i);
            ::epoll_ctl(ep, EPOLL_CTL_ADD, fds[i], &ev);
        }
        epoll_event events[256];
        for (;;) {
            const int n = ::epoll_wait(ep, events, 256, -1);
            for (int k = 0; k < n; ++k) {
                const std::uint64_t i = events[k].data.u64;
                if (i == kMax) { // the benchmark is done: report and go
                    std::uint64_t minBytes = 0;
                    [[maybe_unused]] auto r = ::read(control, &minBytes, sizeof minBytes);
                    std::uint64_t report[2] = {0, 0};
                    for (int j = 0; j < count; ++j) {
                        report[0] += bytes[j] >= minBytes;
                        report[1] += bytes[j];
                    }
                    [[maybe_unused]] auto w = ::write(result, report, sizeof report);
                    ::_exit(0);
                }
                if (!asked[i] && (events[k].events & EPOLLOUT)) {
                    asked[i] = true;
                    ::send(fds[i], request, sizeof request - 1, MSG_NOSIGNAL);
                    ev.events = EPOLLIN;
                    ev.data.u64 = i;
                    ::epoll_ctl(ep, EPOLL_CTL_MOD, fds[i], &ev);
                }
                if (events[k].events & (EPOLLIN | EPOLLHUP | EPOLLERR)) {
                    const ssize_t got = ::recv(fds[i], buffer, sizeof buffer, MSG_DONTWAIT);
                    if (got > 0) {
                        bytes[i] += static_cast<std::uint64_t>(got);
                    } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
                        ::epoll_ctl(ep, EPOLL_CTL_DEL, fds[i], nullptr);
                        ::close(fds[i]);
                    }
                }
            }
        }
    }

    pid_t FPid = -1;
    int FControl = -1;
    int FResult = -1;
};

std::atomic<int> Listeners{0};

bool CountListener(HENCODE, bool connect, const char*, const char*, void*) {
    Listeners.fetch_add(connect ? 1 : -1);
    return true;
}

// One MP3 stream on the own port: the console's CPU without listeners, then with 1,000.
void OwnPortThousandListeners(benchmark::State& state) {
    Setup();
    constexpr int Count = 1000;
    double idle = 0, crowded = 0, perListener = 0;
    int threadsBefore = 0, threadsAfter = 0, joined = 0, fed = -1;
    for (auto _ : state) {
        int device = test::FindDevice(test::TPulseServer::DeviceName);
        if (device < 0 || !AE_RecordInit(device) || !AE_RecordSetDevice(device)) break;
        HRECORD ch = AE_RecordStart(
            44100, 2, AE_RECORD_PAUSE, [](HRECORD, const void*, std::uint32_t, void*) { return true; },
            nullptr);
        HENCODE e = AE_Encode_Start(ch, "lame -r  -s 44100 --cbr -b 128 -", 0x40001, nullptr, nullptr);
        const int port = testkit::FreePort();
        Listeners = 0;
        if (!AE_Encode_ServerInit(e, ("127.0.0.1:" + std::to_string(port)).c_str(), 65536, 65536,
                                  AE_ENCODE_SERVER_META, CountListener, nullptr))
            break;
        AE_ChannelPlay(ch, false);
        std::this_thread::sleep_for(std::chrono::seconds(2)); // past the start-up
        auto measure = [] {
            const double cpu0 = CpuSeconds(RUSAGE_SELF);
            const auto t0 = std::chrono::steady_clock::now();
            std::this_thread::sleep_for(std::chrono::duration<double>(Seconds()));
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            return (CpuSeconds(RUSAGE_SELF) - cpu0) / wall * 100;
        };
        idle = measure();
        threadsBefore = ThreadCount();
        {
            TListenerCrowd crowd(static_cast<std::uint16_t>(port), Count);
            // Measured with those that joined in time; the report says how many.
            (void)testkit::WaitUntil([&] { return Listeners.load() >= Count; }, 30000);
            joined = Listeners.load();
            threadsAfter = ThreadCount();
            crowded = measure();
            std::uint64_t total = 0;
            // At 128 kbit/s each listener gets about 16 KB a second.
            fed = crowd.Finish(static_cast<std::uint64_t>(Seconds() * 8000), &total);
        }
        perListener = (crowded - idle) / Count;
        AE_Encode_CastFree(e);
        AE_Encode_Stop(e);
        AE_ChannelStop(ch);
        AE_RecordFree();
    }
    state.counters["console_cpu_percent_no_listeners"] = idle;
    state.counters["console_cpu_percent_1000_listeners"] = crowded;
    state.counters["cpu_percent_per_listener"] = perListener;
    state.counters["threads_before"] = threadsBefore;
    state.counters["threads_after"] = threadsAfter;
    std::printf(
        "own port, one MP3 stream: console %.3f %% of a core without listeners, %.3f %% with %d of %d "
        "joined (%d fed the whole time); %.5f %% of a core per listener; threads %d before, %d with "
        "the listeners\n",
        idle, crowded, joined, Count, fed, perListener, threadsBefore, threadsAfter);
    std::fflush(stdout);
}

BENCHMARK(OursAgainstDarkIce)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(ConsoleWithFourStreams)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(OwnPortThousandListeners)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
} // namespace vd::audio
