#pragma once
// Test support: collecting an encoder's output, reading MP3 frame headers, decoding with the
// real decoders.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace vd::audio::test {

struct TEncodedOutput {
    std::mutex Lock;
    std::vector<std::uint8_t> Bytes;
    std::atomic<std::size_t> Size{0};
    std::vector<std::uint8_t> Take();
};
// A data callback that appends to the TEncodedOutput given as user value.
void CollectEncoded(std::uint32_t handle, std::uint32_t channel, const void* buffer, std::uint32_t length,
                    void* user);

struct TMp3Scan {
    int Frames = 0;
    int Kbps = 0; // of every frame; -1 when they differ
    unsigned SampleRate = 0;
    bool Mono = false;
    std::string Error; // empty when every byte from the first frame on is a whole frame
};
// Walks MPEG audio layer III frames from the first frame header to the end of the data.
TMp3Scan ScanMp3(const std::vector<std::uint8_t>& data);

struct TDecoded {
    unsigned Channels = 0;
    unsigned Rate = 0;
    std::vector<std::int16_t> Samples; // interleaved
};
// Reads a 16-bit PCM WAV file.
TDecoded ReadWav(const std::string& path);
// Decodes with `lame --decode` or `oggdec` in a scratch folder.
TDecoded DecodeMp3(const std::vector<std::uint8_t>& mp3);
TDecoded DecodeOgg(const std::vector<std::uint8_t>& ogg);

} // namespace vd::audio::test
