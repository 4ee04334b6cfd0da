// The program as a user runs it, under a private Xvfb: the time from its start to the first paint
// of its main window (aim: under 300 ms), and its resident memory after a run of 4 streams cast
// from a paced PulseAudio source to a real icecast2 (aim: under 40 MB; VD_BENCH_SECONDS, default
// 60, of casting here; the hour-long run is made by hand with a larger value).
#include <benchmark/benchmark.h>

#include "../platform/win/x11/Xvfb.h"
#include "app/core/Engine.h"
#include "tests/platform/audio/PulseServer.h"
#include "tests/platform/audio/cast/IcecastServer.h"

// Xlib's macros after the benchmark's headers.
#include "tests/integration/ProgramDriver.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

namespace vd::test {
namespace {

double Seconds() {
    const char* s = std::getenv("VD_BENCH_SECONDS");
    return s && std::atof(s) > 0 ? std::atof(s) : 60.0;
}

struct TSetup {
    XvfbServer X;
    audio::test::TPulseServer Pulse;
    testkit::TIcecastServer Icecast;
    bool IcecastUp = Icecast.Start();
    TDesktop Desktop{X.Display()};
};

TSetup& Setup() {
    static TSetup s;
    return s;
}

std::string SettingsWithStreams(int streams) {
    TSetup& s = Setup();
    std::string ini =
        "[Setting]\nDevice=0\nDeviceName=" + std::string(audio::test::TPulseServer::DeviceName) +
        "\nPosX=0\nPosY=0\nPosW=510\nPosH=420\n";
    for (int i = 0; i < streams; ++i)
        ini += "[Stream00" + std::to_string(i + 1) +
               "]\nMode=2\nURL=127.0.0.1\nPort=" + std::to_string(s.Icecast.Port()) +
               "\nPassword=" + ScramblePassword(s.Icecast.SourcePassword()) + "\nID=bench" +
               std::to_string(i) + ".mp3\nType=0\nBitrate=128\nAuto=1\n";
    return ini;
}

bool MainPainted(TTopWindow& main) {
    const auto found = Setup().Desktop.WindowsStartingWith(MainTitle);
    if (found.size() != 1 || found.front().Width < 300) return false;
    main = found.front();
    return Setup().Desktop.Painted(main);
}

// Kilobytes of the process's resident set (VmRSS), 0 when unknown.
long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

void StartToFirstPaint(benchmark::State& state) {
    TSetup& s = Setup();
    if (!s.X.Running() || !s.Pulse.Running()) {
        state.SkipWithError("no Xvfb or PulseAudio");
        return;
    }
    for (auto _ : state) {
        TProgram program(s.X.Display());
        program.Dir().Write("vendrill.ini", SettingsWithStreams(0));
        const auto t0 = std::chrono::steady_clock::now();
        const pid_t pid = program.Start(s.Pulse.Environment());
        TTopWindow main;
        // Polled every 2 ms: the poll's own step is small beside the aim.
        const bool painted = WaitUntil([&] { return MainPainted(main); }, 30000,
                                       [] { std::this_thread::sleep_for(std::chrono::milliseconds(2)); });
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        ::kill(pid, SIGTERM);
        TProgram::WaitExit(pid, 15000);
        if (!painted) {
            state.SkipWithError("the main window was not painted");
            return;
        }
        state.SetIterationTime(ms / 1000);
        std::printf("start to first paint: %.1f ms (aim < 300)\n", ms);
    }
}
BENCHMARK(StartToFirstPaint)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void ResidentAfterFourStreams(benchmark::State& state) {
    TSetup& s = Setup();
    if (!s.X.Running() || !s.Pulse.Running() || !s.IcecastUp) {
        state.SkipWithError("no Xvfb, PulseAudio or icecast2");
        return;
    }
    long kb = 0;
    for (auto _ : state) {
        TProgram program(s.X.Display());
        program.Dir().Write("vendrill.ini", SettingsWithStreams(4));
        const pid_t pid = program.Start(s.Pulse.Environment());
        TTopWindow main;
        const std::string status = "/status-json.xsl";
        const bool online = WaitUntil(
            [&] {
                const std::string page = s.Icecast.PublicGet(status);
                for (int i = 0; i < 4; ++i)
                    if (page.find("/bench" + std::to_string(i) + ".mp3\"") == std::string::npos) return false;
                return MainPainted(main);
            },
            30000);
        if (!online) {
            ::kill(pid, SIGTERM);
            TProgram::WaitExit(pid, 15000);
            state.SkipWithError("the 4 streams did not go online");
            return;
        }
        std::this_thread::sleep_for(std::chrono::duration<double>(Seconds()));
        kb = ResidentKb(pid);
        ::kill(pid, SIGTERM);
        TProgram::WaitExit(pid, 15000);
    }
    state.counters["resident_mb"] = kb / 1024.0;
    std::printf("resident memory after %.0f s of 4 streams: %.1f MB (aim < 40)\n", Seconds(), kb / 1024.0);
}
BENCHMARK(ResidentAfterFourStreams)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
} // namespace vd::test
