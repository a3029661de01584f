// Files for tests: scratch folders, folders holding the build's game archives, bytes in and out, and
// child processes that may die, hang or run out of disk.
#pragma once

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The build folder (game archives, tools) and the source folder, as the test environment names them.
inline std::string BinaryDir() {
    const char* dir = std::getenv("KORRIK_BINARY_DIR");
    return dir != nullptr ? dir : ".";
}
inline std::string SourceDir() {
    const char* dir = std::getenv("KORRIK_SOURCE_DIR");
    return dir != nullptr ? dir : ".";
}

// Removes the folders a test made once it has passed; a failed test leaves them for a look.
class TemporaryFolders : public ::testing::EmptyTestEventListener {
public:
    static void Add(const std::string& folder) {
        static TemporaryFolders* const listener = [] {
            auto* made = new TemporaryFolders;
            ::testing::UnitTest::GetInstance()->listeners().Append(made); // GoogleTest owns it
            return made;
        }();
        listener->folders_.push_back(folder);
    }
    void OnTestEnd(const ::testing::TestInfo& test) override {
        std::error_code ignored;
        for (const std::string& folder : folders_)
            if (test.result()->Passed())
                std::filesystem::remove_all(folder, ignored);
        folders_.clear();
    }

private:
    std::vector<std::string> folders_;
};

// A fresh, empty folder of the test's own (tests run side by side), and the lock file a game run in it
// keeps beside it.
inline std::string MakeTemporaryFolder(const std::string& tag) {
    std::string pattern = (std::filesystem::temp_directory_path() / ("korrik-" + tag + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr)
        return std::string();
    TemporaryFolders::Add(pattern);
    TemporaryFolders::Add(pattern + ".lock");
    return pattern;
}

// A scratch folder removed when it goes out of scope.
class TempFolder {
public:
    TempFolder() : path_(MakeTemporaryFolder("test")) {}
    ~TempFolder() {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A fresh folder whose Data/ links the build's two archives, as a player's game folder holds them: what the
// game writes lands there and never in the build. Empty when the data is not built.
inline std::string MakeGameFolder(const std::string& tag) {
    const std::string data = BinaryDir() + "/Data/";
    const std::string folder = MakeTemporaryFolder(tag);
    std::error_code error;
    std::filesystem::create_directory(folder + "/Data", error);
    for (const char* archive : {"Resource.Zor", "Lang.Zor"})
        std::filesystem::create_symlink(data + archive, folder + "/Data/" + archive, error);
    return !error && std::filesystem::exists(folder + "/Data/Resource.Zor") ? folder : std::string();
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// An unsigned little-endian number of `size` bytes at `at`.
inline std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}
inline void PutLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFFu);
}

// Names of the entries of folder, sorted: shows leftovers such as abandoned temporary files.
inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs body in a child process; its exit status, 128 + the signal that ended it, or -1 when it was still
// running after limitSeconds and had to be killed.
inline int RunChild(const std::function<int()>& body, int limitSeconds = 30) {
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
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// Runs write() in a child whose files may grow to at most `limit` bytes, as when the disk fills half way
// through a save; write's result, as the child's exit status.
template <typename Write> int RunWithFileSizeLimit(rlim_t limit, Write write) {
    return RunChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limits{limit, limit};
        setrlimit(RLIMIT_FSIZE, &limits);
        return static_cast<int>(write());
    });
}
