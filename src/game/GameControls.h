// Keys and pads as the game screen feels them: what is held down (to turn the aim) and what a press asks for.
#pragma once

#include "ZoInputEvent.h"

#include <cstdint>
#include <set>

class GameControls {
public:
    enum class Action { None, Fire, Swap, Pause };

    // Turning starts slow for fine aiming and speeds up while held (radians per ms).
    static constexpr float kStartRate = 0.00035f;
    static constexpr float kTopRate = 0.0018f;
    static constexpr float kRateGrowth = 0.0000022f; // per ms held

    // Follows what is held (key ups included) and returns what this event asks of the game. A key that
    // repeats while held asks nothing again.
    Action Take(const ZoInputEvent& event);
    // How far to turn the aim in this frame: radians, positive to the right.
    float Turn(std::int32_t elapsed);
    // Forgets everything held: the window lost the keys, or the screen changed.
    void Release();

private:
    bool Held(std::int32_t code) const { return held_.count(code) != 0; }

    // Keys by virtual-key code, pad buttons as 256 + button.
    std::set<std::int32_t> held_;
    float stick_ = 0.0f;
    std::int32_t heldFor_ = 0;
};
