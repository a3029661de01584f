// Where the game's files go, from the folder tree around the program and the environment; and the
// window mode of the command line, which is not the player's saved choice.
#include "ZoPaths.h"
#include "ZoSysConfig.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Scratch {
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "korrik-paths-XXXXXX").string();
        root = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    // A folder holding the archives.
    void Archives(const std::string& folder) const {
        fs::create_directories(root + "/" + folder);
        std::ofstream(root + "/" + folder + "/Resource.Zor") << "ZOR";
    }
    std::string root;
};

struct LocationCase {
    const char* name;
    std::vector<const char*> archiveFolders;
    ZoPathEnvironment environment; // folders relative to the scratch root, "@" standing for it
    const char* dataFolder;        // expected, relative to the root; null: refused
    const char* userFolder;
};

std::string Rooted(const std::string& root, const std::string& value) {
    return value.rfind('@', 0) == 0 ? root + value.substr(1) : value;
}

const char* const kInstalled = "../share/games/korrik-shooter/Data";

TEST(FileLocations, ArchivesAndPlayerFilesFollowTheTreeAroundTheProgram) {
    const std::vector<LocationCase> cases = {
        {"build tree keeps everything beside the program",
         {"build/Data"},
         {"@/build", kInstalled, "", "", "@/home", ""},
         "build/Data/",
         "build/Data/"},
        {"install reads its share folder, writes the home",
         {"usr/share/games/korrik-shooter/Data"},
         {"@/usr/games", kInstalled, "", "", "@/home", ""},
         "usr/share/games/korrik-shooter/Data/",
         "home/.local/share/korrik-shooter/"},
        {"XDG_DATA_HOME moves the player's folder",
         {"usr/share/games/korrik-shooter/Data"},
         {"@/usr/games", kInstalled, "", "@/xdg", "@/home", ""},
         "usr/share/games/korrik-shooter/Data/",
         "xdg/korrik-shooter/"},
        {"a relative XDG_DATA_HOME is ignored",
         {"usr/share/games/korrik-shooter/Data"},
         {"@/usr/games", kInstalled, "", "xdg", "@/home", ""},
         "usr/share/games/korrik-shooter/Data/",
         "home/.local/share/korrik-shooter/"},
        {"--data-dir names the archives' folder",
         {"mine"},
         {"@/usr/games", kInstalled, "@/mine", "", "@/home", ""},
         "mine/",
         "home/.local/share/korrik-shooter/"},
        {"--data-dir may name the folder above Data",
         {"mine/Data"},
         {"@/usr/games", kInstalled, "@/mine", "", "@/home", ""},
         "mine/Data/",
         "home/.local/share/korrik-shooter/"},
        {"--data-dir keeps a build tree's player files",
         {"build/Data", "mine"},
         {"@/build", kInstalled, "@/mine", "", "@/home", ""},
         "mine/",
         "build/Data/"},
        {"--data-dir without archives is refused",
         {"usr/share/games/korrik-shooter/Data"},
         {"@/usr/games", kInstalled, "@/empty", "", "@/home", ""},
         nullptr,
         nullptr},
        {"no home folder is refused",
         {"usr/share/games/korrik-shooter/Data"},
         {"@/usr/games", kInstalled, "", "", "", ""},
         nullptr,
         nullptr},
    };
    for (const LocationCase& c : cases) {
        SCOPED_TRACE(c.name);
        Scratch scratch;
        for (const char* folder : c.archiveFolders)
            scratch.Archives(folder);
        ZoPathEnvironment environment = c.environment;
        for (std::string* value : {&environment.executableFolder, &environment.dataDirOption,
                                   &environment.xdgDataHome, &environment.home})
            *value = Rooted(scratch.root, *value);
        fs::create_directories(environment.executableFolder);
        ZoPaths paths;
        const bool resolved = paths.Resolve(environment);
        ASSERT_EQ(resolved, c.dataFolder != nullptr) << paths.error;
        if (!resolved)
            continue;
        EXPECT_EQ(paths.dataFolder, scratch.root + "/" + c.dataFolder);
        EXPECT_EQ(paths.userFolder, scratch.root + "/" + c.userFolder);
        EXPECT_EQ(paths.lockFile, "");
    }
}

TEST(FileLocations, TheLockFollowsTheRuntimeFolder) {
    ZoPaths paths;
    ASSERT_TRUE(paths.Resolve({"/nowhere", kInstalled, "", "", "/home/ann", "/run/user/1000"}));
    EXPECT_EQ(paths.lockFile, "/run/user/1000/korrik-shooter.lock");
}

struct ModeCase {
    const char* fileBefore; // null: no file
    bool commandLine;       // windowed for this run
    std::vector<bool> modeAtEachSave;
    std::vector<int> savedWindowed;
};

TEST(FileLocations, TheCommandLineModeIsSavedOnlyOnceThePlayerPicksAMode) {
    const std::vector<ModeCase> cases = {
        {"Windowed=1\n", false, {false}, {1}},
        {nullptr, true, {true}, {0}},
        {"Windowed=0\n", true, {true, false, true}, {0, 0, 1}},
    };
    for (const ModeCase& c : cases) {
        Scratch scratch;
        const std::string file = scratch.root + "/ZoConfig.Cfg";
        if (c.fileBefore != nullptr)
            std::ofstream(file) << c.fileBefore;
        ZoSysConfig options(file);
        options.SetWindowedForThisRun(c.commandLine);
        options.Load();
        EXPECT_EQ(options.windowed, c.commandLine);
        for (std::size_t i = 0; i < c.modeAtEachSave.size(); ++i) {
            options.windowed = c.modeAtEachSave[i];
            ASSERT_TRUE(options.Save());
            ZoSysConfig written(file);
            written.Load();
            EXPECT_EQ(written.windowed, c.savedWindowed[i] != 0) << "save " << i;
        }
    }
}

} // namespace
