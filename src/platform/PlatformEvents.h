// Window and input events turned into the window-system messages the game's input record understands.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// Message codes, the values of the window system the game was written against.
namespace PlatformMessageCode {
inline constexpr std::uint32_t kSize = 0x0005;      // wParam: kSizeRestored, kSizeMinimised, kSizeMaximised
inline constexpr std::uint32_t kActivate = 0x0006;  // wParam: 1 focus gained, 0 focus lost
inline constexpr std::uint32_t kPaint = 0x000F;     // the window's contents were lost and must be shown again
inline constexpr std::uint32_t kClose = 0x0010;     // the player asked to close the window
inline constexpr std::uint32_t kQuit = 0x0012;      // ends the message loop; posted by PostQuit
inline constexpr std::uint32_t kKeyDown = 0x0100;   // wParam: virtual-key code
inline constexpr std::uint32_t kKeyUp = 0x0101;     // wParam: virtual-key code
inline constexpr std::uint32_t kChar = 0x0102;      // wParam: 8-bit character
inline constexpr std::uint32_t kMouseMove = 0x0200; // lParam: x | y << 16 in frame pixels
inline constexpr std::uint32_t kLeftDown = 0x0201;
inline constexpr std::uint32_t kLeftUp = 0x0202;
inline constexpr std::uint32_t kRightDown = 0x0204;
inline constexpr std::uint32_t kRightUp = 0x0205;
// Game pads, in the range the window system leaves to applications.
inline constexpr std::uint32_t kPadButtonDown = 0x8001; // wParam: a PlatformPadButton
inline constexpr std::uint32_t kPadButtonUp = 0x8002;   // wParam: a PlatformPadButton
inline constexpr std::uint32_t kPadStick = 0x8003;      // wParam: the left stick's x, -1000 to 1000

inline constexpr std::uint32_t kSizeRestored = 0;
inline constexpr std::uint32_t kSizeMinimised = 1;
inline constexpr std::uint32_t kSizeMaximised = 2;
} // namespace PlatformMessageCode

// Virtual-key codes of the keys the game cares about (letters and digits are their ASCII capitals).
namespace PlatformVirtualKey {
inline constexpr std::uint8_t kBackspace = 8;
inline constexpr std::uint8_t kTab = 9;
inline constexpr std::uint8_t kReturn = 13;
inline constexpr std::uint8_t kShift = 16;
inline constexpr std::uint8_t kControl = 17;
inline constexpr std::uint8_t kAlt = 18;
inline constexpr std::uint8_t kEscape = 27;
inline constexpr std::uint8_t kSpace = 32;
inline constexpr std::uint8_t kLeft = 37;
inline constexpr std::uint8_t kUp = 38;
inline constexpr std::uint8_t kRight = 39;
inline constexpr std::uint8_t kDown = 40;
inline constexpr std::uint8_t kDelete = 46;
} // namespace PlatformVirtualKey

// The buttons of a game pad the game tells apart (A at the bottom of the four face buttons).
namespace PlatformPadButton {
inline constexpr std::uint32_t kA = 1;
inline constexpr std::uint32_t kB = 2;
inline constexpr std::uint32_t kX = 3;
inline constexpr std::uint32_t kY = 4;
inline constexpr std::uint32_t kBack = 5;
inline constexpr std::uint32_t kStart = 6;
inline constexpr std::uint32_t kUp = 7;
inline constexpr std::uint32_t kDown = 8;
inline constexpr std::uint32_t kLeft = 9;
inline constexpr std::uint32_t kRight = 10;
} // namespace PlatformPadButton

struct PlatformMessage {
    std::uint32_t message = 0;
    std::uint32_t wParam = 0;
    std::uint32_t lParam = 0;
};

// Maps a window pixel to the 800 x 600 frame; the video layer installs the letterbox-aware mapping.
using PlatformFrameMapper = std::function<void(int windowX, int windowY, int& frameX, int& frameY)>;

class PlatformEvents {
public:
    static constexpr int kFrameWidth = 800;
    static constexpr int kFrameHeight = 600;

    // Brings up the platform's event queue (and text input); the destructor takes it down again.
    PlatformEvents();
    ~PlatformEvents();
    PlatformEvents(const PlatformEvents&) = delete;
    PlatformEvents& operator=(const PlatformEvents&) = delete;

    bool Ready() const { return ready_; }
    // Takes the next message without waiting; false when none is waiting.
    bool Poll(PlatformMessage& out);
    // Waits up to timeoutMilliseconds for a message (the core sleeps meanwhile).
    bool Wait(PlatformMessage& out, std::uint32_t timeoutMilliseconds);
    // Queues kQuit behind the messages already taken from the platform.
    void PostQuit();
    // Drops notifications other parts of the game left unclaimed (they would wake Wait forever).
    // Call after every owner of such notifications had its turn.
    void DiscardUnclaimed();

    void SetFrameMapper(PlatformFrameMapper mapper) { mapper_ = std::move(mapper); }

    // Scripted input for headless runs and tests: each goes into the platform's own queue, so it
    // takes the same road as a real key or mouse event. Window coordinates for the mouse.
    static void InjectKey(std::uint8_t virtualKey, bool down, bool repeat = false);
    static void InjectText(const std::string& utf8);
    static void InjectMouseMove(int windowX, int windowY);
    static void InjectMouseButton(int button, bool down, int windowX, int windowY); // 1 left, 2 right
    static void InjectFocus(bool gained);
    static void InjectMinimise();
    static void InjectRestore();
    static void InjectClose();
    // A game pad made of software, plugged in and out and played like a real one: 0 and up, -1 when
    // the platform has none to give.
    static int AttachVirtualPad();
    static void DetachVirtualPad(int pad);
    static void SetVirtualPadButton(int pad, std::uint32_t button, bool down);
    static void SetVirtualPadStick(int pad, int x); // -32768 to 32767

private:
    friend class PlatformEventTranslator;

    bool Fill();
    bool Take(PlatformMessage& out);
    void Push(std::uint32_t message, std::uint32_t wParam = 0, std::uint32_t lParam = 0);
    // Maps and clamps to the frame; a button event away from the last move gets its own move first.
    void PushMouse(std::uint32_t message, int windowX, int windowY);

    void OpenPad(int deviceIndex);
    void ClosePad(std::int32_t instance);

    std::deque<PlatformMessage> pending_;
    std::vector<void*> pads_; // the open game controllers
    int stick_ = 0;
    PlatformFrameMapper mapper_;
    int lastFrameX_ = -1;
    int lastFrameY_ = -1;
    bool focused_ = true;
    bool ready_ = false;
    bool padsReady_ = false;
};
