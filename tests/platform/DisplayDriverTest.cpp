// Which video drivers the game opens its window with: a real display, or whatever was asked for.
#include "PlatformVideo.h"
#include "TestFiles.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

TEST(DisplayDriver, OnlyRealDisplaysAreTakenUnlessADriverWasAskedFor) {
    // SDL's silent fallbacks show nothing: refused unless named in SDL_VIDEODRIVER, as the tests do.
    for (const char* driver : {"x11", "X11", "wayland", "KMSDRM", "windows", "cocoa", "offscreen", "dummy", "x11 ", ""}) {
        const bool display = std::string(driver) != "offscreen" && std::string(driver) != "dummy" &&
                             std::string(driver) != "x11 " && driver[0] != '\0';
        EXPECT_EQ(PlatformVideo::IsDisplayDriver(driver), display) << driver;
        EXPECT_EQ(PlatformVideo::AcceptsDriver(driver, false), display) << driver;
        EXPECT_TRUE(PlatformVideo::AcceptsDriver(driver, true)) << driver;
    }
}

// Runs body in a child without any display, with SDL_VIDEODRIVER as given; its exit status.
int WithoutDisplay(int (*body)(), const char* askedDriver = nullptr) {
    return RunChild([&] {
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        askedDriver != nullptr ? setenv("SDL_VIDEODRIVER", askedDriver, 1) : unsetenv("SDL_VIDEODRIVER");
        return body();
    });
}

TEST(DisplayDriver, WithNoDisplayAndNoDriverAskedForNoWindowOpensAndVideoIsShutAgain) {
    EXPECT_EQ(WithoutDisplay([] {
                  PlatformVideo& video = PlatformVideo::Instance();
                  if (video.OpenWindow("Korrik Shooter", true)) {
                      // Only possible where SDL found a real display after all (a console with a driver).
                      const char* driver = SDL_GetCurrentVideoDriver();
                      return driver != nullptr && PlatformVideo::IsDisplayDriver(driver) ? 0 : 1;
                  }
                  if (video.IsWindowOpen() || video.CreateRenderer())
                      return 2;
                  return SDL_WasInit(SDL_INIT_VIDEO) == 0 ? 0 : 3;
              }),
              0);
}

TEST(DisplayDriver, ADriverAskedForIsUsedAndTheWindowStaysHiddenUntilItsRendererExists) {
    // Making a GL renderer replaces the window; a close request sent to the first one would be lost.
    EXPECT_EQ(WithoutDisplay(
                  [] {
                      PlatformVideo& video = PlatformVideo::Instance();
                      if (!video.OpenWindow("Korrik Shooter", true) || SDL_strcmp(SDL_GetCurrentVideoDriver(), "offscreen") != 0)
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
                  "offscreen"),
              0);
}

} // namespace
