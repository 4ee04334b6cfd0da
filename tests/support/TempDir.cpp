#include "tests/support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vd::test {

namespace fs = std::filesystem;

TTempDir::TTempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/tmp") + "/vd-test-XXXXXX";
    // Without its folder no test can mean anything: stop at once, loudly.
    if (!::mkdtemp(tmpl.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    FPath = tmpl;
}

TTempDir::~TTempDir() {
    std::error_code ec;
    // Tests take permissions away from their folders; give them back so removal works.
    fs::permissions(FPath, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::recursive_directory_iterator it(FPath, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec))
        if (it->is_directory(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(FPath, ec);
}

void TTempDir::Write(const std::string& name, const std::string& text) const {
    std::error_code ec;
    fs::create_directories(fs::path(File(name)).parent_path(), ec);
    std::ofstream(File(name), std::ios::binary | std::ios::trunc) << text;
}

std::string TTempDir::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace vd::test
