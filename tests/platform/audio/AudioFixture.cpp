#include "tests/platform/audio/AudioFixture.h"

#include "platform/audio/AudioEngine.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vd::audio::test {

const TFixtureSignal& FixtureSignal() {
    static const TFixtureSignal signal;
    return signal;
}

std::vector<std::int16_t> FixtureSamples() {
    const TFixtureSignal& s = FixtureSignal();
    const auto frames = static_cast<std::size_t>(s.Rate * s.Seconds);
    std::vector<std::int16_t> pcm(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const double v = std::sin(2.0 * M_PI * s.Hz * static_cast<double>(i) / s.Rate);
        pcm[2 * i] = static_cast<std::int16_t>(std::lround(v * s.LeftAmplitude));
        pcm[2 * i + 1] = static_cast<std::int16_t>(std::lround(v * s.RightAmplitude));
    }
    return pcm;
}

namespace {
// Scratch folders go when the test program ends.
struct TScratch {
    std::mutex Lock;
    std::vector<std::unique_ptr<vd::test::TTempDir>> Dirs;
};
TScratch& Scratch() {
    static TScratch scratch;
    return scratch;
}
} // namespace

std::string TempDir() {
    std::lock_guard lock(Scratch().Lock);
    Scratch().Dirs.push_back(std::make_unique<vd::test::TTempDir>());
    return Scratch().Dirs.back()->Path();
}

void WriteFile(const std::string& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void InstallAlsaFixture() {
    static std::once_flag once;
    std::call_once(once, [] {
        const std::string dir = TempDir();
        const auto pcm = FixtureSamples();
        WriteFile(dir + "/fixture.raw", pcm.data(), pcm.size() * sizeof(std::int16_t));
        std::ifstream in(VD_AUDIO_FIXTURE_DIR "/asound-fixture.conf");
        std::stringstream text;
        text << in.rdbuf();
        std::string conf = text.str();
        for (std::size_t at; (at = conf.find("@PCM_FILE@")) != std::string::npos;)
            conf.replace(at, 10, dir + "/fixture.raw");
        WriteFile(dir + "/asound.conf", conf.data(), conf.size());
        ::setenv("ALSA_CONFIG_PATH", (dir + "/asound.conf").c_str(), 1);
    });
}

int FindDevice(const std::string& name) {
    AE_DEVICEINFO info{};
    for (std::uint32_t i = 0; AE_RecordGetDeviceInfo(i, &info); ++i)
        if (name == info.name) return static_cast<int>(i);
    return -1;
}

namespace {
bool CaptureRunCallback(HRECORD, const void* buffer, std::uint32_t length, void* user) {
    auto& run = *static_cast<TCaptureRun*>(user);
    const std::uint64_t total = run.Bytes.load() + length;
    if (total > run.Limit) return false;
    if (run.Keep) {
        const auto* p = static_cast<const std::int16_t*>(buffer);
        run.Seen.insert(run.Seen.end(), p, p + length / 2);
    }
    run.Blocks.fetch_add(1);
    run.Bytes.store(total);
    return true;
}
} // namespace

bool StartFixtureCapture(TCaptureRun& run, unsigned rate) {
    InstallAlsaFixture();
    const int device = FindDevice("Vendrill Test Capture");
    if (device < 0 || !AE_RecordInit(device) || !AE_RecordSetDevice(device)) return false;
    if (run.Keep) run.Seen.reserve(run.Limit / 2 + 1);
    run.Handle = AE_RecordStart(rate, 2, AE_RECORD_PAUSE, CaptureRunCallback, &run);
    return run.Handle != 0;
}

void EndFixtureCapture(TCaptureRun& run) {
    if (run.Handle) AE_ChannelStop(run.Handle);
    run.Handle = 0;
    AE_RecordFree();
}

double Rms(const std::vector<std::int16_t>& samples, int first, int step, std::size_t skipFrames) {
    double sum = 0;
    std::size_t n = 0;
    const std::size_t skip = skipFrames * static_cast<std::size_t>(step);
    for (std::size_t i = skip + first; i + skip < samples.size(); i += step, ++n)
        sum += static_cast<double>(samples[i]) * samples[i];
    return n ? std::sqrt(sum / n) : 0.0;
}

int RunProgram(const std::vector<std::string>& args, const std::string& inputFile,
               const std::string& outputFile) {
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inputFile.empty() ? "/dev/null" : inputFile.c_str(),
                                     O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.empty() ? "/dev/null" : outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace vd::audio::test
