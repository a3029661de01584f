#include "GameControls.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int32_t kPad = 256;
// Keys: arrows, space, tab, escape and P; pad: A, B, X, Start and the cross.
constexpr std::int32_t kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kSpace = 32, kTab = 9, kEscape = 27,
                       kP = 'P';
constexpr std::int32_t kPadA = kPad + 1, kPadB = kPad + 2, kPadX = kPad + 3, kPadStart = kPad + 6,
                       kPadLeft = kPad + 9, kPadRight = kPad + 10;

GameControls::Action ActionOf(std::int32_t code) {
    switch (code) {
    case kUp:
    case kSpace:
    case kPadA:
        return GameControls::Action::Fire;
    case kDown:
    case kTab:
    case kPadB:
    case kPadX:
        return GameControls::Action::Swap;
    case kEscape:
    case kP:
    case kPadStart:
        return GameControls::Action::Pause;
    default:
        return GameControls::Action::None;
    }
}

} // namespace

GameControls::Action GameControls::Take(const ZoInputEvent& event) {
    if (event.releasedKey != 0) {
        held_.erase(event.releasedKey);
        return Action::None;
    }
    std::int32_t pressed = 0;
    switch (event.message) {
    case ZoInputEvent::kKeyDown:
        pressed = event.key;
        break;
    case ZoInputEvent::kPadButtonDown:
        pressed = kPad + event.key;
        break;
    case ZoInputEvent::kPadButtonUp:
        held_.erase(kPad + event.key);
        return Action::None;
    case ZoInputEvent::kPadStick:
        stick_ = std::clamp(event.stick, -1.0f, 1.0f);
        return Action::None;
    default:
        return Action::None;
    }
    if (!held_.insert(pressed).second) {
        return Action::None; // a repeat
    }
    return ActionOf(pressed);
}

float GameControls::Turn(std::int32_t elapsed) {
    const int direction = (Held(kRight) || Held(kPadRight) ? 1 : 0) - (Held(kLeft) || Held(kPadLeft) ? 1 : 0);
    if (direction == 0) {
        heldFor_ = 0;
        // The stick turns as far as it is pushed, gently near its middle.
        return stick_ * std::fabs(stick_) * kTopRate * static_cast<float>(elapsed);
    }
    const float rate = std::min(kTopRate, kStartRate + kRateGrowth * static_cast<float>(heldFor_));
    heldFor_ += elapsed;
    return static_cast<float>(direction) * rate * static_cast<float>(elapsed);
}

void GameControls::Release() {
    held_.clear();
    stick_ = 0.0f;
    heldFor_ = 0;
}
