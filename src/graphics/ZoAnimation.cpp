#include "ZoAnimation.h"

ZoAnimation::ZoAnimation(const ZoAnimation& other)
    : mode(other.mode), frameDuration(other.frameDuration), totalTime(other.totalTime),
      frameCount(other.frameCount), sequence(other.sequence), columns(other.columns), rows(other.rows)
{
}

void ZoAnimation::Setup(std::int32_t total, std::int32_t newMode, std::int32_t newColumns, std::int32_t newRows)
{
    // A grid needs at least one frame each way; the frame arithmetic divides by both.
    columns = newColumns > 0 ? newColumns : 1;
    rows = newRows > 0 ? newRows : 1;
    totalTime = total;
    frameCount = columns * rows;
    frameDuration = totalTime / frameCount;
    mode = newMode;
    finished = mode != AnimOnce;
    sequence.clear();
    if (mode == AnimPingPong) {
        for (std::int32_t i = 0; i < frameCount; ++i) {
            sequence.push_back(i);
        }
        for (std::int32_t i = frameCount - 2; i >= 0; --i) {
            sequence.push_back(i);
        }
    }
    sequencePosition = 0;
}

void ZoAnimation::Update(std::int32_t delta)
{
    switch (mode) {
    case AnimOnce:
        if (finished) {
            return;
        }
        elapsed += delta;
        if (elapsed > frameDuration) {
            ++currentFrame;
            elapsed = 0;
        }
        if (currentFrame >= frameCount) {
            finished = true;
            currentFrame = frameCount - 1;
        }
        break;
    case AnimLoop:
        previousFrame = currentFrame;
        if (delta > 0) {
            elapsed += delta;
            if (elapsed > frameDuration) {
                currentFrame = previousFrame + 1;
                elapsed = 0;
            }
        }
        if (currentFrame >= frameCount) {
            currentFrame = 0;
        }
        break;
    case AnimPingPong:
        elapsed += delta;
        if (elapsed > frameDuration && !sequence.empty()) {
            elapsed = 0;
            ++sequencePosition;
            if (sequencePosition >= sequence.size()) {
                sequencePosition = 0;
            }
            currentFrame = sequence[sequencePosition];
        }
        break;
    default:
        break;
    }
}
