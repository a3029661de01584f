// The game screen headless: a real Game registered with a window manager next to a stand-in menu, a
// profile, fresh high-score tables, a seeded generator, the game's sounds heard, and the scenario boards.
#pragma once

#include "Game.h"
#include "SoundTestData.h"
#include "TestFiles.h"
#include "ZoInputEvent.h"
#include "ZoWindowManager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gametest {
// Hears the game's effects.
std::unique_ptr<SoundEar> GameEar();
} // namespace gametest

class GameScreenTest : public ::testing::Test {
protected:
    static constexpr const char* kPlayer = "Ann";

    void SetUp() override;
    void TearDown() override;

    // One frame as the loop runs it: the pending command, then the update.
    void Frame(std::int32_t ms = 16);
    // Frames until the predicate holds (at most limit frames); the number of frames run.
    template <typename Predicate> int RunUntil(Predicate done, int limit = 20000) {
        for (int i = 0; i < limit; ++i) {
            if (done()) {
                return i;
            }
            Frame();
        }
        return limit;
    }
    void Send(ZoInputEvent event) { game->OnEvent(event); }
    // Continues the scenario board tests/game/scenarios/NAME.Zos as the player's saved game; the
    // colours have appeared when it returns.
    void LoadBoard(const std::string& name);
    // Aims at (x, y) with a real mouse move and releases the left button there.
    void Fire(int x, int y);
    // Frames until nothing flies, falls or drops any more (or the game has ended).
    void Settle();

    std::string SaveFile() const;
    static std::string Scenarios();

    GameMap& Map() { return *game->Map(); }
    Shooter& Launcher() { return *game->GetShooter(); }

    ZoInputEvent record;
    std::unique_ptr<ZoWindowManager> windows;
    Game* game = nullptr;
    std::unique_ptr<SoundEar> ear;
    // Error boxes shown during the test.
    std::vector<std::string> errors;
    // Each test runs in a fresh folder of its own: test processes run side by side and share a player name.
    std::string previousFolder;
    std::string folder;
};
