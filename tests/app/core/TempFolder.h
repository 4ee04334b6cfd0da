#pragma once
// A temporary folder for a test, removed with everything in it.
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace vd::test {

// The shared test folder; these tests read and write files in it by name.
class TTempFolder : public TTempDir {
public:
    void Write(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
        std::ofstream(File(name), std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const { return ReadFile(File(name)); }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

} // namespace vd::test
