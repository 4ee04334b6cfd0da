#pragma once
// A temporary folder for a test, removed with everything in it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vd::test {

class TTempFolder {
public:
    TTempFolder() {
        std::string templ = (std::filesystem::temp_directory_path() / "vdtest.XXXXXX").string();
        if (::mkdtemp(templ.data())) FPath = templ;
    }
    ~TTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::string& Path() const { return FPath; }
    std::string File(const std::string& name) const { return FPath + "/" + name; }

    void Write(const std::string& name, const std::string& text) const {
        std::filesystem::create_directories(std::filesystem::path(File(name)).parent_path());
        std::ofstream(File(name), std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const { return ReadFile(File(name)); }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string FPath;
};

} // namespace vd::test
