#include "tests/platform/audio/PulseServer.h"

#include <cstdlib>
#include <sys/stat.h>

namespace vd::audio::test {

TPulseServer::TPulseServer() {
    const std::string d = FDir.Path();
    testkit::WriteFile(FDir.File("default.pa"),
                       "load-module module-native-protocol-unix auth-anonymous=1 socket=" + d +
                           "/native\nload-module module-null-sink sink_name=vdnull "
                           "rate=44100 channels=2\n");
    testkit::WriteFile(AlsaConfig(), "pcm.vdpulse {\n type pulse\n server \"unix:" + d +
                                         "/native\"\n device \"vdnull.monitor\"\n hint { show on "
                                         "description \"" +
                                         std::string(DeviceName) + "\" }\n}\n");
    // Its output would only fill a pipe nobody reads; it logs to standard error.
    FProc.Start({"/usr/bin/pulseaudio", "-n", "-F", FDir.File("default.pa"), "--daemonize=no",
                 "--exit-idle-time=-1", "--use-pid-file=no", "--log-target=stderr", "--log-level=error"},
                Environment());
    struct stat st {};
    FReady = testkit::WaitUntil(
                 [&] { return ::stat(FDir.File("native").c_str(), &st) == 0 || !FProc.Running(); }, 10000) &&
             ::stat(FDir.File("native").c_str(), &st) == 0;
}

std::vector<std::string> TPulseServer::Environment() const {
    return {"ALSA_CONFIG_PATH=" + AlsaConfig(), "HOME=" + FDir.Path(), "XDG_RUNTIME_DIR=" + FDir.Path()};
}

void TPulseServer::UseInThisProcess() const {
    for (const std::string& e : Environment()) {
        const auto eq = e.find('=');
        ::setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
    }
}

} // namespace vd::audio::test
