// The sound manager's rules, driven through a recording backend.
#include "ZoSoundManager.h"
#include "RecordingAudio.h"
#include "SoundTestData.h"
#include "ZoRandom.h"

#include <gtest/gtest.h>

#include <algorithm>

using SoundTestData::MakeWav;

namespace {

using Log = std::vector<std::string>;

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
    ZoStreamId Stream(ZoPlayList* list, std::size_t track) { return list->Tracks()[track].stream; }
    Log LogSince(std::size_t from) const { return {audio->log.begin() + static_cast<long>(from), audio->log.end()}; }
    void EndTrack() {
        audio->EndPlayingStream();
        manager->Poll();
    }

    SoundTestData::MemoryFiles files;
    RecordingAudio* audio = nullptr;
    std::unique_ptr<ZoSoundManager> manager;
};

TEST_F(SoundManagerTest, ABusyDeviceIsTriedAgainAndOneThatNeverOpenedIsNeverAskedToPlay) {
    // A device busy for a moment is tried again; how long is checked on the real mixer.
    auto busy = std::make_unique<RecordingAudio>();
    busy->failingOpens = 2;
    EXPECT_TRUE(ZoSoundManager(std::move(busy)).Init(96, 96));
    audio->failingOpens = -1;
    EXPECT_FALSE(manager->Init(200, 200));
    files.Add("Data/Sounds/FireBall.Wav", MakeWav(50));
    const std::size_t before = audio->log.size();
    EXPECT_FALSE(manager->LoadSample(10, "Data/Sounds/FireBall.Wav"));
    EXPECT_EQ(manager->PlaySound(10), -1);
    AddList(0, {"Data/Music/Menu.Ogg"});
    manager->SetPlayList(0);
    manager->PlayMusic();
    manager->PauseAll(true);
    EXPECT_EQ(LogSince(before), Log{});
}

TEST_F(SoundManagerTest, MissingDamagedAndSilentSamplesPlayNothingAndAReplacedOneIsFreed) {
    ASSERT_TRUE(manager->Init(96, 96));
    files.Add("Bad.Wav", "RIF");
    files.Add("One.Wav", MakeWav(20));
    files.Add("Two.Wav", MakeWav(30));
    EXPECT_FALSE(manager->LoadSample(2, "Missing.Wav"));
    EXPECT_FALSE(manager->LoadSample(2, "Bad.Wav"));
    ASSERT_TRUE(manager->LoadSample(0, "One.Wav"));
    const std::size_t before = audio->log.size();
    for (std::int32_t id : {2, 0, 77}) // damaged, the silent id 0, never loaded
        EXPECT_EQ(manager->PlaySound(id), -1) << id;
    EXPECT_EQ(LogSince(before), Log{});
    ASSERT_TRUE(manager->LoadSample(2, "One.Wav"));
    ASSERT_TRUE(manager->LoadSample(2, "Two.Wav"));
    EXPECT_EQ(audio->samples.size(), 2u);
}

TEST_F(SoundManagerTest, TheVolumeSlidersTurnEffectsAndMusicOffBelowSixteenAndKeepTheTrackGoing) {
    ASSERT_TRUE(manager->Init(10, 10));
    files.Add("Click.Wav", MakeWav(20));
    ASSERT_TRUE(manager->LoadSample(2, "Click.Wav"));
    ZoPlayList* menu = AddList(0, {"Menu.Ogg"});
    manager->SetPlayList(0);
    manager->PlayMusic();
    EXPECT_EQ(audio->playing, 0u);
    EXPECT_EQ(manager->PlaySound(2), -1);
    // What the options dialog does with each slider move.
    auto sound = [this](int value) {
        manager->SetSoundEnabled(value >= ZoSoundManager::kAudibleVolume);
        manager->SetSoundVolume(value);
    };
    auto music = [this](int value) {
        manager->SetMusicVolume(value);
        const bool on = manager->MusicVolume() >= ZoSoundManager::kAudibleVolume;
        manager->SetMusicEnabled(on);
        on ? manager->ResumeMusic() : manager->StopMusic();
    };
    sound(15);
    EXPECT_EQ(manager->PlaySound(2), -1);
    sound(30);
    const int channel = manager->PlaySound(2);
    ASSERT_GE(channel, 0);
    EXPECT_EQ(audio->channelVolumes[channel], 30);
    EXPECT_EQ(audio->channelVolumes[31], 30);
    music(60);
    EXPECT_EQ(audio->playing, Stream(menu, 0));
    audio->streams[Stream(menu, 0)].position = 700;
    const std::size_t before = audio->log.size();
    music(75);
    EXPECT_EQ(LogSince(before), Log{"volume 32 = 75"}); // dragging does not start the track over
    EXPECT_EQ(audio->channelVolumes[0], 30) << "the music slider leaves the effects alone";
    music(0);
    EXPECT_EQ(audio->playing, 0u);
    music(300);
    EXPECT_EQ(manager->MusicVolume(), 255) << "pinned, not wrapped to silence";
    EXPECT_EQ(audio->Lines("play-stream").back(), "play-stream " + std::to_string(Stream(menu, 0)) + " from 700 -> 32");
}

TEST_F(SoundManagerTest, AnEndReplaysTheTrackTheNextMovesOnAndOnlyAFullListShuffles) {
    ASSERT_TRUE(manager->Init(96, 96));
    ZoPlayList* menu = AddList(0, {"Menu.Ogg"});
    ZoPlayList* list = AddList(1, {"T1.Ogg", "T2.Ogg", "T3.Ogg"});
    const std::vector<ZoStreamId> original = {Stream(list, 0), Stream(list, 1), Stream(list, 2)};
    SystemRandom().Seed(99);
    manager->SetPlayList(0);
    manager->PlayMusic();
    for (int end = 0; end < 3; ++end)
        EndTrack();
    EXPECT_EQ(audio->playing, Stream(menu, 0));
    EXPECT_EQ(SystemRandom().State(), 99u) << "music draws no random numbers from the game's generator";
    manager->SetPlayList(1);
    manager->PlayMusic();
    // The end count runs on across lists: after the menu's three ends, this list's first end moves on.
    EXPECT_EQ(audio->playing, original[1]);
    EndTrack();
    EXPECT_EQ(audio->playing, original[2]);
    EXPECT_EQ(SystemRandom().State(), 99u);
    EndTrack();
    EndTrack(); // past the last: shuffled, from the top
    EXPECT_EQ(list->CurrentIndex(), 0);
    EXPECT_NE(SystemRandom().State(), 99u);
    std::vector<ZoStreamId> now = {Stream(list, 0), Stream(list, 1), Stream(list, 2)};
    EXPECT_TRUE(std::is_permutation(now.begin(), now.end(), original.begin()));
    EXPECT_EQ(list->Names(), (std::vector<std::string>{"T1.Ogg", "T2.Ogg", "T3.Ogg"}));
    EXPECT_EQ(audio->playing, now[0]);
}

TEST_F(SoundManagerTest, AStoppedTrackKeepsItsPlaceAndAReplacedListIsClosed) {
    ASSERT_TRUE(manager->Init(96, 96));
    ZoPlayList* menu = AddList(0, {"Menu.Ogg"});
    ZoPlayList* game = AddList(1, {"A.Ogg", "A2.Ogg"});
    manager->SetPlayList(0);
    manager->PlayMusic();
    // Stopped twice (the slider off, then a game starts): the first place stays and is where it resumes.
    audio->streams[Stream(menu, 0)].position = 6000;
    manager->StopMusic();
    EXPECT_EQ(manager->SetPlayList(1), game);
    manager->PlayMusic();
    manager->SetPlayList(0);
    manager->PlayMusic();
    EXPECT_EQ(audio->Lines("play-stream").back(), "play-stream " + std::to_string(Stream(menu, 0)) + " from 6000 -> 32");
    // A list replaced while it plays is stopped and closed; nothing is current until one is chosen.
    const ZoStreamId playing = audio->playing;
    AddList(0, {"Menu2.Ogg"});
    EXPECT_EQ(manager->CurrentPlayList(), nullptr);
    EXPECT_EQ(audio->playing, 0u);
    EXPECT_TRUE(audio->streams[playing].closed);
    manager->PlayMusic();
    EXPECT_EQ(audio->playing, 0u);
}

TEST_F(SoundManagerTest, MissingMusicIsSilentAndShutDownFreesEverythingOnce) {
    ASSERT_TRUE(manager->Init(96, 96));
    files.Add("Broken.Ogg", "OggS");
    auto list = std::make_unique<ZoPlayList>(*manager);
    list->AddTrack("Nowhere.Ogg");
    list->AddTrack("Broken.Ogg");
    EXPECT_TRUE(list->Tracks().empty());
    manager->AddPlayList(0, std::move(list));
    manager->SetPlayList(0);
    manager->PlayMusic();
    manager->NextTrack();
    manager->RestartTrack();
    EXPECT_EQ(manager->SetPlayList(7), nullptr);
    manager->PlayMusic();
    manager->Poll();
    EXPECT_TRUE(audio->Lines("play-stream").empty());

    files.Add("Fire.Wav", MakeWav(20));
    ASSERT_TRUE(manager->LoadSample(10, "Fire.Wav"));
    AddList(1, {"A.Ogg", "B.Ogg"});
    manager->SetPlayList(1);
    manager->PlayMusic();
    ASSERT_EQ(audio->LiveResources(), 3u);
    manager->Shutdown();
    manager->Shutdown();
    EXPECT_EQ(audio->LiveResources(), 0u);
    EXPECT_EQ(std::count(audio->log.begin(), audio->log.end(), "close"), 1);
    EXPECT_EQ(audio->log.back(), "close"); // streams and samples go before the device
    EXPECT_EQ(manager->PlaySound(10), -1);
    manager->PlayMusic();
    manager->Poll();
}

} // namespace
