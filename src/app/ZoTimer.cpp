#include "ZoTimer.h"

ZoTimer& ZoTimer::Instance() {
    static ZoTimer timer(ZoPlatformClock::Instance());
    return timer;
}

ZoTimer::ZoTimer(ZoClock& clock) : clock_(&clock) {
    Restart();
}

void ZoTimer::SetClock(ZoClock& clock) {
    clock_ = &clock;
    Restart();
}

void ZoTimer::Restart() {
    previousTime_ = clock_->Milliseconds();
    currentTime_ = previousTime_;
    frameTime_ = 0;
    history_.clear();
}

void ZoTimer::Tick() {
    currentTime_ = clock_->Milliseconds();
    // Unsigned subtraction keeps the interval right across the 49-day wrap of the clock.
    const auto interval = static_cast<std::int32_t>(currentTime_ - previousTime_);
    if (history_.size() >= kHistoryLength)
        history_.pop_front();
    history_.push_back(interval);
    std::uint64_t sum = 0;
    for (std::int32_t value : history_)
        sum += static_cast<std::uint32_t>(value);
    frameTime_ = static_cast<std::int32_t>(sum / history_.size());
    previousTime_ = currentTime_;
}
