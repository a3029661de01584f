#include "PlatformEvents.h"

#include "PlatformTermination.h"

#include <SDL.h>
#include <algorithm>

namespace {

struct KeyPair {
    SDL_Keycode sdl;
    std::uint8_t virtualKey;
};

// Keys other than letters and digits; anything not listed is not passed on.
constexpr KeyPair kKeyTable[] = {
    {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},
    {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},
    {SDLK_RSHIFT, 16},
    {SDLK_LCTRL, 17},
    {SDLK_RCTRL, 17},
    {SDLK_LALT, 18},
    {SDLK_RALT, 18},
    {SDLK_PAUSE, 19},
    {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},
    {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},
    {SDLK_HOME, 36},
    {SDLK_LEFT, 37},
    {SDLK_UP, 38},
    {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},
    {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},
    {SDLK_KP_0, 0x60},
    {SDLK_KP_1, 0x61},
    {SDLK_KP_2, 0x62},
    {SDLK_KP_3, 0x63},
    {SDLK_KP_4, 0x64},
    {SDLK_KP_5, 0x65},
    {SDLK_KP_6, 0x66},
    {SDLK_KP_7, 0x67},
    {SDLK_KP_8, 0x68},
    {SDLK_KP_9, 0x69},
    {SDLK_KP_MULTIPLY, 0x6A},
    {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},
    {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_F1, 0x70},
    {SDLK_F2, 0x71},
    {SDLK_F3, 0x72},
    {SDLK_F4, 0x73},
    {SDLK_F5, 0x74},
    {SDLK_F6, 0x75},
    {SDLK_F7, 0x76},
    {SDLK_F8, 0x77},
    {SDLK_F9, 0x78},
    {SDLK_F10, 0x79},
    {SDLK_F11, 0x7A},
    {SDLK_F12, 0x7B},
    {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},
    {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},
    {SDLK_SLASH, 0xBF},
    {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC},
    {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
};

std::uint8_t VirtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z)
        return static_cast<std::uint8_t>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return static_cast<std::uint8_t>('0' + (key - SDLK_0));
    for (const KeyPair& pair : kKeyTable)
        if (pair.sdl == key)
            return pair.virtualKey;
    return 0;
}

SDL_Keycode KeycodeOf(std::uint8_t virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return SDLK_a + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9')
        return SDLK_0 + (virtualKey - '0');
    for (const KeyPair& pair : kKeyTable)
        if (pair.virtualKey == virtualKey)
            return pair.sdl;
    return SDLK_UNKNOWN;
}

// The window system turns these key presses into characters of their own; text input does not.
std::uint32_t CharacterOfKeyDown(std::uint8_t virtualKey) {
    switch (virtualKey) {
    case PlatformVirtualKey::kBackspace:
    case PlatformVirtualKey::kReturn:
    case PlatformVirtualKey::kEscape:
        return virtualKey;
    default:
        return 0;
    }
}

// UTF-8 to the game's 8-bit text: code points up to 255 are Latin-1 bytes, others cannot be shown.
void DecodeUtf8(const char* text, std::deque<std::uint32_t>& codes) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    while (*bytes != 0) {
        std::uint32_t code = *bytes;
        int extra = 0;
        if (code >= 0xF0)
            extra = 3, code &= 0x07;
        else if (code >= 0xE0)
            extra = 2, code &= 0x0F;
        else if (code >= 0xC0)
            extra = 1, code &= 0x1F;
        else if (code >= 0x80) { // a stray continuation byte
            ++bytes;
            continue;
        }
        ++bytes;
        bool valid = true;
        for (int i = 0; i < extra; ++i) {
            if ((*bytes & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (*bytes & 0x3F);
            ++bytes;
        }
        if (valid && code >= 0x20 && code <= 0xFF && code != 0x7F)
            codes.push_back(code);
    }
}

struct PadPair {
    SDL_GameControllerButton sdl;
    std::uint32_t button;
};

// Pad buttons by the controller's own names; the rest are not passed on.
constexpr PadPair kPadTable[] = {
    {SDL_CONTROLLER_BUTTON_A, PlatformPadButton::kA},
    {SDL_CONTROLLER_BUTTON_B, PlatformPadButton::kB},
    {SDL_CONTROLLER_BUTTON_X, PlatformPadButton::kX},
    {SDL_CONTROLLER_BUTTON_Y, PlatformPadButton::kY},
    {SDL_CONTROLLER_BUTTON_BACK, PlatformPadButton::kBack},
    {SDL_CONTROLLER_BUTTON_START, PlatformPadButton::kStart},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PlatformPadButton::kUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PlatformPadButton::kDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PlatformPadButton::kLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PlatformPadButton::kRight},
};

std::uint32_t PadButtonOf(Uint8 button) {
    for (const PadPair& pair : kPadTable)
        if (pair.sdl == button)
            return pair.button;
    return 0;
}

SDL_GameControllerButton ControllerButtonOf(std::uint32_t button) {
    for (const PadPair& pair : kPadTable)
        if (pair.button == button)
            return pair.sdl;
    return SDL_CONTROLLER_BUTTON_INVALID;
}

// The stick's x as -1000 to 1000: a quarter of its travel is the rest a worn stick never leaves.
int StickValue(Sint16 raw) {
    constexpr int kRest = 8192;
    const int magnitude = raw < 0 ? -static_cast<int>(raw) : static_cast<int>(raw);
    if (magnitude <= kRest)
        return 0;
    const int scaled = (std::min(magnitude, 32767) - kRest) * 1000 / (32767 - kRest);
    return raw < 0 ? -scaled : scaled;
}

// The virtual pads of this process, opened for setting their state.
std::vector<SDL_Joystick*>& VirtualPads() {
    static std::vector<SDL_Joystick*> pads;
    return pads;
}

// One of them by its number; null when there is none (or it was detached).
SDL_Joystick* VirtualPad(int pad) {
    const std::vector<SDL_Joystick*>& pads = VirtualPads();
    return pad >= 0 && pad < static_cast<int>(pads.size()) ? pads[static_cast<std::size_t>(pad)] : nullptr;
}

Uint32 GameWindowId() {
    SDL_Window* window = SDL_GetKeyboardFocus();
    if (window == nullptr)
        window = SDL_GetMouseFocus();
    return window != nullptr ? SDL_GetWindowID(window) : 0;
}

void PushWindowEvent(Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    event.window.windowID = GameWindowId();
    SDL_PushEvent(&event);
}

} // namespace

class PlatformEventTranslator {
public:
    static void Translate(PlatformEvents& events, const SDL_Event& event) {
        using namespace PlatformMessageCode;
        switch (event.type) {
        case SDL_QUIT:
            events.Push(kClose);
            break;
        case SDL_WINDOWEVENT:
            TranslateWindow(events, event.window.event);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const std::uint8_t key = VirtualKeyOf(event.key.keysym.sym);
            if (key == 0)
                break;
            events.Push(event.type == SDL_KEYDOWN ? kKeyDown : kKeyUp, key);
            if (event.type == SDL_KEYDOWN && CharacterOfKeyDown(key) != 0)
                events.Push(kChar, CharacterOfKeyDown(key));
            break;
        }
        case SDL_TEXTINPUT: {
            std::deque<std::uint32_t> codes;
            DecodeUtf8(event.text.text, codes);
            for (std::uint32_t code : codes)
                events.Push(kChar, code);
            break;
        }
        case SDL_CONTROLLERDEVICEADDED:
            events.OpenPad(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            events.ClosePad(event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (const std::uint32_t button = PadButtonOf(event.cbutton.button))
                events.Push(event.type == SDL_CONTROLLERBUTTONDOWN ? kPadButtonDown : kPadButtonUp, button);
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
                // Only changes the game can feel: a resting stick sends nothing.
                const int value = StickValue(event.caxis.value);
                if (value != events.stick_) {
                    events.stick_ = value;
                    events.Push(kPadStick, static_cast<std::uint32_t>(value));
                }
            }
            break;
        case SDL_MOUSEMOTION:
            events.PushMouse(kMouseMove, event.motion.x, event.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const bool down = event.type == SDL_MOUSEBUTTONDOWN;
            // A click on the window makes it the active one, as it always does on the window system
            // the game was written for; without a window manager nobody else would say so.
            if (down && !events.focused_) {
                events.focused_ = true;
                events.Push(kActivate, 1);
            }
            if (event.button.button == SDL_BUTTON_LEFT)
                events.PushMouse(down ? kLeftDown : kLeftUp, event.button.x, event.button.y);
            else if (event.button.button == SDL_BUTTON_RIGHT)
                events.PushMouse(down ? kRightDown : kRightUp, event.button.x, event.button.y);
            break;
        }
        default:
            break;
        }
    }

private:
    static void TranslateWindow(PlatformEvents& events, Uint8 what) {
        using namespace PlatformMessageCode;
        switch (what) {
        case SDL_WINDOWEVENT_MINIMIZED:
            events.Push(kSize, kSizeMinimised);
            break;
        case SDL_WINDOWEVENT_RESTORED:
            events.Push(kSize, kSizeRestored);
            break;
        case SDL_WINDOWEVENT_MAXIMIZED:
            events.Push(kSize, kSizeMaximised);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            events.focused_ = true;
            events.Push(kActivate, 1);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            events.focused_ = false;
            events.Push(kActivate, 0);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            events.Push(kPaint);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            events.Push(kClose);
            break;
        default:
            break;
        }
    }
};

PlatformEvents::PlatformEvents() {
    ready_ = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
    if (ready_)
        SDL_StartTextInput();
    // Pads are welcome but never required; pads already plugged in announce themselves as added. Whether a
    // press counts is the input record's decision, which follows the window's focus; the platform would
    // otherwise drop the presses of a window it never saw focused (a headless run).
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    padsReady_ = ready_ && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

PlatformEvents::~PlatformEvents() {
    for (void* pad : pads_)
        SDL_GameControllerClose(static_cast<SDL_GameController*>(pad));
    if (padsReady_)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    if (ready_)
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

void PlatformEvents::OpenPad(int deviceIndex) {
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (pad == nullptr)
        return;
    // A pad already open announces itself again at start-up: it is opened once.
    for (void* open : pads_) {
        if (open == pad) {
            SDL_GameControllerClose(pad);
            return;
        }
    }
    pads_.push_back(pad);
}

void PlatformEvents::ClosePad(std::int32_t instance) {
    for (auto it = pads_.begin(); it != pads_.end(); ++it) {
        auto* pad = static_cast<SDL_GameController*>(*it);
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == instance) {
            SDL_GameControllerClose(pad);
            pads_.erase(it);
            break;
        }
    }
    // A pad pulled out while its stick was pushed must not keep turning the aim.
    if (stick_ != 0) {
        stick_ = 0;
        Push(PlatformMessageCode::kPadStick, 0);
    }
}

void PlatformEvents::Push(std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam) {
    pending_.push_back({message, wParam, lParam});
}

void PlatformEvents::PushMouse(std::uint32_t message, int windowX, int windowY) {
    int frameX = windowX;
    int frameY = windowY;
    if (mapper_)
        mapper_(windowX, windowY, frameX, frameY);
    frameX = std::clamp(frameX, 0, kFrameWidth - 1);
    frameY = std::clamp(frameY, 0, kFrameHeight - 1);
    // The input record places a click at the last move, as the window system always reports a move
    // before a click elsewhere; the platform does not, so the move is made up here.
    if (message != PlatformMessageCode::kMouseMove && (frameX != lastFrameX_ || frameY != lastFrameY_))
        PushMouse(PlatformMessageCode::kMouseMove, windowX, windowY);
    lastFrameX_ = frameX;
    lastFrameY_ = frameY;
    const auto lParam = static_cast<std::uint32_t>(frameX) | (static_cast<std::uint32_t>(frameY) << 16);
    Push(message, 0, lParam);
}

bool PlatformEvents::Fill() {
    // A termination signal ends the loop as a quit does, without asking the screens first.
    if (PlatformTermination::Instance().TakeRequest())
        Push(PlatformMessageCode::kQuit);
    if (!ready_)
        return !pending_.empty();
    SDL_PumpEvents();
    SDL_Event event;
    // Only the platform's own events; notifications of other parts of the game (user events) stay
    // queued for their owners.
    while (pending_.empty() &&
           SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_USEREVENT - 1) == 1)
        PlatformEventTranslator::Translate(*this, event);
    return !pending_.empty();
}

bool PlatformEvents::Take(PlatformMessage& out) {
    if (pending_.empty())
        return false;
    out = pending_.front();
    pending_.pop_front();
    return true;
}

bool PlatformEvents::Poll(PlatformMessage& out) {
    if (pending_.empty())
        Fill();
    return Take(out);
}

bool PlatformEvents::Wait(PlatformMessage& out, std::uint32_t timeoutMilliseconds) {
    if (Poll(out))
        return true;
    if (!ready_)
        return false;
    // Wakes for any event, ours or not; only ours come back as a message.
    SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMilliseconds));
    return Poll(out);
}

void PlatformEvents::PostQuit() {
    Push(PlatformMessageCode::kQuit);
}

void PlatformEvents::DiscardUnclaimed() {
    if (ready_)
        SDL_FlushEvents(SDL_USEREVENT, SDL_LASTEVENT);
}

void PlatformEvents::InjectKey(std::uint8_t virtualKey, bool down, bool repeat) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.windowID = GameWindowId();
    event.key.keysym.sym = KeycodeOf(virtualKey);
    event.key.keysym.scancode = SDL_GetScancodeFromKey(event.key.keysym.sym);
    SDL_PushEvent(&event);
}

void PlatformEvents::InjectText(const std::string& utf8) {
    // SDL's text event holds at most 31 bytes; longer texts go in pieces, never splitting a character.
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = std::min(utf8.size(), start + SDL_TEXTINPUTEVENT_TEXT_SIZE - 1);
        while (end < utf8.size() && end > start && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            --end;
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = GameWindowId();
        std::copy(utf8.begin() + static_cast<std::ptrdiff_t>(start),
                  utf8.begin() + static_cast<std::ptrdiff_t>(end), event.text.text);
        SDL_PushEvent(&event);
        start = end;
    }
}

void PlatformEvents::InjectMouseMove(int windowX, int windowY) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = GameWindowId();
    event.motion.x = windowX;
    event.motion.y = windowY;
    SDL_PushEvent(&event);
}

void PlatformEvents::InjectMouseButton(int button, bool down, int windowX, int windowY) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = GameWindowId();
    event.button.button = static_cast<Uint8>(button == 2 ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = windowX;
    event.button.y = windowY;
    SDL_PushEvent(&event);
}

void PlatformEvents::InjectFocus(bool gained) {
    PushWindowEvent(gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST);
}

void PlatformEvents::InjectMinimise() {
    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
}

void PlatformEvents::InjectRestore() {
    PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
}

void PlatformEvents::InjectClose() {
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
}

int PlatformEvents::AttachVirtualPad() {
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0)
        return -1;
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Virtual pad";
    const int device = SDL_JoystickAttachVirtualEx(&desc);
    SDL_Joystick* joystick = device >= 0 ? SDL_JoystickOpen(device) : nullptr;
    if (joystick == nullptr)
        return -1;
    VirtualPads().push_back(joystick);
    return static_cast<int>(VirtualPads().size()) - 1;
}

void PlatformEvents::DetachVirtualPad(int pad) {
    SDL_Joystick* joystick = VirtualPad(pad);
    if (joystick == nullptr)
        return;
    const SDL_JoystickID instance = SDL_JoystickInstanceID(joystick);
    SDL_JoystickClose(joystick);
    VirtualPads()[static_cast<std::size_t>(pad)] = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == instance)
            SDL_JoystickDetachVirtual(i);
}

void PlatformEvents::SetVirtualPadButton(int pad, std::uint32_t button, bool down) {
    if (SDL_Joystick* joystick = VirtualPad(pad))
        SDL_JoystickSetVirtualButton(joystick, ControllerButtonOf(button), down ? SDL_PRESSED : SDL_RELEASED);
}

void PlatformEvents::SetVirtualPadStick(int pad, int x) {
    if (SDL_Joystick* joystick = VirtualPad(pad))
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX,
                                   static_cast<Sint16>(std::clamp(x, -32768, 32767)));
}
