// The game's one window and its sprite renderer: an 800x600 frame shown letterboxed, textures, sprites.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A texture owned by the video layer; 0 means "no texture".
using VideoTextureId = std::uint32_t;

// One textured quad, placed the way the sprite batch of the game expects: the source rectangle becomes a
// quad at the origin, scaled by (scaleX, scaleY) (negative mirrors), turned by angle radians clockwise
// about (centreX, centreY) in the scaled quad, then moved by (x, y). Colour is 0xAARRGGBB modulation.
struct VideoSprite {
    VideoTextureId texture = 0;
    std::int32_t sourceLeft = 0;
    std::int32_t sourceTop = 0;
    std::int32_t sourceWidth = 0;
    std::int32_t sourceHeight = 0;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float centreX = 0.0f;
    float centreY = 0.0f;
    float angle = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
    std::uint32_t colour = 0xFFFFFFFFu;

    bool operator==(const VideoSprite& o) const;
    bool operator!=(const VideoSprite& o) const { return !(*this == o); }
};

struct VideoWindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

class PlatformVideo {
public:
    static constexpr int kFrameWidth = 800;
    static constexpr int kFrameHeight = 600;

    static PlatformVideo& Instance();
    ~PlatformVideo();

    // Window: 800x600 client area, captioned and not resizable when windowed, desktop full screen otherwise.
    // With SDL_VIDEODRIVER=dummy the same calls give an offscreen window (headless runs and tests).
    // The window shows once its renderer exists. Only a real display driver is used unless
    // SDL_VIDEODRIVER names one; false (and video shut again) when SDL could only fall back to one that
    // shows nothing.
    bool OpenWindow(const std::string& title, bool windowed);
    static bool IsDisplayDriver(const std::string& driver);
    static bool AcceptsDriver(const std::string& driver, bool askedFor);
    void CloseWindow();
    bool IsWindowOpen() const;
    bool IsWindowed() const;

    // The renderer and its 800x600 frame; creating it uploads again every texture that exists.
    bool CreateRenderer();
    void DestroyRenderer();
    bool HasRenderer() const;
    // Tears window and renderer down and builds both again with the new windowed flag; textures survive.
    bool RecreateWindow(bool windowed);

    // Textures keep their pixels so that a lost renderer can be given them back without the caller noticing.
    VideoTextureId CreateTexture(const std::uint8_t* rgba, int width, int height);
    void DestroyTexture(VideoTextureId texture);
    int TextureCount() const;
    // Size in pixels of a texture; false for an unknown id.
    bool TextureSize(VideoTextureId texture, int& width, int& height) const;

    // Frame: clear the 800x600 frame, draw sprites into it, then show it scaled and letterboxed.
    bool BeginFrame();
    void DrawSprite(const VideoSprite& sprite);
    void PresentFrame();
    // Bumped whenever what is on screen may no longer match the last presented frame
    // (render targets or device reset, window exposed or resized, textures re-uploaded).
    std::uint64_t Generation();
    // RGBA bytes (row-major, top row first, 800x600x4) of the frame last drawn; empty without a renderer.
    std::vector<std::uint8_t> ReadFramePixels();

    // Mouse: window pixels to frame pixels, clamped to 0..799 / 0..599 (letterbox bars clamp to the edge).
    void MapToFrame(int windowX, int windowY, int& frameX, int& frameY) const;
    // Window rectangle on the desktop (outer frame) and whether the pointer lies within the client area.
    VideoWindowRect WindowRect() const;
    bool MouseInClientArea() const;
    void ShowSystemCursor(bool show);

    struct State;

private:
    PlatformVideo();
    std::unique_ptr<State> state_;
};
