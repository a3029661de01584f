#include "SavedGame.h"

#include "ArcadeMap.h"
#include "GameMap.h"
#include "GameSprites.h"
#include "Shooter.h"
#include "ZoAtomicFile.h"
#include "ZoTextTree.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
// Bounds for the line counters of an edited file; hard games really do write negative move counts.
constexpr std::int32_t kMostMoves = 20;
constexpr std::int32_t kMostLines = 1 + kBubbleColours;

bool IsColour(std::int32_t id) {
    return id >= 0 && id < kBubbleColours;
}

// The saved score is a float in the file: read it with full precision and keep it in range.
std::int32_t ScoreOf(const ZoTextTree& tree) {
    const auto found = tree.Values().find("Score");
    if (found == tree.Values().end()) {
        return 0;
    }
    const double value = std::strtod(found->second.c_str(), nullptr);
    if (!(value > 0.0)) { // also NaN
        return 0;
    }
    if (value >= static_cast<double>(kLargest)) {
        return kLargest;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

bool SavedGame::Capture(std::int32_t id, const GameMap& map, const Shooter& shooter) {
    const BaseBubble* current = shooter.CurrentBubble();
    const BaseBubble* next = map.NextBubble();
    if (current == nullptr || next == nullptr) {
        return false;
    }
    playerBubbleId = current->BubbleID;
    nextPlayerBubbleId = next->BubbleID;
    score = map.score;
    gameId = id;
    tripleBonus = map.TripleBonus;
    longestCombo = map.LongestCombo;
    elapsedTime = map.ElapsedTime;
    numMovesLeft = map.NumMovesLeft;
    numBeginMoves = map.NumBeginMoves;
    nextNumBeginMoves = map.NextNumBeginMoves;
    numAddLines = map.NumAddLines;
    numAddedeLines = map.NumAddedeLines;
    cells.assign(kGridBytes, static_cast<char>(kOutsideCell));
    const GameGlobals& values = GameValues();
    for (std::int32_t x = 0; x < values.xMax; ++x) {
        for (std::int32_t y = 0; y < values.yMax; ++y) {
            const BaseBubble* bubble = map.Bubble(x, y);
            cells[static_cast<std::size_t>(x * kGridSide + y)] =
                bubble != nullptr ? CellCharacter(bubble->BubbleID) : kEmptyCell;
        }
    }
    return true;
}

void SavedGame::ToTree(ZoTextTree& tree) const {
    tree.SetInt("PlayerBubbleID", playerBubbleId);
    tree.SetInt("NextPlayerBubbleID", nextPlayerBubbleId);
    // The file keeps the score as an unsigned float.
    tree.SetFloat("Score", static_cast<float>(static_cast<std::uint32_t>(score)));
    tree.SetInt("GameID", gameId);
    tree.SetInt("TripleBonus", tripleBonus);
    tree.SetInt("LongestCombo", longestCombo);
    tree.SetInt("ElapsedTime", elapsedTime);
    tree.SetInt("NumMovesLeft", numMovesLeft);
    tree.SetInt("NumBeginMoves", numBeginMoves);
    tree.SetInt("NextNumBeginMoves", nextNumBeginMoves);
    tree.SetInt("NumAddLines", numAddLines);
    tree.SetInt("NumAddedeLines", numAddedeLines);
    std::string grid = cells;
    grid.resize(kGridBytes, static_cast<char>(kOutsideCell));
    tree.SetCharGrid("Map", grid, kGridSide, kGridSide, kGridSeparator);
}

bool SavedGame::Write(const std::string& path) const {
    ZoTextTree tree;
    ToTree(tree);
    ZoAtomicFile::CreateParentFolders(path);
    return tree.Save(path) == 0;
}

bool SavedGame::Read(const std::string& path) {
    ZoTextTree tree;
    if (tree.LoadFile(path) != 0) {
        return false;
    }
    return FromTree(tree);
}

bool SavedGame::FromTree(ZoTextTree& tree) {
    gameId = tree.GetInt("GameID", 0);
    playerBubbleId = tree.GetInt("PlayerBubbleID", 0);
    nextPlayerBubbleId = tree.GetInt("NextPlayerBubbleID", 0);
    // A mode we do not know, or launcher balls of no colour, describe no game we could continue.
    if ((gameId != 0 && gameId != 1) || !IsColour(playerBubbleId) || !IsColour(nextPlayerBubbleId)) {
        return false;
    }
    int columns = 0;
    int rows = 0;
    cells = tree.GetCharGrid("Map", columns, rows, kGridSeparator, std::string());
    if (columns != kGridSide || rows != kGridSide || cells.size() != static_cast<std::size_t>(kGridBytes)) {
        return false;
    }
    bool anyBall = false;
    for (const char c : cells) {
        const auto byte = static_cast<unsigned char>(c);
        const bool ball = c >= kFirstColourCell && c < kFirstColourCell + kBubbleColours;
        if (!ball && c != kEmptyCell && byte != kOutsideCell) {
            return false;
        }
        anyBall = anyBall || ball;
    }
    // A game without a ball on the board has already been won; its file would have been emptied.
    if (!anyBall) {
        return false;
    }
    score = ScoreOf(tree);
    tripleBonus = std::clamp(tree.GetInt("TripleBonus", 0), 0, kLargest);
    longestCombo = std::clamp(tree.GetInt("LongestCombo", 0), 0, kLargest);
    elapsedTime = std::clamp(tree.GetInt("ElapsedTime", 0), 0, ArcadeMap::kTimeStep);
    numMovesLeft = std::clamp(tree.GetInt("NumMovesLeft", 0), -kMostMoves, kMostMoves);
    numBeginMoves = std::clamp(tree.GetInt("NumBeginMoves", 0), -kMostMoves, kMostMoves);
    nextNumBeginMoves = std::clamp(tree.GetInt("NextNumBeginMoves", 0), -kMostMoves, kMostMoves);
    numAddLines = std::clamp(tree.GetInt("NumAddLines", 0), 1, kMostLines);
    numAddedeLines = std::clamp(tree.GetInt("NumAddedeLines", 0), 0, numAddLines - 1);
    return true;
}

std::int32_t SavedGame::Restore(GameMap& map, Shooter& shooter) const {
    GameSprites& sprites = GameSprites::Instance();
    const GameGlobals& values = GameValues();
    std::int32_t placed = 0;
    for (std::int32_t x = 0; x < values.xMax && x < kGridSide; ++x) {
        for (std::int32_t y = 0; y < values.yMax && y < kGridSide; ++y) {
            const std::size_t at = static_cast<std::size_t>(x * kGridSide + y);
            const std::int32_t colour = at < cells.size() ? cells[at] - kFirstColourCell : -1;
            // Anything but a colour leaves the cell empty (a smaller board of an older file included).
            if (!IsColour(colour)) {
                continue;
            }
            std::unique_ptr<BaseBubble> bubble = sprites.MakeBubble(colour);
            bubble->position = map.CellToPixel(x, y);
            bubble->restPosition = bubble->position;
            bubble->velocity = ZoVector();
            if (map.Layer() != nullptr) {
                bubble->EnterLayer(map.Layer());
            }
            map.SetBubble(x, y, std::move(bubble));
            ++placed;
        }
    }
    map.RefreshColours();
    map.score = score;
    map.TripleBonus = tripleBonus;
    map.LongestCombo = longestCombo;
    map.NumMovesLeft = numMovesLeft;
    map.NumBeginMoves = numBeginMoves;
    map.NextNumBeginMoves = nextNumBeginMoves;
    map.NumAddLines = numAddLines;
    map.NumAddedeLines = numAddedeLines;
    map.ElapsedTime = elapsedTime;

    std::unique_ptr<BaseBubble> current = sprites.MakeBubble(playerBubbleId);
    current->position =
        ZoVector(static_cast<float>(map.xPlayerPos), static_cast<float>(map.yPlayerPos), 0.0f);
    shooter.SetCurrentBubble(std::move(current));
    std::unique_ptr<BaseBubble> next = sprites.MakeBubble(nextPlayerBubbleId);
    next->Restart();
    map.SetNextBubble(std::move(next));
    map.MapState = GameMap::kIntroAfterLoad;
    return placed;
}
