// The whole program run for real, each run in a process of its own: start-up without data, window or
// display; a headless start on the game's data; ending from outside (signals, a lost X server); and a
// restart that must bring back the game left for the menu and the volumes set in the options.
#include "Game.h"
#include "GameApplication.h"
#include "GameGlobals.h"
#include "GameMap.h"
#include "MenuGui.h"
#include "PlatformEvents.h"
#include "PlatformMessageBox.h"
#include "PlatformSingleInstance.h"
#include "PlatformTermination.h"
#include "PlatformVideo.h"
#include "Shooter.h"
#include "TestFiles.h"
#include "ZoClock.h"
#include "ZoRenderDevice.h"
#include "ZoResourceManager.h"
#include "ZoSoundManager.h"
#include "ZoStartup.h"
#include "ZoTimer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <thread>

namespace {

// Reports a failed check of a child process on standard error; the child's status says whether any failed.
struct Checks {
    int failures = 0;
    void operator()(bool ok, const std::string& what) {
        if (ok)
            return;
        ++failures;
        std::fprintf(stderr, "  failed: %s\n", what.c_str());
    }
    int Status() const { return failures == 0 ? 0 : 1; }
};

// The program in folder, frames unpaced; eachFrame runs after every frame. Meant for a child process.
int RunGame(const std::string& folder, const std::function<void(ZoBaseApplication&)>& eachFrame,
            ZoStartupOptions options = {}) {
    if (chdir(folder.c_str()) != 0)
        return 90;
    options.lockPath = folder + ".lock"; // one per run: tests may run at once
    options.framePacing = false;
    options.afterFrame = eachFrame;
    return ZoStartup::Run(options);
}

TEST(Startup, ASecondCopyLeavesAtOnceWithoutOpeningAnything) {
    TempFolder folder;
    PlatformSingleInstance firstCopy(folder / "lock");
    ASSERT_EQ(firstCopy.Acquire(), PlatformSingleInstance::Result::Acquired);
    ZoStartupOptions options;
    options.lockPath = folder / "lock";
    options.onProgress = [](std::int32_t) { ADD_FAILURE() << "the second copy started"; };
    EXPECT_EQ(ZoStartup::Run(options), 0);
    EXPECT_TRUE(ZoResourceManager::Instance().Archives().empty());
}

TEST(Startup, WithoutArchivesEachFailureIsReportedTheWholeOrderRunsAndNothingIsWritten) {
    const std::string folder = MakeTemporaryFolder("nodata");
    EXPECT_EQ(RunChild([&] {
                  Checks check;
                  std::vector<std::int32_t> progress;
                  ZoStartupOptions options;
                  options.onProgress = [&](std::int32_t percent) { progress.push_back(percent); };
                  const int status = RunGame(folder, [](ZoBaseApplication& app) {
                      if (app.FramesRun() == 3)
                          app.RequestQuit();
                  }, options);
                  const std::vector<std::string> boxes = PlatformMessageBox::Instance().Captured();
                  check(status == 0 && progress.size() > 1 && progress.back() == 100, "start-up ran to 100");
                  check(boxes.size() >= 4 && boxes[1] == ZoStartup::kResourceArchiveError &&
                            boxes[3] == ZoStartup::kLanguageArchiveError,
                        "both missing archives reported");
                  return check.Status();
              }),
              0);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{});
}

TEST(Startup, WithoutAWindowOrWithOnlyTheInvisibleDriverItEndsAtOnceWithZero) {
    for (const char* driver : {"no-such-driver", ""}) {
        const std::string folder = MakeTemporaryFolder("nowindow");
        EXPECT_EQ(RunChild([&] {
                      *driver ? setenv("SDL_VIDEODRIVER", driver, 1) : unsetenv("SDL_VIDEODRIVER");
                      unsetenv("DISPLAY"); // no boxes waiting for a click either
                      unsetenv("WAYLAND_DISPLAY");
                      ZoStartupOptions options;
                      options.onProgress = [](std::int32_t) { _exit(3); };
                      options.beforeRun = [](GameApplication&) { _exit(4); };
                      return RunGame(folder, nullptr, options);
                  }),
                  0)
            << "driver '" << driver << "'";
    }
}

// True when some pixel of the last frame is not black.
bool FrameShowsSomething() {
    const std::vector<std::uint8_t> pixels = ZoRenderDevice::Instance().ReadFramePixels();
    return std::any_of(pixels.begin(), pixels.end(), [](std::uint8_t value) { return value > 8; });
}

// On each video path, forced as the environment may: software, as for a display without a GPU driver,
// and accelerated.
class StartupOnPath : public ::testing::TestWithParam<std::pair<const char*, VideoPath>> {};
INSTANTIATE_TEST_SUITE_P(Video, StartupOnPath,
                         ::testing::Values(std::make_pair("software", VideoPath::Software),
                                           std::make_pair("accelerated", VideoPath::Accelerated)));

TEST_P(StartupOnPath, OnTheGameDataTheLoadScreenShowsFramesRunInputIsTakenAndCloseEndsCleanly) {
    const std::string folder = MakeGameFolder("e2e");
    ASSERT_FALSE(folder.empty()) << "build the gamedata target";
    WriteBytes(folder + "/Data/ZoConfig.Cfg", "MusicVolume=100\r\nSoundVolume=100\r\nWindowed=1\r\n");
    EXPECT_EQ(RunChild([&] {
                  setenv(PlatformVideo::kPathVariable, GetParam().first, 1);
                  Checks check;
                  ZoManualClock clock(1000);
                  ZoTimer::Instance().SetClock(clock);
                  bool loadScreenShown = false;
                  const auto started = std::chrono::steady_clock::now();
                  double firstFrame = 0;
                  ZoStartupOptions options;
                  // The hook runs before each bar is drawn, so at 30 the frame of 20 is on screen.
                  options.onProgress = [&](std::int32_t percent) { loadScreenShown |= percent == 30 && FrameShowsSomething(); };
                  std::uint64_t frames = 0;
                  const int status = RunGame(folder, [&](ZoBaseApplication& app) {
                      frames = app.FramesRun();
                      clock.Advance(16);
                      if (frames == 1)
                          firstFrame = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
                      if (frames == 2) {
                          PlatformEvents::InjectMouseButton(1, true, 400, 300);
                          PlatformEvents::InjectMouseButton(1, false, 400, 300);
                          PlatformEvents::InjectKey(PlatformVirtualKey::kEscape, true);
                      }
                      if (frames == 12)
                          PlatformEvents::InjectClose();
                  }, options);
                  std::printf("start-up to the first frame: %.3f s\n", firstFrame);
                  std::fflush(stdout);
                  check(status == 0 && frames == 12, "the close request ended the loop");
                  check(PlatformVideo::Instance().Path() == GetParam().second, "the video path asked for");
                  check(loadScreenShown, "the load screen drew something");
                  // A picture, sound or text the game asks for and the data lacks would show a box.
                  check(PlatformMessageBox::Instance().Captured().empty(), "no error box");
                  return check.Status();
              }),
              0);
    EXPECT_EQ(FilesIn(folder + "/Data"), (std::vector<std::string>{"Lang.Zor", "Resource.Zor", "ZoConfig.Cfg"}));
}

TEST(Termination, ASignalEndsTheLoopBeforeTheNextFrameEvenWhenTheShellIgnoredIt) {
    const std::pair<int, bool> cases[] = {{SIGTERM, false}, {SIGINT, false}, {SIGINT, true}};
    for (const auto& [signalNumber, ignoredBefore] : cases) {
        const std::string folder = MakeTemporaryFolder("signal");
        EXPECT_EQ(RunChild([&, signalNumber = signalNumber, ignoredBefore = ignoredBefore] {
                      if (ignoredBefore) // as a shell starts background jobs
                          std::signal(SIGINT, SIG_IGN);
                      std::uint64_t frames = 0;
                      const int status = RunGame(folder, [&](ZoBaseApplication& app) {
                          if ((frames = app.FramesRun()) == 3)
                              raise(signalNumber);
                      });
                      return status == 0 && frames == 3 ? 0 : 10;
                  }),
                  0)
            << signalNumber << (ignoredBefore ? " ignored before" : "");
        EXPECT_EQ(FilesIn(folder), std::vector<std::string>{});
    }
}

TEST(Termination, ASignalWakesAMinimisedGameWithinOneWait) {
    const std::string folder = MakeTemporaryFolder("minimised");
    EXPECT_EQ(RunChild([&] {
                  std::thread sender;
                  std::uint64_t lastFrame = 0;
                  std::chrono::steady_clock::time_point sent;
                  const int status = RunGame(folder, [&](ZoBaseApplication& app) {
                      if ((lastFrame = app.FramesRun()) != 2)
                          return;
                      PlatformEvents::InjectMinimise();
                      sender = std::thread([&sent] {
                          std::this_thread::sleep_for(std::chrono::milliseconds(150));
                          sent = std::chrono::steady_clock::now();
                          kill(getpid(), SIGTERM);
                      });
                  });
                  sender.join();
                  const double late = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
                  return status == 0 && lastFrame == 2 && late < ZoBaseApplication::kIdleWaitMilliseconds / 1000.0 + 0.5
                             ? 0
                             : 11;
              }),
              0);
}

TEST(Termination, TheRequestBecomesOneQuitMessageAndASecondSignalTakesTheDefaultAction) {
    EXPECT_EQ(RunChild([] {
                  PlatformTermination& termination = PlatformTermination::Instance();
                  termination.InstallSignalHandlers();
                  PlatformEvents events;
                  raise(SIGTERM);
                  PlatformMessage message;
                  if (!termination.Requested() || !events.Poll(message) || message.message != PlatformMessageCode::kQuit)
                      return 30;
                  if (events.Poll(message) || termination.Requested())
                      return 32; // taken once, not on every poll
                  raise(SIGTERM); // a game that stopped listening can still be ended
                  return 33;
              }),
              128 + SIGTERM);
}

// The real game on a private X server. Skipped without Xvfb.
class DisplayLoss : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists("/usr/bin/Xvfb"))
            GTEST_SKIP() << "no Xvfb on this machine";
        folder_ = MakeGameFolder("display");
        ASSERT_FALSE(folder_.empty()) << "build the gamedata target";
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        if ((server_ = fork()) == 0) {
            close(ready[0]);
            const std::string fd = std::to_string(ready[1]);
            execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        // The number comes once the server takes clients, then a newline in a write of its own: read both, or
        // the server dies of a broken pipe.
        for (char c = 0; read(ready[0], &c, 1) == 1 && c != '\n';)
            display_ += c;
        close(ready[0]);
        ASSERT_FALSE(display_.empty()) << "Xvfb did not start";
    }
    void TearDown() override {
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
    }
    // 40: the loop ended normally; 42: no frame, so the window never opened on the private display.
    int RunOnDisplay(const std::function<void(ZoBaseApplication&)>& eachFrame) {
        return RunChild([&] {
            setenv("DISPLAY", (":" + display_).c_str(), 1);
            unsetenv("SDL_VIDEODRIVER");
            unsetenv("WAYLAND_DISPLAY");
            std::uint64_t frames = 0;
            const int status = RunGame(folder_, [&](ZoBaseApplication& app) {
                frames = app.FramesRun();
                eachFrame(app);
            });
            return frames == 0 ? 42 : status == 0 ? 40 : 41;
        });
    }

    std::string folder_, display_;
    pid_t server_ = -1;
};

TEST_F(DisplayLoss, AServerKilledUnderTheGameEndsItAtOnceWithZeroWritingNothing) {
    const pid_t server = server_;
    const auto started = std::chrono::steady_clock::now();
    // Zero straight from the lost connection; 40 would mean the loop ended as if nothing happened.
    EXPECT_EQ(RunOnDisplay([server](ZoBaseApplication& app) {
                  if (app.FramesRun() == 5)
                      kill(server, SIGKILL);
              }),
              0);
    waitpid(server_, nullptr, 0);
    server_ = -1;
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(), 15.0);
    EXPECT_EQ(FilesIn(folder_ + "/Data"), (std::vector<std::string>{"Lang.Zor", "Resource.Zor"}));
}

TEST_F(DisplayLoss, ASignalUnderXEndsTheLoopAndShutDownRunsInOrder) {
    EXPECT_EQ(RunOnDisplay([](ZoBaseApplication& app) {
                  if (app.FramesRun() == 5)
                      raise(SIGTERM);
                  else if (app.FramesRun() > 5)
                      _exit(21); // a frame after the signal
              }),
              40);
}

} // namespace
