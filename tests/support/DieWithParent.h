#pragma once
// Peers a test starts (icecast2, the SMTP server, Xvfb, PulseAudio) must not outlive it: a test
// that crashes or is killed by its time-out would leave them running and holding ports.
#include <sys/types.h>

namespace vd::test {

// Call in the child between fork and exec, with the test's pid taken before the fork: the kernel
// sends the child SIGKILL when the thread that forked it ends, so fork from a thread that lives as
// long as the peer (the test's main thread). Ends the child at once when the parent is already
// gone. Only async-signal-safe calls, as a child of a threaded process needs.
void DieWithParent(pid_t parent) noexcept;

// Gives up root for nobody, in the child before DieWithParent: a peer that changes its own user
// (icecast2 started as root) loses the parent-death signal. `uid`/`gid` are looked up before the
// fork (NobodyIds); false when that failed.
bool DropRootTo(uid_t uid, gid_t gid) noexcept;
bool NobodyIds(uid_t& uid, gid_t& gid);

} // namespace vd::test
