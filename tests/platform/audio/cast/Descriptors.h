#pragma once
// Counting this process's open descriptors through /proc/self/fd, by what they refer to
// ("socket:[inode]", "pipe:[inode]", a path): unlike the numbers these are not reused, so
// descriptors that something else closes meanwhile do not hide new ones.
#include <filesystem>
#include <set>
#include <string>
#include <system_error>

namespace vd::testkit {

inline std::set<std::string> OpenDescriptors() {
    std::set<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        auto target = std::filesystem::read_symlink(entry.path(), ec);
        // (not the one this listing itself holds open)
        if (!ec && target.string().rfind("/proc/", 0) != 0)
            out.insert(entry.path().filename().string() + "=" + target.string());
    }
    return out;
}

// Descriptors open now that were not open in `before`.
inline int NewDescriptors(const std::set<std::string>& before) {
    int n = 0;
    for (const auto& d : OpenDescriptors())
        n += before.count(d) == 0;
    return n;
}

} // namespace vd::testkit
