// The platform's clocks: a wrapping millisecond clock (as the multimedia timer), a fine clock and sleeps.
#pragma once

#include <cstdint>

class PlatformClock {
public:
    // Milliseconds since the platform started; wraps after 49.7 days like the 32-bit system timer.
    static std::uint32_t Milliseconds();
    // A monotonic clock in microseconds for frame pacing.
    static std::uint64_t Microseconds();
    // Gives the core away for about that long.
    static void SleepMilliseconds(std::uint32_t milliseconds);
    // Refresh rate of the display the game shows on; 60 when it cannot be told.
    static int DisplayRefreshRate();
};
