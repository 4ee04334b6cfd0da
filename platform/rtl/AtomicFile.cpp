#include "platform/rtl/AtomicFile.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vd {
namespace {

[[noreturn]] void Fail(const String& fileName, int err) {
    throw EFCreateError(Format(rtl_msg::FCreateError, fileName, SysErrorMessage(err)));
}

// Writing through a symbolic link replaces the file it points to, not the link.
String ResolveTarget(const String& fileName) {
    char buf[PATH_MAX];
    struct stat st {};
    if (::lstat(fileName.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(fileName.c_str(), buf))
        return String(buf);
    return fileName;
}

class TTempFile {
public:
    explicit TTempFile(const String& target) : FName(target + ".XXXXXX") {
        FHandle = ::mkostemp(FName.data(), O_CLOEXEC);
        if (FHandle < 0) Fail(target, errno);
    }
    ~TTempFile() {
        if (FHandle >= 0) ::close(FHandle);
        if (!FKept) ::unlink(FName.c_str());
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    int Handle() const { return FHandle; }
    const String& Name() const { return FName; }
    int Close() {
        const int rc = ::close(FHandle);
        FHandle = -1;
        return rc;
    }
    void Keep() { FKept = true; }

private:
    String FName;
    int FHandle = -1;
    bool FKept = false;
};

void SyncDirectory(const String& target) {
    const String dir = ExtractFileDir(target);
    const int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

} // namespace

bool SyncFile(const String& fileName) {
    const String target = ResolveTarget(fileName);
    const int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    SyncDirectory(target);
    return ok;
}

void AtomicWriteFile(const String& fileName, std::string_view data, unsigned mode, bool sync) {
    const String target = ResolveTarget(fileName);
    TTempFile temp(target);
    if (::fchmod(temp.Handle(), mode) != 0) Fail(fileName, errno);
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(temp.Handle(), data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail(fileName, n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    if (sync && ::fsync(temp.Handle()) != 0) Fail(fileName, errno);
    if (temp.Close() != 0) Fail(fileName, errno);
    if (::rename(temp.Name().c_str(), target.c_str()) != 0) Fail(fileName, errno);
    temp.Keep();
    if (sync) SyncDirectory(target); // make the rename itself durable
}

} // namespace vd
