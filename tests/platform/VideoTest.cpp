// The window: its kinds, letterboxed mouse mapping, and texture ids.
#include "GraphicsTestSupport.h"

#include "PlatformVideo.h"
#include "ZoRenderDevice.h"

#include <SDL.h>

using namespace gfxtest;

TEST(VideoTest, WindowedIsCaptionedAndFullScreenIsBorderlessOverTheDesktopBeforeItShows) {
    EnsureWorld();
    PlatformVideo& video = PlatformVideo::Instance();
    for (const bool windowed : {true, false}) {
        video.CloseWindow();
        ASSERT_TRUE(video.OpenWindow("Korrik Shooter", windowed));
        SDL_Window* window = OurWindow();
        ASSERT_NE(window, nullptr);
        // A window manager maps the window before it makes it full screen: it must already look so.
        const Uint32 flags = SDL_GetWindowFlags(window);
        EXPECT_EQ(flags & (SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_BORDERLESS),
                  windowed ? Uint32{SDL_WINDOW_HIDDEN} : Uint32{SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS});
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(window, &width, &height);
        EXPECT_EQ(std::make_pair(width, height), windowed ? std::make_pair(800, 600) : std::make_pair(1024, 768));
        EXPECT_STREQ(SDL_GetWindowTitle(window), "Korrik Shooter");
    }
    video.CloseWindow();
    video.OpenWindow("Korrik Shooter", true);
    ZoRenderDevice::Instance().Create();
}

TEST(VideoTest, MouseMapsToTheFrameThroughTheLetterboxAndClamps) {
    EnsureWorld();
    PlatformVideo& video = PlatformVideo::Instance();
    struct Case {
        int windowWidth, windowHeight, x, y, frameX, frameY;
    } const cases[] = {
        {800, 600, 123, 456, 123, 456}, {800, 600, -20, 700, 0, 599},
        // 1600x900: a 1200x900 picture with 200-pixel bars left and right.
        {1600, 900, 200, 0, 0, 0}, {1600, 900, 800, 450, 400, 300}, {1600, 900, 100, 450, 0, 300},
        {1600, 900, 1599, 899, 799, 599},
    };
    for (const Case& c : cases) {
        SDL_SetWindowSize(OurWindow(), c.windowWidth, c.windowHeight);
        int x = -1;
        int y = -1;
        video.MapToFrame(c.x, c.y, x, y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(c.frameX, c.frameY)) << c.windowWidth << ": " << c.x << "," << c.y;
    }
    SDL_SetWindowSize(OurWindow(), 800, 600);
}

TEST(VideoTest, TextureIdsAreNeverReusedAndBadPicturesAreRefused) {
    EnsureWorld();
    PlatformVideo& video = PlatformVideo::Instance();
    const std::vector<std::uint8_t> red(4 * 4 * 4, 255);
    const VideoTextureId first = video.CreateTexture(red.data(), 4, 4);
    ASSERT_NE(first, 0u);
    video.DestroyTexture(first);
    const VideoTextureId second = video.CreateTexture(red.data(), 4, 4);
    EXPECT_NE(second, first);
    video.DestroyTexture(second);
    EXPECT_EQ(video.CreateTexture(red.data(), 0, 4), 0u);
    EXPECT_EQ(video.CreateTexture(nullptr, 4, 4), 0u);
    EXPECT_EQ(video.CreateTexture(red.data(), 4, 20000), 0u);
}
