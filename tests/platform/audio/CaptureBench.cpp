// Cost of the capture path from a paced source: a PulseAudio server of the benchmark's own (a
// null sink) captured through ALSA's pulse device, fanned out to 1, 4 and 16 real lame
// encoders. Reported: CPU time of this process (capture thread and the I/O loop; the encoder
// processes excluded) per second of audio, as a ratio to arecord reading the same device for as
// long in the same run (with its defaults and with the engine's period), and the largest delay from a
// block's arrival to its last byte on an encoder's stdin. VD_BENCH_SECONDS (default 20) of audio per figure.
#include "platform/audio/AudioEngine.h"
#include "platform/audio/FileLimit.h"
#include "platform/audio/IoLoop.h"
#include "tests/platform/audio/AudioFixture.h"
#include "tests/platform/audio/PulseServer.h"
#include "tests/support/DieWithParent.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vd::audio {
namespace {

double CpuSeconds(int who = RUSAGE_SELF) {
    rusage u{};
    ::getrusage(who, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// VD_BENCH_PERIOD_MS sets the engine's capture period, to compare one with another.
unsigned EnginePeriodMs() {
    static const unsigned ms = [] {
        if (const char* s = std::getenv("VD_BENCH_PERIOD_MS"); s && std::atoi(s) > 0)
            AE_SetConfig(AE_CONFIG_RECORD_PERIOD, static_cast<std::uint32_t>(std::atoi(s)));
        return AE_GetConfig(AE_CONFIG_RECORD_PERIOD);
    }();
    return ms;
}

test::TPulseServer& Pulse() {
    static test::TPulseServer server;
    static const bool used = (server.UseInThisProcess(), EnginePeriodMs(), true);
    (void)used;
    return server;
}

double Seconds() {
    const char* s = std::getenv("VD_BENCH_SECONDS");
    return s && std::atof(s) > 0 ? std::atof(s) : 20.0;
}

// arecord on the same device for as long, once per run: the yardstick of every ratio. Once with
// its own defaults (a large buffer, few wake-ups) and once with the engine's period in a buffer
// of four, which shows what the capture alone costs at the engine's pace.
double RunArecord(bool enginePeriods) {
    Pulse();
    const int seconds = static_cast<int>(Seconds() + 0.5);
    std::vector<std::string> args = {"arecord", "-q", "-D", "vdpulse", "-f", "S16_LE",
                                     "-c",      "2",  "-r", "44100",   "-d", std::to_string(seconds),
                                     "-t",      "raw"};
    if (enginePeriods) {
        args.push_back("--period-time=" + std::to_string(EnginePeriodMs() * 1000));
        args.push_back("--buffer-time=" + std::to_string(EnginePeriodMs() * 4000));
    }
    const double cpu0 = CpuSeconds(RUSAGE_CHILDREN);
    test::RunProgram(args);
    return (CpuSeconds(RUSAGE_CHILDREN) - cpu0) / seconds * 100;
}
double ArecordPercent() {
    static const double percent = RunArecord(false);
    return percent;
}
double ArecordEnginePeriodsPercent() {
    static const double percent = RunArecord(true);
    return percent;
}

// CPU ticks per thread name, to see where the time goes.
std::map<std::string, long> ThreadTicks() {
    std::map<std::string, long> ticks;
    for (const auto& t : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(t.path() / "comm"), stat(t.path() / "stat");
        std::string name, text;
        std::getline(comm, name);
        std::getline(stat, text);
        const auto close = text.rfind(')');
        std::istringstream rest(text.substr(close + 2));
        std::string field;
        long utime = 0, stime = 0;
        for (int i = 3; i <= 15 && rest >> field; ++i) {
            if (i == 14) utime = std::stol(field);
            if (i == 15) stime = std::stol(field);
        }
        ticks[name] += utime + stime;
    }
    return ticks;
}

bool CountBytes(HRECORD, const void*, std::uint32_t length, void* user) {
    static_cast<std::atomic<std::uint64_t>*>(user)->fetch_add(length);
    return true;
}
void Discard(HENCODE, HRECORD, const void*, std::uint32_t, void*) {}

void CapturePath(benchmark::State& state) {
    RaiseOpenFileLimit();
    Pulse();
    const double arecord = ArecordPercent(), arecord20 = ArecordEnginePeriodsPercent();
    const int encoders = static_cast<int>(state.range(0));
    const int device = test::FindDevice(test::TPulseServer::DeviceName);
    if (device < 0 || !AE_RecordInit(device) || !AE_RecordSetDevice(device)) {
        state.SkipWithError("no paced capture device");
        return;
    }
    double cpuPercent = 0, latencyMs = 0;
    std::uint64_t wakes = 0, rounds = 0;
    for (auto _ : state) {
        std::atomic<std::uint64_t> bytes{0};
        const HRECORD ch = AE_RecordStart(44100, 2, AE_RECORD_PAUSE, CountBytes, &bytes);
        std::vector<HENCODE> encs;
        for (int i = 0; i < encoders; ++i)
            encs.push_back(
                AE_Encode_Start(ch, "lame -r  -s 44100 --cbr -b 128 -", 0x40001, Discard, nullptr));
        AE_ChannelPlay(ch, false);
        if (!test::WaitUntil([&] { return bytes.load() > 44100 * 4 / 5; })) { // past the start-up
            state.SkipWithError("the capture delivered nothing");
            for (HENCODE e : encs)
                AE_Encode_Stop(e);
            AE_ChannelStop(ch);
            break;
        }
        const std::uint64_t first = bytes.load();
        const double cpu0 = CpuSeconds();
        const auto ticks0 = ThreadTicks();
        const std::uint64_t wakes0 = TIoLoop::Shared().Wakes(), rounds0 = TIoLoop::Shared().Rounds();
        std::this_thread::sleep_for(std::chrono::duration<double>(Seconds()));
        const double cpu = CpuSeconds() - cpu0;
        wakes = TIoLoop::Shared().Wakes() - wakes0;
        rounds = TIoLoop::Shared().Rounds() - rounds0;
        for (const auto& [name, t] : ThreadTicks())
            state.counters["ticks_" + name] =
                static_cast<double>(t - (ticks0.count(name) ? ticks0.at(name) : 0));
        const double audio = static_cast<double>(bytes.load() - first) / (44100 * 4);
        cpuPercent = audio > 0 ? cpu / audio * 100 : 0;
        latencyMs = 0;
        for (HENCODE e : encs)
            latencyMs = std::max(latencyMs, AE_Encode_GetMaxLatencyUs(e) / 1000.0);
        for (HENCODE e : encs)
            AE_Encode_Stop(e);
        AE_ChannelStop(ch);
    }
    AE_RecordFree();
    state.counters["cpu_percent_per_audio_second"] = cpuPercent;
    state.counters["arecord_cpu_percent"] = arecord;
    state.counters["ratio_to_arecord"] = arecord > 0 ? cpuPercent / arecord : 0;
    state.counters["arecord_engine_period_cpu_percent"] = arecord20;
    state.counters["ratio_to_arecord_engine_period"] = arecord20 > 0 ? cpuPercent / arecord20 : 0;
    state.counters["max_latency_ms"] = latencyMs;
    state.counters["loop_wakes_per_second"] = static_cast<double>(wakes) / Seconds();
    state.counters["loop_rounds_per_second"] = static_cast<double>(rounds) / Seconds();
    const double aim = encoders == 1 ? 2.0 : encoders == 4 ? 2.5 : 4.0;
    std::printf(
        "%2d encoder(s), %u ms periods: console %.3f %% of a core per audio second (encoders excluded), "
        "arecord %.3f %%, ratio %.2f (aim <= %.1f), to arecord at the engine's period (%.3f %%) %.2f; "
        "largest "
        "block-to-stdin delay %.2f ms (aim < %u); loop wakes %.1f/s, rounds %.1f/s\n",
        encoders, EnginePeriodMs(), cpuPercent, arecord, arecord > 0 ? cpuPercent / arecord : 0, aim,
        arecord20, arecord20 > 0 ? cpuPercent / arecord20 : 0, latencyMs, EnginePeriodMs(),
        static_cast<double>(wakes) / Seconds(), static_cast<double>(rounds) / Seconds());
    std::fflush(stdout);
}
// The same device read by arecord for as long, as the yardstick.
void ArecordBaseline(benchmark::State& state) {
    double cpuPercent = 0;
    double at20 = 0;
    for (auto _ : state) {
        cpuPercent = ArecordPercent();
        at20 = ArecordEnginePeriodsPercent();
    }
    state.counters["cpu_percent_per_audio_second"] = cpuPercent;
    state.counters["cpu_percent_at_engine_periods"] = at20;
    std::printf("arecord: %.3f %% of a core per audio second (its defaults), %.3f %% at %u ms periods\n",
                cpuPercent, at20, EnginePeriodMs());
}
BENCHMARK(ArecordBaseline)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

BENCHMARK(CapturePath)->Arg(1)->Arg(4)->Arg(16)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
} // namespace vd::audio
