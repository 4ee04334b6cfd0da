// The cost of casting, from a paced source (a PulseAudio null sink of the benchmark's own, read
// through ALSA's pulse device): one MP3 128 kbit/s stream to a real icecast2 for VD_BENCH_SECONDS
// (default 30) through our pipeline (this process plus its lame) and through DarkIce, side by
// side; then the console's own CPU with 4 streams cast at once (encoders excluded).
#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/cast/CastApi.h"
#include "tests/platform/audio/AudioFixture.h"
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

// CPU seconds of this process's threads with that name (the casts' sender threads).
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

class TPulse {
public:
    TPulse() {
        std::string d = FDir.Path();
        testkit::WriteFile(FDir.File("default.pa"),
                           "load-module module-native-protocol-unix auth-anonymous=1 socket=" + d +
                               "/native\nload-module module-null-sink sink_name=vdnull "
                               "rate=44100 channels=2\n");
        testkit::WriteFile(FDir.File("asound.conf"),
                           "pcm.vdpulse {\n type pulse\n server \"unix:" + d +
                               "/native\"\n device \"vdnull.monitor\"\n hint { show on "
                               "description \"Vendrill Paced Capture\" }\n}\n");
        ::setenv("ALSA_CONFIG_PATH", FDir.File("asound.conf").c_str(), 1);
        ::setenv("HOME", d.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", d.c_str(), 1);
        FProc.Start({"/usr/bin/pulseaudio", "-n", "-F", FDir.File("default.pa"), "--daemonize=no",
                     "--exit-idle-time=-1", "--use-pid-file=no", "--log-target=stderr"});
        struct stat st {};
        testkit::WaitUntil([&] { return ::stat(FDir.File("native").c_str(), &st) == 0; }, 10000);
    }

private:
    testkit::TTempDir FDir;
    testkit::TChildProcess FProc;
};

struct TSetup {
    TPulse Pulse;
    testkit::TIcecastServer Icecast;
    TSetup() { Icecast.Start(); }
};

TSetup& Setup() {
    static TSetup s;
    return s;
}

// Our pipeline for one run: CPU of this process and of its lame processes, per audio second.
double OurPipeline(int streams, bool withEncoders, double* castCpu = nullptr, double* encoderCpu = nullptr) {
    int device = test::FindDevice("Vendrill Paced Capture");
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
    double self0 = CpuSeconds(RUSAGE_SELF), enc0 = 0, cast0 = ThreadsCpu("vd-cast");
    for (HENCODE e : encs)
        enc0 += ProcessCpu(AE_Encode_GetPid(e));
    auto t0 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(Seconds()));
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    double cpu = CpuSeconds(RUSAGE_SELF) - self0;
    if (castCpu) *castCpu = (ThreadsCpu("vd-cast") - cast0) / wall * 100;
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
    state.counters["cast_thread_cpu_percent"] = cast;
    std::printf(
        "ours %.2f %% of a core (lame %.2f, cast thread %.3f, the rest capture and engine), DarkIce %.2f %%, "
        "ratio %.3f (aim <= 0.35)\n",
        ours, lame, cast, theirs, ours / theirs);
}

void ConsoleWithFourStreams(benchmark::State& state) {
    Setup();
    double cpu = 0, casts = 0;
    for (auto _ : state)
        cpu = OurPipeline(4, false, &casts);
    state.counters["console_cpu_percent"] = cpu;
    state.counters["cast_threads_cpu_percent"] = casts;
    std::printf("console with 4 casts: %.3f %% of a core (encoders excluded; capture path included), "
                "of it the 4 casts' sender threads %.3f %% (aim < 0.3)\n",
                cpu, casts);
}

BENCHMARK(OursAgainstDarkIce)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(ConsoleWithFourStreams)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
} // namespace vd::audio
