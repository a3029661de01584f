#include "EffectRenderer.h"

#include "Dsp.h"
#include "Reverb.h"
#include "SynthVoice.h"

#include <algorithm>
#include <cmath>

namespace {

const double kLowestPeak = -40.0;
const double kHighestPeak = -1.0;

struct EffectSettings {
    int sampleRate = 44100;
    int channels = 1;
    double length = 0.0;
    double peakDecibels = -6.0;
    double reverbMix = 0.0;
    double reverbSize = 0.4;
    double reverbDamping = 0.5;
    double echoTime = 0.0;
    double echoFeedback = 0.3;
    double echoMix = 0.0;
    double fadeIn = 0.002;
    double fadeOut = 0.01;
};

void ReadSettings(RecipeReader& reader, EffectSettings& settings) {
    reader.Text("type", "");
    reader.Text("file", "");
    double rate = reader.Number("rate", 44100, 8000, 48000);
    if (rate != 44100 && rate != 48000) {
        reader.Fail(reader.Line(), "rate must be 44100 or 48000");
    }
    settings.sampleRate = static_cast<int>(rate);
    settings.channels = static_cast<int>(reader.Number("channels", 1, 1, 2));
    if (!reader.Has("length")) {
        reader.Fail(reader.Line(), "an effect needs a length");
    }
    settings.length = reader.Number("length", 0.1, 0.01, 5.0);
    settings.peakDecibels = reader.Number("peak_db", settings.peakDecibels, kLowestPeak, kHighestPeak);
    settings.reverbMix = reader.Number("reverb", 0.0, 0.0, 1.0);
    settings.reverbSize = reader.Number("reverb_size", settings.reverbSize, 0.0, 1.0);
    settings.reverbDamping = reader.Number("reverb_damping", settings.reverbDamping, 0.0, 1.0);
    settings.echoTime = reader.Number("echo_time", 0.0, 0.0, 1.0);
    settings.echoFeedback = reader.Number("echo_feedback", settings.echoFeedback, 0.0, 0.9);
    settings.echoMix = reader.Number("echo_mix", 0.0, 0.0, 1.0);
    settings.fadeIn = reader.Number("fade_in", settings.fadeIn, 0.0005, 0.5);
    settings.fadeOut = reader.Number("fade_out", settings.fadeOut, 0.002, 2.0);
}

struct Layer {
    VoiceParams voice;
    double start = 0.0;
    double length = 0.0;
    int repeat = 1;
    double every = 0.1;
    double pitchStep = 0.0; // semitones per repeat
    double gainStep = 1.0;  // gain factor per repeat
};

void ReadLayer(RecipeReader& reader, double effectLength, Layer& layer) {
    layer.start = reader.Number("start", 0.0, 0.0, effectLength);
    layer.length = reader.Number("length", effectLength - layer.start, 0.005, 5.0);
    layer.repeat = static_cast<int>(reader.Number("repeat", 1, 1, 64));
    layer.every = reader.Number("every", layer.every, 0.001, 5.0);
    layer.pitchStep = reader.Number("pitch_step", 0.0, -24.0, 24.0);
    layer.gainStep = reader.Number("gain_step", 1.0, 0.0, 2.0);
    ReadVoiceParams(reader, layer.voice);
}

void RenderLayer(const Layer& layer, int sampleRate, std::vector<float>& mono) {
    double gain = 1.0;
    for (int i = 0; i < layer.repeat; ++i) {
        VoiceParams voice = layer.voice;
        // A glide is relative to the note, so transposing the start moves its end along.
        double ratio = std::pow(2.0, layer.pitchStep * i / 12.0);
        voice.seed = layer.voice.seed + static_cast<std::uint32_t>(i) * 101u;
        double start = layer.start + layer.every * i;
        size_t offset = static_cast<size_t>(std::lround(start * sampleRate));
        double gate = std::max(layer.length - voice.envelope.release, 0.0);
        RenderVoice(voice, voice.frequency * ratio, gate, gain, sampleRate, mono, offset);
        gain *= layer.gainStep;
    }
}

// Gentle high-pass at about 15 Hz so no effect carries a DC offset.
void RemoveDrift(std::vector<float>& mono, int sampleRate) {
    double coefficient = std::exp(-2.0 * kPi * 15.0 / sampleRate);
    double previousIn = 0.0;
    double previousOut = 0.0;
    for (float& sample : mono) {
        double out = sample - previousIn + coefficient * previousOut;
        previousIn = sample;
        previousOut = out;
        sample = static_cast<float>(out);
    }
}

void ApplyEdges(std::vector<float>& mono, const EffectSettings& settings) {
    size_t fadeIn = std::min(mono.size(), static_cast<size_t>(settings.fadeIn * settings.sampleRate) + 1);
    size_t fadeOut = std::min(mono.size(), static_cast<size_t>(settings.fadeOut * settings.sampleRate) + 1);
    for (size_t i = 0; i < fadeIn; ++i) {
        mono[i] = static_cast<float>(mono[i] * 0.5 * (1.0 - std::cos(kPi * i / fadeIn)));
    }
    for (size_t i = 0; i < fadeOut; ++i) {
        size_t index = mono.size() - 1 - i;
        mono[index] = static_cast<float>(mono[index] * 0.5 * (1.0 - std::cos(kPi * i / fadeOut)));
    }
}

} // namespace

bool EffectRenderer::Render(const SoundRecipe& recipe, AudioBuffer& out, std::string& error) const {
    error.clear();
    EffectSettings settings;
    RecipeReader header(recipe.Header(), recipe.SourceName(), error);
    ReadSettings(header, settings);
    header.Finish();

    std::vector<Layer> layers;
    for (const RecipeSection& section : recipe.Sections()) {
        RecipeReader reader(section, recipe.SourceName(), error);
        if (section.kind != "layer") {
            reader.Fail(section.line, "an effect has only [layer] sections, not [" + section.kind + "]");
            break;
        }
        Layer layer;
        ReadLayer(reader, settings.length, layer);
        reader.Finish();
        layers.push_back(layer);
    }
    if (!error.empty()) {
        return false;
    }

    std::vector<float> mono(static_cast<size_t>(std::lround(settings.length * settings.sampleRate)), 0.0f);
    for (const Layer& layer : layers) {
        RenderLayer(layer, settings.sampleRate, mono);
    }
    if (settings.echoMix > 0.0 && settings.echoTime > 0.0) {
        Echo echo(settings.sampleRate, settings.echoTime, settings.echoFeedback);
        for (float& sample : mono) {
            double left = 0.0;
            double right = 0.0;
            echo.Process(sample, sample, left, right);
            sample = static_cast<float>(sample + settings.echoMix * 0.5 * (left + right));
        }
    }
    if (settings.reverbMix > 0.0) {
        Reverb room(settings.sampleRate, settings.reverbSize, settings.reverbDamping);
        for (float& sample : mono) {
            double left = 0.0;
            double right = 0.0;
            room.Process(sample, sample, left, right);
            sample = static_cast<float>(sample + settings.reverbMix * 0.5 * (left + right));
        }
    }
    RemoveDrift(mono, settings.sampleRate);
    ApplyEdges(mono, settings);

    out.sampleRate = settings.sampleRate;
    out.channels = settings.channels;
    out.samples.clear();
    out.samples.reserve(mono.size() * static_cast<size_t>(settings.channels));
    for (float sample : mono) {
        for (int channel = 0; channel < settings.channels; ++channel) {
            out.samples.push_back(sample);
        }
    }
    NormalisePeak(out, settings.peakDecibels);
    return true;
}
