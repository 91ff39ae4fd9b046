#pragma once
// One windowed program per user. The first start holds a lock file and listens on a local
// socket beside it (in $XDG_RUNTIME_DIR, else /tmp with the user id in the names); a second
// start finds the lock taken, asks the first to raise its window, and steps aside.
#include <string>

namespace platform {

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is now the one instance; false when another runs (it has
    // been asked to raise itself).
    bool Claim();
    // True once for every request from a later start since the previous call.
    bool RaiseRequested();

private:
    int lockFd_ = -1;
    int listenFd_ = -1;
    std::string socketPath_;
};

} // namespace platform
