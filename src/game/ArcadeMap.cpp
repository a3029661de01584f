#include "ArcadeMap.h"

#include "Shooter.h"

void ArcadeMap::Update(std::int32_t elapsed) {
    GameMap::Update(elapsed);
    const std::int32_t state = GameValues().GameState;
    if (state == 2 || state == 3 || state == 4 || state == 5 || MapState == kIntroAfterLoad) {
        return;
    }
    if (GetShooter() != nullptr && GetShooter()->flying) {
        return;
    }
    ElapsedTime += elapsed;
    if (ElapsedTime > kTimeStep) {
        --NumMovesLeft;
        ElapsedTime = 0;
        if (NumMovesLeft == -1) {
            StartLineDrop();
        }
    }
}

void ArcadeMap::Reset(bool fill) {
    GameMap::Reset(fill);
    ElapsedTime = 0;
}
