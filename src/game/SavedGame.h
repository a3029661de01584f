// The saved game of a profile: what a running game is reduced to, its text tree file, and the way back.
#pragma once

#include "GameGlobals.h"

#include <cstdint>
#include <string>

class GameMap;
class Shooter;
class ZoTextTree;

class SavedGame {
public:
    // The board is always written as 20 columns of 20 rows, column by column.
    static constexpr std::int32_t kGridSide = kMaxGridCells;
    static constexpr std::int32_t kGridBytes = kGridSide * kGridSide;
    static constexpr char kEmptyCell = '1';
    static constexpr char kFirstColourCell = '2'; // the character of colour 0
    static constexpr unsigned char kOutsideCell = 255;
    static constexpr char kGridSeparator = ',';

    // Takes the state of a running game; false when the launcher or the next ball is missing.
    bool Capture(std::int32_t gameId, const GameMap& map, const Shooter& shooter);
    void ToTree(ZoTextTree& tree) const;
    // Atomic write, creating the save folder first. False when nothing could be written.
    bool Write(const std::string& path) const;

    // Reads and checks the file; false (nothing usable) when it cannot be read or is refused.
    bool Read(const std::string& path);
    // The check itself: refuses what no game could have written, clamps counters into range.
    bool FromTree(ZoTextTree& tree);
    // Puts the balls on the board, the counters into the map and the two balls into the launcher.
    // The map must be fresh from a set-up of the saved mode. Returns the number of balls placed.
    std::int32_t Restore(GameMap& map, Shooter& shooter) const;

    // The character a cell is saved as (colour id or empty).
    static char CellCharacter(std::int32_t bubbleId) {
        return static_cast<char>(kFirstColourCell + bubbleId);
    }

    std::int32_t playerBubbleId = 0;
    std::int32_t nextPlayerBubbleId = 0;
    std::int32_t score = 0;
    std::int32_t gameId = 0;
    std::int32_t tripleBonus = 0;
    std::int32_t longestCombo = 0;
    std::int32_t elapsedTime = 0;
    std::int32_t numMovesLeft = 0;
    std::int32_t numBeginMoves = 0;
    std::int32_t nextNumBeginMoves = 0;
    std::int32_t numAddLines = 1;
    std::int32_t numAddedeLines = 0;
    // kGridBytes characters, cell (x, y) at x * kGridSide + y.
    std::string cells;
};
