// The music sequencer: timing, held notes, truncated renders and, above all, a seamless loop.
#include "AudioBuffer.h"
#include "Dsp.h"
#include "MusicRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// 120 beats a minute, 4 steps a beat, 4 beats a bar: a bar is 2 s, a step 0.125 s.
const char* kHeader = "type = music\ntempo = 120\nreverb = 0.5\n";

const char* kInstruments = "[instrument tone]\nwave = sine\nattack = 0.01\nsustain = 1\nrelease = 0.2\n"
                           "gain = 0.5\nreverb = 0.5\necho = 0.3\nlegato = 1\n"
                           "[instrument click]\nwave = noise\nattack = 0.001\ndecay = 0.01\nsustain = 0\n"
                           "release = 0.01\n";

bool Render(const std::string& body, AudioBuffer& out, std::string& error, int maxBars = 0) {
    SoundRecipe recipe;
    if (!recipe.Parse(std::string(kHeader) + body, "song.txt")) {
        error = recipe.Error();
        return false;
    }
    return MusicRenderer(maxBars).Render(recipe, out, error);
}

double ChannelRms(const AudioBuffer& buffer, double fromSeconds, double toSeconds) {
    size_t from = static_cast<size_t>(fromSeconds * buffer.sampleRate);
    size_t to = static_cast<size_t>(toSeconds * buffer.sampleRate);
    double sum = 0.0;
    for (size_t frame = from; frame < to; ++frame) {
        sum += buffer.At(frame, 0) * buffer.At(frame, 0);
    }
    return std::sqrt(sum / static_cast<double>(to - from));
}

TEST(MusicRenderer, LengthFollowsTempoAndSequence) {
    AudioBuffer out;
    std::string error;
    ASSERT_TRUE(Render(std::string("sequence = a b a\n") + kInstruments +
                           "[pattern p]\ninstrument = tone\nnotes = C4 . . . - - - -\n"
                           "[section a]\nbars = 2\nplay = p\n[section b]\nbars = 1\nplay = p\n",
                       out, error))
        << error;
    EXPECT_EQ(out.channels, 2);
    EXPECT_EQ(out.Frames(), static_cast<size_t>(5 * 2 * 44100)); // 5 bars of 2 s
    SoundLevels levels = MeasureLevels(out);
    EXPECT_NEAR(GainToDecibels(levels.peak), -3.0, 0.01);
    EXPECT_LT(levels.dcOffset, 1e-4);

    AudioBuffer shortened;
    ASSERT_TRUE(Render(std::string("sequence = a b a\n") + kInstruments +
                           "[pattern p]\ninstrument = tone\nnotes = C4 . . . - - - -\n"
                           "[section a]\nbars = 2\nplay = p\n[section b]\nbars = 1\nplay = p\n",
                       shortened, error, 3))
        << error;
    EXPECT_EQ(shortened.Frames(), static_cast<size_t>(3 * 2 * 44100));
}

TEST(MusicRenderer, HoldsExtendNotesAndRestsEndThem) {
    AudioBuffer out;
    std::string error;
    // Bar 1: a note held for 8 steps (1 s); bar 2: the same note cut after one step.
    ASSERT_TRUE(Render(std::string("sequence = a\n") + kInstruments +
                           "[pattern p]\ninstrument = tone\n"
                           "notes = A4 . . . . . . . - - - - - - - -\n"
                           "notes = A4 - - - - - - - - - - - - - - -\n"
                           "[section a]\nbars = 2\nplay = p\n",
                       out, error))
        << error;
    double held = ChannelRms(out, 0.6, 0.9);
    double cut = ChannelRms(out, 2.6, 2.9);
    EXPECT_GT(held, 0.1);
    EXPECT_LT(cut, held * 0.2); // only room and echo remain
}

TEST(MusicRenderer, TheLoopIsSeamlessEvenWhenANoteRingsPastTheEnd) {
    AudioBuffer out;
    std::string error;
    // The last step starts a long note: its tail must come round to the start of the loop.
    ASSERT_TRUE(Render(std::string("sequence = a\n") + kInstruments +
                           "[instrument long]\nwave = saw\nlowpass = 2000\nattack = 0.01\nsustain = 1\n"
                           "release = 0.8\ngain = 0.4\nreverb = 1\n"
                           "[pattern p]\ninstrument = long\n"
                           "notes = - - - - - - - - - - - - - - - C3\n"
                           "[pattern q]\ninstrument = click\nnotes = x - - - - - - - o - - - - - - -\n"
                           "[section a]\nbars = 1\nplay = p q\n",
                       out, error))
        << error;
    SoundLevels levels = MeasureLevels(out);
    EXPECT_GT(ChannelRms(out, 0.0, 0.1), 0.02); // the wrapped tail, not silence
    EXPECT_LT(levels.seamStep, levels.largestStep);
    EXPECT_LT(levels.seamStep, 0.05);
    EXPECT_LT(levels.seamSlope, 0.05);
}

// Peaks of the four quarter notes of the first bar.
std::vector<double> BeatPeaks(const AudioBuffer& buffer) {
    std::vector<double> peaks;
    for (int beat = 0; beat < 4; ++beat) {
        double peak = 0.0;
        for (size_t frame = static_cast<size_t>(beat * 0.5 * buffer.sampleRate);
             frame < static_cast<size_t>((beat * 0.5 + 0.2) * buffer.sampleRate); ++frame) {
            peak = std::max(peak, static_cast<double>(std::fabs(buffer.At(frame, 0))));
        }
        peaks.push_back(peak);
    }
    return peaks;
}

TEST(MusicRenderer, HumanizeVariesRepeatedNotesTheSameWayEveryTime) {
    const std::string body = "sequence = a\n[instrument tone]\nwave = sine\nsustain = 0\ndecay = 0.05\n"
                             "release = 0.05\nHUMANIZE\n[pattern p]\ninstrument = tone\n"
                             "notes = A4 - - - A4 - - - A4 - - - A4 - - -\n[section a]\nplay = p\n";
    auto render = [&](const std::string& humanize) {
        std::string text = body;
        text.replace(text.find("HUMANIZE"), 8, humanize);
        AudioBuffer out;
        std::string error;
        EXPECT_TRUE(Render(text, out, error)) << error;
        return BeatPeaks(out);
    };
    std::vector<double> even = render("humanize = 0");
    for (double peak : even) {
        EXPECT_NEAR(peak, even[0], even[0] * 0.01);
    }
    std::vector<double> varied = render("humanize = 0.5");
    double lowest = *std::min_element(varied.begin(), varied.end());
    double highest = *std::max_element(varied.begin(), varied.end());
    EXPECT_LT(lowest, highest * 0.95);
    EXPECT_GT(lowest, highest * 0.45); // never more than half the velocity taken off
    EXPECT_EQ(varied, render("humanize = 0.5"));
}

TEST(MusicRenderer, BadMusicRecipesFailWithAReason) {
    struct Case {
        std::string body;
        const char* expected;
    } cases[] = {
        {std::string("sequence = a\n") + kInstruments +
             "[pattern p]\ninstrument = tone\nnotes = C4 X9\n"
             "[section a]\nplay = p\n",
         "bad step 'X9'"},
        {std::string("sequence = a\n") + kInstruments +
             "[pattern p]\ninstrument = tuba\nnotes = C4\n"
             "[section a]\nplay = p\n",
         "known instrument"},
        {std::string("sequence = a\n") + kInstruments + "[section a]\nplay = nothing\n", "unknown pattern"},
        {std::string("sequence = a b\n") + kInstruments + "[section a]\n", "unknown section 'b'"},
        {std::string(kInstruments) + "[section a]\n", "needs a sequence"},
        {std::string("sequence = a\n") + kInstruments +
             "[pattern p]\ninstrument = tone\n[section a]\nplay = p\n",
         "has no notes"},
        {std::string("sequence = a\n") + kInstruments + "[instrument tone]\n[section a]\n", "defined twice"},
        {std::string("sequence = a\n") + kInstruments + "[pattern]\n", "needs a name"},
        {std::string("sequence = a\n") + kInstruments + "[drums d]\n", "unknown section kind"},
        {std::string("sequence = a\n") + kInstruments +
             "[pattern p]\ninstrument = tone\nnotes = C4@3\n"
             "[section a]\nplay = p\n",
         "bad step"},
    };
    for (const Case& test : cases) {
        AudioBuffer out;
        std::string error;
        EXPECT_FALSE(Render(test.body, out, error));
        EXPECT_NE(error.find(test.expected), std::string::npos) << "got: " << error;
    }
}

} // namespace
