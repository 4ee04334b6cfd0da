// The capture device list on an ALSA configuration of the test's own: the default device first,
// a running sound server (a real PulseAudio), then the user's own capture PCM; plug-ins that wrap
// another device, a sink and a sound server that is not running are left out. No sound card
// exists here, so the card walk adds nothing.
#include "platform/audio/CaptureSource.h"
#include "platform/audio/alsa/AlsaCapture.h"
#include "tests/platform/audio/AudioFixture.h"
#include "tests/platform/audio/PulseServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace vd::audio {
namespace {

const char* const kConfig = R"(
pcm.vdrate {
    @args [ SLAVE ]
    @args.SLAVE { type string default "vdmic" }
    type rate
    slave { pcm $SLAVE rate 48000 }
    hint { show on description "Rate Converter Plugin" }
}
pcm.vdmic {
    type plug
    slave.pcm {
        type file
        slave.pcm { type null }
        file "/dev/null"
        infile "@DIR@/mic.raw"
        format "raw"
    }
    hint { show on description "Studio Mic
Line In" }
}
pcm.vdsink { type null hint { show on description "Discard all samples" } }
pcm.vdstopped { type pulse server "unix:@DIR@/no-server" hint { show on description "Stopped Sound Server" } }
pcm.!default { type plug slave.pcm "vdmic" hint { show on description "Default Audio Device" } }
)";

TEST(AlsaDeviceList, InputsOnlyDefaultFirstAndStableNumbers) {
    test::TPulseServer pulse;
    ASSERT_TRUE(pulse.Running());
    pulse.UseInThisProcess();
    const std::string dir = test::TempDir();
    const std::vector<std::int16_t> silence(44100, 0);
    test::WriteFile(dir + "/mic.raw", silence.data(), silence.size() * sizeof(std::int16_t));
    std::string conf = kConfig;
    for (std::size_t at; (at = conf.find("@DIR@")) != std::string::npos;)
        conf.replace(at, 5, dir);
    test::WriteFile(dir + "/asound.conf", conf.data(), conf.size());
    ::setenv("ALSA_CONFIG_PATH", (dir + "/asound.conf:" + pulse.AlsaConfig()).c_str(), 1);

    const std::vector<TAlsaDevice> devices = ListAlsaCaptureDevices();
    std::vector<std::string> names, drivers;
    for (const TAlsaDevice& d : devices) {
        names.push_back(d.Name);
        drivers.push_back(d.Driver);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Default Audio Device", test::TPulseServer::DeviceName,
                                               "Studio Mic, Line In"}));
    EXPECT_EQ(drivers, (std::vector<std::string>{"default", "vdpulse", "vdmic"}));
    ASSERT_FALSE(devices.empty());
    EXPECT_TRUE(devices[0].IsDefault);

    for (const TAlsaDevice& d : devices) {
        int error = -1;
        EXPECT_NE(OpenAlsaCapture(d.Driver, &error), nullptr) << d.Driver << " records";
    }
    // Nothing plugged in between: the same list, so a device chosen by number stays the same.
    const std::vector<TAlsaDevice> again = ListAlsaCaptureDevices();
    ASSERT_EQ(again.size(), devices.size());
    for (std::size_t i = 0; i < again.size(); ++i)
        EXPECT_EQ(again[i].Driver, devices[i].Driver) << i;
}

} // namespace
} // namespace vd::audio
