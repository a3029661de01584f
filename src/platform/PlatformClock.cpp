#include "PlatformClock.h"

#include <SDL.h>

std::uint32_t PlatformClock::Milliseconds() {
    // SDL_GetTicks64 starts its own clock on first use, so this works before SDL_Init.
    return static_cast<std::uint32_t>(SDL_GetTicks64());
}

std::uint64_t PlatformClock::Microseconds() {
    const std::uint64_t frequency = SDL_GetPerformanceFrequency();
    const std::uint64_t counter = SDL_GetPerformanceCounter();
    if (frequency == 0)
        return SDL_GetTicks64() * 1000u;
    // Split to keep counter * 1e6 from overflowing.
    return counter / frequency * 1000000u + counter % frequency * 1000000u / frequency;
}

void PlatformClock::SleepMilliseconds(std::uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

int PlatformClock::DisplayRefreshRate() {
    constexpr int kFallbackRate = 60;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return kFallbackRate;
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(0, &mode) != 0 || mode.refresh_rate <= 0)
        return kFallbackRate;
    return mode.refresh_rate;
}
