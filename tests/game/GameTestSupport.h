// Shared set-up of the board tests: the real game data and device headless, boards drawn from text, sounds
// heard.
#pragma once

#include "ArcadeMap.h"
#include "GameMap.h"
#include "Shooter.h"

#include <memory>
#include <string>
#include <vector>

namespace gametest {

// Opens the headless device, the game's own archives of the build and loads the game sprites (once).
void EnsureGameWorld();

// Every effect the board asks for, in order, heard through a recording sound backend.
class SoundEar {
public:
    SoundEar();
    ~SoundEar();
    std::vector<int> Take();
    int Count(int id) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// A map and its launcher linked as the game links them, with the walls computed.
struct Board {
    explicit Board(bool arcade = false);
    ~Board();

    // Rows top first: '.' empty, '0'..'5' a ball of that colour. Earlier balls are removed.
    void Fill(const std::vector<std::string>& rows);
    BaseBubble* Put(int x, int y, int colour);
    // The board as text in the same form.
    std::vector<std::string> Rows() const;
    // Gives the launcher a ball of the colour and a next ball, ready to fire.
    void Load(int current, int next);
    // Aims at a screen point (as a mouse move would).
    void AimAt(float x, float y);
    void Fire();
    // Runs map updates of step ms until the ball has landed (at most limit ms); the time it took.
    int FlyUntilLanded(int step = 16, int limit = 5000);
    // Runs map updates until nothing falls any more.
    void SettleFalling(int step = 16);

    std::unique_ptr<GameMap> map;
    std::unique_ptr<Shooter> shooter;
};

} // namespace gametest
