#include "app/streams/EncoderLine.h"

#include "app/core/Engine.h"
#include "platform/rtl/Format.h"

#include <cstdlib>
#include <filesystem>

namespace vd {

namespace {

String Trim(const String& s) {
    std::size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
    return b == String::npos ? String() : s.substr(b, e - b + 1);
}

// Leading decimal digits after leading blanks; 0 without any. Capped: no overflow.
long PartNumber(const String& part) {
    std::size_t i = part.find_first_not_of(' ');
    long n = 0;
    for (; i != String::npos && i < part.size() && part[i] >= '0' && part[i] <= '9'; ++i)
        n = n > 100000 ? n : n * 10 + (part[i] - '0');
    return n;
}

bool Executable(const String& file) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::status(file, ec);
    const auto exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return !ec && fs::is_regular_file(st) && (st.permissions() & exec) != fs::perms::none;
}

bool OnPath(const char* program) {
    const char* path = std::getenv("PATH");
    const String dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (std::size_t start = 0; start <= dirs.size();) {
        std::size_t end = dirs.find(':', start);
        if (end == String::npos) end = dirs.size();
        const String dir = end > start ? dirs.substr(start, end - start) : String(".");
        if (Executable(dir + "/" + program)) return true;
        start = end + 1;
    }
    return false;
}

// Debian's ffmpeg: the capture's 16-bit stereo at the capture rate in, AAC-LC as ADTS frames out,
// each frame written at once so that the cast never waits on a half-filled buffer.
String FfmpegAacLine(int sample, int bitrate, bool mono) {
    return Format("ffmpeg -hide_banner -nostdin -loglevel error -f s16le -ar %d -ac 2 -i - %s-c:a aac "
                  "-b:a %dk -f adts -flush_packets 1 -",
                  sample, String(mono ? "-ac 1 " : ""), bitrate);
}

} // namespace

bool AacPlusEncoderInstalled() {
    return OnPath("enc_aacPlus");
}

TEncoderLine EncoderCommandLine(const TStationConfig& s, int sample, bool aacPlusInstalled) {
    TEncoderLine r;
    bool mono = s.Channels == 1;
    if (!aacPlusInstalled && s.Type == scAac) {
        r.CommandLine = FfmpegAacLine(sample, s.Bitrate, mono);
        r.ContentType = "audio/aacp";
        return r;
    }
    if (!aacPlusInstalled && s.Type == scAacPlus) {
        r.MissingProgram = "enc_aacPlus";
        r.ContentType = "audio/aacp";
        return r;
    }
    switch (s.Type) {
    case scOgg:
        r.CommandLine = Format("oggenc -r -R %d -b %d %s %s -", sample, s.Bitrate,
                               String(mono ? "--downmix" : ""), String(s.Title == stmUtf8 ? "--utf8" : ""));
        r.ContentType = "audio/ogg";
        break;
    case scAac: {
        String opt = mono ? "--mono" : "--lc";
        if (s.LockFreq) opt += " --ps";
        r.CommandLine = Format("enc_aacPlus - - %s --br %d --silent --rawpcm %d 2 16", opt,
                               static_cast<std::int64_t>(s.Bitrate) * 1000, sample);
        r.ContentType = "audio/aacp";
        break;
    }
    case scAacPlus: {
        String opt = s.Bitrate >= 16 && s.Bitrate <= 128    ? "he"
                     : s.Bitrate >= 129 && s.Bitrate <= 256 ? "high"
                                                            : "lc";
        if (s.LockFreq) opt += " --ps";
        if (mono) opt += " --mono";
        r.CommandLine = Format("enc_aacPlus - - --%s --br %d --silent --mpeg2aac --rawpcm %d 2 16", opt,
                               static_cast<std::int64_t>(s.Bitrate) * 1000, sample);
        r.ContentType = "audio/aacp";
        break;
    }
    default: {
        String opt = mono ? "-a -m m" : "";
        if (s.LockFreq) opt += " --resample " + std::to_string(sample);
        r.CommandLine = Format("lame -r %s -s %d --cbr -b %d -", opt, sample, s.Bitrate);
        r.ContentType = "audio/mpeg";
        break;
    }
    }
    return r;
}

String ShoutcastHeaders(const TStationConfig& station, const TAppSettings& settings) {
    if (station.Mode != smShoutcast1) return String();
    String h;
    if (!settings.InfoIRC.empty()) h += "icy-irc:" + settings.InfoIRC + "\r\n";
    if (!settings.InfoICQ.empty()) h += "icy-icq:" + settings.InfoICQ + "\r\n";
    if (!settings.InfoAIM.empty()) h += "icy-aim:" + settings.InfoAIM + "\r\n";
    return h;
}

bool MatchAllowedAddress(const String& client, const String& list) {
    String address = client.substr(0, client.find(':'));
    long parts[4];
    for (int i = 0; i < 4; ++i)
        parts[i] = PartNumber(GetToken(address, i + 1, '.'));
    // GetToken skips empty runs; an address always has four dotted numbers, so this holds.
    int entries = CountTokens(list, ';');
    for (int e = 1; e <= entries; ++e) {
        String entry = Trim(GetToken(list, e, ';'));
        if (entry.empty()) continue;
        bool match = true;
        std::size_t pos = 0;
        for (int i = 0; i < 4 && match; ++i) {
            std::size_t dot = entry.find('.', pos);
            String part = pos == String::npos
                              ? String()
                              : entry.substr(pos, dot == String::npos ? String::npos : dot - pos);
            pos = dot == String::npos ? String::npos : dot + 1;
            if (Trim(part) != "*" && PartNumber(part) != parts[i]) match = false;
        }
        if (match) return true;
    }
    return false;
}

} // namespace vd
