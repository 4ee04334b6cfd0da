// Command lines come from the settings file (the encoder options): any text must split
// without a crash, and the arguments never hold more than the line did.
#include "platform/audio/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::size_t total = 0;
    for (const auto& arg : vd::audio::SplitCommandLine(line))
        total += arg.size();
    if (total > line.size()) std::abort();
    return 0;
}
