#include "GameControls.h"

#include "PlatformEvents.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int32_t kPad = 256;
// Keys: arrows, space, tab, escape and P; pad: A, B, X, Start and the cross (pad buttons above the keys).
namespace Key = PlatformVirtualKey;
constexpr std::int32_t kLeft = Key::kLeft, kUp = Key::kUp, kRight = Key::kRight, kDown = Key::kDown,
                       kSpace = Key::kSpace, kTab = Key::kTab, kEscape = Key::kEscape, kP = 'P';
constexpr std::int32_t kPadA = kPad + PlatformPadButton::kA, kPadB = kPad + PlatformPadButton::kB,
                       kPadX = kPad + PlatformPadButton::kX, kPadStart = kPad + PlatformPadButton::kStart,
                       kPadLeft = kPad + PlatformPadButton::kLeft,
                       kPadRight = kPad + PlatformPadButton::kRight;

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
