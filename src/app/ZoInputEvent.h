// The one input record: each window message about the mouse or keyboard is translated into it.
#pragma once

#include "ZoPoint2D.h"
#include "ZoVector.h"

#include <cstdint>

class ZoInputEvent {
public:
    // Devices.
    static constexpr std::int32_t kDeviceNone = 0;
    static constexpr std::int32_t kDeviceKeyboard = 1;
    static constexpr std::int32_t kDeviceMouse = 2;
    static constexpr std::int32_t kDevicePad = 3;
    // Message codes (the window system's values); kNoMessage when the record holds no event.
    static constexpr std::int32_t kNoMessage = -1;
    static constexpr std::int32_t kKeyDown = 0x100;
    static constexpr std::int32_t kKeyUp = 0x101;
    static constexpr std::int32_t kChar = 0x102;
    static constexpr std::int32_t kMouseMove = 0x200;
    static constexpr std::int32_t kLeftButtonDown = 0x201;
    static constexpr std::int32_t kLeftButtonUp = 0x202;
    static constexpr std::int32_t kRightButtonDown = 0x204;
    static constexpr std::int32_t kRightButtonUp = 0x205;
    // Game pads: key holds the pad button (1 A, 2 B, 3 X, 4 Y, 5 Back, 6 Start, 7-10 up, down, left, right);
    // the stick message carries the stick's x in stick.
    static constexpr std::int32_t kPadButtonDown = 0x8001;
    static constexpr std::int32_t kPadButtonUp = 0x8002;
    static constexpr std::int32_t kPadStick = 0x8003;
    // Released buttons.
    static constexpr std::int32_t kReleasedNone = 0;
    static constexpr std::int32_t kReleasedLeft = 1;
    static constexpr std::int32_t kReleasedRight = 2;

    // Fills the record from one message; true when it became an event for the active screen.
    // Mouse messages carry the frame position as x | y << 16 in lParam; key messages the code in wParam.
    bool Translate(std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam);
    // No event: device 0, released button 0, message -1, key 0. Positions stay.
    void Clear();

    ZoVector position;              // mouse position of the last move, frame pixels; z stays 0
    std::int32_t buttonMessage = 0; // the last button message translated
    std::int32_t device = kDeviceNone;
    std::int32_t releasedButton = kReleasedNone;
    std::int32_t message = 0;   // starts at 0 like the rest of a fresh record
    ZoVector eventPosition;     // mouse position at the time of this event
    std::uint8_t key = 0;       // virtual-key code for key down, character for char, pad button
    // The virtual-key code of a key up (which is otherwise no event), for what is held down; else 0.
    std::uint8_t releasedKey = 0;
    float stick = 0.0f;         // the pad stick's x from -1 to 1, kept from its last message
    ZoCell cursorPoint;         // integer pointer position at the last move
    ZoCell previousCursorPoint; // the one before
    // Whether the game's window has the focus; messages for an unfocused window are not translated.
    bool windowActive = true;
};
