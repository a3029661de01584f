#include "ZoInputEvent.h"

void ZoInputEvent::Clear() {
    device = kDeviceNone;
    releasedButton = kReleasedNone;
    message = kNoMessage;
    key = 0;
    releasedKey = 0;
}

bool ZoInputEvent::Translate(std::uint32_t windowMessage, std::uint32_t wParam, std::uint32_t lParam) {
    if (!windowActive)
        return false;
    Clear();
    switch (static_cast<std::int32_t>(windowMessage)) {
    case kKeyDown:
    case kChar:
    case kPadButtonDown:
    case kPadButtonUp:
        message = static_cast<std::int32_t>(windowMessage);
        device = message == kPadButtonDown || message == kPadButtonUp ? kDevicePad : kDeviceKeyboard;
        key = static_cast<std::uint8_t>(wParam & 0xFFu);
        return true;
    case kKeyUp:
        releasedKey = static_cast<std::uint8_t>(wParam & 0xFFu);
        return true; // dispatched as "no event", as the screens expect
    case kPadStick:
        device = kDevicePad;
        message = kPadStick;
        stick = static_cast<float>(static_cast<std::int32_t>(wParam)) / 1000.0f;
        return true;
    case kMouseMove: {
        const auto x = static_cast<std::int32_t>(lParam & 0xFFFFu);
        const auto y = static_cast<std::int32_t>((lParam >> 16) & 0xFFFFu);
        previousCursorPoint = cursorPoint;
        cursorPoint = ZoCell(x, y);
        position.x = static_cast<float>(x);
        position.y = static_cast<float>(y);
        device = kDeviceMouse;
        message = kMouseMove;
        eventPosition = position;
        return true;
    }
    case kLeftButtonDown:
    case kLeftButtonUp:
    case kRightButtonUp:
        // Clicks happen where the last move left the mouse; lParam is not read.
        buttonMessage = static_cast<std::int32_t>(windowMessage);
        device = kDeviceMouse;
        message = buttonMessage;
        if (buttonMessage == kLeftButtonUp)
            releasedButton = kReleasedLeft;
        else if (buttonMessage == kRightButtonUp)
            releasedButton = kReleasedRight;
        eventPosition = position;
        return true;
    default:
        return false; // right press, other buttons, wheel and everything else
    }
}
