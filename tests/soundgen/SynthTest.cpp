// The synthesiser: pitch, repeatable noise, effects normalised with soft edges, music that loops without a
// seam even when a note rings past the end, and recipes that fail with a reason.
#include "AudioCodec.h"
#include "Dsp.h"
#include "EffectRenderer.h"
#include "MusicRenderer.h"
#include "SynthVoice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const int kRate = 44100;

// Frequency from the strongest autocorrelation over a stretch of samples.
double MeasurePitch(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    std::size_t bestLag = 0;
    double best = -1.0;
    for (std::size_t lag = kRate / 2000; lag < kRate / 50; ++lag) {
        double sum = 0.0;
        for (std::size_t i = from; i + lag < to; ++i)
            sum += samples[i] * samples[i + lag];
        if (sum > best) {
            best = sum;
            bestLag = lag;
        }
    }
    return static_cast<double>(kRate) / static_cast<double>(bestLag);
}

std::vector<float> Voice(Waveform wave, double frequency, int seed = 0) {
    VoiceParams voice;
    voice.wave = wave;
    voice.envelope.attack = 0.001;
    voice.envelope.decay = 1.0;
    voice.envelope.sustain = 1.0;
    voice.fmIndex = voice.fmRatio = 1.0;
    voice.seed = seed;
    std::vector<float> out(VoiceLength(voice, 0.5, kRate), 0.0f);
    RenderVoice(voice, frequency, 0.5, 1.0, kRate, out, 0);
    return out;
}

bool Render(const std::string& text, AudioBuffer& out, std::string& error) {
    SoundRecipe recipe;
    if (!recipe.Parse(text, "test.txt")) {
        error = recipe.Error();
        return false;
    }
    if (text.rfind("type = music", 0) == 0)
        return MusicRenderer().Render(recipe, out, error);
    return EffectRenderer().Render(recipe, out, error);
}

TEST(Synth, VoicesPlayTheirPitchAndNoiseRepeatsWithItsSeed) {
    for (Waveform wave : {Waveform::Sine, Waveform::Triangle, Waveform::Square, Waveform::Saw, Waveform::Fm,
                          Waveform::Pluck})
        EXPECT_NEAR(MeasurePitch(Voice(wave, 220.0), 4000, 12000), 220.0, 2.5) << static_cast<int>(wave);
    EXPECT_EQ(Voice(Waveform::Noise, 1.0, 5), Voice(Waveform::Noise, 1.0, 5));
    EXPECT_NE(Voice(Waveform::Noise, 1.0, 5), Voice(Waveform::Noise, 1.0, 6));
}

TEST(Synth, EffectsAreNormalisedToTheirPeakWithSoftEdges) {
    AudioBuffer buffer;
    std::string error;
    ASSERT_TRUE(Render("type = effect\nlength = 0.2\npeak_db = -6\nreverb = 0.3\n[layer]\nwave = saw\nfreq = 300\n"
                       "attack = 0.0005\nsustain = 1\ngain = 3\n",
                       buffer, error))
        << error;
    const SoundLevels levels = MeasureLevels(buffer);
    EXPECT_NEAR(GainToDecibels(levels.peak), -6.0, 0.01);
    EXPECT_LT(levels.edgeLevel, 1e-3);
    EXPECT_LT(std::fabs(buffer.samples[3]), 0.02); // faded in although the saw starts at full level
}

TEST(Synth, MusicLoopsWithoutASeamWhenItsLastNoteRingsPastTheEnd) {
    AudioBuffer music;
    std::string error;
    ASSERT_TRUE(Render("type = music\ntempo = 120\nreverb = 0.5\nsequence = a\n"
                       "[instrument long]\nwave = saw\nlowpass = 2000\nattack = 0.01\nsustain = 1\nrelease = 0.8\n"
                       "gain = 0.4\nreverb = 1\n[instrument click]\nwave = noise\nattack = 0.001\ndecay = 0.01\n"
                       "sustain = 0\nrelease = 0.01\n[pattern p]\ninstrument = long\n"
                       "notes = - - - - - - - - - - - - - - - C3\n[pattern q]\ninstrument = click\n"
                       "notes = x - - - - - - - o - - - - - - -\n[section a]\nbars = 1\nplay = p q\n",
                       music, error))
        << error;
    EXPECT_EQ(music.Frames(), static_cast<std::size_t>(2 * kRate)); // a bar at 120 beats a minute
    const SoundLevels levels = MeasureLevels(music);
    EXPECT_GT(std::fabs(music.At(100, 0)), 0.0f); // the wrapped tail, not silence
    EXPECT_LT(levels.seamStep, 0.05);
    EXPECT_LT(levels.seamSlope, 0.05);
    // Encoded, the loop keeps its seam, and the same samples give the same bytes.
    std::vector<std::uint8_t> bytes, again;
    ASSERT_TRUE(EncodeOgg(music, 0.5f, 1234, bytes) && EncodeOgg(music, 0.5f, 1234, again));
    EXPECT_EQ(bytes, again);
    AudioBuffer decoded;
    ASSERT_TRUE(DecodeOgg(bytes, decoded));
    EXPECT_EQ(decoded.Frames(), music.Frames());
    EXPECT_LT(MeasureLevels(decoded).seamStep, 0.1);
}

TEST(Synth, BadRecipesFailWithAReason) {
    const std::string music = "type = music\nsequence = a\n[instrument tone]\nwave = sine\n";
    const std::pair<std::string, const char*> cases[] = {
        {"type = effect\n[layer]\nwave = sine\n", "needs a length"},
        {"type = effect\nlength = 0.1\n[layer]\nwave = kazoo\n", "unknown wave"},
        {"type = effect\nlength = 0.1\npeak_db = 0\n", "peak_db"}, // full scale would clip
        {music + "[pattern p]\ninstrument = tone\nnotes = C4 X9\n[section a]\nplay = p\n", "bad step 'X9'"},
        {music + "[pattern p]\ninstrument = tuba\nnotes = C4\n[section a]\nplay = p\n", "known instrument"},
        {"type = music\nsequence = a b\n[section a]\n", "unknown section 'b'"},
    };
    for (const auto& [text, reason] : cases) {
        AudioBuffer out;
        std::string error;
        EXPECT_FALSE(Render(text, out, error)) << text;
        EXPECT_NE(error.find(reason), std::string::npos) << "got: " << error;
    }
}

} // namespace
