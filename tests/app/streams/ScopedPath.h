#pragma once
// PATH set to one folder for the life of the object, so that which encoder programs the streams
// find does not depend on the machine; the old value comes back at the end.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace vd::test {

class TScopedPath {
public:
    explicit TScopedPath(const std::string& folder) {
        if (const char* old = std::getenv("PATH")) FOld = old, FHad = true;
        ::setenv("PATH", folder.c_str(), 1);
    }
    ~TScopedPath() {
        if (FHad)
            ::setenv("PATH", FOld.c_str(), 1);
        else
            ::unsetenv("PATH");
    }
    TScopedPath(const TScopedPath&) = delete;
    TScopedPath& operator=(const TScopedPath&) = delete;

    // The program's file in a folder of the current PATH; empty when none holds it.
    static std::string Which(const std::string& program) {
        const char* path = std::getenv("PATH");
        std::string dirs = path ? path : "";
        for (std::size_t start = 0; start <= dirs.size();) {
            std::size_t end = dirs.find(':', start);
            if (end == std::string::npos) end = dirs.size();
            const std::string file = dirs.substr(start, end - start) + "/" + program;
            if (end > start && std::filesystem::is_regular_file(file)) return file;
            start = end + 1;
        }
        return {};
    }

private:
    std::string FOld;
    bool FHad = false;
};

} // namespace vd::test
