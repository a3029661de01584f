// A player made of code: for every direction the launcher can take it plans the shot with the board's own
// flight planning and takes the one that bursts the most (falling balls count double), swapping when the
// next ball does better. Used by the menu's demo and by the soak runs.
#pragma once

#include "GameMap.h"
#include "Shooter.h"
#include "ZoRandom.h"

#include <cstdint>
#include <vector>

class AutoPlayer {
public:
    static constexpr int kDirections = 96;
    // Directions looked at per frame while taking its time.
    static constexpr int kDirectionsPerFrame = 24;
    static constexpr float kTurnRate = 0.0016f; // radians per ms, as a player's steady hand
    static constexpr std::int32_t kSettleTime = 350;

    // quick: decides, aims and fires in one frame as soon as the launcher can; otherwise it looks, turns
    // and waits a moment the way a player does. careless: the percentage of shots fired anywhere at all,
    // so that games are lost too.
    explicit AutoPlayer(bool quick, std::uint32_t seed = 1, int careless = 0);

    // One frame of play.
    void Play(std::int32_t elapsed, GameMap& map, Shooter& shooter);
    // What a ball of colour would earn entering cell: above zero when it bursts a group.
    static std::int32_t Worth(const GameMap& map, const ZoCell& cell, std::int32_t colour);

private:
    struct Choice {
        ZoVector towards; // the point to aim at
        bool swap = false;
        std::int32_t worth = 0;
    };
    void Look(GameMap& map, Shooter& shooter, int count);
    // The point to aim at for the n-th of the directions looked at.
    static ZoVector Towards(const Shooter& shooter, int n);

    bool quick_;
    int careless_;
    ZoRandom random_;
    int looked_ = 0;
    bool chosen_ = false;
    Choice best_;
    std::vector<Choice> ties_;
    std::int32_t waited_ = 0;
};
