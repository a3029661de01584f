// The game's one window and its sprite renderer: an 800x600 frame shown letterboxed, textures, sprites.
#pragma once

#include "FrameScaler.h"

#include <cstdint>
#include <functional>
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

// How frames reach the screen. Software: SDL's software rasteriser into a frame of our own, and only
// the changed rectangles are copied to the window (what a display without a GPU driver wants).
// Accelerated: the GPU renderer, the frame a texture of its own, presented whole with vsync.
enum class VideoPath { Software, Accelerated };

// What the last DrawFrame cost, in pixels.
struct VideoFrameCost {
    std::int64_t rasterised = 0; // of the 800x600 frame
    std::int64_t shown = 0;      // of the window
};

class PlatformVideo {
public:
    static constexpr int kFrameWidth = 800;
    static constexpr int kFrameHeight = 600;
    // "software" or "accelerated" forces a path; otherwise it is chosen when the first renderer is made.
    static constexpr const char* kPathVariable = "KORRIK_RENDERER";

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

    // The renderer of the window. Textures survive its loss: on the software path they never leave
    // memory; on the accelerated path they are read again through the texture source.
    bool CreateRenderer();
    void DestroyRenderer();
    bool HasRenderer() const;
    VideoPath Path() const;
    // Tears window and renderer down and builds both again with the new windowed flag; textures survive.
    bool RecreateWindow(bool windowed);
    // The picture the desktop shows for the window (RGBA, top row first), now and for later windows.
    void SetWindowIcon(int width, int height, const std::vector<std::uint8_t>& rgba);

    // Pixels of a texture again (RGBA, its size), for a renderer that had to let the texture go.
    using TextureSource = std::function<bool(VideoTextureId, std::vector<std::uint8_t>& rgba)>;
    void SetTextureSource(TextureSource source);
    // One copy of the pixels is kept: in the renderer. 0 for bad sizes or data.
    VideoTextureId CreateTexture(const std::uint8_t* rgba, int width, int height);
    void DestroyTexture(VideoTextureId texture);
    int TextureCount() const;
    // Size in pixels of a texture; false for an unknown id.
    bool TextureSize(VideoTextureId texture, int& width, int& height) const;

    // The frame pixels a sprite may touch (a margin covers filtering and rounding); empty when it
    // draws nothing.
    static ZoRect SpriteBounds(const VideoSprite& sprite);
    // Draws the sprites in order, but only into the given rectangles of the frame (all of it when
    // `changed` is null, or when the frame's pixels were lost), and shows only what was drawn again
    // (and the whole window when its contents were lost).
    void DrawFrame(const std::vector<VideoSprite>& sprites, const std::vector<ZoRect>* changed);
    const VideoFrameCost& LastFrameCost() const;
    // Bumped whenever what is on screen may no longer match the last presented frame
    // (render targets or device reset, window exposed or resized, a new renderer).
    std::uint64_t Generation();
    // RGBA bytes (row-major, top row first, 800x600x4) of the frame last drawn; empty without a renderer.
    std::vector<std::uint8_t> ReadFramePixels();
    // RGBA bytes of the whole window as last shown, with its size; empty where it cannot be read.
    std::vector<std::uint8_t> ReadWindowPixels(int& width, int& height);

    // Mouse: window pixels to frame pixels, clamped to 0..799 / 0..599 (letterbox bars clamp to the edge).
    void MapToFrame(int windowX, int windowY, int& frameX, int& frameY) const;
    bool MouseInClientArea() const;
    void ShowSystemCursor(bool show);

    struct State;

private:
    PlatformVideo();
    std::unique_ptr<State> state_;
};
