#include "platform/rtl/SmallFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vd {

namespace {

class TFd {
public:
    explicit TFd(int fd) : FFd(fd) {}
    ~TFd() {
        if (FFd >= 0) ::close(FFd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }

private:
    int FFd;
};

// Reads at most limit bytes; over tells whether the file holds more than that.
int ReadUpTo(const String& path, String& text, std::size_t limit, bool& over) {
    text.clear();
    over = false;
    const TFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0) return errno;
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return EINVAL;
    char buf[65536];
    // One byte past the limit tells a file that is too long (it may grow while it is read).
    while (text.size() <= limit) {
        const std::size_t want = std::min(sizeof buf, limit + 1 - text.size());
        const ssize_t n = ::read(fd.Get(), buf, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            text.clear();
            return err;
        }
        if (n == 0) break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    if (text.size() > limit) {
        over = true;
        text.resize(limit);
    }
    return 0;
}

} // namespace

int ReadSmallFile(const String& path, String& text, std::size_t maxBytes) {
    bool over = false;
    const int err = ReadUpTo(path, text, maxBytes, over);
    if (err == 0 && !over) return 0;
    text.clear();
    return err != 0 ? err : EFBIG;
}

int ReadFileHead(const String& path, String& text, std::size_t maxBytes) {
    bool over = false;
    return ReadUpTo(path, text, maxBytes, over);
}

} // namespace vd
