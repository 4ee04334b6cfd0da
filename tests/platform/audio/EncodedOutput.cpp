#include "tests/platform/audio/EncodedOutput.h"

#include "tests/platform/audio/AudioFixture.h"

#include <cstring>

namespace vd::audio::test {

std::vector<std::uint8_t> TEncodedOutput::Take() {
    std::lock_guard lock(Lock);
    return std::move(Bytes);
}

void CollectEncoded(std::uint32_t, std::uint32_t, const void* buffer, std::uint32_t length, void* user) {
    auto& out = *static_cast<TEncodedOutput*>(user);
    std::lock_guard lock(out.Lock);
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    out.Bytes.insert(out.Bytes.end(), p, p + length);
    out.Size.store(out.Bytes.size());
}

namespace {

struct THeader {
    int Kbps = 0;
    unsigned Rate = 0;
    bool Mono = false;
    std::size_t Length = 0;
};

bool ParseHeader(const std::uint8_t* h, THeader& out) {
    static const int v1[16] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0};
    static const int v2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
    static const unsigned rates[3] = {44100, 48000, 32000};
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return false;
    const int version = (h[1] >> 3) & 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    const int layer = (h[1] >> 1) & 3;   // 1 = layer III
    const int rateIndex = (h[2] >> 2) & 3;
    if (version == 1 || layer != 1 || rateIndex == 3) return false;
    out.Kbps = (version == 3 ? v1 : v2)[h[2] >> 4];
    if (out.Kbps == 0) return false;
    out.Rate = rates[rateIndex] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    out.Mono = (h[3] >> 6) == 3;
    const unsigned factor = version == 3 ? 144 : 72;
    out.Length = factor * 1000u * out.Kbps / out.Rate + ((h[2] >> 1) & 1);
    return true;
}

} // namespace

TMp3Scan ScanMp3(const std::vector<std::uint8_t>& data) {
    TMp3Scan scan;
    std::size_t pos = 0;
    THeader h;
    while (pos + 4 <= data.size() && !ParseHeader(&data[pos], h))
        ++pos;
    if (pos + 4 > data.size()) {
        scan.Error = "no frame header";
        return scan;
    }
    scan.Kbps = h.Kbps;
    scan.SampleRate = h.Rate;
    scan.Mono = h.Mono;
    while (pos + 4 <= data.size()) {
        if (!ParseHeader(&data[pos], h)) {
            scan.Error = "bad frame header at byte " + std::to_string(pos);
            return scan;
        }
        if (h.Kbps != scan.Kbps) scan.Kbps = -1;
        if (h.Rate != scan.SampleRate || h.Mono != scan.Mono) scan.Error = "frames differ";
        pos += h.Length;
        ++scan.Frames;
    }
    if (pos != data.size()) scan.Error = "the last frame is cut short";
    return scan;
}

TDecoded ReadWav(const std::string& path) {
    TDecoded out;
    const auto data = ReadFile(path);
    if (data.size() < 12 || std::memcmp(data.data(), "RIFF", 4) != 0) return out;
    for (std::size_t pos = 12; pos + 8 <= data.size();) {
        std::uint32_t size = 0;
        std::memcpy(&size, &data[pos + 4], 4);
        const std::uint8_t* body = &data[pos + 8];
        if (std::memcmp(&data[pos], "fmt ", 4) == 0) {
            std::uint16_t ch = 0;
            std::memcpy(&ch, body + 2, 2);
            std::memcpy(&out.Rate, body + 4, 4);
            out.Channels = ch;
        } else if (std::memcmp(&data[pos], "data", 4) == 0) {
            const std::size_t n = std::min<std::size_t>(size, data.size() - pos - 8) / 2;
            out.Samples.resize(n);
            std::memcpy(out.Samples.data(), body, n * 2);
            break;
        }
        pos += 8 + size + (size & 1);
    }
    return out;
}

TDecoded DecodeMp3(const std::vector<std::uint8_t>& mp3) {
    const std::string dir = TempDir();
    WriteFile(dir + "/in.mp3", mp3.data(), mp3.size());
    if (RunProgram({"lame", "--quiet", "--decode", dir + "/in.mp3", dir + "/out.wav"}) != 0) return {};
    return ReadWav(dir + "/out.wav");
}

TDecoded DecodeOgg(const std::vector<std::uint8_t>& ogg) {
    const std::string dir = TempDir();
    WriteFile(dir + "/in.ogg", ogg.data(), ogg.size());
    if (RunProgram({"oggdec", "--quiet", "-o", dir + "/out.wav", dir + "/in.ogg"}) != 0) return {};
    return ReadWav(dir + "/out.wav");
}

} // namespace vd::audio::test
