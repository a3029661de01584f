// The video platform: letterboxed mouse mapping, textures that outlive their renderer, frame read-back.
#include "GraphicsTestSupport.h"

#include "PlatformVideo.h"
#include "ZoRenderDevice.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace gfxtest;

namespace {

SDL_Window* OurWindow() {
    for (Uint32 id = 1; id < 64; ++id) {
        if (SDL_Window* window = SDL_GetWindowFromID(id)) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

class VideoTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureWorld(); }
    PlatformVideo& video = PlatformVideo::Instance();
};

TEST_F(VideoTest, MouseMapsToTheFrameAndClamps) {
    int x = -1;
    int y = -1;
    video.MapToFrame(123, 456, x, y);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 456);
    video.MapToFrame(-20, 700, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 599);

    SDL_Window* window = OurWindow();
    ASSERT_NE(window, nullptr);
    SDL_SetWindowSize(window, 1600, 900); // 1200x900 picture with 200-pixel bars left and right
    video.MapToFrame(200, 0, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    video.MapToFrame(800, 450, x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    video.MapToFrame(100, 450, x, y); // in the bar
    EXPECT_EQ(x, 0);
    video.MapToFrame(1599, 899, x, y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 599);
    SDL_SetWindowSize(window, 800, 600);
}

TEST_F(VideoTest, WindowIsCaptionedAndNotResizable) {
    SDL_Window* window = OurWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Korrik Shooter");
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE, 0u);
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
}

TEST_F(VideoTest, TexturesOutliveTheRendererAndIdsAreNeverReused) {
    std::vector<std::uint8_t> bytes; // 4x4 red pixels, RGBA
    for (int i = 0; i < 16; ++i) {
        bytes.insert(bytes.end(), {255, 0, 0, 255});
    }
    const VideoTextureId first = video.CreateTexture(bytes.data(), 4, 4);
    ASSERT_NE(first, 0u);
    video.DestroyTexture(first);
    const VideoTextureId second = video.CreateTexture(bytes.data(), 4, 4);
    EXPECT_NE(second, first);
    EXPECT_EQ(video.CreateTexture(bytes.data(), 0, 4), 0u);
    EXPECT_EQ(video.CreateTexture(nullptr, 4, 4), 0u);

    video.DestroyRenderer();
    EXPECT_FALSE(video.HasRenderer());
    EXPECT_TRUE(video.ReadFramePixels().empty());
    ASSERT_TRUE(video.CreateRenderer());
    VideoSprite sprite;
    sprite.texture = second;
    sprite.sourceWidth = 4;
    sprite.sourceHeight = 4;
    sprite.scaleX = 2.0f;
    sprite.scaleY = 2.0f;
    sprite.x = 10.0f;
    sprite.y = 20.0f;
    video.DrawFrame({sprite}, nullptr);
    const std::vector<std::uint8_t> frame = video.ReadFramePixels();
    ASSERT_EQ(frame.size(), 800u * 600u * 4u);
    auto at = [&](int x, int y) { return &frame[(static_cast<std::size_t>(y) * 800 + x) * 4]; };
    EXPECT_EQ(at(10, 20)[0], 255);
    EXPECT_EQ(at(17, 27)[0], 255);
    EXPECT_EQ(at(18, 28)[0], 0); // 4 texels at scale 2 end at 18
    EXPECT_EQ(at(9, 20)[0], 0);
    video.DestroyTexture(second);
    // The device's renderer was replaced: let the next frame present again.
    ZoRenderDevice::Instance().Invalidate();
}
