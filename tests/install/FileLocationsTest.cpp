// Where the game's files go, from the folder tree around the program and the environment; and the
// window mode of the command line, which is not the player's saved choice.
#include "TestFiles.h"
#include "ZoPaths.h"
#include "ZoSysConfig.h"


namespace {

namespace fs = std::filesystem;

// Makes folder (under root) hold the archives.
void PutArchives(const std::string& root, const std::string& folder) {
    fs::create_directories(root + "/" + folder);
    WriteBytes(root + "/" + folder + "/Resource.Zor", "ZOR");
}

// Folders are relative to a scratch root; "@" stands for the root itself, so "xdg" stays relative.
struct LocationCase {
    const char* name;
    std::vector<const char*> archiveFolders;
    const char* executable;
    const char* dataDir;
    const char* xdgDataHome;
    const char* home;
    const char* dataFolder; // expected, without the closing slash; null: refused
    const char* userFolder;
};

std::string Rooted(const std::string& root, const std::string& value) {
    return value.rfind('@', 0) == 0 ? root + value.substr(1) : value;
}

TEST(FileLocations, ArchivesAndPlayerFilesFollowTheTreeAroundTheProgram) {
    const char* share = "usr/share/games/korrik-shooter/Data";
    const char* homeData = "home/.local/share/korrik-shooter/";
    // clang-format off
    const std::vector<LocationCase> cases = {
        {"a build tree keeps all beside the program", {"build/Data"}, "@/build", "", "", "@/home",
         "build/Data", "build/Data/"},
        {"an install writes only the home", {share}, "@/usr/games", "", "", "@/home", share, homeData},
        {"XDG_DATA_HOME moves the player's folder", {share}, "@/usr/games", "", "@/xdg", "@/home",
         share, "xdg/korrik-shooter/"},
        {"a relative XDG_DATA_HOME is ignored", {share}, "@/usr/games", "", "xdg", "@/home", share, homeData},
        {"--data-dir names the archives' folder", {"mine"}, "@/usr/games", "@/mine", "", "@/home",
         "mine", homeData},
        {"--data-dir may name the folder above", {"mine/Data"}, "@/usr/games", "@/mine", "", "@/home",
         "mine/Data", homeData},
        {"--data-dir keeps a build tree's files", {"build/Data", "mine"}, "@/build", "@/mine", "", "@/home",
         "mine", "build/Data/"},
        {"--data-dir without archives", {share}, "@/usr/games", "@/none", "", "@/home", nullptr, nullptr},
        {"no home folder", {share}, "@/usr/games", "", "", "", nullptr, nullptr},
    };
    // clang-format on
    for (const LocationCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder scratch;
        const std::string root = scratch.Path();
        for (const char* folder : c.archiveFolders)
            PutArchives(root, folder);
        const ZoPathEnvironment environment = {
            Rooted(root, c.executable), "../share/games/korrik-shooter/Data",
            Rooted(root, c.dataDir),    Rooted(root, c.xdgDataHome),
            Rooted(root, c.home),       ""};
        fs::create_directories(environment.executableFolder);
        ZoPaths paths;
        const bool resolved = paths.Resolve(environment);
        ASSERT_EQ(resolved, c.dataFolder != nullptr) << paths.error;
        if (!resolved)
            continue;
        EXPECT_EQ(paths.dataFolder, root + "/" + c.dataFolder + "/");
        EXPECT_EQ(paths.userFolder, root + "/" + c.userFolder);
    }
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
        TempFolder scratch;
        const std::string file = scratch / "ZoConfig.Cfg";
        if (c.fileBefore != nullptr)
            WriteBytes(file, c.fileBefore);
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
