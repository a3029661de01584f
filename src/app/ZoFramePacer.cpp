#include "ZoFramePacer.h"

void ZoFramePacer::SetRate(int framesPerSecond) {
    if (framesPerSecond <= 0)
        framesPerSecond = 60;
    period_ = 1000000u / static_cast<std::uint64_t>(framesPerSecond);
}

std::uint64_t ZoFramePacer::WaitBefore(std::uint64_t nowMicroseconds) const {
    return due_ > nowMicroseconds ? due_ - nowMicroseconds : 0;
}

void ZoFramePacer::FrameStarted(std::uint64_t nowMicroseconds) {
    const std::uint64_t next = due_ + period_;
    due_ = next > nowMicroseconds ? next : nowMicroseconds + period_;
}
