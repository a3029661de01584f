// Where the frame timer and the frame pacing take their time from; tests put a clock of their own in.
#pragma once

#include <cstdint>

class ZoClock {
public:
    virtual ~ZoClock() = default;
    // Wrapping 32-bit milliseconds, as the system timer the game was written for.
    virtual std::uint32_t Milliseconds() = 0;
    virtual std::uint64_t Microseconds() = 0;
};

// The real clock of the platform.
class ZoPlatformClock : public ZoClock {
public:
    static ZoPlatformClock& Instance();
    std::uint32_t Milliseconds() override;
    std::uint64_t Microseconds() override;
};

// A clock that only moves when told to: scripted runs and tests.
class ZoManualClock : public ZoClock {
public:
    explicit ZoManualClock(std::uint32_t startMilliseconds = 0)
        : microseconds_(startMilliseconds * 1000ull) {}
    std::uint32_t Milliseconds() override { return static_cast<std::uint32_t>(microseconds_ / 1000u); }
    std::uint64_t Microseconds() override { return microseconds_; }
    void Advance(std::uint32_t milliseconds) { microseconds_ += milliseconds * 1000ull; }
    void Set(std::uint32_t milliseconds) { microseconds_ = milliseconds * 1000ull; }

private:
    std::uint64_t microseconds_;
};
