#include "GameScreenFixture.h"

#include "GameSprites.h"
#include "GuiTestSupport.h"
#include "ZoProfileManager.h"
#include "ZoRandom.h"
#include "ZoShowError.h"
#include "ZoSoundManager.h"
#include "ZoSysConfig.h"
#include "ZoTopTables.h"

#include <climits>
#include <unistd.h>

namespace gametest {
std::unique_ptr<SoundEar> GameEar() {
    return std::make_unique<SoundEar>(std::vector<int>{10, 11, 12, 100, 101, 102, 103, 104, 110},
                                      [](ZoSoundManager* manager) { GameValues().soundOutput = manager; });
}
} // namespace gametest

void GameScreenTest::SetUp() {
    ASSERT_TRUE(guitest::EnsureGuiWorld());
    char current[PATH_MAX];
    ASSERT_NE(getcwd(current, sizeof current), nullptr);
    previousFolder = current;
    folder = MakeTemporaryFolder("game");
    ASSERT_EQ(chdir(folder.c_str()), 0);
    SetErrorHandler([this](const std::string& text) { errors.push_back(text); });
    SystemRandom().Seed(20261206);
    ZoSysConfig::Instance().difficulty = 0;
    ZoProfileManager& profiles = ZoProfileManager::Instance();
    profiles.AddProfile(kPlayer);
    profiles.SelectProfile(kPlayer);
    profiles.ClearSavedGame();
    profiles.RefreshSavedFlag();
    ZoTopTables::Instance().CreateGameTables();
    ear = gametest::GameEar();
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
    SetErrorHandler(nullptr);
    if (!previousFolder.empty()) {
        EXPECT_EQ(chdir(previousFolder.c_str()), 0);
    }
}

void GameScreenTest::Frame(std::int32_t ms) {
    game->ProcessCommand();
    game->Update(ms);
}

void GameScreenTest::LoadBoard(const std::string& name) {
    WriteBytes(SaveFile(), ReadBytes(Scenarios() + name + ".Zos"));
    ZoProfileManager::Instance().RefreshSavedFlag();
    ASSERT_TRUE(game->Load()) << name;
    windows->ActivateListener("GameWin");
    RunUntil([this] { return Map().MapState == GameMap::kReady; });
}

void GameScreenTest::Fire(int x, int y) {
    Send(guitest::MouseMoveTo(x, y));
    Send(guitest::LeftUp(x, y));
}

void GameScreenTest::Settle() {
    RunUntil([this] { return game->IsSettled() || game->IsFinished(); });
}

std::string GameScreenTest::SaveFile() const {
    return ZoProfileManager::Instance().SaveFileName();
}

std::string GameScreenTest::Scenarios() {
    return std::string(KORRIK_SCENARIOS) + "/";
}
