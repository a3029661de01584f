// The files made from assets/sounds, read back the way the game reads them: WAV headers byte by byte,
// Ogg through libvorbisfile.
#include "AudioBuffer.h"
#include "Dsp.h"
#include "SoundGenerator.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
#define SOUNDGEN_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOUNDGEN_SANITIZED 1
#endif
#endif

namespace {

// Bars of music in the quick renders; enough for several notes to wrap round the loop.
const int kQuickBars = 2;

const double kMinusOneDecibel = 0.891;

std::string RecipeDir() {
    const char* dir = std::getenv("KORRIK_SOURCE_DIR");
    return dir != nullptr ? std::string(dir) + "/assets/sounds" : std::string(SOUNDGEN_RECIPE_DIR);
}

std::string Tool() {
    const char* dir = std::getenv("KORRIK_BINARY_DIR");
    return dir != nullptr ? std::string(dir) + "/soundgen" : std::string(SOUNDGEN_TOOL);
}

fs::path FreshDir(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("korrik_soundgen_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t Little(const std::vector<std::uint8_t>& bytes, size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + i];
    }
    return value;
}

// Checks the canonical 44-byte header and returns the samples.
::testing::AssertionResult ReadWav(const fs::path& path, AudioBuffer& buffer) {
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    if (bytes.size() < 44) {
        return ::testing::AssertionFailure() << path << " is too short";
    }
    std::string text(bytes.begin(), bytes.begin() + 44);
    if (text.substr(0, 4) != "RIFF" || text.substr(8, 8) != "WAVEfmt " || text.substr(36, 4) != "data") {
        return ::testing::AssertionFailure() << path << " has no RIFF/WAVE/fmt/data layout";
    }
    std::uint32_t channels = Little(bytes, 22, 2);
    std::uint32_t rate = Little(bytes, 24, 4);
    std::uint32_t dataSize = Little(bytes, 40, 4);
    if (Little(bytes, 4, 4) != bytes.size() - 8 || Little(bytes, 16, 4) != 16 || Little(bytes, 20, 2) != 1 ||
        Little(bytes, 34, 2) != 16 || (rate != 44100 && rate != 48000) || channels < 1 || channels > 2 ||
        Little(bytes, 28, 4) != rate * channels * 2 || Little(bytes, 32, 2) != channels * 2 ||
        dataSize != bytes.size() - 44) {
        return ::testing::AssertionFailure() << path << " has wrong header fields";
    }
    buffer.sampleRate = static_cast<int>(rate);
    buffer.channels = static_cast<int>(channels);
    buffer.samples.clear();
    for (size_t at = 44; at + 1 < bytes.size(); at += 2) {
        buffer.samples.push_back(static_cast<std::int16_t>(Little(bytes, at, 2)) / 32768.0f);
    }
    return ::testing::AssertionSuccess();
}

// Decodes to 16-bit, as the game's mixer does, independently of the generator's own decoder.
::testing::AssertionResult ReadOgg(const fs::path& path, AudioBuffer& buffer) {
    OggVorbis_File file;
    if (ov_fopen(path.string().c_str(), &file) != 0) {
        return ::testing::AssertionFailure() << path << " is not Ogg Vorbis";
    }
    vorbis_info* info = ov_info(&file, -1);
    buffer.sampleRate = static_cast<int>(info->rate);
    buffer.channels = info->channels;
    buffer.samples.clear();
    ogg_int64_t total = ov_pcm_total(&file, -1);
    char block[8192];
    int section = 0;
    long got = 0;
    while ((got = ov_read(&file, block, sizeof block, 0, 2, 1, &section)) > 0) {
        for (long at = 0; at + 1 < got; at += 2) {
            std::int16_t value = static_cast<std::int16_t>(static_cast<std::uint8_t>(block[at]) |
                                                           (static_cast<std::uint8_t>(block[at + 1]) << 8));
            buffer.samples.push_back(value / 32768.0f);
        }
    }
    ov_clear(&file);
    if (got < 0) {
        return ::testing::AssertionFailure() << path << " fails to decode";
    }
    if (static_cast<ogg_int64_t>(buffer.Frames()) != total) {
        return ::testing::AssertionFailure()
               << path << " decodes " << buffer.Frames() << " frames, says " << total;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ReadSound(const fs::path& path, AudioBuffer& buffer) {
    std::string name = path.string();
    if (name.size() > 4 && name.substr(name.size() - 4) == ".Wav") {
        return ReadWav(path, buffer);
    }
    return ReadOgg(path, buffer);
}

// Effects that may run a little longer than half a second: tallies, reveals and row drops.
bool MayBeLong(const std::string& path) {
    for (const char* name : {"SeekScoreEnd", "LoadColorEnd", "LineFall", "ColorRemove"}) {
        if (path.find(name) != std::string::npos) {
            return true;
        }
    }
    return false;
}

void CheckMusicLoop(const std::string& path, const AudioBuffer& music) {
    SoundLevels levels = MeasureLevels(music);
    EXPECT_EQ(music.channels, 2) << path;
    EXPECT_GT(levels.rms, 0.03) << path;
    EXPECT_LT(levels.peak, kMinusOneDecibel) << path;
    EXPECT_LT(levels.dcOffset, 0.002) << path;
    // Going from the last sample back to the first is no bigger a step than the music makes anyway,
    // and the waveform's slope carries on across the seam.
    EXPECT_LT(levels.seamStep, 0.03) << path;
    EXPECT_LT(levels.seamStep, levels.largestStep * 0.25) << path;
    EXPECT_LT(levels.seamSlope, 0.03) << path;
}

// One quick generation (music cut short) shared by the tests below.
class SoundgenOutput : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        outDir_ = FreshDir("quick");
        SoundGenerator generator(kQuickBars);
        ok_ = generator.Run(outDir_.string(), RecipeDir());
        error_ = generator.Error();
        for (const GeneratedFile& file : generator.Files()) {
            renderedFrames_[file.path] = file.decoded.Frames();
        }
    }
    static void TearDownTestSuite() { fs::remove_all(outDir_); }

    inline static fs::path outDir_;
    inline static std::string error_;
    inline static bool ok_ = false;
    inline static std::map<std::string, size_t> renderedFrames_;
};

TEST_F(SoundgenOutput, EveryEffectIsThereInItsFormatShortCleanAndAudible) {
    ASSERT_TRUE(ok_) << error_;
    for (const std::string& path : SoundGenerator::RequiredFiles()) {
        if (path.rfind("Data/Music/", 0) == 0) {
            continue;
        }
        AudioBuffer sound;
        ASSERT_TRUE(ReadSound(outDir_ / path, sound));
        SoundLevels levels = MeasureLevels(sound);
        EXPECT_EQ(sound.Frames(), renderedFrames_[path]) << path;
        EXPECT_LE(sound.Seconds(), MayBeLong(path) ? 1.0 : 0.5) << path;
        EXPECT_GT(sound.Seconds(), 0.02) << path;
        EXPECT_LT(levels.peak, kMinusOneDecibel) << path;
        EXPECT_LT(levels.dcOffset, 0.01) << path;
        // Vorbis smears a trace of a quick attack into the first samples; a click would be far louder.
        double edgeLimit = path.find(".Ogg") != std::string::npos ? 0.02 : 0.005;
        EXPECT_LT(levels.edgeLevel, edgeLimit) << path << ": starts or ends with a click";
        if (path.find("/Void.") != std::string::npos) {
            EXPECT_EQ(levels.peak, 0.0) << path;
        } else {
            EXPECT_GT(levels.peak, DecibelsToGain(-20.0)) << path;
            EXPECT_GT(levels.rms, DecibelsToGain(-36.0)) << path;
        }
    }
}

TEST_F(SoundgenOutput, ShortenedMusicLoopsWithoutAClick) {
    ASSERT_TRUE(ok_) << error_;
    for (const char* path : {"Data/Music/Menu.Ogg", "Data/Music/A.Ogg"}) {
        AudioBuffer music;
        ASSERT_TRUE(ReadOgg(outDir_ / path, music));
        EXPECT_GT(music.Seconds(), 3.0) << path;
        EXPECT_EQ(music.Frames(), renderedFrames_[path]) << path;
        CheckMusicLoop(path, music);
    }
}

TEST_F(SoundgenOutput, TwoRunsGiveTheSameBytes) {
    ASSERT_TRUE(ok_) << error_;
    fs::path again = FreshDir("again");
    SoundGenerator generator(kQuickBars);
    ASSERT_TRUE(generator.Run(again.string(), RecipeDir())) << generator.Error();
    for (const std::string& path : SoundGenerator::RequiredFiles()) {
        std::vector<std::uint8_t> first = ReadBytes(outDir_ / path);
        EXPECT_FALSE(first.empty()) << path;
        EXPECT_TRUE(first == ReadBytes(again / path)) << path;
    }
    fs::remove_all(again);
}

std::string WriteRecipes(const fs::path& dir, const std::map<std::string, std::string>& recipes) {
    fs::create_directories(dir);
    for (const auto& [name, text] : recipes) {
        std::ofstream(dir / name) << text;
    }
    return dir.string();
}

TEST(SoundGenerator, RefusesIncompleteOrUnsafeRecipeFolders) {
    fs::path root = FreshDir("bad");
    SoundGenerator generator;
    std::string effect = "type = effect\nlength = 0.05\nfile = ";

    std::string dir = WriteRecipes(root / "missing", {{"a.txt", effect + "Data/Sounds/FireBall.Wav\n"}});
    EXPECT_FALSE(generator.Run((root / "out1").string(), dir));
    EXPECT_NE(generator.Error().find("no recipe makes Data/Sounds/Interface/Void.Wav"), std::string::npos)
        << generator.Error();

    dir = WriteRecipes(root / "twice", {{"a.txt", effect + "Data/Sounds/HitWall.Wav\n"},
                                        {"b.txt", effect + "Data/Sounds/HitWall.Wav\n"}});
    EXPECT_FALSE(generator.Run((root / "out2").string(), dir));
    EXPECT_NE(generator.Error().find("another recipe"), std::string::npos) << generator.Error();

    for (const char* unsafe : {"Data/Sounds/../../escape.Wav", "/tmp/escape.Wav", "Data/Sounds/x.mp3",
                               "Data/Textures/x.Wav", "Data/Sounds/a b.Wav", "Data/Sounds\\x.Wav"}) {
        dir = WriteRecipes(root / "unsafe", {{"a.txt", effect + unsafe + "\n"}});
        EXPECT_FALSE(generator.Run((root / "out3").string(), dir)) << unsafe;
        EXPECT_NE(generator.Error().find("'file' must be"), std::string::npos) << generator.Error();
    }
    EXPECT_FALSE(fs::exists(root / "escape.Wav"));

    dir = WriteRecipes(root / "music", {{"a.txt", "type = music\nfile = Data/Music/A.Wav\n"}});
    EXPECT_FALSE(generator.Run((root / "out4").string(), dir));
    EXPECT_NE(generator.Error().find("Ogg"), std::string::npos) << generator.Error();

    EXPECT_FALSE(generator.Run((root / "out5").string(), (root / "nowhere").string()));
    fs::remove_all(root);
}

// The real tool, as the data build runs it, with the full-length music.
TEST(SoundgenTool, FullRunWritesTheGameFilesWithMinuteLongSeamlessMusic) {
#ifdef SOUNDGEN_SANITIZED
    // About a minute of unoptimised, instrumented synthesis; the quick renders above cover the same code.
    GTEST_SKIP() << "full-length render skipped in the sanitizer build";
#endif
    fs::path out = FreshDir("full");
    std::string command = Tool() + " --quiet " + out.string() + " " + RecipeDir();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const std::string& path : SoundGenerator::RequiredFiles()) {
        EXPECT_TRUE(fs::exists(out / path)) << path;
    }
    for (const char* path : {"Data/Music/Menu.Ogg", "Data/Music/A.Ogg"}) {
        AudioBuffer music;
        ASSERT_TRUE(ReadOgg(out / path, music));
        EXPECT_GE(music.Seconds(), 60.0) << path;
        EXPECT_LT(music.Seconds(), 90.0) << path;
        CheckMusicLoop(path, music);
    }
    std::string usage = Tool() + " only-one-argument > /dev/null 2>&1";
    EXPECT_NE(std::system(usage.c_str()), 0);
    fs::remove_all(out);
}

} // namespace
