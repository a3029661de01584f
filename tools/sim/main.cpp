// korrik-sim SAVEFILE SCRIPTFILE: replays a script against a saved game on the real game classes, headless.
#include "Simulation.h"
#include "ZoResourceManager.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

bool ReadWhole(const char* path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    bytes = text.str();
    return !in.bad();
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "korrik-sim: %s\n", message.c_str());
    return 2;
}

// The game's own archives lie in Data/ beside this program.
std::string DataFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::path(".") : self.parent_path()).string() + "/Data/";
}

// Everything the game writes (profiles, the saved game, high-score tables) stays in a folder of our own,
// removed on the way out.
class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = Base() + "/korrik-sim-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr && chdir(pattern.c_str()) == 0) {
            path_ = pattern;
        }
    }
    ~TemporaryFolder() {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::current_path("/", ignored);
            std::filesystem::remove_all(path_, ignored);
        }
    }
    bool Ready() const { return !path_.empty(); }

private:
    // $TMPDIR when set; else memory-backed /dev/shm, where the game's flushes of its files cost nothing.
    static std::string Base() {
        const char* base = std::getenv("TMPDIR");
        if (base != nullptr && *base != '\0') {
            return base;
        }
        return access("/dev/shm", W_OK | X_OK) == 0 ? "/dev/shm" : "/tmp";
    }

    std::string path_;
};

int Simulate(const std::string& savedGame, const SimScript& script, const char* savePath) {
    const std::string data = DataFolder();
    for (const char* archive : {"Resource.Zor", "Lang.Zor"}) {
        if (!ZoResourceManager::Instance().Open(data + archive)) {
            return Fail("cannot open " + data + archive);
        }
    }
    TemporaryFolder folder;
    if (!folder.Ready()) {
        return Fail("cannot make a temporary folder");
    }
    Simulation simulation(std::cout);
    std::string error;
    if (!simulation.SetUp(savedGame, script, error)) {
        return Fail(std::string(savePath) + ": " + error);
    }
    simulation.Run(script);
    std::cout.flush();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return Fail("usage: korrik-sim SAVEFILE SCRIPTFILE");
    }
    std::string savedGame;
    std::string text;
    if (!ReadWhole(argv[1], savedGame)) {
        return Fail(std::string("cannot read ") + argv[1]);
    }
    if (!ReadWhole(argv[2], text)) {
        return Fail(std::string("cannot read ") + argv[2]);
    }
    SimScript script;
    std::string error;
    if (!script.Parse(text, error)) {
        return Fail(std::string(argv[2]) + ": " + error);
    }
    // Headless: the game's classes never reach a real display or sound device.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::ios::sync_with_stdio(false);
    return Simulate(savedGame, script, argv[1]);
}
