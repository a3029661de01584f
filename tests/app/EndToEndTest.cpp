// The whole game started headless on the generated data: load screen, frames, input, clean exit.
#include "AppTestSupport.h"
#include "GameApplication.h"
#include "PlatformEvents.h"
#include "PlatformMessageBox.h"
#include "ZoClock.h"
#include "ZoRenderDevice.h"
#include "ZoStartup.h"
#include "ZoTimer.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// True when some pixel of the last frame is not black.
bool FrameShowsSomething() {
    const std::vector<std::uint8_t> pixels = ZoRenderDevice::Instance().ReadFramePixels();
    for (std::size_t i = 0; i + 3 < pixels.size(); i += 4)
        if (pixels[i] > 8 || pixels[i + 1] > 8 || pixels[i + 2] > 8)
            return true;
    return false;
}

TEST(EndToEnd, GameStartsOnItsDataRunsFramesTakesInputAndEndsCleanly) {
    const char* binary = std::getenv("KORRIK_BINARY_DIR");
    ASSERT_NE(binary, nullptr);
    const std::string data = std::string(binary) + "/Data";
    if (!Exists(data + "/Resource.Zor") || !Exists(data + "/Lang.Zor"))
        GTEST_SKIP() << "game data not built yet (" << data << "/Resource.Zor, Lang.Zor)";

    // A private folder with the archives linked in, so nothing the run might write lands in the build.
    const std::string folder = apptest::MakeTemporaryFolder("e2e");
    ASSERT_EQ(mkdir((folder + "/Data").c_str(), 0700), 0);
    ASSERT_EQ(symlink((data + "/Resource.Zor").c_str(), (folder + "/Data/Resource.Zor").c_str()), 0);
    ASSERT_EQ(symlink((data + "/Lang.Zor").c_str(), (folder + "/Data/Lang.Zor").c_str()), 0);
    ASSERT_EQ(chdir(folder.c_str()), 0);

    ZoManualClock clock(1000);
    ZoTimer::Instance().SetClock(clock);
    PlatformMessageBox::Instance().ClearCaptured();
    std::vector<std::int32_t> progress;
    bool loadScreenVisible = false;
    double secondsToFirstFrame = -1;
    const auto started = std::chrono::steady_clock::now();

    ZoStartupOptions options;
    options.lockPath = folder + "/lock";
    options.framePacing = false;
    options.onProgress = [&](std::int32_t percent) {
        // The hook runs before each bar is drawn, so at 30 the frame of 20 is on screen.
        if (percent == 30)
            loadScreenVisible = FrameShowsSomething();
        progress.push_back(percent);
    };
    options.afterFrame = [&](ZoBaseApplication& application) {
        const std::uint64_t frame = application.FramesRun();
        if (frame == 1)
            secondsToFirstFrame =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        clock.Advance(16);
        if (frame == 2) {
            PlatformEvents::InjectMouseMove(400, 300);
            PlatformEvents::InjectMouseButton(1, true, 400, 300);
            PlatformEvents::InjectMouseButton(1, false, 400, 300);
            PlatformEvents::InjectKey(PlatformVirtualKey::kEscape, true);
            PlatformEvents::InjectKey(PlatformVirtualKey::kEscape, false);
        }
        if (frame == 30)
            PlatformEvents::InjectClose();
        EXPECT_LE(frame, 30u) << "the close request was not honoured";
    };

    EXPECT_EQ(ZoStartup::Run(options), 0);
    ZoTimer::Instance().SetClock(ZoPlatformClock::Instance());

    EXPECT_EQ(progress, (std::vector<std::int32_t>{20, 30, 40, 50, 60, 65, 80, 90, 100}));
    EXPECT_TRUE(loadScreenVisible) << "the load screen drew nothing";
    EXPECT_EQ(PlatformMessageBox::Instance().Captured(), std::vector<std::string>{});
    EXPECT_GT(secondsToFirstFrame, 0.0);
    RecordProperty("SecondsToFirstFrame", std::to_string(secondsToFirstFrame));
    std::printf("start-up to the first frame: %.3f s\n", secondsToFirstFrame);
}

} // namespace
