#include "PlatformVideo.h"

#include "PlatformTermination.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <unistd.h>

bool VideoSprite::operator==(const VideoSprite& o) const {
    return texture == o.texture && sourceLeft == o.sourceLeft && sourceTop == o.sourceTop &&
           sourceWidth == o.sourceWidth && sourceHeight == o.sourceHeight && scaleX == o.scaleX &&
           scaleY == o.scaleY && centreX == o.centreX && centreY == o.centreY && angle == o.angle && x == o.x &&
           y == o.y && colour == o.colour;
}

namespace {

struct TextureRecord {
    int width = 0;
    int height = 0;
    bool uniform = false; // one colour throughout: stretching it gives the same pixels under any clip
    SDL_Texture* texture = nullptr;
};

constexpr double kRadiansToDegrees = 57.29577951308232;
// Rasterisers round positions and filter edges: a sprite may touch this many pixels beyond its quad.
constexpr int kBoundsMargin = 2;
constexpr ZoRect kWholeFrame{0, 0, PlatformVideo::kFrameWidth, PlatformVideo::kFrameHeight};

SDL_Rect ToSdl(const ZoRect& r) { return SDL_Rect{r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// The sprite in SDL's terms: the quad before turning, the turning centre inside it, flips and angle.
struct Placement {
    SDL_Rect source{};
    SDL_FRect destination{};
    SDL_FPoint centre{};
    int flip = SDL_FLIP_NONE;
    double degrees = 0.0;
};

bool Place(const VideoSprite& sprite, Placement& out) {
    out.source = SDL_Rect{sprite.sourceLeft, sprite.sourceTop, sprite.sourceWidth, sprite.sourceHeight};
    if (out.source.w <= 0 || out.source.h <= 0)
        return false;
    const float width = std::fabs(sprite.scaleX) * static_cast<float>(out.source.w);
    const float height = std::fabs(sprite.scaleY) * static_cast<float>(out.source.h);
    if (!(width > 0.0f) || !(height > 0.0f) || !std::isfinite(width) || !std::isfinite(height) ||
        !std::isfinite(sprite.x) || !std::isfinite(sprite.y) || !std::isfinite(sprite.angle) ||
        !std::isfinite(sprite.centreX) || !std::isfinite(sprite.centreY))
        return false;
    const float offsetX = sprite.scaleX < 0.0f ? -width : 0.0f;
    const float offsetY = sprite.scaleY < 0.0f ? -height : 0.0f;
    out.destination = SDL_FRect{sprite.x + offsetX, sprite.y + offsetY, width, height};
    out.centre = SDL_FPoint{sprite.centreX - offsetX, sprite.centreY - offsetY};
    out.flip = (sprite.scaleX < 0.0f ? SDL_FLIP_HORIZONTAL : 0) | (sprite.scaleY < 0.0f ? SDL_FLIP_VERTICAL : 0);
    out.degrees = static_cast<double>(sprite.angle) * kRadiansToDegrees;
    return true;
}

// SDL's software rasteriser stretches an unturned, unmirrored sprite straight into the target, and
// where a clip cuts such a sprite its samples shift: it must always be drawn whole.
bool StretchedStraight(const VideoSprite& sprite) {
    return sprite.scaleX > 0.0f && sprite.scaleY > 0.0f && (sprite.scaleX != 1.0f || sprite.scaleY != 1.0f) &&
           std::fmod(static_cast<double>(sprite.angle) * kRadiansToDegrees, 360.0) == 0.0;
}

// A stretched one-colour sprite gives the same pixels stretched over just the part of it inside the
// region, and SDL then never stretches the whole of it (a dialog's full-screen shade) into scratch
// memory first. SDL covers the pixels from the truncated position over the truncated size.
bool CropToRegion(Placement& placement, const ZoRect& region) {
    const SDL_FRect& d = placement.destination;
    const auto left = static_cast<std::int32_t>(d.x);
    const auto top = static_cast<std::int32_t>(d.y);
    const ZoRect covered =
        ZoRect{left, top, left + static_cast<std::int32_t>(d.w), top + static_cast<std::int32_t>(d.h)}
            .Intersection(region);
    if (covered.Empty())
        return false;
    placement.destination =
        SDL_FRect{static_cast<float>(covered.left), static_cast<float>(covered.top),
                  static_cast<float>(covered.right - covered.left), static_cast<float>(covered.bottom - covered.top)};
    return true;
}

bool IsUniform(const std::uint8_t* rgba, int width, int height) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (std::size_t i = 1; i < count; ++i) {
        if (std::memcmp(rgba, rgba + i * 4u, 4) != 0)
            return false;
    }
    return true;
}

// Hidden until the renderer exists: making a GL renderer replaces the window, and a close request the
// player (or window manager) sent to the first one would be lost with it. A full-screen window starts
// borderless over the whole desktop: the window manager maps it before it learns it is full screen,
// and a captioned window would flash up first.
SDL_Window* MakeWindow(const std::string& title, bool windowed) {
    if (windowed)
        return SDL_CreateWindow(title.c_str(), 64, 64, PlatformVideo::kFrameWidth, PlatformVideo::kFrameHeight,
                                SDL_WINDOW_HIDDEN);
    SDL_Rect desktop{0, 0, PlatformVideo::kFrameWidth, PlatformVideo::kFrameHeight};
    SDL_GetDisplayBounds(0, &desktop);
    return SDL_CreateWindow(title.c_str(), desktop.x, desktop.y, desktop.w, desktop.h,
                            SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_FULLSCREEN_DESKTOP);
}

bool HasGpuDevice() {
#ifdef __linux__
    return access("/dev/dri", F_OK) == 0 || access("/dev/nvidia0", F_OK) == 0;
#else
    return true;
#endif
}

// A GL renderer that rasterises on the processor (Mesa's llvmpipe, as under Xvfb or in most virtual
// machines) draws and uploads the whole window every frame: the software path is far cheaper there.
bool RendersOnTheProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE) != 0)
        return true;
    if (info.name == nullptr || std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kRendererName = 0x1F01;
    const unsigned char* name = getString != nullptr ? getString(kRendererName) : nullptr;
    if (name == nullptr)
        return false;
    const std::string text(reinterpret_cast<const char*>(name));
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
        if (text.find(software) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

struct PlatformVideo::State {
    SDL_Window* window = nullptr;
    bool videoInitialised = false;
    bool watching = false;
    bool windowed = true;
    std::string title;
    bool pathChosen = false; // for the current window
    bool pathForced = false;
    VideoPath path = VideoPath::Software;
    // Accelerated: the window's renderer draws the frame into a texture of its own.
    SDL_Renderer* windowRenderer = nullptr;
    SDL_Texture* frameTexture = nullptr;
    // Software: the frame is a surface of ours with SDL's software rasteriser on it. Neither belongs to
    // a window, so the pictures live through any number of windows without being made again.
    SDL_Surface* frameSurface = nullptr;
    SDL_Renderer* surfaceRenderer = nullptr;
    SDL_Surface* staging = nullptr; // window-sized, for window surfaces of another pixel layout
    SDL_Surface* shownSurface = nullptr;
    int shownWidth = 0;
    int shownHeight = 0;
    FrameScaler scaler;
    bool presenting = false;
    bool frameLost = true;
    bool windowLost = true;
    bool texturesLost = false;
    std::uint64_t generation = 1;
    VideoTextureId nextTexture = 1;
    std::map<VideoTextureId, TextureRecord> textures;
    TextureSource source;
    VideoFrameCost cost;
    // The window icon, kept to give every window made afresh (full screen and back) the same one.
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> icon{nullptr, SDL_FreeSurface};

    SDL_Window* NewWindow() {
        SDL_Window* made = MakeWindow(title, windowed);
        if (made != nullptr && icon != nullptr)
            SDL_SetWindowIcon(made, icon.get());
        return made;
    }

    SDL_Renderer* Rasteriser() const {
        return path == VideoPath::Accelerated ? windowRenderer : surfaceRenderer;
    }

    bool Upload(TextureRecord& record, const std::uint8_t* rgba) {
        SDL_Renderer* renderer = Rasteriser();
        if (renderer == nullptr)
            return false;
        // Same layout as the frame, so untinted sprites take the renderer's fast blending path.
        record.texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                           record.width, record.height);
        if (record.texture == nullptr)
            return false;
        std::vector<std::uint8_t> converted(static_cast<std::size_t>(record.width) * record.height * 4u);
        SDL_ConvertPixels(record.width, record.height, SDL_PIXELFORMAT_RGBA32, rgba, record.width * 4,
                          SDL_PIXELFORMAT_ARGB8888, converted.data(), record.width * 4);
        SDL_UpdateTexture(record.texture, nullptr, converted.data(), record.width * 4);
        SDL_SetTextureBlendMode(record.texture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(record.texture, SDL_ScaleModeLinear);
        return true;
    }

    // Every texture without pixels in the current rasteriser is read again from its source.
    void RestoreTextures() {
        std::vector<std::uint8_t> rgba;
        for (auto& [id, record] : textures) {
            if (record.texture != nullptr || !source)
                continue;
            rgba.clear();
            if (source(id, rgba) && rgba.size() == static_cast<std::size_t>(record.width) * record.height * 4u)
                Upload(record, rgba.data());
        }
    }

    void ForgetTextures() {
        for (auto& entry : textures) {
            if (entry.second.texture != nullptr)
                SDL_DestroyTexture(entry.second.texture);
            entry.second.texture = nullptr;
        }
    }

    bool CreateFrameTexture() {
        if (frameTexture != nullptr)
            SDL_DestroyTexture(frameTexture);
        frameTexture = SDL_CreateTexture(windowRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                         kFrameWidth, kFrameHeight);
        if (frameTexture == nullptr)
            return false;
        SDL_SetTextureBlendMode(frameTexture, SDL_BLENDMODE_NONE);
        SDL_SetTextureScaleMode(frameTexture, SDL_ScaleModeLinear);
        return true;
    }

    VideoPath ChoosePath() {
        const char* asked = SDL_getenv(kPathVariable);
        pathForced = false;
        if (asked != nullptr && SDL_strcasecmp(asked, "software") == 0) {
            pathForced = true;
            return VideoPath::Software;
        }
        if (asked != nullptr && SDL_strcasecmp(asked, "accelerated") == 0) {
            pathForced = true;
            return VideoPath::Accelerated;
        }
        const char* driver = SDL_GetCurrentVideoDriver();
        if (driver == nullptr || !IsDisplayDriver(driver) || !HasGpuDevice())
            return VideoPath::Software;
        return VideoPath::Accelerated;
    }

    bool CreateAccelerated() {
        windowRenderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        if (windowRenderer == nullptr && pathForced) // headless: SDL's own software renderer stands in
            windowRenderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        if (windowRenderer != nullptr && !pathForced && RendersOnTheProcessor(windowRenderer)) {
            SDL_DestroyRenderer(windowRenderer);
            windowRenderer = nullptr;
            // A window made for GL cannot show a plain surface everywhere: start with a fresh one.
            SDL_DestroyWindow(window);
            window = NewWindow();
        }
        if (windowRenderer == nullptr || !CreateFrameTexture()) {
            if (windowRenderer != nullptr)
                SDL_DestroyRenderer(windowRenderer);
            windowRenderer = nullptr;
            frameTexture = nullptr;
            return false;
        }
        return true;
    }

    bool CreateSoftware() {
        if (surfaceRenderer == nullptr) {
            frameSurface = SDL_CreateRGBSurfaceWithFormat(0, kFrameWidth, kFrameHeight, 32, SDL_PIXELFORMAT_ARGB8888);
            surfaceRenderer = frameSurface != nullptr ? SDL_CreateSoftwareRenderer(frameSurface) : nullptr;
        }
        // Left to itself SDL would put the window surface on a GL texture: the very cost avoided here.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        return surfaceRenderer != nullptr && window != nullptr;
    }

    void Rasterise(const std::vector<VideoSprite>& sprites, const std::vector<ZoRect>& bounds,
                   const std::vector<ZoRect>& regions) {
        SDL_Renderer* renderer = Rasteriser();
        if (path == VideoPath::Accelerated)
            SDL_SetRenderTarget(renderer, frameTexture);
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        Placement placement;
        for (const ZoRect& region : regions) {
            const SDL_Rect clip = ToSdl(region);
            SDL_RenderSetClipRect(renderer, &clip);
            SDL_RenderFillRect(renderer, &clip);
            for (std::size_t i = 0; i < sprites.size(); ++i) {
                if (!bounds[i].Intersects(region) || !Place(sprites[i], placement))
                    continue;
                auto found = textures.find(sprites[i].texture);
                if (found == textures.end() || found->second.texture == nullptr)
                    continue;
                if (found->second.uniform && StretchedStraight(sprites[i]) && !CropToRegion(placement, region))
                    continue;
                SDL_Texture* texture = found->second.texture;
                const std::uint32_t colour = sprites[i].colour;
                SDL_SetTextureColorMod(texture, static_cast<Uint8>(colour >> 16), static_cast<Uint8>(colour >> 8),
                                       static_cast<Uint8>(colour));
                SDL_SetTextureAlphaMod(texture, static_cast<Uint8>(colour >> 24));
                SDL_RenderCopyExF(renderer, texture, &placement.source, &placement.destination, placement.degrees,
                                  &placement.centre, static_cast<SDL_RendererFlip>(placement.flip));
            }
            cost.rasterised += region.Area();
        }
        SDL_RenderSetClipRect(renderer, nullptr);
        SDL_RenderFlush(renderer);
    }

    // Grows every region that cuts a stretched, non-uniform sprite until it holds the whole sprite.
    void KeepStretchedSpritesWhole(const std::vector<VideoSprite>& sprites, const std::vector<ZoRect>& bounds,
                                   std::vector<ZoRect>& regions) const {
        for (bool grown = true; grown;) {
            grown = false;
            for (std::size_t i = 0; i < sprites.size(); ++i) {
                if (!StretchedStraight(sprites[i]))
                    continue;
                auto found = textures.find(sprites[i].texture);
                if (found == textures.end() || found->second.uniform)
                    continue;
                const ZoRect whole = bounds[i].Intersection(kWholeFrame);
                for (ZoRect& region : regions) {
                    if (region.Intersects(whole) && region.Union(whole).Area() != region.Area()) {
                        region = region.Union(whole);
                        grown = true;
                    }
                }
            }
        }
    }

    void PresentAccelerated() {
        SDL_SetRenderTarget(windowRenderer, nullptr);
        SDL_SetRenderDrawColor(windowRenderer, 0, 0, 0, 255);
        SDL_RenderClear(windowRenderer);
        int width = 0;
        int height = 0;
        SDL_GetRendererOutputSize(windowRenderer, &width, &height);
        const SDL_Rect box = ToSdl(FrameScaler::Letterbox(width, height, kFrameWidth, kFrameHeight));
        SDL_RenderCopy(windowRenderer, frameTexture, nullptr, &box);
        SDL_RenderPresent(windowRenderer);
        cost.shown = std::int64_t{width} * height;
        windowLost = false;
    }

    void PresentSoftware(const std::vector<ZoRect>& regions) {
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        if (surface == nullptr)
            return;
        if (surface != shownSurface || surface->w != shownWidth || surface->h != shownHeight) {
            windowLost = true;
            shownSurface = surface;
            shownWidth = surface->w;
            shownHeight = surface->h;
        }
        scaler.Configure(kFrameWidth, kFrameHeight,
                         FrameScaler::Letterbox(surface->w, surface->h, kFrameWidth, kFrameHeight));
        // The window usually has the frame's own layout (X8R8G8B8): then it is written directly.
        const bool direct =
            surface->format->format == SDL_PIXELFORMAT_ARGB8888 || surface->format->format == SDL_PIXELFORMAT_RGB888;
        SDL_Surface* target = surface;
        if (!direct) {
            if (staging == nullptr || staging->w != surface->w || staging->h != surface->h) {
                SDL_FreeSurface(staging);
                staging = SDL_CreateRGBSurfaceWithFormat(0, surface->w, surface->h, 32, SDL_PIXELFORMAT_ARGB8888);
                if (staging == nullptr)
                    return;
            }
            target = staging;
        }
        if (SDL_MUSTLOCK(surface))
            SDL_LockSurface(surface);
        const auto* frame = static_cast<const std::uint32_t*>(frameSurface->pixels);
        const int framePitch = frameSurface->pitch / 4;
        auto* pixels = static_cast<std::uint32_t*>(target->pixels);
        const int pitch = target->pitch / 4;
        std::vector<SDL_Rect> shown;
        if (windowLost) {
            SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
            scaler.Show(frame, framePitch, pixels, pitch, kWholeFrame);
            shown.push_back(SDL_Rect{0, 0, surface->w, surface->h});
        } else {
            for (const ZoRect& region : regions) {
                const ZoRect area = scaler.Show(frame, framePitch, pixels, pitch, region);
                if (!area.Empty())
                    shown.push_back(ToSdl(area));
            }
        }
        if (SDL_MUSTLOCK(surface))
            SDL_UnlockSurface(surface);
        for (SDL_Rect& rect : shown) {
            if (!direct) {
                SDL_Rect to = rect;
                SDL_BlitSurface(staging, &rect, surface, &to);
            }
            cost.shown += std::int64_t{rect.w} * rect.h;
        }
        if (windowLost)
            SDL_UpdateWindowSurface(window);
        else if (!shown.empty())
            SDL_UpdateWindowSurfaceRects(window, shown.data(), static_cast<int>(shown.size()));
        windowLost = false;
    }
};

namespace {

// Runs as events are queued: anything that may have spoilt the shown picture forces the next present.
int WatchEvents(void* userData, SDL_Event* event) {
    auto* state = static_cast<PlatformVideo::State*>(userData);
    switch (event->type) {
    case SDL_RENDER_DEVICE_RESET:
        state->texturesLost = true;
        state->frameLost = true;
        ++state->generation;
        break;
    case SDL_RENDER_TARGETS_RESET:
        state->frameLost = true;
        ++state->generation;
        break;
    case SDL_WINDOWEVENT:
        switch (event->window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            state->windowLost = true;
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

PlatformVideo& PlatformVideo::Instance() {
    static PlatformVideo video;
    return video;
}

PlatformVideo::PlatformVideo() : state_(std::make_unique<State>()) {}

// Shut-down closes the window itself. Reaching here with it still open means the process is leaving in a
// hurry (exit from inside the window system, a lost display): talking to the display now may never return.
// The software frame and its pictures are plain memory, owned by no window, and go here.
PlatformVideo::~PlatformVideo() {
    if (state_->surfaceRenderer != nullptr)
        SDL_DestroyRenderer(state_->surfaceRenderer); // with every texture made on it
    SDL_FreeSurface(state_->frameSurface);
    SDL_FreeSurface(state_->staging);
}

bool PlatformVideo::IsDisplayDriver(const std::string& driver) {
    // Drivers that put a window on a real screen; offscreen, dummy and the like draw for nobody.
    static const char* const kDisplayDrivers[] = {"x11",     "wayland", "KMSDRM", "windows", "winrt", "cocoa",
                                                  "uikit",   "Android", "haiku",  "RPI",     "vivante",
                                                  "emscripten"};
    for (const char* name : kDisplayDrivers) {
        if (SDL_strcasecmp(driver.c_str(), name) == 0)
            return true;
    }
    return false;
}

bool PlatformVideo::AcceptsDriver(const std::string& driver, bool askedFor) {
    return askedFor || IsDisplayDriver(driver);
}

bool PlatformVideo::OpenWindow(const std::string& title, bool windowed) {
    if (state_->window != nullptr)
        CloseWindow();
    if (!state_->videoInitialised) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            return false;
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
        if (driver == "x11")
            PlatformTermination::WatchDisplayConnection();
    }
    if (!state_->watching) {
        SDL_AddEventWatch(WatchEvents, state_.get());
        state_->watching = true;
    }
    state_->title = title;
    state_->windowed = windowed;
    state_->window = state_->NewWindow();
    ++state_->generation;
    return state_->window != nullptr;
}

void PlatformVideo::CloseWindow() {
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
    state_->pathChosen = false; // the next window may be on another display
}

bool PlatformVideo::IsWindowOpen() const { return state_->window != nullptr; }

bool PlatformVideo::IsWindowed() const { return state_->windowed; }

bool PlatformVideo::CreateRenderer() {
    State& s = *state_;
    if (s.window == nullptr)
        return false;
    DestroyRenderer();
    if (!s.pathChosen) {
        const VideoPath chosen = s.ChoosePath();
        if (chosen != s.path)
            s.ForgetTextures(); // made for the other rasteriser: they come back from their source
        s.path = chosen;
        s.pathChosen = true;
    }
    if (s.path == VideoPath::Accelerated && !s.CreateAccelerated()) {
        // Whatever the pictures were made on is gone: they come back from their source.
        s.ForgetTextures();
        s.path = VideoPath::Software;
    }
    if (s.path == VideoPath::Software && !s.CreateSoftware())
        return false;
    SDL_ShowWindow(s.window);
    s.presenting = true;
    s.frameLost = true;
    s.windowLost = true;
    s.RestoreTextures();
    ++s.generation;
    return true;
}

void PlatformVideo::DestroyRenderer() {
    State& s = *state_;
    if (s.windowRenderer != nullptr) {
        s.ForgetTextures();
        if (s.frameTexture != nullptr)
            SDL_DestroyTexture(s.frameTexture);
        s.frameTexture = nullptr;
        SDL_DestroyRenderer(s.windowRenderer);
        s.windowRenderer = nullptr;
    }
    s.presenting = false;
    s.shownSurface = nullptr;
}

bool PlatformVideo::HasRenderer() const { return state_->presenting; }

VideoPath PlatformVideo::Path() const { return state_->path; }

bool PlatformVideo::RecreateWindow(bool windowed) {
    const bool hadRenderer = HasRenderer();
    DestroyRenderer();
    if (state_->window != nullptr) {
        SDL_DestroyWindow(state_->window);
        state_->window = nullptr;
    }
    state_->windowed = windowed;
    state_->window = state_->NewWindow();
    if (state_->window == nullptr)
        return false;
    return hadRenderer ? CreateRenderer() : true;
}

void PlatformVideo::SetWindowIcon(int width, int height, const std::vector<std::uint8_t>& rgba) {
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<std::size_t>(width) * height * 4)
        return;
    state_->icon.reset(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32));
    if (state_->icon == nullptr)
        return;
    for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<std::uint8_t*>(state_->icon->pixels) + y * state_->icon->pitch,
                    rgba.data() + static_cast<std::size_t>(y) * width * 4, static_cast<std::size_t>(width) * 4);
    if (state_->window != nullptr)
        SDL_SetWindowIcon(state_->window, state_->icon.get());
}

void PlatformVideo::SetTextureSource(TextureSource source) { state_->source = std::move(source); }

VideoTextureId PlatformVideo::CreateTexture(const std::uint8_t* rgba, int width, int height) {
    if (rgba == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return 0;
    TextureRecord record;
    record.width = width;
    record.height = height;
    record.uniform = IsUniform(rgba, width, height);
    // Without a renderer yet the texture waits for its source.
    if (state_->Rasteriser() != nullptr && !state_->Upload(record, rgba))
        return 0;
    const VideoTextureId id = state_->nextTexture++;
    state_->textures.emplace(id, record);
    return id;
}

void PlatformVideo::DestroyTexture(VideoTextureId texture) {
    auto found = state_->textures.find(texture);
    if (found == state_->textures.end())
        return;
    if (found->second.texture != nullptr)
        SDL_DestroyTexture(found->second.texture);
    state_->textures.erase(found);
}

int PlatformVideo::TextureCount() const { return static_cast<int>(state_->textures.size()); }

bool PlatformVideo::TextureSize(VideoTextureId texture, int& width, int& height) const {
    auto found = state_->textures.find(texture);
    if (found == state_->textures.end())
        return false;
    width = found->second.width;
    height = found->second.height;
    return true;
}

ZoRect PlatformVideo::SpriteBounds(const VideoSprite& sprite) {
    Placement p;
    if (!Place(sprite, p))
        return ZoRect{};
    const double radians = static_cast<double>(sprite.angle);
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    const double pivotX = static_cast<double>(p.destination.x) + p.centre.x;
    const double pivotY = static_cast<double>(p.destination.y) + p.centre.y;
    double left = 1e300;
    double top = 1e300;
    double right = -1e300;
    double bottom = -1e300;
    for (const double cornerX : {0.0, static_cast<double>(p.destination.w)}) {
        for (const double cornerY : {0.0, static_cast<double>(p.destination.h)}) {
            // Turned clockwise on the y-down screen about the centre.
            const double dx = cornerX - p.centre.x;
            const double dy = cornerY - p.centre.y;
            const double x = pivotX + dx * cosine - dy * sine;
            const double y = pivotY + dx * sine + dy * cosine;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    // Far off screen counts as just off it; the frame is all that matters.
    auto clamp = [](double v) { return static_cast<std::int32_t>(std::clamp(v, -100000.0, 100000.0)); };
    return ZoRect{clamp(std::floor(left)) - kBoundsMargin, clamp(std::floor(top)) - kBoundsMargin,
                     clamp(std::ceil(right)) + kBoundsMargin, clamp(std::ceil(bottom)) + kBoundsMargin};
}

void PlatformVideo::DrawFrame(const std::vector<VideoSprite>& sprites, const std::vector<ZoRect>* changed) {
    State& s = *state_;
    if (!s.presenting || s.Rasteriser() == nullptr)
        return;
    s.cost = VideoFrameCost{};
    if (s.texturesLost && s.path == VideoPath::Accelerated) { // our own surfaces are never lost
        s.ForgetTextures();
        s.CreateFrameTexture();
        s.RestoreTextures();
    }
    s.texturesLost = false;
    std::vector<ZoRect> regions;
    if (changed == nullptr || s.frameLost) {
        regions.push_back(kWholeFrame);
        s.windowLost = s.windowLost || changed == nullptr;
    } else {
        for (const ZoRect& region : *changed) {
            const ZoRect inside = region.Intersection(kWholeFrame);
            if (!inside.Empty())
                regions.push_back(inside);
        }
    }
    std::vector<ZoRect> bounds(sprites.size());
    for (std::size_t i = 0; i < sprites.size(); ++i)
        bounds[i] = SpriteBounds(sprites[i]);
    s.KeepStretchedSpritesWhole(sprites, bounds, regions);
    s.Rasterise(sprites, bounds, regions);
    s.frameLost = false;
    if (s.path == VideoPath::Software)
        s.PresentSoftware(regions);
    else if (!regions.empty() || s.windowLost)
        s.PresentAccelerated();
}

const VideoFrameCost& PlatformVideo::LastFrameCost() const { return state_->cost; }

std::uint64_t PlatformVideo::Generation() { return state_->generation; }

std::vector<std::uint8_t> PlatformVideo::ReadFramePixels() {
    State& s = *state_;
    std::vector<std::uint8_t> pixels;
    if (!s.presenting)
        return pixels;
    pixels.resize(static_cast<std::size_t>(kFrameWidth) * kFrameHeight * 4u);
    if (s.path == VideoPath::Software) {
        SDL_ConvertPixels(kFrameWidth, kFrameHeight, SDL_PIXELFORMAT_ARGB8888, s.frameSurface->pixels,
                          s.frameSurface->pitch, SDL_PIXELFORMAT_RGBA32, pixels.data(), kFrameWidth * 4);
        return pixels;
    }
    SDL_Texture* previous = SDL_GetRenderTarget(s.windowRenderer);
    SDL_SetRenderTarget(s.windowRenderer, s.frameTexture);
    if (SDL_RenderReadPixels(s.windowRenderer, nullptr, SDL_PIXELFORMAT_RGBA32, pixels.data(), kFrameWidth * 4) != 0)
        pixels.clear();
    SDL_SetRenderTarget(s.windowRenderer, previous);
    return pixels;
}

std::vector<std::uint8_t> PlatformVideo::ReadWindowPixels(int& width, int& height) {
    State& s = *state_;
    std::vector<std::uint8_t> pixels;
    width = height = 0;
    if (!s.presenting)
        return pixels;
    if (s.path == VideoPath::Software) {
        SDL_Surface* surface = SDL_GetWindowSurface(s.window);
        if (surface == nullptr)
            return pixels;
        width = surface->w;
        height = surface->h;
        pixels.resize(static_cast<std::size_t>(width) * height * 4u);
        SDL_ConvertPixels(width, height, surface->format->format, surface->pixels, surface->pitch,
                          SDL_PIXELFORMAT_RGBA32, pixels.data(), width * 4);
        return pixels;
    }
    SDL_GetRendererOutputSize(s.windowRenderer, &width, &height);
    pixels.resize(static_cast<std::size_t>(width) * height * 4u);
    if (SDL_RenderReadPixels(s.windowRenderer, nullptr, SDL_PIXELFORMAT_RGBA32, pixels.data(), width * 4) != 0)
        pixels.clear();
    return pixels;
}

void PlatformVideo::MapToFrame(int windowX, int windowY, int& frameX, int& frameY) const {
    int width = kFrameWidth;
    int height = kFrameHeight;
    if (state_->window != nullptr)
        SDL_GetWindowSize(state_->window, &width, &height);
    const ZoRect box = FrameScaler::Letterbox(width, height, kFrameWidth, kFrameHeight);
    const long long x = static_cast<long long>(windowX - box.left) * kFrameWidth / (box.right - box.left);
    const long long y = static_cast<long long>(windowY - box.top) * kFrameHeight / (box.bottom - box.top);
    frameX = static_cast<int>(std::clamp<long long>(x, 0, kFrameWidth - 1));
    frameY = static_cast<int>(std::clamp<long long>(y, 0, kFrameHeight - 1));
}

bool PlatformVideo::MouseInClientArea() const {
    if (state_->window == nullptr)
        return false;
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

void PlatformVideo::ShowSystemCursor(bool show) {
    if (state_->videoInitialised)
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}
