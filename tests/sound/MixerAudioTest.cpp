// The real SDL mixer path: the game's own sounds from its archive, streams and end notices on the dummy
// driver, what reaches the output on the disk driver, and no driver at all.
#include "PlatformAudio.h"
#include "SoundTestData.h"
#include "TestFiles.h"
#include "ZoMixerAudio.h"
#include "ZoResourceManager.h"
#include "ZoSoundManager.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <functional>

using SoundTestData::MakeOgg;
using SoundTestData::MakeWav;

namespace {

// The manager on the mixer with the given SDL audio driver.
struct Mixer {
    explicit Mixer(const char* driver, int volume = 200) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        manager.SetFileReader(files.Reader());
        opened = manager.Init(volume, volume);
    }
    ~Mixer() { manager.Shutdown(); }
    ZoPlayList* AddList(std::int32_t id, const std::vector<std::pair<std::string, int>>& tracks) {
        auto list = std::make_unique<ZoPlayList>(manager);
        for (const auto& [name, milliseconds] : tracks) {
            files.Add(name, MakeOgg(milliseconds, 330.0 + 110.0 * id));
            list->AddTrack(name);
        }
        ZoPlayList* raw = list.get();
        manager.AddPlayList(id, std::move(list));
        return raw;
    }
    bool Playing(ZoStreamId stream) { return manager.Backend().IsStreamPlaying(stream); }
    std::uint32_t Position(ZoStreamId stream) { return manager.Backend().StreamPosition(stream); }

    SoundTestData::MemoryFiles files;
    ZoSoundManager manager{std::make_unique<ZoMixerAudio>()};
    bool opened = false;
};

// Waits for the wake-up event of a finished track; true when it came in time.
bool WaitForWakeEvent(Uint32 timeoutMilliseconds) {
    const Uint32 type = PlatformAudio::WakeEventType();
    for (const Uint32 deadline = SDL_GetTicks() + timeoutMilliseconds; !SDL_TICKS_PASSED(SDL_GetTicks(), deadline);
         SDL_Delay(5)) {
        SDL_PumpEvents();
        SDL_Event event;
        if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, type, type) == 1)
            return true;
    }
    return false;
}

// The audio thread runs behind on a busy machine: waits up to three seconds for done().
bool Eventually(const std::function<bool()>& done) {
    for (Uint32 waited = 0; waited < 3000; waited += 10, SDL_Delay(10))
        if (done())
            return true;
    return false;
}

TEST(MixerAudio, EveryEffectAndTrackTheGameAsksForIsInItsArchiveAndPlays) {
    ASSERT_TRUE(ZoResourceManager::Instance().Open(BinaryDir() + "/Data/Resource.Zor"));
    std::vector<std::string> missing;
    int read = 0;
    Mixer mixer("dummy", 150);
    ASSERT_TRUE(mixer.opened) << SDL_GetError();
    mixer.manager.SetFileReader([&](const std::string& name, ZoFileBlock& block) {
        const std::int32_t size = ZoResourceManager::Instance().GetFile(name, block);
        size > 0 ? ++read : (missing.push_back(name), 0);
        return size;
    });
    EXPECT_EQ(LoadSoundTable(mixer.manager), read) << "a sound of the archive did not decode";
    CreateMusicPlayLists(mixer.manager);
    EXPECT_EQ(missing, std::vector<std::string>{});
    ZoPlayList* menu = mixer.manager.GetPlayList(0);
    ASSERT_EQ(menu->Tracks().size(), 1u);
    ASSERT_EQ(mixer.manager.GetPlayList(1)->Tracks().size(), 2u);
    EXPECT_TRUE(mixer.Playing(menu->Tracks()[0].stream));
    EXPECT_GE(mixer.manager.PlaySound(10), 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), (150 * MIX_MAX_VOLUME + 127) / 255);
    // The stream keeps reading its buffer as it plays.
    EXPECT_TRUE(Eventually([&] { return mixer.Position(menu->Tracks()[0].stream) > 100u; }));
}

// Damaged files of every kind are the fuzz target's; music decoders, the least robust, only ever see Ogg.
TEST(MixerAudio, DamagedFilesStaySilentAndMusicIsOggOnly) {
    Mixer mixer("dummy");
    ASSERT_TRUE(mixer.opened);
    mixer.files.Add("Good.Wav", MakeWav(100));
    mixer.files.Add("Bad.Ogg", MakeOgg(200).substr(0, 40) + std::string(200, '\x55'));
    EXPECT_FALSE(mixer.manager.LoadSample(3, "Bad.Ogg"));
    ZoPlayList* list = mixer.AddList(0, {});
    list->AddTrack("Bad.Ogg");
    list->AddTrack("Good.Wav");
    EXPECT_TRUE(list->Tracks().empty());
}

TEST(MixerAudio, TheEndOfATrackWakesTheMainLoopWhichReplaysItThenMovesOn) {
    Mixer mixer("dummy");
    ASSERT_TRUE(mixer.opened);
    ZoPlayList* list = mixer.AddList(0, {{"One.Ogg", 250}, {"Two.Ogg", 250}});
    mixer.manager.SetPlayList(0);
    mixer.manager.PlayMusic();
    ASSERT_TRUE(mixer.Playing(list->Tracks()[1].stream));
    ASSERT_TRUE(WaitForWakeEvent(3000));
    EXPECT_FALSE(mixer.Playing(list->Tracks()[1].stream)) << "the audio thread only raises a flag";
    mixer.manager.Poll();
    EXPECT_TRUE(mixer.Playing(list->Tracks()[1].stream));
    ASSERT_TRUE(WaitForWakeEvent(3000));
    mixer.manager.Poll();
    EXPECT_TRUE(mixer.Playing(list->Tracks()[0].stream));
}

TEST(MixerAudio, SwitchingListsAndStoppingAreNoEndAndTheMenuTrackResumesWhereItWas) {
    Mixer mixer("dummy");
    ASSERT_TRUE(mixer.opened);
    const ZoStreamId menu = mixer.AddList(0, {{"Menu.Ogg", 4000}})->Tracks()[0].stream;
    mixer.AddList(1, {{"A.Ogg", 4000}, {"A2.Ogg", 4000}});
    mixer.manager.SetPlayList(0);
    mixer.manager.PlayMusic();
    ASSERT_TRUE(Eventually([&] { return mixer.Position(menu) >= 300u; }));
    mixer.manager.SetPlayList(1);
    const std::uint32_t saved = mixer.manager.GetPlayList(0)->Tracks()[0].savedPosition;
    EXPECT_GE(saved, 300u);
    mixer.manager.PlayMusic();
    SDL_Delay(100);
    mixer.manager.StopMusic();
    EXPECT_FALSE(WaitForWakeEvent(300));
    mixer.manager.SetPlayList(0);
    mixer.manager.PlayMusic();
    ASSERT_TRUE(mixer.Playing(menu));
    EXPECT_GE(mixer.Position(menu) + 50, saved);
    EXPECT_LE(mixer.Position(menu), saved + 500);
}

TEST(MixerAudio, PauseHoldsMusicAndEffects) {
    Mixer mixer("dummy");
    ASSERT_TRUE(mixer.opened);
    mixer.files.Add("Long.Wav", MakeWav(2000));
    ASSERT_TRUE(mixer.manager.LoadSample(12, "Long.Wav"));
    const ZoStreamId stream = mixer.AddList(0, {{"Menu.Ogg", 4000}})->Tracks()[0].stream;
    mixer.manager.SetPlayList(0);
    mixer.manager.PlayMusic();
    const int channel = mixer.manager.PlaySound(12);
    ASSERT_GE(channel, 0);
    SDL_Delay(200);
    mixer.manager.PauseAll(true);
    EXPECT_EQ(Mix_Paused(channel), 1);
    const std::uint32_t during = mixer.Position(stream);
    SDL_Delay(300);
    EXPECT_LE(mixer.Position(stream), during + 30);
    EXPECT_TRUE(mixer.Playing(stream)) << "a paused track still counts as playing";
    mixer.manager.PauseAll(false);
    EXPECT_TRUE(Eventually([&] { return mixer.Position(stream) >= during + 150; }));
}

// The loudest 16-bit sample the disk driver wrote while play ran.
int LoudestWritten(const std::function<void(ZoSoundManager&)>& play) {
    TempFolder folder;
    setenv("SDL_DISKAUDIOFILE", (folder / "out.raw").c_str(), 1);
    {
        Mixer mixer("disk", 255);
        mixer.files.Add("Fire.Wav", MakeWav(300, 440.0, 22050, 12000));
        mixer.files.Add("Data/Music/Menu.Ogg", MakeOgg(600, 523.0));
        if (!mixer.opened || !mixer.manager.LoadSample(10, "Fire.Wav"))
            return -1;
        play(mixer.manager);
        // The driver writes in real time, slower on a busy machine: wait for a third of a second of output.
        std::error_code unknown;
        for (int waited = 0; waited < 5000 && std::filesystem::file_size(folder / "out.raw", unknown) < 64000;
             waited += 50)
            SDL_Delay(50);
    }
    const std::string raw = ReadBytes(folder / "out.raw");
    EXPECT_GE(raw.size(), 64000u) << "a third of a second of output at least";
    int loudest = 0;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2)
        loudest = std::max(loudest, std::abs(static_cast<int>(static_cast<std::int16_t>(LittleEndian(raw, i, 2)))));
    return loudest;
}

TEST(MixerAudio, EffectsAndMusicReachTheOutputAndNothingPlayedIsSilence) {
    EXPECT_GT(LoudestWritten([](ZoSoundManager& m) { m.PlaySound(10); }), 3000);
    EXPECT_GT(LoudestWritten([](ZoSoundManager& m) { CreateMusicPlayLists(m); }), 3000);
    EXPECT_EQ(LoudestWritten([](ZoSoundManager& m) { m.PlaySound(0); }), 0);
}

TEST(MixerAudio, WithoutAWorkingDriverTheGameIsSilentAfterAboutASecond) {
    const Uint32 start = SDL_GetTicks();
    Mixer mixer("no-such-driver");
    const Uint32 elapsed = SDL_GetTicks() - start;
    EXPECT_FALSE(mixer.opened);
    EXPECT_GE(elapsed, 500u); // retried, 100 ms apart, within the start-up budget
    EXPECT_LE(elapsed, 1500u);
    EXPECT_EQ(LoadSoundTable(mixer.manager), 0);
    CreateMusicPlayLists(mixer.manager);
    mixer.manager.PauseAll(true);
    mixer.manager.Poll();
}

} // namespace
