#pragma once
// A pipe that one thread writes to wake another thread's socket waits (see TCancelScope). The
// byte stays in it, so every later wait wakes too: a wake-up here is for good, as a stop is.
namespace vd::net {

class TWakePipe {
public:
    TWakePipe();
    ~TWakePipe();
    TWakePipe(const TWakePipe&) = delete;
    TWakePipe& operator=(const TWakePipe&) = delete;

    // The end to wait on; -1 when the pipe could not be made (then nothing ever wakes).
    int ReadFd() const { return FFd[0]; }
    // Never blocks; safe from any thread.
    void Wake();

private:
    int FFd[2] = {-1, -1};
};

} // namespace vd::net
