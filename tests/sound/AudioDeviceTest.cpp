// The sound system against other SDL audio drivers: none that works, and the disk writer.
#include "SoundTestData.h"
#include "ZoMixerAudio.h"
#include "ZoSoundManager.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

using SoundTestData::MakeOgg;
using SoundTestData::MakeWav;

namespace {

std::string TempPath(const std::string& name) {
    const char* dir = std::getenv("KORRIK_BINARY_DIR");
    return std::string(dir ? dir : ".") + "/" + name;
}

// The loudest 16-bit sample of a raw output file; -1 when it cannot be read.
int LoudestSample(const std::string& path, std::size_t& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return -1;
    }
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    bytes = raw.size();
    int loudest = 0;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        const auto value = static_cast<std::int16_t>(static_cast<unsigned char>(raw[i]) |
                                                     (static_cast<unsigned char>(raw[i + 1]) << 8));
        loudest = std::max(loudest, std::abs(static_cast<int>(value)));
    }
    return loudest;
}

// Runs the sound system on the disk driver for a while and gives back the loudest sample written.
int LoudestWrittenWhile(const std::string& name, const std::function<void(ZoSoundManager&)>& play) {
    const std::string path = TempPath(name);
    std::remove(path.c_str());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    SoundTestData::MemoryFiles files;
    files.Add("Data/Sounds/FireBall.Wav", MakeWav(300, 440.0, 22050, 12000));
    files.Add("Data/Music/Menu.Ogg", MakeOgg(600, 523.0));
    {
        ZoSoundManager manager(std::make_unique<ZoMixerAudio>());
        manager.SetFileReader(files.Reader());
        if (!manager.Init(255, 255)) {
            ADD_FAILURE() << "the disk driver did not open: " << SDL_GetError();
            return -1;
        }
        play(manager);
        SDL_Delay(500);
        manager.Shutdown();
    }
    std::size_t bytes = 0;
    const int loudest = LoudestSample(path, bytes);
    EXPECT_GT(bytes, 48000u) << "half a second of output at least";
    std::remove(path.c_str());
    return loudest;
}

TEST(AudioDeviceTest, NoWorkingDriverGivesASilentGameAfterAboutASecond) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundTestData::MemoryFiles files;
    files.Add("Data/Sounds/FireBall.Wav", MakeWav(50));
    files.Add("Data/Music/Menu.Ogg", MakeOgg(200));
    ZoSoundManager manager(std::make_unique<ZoMixerAudio>());
    manager.SetFileReader(files.Reader());
    const Uint32 start = SDL_GetTicks();
    EXPECT_FALSE(manager.Init(96, 96));
    const Uint32 elapsed = SDL_GetTicks() - start;
    // Ten retries 100 ms apart; a loaded machine stretches the waits and the budget cuts retries short.
    EXPECT_GE(manager.InitAttempts(), 5);
    EXPECT_GE(elapsed, 500u);
    EXPECT_LE(elapsed, 1500u);

    EXPECT_EQ(LoadSoundTable(manager), 0);
    EXPECT_EQ(manager.PlaySound(10, nullptr), -1);
    CreateMusicPlayLists(manager);
    manager.PlayMusic();
    manager.PauseAll(true);
    manager.PauseAll(false);
    manager.Poll();
    manager.Shutdown();
}

TEST(AudioDeviceTest, EffectsAndMusicReachTheOutputAndNothingPlayedIsSilence) {
    const struct {
        const char* what;
        std::function<void(ZoSoundManager&)> play;
        bool loud;
    } cases[] = {
        {"effect", [](ZoSoundManager& m) { ASSERT_GE(m.PlaySound(10, nullptr), 0); }, true},
        {"music", [](ZoSoundManager& m) { CreateMusicPlayLists(m); }, true},
        // The control for the two above: the same run without a sound leaves the file silent.
        {"nothing", [](ZoSoundManager& m) { EXPECT_EQ(m.PlaySound(0, nullptr), -1); }, false},
    };
    for (const auto& c : cases) {
        const int loudest =
            LoudestWrittenWhile(std::string(c.what) + "-output.raw", [&](ZoSoundManager& manager) {
                ASSERT_TRUE(manager.LoadSample(10, "Data/Sounds/FireBall.Wav"));
                c.play(manager);
            });
        if (c.loud) {
            EXPECT_GT(loudest, 3000) << c.what;
        } else {
            EXPECT_EQ(loudest, 0) << c.what;
        }
    }
}

} // namespace
