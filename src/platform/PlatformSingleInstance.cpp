#include "PlatformSingleInstance.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

PlatformSingleInstance::PlatformSingleInstance(std::string lockPath) : lockPath_(std::move(lockPath)) {}

PlatformSingleInstance::~PlatformSingleInstance() {
    if (descriptor_ >= 0)
        close(descriptor_); // closing the last descriptor releases the lock
}

PlatformSingleInstance::Result PlatformSingleInstance::Acquire() {
    if (descriptor_ >= 0)
        return Result::Acquired;
    // No following of links: the file may live in a folder other users can write to.
    const int descriptor = open(lockPath_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return Result::Unavailable;
    int result;
    do {
        result = flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const bool busy = errno == EWOULDBLOCK;
        close(descriptor);
        return busy ? Result::HeldElsewhere : Result::Unavailable;
    }
    descriptor_ = descriptor;
    return Result::Acquired;
}

std::string PlatformSingleInstance::DefaultLockPath() {
    const std::string uid = std::to_string(static_cast<unsigned long>(getuid()));
    const std::string runtimeFolder = "/run/user/" + uid;
    struct stat info {};
    if (stat(runtimeFolder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid())
        return runtimeFolder + "/korrik-shooter.lock";
    return "/tmp/korrik-shooter-" + uid + ".lock";
}
