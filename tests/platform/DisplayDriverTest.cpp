// Which video drivers the game opens its window with: a real display, or whatever was asked for.
#include "PlatformVideo.h"

#include <SDL.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(DisplayDriver, OnlyRealDisplaysAreTakenUnlessADriverWasAskedFor) {
    for (const char* driver : {"x11", "wayland", "KMSDRM", "windows", "cocoa"}) {
        EXPECT_TRUE(PlatformVideo::IsDisplayDriver(driver)) << driver;
        EXPECT_TRUE(PlatformVideo::AcceptsDriver(driver, false)) << driver;
        EXPECT_TRUE(PlatformVideo::AcceptsDriver(driver, true)) << driver;
    }
    // SDL's silent fallbacks show nothing: refused unless named in SDL_VIDEODRIVER, as the tests do.
    for (const char* driver : {"offscreen", "dummy", "evdev", ""}) {
        EXPECT_FALSE(PlatformVideo::IsDisplayDriver(driver)) << driver;
        EXPECT_FALSE(PlatformVideo::AcceptsDriver(driver, false)) << driver;
        EXPECT_TRUE(PlatformVideo::AcceptsDriver(driver, true)) << driver;
    }
    EXPECT_TRUE(PlatformVideo::IsDisplayDriver("X11")); // SDL compares driver names without case
    EXPECT_FALSE(PlatformVideo::IsDisplayDriver("x11 "));
}

// Runs body in a child without any display and without SDL_VIDEODRIVER; its exit status.
int WithoutDisplay(int (*body)(), const char* askedDriver = nullptr) {
    const pid_t child = fork();
    if (child == 0) {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        if (askedDriver != nullptr)
            setenv("SDL_VIDEODRIVER", askedDriver, 1);
        else
            unsetenv("SDL_VIDEODRIVER");
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

TEST(DisplayDriver, WithNoDisplayAndNoDriverAskedForNoWindowOpensAndVideoIsShutAgain) {
    const int result = WithoutDisplay([] {
        PlatformVideo& video = PlatformVideo::Instance();
        const bool opened = video.OpenWindow("Korrik Shooter", true);
        if (opened) {
            // Only possible where SDL found a real display after all (a console with a display driver).
            const char* driver = SDL_GetCurrentVideoDriver();
            return driver != nullptr && PlatformVideo::IsDisplayDriver(driver) ? 0 : 1;
        }
        if (video.IsWindowOpen() || video.CreateRenderer())
            return 2;
        return SDL_WasInit(SDL_INIT_VIDEO) == 0 ? 0 : 3;
    });
    EXPECT_EQ(result, 0);
}

TEST(DisplayDriver, ADriverNamedInTheEnvironmentIsUsedEvenIfItShowsNothing) {
    const int result = WithoutDisplay(
        [] {
            PlatformVideo& video = PlatformVideo::Instance();
            if (!video.OpenWindow("Korrik Shooter", true) || !video.CreateRenderer())
                return 1;
            const char* driver = SDL_GetCurrentVideoDriver();
            const bool offscreen = driver != nullptr && SDL_strcmp(driver, "offscreen") == 0;
            video.CloseWindow();
            return offscreen ? 0 : 2;
        },
        "offscreen");
    EXPECT_EQ(result, 0);
}

TEST(DisplayDriver, TheWindowStaysHiddenUntilItsRendererExists) {
    // Making a GL renderer replaces the window; a close request sent to the first one would be lost.
    const int result = WithoutDisplay(
        [] {
            PlatformVideo& video = PlatformVideo::Instance();
            if (!video.OpenWindow("Korrik Shooter", true))
                return 1;
            SDL_Window* window = SDL_GetWindowFromID(1); // the first window of this fresh process
            if (window == nullptr || (SDL_GetWindowFlags(window) & SDL_WINDOW_HIDDEN) == 0)
                return 2;
            if (!video.CreateRenderer() || (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) == 0)
                return 3;
            // Back to windowed from full screen: hidden again until the new renderer is there.
            if (!video.RecreateWindow(false) || !video.HasRenderer())
                return 4;
            window = SDL_GetWindowFromID(2);
            if (window == nullptr || (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) == 0)
                return 5;
            video.CloseWindow();
            return 0;
        },
        "dummy");
    EXPECT_EQ(result, 0);
}

} // namespace
