// The real SDL mixer path under SDL's dummy audio driver: decoding, streams, end notices, pausing.
#include "PlatformAudio.h"
#include "SoundTestData.h"
#include "ZoArchiveWriter.h"
#include "ZoMixerAudio.h"
#include "ZoRandom.h"
#include "ZoSoundManager.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>

using SoundTestData::MakeOgg;
using SoundTestData::MakeWav;

namespace {

// Headless on purpose, whatever driver the environment asks for.
void UseDummyDriver() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

class MixerAudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseDummyDriver();
        manager = std::make_unique<ZoSoundManager>(std::make_unique<ZoMixerAudio>());
        manager->SetFileReader(files.Reader());
        ASSERT_TRUE(manager->Init(200, 200)) << SDL_GetError();
    }
    void TearDown() override { manager->Shutdown(); }

    ZoPlayList* AddList(std::int32_t id, const std::vector<std::pair<std::string, int>>& tracks) {
        auto list = std::make_unique<ZoPlayList>(*manager);
        double frequency = 330.0;
        for (const auto& [name, milliseconds] : tracks) {
            files.Add(name, MakeOgg(milliseconds, frequency));
            frequency *= 1.5;
            list->AddTrack(name);
        }
        ZoPlayList* raw = list.get();
        manager->AddPlayList(id, std::move(list));
        return raw;
    }

    bool Playing(ZoStreamId stream) { return manager->Backend().IsStreamPlaying(stream); }

    // Waits for the wake-up event of a finished track; true when it came within the time.
    static bool WaitForWakeEvent(Uint32 timeoutMilliseconds) {
        const Uint32 type = PlatformAudio::WakeEventType();
        const Uint32 deadline = SDL_GetTicks() + timeoutMilliseconds;
        while (!SDL_TICKS_PASSED(SDL_GetTicks(), deadline)) {
            SDL_PumpEvents();
            SDL_Event event;
            if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, type, type) == 1) {
                return true;
            }
            SDL_Delay(5);
        }
        return false;
    }

    SoundTestData::MemoryFiles files;
    std::unique_ptr<ZoSoundManager> manager;
};

TEST_F(MixerAudioTest, WavAndOggEffectsLoadFromMemoryAndPlay) {
    files.Add("Data/Sounds/FireBall.Wav", MakeWav(100));
    files.Add("Data/Sounds/Swap.Ogg", MakeOgg(100));
    ASSERT_TRUE(manager->LoadSample(10, "Data/Sounds/FireBall.Wav"));
    ASSERT_TRUE(manager->LoadSample(110, "Data/Sounds/Swap.Ogg"));
    const int first = manager->PlaySound(10, nullptr);
    const int second = manager->PlaySound(110, nullptr);
    EXPECT_GE(first, 0);
    EXPECT_LT(first, 32);
    EXPECT_GE(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(Mix_Playing(first), 1);
    EXPECT_EQ(Mix_Volume(first, -1), (200 * MIX_MAX_VOLUME + 127) / 255);
    EXPECT_EQ(manager->PlaySound(0, nullptr), -1);
}

TEST_F(MixerAudioTest, DamagedSoundFilesAndDangerousWavHeadersStaySilent) {
    const std::string wav = MakeWav(100);
    std::string wrapping = MakeWav(50);
    // Found by fuzzing: 256 channels wrap the decoder's 8-bit count to 0 and it divides by it.
    wrapping[22] = 0;
    wrapping[23] = 1;
    std::string fastRate = MakeWav(50);
    fastRate.replace(24, 4, std::string("\x40\x1e\xfa\x00", 4)); // about 16 MHz
    // And a data length of almost 4 GB in a file of 200 bytes makes it reserve all of that.
    std::string longData = MakeWav(5);
    longData.replace(40, 4, std::string("\xef\xef\xef\xef", 4));
    files.Add("Bad.Wav", wav.substr(0, 12) + std::string(40, '\x7f'));
    files.Add("Bad.Ogg", MakeOgg(200).substr(0, 40) + std::string(200, '\x55'));
    files.Add("Empty.Wav", "");
    files.Add("Text.Wav", "not a sound at all, just words");
    files.Add("Wrap.Wav", wrapping);
    files.Add("Fast.Wav", fastRate);
    files.Add("Long.Wav", longData);
    files.Add("Good.Wav", wav);
    const char* const damaged[] = {"Bad.Wav",  "Bad.Ogg",  "Empty.Wav", "Text.Wav",
                                   "Wrap.Wav", "Fast.Wav", "Long.Wav",  "Missing.Wav"};
    for (const char* name : damaged) {
        EXPECT_FALSE(manager->LoadSample(3, name)) << name;
    }
    EXPECT_EQ(manager->PlaySound(3, nullptr), -1);
    EXPECT_TRUE(manager->LoadSample(1, "Good.Wav"));

    // Music is Ogg only: damaged files never reach a music decoder, nor does a good WAV.
    ZoPlayList* list = AddList(0, {});
    for (const char* name : {"Bad.Ogg", "Text.Wav", "Wrap.Wav", "Good.Wav"}) {
        list->AddTrack(name);
    }
    EXPECT_TRUE(list->Tracks().empty());
    manager->SetPlayList(0);
    manager->PlayMusic();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MixerAudioTest, RandomlyDamagedBytesNeverCrashTheDecoders) {
    const std::string sources[] = {MakeWav(60), MakeOgg(150)};
    ZoRandom random;
    random.Seed(4711);
    int loaded = 0;
    for (int round = 0; round < 120; ++round) {
        std::string bytes = sources[round % 2];
        const int flips = 1 + random.Below(24);
        for (int i = 0; i < flips; ++i) {
            const std::size_t at = static_cast<std::size_t>(random.Below(static_cast<int>(bytes.size())));
            bytes[at] = static_cast<char>(random.Below(256));
        }
        if (round % 7 == 0) {
            bytes.resize(static_cast<std::size_t>(random.Below(static_cast<int>(bytes.size()))));
        }
        files.Add("Fuzz.Bin", bytes);
        if (manager->LoadSample(1, "Fuzz.Bin")) {
            ++loaded;
            manager->PlaySound(1, nullptr);
        }
        ZoPlayList list(*manager);
        list.AddTrack("Fuzz.Bin");
    }
    // Most single-byte damage lands in sample data, which still decodes; what matters is no crash.
    EXPECT_GT(loaded, 0);
}

TEST_F(MixerAudioTest, FirstEndReplaysSecondMovesOnAndTheMainLoopIsWoken) {
    ZoPlayList* list = AddList(0, {{"One.Ogg", 250}, {"Two.Ogg", 250}});
    ASSERT_EQ(list->Tracks().size(), 2u);
    const ZoStreamId one = list->Tracks()[0].stream;
    const ZoStreamId two = list->Tracks()[1].stream;
    manager->SetPlayList(0);
    manager->PlayMusic();
    ASSERT_TRUE(Playing(two));

    ASSERT_TRUE(WaitForWakeEvent(3000));
    EXPECT_FALSE(Playing(two)) << "the end notice only raises a flag; the main thread acts in Poll";
    manager->Poll();
    EXPECT_TRUE(Playing(two)) << "the first end plays the same track again";

    ASSERT_TRUE(WaitForWakeEvent(3000));
    manager->Poll();
    EXPECT_TRUE(Playing(one)) << "the second end moves on (wrapping round a two-track list)";
    EXPECT_EQ(list->CurrentIndex(), 0);
}

TEST_F(MixerAudioTest, StoppingOrSwitchingMusicOurselvesIsNoEnd) {
    ZoPlayList* menu = AddList(0, {{"Menu.Ogg", 3000}});
    ZoPlayList* game = AddList(1, {{"A.Ogg", 3000}, {"B.Ogg", 3000}});
    manager->SetPlayList(0);
    manager->PlayMusic();
    SDL_Delay(100);
    manager->SetPlayList(1); // halts the menu track
    manager->PlayMusic();
    SDL_Delay(100);
    manager->StopMusic();
    EXPECT_FALSE(WaitForWakeEvent(300));
    manager->Poll();
    EXPECT_FALSE(Playing(menu->Tracks()[0].stream));
    EXPECT_FALSE(Playing(game->Tracks()[0].stream));
    EXPECT_FALSE(Playing(game->Tracks()[1].stream));
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(MixerAudioTest, SwitchingPlayListsResumesTheMenuTrackWhereItWas) {
    ZoPlayList* menu = AddList(0, {{"Menu.Ogg", 4000}});
    AddList(1, {{"A.Ogg", 4000}, {"A2.Ogg", 4000}});
    const ZoStreamId stream = menu->Tracks()[0].stream;
    manager->SetPlayList(0);
    manager->PlayMusic();
    SDL_Delay(600);
    manager->SetPlayList(1);
    const std::uint32_t saved = menu->Tracks()[0].savedPosition;
    EXPECT_GE(saved, 300u);
    EXPECT_LE(saved, 1500u);
    manager->PlayMusic();
    SDL_Delay(100);
    manager->SetPlayList(0);
    manager->PlayMusic();
    ASSERT_TRUE(Playing(stream));
    const std::uint32_t resumed = manager->Backend().StreamPosition(stream);
    EXPECT_GE(resumed + 50, saved) << "resumed at " << resumed << " after saving " << saved;
    EXPECT_LE(resumed, saved + 500);
}

TEST_F(MixerAudioTest, PauseAllHoldsMusicAndEffects) {
    files.Add("Long.Wav", MakeWav(2000));
    ASSERT_TRUE(manager->LoadSample(12, "Long.Wav"));
    ZoPlayList* menu = AddList(0, {{"Menu.Ogg", 4000}});
    const ZoStreamId stream = menu->Tracks()[0].stream;
    manager->SetPlayList(0);
    manager->PlayMusic();
    const int channel = manager->PlaySound(12, nullptr);
    ASSERT_GE(channel, 0);
    SDL_Delay(200);

    manager->PauseAll(true);
    EXPECT_EQ(Mix_Paused(channel), 1);
    EXPECT_EQ(Mix_PausedMusic(), 1);
    const std::uint32_t before = manager->Backend().StreamPosition(stream);
    SDL_Delay(300);
    const std::uint32_t during = manager->Backend().StreamPosition(stream);
    EXPECT_LE(during, before + 30) << "paused music must not move on";
    EXPECT_TRUE(Playing(stream)) << "a paused track still counts as playing";

    manager->PauseAll(false);
    EXPECT_EQ(Mix_Paused(channel), 0);
    SDL_Delay(300);
    EXPECT_GE(manager->Backend().StreamPosition(stream), during + 150);
}

TEST_F(MixerAudioTest, MusicVolumeMapsOntoTheMixerScale) {
    AddList(0, {{"Menu.Ogg", 1000}});
    manager->SetPlayList(0);
    manager->PlayMusic();
    EXPECT_EQ(Mix_VolumeMusic(-1), (200 * MIX_MAX_VOLUME + 127) / 255);
    manager->SetMusicVolume(255);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    manager->SetMusicVolume(0);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    manager->SetSoundVolume(51);
    EXPECT_EQ(Mix_Volume(5, -1), (51 * MIX_MAX_VOLUME + 127) / 255);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0) << "the effect volume leaves the music alone";
}

TEST(MixerAudioArchiveTest, TheSoundTableAndTheMusicComeFromTheResourceArchive) {
    ZoArchiveWriter::Entries entries;
    for (const std::string& name : SoundTestData::kEffectFiles) {
        const bool ogg = name.substr(name.size() - 4) == ".Ogg";
        entries.emplace_back(name, ogg ? MakeOgg(80) : MakeWav(80));
    }
    entries.emplace_back("Data/Music/Menu.Ogg", MakeOgg(1500, 392.0));
    entries.emplace_back("Data/Music/A.Ogg", MakeOgg(1500, 494.0));
    const char* dir = std::getenv("KORRIK_BINARY_DIR");
    const std::string path = std::string(dir ? dir : ".") + "/sound-test/Resource.Zor";
    ASSERT_TRUE(ZoArchiveWriter::Write(path, entries));
    ASSERT_TRUE(ZoResourceManager::Instance().Open(path));
    UseDummyDriver();

    ZoSoundManager manager(std::make_unique<ZoMixerAudio>());
    ASSERT_TRUE(manager.Init(150, 150));
    EXPECT_EQ(LoadSoundTable(manager), 15);
    CreateMusicPlayLists(manager);
    ZoPlayList* menu = manager.GetPlayList(0);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Tracks().size(), 1u);
    ASSERT_EQ(manager.GetPlayList(1)->Tracks().size(), 2u);
    EXPECT_TRUE(manager.Backend().IsStreamPlaying(menu->Tracks()[0].stream));
    EXPECT_GE(manager.PlaySound(10, nullptr), 0);
    // The stream keeps reading its buffer as it plays; let it run a while.
    SDL_Delay(300);
    EXPECT_GT(manager.Backend().StreamPosition(menu->Tracks()[0].stream), 100u);
    manager.Shutdown();
    std::remove(path.c_str());
}

} // namespace
