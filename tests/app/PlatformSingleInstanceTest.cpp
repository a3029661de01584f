// One copy of the game at a time: the lock file is exclusive across descriptors and processes.
#include "PlatformSingleInstance.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string TemporaryLockPath(const char* tag) {
    return ::testing::TempDir() + "korrik-lock-" + tag + "-" + std::to_string(getpid());
}

TEST(PlatformSingleInstance, SecondLockOnTheSameFileFailsUntilTheFirstIsGone) {
    const std::string path = TemporaryLockPath("twice");
    {
        PlatformSingleInstance first(path);
        ASSERT_EQ(first.Acquire(), PlatformSingleInstance::Result::Acquired);
        EXPECT_TRUE(first.Held());
        EXPECT_EQ(first.Acquire(), PlatformSingleInstance::Result::Acquired); // asking again is harmless
        PlatformSingleInstance second(path);
        EXPECT_EQ(second.Acquire(), PlatformSingleInstance::Result::HeldElsewhere);
        EXPECT_FALSE(second.Held());
    }
    PlatformSingleInstance later(path);
    EXPECT_EQ(later.Acquire(), PlatformSingleInstance::Result::Acquired);
    unlink(path.c_str());
}

TEST(PlatformSingleInstance, AnotherProcessIsRefusedWhileTheLockIsHeld) {
    const std::string path = TemporaryLockPath("child");
    PlatformSingleInstance holder(path);
    ASSERT_EQ(holder.Acquire(), PlatformSingleInstance::Result::Acquired);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        PlatformSingleInstance other(path);
        _exit(other.Acquire() == PlatformSingleInstance::Result::HeldElsewhere ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    unlink(path.c_str());
}

TEST(PlatformSingleInstance, LinkInPlaceOfTheLockFileIsNotFollowed) {
    const std::string target = TemporaryLockPath("target");
    const std::string link = TemporaryLockPath("link");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    PlatformSingleInstance instance(link);
    EXPECT_EQ(instance.Acquire(), PlatformSingleInstance::Result::Unavailable);
    struct stat info {};
    EXPECT_NE(stat(target.c_str(), &info), 0) << "the link's target was created";
    unlink(link.c_str());
}

TEST(PlatformSingleInstance, UnwritableFolderLeavesTheGameUnguardedRatherThanStopped) {
    PlatformSingleInstance instance("/nonexistent-folder-korrik/lock");
    EXPECT_EQ(instance.Acquire(), PlatformSingleInstance::Result::Unavailable);
}

TEST(PlatformSingleInstance, DefaultPathIsPerUser) {
    const std::string path = PlatformSingleInstance::DefaultLockPath();
    EXPECT_NE(path.find(std::to_string(getuid())), std::string::npos) << path;
}

} // namespace
