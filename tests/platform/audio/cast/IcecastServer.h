#pragma once
// A real icecast2 started on 127.0.0.1 with a configuration of its own: a normal listen port and,
// on the next port, a shoutcast-compat source socket (a real Shoutcast v1 peer), mount /sc.mp3.
#include <string>

#include "tests/platform/net/TestKit.h"

namespace vd::testkit {

class TIcecastServer {
public:
    ~TIcecastServer() { Stop(); }
    // Picks free ports the first time; Start after Stop reuses them (a server coming back).
    bool Start();
    void Stop();
    int Port() const { return FPort; }
    int Pid() const { return FProc.Pid(); }
    const std::string& Dir() const { return FDir.Path(); }
    std::string SourcePassword() const { return "hackme"; }
    std::string AdminGet(const std::string& path); // body of an admin page, as the admin user
    std::string PublicGet(const std::string& path);

private:
    bool StartOnce();
    TTempDir FDir;
    TChildProcess FProc;
    int FPort = 0;
};

// Writes a few seconds of a 440 Hz tone as a 128 kbit/s MP3 (real lame) and returns its bytes.
std::string MakeMp3Fixture(const TTempDir& dir, int seconds);
// Number of consecutive valid MPEG audio frames from the first sync found (0 when none).
int CountMp3Frames(const std::string& data);

} // namespace vd::testkit
