#pragma once
// Test support: a deterministic ALSA capture device made from a PCM file of the test's own,
// and waiting for a condition with a deadline.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/WaitUntil.h"

namespace vd::audio::test {

// The fixture device plays this signal once: a sine per channel at the given amplitudes.
struct TFixtureSignal {
    unsigned Rate = 44100;
    double Hz = 1000.0;
    int LeftAmplitude = 16000;
    int RightAmplitude = 8000;
    double Seconds = 3.0;
};

const TFixtureSignal& FixtureSignal();
std::vector<std::int16_t> FixtureSamples(); // interleaved stereo of FixtureSignal()

// Writes the PCM file and the ALSA configuration into a fresh folder and points
// ALSA_CONFIG_PATH at it; only the fixture devices then exist. Once per process, before ALSA
// is first used.
void InstallAlsaFixture();

// Index of the device whose name is `name`, -1 when absent.
int FindDevice(const std::string& name);

// A capture of the fixture device, started paused, that ends itself once `Limit` bytes came
// (the block that crosses the limit is not passed on). Optionally keeps what it saw.
struct TCaptureRun {
    std::uint64_t Limit = 0;
    bool Keep = false;
    std::uint32_t Handle = 0;
    std::atomic<std::uint64_t> Bytes{0};
    std::atomic<std::uint64_t> Blocks{0};
    std::vector<std::int16_t> Seen; // written by the capture thread; read after it ended
};
// Init, SetDevice and a paused RecordStart at `rate`; false when any of them fails.
bool StartFixtureCapture(TCaptureRun& run, unsigned rate = 44100);
// Stops the channel and frees the device.
void EndFixtureCapture(TCaptureRun& run);

using ::vd::test::WaitUntil;

// RMS of every `step`-th sample from `first`, skipping `skipFrames` frames at both ends.
double Rms(const std::vector<std::int16_t>& samples, int first, int step, std::size_t skipFrames = 0);

// Runs a program with arguments (no shell), its stdin from `inputFile` (or /dev/null) and its
// stdout into `outputFile` (or /dev/null); returns its exit status, -1 when it cannot run.
int RunProgram(const std::vector<std::string>& args, const std::string& inputFile = {},
               const std::string& outputFile = {});

std::string TempDir(); // a fresh folder per call
void WriteFile(const std::string& path, const void* data, std::size_t size);
std::vector<std::uint8_t> ReadFile(const std::string& path);

} // namespace vd::audio::test
