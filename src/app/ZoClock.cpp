#include "ZoClock.h"

#include "PlatformClock.h"

ZoPlatformClock& ZoPlatformClock::Instance() {
    static ZoPlatformClock clock;
    return clock;
}

std::uint32_t ZoPlatformClock::Milliseconds() {
    return PlatformClock::Milliseconds();
}

std::uint64_t ZoPlatformClock::Microseconds() {
    return PlatformClock::Microseconds();
}
