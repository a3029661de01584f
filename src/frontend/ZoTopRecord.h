// One line of a high-score table: who played, what they scored, and how visible the line is on screen.
#pragma once

#include <cstdint>
#include <string>

struct ZoTopRecord {
    std::string playerName;
    // Difficulty, level, episode and time are part of the file but the game leaves them empty.
    std::string difficulty;
    std::int32_t score = 0;
    std::int32_t level = 0;
    std::int32_t episode = 0;
    std::int32_t time = 0;
    // The score dialog's fade-in value (0 to 255); never written to the file.
    std::int32_t alpha = 0;
};
