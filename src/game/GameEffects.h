// What the board shows beyond its rules: cut-off balls falling under gravity until they burst at the bottom
// of the board, and the points of a burst group rising where it was. Nothing here changes the board, the
// score, the timing of the game or the game's random numbers.
#pragma once

#include "BaseBubble.h"
#include "ZoRandom.h"

#include <cstdint>
#include <memory>
#include <vector>

class GameEffects {
public:
    static constexpr float kGravity = 0.0016f; // pixels per ms²
    static constexpr std::int32_t kPopTime = 900;

    // A ball the board has just cut off: it drifts a little away from the middle and starts to spin.
    void StartFall(BaseBubble& ball, float boardMiddle);
    // Moves every falling ball, those the board still counts and those it has counted; each one whose lower
    // edge reaches floor (the bottom of the board) bursts there, with the pop of every other one. Ages the
    // points.
    void Update(std::int32_t elapsed, const std::vector<std::unique_ptr<BaseBubble>>& counting, float floor);
    // A ball the board has just counted goes on falling to the bottom, unless it burst there already.
    void KeepFalling(std::unique_ptr<BaseBubble> ball);
    // "+points" rising from at for a moment.
    void AddPoints(const ZoVector& at, std::int32_t points);
    // The rising points (the falling balls are drawn by the game layer).
    void Draw() const;
    void Clear();

    // Counted balls still on their way down, and points still showing.
    std::size_t CountedFalling() const { return counted_.size(); }
    std::size_t PointsShowing() const { return points_.size(); }

private:
    struct Points {
        ZoVector at;
        std::int32_t value = 0;
        std::int32_t age = 0;
    };
    // One step of the fall; true when the ball has reached the bottom edge and burst.
    bool Fall(BaseBubble& ball, std::int32_t elapsed, float floor);

    std::vector<std::unique_ptr<BaseBubble>> counted_;
    std::vector<Points> points_;
    // The effects' own numbers, so the balls dealt later never depend on what was drawn.
    ZoRandom random_;
};
