#include "SynthVoice.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

double Fraction(double x) {
    return x - std::floor(x);
}

// PolyBLEP smooths the jumps of saw and square so their high harmonics do not fold back as whistles.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

bool ParseWave(const std::string& name, Waveform& wave) {
    static const struct {
        const char* name;
        Waveform wave;
    } kWaves[] = {{"sine", Waveform::Sine},         {"triangle", Waveform::Triangle},
                  {"square", Waveform::Square},     {"saw", Waveform::Saw},
                  {"noise", Waveform::Noise},       {"fm", Waveform::Fm},
                  {"additive", Waveform::Additive}, {"pluck", Waveform::Pluck}};
    for (const auto& entry : kWaves) {
        if (name == entry.name) {
            wave = entry.wave;
            return true;
        }
    }
    return false;
}

bool ParsePartials(const std::string& text, std::vector<Partial>& partials) {
    partials.clear();
    for (const std::string& word : SplitWords(text)) {
        size_t colon = word.find(':');
        if (colon == std::string::npos) {
            return false;
        }
        char* end = nullptr;
        Partial partial;
        std::string ratio = word.substr(0, colon);
        std::string amplitude = word.substr(colon + 1);
        partial.ratio = std::strtod(ratio.c_str(), &end);
        if (ratio.empty() || *end != '\0' || !(partial.ratio > 0.0 && partial.ratio < 64.0)) {
            return false;
        }
        partial.amplitude = std::strtod(amplitude.c_str(), &end);
        if (amplitude.empty() || *end != '\0' || !(std::fabs(partial.amplitude) <= 4.0)) {
            return false;
        }
        partials.push_back(partial);
    }
    return !partials.empty();
}

// One oscillator of a (possibly detuned) unison stack.
class Oscillator {
public:
    Oscillator(const VoiceParams& params, double startPhase, int sampleRate, std::uint32_t seed)
        : params_(params), phase_(startPhase), modPhase_(startPhase), rate_(sampleRate), noise_(seed) {
        partialPhases_.assign(params.partials.size(), startPhase);
        // Each partial's fade is a fixed factor per sample, cheaper than an exp() per sample.
        for (const Partial& partial : params.partials) {
            partialLevels_.push_back(partial.amplitude);
            partialFades_.push_back(std::exp(-params.partialDamping * (partial.ratio - 1.0) / sampleRate));
        }
    }

    double Next(double frequency, double fmIndex) {
        double dt = frequency / rate_;
        double value = 0.0;
        switch (params_.wave) {
        case Waveform::Sine:
            value = std::sin(2.0 * kPi * phase_);
            break;
        case Waveform::Triangle:
            value = 1.0 - 4.0 * std::fabs(phase_ - 0.5);
            break;
        case Waveform::Saw:
            value = 2.0 * phase_ - 1.0 - PolyBlep(phase_, dt);
            break;
        case Waveform::Square:
            value = (phase_ < 0.5 ? 1.0 : -1.0) + PolyBlep(phase_, dt) - PolyBlep(Fraction(phase_ + 0.5), dt);
            break;
        case Waveform::Noise:
            value = noise_.Next();
            break;
        case Waveform::Fm:
            value = std::sin(2.0 * kPi * phase_ + fmIndex * std::sin(2.0 * kPi * modPhase_));
            modPhase_ = Fraction(modPhase_ + dt * params_.fmRatio);
            break;
        case Waveform::Additive:
            for (size_t i = 0; i < params_.partials.size(); ++i) {
                const Partial& partial = params_.partials[i];
                if (frequency * partial.ratio < rate_ * 0.45) {
                    value += partialLevels_[i] * std::sin(2.0 * kPi * partialPhases_[i]);
                }
                partialLevels_[i] *= partialFades_[i];
                partialPhases_[i] = Fraction(partialPhases_[i] + dt * partial.ratio);
            }
            break;
        case Waveform::Pluck:
            break; // rendered by its own loop
        }
        phase_ = Fraction(phase_ + dt);
        return value;
    }

private:
    const VoiceParams& params_;
    double phase_;
    double modPhase_;
    double rate_;
    NoiseSource noise_;
    std::vector<double> partialPhases_;
    std::vector<double> partialLevels_;
    std::vector<double> partialFades_;
};

// A plucked string: a burst of soft noise circulating in a slightly lossy delay line.
void RenderPluck(const VoiceParams& params, double frequency, size_t length, int sampleRate,
                 std::vector<double>& raw) {
    double period = sampleRate / std::max(frequency, 20.0);
    // The two-point average adds half a sample of delay.
    size_t size = static_cast<size_t>(std::max(std::lround(period - 0.5), 2L));
    std::vector<double> line(size, 0.0);
    NoiseSource noise(params.seed);
    double smooth = 0.0;
    double mean = 0.0;
    for (double& sample : line) {
        smooth = 0.5 * smooth + 0.5 * noise.Next(); // a softer pick than white noise
        sample = smooth;
        mean += sample;
    }
    mean /= static_cast<double>(size);
    for (double& sample : line) {
        sample -= mean;
    }
    // The loss per period that makes the string ring for about the decay time.
    double periodSeconds = period / sampleRate;
    double loss = params.envelope.decay > 0.0 ? std::exp(-periodSeconds / params.envelope.decay) : 0.9;
    raw.assign(length, 0.0);
    size_t index = 0;
    for (size_t i = 0; i < length; ++i) {
        size_t next = index + 1 == size ? 0 : index + 1;
        raw[i] = line[index];
        line[index] = loss * 0.5 * (line[index] + line[next]);
        index = next;
    }
}

} // namespace

void ReadVoiceParams(RecipeReader& reader, VoiceParams& params) {
    std::string wave = reader.Text("wave", "");
    if (!wave.empty() && !ParseWave(wave, params.wave)) {
        reader.Fail(reader.Line(), "unknown wave '" + wave + "'");
    }
    std::string note = reader.Text("note", "");
    if (!note.empty() && !NoteFrequency(note, params.frequency)) {
        reader.Fail(reader.Line(), "bad note '" + note + "'");
    }
    params.frequency = reader.Number("freq", params.frequency, 1.0, 20000.0);
    params.frequencyEnd = reader.Number("freq_end", params.frequencyEnd, 0.0, 20000.0);
    params.glide = reader.Number("glide", params.glide, 0.0, 10.0);
    params.envelope.attack = reader.Number("attack", params.envelope.attack, 0.0005, 10.0);
    params.envelope.decay = reader.Number("decay", params.envelope.decay, 0.0, 60.0);
    params.envelope.sustain = reader.Number("sustain", params.envelope.sustain, 0.0, 1.0);
    params.envelope.release = reader.Number("release", params.envelope.release, 0.002, 10.0);
    params.gain = reader.Number("gain", params.gain, 0.0, 4.0);
    params.fmRatio = reader.Number("fm_ratio", params.fmRatio, 0.01, 32.0);
    params.fmIndex = reader.Number("fm_index", params.fmIndex, 0.0, 32.0);
    params.fmIndexEnd = reader.Number("fm_index_end", params.fmIndexEnd, -1.0, 32.0);
    params.fmIndexTime = reader.Number("fm_index_time", params.fmIndexTime, 0.001, 60.0);
    std::string partials = reader.Text("partials", "");
    if (!partials.empty() && !ParsePartials(partials, params.partials)) {
        reader.Fail(reader.Line(), "partials are ratio:amplitude pairs, e.g. 1:1 4:0.3");
    }
    params.partialDamping = reader.Number("partial_damping", params.partialDamping, 0.0, 1000.0);
    params.vibratoRate = reader.Number("vibrato_rate", params.vibratoRate, 0.0, 40.0);
    params.vibratoDepth = reader.Number("vibrato_depth", params.vibratoDepth, 0.0, 12.0);
    params.lowpass = reader.Number("lowpass", params.lowpass, 0.0, 22000.0);
    params.lowpassEnd = reader.Number("lowpass_end", params.lowpassEnd, 0.0, 22000.0);
    params.resonance = reader.Number("resonance", params.resonance, 0.1, 20.0);
    params.highpass = reader.Number("highpass", params.highpass, 0.0, 20000.0);
    params.noiseMix = reader.Number("noise", params.noiseMix, 0.0, 1.0);
    params.unison = static_cast<int>(reader.Number("unison", params.unison, 1, 8));
    params.detune = reader.Number("detune", params.detune, 0.0, 100.0);
    params.seed = static_cast<std::uint32_t>(reader.Number("seed", params.seed, 0, 4294967295.0));
    params.pan = reader.Number("pan", params.pan, -1.0, 1.0);
    if (params.wave == Waveform::Additive && params.partials.empty()) {
        reader.Fail(reader.Line(), "an additive wave needs partials");
    }
}

size_t VoiceLength(const VoiceParams& params, double gateSeconds, int sampleRate) {
    double seconds = std::max(gateSeconds, 0.0) + params.envelope.release;
    return static_cast<size_t>(std::ceil(seconds * sampleRate));
}

void RenderVoice(const VoiceParams& params, double frequency, double gateSeconds, double velocity,
                 int sampleRate, std::vector<float>& out, size_t offset) {
    if (offset >= out.size()) {
        return;
    }
    size_t length = std::min(VoiceLength(params, gateSeconds, sampleRate), out.size() - offset);
    double gate = std::max(gateSeconds, 0.0);
    double rate = sampleRate;
    double glideSeconds = params.glide > 0.0 ? params.glide : std::max(gate + params.envelope.release, 1e-3);
    double endRatio = params.frequencyEnd > 0.0 ? params.frequencyEnd / params.frequency : 1.0;
    double indexEnd = params.fmIndexEnd >= 0.0 ? params.fmIndexEnd : params.fmIndex;
    double noteSeconds = std::max(gate + params.envelope.release, 1e-3);

    std::vector<double> raw(length, 0.0);
    if (params.wave == Waveform::Pluck) {
        RenderPluck(params, frequency, length, sampleRate, raw);
    } else {
        int count = std::max(params.unison, 1);
        for (int v = 0; v < count; ++v) {
            // Spread the unison voices evenly around the note, each starting at its own phase.
            double spread = count > 1 ? (2.0 * v / (count - 1) - 1.0) * params.detune * 0.5 : 0.0;
            double detuneRatio = std::pow(2.0, spread / 1200.0);
            Oscillator oscillator(params, Fraction(0.37 * v), sampleRate, params.seed + 7919u * v);
            for (size_t i = 0; i < length; ++i) {
                double t = i / rate;
                double pitch = frequency * detuneRatio;
                if (endRatio != 1.0) {
                    pitch *= std::pow(endRatio, std::min(t / glideSeconds, 1.0));
                }
                if (params.vibratoDepth > 0.0) {
                    // Vibrato eases in so short notes stay steady.
                    double depth = params.vibratoDepth * std::min(t / 0.25, 1.0);
                    pitch *= std::pow(2.0, depth * std::sin(2.0 * kPi * params.vibratoRate * t) / 12.0);
                }
                double index = params.fmIndex;
                if (indexEnd != params.fmIndex) {
                    index += (indexEnd - params.fmIndex) * std::min(t / params.fmIndexTime, 1.0);
                }
                raw[i] += oscillator.Next(pitch, index) / count;
            }
        }
    }

    NoiseSource breath(params.seed ^ 0xA5A5A5A5u);
    StateVariableFilter lowpass;
    StateVariableFilter highpass;
    bool sweeping = params.lowpass > 0.0 && params.lowpassEnd > 0.0;
    if (params.lowpass > 0.0) {
        lowpass.SetCutoff(params.lowpass, params.resonance, rate);
    }
    if (params.highpass > 0.0) {
        highpass.SetCutoff(params.highpass, 0.707, rate);
    }
    for (size_t i = 0; i < length; ++i) {
        double t = i / rate;
        double sample = raw[i];
        if (params.noiseMix > 0.0) {
            sample = sample * (1.0 - params.noiseMix) + breath.Next() * params.noiseMix;
        }
        if (params.lowpass > 0.0) {
            if (sweeping && (i & 15) == 0) {
                double amount = std::min(t / noteSeconds, 1.0);
                double cutoff = params.lowpass * std::pow(params.lowpassEnd / params.lowpass, amount);
                lowpass.SetCutoff(cutoff, params.resonance, rate);
            }
            sample = lowpass.Process(sample);
        }
        if (params.highpass > 0.0) {
            highpass.Process(sample);
            sample = highpass.High();
        }
        double level = params.envelope.Level(t, gate);
        out[offset + i] += static_cast<float>(sample * level * params.gain * velocity);
    }
}

bool NoteFrequency(const std::string& name, double& frequency) {
    static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') {
        return false;
    }
    int semitone = kSemitones[name[0] - 'A'];
    size_t position = 1;
    if (name[position] == '#') {
        ++semitone;
        ++position;
    } else if (name[position] == 'b') {
        --semitone;
        ++position;
    }
    std::string octaveText = name.substr(position);
    bool valid =
        octaveText == "-1" || (octaveText.size() == 1 && octaveText[0] >= '0' && octaveText[0] <= '9');
    if (!valid) {
        return false;
    }
    int octave = std::atoi(octaveText.c_str());
    int midi = (octave + 1) * 12 + semitone;
    frequency = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
    return true;
}
