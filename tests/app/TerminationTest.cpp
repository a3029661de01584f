// Ending the game from outside: termination signals during the loop, and the X server going away.
#include "AppTestSupport.h"
#include "GameApplication.h"
#include "PlatformEvents.h"
#include "PlatformTermination.h"
#include "ZoStartup.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

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

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// How a child process ended: its exit status, or 128 + signal, or -1 when it had to be killed after
// the time limit.
int RunChild(const std::function<int()>& body, int limitSeconds = 20) {
    const pid_t child = fork();
    if (child < 0)
        return -2;
    if (child == 0)
        _exit(body());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

// Start-up in a folder without data, headless; eachFrame runs after every frame of the loop.
int StartInEmptyFolder(const std::string& folder, const std::function<void(ZoBaseApplication&)>& eachFrame) {
    if (chdir(folder.c_str()) != 0)
        return 90;
    ZoStartupOptions options;
    options.lockPath = folder + ".lock"; // one per test: tests may run at once
    options.framePacing = false;
    options.afterFrame = eachFrame;
    return ZoStartup::Run(options);
}

TEST(Termination, SignalDuringTheLoopEndsItBeforeTheNextFrameAndShutDownReturnsZero) {
    // The last case: a shell starts background jobs with SIGINT ignored; the game still ends on it.
    const std::vector<std::pair<int, bool>> cases = {{SIGTERM, false}, {SIGINT, false}, {SIGINT, true}};
    for (const auto& testCase : cases) {
        const int signalNumber = testCase.first;
        const bool ignoredBefore = testCase.second;
        const std::string folder = apptest::MakeTemporaryFolder("signal");
        const int result = RunChild([&] {
            if (ignoredBefore)
                std::signal(SIGINT, SIG_IGN);
            std::uint64_t frames = 0;
            const int status = StartInEmptyFolder(folder, [&](ZoBaseApplication& application) {
                frames = application.FramesRun();
                if (frames == 3)
                    raise(signalNumber);
                if (frames > 50)
                    _exit(20); // the signal was ignored
            });
            return status == 0 && frames == 3 ? 0 : 10;
        });
        EXPECT_EQ(result, 0) << "signal " << signalNumber << (ignoredBefore ? " (ignored before)" : "");
        EXPECT_TRUE(FolderEntries(folder).empty()) << "signal " << signalNumber;
    }
}

TEST(Termination, SignalWakesAMinimisedGameWaitingForEvents) {
    const std::string folder = apptest::MakeTemporaryFolder("minimised");
    const int result = RunChild([&] {
        std::thread sender;
        std::uint64_t lastFrame = 0;
        std::chrono::steady_clock::time_point sent;
        const int status = StartInEmptyFolder(folder, [&](ZoBaseApplication& application) {
            lastFrame = application.FramesRun();
            if (lastFrame == 2) {
                PlatformEvents::InjectMinimise();
                sender = std::thread([&sent] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(150));
                    sent = std::chrono::steady_clock::now();
                    kill(getpid(), SIGTERM);
                });
            }
            if (lastFrame > 50)
                _exit(20);
        });
        if (sender.joinable())
            sender.join();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
        // Minimised, no frame runs after the second; the wait for events is bounded, so the end comes
        // within one wait.
        if (status != 0 || lastFrame != 2)
            return 11;
        return seconds < ZoBaseApplication::kIdleWaitMilliseconds / 1000.0 + 0.5 ? 0 : 12;
    });
    EXPECT_EQ(result, 0);
}

TEST(Termination, TheRequestBecomesOneQuitMessageAndASecondSignalTakesTheDefaultAction) {
    const int result = RunChild([] {
        PlatformTermination& termination = PlatformTermination::Instance();
        termination.InstallSignalHandlers();
        PlatformEvents events;
        raise(SIGTERM);
        if (!termination.Requested())
            return 30;
        PlatformMessage message;
        if (!events.Poll(message) || message.message != PlatformMessageCode::kQuit)
            return 31;
        if (events.Poll(message) || termination.Requested())
            return 32;  // taken once, not again on every poll
        raise(SIGTERM); // a game that stopped listening can still be ended
        return 33;
    });
    EXPECT_EQ(result, 128 + SIGTERM);
}

// The real game on a private X server that is killed under it. Skipped without Xvfb or game data.
class DisplayLoss : public ::testing::Test {
protected:
    void SetUp() override {
        const char* binary = std::getenv("KORRIK_BINARY_DIR");
        ASSERT_NE(binary, nullptr);
        data_ = std::string(binary) + "/Data";
        if (!Exists(data_ + "/Resource.Zor") || !Exists(data_ + "/Lang.Zor"))
            GTEST_SKIP() << "game data not built yet";
        if (!Exists("/usr/bin/Xvfb"))
            GTEST_SKIP() << "no Xvfb on this machine";
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        server_ = fork();
        ASSERT_GE(server_, 0);
        if (server_ == 0) {
            close(ready[0]);
            const std::string fd = std::to_string(ready[1]);
            execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                  "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        // The number comes once the server accepts clients, then a newline in a write of its own: the
        // pipe stays open until that too has come, or the server dies of a broken pipe.
        std::string number;
        char c = 0;
        while (read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ready[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        display_ = ":" + number;
        folder_ = apptest::MakeTemporaryFolder("display");
        ASSERT_EQ(mkdir((folder_ + "/Data").c_str(), 0700), 0);
        ASSERT_EQ(symlink((data_ + "/Resource.Zor").c_str(), (folder_ + "/Data/Resource.Zor").c_str()), 0);
        ASSERT_EQ(symlink((data_ + "/Lang.Zor").c_str(), (folder_ + "/Data/Lang.Zor").c_str()), 0);
    }

    void TearDown() override {
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
    }

    // The game in a child on the private display; eachFrame runs after every frame.
    int RunGame(const std::function<void(ZoBaseApplication&)>& eachFrame) {
        return RunChild([&] {
            setenv("DISPLAY", display_.c_str(), 1);
            unsetenv("SDL_VIDEODRIVER");
            unsetenv("WAYLAND_DISPLAY");
            if (chdir(folder_.c_str()) != 0)
                return 90;
            std::uint64_t frames = 0;
            ZoStartupOptions options;
            options.lockPath = folder_ + ".lock"; // beside the folder, and one per test: two may run at once
            options.afterFrame = [&](ZoBaseApplication& application) {
                frames = application.FramesRun();
                eachFrame(application);
            };
            const int status = ZoStartup::Run(options);
            // 42: no frame at all, so the window never opened on the private display.
            return frames == 0 ? 42 : status == 0 ? 40 : 41;
        });
    }

    std::string data_;
    std::string folder_;
    std::string display_;
    pid_t server_ = -1;
};

TEST_F(DisplayLoss, ServerKilledUnderTheRunningGameEndsItAtOnceWithStatusZeroWritingNothing) {
    const pid_t server = server_;
    const auto started = std::chrono::steady_clock::now();
    const int result = RunGame([server](ZoBaseApplication& application) {
        if (application.FramesRun() == 5)
            kill(server, SIGKILL);
        if (application.FramesRun() > 3000)
            _exit(21);
    });
    waitpid(server_, nullptr, 0);
    server_ = -1;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    // 0 straight from the lost connection; 40 would mean the loop ended as if nothing happened.
    EXPECT_EQ(result, 0);
    EXPECT_LT(seconds, 15.0);
    EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"Data"});
}

TEST_F(DisplayLoss, SignalUnderXEndsTheLoopAndShutDownRunsInOrder) {
    const int result = RunGame([](ZoBaseApplication& application) {
        if (application.FramesRun() == 5)
            raise(SIGTERM);
        if (application.FramesRun() > 5)
            _exit(21); // a frame after the signal
    });
    EXPECT_EQ(result, 40);
    EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"Data"});
}

} // namespace
