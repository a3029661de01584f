// Keeps a second copy of the game from running: an exclusive lock on a per-user file, held for life.
#pragma once

#include <string>

class PlatformSingleInstance {
public:
    enum class Result {
        Acquired,      // this process is the one copy
        HeldElsewhere, // another copy holds the lock
        Unavailable    // the lock file cannot be opened; the game runs unguarded rather than not at all
    };

    explicit PlatformSingleInstance(std::string lockPath = DefaultLockPath());
    ~PlatformSingleInstance();
    PlatformSingleInstance(const PlatformSingleInstance&) = delete;
    PlatformSingleInstance& operator=(const PlatformSingleInstance&) = delete;

    // Tries once, never waits. The lock stays until this object dies (or the process ends).
    Result Acquire();
    bool Held() const { return descriptor_ >= 0; }
    const std::string& LockPath() const { return lockPath_; }

    // The user's runtime folder when it exists, else the temporary folder; the user id is in the name.
    static std::string DefaultLockPath();

private:
    std::string lockPath_;
    int descriptor_ = -1;
};
