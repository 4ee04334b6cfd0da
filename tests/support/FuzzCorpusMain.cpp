// Runs a fuzz target over its seed corpus once, as a plain test: for builds without libFuzzer
// (g++, or fuzzing off), so that every input the corpus holds still runs in every build.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> CorpusFiles(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_regular_file(arg)) {
            files.push_back(arg);
            continue;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(arg))
            if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> files;
    try {
        files = CorpusFiles(argc, argv);
    } catch (const std::filesystem::filesystem_error& e) {
        std::fprintf(stderr, "cannot read the corpus: %s\n", e.what());
        return 1;
    }
    // An empty corpus would pass without running the target once.
    if (files.empty()) {
        std::fprintf(stderr, "no corpus files given\n");
        return 1;
    }
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "cannot open %s\n", file.c_str());
            return 1;
        }
        std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        static const std::uint8_t kNothing = 0; // a valid pointer for an empty input, as libFuzzer gives
        const auto* data = bytes.empty() ? &kNothing : reinterpret_cast<const std::uint8_t*>(bytes.data());
        LLVMFuzzerTestOneInput(data, bytes.size());
    }
    std::printf("ran %zu corpus inputs\n", files.size());
    return 0;
}
