#pragma once
// A PulseAudio server of the test's own: a null sink whose monitor is a source paced by the
// server's clock (silence at 44.1 kHz stereo), and an ALSA configuration in which that source is
// the only capture device ("Vendrill Paced Capture", PCM "vdpulse"). Benchmarks and the program's
// end-to-end test capture from it in real time, as from a sound card.
#include "tests/platform/net/TestKit.h"

#include <string>
#include <vector>

namespace vd::audio::test {

class TPulseServer {
public:
    static constexpr const char* DeviceName = "Vendrill Paced Capture";

    TPulseServer(); // starts the server and waits (with a deadline) for its socket
    bool Running() { return FReady && FProc.Running(); }
    const std::string& Dir() const { return FDir.Path(); }
    std::string AlsaConfig() const { return FDir.File("asound.conf"); }
    // What a process capturing from it needs: ALSA_CONFIG_PATH, HOME and XDG_RUNTIME_DIR.
    std::vector<std::string> Environment() const;
    // Points this process at it (for captures made in the test program itself).
    void UseInThisProcess() const;

private:
    testkit::TTempDir FDir;
    testkit::TChildProcess FProc;
    bool FReady = false;
};

} // namespace vd::audio::test
