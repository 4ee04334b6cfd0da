#include "tests/support/DieWithParent.h"

#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace vd::test {

void DieWithParent(pid_t parent) noexcept {
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) ::_exit(126);
    // The parent may have died between the fork and the prctl: the signal would never come.
    if (::getppid() != parent) ::_exit(126);
}

bool DropRootTo(uid_t uid, gid_t gid) noexcept {
    if (::getuid() != 0) return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0;
}

bool NobodyIds(uid_t& uid, gid_t& gid) {
    const passwd* pw = ::getpwnam("nobody");
    if (!pw) return false;
    uid = pw->pw_uid;
    gid = pw->pw_gid;
    return true;
}

} // namespace vd::test
