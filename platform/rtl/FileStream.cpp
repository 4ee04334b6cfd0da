#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Stream.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vd {

TFileStream::TFileStream(const String& fileName, unsigned mode) : TFileStream(fileName, mode, 0666) {}

TFileStream::TFileStream(const String& fileName, unsigned mode, unsigned rights) : FFileName(fileName) {
    if ((mode & fmCreate) == fmCreate) {
        FHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, rights);
        if (FHandle < 0) throw EFCreateError(Format(rtl_msg::FCreateError, fileName, SysErrorMessage(errno)));
        return;
    }
    int flags = O_RDONLY;
    if ((mode & 3) == fmOpenWrite)
        flags = O_WRONLY;
    else if ((mode & 3) == fmOpenReadWrite)
        flags = O_RDWR;
    FHandle = ::open(fileName.c_str(), flags | O_CLOEXEC);
    int err = errno;
    if (FHandle >= 0) {
        struct stat st {};
        if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(FHandle);
            FHandle = -1;
            err = EISDIR;
        }
    }
    if (FHandle < 0) throw EFOpenError(Format(rtl_msg::FOpenError, fileName, SysErrorMessage(err)));
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t n = ::read(FHandle, p + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    const auto* p = static_cast<const char*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(FHandle, p + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const int whence = origin == soBeginning ? SEEK_SET : (origin == soCurrent ? SEEK_CUR : SEEK_END);
    return ::lseek(FHandle, offset, whence);
}

void TFileStream::SetSize(std::int64_t size) {
    if (::ftruncate(FHandle, size) != 0) RaiseWriteError();
    if (Position() > size) Seek(0, soEnd);
}

} // namespace vd
