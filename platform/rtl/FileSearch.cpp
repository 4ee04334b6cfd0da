#include "platform/rtl/FileSearch.h"
#include "platform/rtl/FileUtils.h"

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace vd {

struct TFindState {
    DIR* Dir = nullptr;
    String Folder, Mask;
    int Attr = 0;
    ~TFindState() {
        if (Dir) ::closedir(Dir);
    }
};

namespace {

int AttributesOf(const String& name, const struct stat& st, bool link) {
    int attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= faDirectory;
    else if (S_ISREG(st.st_mode))
        attr |= faArchive;
    else
        attr |= faSysFile;
    if (!(st.st_mode & S_IWUSR)) attr |= faReadOnly;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") attr |= faHidden;
    if (link) attr |= faSymLink;
    return attr;
}

// The next entry that matches, or the errno value that ends the listing.
int Next(TSearchRec& F) {
    TFindState& s = *F.FindHandle;
    for (;;) {
        errno = 0;
        const dirent* e = ::readdir(s.Dir);
        if (!e) return errno ? errno : ENOENT;
        const String name = e->d_name;
        if (!MatchesMask(name, s.Mask)) continue;
        const String path = s.Folder + name;
        struct stat st;
        bool link = false;
        if (::lstat(path.c_str(), &st) != 0) continue; // gone since the listing was read
        if (S_ISLNK(st.st_mode)) {
            link = true;
            struct stat target;
            if (::stat(path.c_str(), &target) == 0) st = target; // a dangling link stays a link
        }
        const int attr = AttributesOf(name, st, link);
        // Entries of the kinds asked for, plus the plain ones (what is left after the usual bits).
        const int special = attr & (faDirectory | faHidden | faSysFile);
        if ((special & ~s.Attr) != 0) continue;
        F.Name = name;
        F.Attr = attr;
        F.Size = (attr & faDirectory) ? 0 : std::int64_t(st.st_size);
        F.TimeStamp = UnixToLocalDateTime(std::int64_t(st.st_mtim.tv_sec), int(st.st_mtim.tv_nsec / 1000000));
        return 0;
    }
}

} // namespace

int FindFirst(const String& Path, int Attr, TSearchRec& F) {
    FindClose(F);
    auto s = std::make_shared<TFindState>();
    const String folder = ExtractFilePath(Path);
    s->Folder = folder.empty() ? String("./") : folder;
    s->Mask = ExtractFileName(Path);
    s->Attr = Attr;
    s->Dir = ::opendir(s->Folder.c_str());
    if (!s->Dir) return errno ? errno : ENOENT;
    F.FindHandle = std::move(s);
    const int r = Next(F);
    if (r != 0) FindClose(F);
    return r;
}

int FindNext(TSearchRec& F) {
    if (!F.FindHandle) return EBADF;
    return Next(F);
}

void FindClose(TSearchRec& F) {
    F.FindHandle.reset();
}

bool CreateDir(const String& Dir) {
    return !Dir.empty() && ::mkdir(Dir.c_str(), 0777) == 0;
}

bool FileAge(const String& FileName, TDateTime& FileDateTime) {
    struct stat st;
    if (FileName.empty() || ::stat(FileName.c_str(), &st) != 0) return false;
    FileDateTime = UnixToLocalDateTime(std::int64_t(st.st_mtim.tv_sec), int(st.st_mtim.tv_nsec / 1000000));
    return true;
}

} // namespace vd
