// The sounds the build packed into the game's archive, read back as the game reads them: every effect loads
// in SDL_mixer, short, clean at both ends and audible; both music loops run a minute and loop without a seam.
#include "AudioCodec.h"
#include "Dsp.h"
#include "TestFiles.h"
#include "ZoResourceManager.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

namespace {

const double kMinusOneDecibel = 0.891;

TEST(BuiltSounds, EffectsAreShortCleanAndAudibleAndTheMusicLoopsSeamlessly) {
    ZoResourceManager archives;
    ASSERT_TRUE(archives.Open(BinaryDir() + "/Data/Resource.Zor"));
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(48000, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    int effects = 0, tracks = 0;
    for (const auto& [key, item] : archives.Archives()[0].items) {
        const std::string& name = item->name;
        const std::string bytes = archives.GetFileText(name);
        SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        AudioBuffer sound;
        if (name.rfind("Data/Music/", 0) == 0) {
            ++tracks;
            Mix_Music* music = Mix_LoadMUS_RW(stream, 1);
            ASSERT_NE(music, nullptr) << name << ": " << Mix_GetError();
            EXPECT_EQ(Mix_GetMusicType(music), MUS_OGG) << name;
            Mix_FreeMusic(music);
            ASSERT_TRUE(DecodeOgg(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), sound)) << name;
            const SoundLevels levels = MeasureLevels(sound);
            EXPECT_GE(sound.Seconds(), 60.0) << name;
            EXPECT_GT(levels.rms, 0.03) << name;
            EXPECT_LT(levels.peak, kMinusOneDecibel) << name;
            // From the last sample back to the first is no bigger a step than the music makes anyway.
            EXPECT_LT(levels.seamStep, std::min(0.03, levels.largestStep * 0.25)) << name;
            EXPECT_LT(levels.seamSlope, 0.03) << name;
            continue;
        }
        if (name.rfind("Data/Sounds/", 0) != 0) {
            SDL_RWclose(stream);
            continue;
        }
        ++effects;
        Mix_Chunk* chunk = Mix_LoadWAV_RW(stream, 1);
        ASSERT_NE(chunk, nullptr) << name << ": " << Mix_GetError();
        sound.sampleRate = 48000;
        sound.channels = 2;
        for (Uint32 at = 0; at + 1 < chunk->alen; at += 2)
            sound.samples.push_back(static_cast<Sint16>(chunk->abuf[at] | chunk->abuf[at + 1] << 8) / 32768.0f);
        Mix_FreeChunk(chunk);
        const SoundLevels levels = MeasureLevels(sound);
        EXPECT_GT(sound.Seconds(), 0.02) << name;
        EXPECT_LE(sound.Seconds(), 1.0) << name;
        EXPECT_LT(levels.peak, kMinusOneDecibel) << name;
        EXPECT_LT(levels.dcOffset, 0.01) << name;
        // A click at the start or the end would be far louder; Vorbis smears a trace of a quick attack.
        EXPECT_LT(levels.edgeLevel, 0.02) << name;
        // Audible, but for the silent effect the game plays where it wants none.
        const bool silent = name.find("/Void.") != std::string::npos;
        EXPECT_TRUE(silent ? levels.peak == 0.0 : levels.rms > DecibelsToGain(-36.0)) << name;
    }
    EXPECT_GT(effects, 0);
    EXPECT_GT(tracks, 0);
    Mix_CloseAudio();
    SDL_Quit();
}

} // namespace
