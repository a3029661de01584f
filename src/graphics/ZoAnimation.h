// Frame timing of a clip: none, once, ping-pong or loop over a grid of frames.
#pragma once

#include <cstdint>
#include <vector>

enum ZoAnimMode : std::int32_t { AnimNone = 0, AnimOnce = 1, AnimPingPong = 2, AnimLoop = 3 };

class ZoAnimation {
public:
    ZoAnimation() = default;
    // Takes the set-up and sequence; elapsed, current frame and finished start again at 0.
    ZoAnimation(const ZoAnimation& other);
    ZoAnimation& operator=(const ZoAnimation&) = delete;

    void Setup(std::int32_t totalTime, std::int32_t mode, std::int32_t columns, std::int32_t rows);
    // One step of at most one frame; time beyond the frame duration is dropped on purpose.
    void Update(std::int32_t elapsed);

    std::int32_t mode = AnimNone;
    std::int32_t elapsed = 0;
    std::int32_t frameDuration = 0;
    std::int32_t totalTime = 1024;
    std::int32_t currentFrame = 0;
    std::int32_t previousFrame = 0;
    std::int32_t frameCount = 1;
    std::vector<std::int32_t> sequence;
    std::size_t sequencePosition = 0;
    std::int32_t columns = 1;
    std::int32_t rows = 1;
    bool finished = false;
};
