#include "platform/video/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

std::string InstanceBase() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/tamborix";
    return "/tmp/tamborix-" + std::to_string(getuid());
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void AskFirstToRaise(const std::string& path) {
    sockaddr_un address;
    if (!FillAddress(path, address)) return;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const char message[] = "raise\n";
        [[maybe_unused]] ssize_t sent = write(fd, message, sizeof message - 1);
    }
    close(fd);
}

} // namespace

SingleInstance::~SingleInstance() {
    if (listenFd_ >= 0) {
        close(listenFd_);
        unlink(socketPath_.c_str());
    }
    if (lockFd_ >= 0) close(lockFd_); // releases the lock
}

bool SingleInstance::Claim() {
    const std::string base = InstanceBase();
    socketPath_ = base + ".sock";
    lockFd_ = open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ >= 0 && flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        close(lockFd_);
        lockFd_ = -1;
        AskFirstToRaise(socketPath_);
        return false;
    }
    // Without a lock file (an unwritable folder) the program still runs, just unguarded.
    sockaddr_un address;
    if (lockFd_ >= 0 && FillAddress(socketPath_, address)) {
        unlink(socketPath_.c_str()); // left behind by a run that was killed
        listenFd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (listenFd_ >= 0 &&
            (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
             listen(listenFd_, 4) != 0)) {
            close(listenFd_);
            listenFd_ = -1;
        }
    }
    return true;
}

bool SingleInstance::RaiseRequested() {
    if (listenFd_ < 0) return false;
    bool requested = false;
    for (;;) {
        int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) break;
        requested = true; // any connection is a request; its content does not matter
        close(fd);
    }
    return requested;
}

} // namespace platform
