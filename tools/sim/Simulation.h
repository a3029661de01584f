// Replays a script against the real game screen, headless, and prints what happens.
#pragma once

#include "SimScript.h"
#include "ZoInputEvent.h"

#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class Game;
class ZoWindowManager;

class Simulation {
public:
    static constexpr const char* kPlayer = "Sim";

    explicit Simulation(std::ostream& out);
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // The game screen beside a stand-in menu, the profile "Sim" whose saved game holds savedGame, the
    // difficulty, the game's Load, the seed and the colour intro. False, with a message, when the game
    // refuses the saved game.
    bool SetUp(const std::string& savedGame, const SimScript& script, std::string& error);
    void Run(const SimScript& script);

private:
    // One frame as the application runs it, with the frame time fixed at dt.
    void Frame();
    // Frames while keepGoing holds, for at most limit ms of game time; the game time they took.
    template <typename Condition> std::int32_t RunWhile(Condition keepGoing, std::int32_t limit);
    void Send(std::int32_t message, std::int32_t x, std::int32_t y);
    // A left button down and up at (x, y), without moving the mouse.
    void Click(std::int32_t x, std::int32_t y);
    bool InGame() const;
    bool CanFire() const;
    bool ShotSettled() const;
    // Frames until the colour intro of a new or loaded game is over; the tables are looked at afresh.
    void StartWatching();

    void Fire();
    void Menu();
    // The state, with the board one line per row, or all on one line with the number of rows in use.
    void Print(bool board);
    std::string Recorded() const;
    void ReportErrors();

    std::ostream& out_;
    ZoInputEvent record_;
    std::unique_ptr<ZoWindowManager> windows_;
    Game* game_ = nullptr;
    std::int32_t dt_ = 16;
    std::int32_t aimX_ = 400;
    std::int32_t aimY_ = 300;
    std::int32_t shots_ = 0;
    // Scores in each table when the current game began.
    std::map<std::int32_t, std::vector<std::int32_t>> tableAtStart_;
    std::vector<std::string> errors_;
};
