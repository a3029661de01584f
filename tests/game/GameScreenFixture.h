// The game screen headless: a real Game registered with a window manager next to a stand-in menu, a
// profile, fresh high-score tables, a seeded generator, sounds heard, and shots aimed by the test.
#pragma once

#include "Game.h"
#include "GameTestSupport.h"
#include "ZoInputEvent.h"
#include "ZoWindowManager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

class GameScreenTest : public ::testing::Test {
protected:
    static constexpr const char* kPlayer = "Ann";

    void SetUp() override;
    void TearDown() override;

    // One frame as the loop runs it: the pending command, then the update.
    void Frame(std::int32_t ms = 16);
    // Frames until the predicate holds (at most limit frames); the number of frames run.
    template <typename Predicate> int RunUntil(Predicate done, int limit = 20000, std::int32_t ms = 16) {
        for (int i = 0; i < limit; ++i) {
            if (done()) {
                return i;
            }
            Frame(ms);
        }
        return limit;
    }
    void Send(ZoInputEvent event) { game->OnEvent(event); }
    // Frames until the board takes a shot (intro over, nothing flying, falling or dropping, reloaded).
    void WaitUntilReady();
    // Aims (real mouse moves) until a target cell fits the wish, gives the launcher a ball of a fitting
    // board colour and fires with a real release. A miss lands touching no ball of its colour; a hit makes
    // a group of three or more. False when no aim fits.
    bool Shoot(bool hit);
    // A new game of the mode with its colour intro played out.
    void StartGame(bool arcade, std::int32_t difficulty);

    std::string SaveFile() const;
    static std::string ReadBytes(const std::string& path);
    static void WriteBytes(const std::string& path, const std::string& bytes);

    GameMap& Map() { return *game->Map(); }
    Shooter& Launcher() { return *game->GetShooter(); }

    ZoInputEvent record;
    std::unique_ptr<ZoWindowManager> windows;
    Game* game = nullptr;
    std::unique_ptr<gametest::SoundEar> ear;
    std::string tableFolder;
    // Each test runs in a fresh folder of its own: test processes run side by side and share a player name.
    std::string previousFolder;
    std::string folder;
};
