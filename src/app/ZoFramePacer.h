// Keeps the variable-step frame loop from burning a core: at most one frame per display refresh.
#pragma once

#include <cstdint>

class ZoFramePacer {
public:
    explicit ZoFramePacer(int framesPerSecond = 60) { SetRate(framesPerSecond); }

    // Non-positive rates mean the usual 60 Hz.
    void SetRate(int framesPerSecond);
    std::uint64_t PeriodMicroseconds() const { return period_; }

    // Microseconds until the next frame may start; 0 when it may start now.
    std::uint64_t WaitBefore(std::uint64_t nowMicroseconds) const;
    // A frame starts now: the next is due one period after this one was due, so a late wake-up is made
    // good by the following frame; after a stall of more than a period the schedule starts afresh.
    void FrameStarted(std::uint64_t nowMicroseconds);
    // Forget the schedule (after the loop was idle): the next frame may start at once.
    void Reset() { due_ = 0; }

private:
    std::uint64_t period_ = 0;
    std::uint64_t due_ = 0;
};
