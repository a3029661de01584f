// The sound manager's rules, driven through a recording backend.
#include "ZoSoundManager.h"
#include "RecordingAudio.h"
#include "SoundTestData.h"
#include "ZoRandom.h"

#include <gtest/gtest.h>

#include <algorithm>

using SoundTestData::MakeOgg;
using SoundTestData::MakeWav;

namespace {

class SoundManagerTest : public ::testing::Test {
protected:
    SoundManagerTest() {
        auto backend = std::make_unique<RecordingAudio>();
        audio = backend.get();
        manager = std::make_unique<ZoSoundManager>(std::move(backend));
        manager->SetFileReader(files.Reader());
    }

    // A play list of the given tracks (each file added under its own name).
    ZoPlayList* AddList(std::int32_t id, const std::vector<std::string>& names) {
        auto list = std::make_unique<ZoPlayList>(*manager);
        for (const std::string& name : names) {
            files.Add(name, MakeWav(10));
            list->AddTrack(name);
        }
        ZoPlayList* raw = list.get();
        manager->AddPlayList(id, std::move(list));
        return raw;
    }

    // What the backend was asked after the given log position.
    std::vector<std::string> LogSince(std::size_t from) const {
        return {audio->log.begin() + static_cast<std::ptrdiff_t>(from), audio->log.end()};
    }

    void EndTrack() {
        audio->EndPlayingStream();
        manager->Poll();
    }

    SoundTestData::MemoryFiles files;
    RecordingAudio* audio = nullptr;
    std::unique_ptr<ZoSoundManager> manager;
};

using Log = std::vector<std::string>;

TEST_F(SoundManagerTest, InitRetriesTenTimesWithinAboutASecond) {
    struct Case {
        int failingOpens;
        std::uint32_t openMilliseconds;
        bool opens;
        int attempts; // -1: fewer than ten
        std::size_t waits;
    } const cases[] = {
        {2, 0, true, 2, 2},
        {-1, 0, false, 10, 10},
        {-1, 300, false, -1, 0}, // slow attempts never stretch start-up beyond the budget
    };
    for (const Case& c : cases) {
        auto backend = std::make_unique<RecordingAudio>();
        RecordingAudio& device = *backend;
        ZoSoundManager sounds(std::move(backend));
        device.failingOpens = c.failingOpens;
        device.openMilliseconds = c.openMilliseconds;
        EXPECT_EQ(sounds.Init(96, 96), c.opens) << c.failingOpens << " " << c.openMilliseconds;
        EXPECT_EQ(sounds.IsOpen(), c.opens);
        if (c.attempts < 0) {
            EXPECT_LT(sounds.InitAttempts(), 10);
            EXPECT_LE(device.clock, ZoSoundManager::kInitBudgetMilliseconds + c.openMilliseconds);
        } else {
            EXPECT_EQ(sounds.InitAttempts(), c.attempts);
            EXPECT_EQ(device.Lines("wait 100").size(), c.waits);
        }
    }
    audio->failingOpens = -1;
    EXPECT_FALSE(manager->Init(200, 200));
    EXPECT_EQ(audio->Lines("open 48000 32").size(), 11u);
    EXPECT_EQ(audio->clock, 1000u);

    // A device that never opened hears nothing.
    files.Add("Data/Sounds/FireBall.Wav", MakeWav(50));
    const std::size_t before = audio->log.size();
    EXPECT_FALSE(manager->LoadSample(10, "Data/Sounds/FireBall.Wav"));
    EXPECT_EQ(manager->PlaySound(10, nullptr), -1);
    AddList(0, {"Data/Music/Menu.Ogg"});
    manager->SetPlayList(0);
    manager->PlayMusic();
    manager->PauseAll(true);
    EXPECT_EQ(LogSince(before), Log{});
}

TEST_F(SoundManagerTest, MissingDamagedReplacedAndIdZeroSamples) {
    ASSERT_TRUE(manager->Init(96, 96));
    files.Add("Data/Sounds/Bad.Wav", "RIF");
    files.Add("Data/Sounds/One.Wav", MakeWav(20));
    files.Add("Data/Sounds/Two.Ogg", MakeOgg(50));
    EXPECT_FALSE(manager->LoadSample(2, "Data/Sounds/Missing.Wav"));
    EXPECT_FALSE(manager->LoadSample(2, "Data/Sounds/Bad.Wav"));
    EXPECT_FALSE(manager->HasSample(2));

    ASSERT_TRUE(manager->LoadSample(0, "Data/Sounds/One.Wav"));
    const std::size_t before = audio->log.size();
    for (std::int32_t id : {2, 0, 77}) { // the damaged one, the silent id 0, one never loaded
        EXPECT_EQ(manager->PlaySound(id, nullptr), -1) << id;
    }
    EXPECT_EQ(LogSince(before), Log{});

    ASSERT_TRUE(manager->LoadSample(2, "Data/Sounds/One.Wav"));
    ASSERT_TRUE(manager->LoadSample(2, "Data/Sounds/Two.Ogg"));
    EXPECT_EQ(audio->samples.size(), 2u) << "the replaced sample is freed";
    EXPECT_EQ(audio->samples.rbegin()->second.substr(0, 4), "OggS");
}

TEST_F(SoundManagerTest, TheSoundTableLoadsWhatTheArchiveHolds) {
    ASSERT_TRUE(manager->Init(96, 96));
    for (const std::string& name : SoundTestData::kEffectFiles) {
        if (name != "Data/Sounds/Swap.Ogg") {
            files.Add(name, MakeWav(10));
        }
    }
    // "Swap.Ogg" is missing: its id stays silent, the rest load.
    EXPECT_EQ(LoadSoundTable(*manager), 14);
    for (std::int32_t id : {0, 1, 2, 3, 4, 5, 10, 11, 12, 100, 101, 102, 103, 104}) {
        EXPECT_TRUE(manager->HasSample(id)) << id;
    }
    EXPECT_FALSE(manager->HasSample(110));
    EXPECT_EQ(manager->PlaySound(110, nullptr), -1);
    EXPECT_GE(manager->PlaySound(104, nullptr), 0);
}

TEST_F(SoundManagerTest, QuietSoundOptionKeepsEffectsOffUntilTheSliderReachesSixteen) {
    ASSERT_TRUE(manager->Init(10, 96));
    files.Add("Data/Sounds/Interface/ButtonClick.Wav", MakeWav(20));
    ASSERT_TRUE(manager->LoadSample(2, "Data/Sounds/Interface/ButtonClick.Wav"));
    EXPECT_FALSE(manager->SoundEnabled());
    EXPECT_EQ(manager->PlaySound(2, nullptr), -1);

    // The options dialog: enabled = (v >= 16), then SetSoundVolume(v).
    auto slider = [this](int value) {
        manager->SetSoundEnabled(value >= ZoSoundManager::kAudibleVolume);
        manager->SetSoundVolume(value);
    };
    slider(15);
    EXPECT_EQ(manager->PlaySound(2, nullptr), -1);
    slider(30);
    const int channel = manager->PlaySound(2, nullptr);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(audio->channelVolumes[channel], 30);
    slider(5);
    EXPECT_EQ(manager->PlaySound(2, nullptr), -1);
    EXPECT_EQ(manager->SoundVolume(), 30) << "a volume set while effects are off is not kept";
    slider(45);
    EXPECT_GE(manager->PlaySound(2, nullptr), 0);
}

TEST_F(SoundManagerTest, SoundVolumeReachesEveryEffectChannelButLeavesTheMusicAlone) {
    ASSERT_TRUE(manager->Init(96, 200));
    AddList(0, {"Data/Music/Menu.Ogg"});
    manager->SetPlayList(0);
    manager->PlayMusic();
    manager->SetSoundVolume(40);
    EXPECT_EQ(audio->channelVolumes[0], 40);
    EXPECT_EQ(audio->channelVolumes[31], 40);
    EXPECT_EQ(audio->channelVolumes[ZoAudioBackend::kMusicChannel], 200);
    manager->SetMusicVolume(300);
    EXPECT_EQ(manager->MusicVolume(), 255) << "out-of-range volumes are pinned, not wrapped to silence";
    EXPECT_EQ(audio->channelVolumes[ZoAudioBackend::kMusicChannel], 255);
}

TEST_F(SoundManagerTest, StartUpPlayListsStartTheMenuMusic) {
    ASSERT_TRUE(manager->Init(96, 150));
    files.Add("Data/Music/Menu.Ogg", MakeOgg(100));
    files.Add("Data/Music/A.Ogg", MakeOgg(100));
    CreateMusicPlayLists(*manager);
    ZoPlayList* menu = manager->GetPlayList(0);
    ZoPlayList* game = manager->GetPlayList(1);
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(manager->CurrentPlayList(), menu);
    EXPECT_EQ(game->Tracks().size(), 2u);
    EXPECT_NE(game->Tracks()[0].stream, game->Tracks()[1].stream) << "each copy has its own stream";
    EXPECT_EQ(audio->playing, menu->Tracks()[0].stream);
    EXPECT_EQ(audio->channelVolumes[ZoAudioBackend::kMusicChannel], 150);
}

TEST_F(SoundManagerTest, QuietMusicOptionStartsNoMusicUntilTheSliderTurnsItOn) {
    ASSERT_TRUE(manager->Init(96, 10));
    files.Add("Data/Music/Menu.Ogg", MakeOgg(100));
    files.Add("Data/Music/A.Ogg", MakeOgg(100));
    CreateMusicPlayLists(*manager);
    EXPECT_EQ(audio->playing, 0u);
    audio->EndPlayingStream();
    manager->Poll();
    EXPECT_EQ(audio->playing, 0u);

    // The options dialog: SetMusicVolume(v), then on (ResumeMusic) or off (StopMusic).
    auto slider = [this](int value) {
        manager->SetMusicVolume(value);
        if (manager->MusicVolume() < ZoSoundManager::kAudibleVolume) {
            manager->SetMusicEnabled(false);
            manager->StopMusic();
        } else {
            manager->SetMusicEnabled(true);
            manager->ResumeMusic();
        }
    };
    slider(60);
    const ZoStreamId menuStream = manager->GetPlayList(0)->Tracks()[0].stream;
    EXPECT_EQ(audio->playing, menuStream);
    EXPECT_EQ(audio->channelVolumes[ZoAudioBackend::kMusicChannel], 60);

    // Dragging on keeps the track going instead of starting it over at every move.
    audio->streams[menuStream].position = 700;
    const std::size_t before = audio->log.size();
    slider(75);
    slider(90);
    EXPECT_EQ(audio->Lines("play-stream").size(), 1u);
    EXPECT_EQ(LogSince(before), (Log{"volume 32 = 75", "volume 32 = 90"}));

    slider(0);
    EXPECT_EQ(audio->playing, 0u);
    slider(30);
    EXPECT_EQ(audio->log.back(), "volume 32 = 30");
    EXPECT_EQ(audio->Lines("play-stream").back(),
              "play-stream " + std::to_string(menuStream) + " from 700 -> 32");
}

TEST_F(SoundManagerTest, OneTrackListReplaysAndNeverShuffles) {
    ASSERT_TRUE(manager->Init(96, 96));
    ZoPlayList* menu = AddList(0, {"Data/Music/Menu.Ogg"});
    SystemRandom().Seed(99);
    manager->SetPlayList(0);
    manager->PlayMusic();
    const ZoStreamId stream = menu->Tracks()[0].stream;
    for (int end = 0; end < 5; ++end) {
        EndTrack();
        EXPECT_EQ(audio->playing, stream) << "after end " << end;
    }
    EXPECT_EQ(audio->Lines("play-stream").size(), 6u);
    EXPECT_EQ(SystemRandom().State(), 99u) << "a one-track list draws no random numbers";
}

TEST_F(SoundManagerTest, FirstEndReplaysSecondMovesOnAndThreeTracksShuffleAfterTheLast) {
    ASSERT_TRUE(manager->Init(96, 96));
    ZoPlayList* list = AddList(0, {"T1.Ogg", "T2.Ogg", "T3.Ogg"});
    std::vector<ZoStreamId> original;
    for (const ZoMusicSample& track : list->Tracks()) {
        original.push_back(track.stream);
    }
    SystemRandom().Seed(12345);
    manager->SetPlayList(0);
    manager->PlayMusic();
    // A fresh list starts by moving on from index 0.
    EXPECT_EQ(list->CurrentIndex(), 1);
    EXPECT_EQ(audio->playing, original[1]);
    EndTrack(); // first end: same track again
    EXPECT_EQ(audio->playing, original[1]);
    EXPECT_EQ(audio->Lines("play-stream").back(),
              "play-stream " + std::to_string(original[1]) + " from 0 -> 32");
    EndTrack(); // second end: the next track
    EXPECT_EQ(audio->playing, original[2]);
    EXPECT_EQ(SystemRandom().State(), 12345u);
    EndTrack();
    EXPECT_EQ(audio->playing, original[2]);
    EndTrack(); // past the last: shuffle, start at the top
    EXPECT_EQ(list->CurrentIndex(), 0);
    // Seed 12345 draws four numbers (one swap, then three) and leaves the order 2, 3, 1.
    const std::vector<ZoStreamId> expected = {original[1], original[2], original[0]};
    std::vector<ZoStreamId> now;
    for (const ZoMusicSample& track : list->Tracks()) {
        now.push_back(track.stream);
    }
    EXPECT_EQ(now, expected);
    EXPECT_EQ(list->Names(), (std::vector<std::string>{"T1.Ogg", "T2.Ogg", "T3.Ogg"}))
        << "names keep their order";
    EXPECT_EQ(audio->playing, expected[0]);
}

TEST_F(SoundManagerTest, TheEndCountIsSharedByAllPlayLists) {
    ASSERT_TRUE(manager->Init(96, 96));
    ZoPlayList* menu = AddList(0, {"Menu.Ogg"});
    ZoPlayList* game = AddList(1, {"A.Ogg", "B.Ogg"});
    manager->SetPlayList(0);
    manager->PlayMusic();
    EndTrack(); // count 1: the menu track replays
    EXPECT_EQ(audio->playing, menu->Tracks()[0].stream);
    manager->SetPlayList(1);
    manager->PlayMusic();
    EXPECT_EQ(audio->playing, game->Tracks()[1].stream);
    EndTrack(); // count 2: moves on at once, wrapping to the top of the game list
    EXPECT_EQ(game->CurrentIndex(), 0);
    EXPECT_EQ(audio->playing, game->Tracks()[0].stream);
}

TEST_F(SoundManagerTest, SwitchingPlayListsKeepsAndRestoresThePosition) {
    ASSERT_TRUE(manager->Init(96, 96));
    ZoPlayList* menu = AddList(0, {"Menu.Ogg"});
    ZoPlayList* game = AddList(1, {"A.Ogg", "A2.Ogg"});
    manager->SetPlayList(0);
    manager->PlayMusic();
    const ZoStreamId menuStream = menu->Tracks()[0].stream;
    audio->streams[menuStream].position = 5000;

    EXPECT_EQ(manager->SetPlayList(1), game);
    EXPECT_EQ(audio->log.back(), "stop-stream " + std::to_string(menuStream));
    EXPECT_EQ(menu->Tracks()[0].savedPosition, 5000u);
    manager->PlayMusic();
    EXPECT_EQ(audio->playing, game->Tracks()[1].stream);
    audio->streams[game->Tracks()[1].stream].position = 1234;

    manager->SetPlayList(0);
    EXPECT_EQ(game->Tracks()[1].savedPosition, 1234u);
    manager->PlayMusic();
    EXPECT_EQ(audio->Lines("play-stream").back(),
              "play-stream " + std::to_string(menuStream) + " from 5000 -> 32");
    EXPECT_EQ(menu->Tracks()[0].savedPosition, 0u);
    // Stopping twice (slider off, then a list switch) keeps the first saved position.
    audio->streams[menuStream].position = 6000;
    manager->StopMusic();
    manager->SetPlayList(1);
    EXPECT_EQ(menu->Tracks()[0].savedPosition, 6000u);
}

TEST_F(SoundManagerTest, MissingMusicAndUnknownListsAreSilentNotFatal) {
    ASSERT_TRUE(manager->Init(96, 96));
    auto list = std::make_unique<ZoPlayList>(*manager);
    list->AddTrack("Data/Music/Nowhere.Ogg");
    files.Add("Data/Music/Broken.Ogg", "OggS");
    list->AddTrack("Data/Music/Broken.Ogg");
    EXPECT_EQ(list->Names().size(), 2u);
    EXPECT_TRUE(list->Tracks().empty());
    manager->AddPlayList(0, std::move(list));
    manager->SetPlayList(0);
    manager->PlayMusic();
    manager->NextTrack();
    manager->RestartTrack();
    manager->StopMusic();
    EXPECT_TRUE(audio->Lines("play-stream").empty());

    EXPECT_EQ(manager->SetPlayList(7), nullptr);
    manager->PlayMusic();
    manager->SetMusicVolume(100);
    manager->Poll();
    EXPECT_TRUE(audio->Lines("play-stream").empty());
}

TEST_F(SoundManagerTest, ShutdownClosesStreamsBeforeTheDeviceAndCanRunTwice) {
    ASSERT_TRUE(manager->Init(96, 96));
    files.Add("Data/Sounds/FireBall.Wav", MakeWav(20));
    ASSERT_TRUE(manager->LoadSample(10, "Data/Sounds/FireBall.Wav"));
    AddList(0, {"Menu.Ogg"});
    AddList(1, {"A.Ogg", "B.Ogg"});
    manager->SetPlayList(0);
    manager->PlayMusic();
    ASSERT_EQ(audio->LiveResources(), 4u);

    manager->Shutdown();
    EXPECT_EQ(audio->LiveResources(), 0u);
    EXPECT_EQ(audio->log.back(), "close");
    EXPECT_EQ(manager->CurrentPlayList(), nullptr);
    manager->Shutdown();
    EXPECT_EQ(std::count(audio->log.begin(), audio->log.end(), "close"), 1);
    EXPECT_EQ(manager->PlaySound(10, nullptr), -1);
    manager->PlayMusic();
    manager->Poll();
}

TEST_F(SoundManagerTest, ReplacingTheCurrentListStopsItAndLeavesNoCurrentList) {
    ASSERT_TRUE(manager->Init(96, 96));
    ZoPlayList* old = AddList(0, {"Menu.Ogg"});
    manager->SetPlayList(0);
    manager->PlayMusic();
    const ZoStreamId oldStream = old->Tracks()[0].stream;
    AddList(0, {"Menu2.Ogg"});
    EXPECT_EQ(manager->CurrentPlayList(), nullptr);
    EXPECT_EQ(audio->playing, 0u);
    EXPECT_TRUE(audio->streams[oldStream].closed);
    manager->PlayMusic();
    EXPECT_EQ(audio->playing, 0u);
}

} // namespace
