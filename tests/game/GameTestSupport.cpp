#include "GameTestSupport.h"

#include "GameSprites.h"
#include "GraphicsTestSupport.h"
#include "RecordingAudio.h"
#include "SoundTestData.h"
#include "ZoRandom.h"
#include "ZoResourceManager.h"
#include "ZoSysConfig.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace gametest {

void EnsureGameWorld() {
    static bool ready = false;
    if (ready) {
        return;
    }
    ready = true;
    gfxtest::EnsureWorld();
    const char* binary = std::getenv("KORRIK_BINARY_DIR");
    const std::string folder = std::string(binary != nullptr ? binary : ".") + "/Data/";
    ASSERT_TRUE(ZoResourceManager::Instance().Open(folder + "Resource.Zor"));
    GameSprites::Instance().LoadSprites();
}

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

int SoundEar::Count(int id) const {
    int count = 0;
    const std::string prefix = "play-sample ";
    for (std::size_t i = impl_->seen; i < impl_->audio->log.size(); ++i) {
        const std::string& line = impl_->audio->log[i];
        if (line.compare(0, prefix.size(), prefix) == 0 &&
            impl_->idOfSample.at(std::atoi(line.substr(prefix.size()).c_str())) == id) {
            ++count;
        }
    }
    return count;
}

Board::Board(bool arcade) {
    EnsureGameWorld();
    GameSprites::Instance().Layer().Clear();
    ZoSysConfig::Instance().difficulty = 0;
    if (arcade) {
        map = std::make_unique<ArcadeMap>();
    } else {
        map = std::make_unique<GameMap>();
    }
    map->SetLayer(&GameSprites::Instance().Layer());
    shooter = std::make_unique<Shooter>();
    shooter->Setup();
    shooter->SetMap(map.get());
    map->SetShooter(shooter.get());
    map->ComputeWalls();
    GameValues().GameState = 0;
}

Board::~Board() {
    map.reset();
    shooter.reset();
    GameSprites::Instance().Layer().Clear();
}

void Board::Fill(const std::vector<std::string>& rows) {
    for (int x = 0; x < GameValues().xMax; ++x) {
        for (int y = 0; y < GameValues().yMax; ++y) {
            map->TakeBubble(x, y);
        }
    }
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            if (c >= '0' && c <= '5') {
                Put(static_cast<int>(x), static_cast<int>(y), c - '0');
            }
        }
    }
}

BaseBubble* Board::Put(int x, int y, int colour) {
    std::unique_ptr<BaseBubble> bubble = GameSprites::Instance().MakeBubble(colour);
    bubble->position = map->CellToPixel(x, y);
    bubble->restPosition = bubble->position;
    bubble->EnterLayer(map->Layer());
    BaseBubble* raw = bubble.get();
    EXPECT_TRUE(map->SetBubble(x, y, std::move(bubble)));
    return raw;
}

std::vector<std::string> Board::Rows() const {
    std::vector<std::string> rows;
    for (int y = 0; y < GameValues().yMax; ++y) {
        std::string row;
        for (int x = 0; x < GameValues().xMax; ++x) {
            const BaseBubble* bubble = map->Bubble(x, y);
            row += bubble != nullptr ? static_cast<char>('0' + bubble->BubbleID) : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

void Board::Load(int current, int next) {
    std::unique_ptr<BaseBubble> ball = GameSprites::Instance().MakeBubble(current);
    ball->position = ZoVector(static_cast<float>(map->xPlayerPos), static_cast<float>(map->yPlayerPos));
    shooter->SetCurrentBubble(std::move(ball));
    map->SetNextBubble(GameSprites::Instance().MakeBubble(next));
    // Counted as in the intro, so the new colour set costs no line.
    map->MapState = GameMap::kIntro;
    map->RefreshColours();
    map->MapState = GameMap::kReady;
    shooter->reloadCountdown = 0;
}

void Board::AimAt(float x, float y) {
    shooter->HandleMouse(0, Shooter::kMouseMove, x, y);
}

void Board::Fire() {
    shooter->HandleMouse(Shooter::kReleasedLeft, 0x202, 0.0f, 0.0f);
}

int Board::FlyUntilLanded(int step, int limit) {
    int time = 0;
    while (shooter->flying && time < limit) {
        map->Update(step);
        time += step;
    }
    return time;
}

void Board::SettleFalling(int step) {
    for (int i = 0; i < 1000 && !map->Falling().empty(); ++i) {
        map->Update(step);
    }
}

} // namespace gametest
