// The generated files load in the game's own mixer library, with the lengths we rendered.
#include "SoundGenerator.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<char> ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(SoundgenMixer, EveryFileLoadsAsTheGameLoadsIt) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(48000, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_NE(Mix_QuerySpec(&rate, &format, &channels), 0);

    fs::path out = fs::temp_directory_path() / ("korrik_soundgen_mixer_" + std::to_string(::getpid()));
    fs::remove_all(out);
    SoundGenerator generator(1);
    ASSERT_TRUE(generator.Run(out.string(), SOUNDGEN_RECIPE_DIR)) << generator.Error();
    for (const GeneratedFile& file : generator.Files()) {
        std::vector<char> bytes = ReadFile(out / file.path);
        SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        ASSERT_NE(stream, nullptr);
        if (file.music) {
            Mix_Music* music = Mix_LoadMUS_RW(stream, 1);
            ASSERT_NE(music, nullptr) << file.path << ": " << Mix_GetError();
            EXPECT_EQ(Mix_GetMusicType(music), MUS_OGG) << file.path;
            EXPECT_NEAR(Mix_MusicDuration(music), file.decoded.Seconds(), 0.01) << file.path;
            Mix_FreeMusic(music);
            continue;
        }
        Mix_Chunk* chunk = Mix_LoadWAV_RW(stream, 1);
        ASSERT_NE(chunk, nullptr) << file.path << ": " << Mix_GetError();
        // The mixer converts to its own rate and layout; the length must survive that.
        double seconds = static_cast<double>(chunk->alen) / (rate * channels * SDL_AUDIO_BITSIZE(format) / 8);
        EXPECT_NEAR(seconds, file.decoded.Seconds(), 0.02) << file.path;
        // It must also end in silence there, or the player hears a tick when the channel stops.
        const Sint16* pcm = reinterpret_cast<const Sint16*>(chunk->abuf);
        size_t samples = chunk->alen / sizeof(Sint16);
        size_t lastMillisecond = static_cast<size_t>(rate * channels / 1000);
        int loudest = 0;
        for (size_t i = samples > lastMillisecond ? samples - lastMillisecond : 0; i < samples; ++i) {
            loudest = std::max(loudest, std::abs(static_cast<int>(pcm[i])));
        }
        EXPECT_LT(loudest, 100) << file.path;
        Mix_FreeChunk(chunk);
    }
    fs::remove_all(out);
    Mix_CloseAudio();
    SDL_Quit();
}

} // namespace
