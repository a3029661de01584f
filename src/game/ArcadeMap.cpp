#include "ArcadeMap.h"

#include "Shooter.h"

void ArcadeMap::Update(std::int32_t elapsed) {
    GameMap::Update(elapsed);
    // The clock runs only while a game runs, and stands while a ball flies and after loading.
    if (GameValues().GameState != 0 || MapState == kIntroAfterLoad) {
        return;
    }
    if (GetShooter() != nullptr && GetShooter()->flying) {
        return;
    }
    ElapsedTime += elapsed;
    if (ElapsedTime > kTimeStep) {
        --NumMovesLeft;
        ElapsedTime = 0;
        // At the hard level the count can already lie below -1 after a drop: every step then brings a line.
        if (NumMovesLeft <= -1) {
            StartLineDrop();
        }
    }
}

void ArcadeMap::Reset(bool fill) {
    GameMap::Reset(fill);
    ElapsedTime = 0;
}
