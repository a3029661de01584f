// The board values the whole game shares: grid size, ball radius, walls, ceiling and the game state.
#pragma once

#include <cstdint>

class ZoSoundManager;

// The grid arrays and the saved game hold at most this many columns and rows.
inline constexpr std::int32_t kMaxGridCells = 20;
inline constexpr std::int32_t kBubbleColours = 6;

struct GameGlobals {
    std::int32_t xMax = 0;
    std::int32_t yMax = 0;
    std::int32_t BubbleRadius = 0;
    std::int32_t LeftWallX = 0;
    std::int32_t CeilingY = 0;
    std::int32_t RightWallX = 0;
    // 0 running, 2 just lost, 3 no game, 4 board just cleared, 5 completion panel shown.
    std::int32_t GameState = 3;
    // Flips with every falling ball so only every other one makes a sound.
    bool fallSoundToggle = false;
    // Where the board's effects go; null means the game's own sound manager.
    ZoSoundManager* soundOutput = nullptr;
};

// The one set of board values of the process.
GameGlobals& GameValues();

// Plays one effect of the game's sound table through the current output.
void PlayGameSound(std::int32_t id);

// The cursor tint (red, green, blue) that goes with each ball colour.
struct BubbleTint {
    std::int32_t red;
    std::int32_t green;
    std::int32_t blue;
};
BubbleTint TintOfBubble(std::int32_t bubbleId);

// Sound effect numbers of the game's table.
namespace GameSound {
inline constexpr std::int32_t FireBall = 10;
inline constexpr std::int32_t StopBall = 11;
inline constexpr std::int32_t BallDelete = 12;
inline constexpr std::int32_t ColorRemove = 101;
inline constexpr std::int32_t LineFall = 102;
inline constexpr std::int32_t LoadColorEnd = 103;
inline constexpr std::int32_t HitWall = 104;
inline constexpr std::int32_t Swap = 110;
} // namespace GameSound
