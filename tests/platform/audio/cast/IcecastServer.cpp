#include "tests/platform/audio/cast/IcecastServer.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <unistd.h>

#include "platform/net/HttpClient.h"
#include "platform/net/Socket.h"
#include "platform/net/TextCodec.h"

namespace vd::testkit {

namespace {

bool PortFree(int port) {
    net::TListenSocket probe;
    std::string error;
    return probe.Listen("127.0.0.1", static_cast<std::uint16_t>(port), 1, error);
}

} // namespace

bool TIcecastServer::Start() {
    if (FPort != 0) {
        // Coming back on the same ports: a moment may pass before the old sockets let go.
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (StartOnce()) return true;
            FProc.Stop();
            // Still held after a second: the next attempt finds out whether it matters.
            (void)WaitUntil([&] { return PortFree(FPort) && PortFree(FPort + 1); }, 1000);
        }
        return false;
    }
    // Below the ephemeral range, so that no outgoing connection of another test takes the port
    // while the server is down; another test may still bind one, so a failed start moves on.
    std::uint32_t seed =
        static_cast<std::uint32_t>(::getpid()) * 2654435761u ^
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 20; ++attempt) {
        seed = seed * 1103515245u + 12345u;
        FPort = 20000 + static_cast<int>((seed >> 8) % 10000);
        if (!PortFree(FPort) || !PortFree(FPort + 1)) continue;
        if (StartOnce()) return true;
        FProc.Stop();
    }
    FPort = 0;
    return false;
}

bool TIcecastServer::StartOnce() {
    Shell("chmod 755 '" + FDir.Path() + "' && mkdir -p '" + FDir.File("log") + "' && chmod 777 '" +
          FDir.File("log") + "'");
    std::string cfg =
        "<icecast><limits><clients>100</clients><sources>10</sources><source-timeout>10</source-timeout>"
        "<burst-size>65535</burst-size></limits>"
        "<authentication><source-password>hackme</source-password><admin-user>admin</admin-user>"
        "<admin-password>adminpw</admin-password></authentication><hostname>127.0.0.1</hostname>"
        "<listen-socket><port>" +
        std::to_string(FPort) +
        "</port><bind-address>127.0.0.1</bind-address></listen-socket>"
        "<listen-socket><port>" +
        std::to_string(FPort + 1) +
        "</port><bind-address>127.0.0.1</bind-address>"
        "<shoutcast-compat>1</shoutcast-compat><shoutcast-mount>/sc.mp3</shoutcast-mount></listen-socket>"
        "<shoutcast-mount>/sc.mp3</shoutcast-mount><fileserve>1</fileserve><paths><basedir>/usr/share/"
        "icecast2</basedir><logdir>" +
        FDir.File("log") +
        "</logdir><webroot>/usr/share/icecast2/web</webroot><adminroot>/usr/share/icecast2/admin</"
        "adminroot></paths>"
        "<logging><accesslog>access.log</accesslog><errorlog>error.log</errorlog><loglevel>2</loglevel></"
        "logging>"
        "<security><chroot>0</chroot></security></icecast>";
    WriteFile(FDir.File("icecast.xml"), cfg);
    Shell("chmod 644 '" + FDir.File("icecast.xml") + "'");
    // icecast2 refuses to run as root, and changing its user itself would cancel the signal that
    // ends it with the test: it starts as nobody instead.
    FProc.RunAsNobody();
    if (!FProc.Start({"/usr/bin/icecast2", "-c", FDir.File("icecast.xml")}, {}, true)) return false;
    // The status page runs a transform, so a loaded machine may answer slowly: one good answer
    // is enough, and a slow one is not a failed start.
    bool ready = false;
    auto up = [&] {
        auto r = net::HttpGet("127.0.0.1", static_cast<std::uint16_t>(FPort), "/status-json.xsl", "", 3000);
        ready = r.Ok && r.Status == 200;
        return ready;
    };
    // A server that could not bind ends at once: no need to wait for it.
    const bool settled = WaitUntil([&] { return up() || !FProc.Running(); }, 30000);
    return settled && ready && FProc.Running();
}

void TIcecastServer::Stop() {
    FProc.Stop();
}

std::string TIcecastServer::AdminGet(const std::string& path) {
    auto r = net::HttpGet("127.0.0.1", static_cast<std::uint16_t>(FPort), path,
                          "Authorization: Basic " + net::Base64Encode("admin:adminpw") + "\r\n", 3000);
    return r.Ok ? r.Body : std::string();
}

std::string TIcecastServer::PublicGet(const std::string& path) {
    auto r = net::HttpGet("127.0.0.1", static_cast<std::uint16_t>(FPort), path, "", 3000);
    return r.Ok ? r.Body : std::string();
}

std::string MakeMp3Fixture(const TTempDir& dir, int seconds) {
    std::string pcm;
    int frames = 44100 * seconds;
    pcm.reserve(static_cast<std::size_t>(frames) * 4);
    for (int i = 0; i < frames; ++i) {
        auto v = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 440 * i / 44100.0));
        for (int ch = 0; ch < 2; ++ch) {
            pcm += static_cast<char>(v & 0xFF);
            pcm += static_cast<char>((v >> 8) & 0xFF);
        }
    }
    WriteFile(dir.File("tone.raw"), pcm);
    if (Shell("lame --quiet -r -s 44.1 --cbr -b 128 '" + dir.File("tone.raw") + "' '" + dir.File("tone.mp3") +
              "'") != 0)
        return {};
    return ReadFile(dir.File("tone.mp3"));
}

namespace {

int FrameLength(const unsigned char* h) {
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0) return 0;
    int version = (h[1] >> 3) & 3, layer = (h[1] >> 1) & 3;
    int brIndex = h[2] >> 4, srIndex = (h[2] >> 2) & 3, padding = (h[2] >> 1) & 1;
    if (version != 3 || layer != 1 || brIndex == 0 || brIndex == 15 || srIndex == 3)
        return 0; // MPEG-1 layer III
    static const int kBitrates[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const int kRates[] = {44100, 48000, 32000};
    return 144000 * kBitrates[brIndex] / kRates[srIndex] + padding;
}

} // namespace

int CountMp3Frames(const std::string& data) {
    auto p = reinterpret_cast<const unsigned char*>(data.data());
    for (std::size_t start = 0; start + 4 <= data.size(); ++start) {
        int count = 0;
        std::size_t at = start;
        while (at + 4 <= data.size()) {
            int len = FrameLength(p + at);
            if (len == 0) break;
            ++count;
            at += static_cast<std::size_t>(len);
        }
        if (count >= 3) return count;
    }
    return 0;
}

} // namespace vd::testkit
