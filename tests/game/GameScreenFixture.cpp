#include "GameScreenFixture.h"

#include "GameSprites.h"
#include "GuiTestSupport.h"
#include "RecordingAudio.h"
#include "SoundTestData.h"
#include "ZoAtomicFile.h"
#include "ZoProfileManager.h"
#include "ZoRandom.h"
#include "ZoShowError.h"
#include "ZoSoundManager.h"
#include "ZoSysConfig.h"
#include "ZoTopTables.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace gametest {

struct SoundEar::Impl {
    RecordingAudio* audio = nullptr;
    std::unique_ptr<ZoSoundManager> manager;
    std::map<int, int> idOfSample;
    std::size_t seen = 0;
};

SoundEar::SoundEar() : impl_(std::make_unique<Impl>()) {
    auto audio = std::make_unique<RecordingAudio>();
    impl_->audio = audio.get();
    impl_->manager = std::make_unique<ZoSoundManager>(std::move(audio));
    SoundTestData::MemoryFiles files;
    const int ids[] = {10, 11, 12, 100, 101, 102, 103, 104, 110};
    for (int id : ids) {
        files.Add("Sound" + std::to_string(id), SoundTestData::MakeWav(5));
    }
    impl_->manager->SetFileReader(files.Reader());
    impl_->manager->Init(255, 255);
    for (int id : ids) {
        impl_->manager->LoadSample(id, "Sound" + std::to_string(id));
        const std::string& line = impl_->audio->log.back();
        impl_->idOfSample[std::atoi(line.substr(std::string("load-sample ").size()).c_str())] = id;
    }
    impl_->seen = impl_->audio->log.size();
    GameValues().soundOutput = impl_->manager.get();
}

SoundEar::~SoundEar() {
    GameValues().soundOutput = nullptr;
}

std::vector<int> SoundEar::Take() {
    std::vector<int> played;
    const std::string prefix = "play-sample ";
    for (std::size_t i = impl_->seen; i < impl_->audio->log.size(); ++i) {
        const std::string& line = impl_->audio->log[i];
        if (line.compare(0, prefix.size(), prefix) == 0) {
            played.push_back(impl_->idOfSample[std::atoi(line.substr(prefix.size()).c_str())]);
        }
    }
    impl_->seen = impl_->audio->log.size();
    return played;
}

} // namespace gametest

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
    SetErrorHandler([this](const std::string& text) { errors.push_back(text); });
    SystemRandom().Seed(20261206);
    ZoSysConfig::Instance().difficulty = 0;
    ZoProfileManager& profiles = ZoProfileManager::Instance();
    profiles.AddProfile(kPlayer);
    profiles.SelectProfile(kPlayer);
    profiles.ClearSavedGame();
    profiles.RefreshSavedFlag();
    ZoTopTables::Instance().CreateGameTables();
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
    SetErrorHandler(nullptr);
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
