// What the board shows beyond its rules: cut-off balls dropping to the bottom of the board, each reaching it
// just as the board counts it and it bursts, and the points of a burst group rising where it was. Nothing
// here changes the board, the score, the timing of the game or the game's random numbers.
#pragma once

#include "BaseBubble.h"
#include "ZoRandom.h"

#include <cstdint>
#include <memory>
#include <vector>

class GameEffects {
public:
    static constexpr std::int32_t kPopTime = 900;

    // A ball the board has just cut off: it lets go from rest, drifting a little away from the middle.
    void StartFall(BaseBubble& ball, float boardMiddle);
    // Moves the falling balls, in the order the board counts them, so that each one reaches floor (the
    // bottom of the board) in the frame the board takes it: the board takes the first once removalClock
    // exceeds removalStep, the others removalStep apart. Ages the points.
    void Update(std::int32_t elapsed, const std::vector<std::unique_ptr<BaseBubble>>& falling,
                std::int32_t removalClock, std::int32_t removalStep, float floor);
    // "+points" rising from at for a moment.
    void AddPoints(const ZoVector& at, std::int32_t points);
    // The rising points (the falling balls are drawn by the game layer).
    void Draw() const;
    void Clear() { points_.clear(); }

    std::size_t PointsShowing() const { return points_.size(); }

private:
    struct Points {
        ZoVector at;
        std::int32_t value = 0;
        std::int32_t age = 0;
    };

    std::vector<Points> points_;
    // The effects' own numbers, so the balls dealt later never depend on what was drawn.
    ZoRandom random_;
};
