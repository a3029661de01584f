// The interface sounds the widgets and panels play, and where they go.
#pragma once

#include <cstdint>

class ZoSoundManager;

class ZoGuiSound {
public:
    // Effect ids of the sound table.
    static constexpr std::int32_t kFocus = 1;       // "ButtonGetFocus"
    static constexpr std::int32_t kClick = 2;       // "ButtonClick"
    static constexpr std::int32_t kOpenDialog = 3;  // "OpenDialog"
    static constexpr std::int32_t kCloseDialog = 4; // "CloseDialog"
    static constexpr std::int32_t kType = 5;        // "Type"

    // Plays through the chosen manager, the game's own one unless another was set.
    static void Play(std::int32_t id);
    // Null goes back to the game's manager; tests listen through a recording one.
    static void SetOutput(ZoSoundManager* manager);
};
