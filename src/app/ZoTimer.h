// The frame timer: the time between frames, smoothed over the last 33 frames.
#pragma once

#include "ZoClock.h"

#include <cstddef>
#include <cstdint>
#include <deque>

class ZoTimer {
public:
    static constexpr std::size_t kHistoryLength = 33;

    // The process-wide timer, on the platform clock until SetClock says otherwise.
    static ZoTimer& Instance();

    explicit ZoTimer(ZoClock& clock);

    // Changes the clock and starts measuring afresh from its current time.
    void SetClock(ZoClock& clock);
    // Forgets the history; the next tick measures from now. Done at construction too, so the first
    // frames are not handed the whole time since the system started.
    void Restart();
    // Measures the interval since the last tick and updates the smoothed frame time.
    void Tick();

    // Milliseconds handed to the screens for this frame: the mean of the history, rounded down.
    std::int32_t FrameTime() const { return frameTime_; }
    std::uint32_t PreviousTime() const { return previousTime_; }
    std::uint32_t CurrentTime() const { return currentTime_; }
    const std::deque<std::int32_t>& History() const { return history_; }
    ZoClock& Clock() const { return *clock_; }

private:
    ZoClock* clock_;
    std::uint32_t previousTime_ = 0;
    std::uint32_t currentTime_ = 0;
    std::int32_t frameTime_ = 0;
    std::deque<std::int32_t> history_;
};
