#include "PlatformVideo.h"

#include "PlatformTermination.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

bool VideoSprite::operator==(const VideoSprite& o) const
{
    return texture == o.texture && sourceLeft == o.sourceLeft && sourceTop == o.sourceTop &&
           sourceWidth == o.sourceWidth && sourceHeight == o.sourceHeight && scaleX == o.scaleX &&
           scaleY == o.scaleY && centreX == o.centreX && centreY == o.centreY && angle == o.angle && x == o.x &&
           y == o.y && colour == o.colour;
}

namespace {

struct TextureRecord {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // kept so a lost renderer can be given the texture back
    SDL_Texture* texture = nullptr;
};

constexpr double kRadiansToDegrees = 57.29577951308232;

} // namespace

struct PlatformVideo::State {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* frame = nullptr;
    bool videoInitialised = false;
    bool watching = false;
    bool windowed = true;
    bool texturesLost = false;
    std::string title;
    std::uint64_t generation = 1;
    VideoTextureId nextTexture = 1;
    std::map<VideoTextureId, TextureRecord> textures;

    bool Upload(TextureRecord& record)
    {
        if (renderer == nullptr) {
            return false;
        }
        if (record.texture != nullptr) {
            SDL_DestroyTexture(record.texture);
            record.texture = nullptr;
        }
        // Same layout as the frame, so untinted sprites take the renderer's fast blending path.
        record.texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                           record.width, record.height);
        if (record.texture == nullptr) {
            return false;
        }
        std::vector<std::uint8_t> converted(record.pixels.size());
        SDL_ConvertPixels(record.width, record.height, SDL_PIXELFORMAT_RGBA32, record.pixels.data(),
                          record.width * 4, SDL_PIXELFORMAT_ARGB8888, converted.data(), record.width * 4);
        SDL_UpdateTexture(record.texture, nullptr, converted.data(), record.width * 4);
        SDL_SetTextureBlendMode(record.texture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(record.texture, SDL_ScaleModeLinear);
        return true;
    }

    bool CreateFrame()
    {
        if (frame != nullptr) {
            SDL_DestroyTexture(frame);
        }
        frame = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, kFrameWidth,
                                  kFrameHeight);
        if (frame == nullptr) {
            return false;
        }
        SDL_SetTextureBlendMode(frame, SDL_BLENDMODE_NONE);
        SDL_SetTextureScaleMode(frame, SDL_ScaleModeLinear);
        return true;
    }

    void UploadAll()
    {
        for (auto& entry : textures) {
            Upload(entry.second);
        }
    }

    // Letterbox placement of the frame inside an area of the given size.
    static SDL_Rect Letterbox(int width, int height)
    {
        SDL_Rect r{0, 0, kFrameWidth, kFrameHeight};
        if (width <= 0 || height <= 0) {
            return r;
        }
        const double scale =
            std::min(static_cast<double>(width) / kFrameWidth, static_cast<double>(height) / kFrameHeight);
        r.w = std::max(1, static_cast<int>(std::lround(kFrameWidth * scale)));
        r.h = std::max(1, static_cast<int>(std::lround(kFrameHeight * scale)));
        r.x = (width - r.w) / 2;
        r.y = (height - r.h) / 2;
        return r;
    }
};

namespace {

// Hidden until the renderer exists: making a GL renderer replaces the window, and a close request the
// player (or window manager) sent to the first one would be lost with it.
Uint32 WindowFlags(bool windowed)
{
    return windowed ? SDL_WINDOW_HIDDEN : (SDL_WINDOW_HIDDEN | SDL_WINDOW_FULLSCREEN_DESKTOP);
}

// Runs as events are queued: anything that may have spoilt the shown picture forces the next present.
int WatchEvents(void* userData, SDL_Event* event)
{
    auto* state = static_cast<PlatformVideo::State*>(userData);
    switch (event->type) {
    case SDL_RENDER_DEVICE_RESET:
        state->texturesLost = true;
        ++state->generation;
        break;
    case SDL_RENDER_TARGETS_RESET:
        ++state->generation;
        break;
    case SDL_WINDOWEVENT:
        switch (event->window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            ++state->generation;
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return 1;
}

} // namespace

PlatformVideo& PlatformVideo::Instance()
{
    static PlatformVideo video;
    return video;
}

PlatformVideo::PlatformVideo() : state_(std::make_unique<State>()) {}

// Shut-down closes the window itself. Reaching here with it still open means the process is leaving in a
// hurry (exit from inside the window system, a lost display): talking to the display now may never return.
PlatformVideo::~PlatformVideo() = default;

bool PlatformVideo::IsDisplayDriver(const std::string& driver)
{
    // Drivers that put a window on a real screen; offscreen, dummy and the like draw for nobody.
    static const char* const kDisplayDrivers[] = {"x11",     "wayland", "KMSDRM", "windows", "winrt", "cocoa",
                                                  "uikit",   "Android", "haiku",  "RPI",     "vivante",
                                                  "emscripten"};
    for (const char* name : kDisplayDrivers) {
        if (SDL_strcasecmp(driver.c_str(), name) == 0) {
            return true;
        }
    }
    return false;
}

bool PlatformVideo::AcceptsDriver(const std::string& driver, bool askedFor)
{
    return askedFor || IsDisplayDriver(driver);
}

bool PlatformVideo::OpenWindow(const std::string& title, bool windowed)
{
    if (state_->window != nullptr) {
        CloseWindow();
    }
    if (!state_->videoInitialised) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            return false;
        }
        // When no display answers SDL quietly falls back to a driver that shows nothing; a game
        // running invisibly is worse than one that does not start.
        const char* current = SDL_GetCurrentVideoDriver();
        const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER); // SDL_VIDEODRIVER from the environment
        const std::string driver = current != nullptr ? current : "";
        if (!AcceptsDriver(driver, asked != nullptr && asked[0] != '\0')) {
            std::fprintf(stderr, "Korrik Shooter: no display to open a window on (video driver \"%s\").\n",
                         driver.c_str());
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return false;
        }
        state_->videoInitialised = true;
        if (driver == "x11") {
            PlatformTermination::WatchDisplayConnection();
        }
    }
    if (!state_->watching) {
        SDL_AddEventWatch(WatchEvents, state_.get());
        state_->watching = true;
    }
    state_->title = title;
    state_->windowed = windowed;
    const Uint32 flags = WindowFlags(windowed);
    state_->window = SDL_CreateWindow(title.c_str(), 64, 64, kFrameWidth, kFrameHeight, flags);
    ++state_->generation;
    return state_->window != nullptr;
}

void PlatformVideo::CloseWindow()
{
    DestroyRenderer();
    if (state_->window != nullptr) {
        SDL_DestroyWindow(state_->window);
        state_->window = nullptr;
    }
    if (state_->watching) {
        SDL_DelEventWatch(WatchEvents, state_.get());
        state_->watching = false;
    }
    if (state_->videoInitialised) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        state_->videoInitialised = false;
    }
}

bool PlatformVideo::IsWindowOpen() const { return state_->window != nullptr; }

bool PlatformVideo::IsWindowed() const { return state_->windowed; }

bool PlatformVideo::CreateRenderer()
{
    if (state_->window == nullptr) {
        return false;
    }
    DestroyRenderer();
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool headless = driver != nullptr && std::strcmp(driver, "dummy") == 0;
    if (!headless) {
        state_->renderer =
            SDL_CreateRenderer(state_->window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    }
    if (state_->renderer == nullptr) {
        // Headless runs and machines without acceleration draw in software, into the window surface.
        state_->renderer = SDL_CreateRenderer(state_->window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (state_->renderer == nullptr || !state_->CreateFrame()) {
        DestroyRenderer();
        return false;
    }
    SDL_ShowWindow(state_->window);
    state_->texturesLost = false;
    state_->UploadAll();
    SDL_SetRenderTarget(state_->renderer, state_->frame);
    SDL_SetRenderDrawColor(state_->renderer, 0, 0, 0, 255);
    SDL_RenderClear(state_->renderer);
    ++state_->generation;
    return true;
}

void PlatformVideo::DestroyRenderer()
{
    for (auto& entry : state_->textures) {
        if (entry.second.texture != nullptr && state_->renderer != nullptr) {
            SDL_DestroyTexture(entry.second.texture);
        }
        entry.second.texture = nullptr;
    }
    if (state_->frame != nullptr) {
        SDL_DestroyTexture(state_->frame);
        state_->frame = nullptr;
    }
    if (state_->renderer != nullptr) {
        SDL_DestroyRenderer(state_->renderer);
        state_->renderer = nullptr;
    }
}

bool PlatformVideo::HasRenderer() const { return state_->renderer != nullptr; }

bool PlatformVideo::RecreateWindow(bool windowed)
{
    const bool hadRenderer = HasRenderer();
    DestroyRenderer();
    if (state_->window != nullptr) {
        SDL_DestroyWindow(state_->window);
        state_->window = nullptr;
    }
    state_->windowed = windowed;
    const Uint32 flags = WindowFlags(windowed);
    state_->window = SDL_CreateWindow(state_->title.c_str(), 64, 64, kFrameWidth, kFrameHeight, flags);
    if (state_->window == nullptr) {
        return false;
    }
    return hadRenderer ? CreateRenderer() : true;
}

VideoTextureId PlatformVideo::CreateTexture(const std::uint8_t* rgba, int width, int height)
{
    if (rgba == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        return 0;
    }
    TextureRecord record;
    record.width = width;
    record.height = height;
    record.pixels.assign(rgba, rgba + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4u);
    if (state_->renderer != nullptr && !state_->Upload(record)) {
        return 0;
    }
    const VideoTextureId id = state_->nextTexture++;
    state_->textures.emplace(id, std::move(record));
    return id;
}

void PlatformVideo::DestroyTexture(VideoTextureId texture)
{
    auto found = state_->textures.find(texture);
    if (found == state_->textures.end()) {
        return;
    }
    if (found->second.texture != nullptr && state_->renderer != nullptr) {
        SDL_DestroyTexture(found->second.texture);
    }
    state_->textures.erase(found);
}

int PlatformVideo::TextureCount() const { return static_cast<int>(state_->textures.size()); }

bool PlatformVideo::TextureSize(VideoTextureId texture, int& width, int& height) const
{
    auto found = state_->textures.find(texture);
    if (found == state_->textures.end()) {
        return false;
    }
    width = found->second.width;
    height = found->second.height;
    return true;
}

bool PlatformVideo::BeginFrame()
{
    if (state_->renderer == nullptr) {
        return false;
    }
    if (state_->texturesLost) {
        state_->texturesLost = false;
        state_->CreateFrame();
        state_->UploadAll();
    }
    SDL_SetRenderTarget(state_->renderer, state_->frame);
    SDL_SetRenderDrawColor(state_->renderer, 0, 0, 0, 255);
    SDL_RenderClear(state_->renderer);
    return true;
}

void PlatformVideo::DrawSprite(const VideoSprite& sprite)
{
    if (state_->renderer == nullptr) {
        return;
    }
    auto found = state_->textures.find(sprite.texture);
    if (found == state_->textures.end() || found->second.texture == nullptr) {
        return;
    }
    SDL_Texture* texture = found->second.texture;
    // Source rectangle clipped to the picture, as the sprite batch clamps texture addresses.
    SDL_Rect source{sprite.sourceLeft, sprite.sourceTop, sprite.sourceWidth, sprite.sourceHeight};
    if (source.w <= 0 || source.h <= 0) {
        return;
    }
    const float width = std::fabs(sprite.scaleX) * static_cast<float>(source.w);
    const float height = std::fabs(sprite.scaleY) * static_cast<float>(source.h);
    if (!(width > 0.0f) || !(height > 0.0f) || !std::isfinite(width) || !std::isfinite(height) ||
        !std::isfinite(sprite.x) || !std::isfinite(sprite.y) || !std::isfinite(sprite.angle) ||
        !std::isfinite(sprite.centreX) || !std::isfinite(sprite.centreY)) {
        return;
    }
    const float offsetX = sprite.scaleX < 0.0f ? -width : 0.0f;
    const float offsetY = sprite.scaleY < 0.0f ? -height : 0.0f;
    const SDL_FRect destination{sprite.x + offsetX, sprite.y + offsetY, width, height};
    const SDL_FPoint centre{sprite.centreX - offsetX, sprite.centreY - offsetY};
    int flip = SDL_FLIP_NONE;
    if (sprite.scaleX < 0.0f) {
        flip |= SDL_FLIP_HORIZONTAL;
    }
    if (sprite.scaleY < 0.0f) {
        flip |= SDL_FLIP_VERTICAL;
    }
    SDL_SetTextureColorMod(texture, static_cast<Uint8>((sprite.colour >> 16) & 0xFFu),
                           static_cast<Uint8>((sprite.colour >> 8) & 0xFFu), static_cast<Uint8>(sprite.colour & 0xFFu));
    SDL_SetTextureAlphaMod(texture, static_cast<Uint8>((sprite.colour >> 24) & 0xFFu));
    const double degrees = static_cast<double>(sprite.angle) * kRadiansToDegrees;
    SDL_RenderCopyExF(state_->renderer, texture, &source, &destination, degrees, &centre,
                      static_cast<SDL_RendererFlip>(flip));
}

void PlatformVideo::PresentFrame()
{
    if (state_->renderer == nullptr) {
        return;
    }
    SDL_SetRenderTarget(state_->renderer, nullptr);
    SDL_SetRenderDrawColor(state_->renderer, 0, 0, 0, 255);
    SDL_RenderClear(state_->renderer);
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(state_->renderer, &width, &height);
    const SDL_Rect box = State::Letterbox(width, height);
    SDL_RenderCopy(state_->renderer, state_->frame, nullptr, &box);
    SDL_RenderPresent(state_->renderer);
}

std::uint64_t PlatformVideo::Generation() { return state_->generation; }

std::vector<std::uint8_t> PlatformVideo::ReadFramePixels()
{
    std::vector<std::uint8_t> pixels;
    if (state_->renderer == nullptr || state_->frame == nullptr) {
        return pixels;
    }
    pixels.resize(static_cast<std::size_t>(kFrameWidth) * kFrameHeight * 4u);
    SDL_Texture* previous = SDL_GetRenderTarget(state_->renderer);
    SDL_SetRenderTarget(state_->renderer, state_->frame);
    if (SDL_RenderReadPixels(state_->renderer, nullptr, SDL_PIXELFORMAT_RGBA32, pixels.data(), kFrameWidth * 4) !=
        0) {
        pixels.clear();
    }
    SDL_SetRenderTarget(state_->renderer, previous);
    return pixels;
}

void PlatformVideo::MapToFrame(int windowX, int windowY, int& frameX, int& frameY) const
{
    int width = kFrameWidth;
    int height = kFrameHeight;
    if (state_->window != nullptr) {
        SDL_GetWindowSize(state_->window, &width, &height);
    }
    const SDL_Rect box = State::Letterbox(width, height);
    const long long x = static_cast<long long>(windowX - box.x) * kFrameWidth / box.w;
    const long long y = static_cast<long long>(windowY - box.y) * kFrameHeight / box.h;
    frameX = static_cast<int>(std::clamp<long long>(x, 0, kFrameWidth - 1));
    frameY = static_cast<int>(std::clamp<long long>(y, 0, kFrameHeight - 1));
}

VideoWindowRect PlatformVideo::WindowRect() const
{
    VideoWindowRect rect;
    if (state_->window == nullptr) {
        return rect;
    }
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition(state_->window, &x, &y);
    SDL_GetWindowSize(state_->window, &width, &height);
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    if (SDL_GetWindowBordersSize(state_->window, &top, &left, &bottom, &right) != 0) {
        top = left = bottom = right = 0;
    }
    rect.left = x - left;
    rect.top = y - top;
    rect.right = x + width + right;
    rect.bottom = y + height + bottom;
    return rect;
}

bool PlatformVideo::MouseInClientArea() const
{
    if (state_->window == nullptr) {
        return false;
    }
    int mouseX = 0;
    int mouseY = 0;
    SDL_GetGlobalMouseState(&mouseX, &mouseY);
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition(state_->window, &x, &y);
    SDL_GetWindowSize(state_->window, &width, &height);
    return mouseX >= x && mouseX < x + width && mouseY >= y && mouseY < y + height;
}

void PlatformVideo::ShowSystemCursor(bool show)
{
    if (state_->videoInitialised) {
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
    }
}
