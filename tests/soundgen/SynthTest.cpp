// The synthesiser's pieces: envelopes, pitch, filters, determinism and whole effects.
#include "AudioBuffer.h"
#include "Dsp.h"
#include "EffectRenderer.h"
#include "SynthVoice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const int kRate = 44100;

// Frequency from upward zero crossings over a stretch of samples.
double MeasureFrequency(const std::vector<float>& samples, size_t from, size_t to) {
    int crossings = 0;
    size_t first = 0;
    size_t last = 0;
    for (size_t i = from + 1; i < to; ++i) {
        if (samples[i - 1] < 0.0f && samples[i] >= 0.0f) {
            if (crossings == 0) {
                first = i;
            }
            last = i;
            ++crossings;
        }
    }
    return crossings < 2 ? 0.0
                         : (crossings - 1) * static_cast<double>(kRate) / static_cast<double>(last - first);
}

// Frequency from the strongest autocorrelation, for waves whose harmonics cross zero many times a period.
double MeasurePitch(const std::vector<float>& samples, size_t from, size_t to) {
    size_t bestLag = 0;
    double best = -1.0;
    for (size_t lag = kRate / 2000; lag < kRate / 50; ++lag) {
        double sum = 0.0;
        for (size_t i = from; i + lag < to; ++i) {
            sum += samples[i] * samples[i + lag];
        }
        if (sum > best) {
            best = sum;
            bestLag = lag;
        }
    }
    return bestLag == 0 ? 0.0 : static_cast<double>(kRate) / static_cast<double>(bestLag);
}

double Rms(const std::vector<float>& samples, size_t from, size_t to) {
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) {
        sum += samples[i] * samples[i];
    }
    return std::sqrt(sum / static_cast<double>(to - from));
}

VoiceParams Steady(Waveform wave) {
    VoiceParams voice;
    voice.wave = wave;
    voice.envelope.attack = 0.001;
    voice.envelope.sustain = 1.0;
    voice.envelope.release = 0.01;
    voice.gain = 1.0;
    return voice;
}

std::vector<float> Render(const VoiceParams& voice, double frequency, double gate) {
    std::vector<float> out(VoiceLength(voice, gate, kRate), 0.0f);
    RenderVoice(voice, frequency, gate, 1.0, kRate, out, 0);
    return out;
}

TEST(SynthEnvelope, RisesHoldsAndReleasesToSilenceWithoutJumps) {
    Envelope envelope;
    envelope.attack = 0.01;
    envelope.decay = 0.05;
    envelope.sustain = 0.5;
    envelope.release = 0.1;
    const double gate = 0.3;
    EXPECT_DOUBLE_EQ(envelope.Level(0.0, gate), 0.0);
    EXPECT_NEAR(envelope.Level(0.01, gate), 1.0, 1e-9);
    EXPECT_NEAR(envelope.Level(0.29, gate), 0.5, 0.01);
    EXPECT_DOUBLE_EQ(envelope.Level(0.4, gate), 0.0);
    EXPECT_DOUBLE_EQ(envelope.Level(-0.1, gate), 0.0);
    // Neighbouring samples never differ by much: no clicks at the attack, gate or end.
    double previous = 0.0;
    for (int i = 1; i <= static_cast<int>(0.41 * kRate); ++i) {
        double level = envelope.Level(i / static_cast<double>(kRate), gate);
        EXPECT_LT(std::fabs(level - previous), 0.005) << "sample " << i;
        previous = level;
    }
    // A note released during its attack fades from where it got to.
    EXPECT_LT(envelope.Level(0.006, 0.005), envelope.Level(0.005, 0.005) + 1e-12);
}

TEST(SynthVoice, OscillatorsPlayTheAskedPitchAndGlide) {
    for (Waveform wave :
         {Waveform::Sine, Waveform::Triangle, Waveform::Square, Waveform::Saw, Waveform::Fm}) {
        VoiceParams voice = Steady(wave);
        voice.fmIndex = 1.0;
        voice.fmRatio = 1.0;
        std::vector<float> out = Render(voice, 440.0, 0.5);
        EXPECT_NEAR(MeasureFrequency(out, 2000, 20000), 440.0, 2.0) << static_cast<int>(wave);
    }
    VoiceParams glide = Steady(Waveform::Sine);
    glide.frequencyEnd = 880.0;
    glide.glide = 0.1;
    std::vector<float> out = Render(glide, 440.0, 0.5);
    EXPECT_NEAR(MeasureFrequency(out, 8000, 20000), 880.0, 3.0);

    VoiceParams pluck = Steady(Waveform::Pluck);
    pluck.envelope.decay = 1.0;
    std::vector<float> string = Render(pluck, 220.0, 0.5);
    EXPECT_NEAR(MeasurePitch(string, 4000, 12000), 220.0, 220.0 * 0.01);
}

TEST(SynthVoice, LowPassKeepsLowsAndCutsHighs) {
    VoiceParams voice = Steady(Waveform::Sine);
    voice.lowpass = 500.0;
    double low = Rms(Render(voice, 100.0, 0.3), 3000, 12000);
    double high = Rms(Render(voice, 8000.0, 0.3), 3000, 12000);
    EXPECT_NEAR(low, std::sqrt(0.5), 0.05);
    EXPECT_LT(high, std::sqrt(0.5) * 0.01); // more than 40 dB down
    VoiceParams highpass = Steady(Waveform::Sine);
    highpass.highpass = 2000.0;
    EXPECT_LT(Rms(Render(highpass, 100.0, 0.3), 3000, 12000), std::sqrt(0.5) * 0.01);
}

TEST(SynthVoice, SameSeedSameNoiseOtherSeedOtherNoise) {
    VoiceParams voice = Steady(Waveform::Noise);
    voice.seed = 5;
    std::vector<float> first = Render(voice, 1.0, 0.05);
    std::vector<float> again = Render(voice, 1.0, 0.05);
    voice.seed = 6;
    std::vector<float> other = Render(voice, 1.0, 0.05);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
    EXPECT_GT(Rms(first, 100, first.size() - 500), 0.3);
}

TEST(SynthVoice, NotesAddIntoTheBufferAndStopAtItsEnd) {
    VoiceParams voice = Steady(Waveform::Sine);
    std::vector<float> out(1000, 0.25f);
    RenderVoice(voice, 440.0, 1.0, 1.0, kRate, out, 900); // runs far past the end
    EXPECT_EQ(out.size(), 1000u);
    EXPECT_FLOAT_EQ(out[0], 0.25f);
    EXPECT_NE(out[950], 0.25f);
    RenderVoice(voice, 440.0, 1.0, 1.0, kRate, out, 5000); // starts past the end: nothing
}

AudioBuffer RenderEffect(const std::string& text, std::string& error) {
    SoundRecipe recipe;
    AudioBuffer buffer;
    if (!recipe.Parse(text, "test.txt")) {
        error = recipe.Error();
        return buffer;
    }
    EffectRenderer().Render(recipe, buffer, error);
    return buffer;
}

TEST(EffectRenderer, NormalisesThePeakAndSoftensBothEnds) {
    std::string error;
    AudioBuffer buffer =
        RenderEffect("type = effect\nlength = 0.2\npeak_db = -6\nreverb = 0.3\n"
                     "[layer]\nwave = saw\nfreq = 300\nattack = 0.0005\nsustain = 1\ngain = 3\n"
                     "[layer]\nwave = noise\nstart = 0.05\nlength = 0.05\ngain = 2\n",
                     error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(buffer.Frames(), static_cast<size_t>(0.2 * kRate));
    EXPECT_EQ(buffer.channels, 1);
    SoundLevels levels = MeasureLevels(buffer);
    EXPECT_NEAR(GainToDecibels(levels.peak), -6.0, 0.01);
    EXPECT_LT(levels.edgeLevel, 1e-3);
    EXPECT_LT(levels.dcOffset, 0.01);
    // The 2 ms fade-in keeps the opening samples small although the saw starts at full level.
    EXPECT_LT(std::fabs(buffer.samples[3]), 0.02);
}

TEST(EffectRenderer, RepeatsAreSpacedAndTransposedGlideAndAll) {
    std::string error;
    AudioBuffer buffer = RenderEffect("type = effect\nlength = 0.5\n[layer]\nwave = sine\nfreq = 440\n"
                                      "freq_end = 660\nglide = 0.02\nlength = 0.1\nrepeat = 2\nevery = 0.25\n"
                                      "pitch_step = 12\nsustain = 1\nrelease = 0.01\n",
                                      error);
    ASSERT_EQ(error, "");
    std::vector<float> mono = buffer.samples;
    EXPECT_NEAR(MeasureFrequency(mono, 1500, 3500), 660.0, 4.0);
    EXPECT_NEAR(MeasureFrequency(mono, 12500, 14500), 1320.0, 8.0); // an octave up, glide included
    EXPECT_LT(Rms(mono, 5500, 10500), 1e-3);                        // the gap between them is silent
}

TEST(EffectRenderer, WithoutLayersItIsSilentAndBadRecipesFail) {
    std::string error;
    AudioBuffer silent = RenderEffect("type = effect\nlength = 0.05\n", error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(silent.Frames(), static_cast<size_t>(0.05 * kRate));
    EXPECT_EQ(MeasureLevels(silent).peak, 0.0);

    RenderEffect("type = effect\n[layer]\nwave = sine\n", error);
    EXPECT_NE(error.find("needs a length"), std::string::npos) << error;
    RenderEffect("type = effect\nlength = 0.1\n[pattern x]\n", error);
    EXPECT_NE(error.find("only [layer]"), std::string::npos) << error;
    RenderEffect("type = effect\nlength = 0.1\n[layer]\nwave = kazoo\n", error);
    EXPECT_NE(error.find("unknown wave"), std::string::npos) << error;
    RenderEffect("type = effect\nlength = 0.1\npeak_db = 0\n", error);
    EXPECT_NE(error.find("peak_db"), std::string::npos) << error; // full scale is refused
    RenderEffect("type = effect\nlength = 0.1\nrate = 22050\n", error);
    EXPECT_NE(error.find("44100 or 48000"), std::string::npos) << error;
    RenderEffect("type = effect\nlength = 0.1\n[layer]\nwave = additive\n", error);
    EXPECT_NE(error.find("partials"), std::string::npos) << error;
}

} // namespace
