// The start-up order run for real, headless, in a folder without game data.
#include "ZoStartup.h"
#include "AppTestSupport.h"
#include "GameApplication.h"
#include "PlatformMessageBox.h"
#include "PlatformSingleInstance.h"
#include "ZoResourceManager.h"

#include <cstdlib>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
    return names;
}

TEST(ZoStartup, SecondCopyLeavesAtOnceWithoutOpeningAnything) {
    const std::string lock = apptest::MakeTemporaryFolder("second") + "/lock";
    PlatformSingleInstance firstCopy(lock);
    ASSERT_EQ(firstCopy.Acquire(), PlatformSingleInstance::Result::Acquired);
    bool progressed = false;
    ZoStartupOptions options;
    options.lockPath = lock;
    options.onProgress = [&](std::int32_t) { progressed = true; };
    const std::size_t archivesBefore = ZoResourceManager::Instance().Archives().size();
    const std::size_t boxesBefore = PlatformMessageBox::Instance().Captured().size();

    EXPECT_EQ(ZoStartup::Run(options), 0);
    EXPECT_FALSE(progressed);
    EXPECT_EQ(ZoResourceManager::Instance().Archives().size(), archivesBefore);
    EXPECT_EQ(PlatformMessageBox::Instance().Captured().size(), boxesBefore);
}

TEST(ZoStartup, WithoutArchivesEveryFailureIsReportedAndStartUpRunsItsWholeOrder) {
    const std::string folder = apptest::MakeTemporaryFolder("nodata");
    ASSERT_EQ(chdir(folder.c_str()), 0);
    PlatformMessageBox::Instance().ClearCaptured();
    std::vector<std::int32_t> progress;
    std::uint64_t frames = 0;
    bool windowManagerReady = false;
    ZoStartupOptions options;
    options.lockPath = folder + ".lock"; // one per test: tests may run at once
    options.framePacing = false;
    options.onProgress = [&](std::int32_t percent) { progress.push_back(percent); };
    options.beforeRun = [&](GameApplication& application) {
        windowManagerReady = application.WindowManager() != nullptr;
        EXPECT_EQ(application.LoadScreenPicture(), nullptr);
        EXPECT_NE(application.Cursor(), nullptr);
    };
    options.afterFrame = [&](ZoBaseApplication& application) {
        frames = application.FramesRun();
        if (frames == 3)
            application.RequestQuit();
    };

    EXPECT_EQ(ZoStartup::Run(options), 0);
    EXPECT_EQ(progress, (std::vector<std::int32_t>{20, 30, 40, 50, 60, 65, 80, 90, 100}));
    EXPECT_EQ(frames, 3u);
    EXPECT_TRUE(windowManagerReady);
    // Each missing archive: the archive set names the path, then start-up says what failed. The
    // pictures that could not be found are reported after these by the picture loader.
    const std::vector<std::string> boxes = PlatformMessageBox::Instance().Captured();
    ASSERT_GE(boxes.size(), 4u);
    EXPECT_NE(boxes[0].find("Resource.Zor"), std::string::npos) << boxes[0];
    EXPECT_EQ(boxes[1], "Error Loading Resource File. Resource.Zor");
    EXPECT_NE(boxes[2].find("Lang.Zor"), std::string::npos) << boxes[2];
    EXPECT_EQ(boxes[3], "Error Loading Resource File.");
    // Nothing is written at shut-down.
    EXPECT_TRUE(FolderEntries(folder).empty());
}

// Start-up in a child with the video environment set by prepare: it must give up before any progress
// is drawn, never reach the loop, and still return 0.
void ExpectStartUpWithoutWindowReturnsZero(const std::string& folderName, void (*prepare)()) {
    const std::string folder = apptest::MakeTemporaryFolder(folderName);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        prepare();
        // No display either, so the archive errors cannot open real boxes and wait for a click.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        if (chdir(folder.c_str()) != 0)
            _exit(3);
        int progressCalls = 0;
        ZoStartupOptions options;
        options.lockPath = folder + "/lock";
        options.onProgress = [&](std::int32_t) { ++progressCalls; };
        options.beforeRun = [](GameApplication&) { _exit(4); };
        const int result = ZoStartup::Run(options);
        _exit(result == 0 && progressCalls == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(ZoStartup, WithoutAWindowStartUpSkipsToShutDownAndStillReturnsZero) {
    // A video driver that does not exist: no window, so no render device.
    ExpectStartUpWithoutWindowReturnsZero("nowindow", [] { setenv("SDL_VIDEODRIVER", "no-such-driver", 1); });
}

TEST(ZoStartup, WithNoDisplayTheInvisibleFallbackDriverIsRefusedAndStartUpEndsWithZero) {
    // Nothing asked for and no display: SDL would fall back to drawing offscreen for nobody.
    ExpectStartUpWithoutWindowReturnsZero("nodisplay", [] { unsetenv("SDL_VIDEODRIVER"); });
}

TEST(ZoStartup, OnlyTheSmallScreenSizesHaveAnArchiveOfTheirOwn) {
    EXPECT_EQ(ZoStartup::SizeSpecificArchive(240, 320), "Storage Card//240x320.Zor");
    EXPECT_EQ(ZoStartup::SizeSpecificArchive(240, 240), "Storage Card//240x240.Zor");
    EXPECT_EQ(ZoStartup::SizeSpecificArchive(800, 600), "");
    EXPECT_EQ(ZoStartup::SizeSpecificArchive(320, 240), "");
}

} // namespace
