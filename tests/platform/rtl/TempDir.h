#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
#include "platform/rtl/String.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vd::test {

class TTempDir {
public:
    TTempDir() {
        const char* base = std::getenv("TMPDIR");
        String tmpl = String(base && *base ? base : "/tmp") + "/vd-rtl-XXXXXX";
        if (!::mkdtemp(tmpl.data())) std::abort();
        FPath = tmpl;
    }
    ~TTempDir() {
        std::error_code ec;
        std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(FPath, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const String& Path() const { return FPath; }
    String File(const String& name) const { return FPath + "/" + name; }

private:
    String FPath;
};

inline void WriteText(const String& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

inline String ReadText(const String& path) {
    std::ifstream in(path, std::ios::binary);
    return String(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace vd::test
