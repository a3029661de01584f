#include "GameScreenFixture.h"

#include "GameSprites.h"
#include "GuiTestSupport.h"
#include "ZoAtomicFile.h"
#include "ZoProfileManager.h"
#include "ZoRandom.h"
#include "ZoSysConfig.h"
#include "ZoTopTables.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <queue>
#include <set>
#include <sstream>
#include <unistd.h>

namespace {

// How many balls of the colour a ball landing in cell would join (itself included).
int GroupIfLanded(const GameMap& map, ZoCell cell, std::int32_t colour) {
    std::set<std::pair<int, int>> seen{{cell.x, cell.y}};
    std::queue<ZoCell> open;
    open.push(cell);
    while (!open.empty()) {
        const ZoCell at = open.front();
        open.pop();
        for (const ZoCell& next : GameMap::Neighbours(at.x, at.y)) {
            const BaseBubble* ball = map.Bubble(next.x, next.y);
            if (ball != nullptr && ball->BubbleID == colour && seen.insert({next.x, next.y}).second) {
                open.push(next);
            }
        }
    }
    return static_cast<int>(seen.size());
}

} // namespace

void GameScreenTest::SetUp() {
    ASSERT_TRUE(guitest::EnsureGuiWorld());
    char current[PATH_MAX];
    ASSERT_NE(getcwd(current, sizeof current), nullptr);
    previousFolder = current;
    const char* binary = std::getenv("KORRIK_BINARY_DIR");
    std::string pattern = std::string(binary != nullptr ? binary : "/tmp") + "/game-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    ASSERT_EQ(chdir(folder.c_str()), 0);
    SystemRandom().Seed(20261206);
    ZoSysConfig::Instance().difficulty = 0;
    ZoProfileManager& profiles = ZoProfileManager::Instance();
    profiles.AddProfile(kPlayer);
    profiles.SelectProfile(kPlayer);
    profiles.ClearSavedGame();
    profiles.RefreshSavedFlag();
    tableFolder = "flow_tables/";
    std::remove((tableFolder + "Data/Classic.Zot").c_str());
    std::remove((tableFolder + "Data/Arcade.Zot").c_str());
    ZoAtomicFile::CreateFolders(tableFolder + "Data");
    ZoTopTables::Instance().CreateGameTables(tableFolder);
    ear = std::make_unique<gametest::SoundEar>();
    windows = std::make_unique<ZoWindowManager>(record, [] {});
    windows->RegisterListener(Game::kMenuListener, std::make_unique<ZoEventListener>());
    auto owned = std::make_unique<Game>();
    game = owned.get();
    windows->RegisterListener("GameWin", std::move(owned));
    ASSERT_TRUE(game->Init());
}

void GameScreenTest::TearDown() {
    windows.reset();
    ear.reset();
    ZoTopTables::Instance().Clear();
    if (!previousFolder.empty()) {
        EXPECT_EQ(chdir(previousFolder.c_str()), 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

void GameScreenTest::Frame(std::int32_t ms) {
    game->ProcessCommand();
    game->Update(ms);
}

void GameScreenTest::WaitUntilReady() {
    RunUntil([this] {
        return Map().MapState == GameMap::kReady && !Launcher().flying && Launcher().reloadCountdown == 0 &&
               Map().Falling().empty() && !Map().linePending && Launcher().CurrentBubble() != nullptr;
    });
}

bool GameScreenTest::Shoot(bool hit) {
    WaitUntilReady();
    for (int y : {150, 250, 350}) {
        for (int x = 130; x <= 670; x += 15) {
            Send(guitest::MouseMoveTo(x, y));
            Launcher().CurrentBubble()->position = Launcher().BallPosition();
            Map().ComputePath();
            const ZoCell cell = Map().TargetCell();
            if (!Map().IsOnBoard(cell.x, cell.y) || Map().Bubble(cell.x, cell.y) != nullptr) {
                continue;
            }
            for (const auto& entry : Map().Colours()) {
                const int group = GroupIfLanded(Map(), cell, entry.first);
                if (hit ? group >= 3 : group == 1) {
                    Launcher().SetCurrentBubble(GameSprites::Instance().MakeBubble(entry.first));
                    Send(guitest::LeftUp(x, y));
                    return Launcher().flying;
                }
            }
        }
    }
    return false;
}

void GameScreenTest::StartGame(bool arcade, std::int32_t difficulty) {
    ZoSysConfig::Instance().difficulty = difficulty;
    if (arcade) {
        game->SetupArcade();
    } else {
        game->SetupClassic();
    }
    game->NewGame();
    RunUntil([this] { return Map().MapState == GameMap::kReady; });
}

std::string GameScreenTest::SaveFile() const {
    return ZoProfileManager::Instance().SaveFileName();
}

std::string GameScreenTest::ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void GameScreenTest::WriteBytes(const std::string& path, const std::string& bytes) {
    ZoAtomicFile::CreateParentFolders(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}
