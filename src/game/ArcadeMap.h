// The time mode's board: a new row comes when enough time has passed instead of after missed shots.
#pragma once

#include "GameMap.h"

class ArcadeMap : public GameMap {
public:
    static constexpr std::int32_t kTimeStep = 5000;

    ArcadeMap() = default;

    // The board's frame, then the clock.
    void Update(std::int32_t elapsed) override;
    void Reset(bool fill) override;
    // A miss costs nothing here: only time brings rows.
    void OnMiss() override {}
};
