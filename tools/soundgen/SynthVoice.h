// One synthesised note: oscillator, envelope and filters described by a recipe section.
#pragma once

#include "Dsp.h"
#include "SoundRecipe.h"

#include <cstdint>
#include <string>
#include <vector>

enum class Waveform { Sine, Triangle, Square, Saw, Noise, Fm, Additive, Pluck };

struct Partial {
    double ratio = 1.0;
    double amplitude = 1.0;
};

struct VoiceParams {
    Waveform wave = Waveform::Sine;
    double frequency = 440.0;
    double frequencyEnd = 0.0; // 0: no glide
    double glide = 0.0;        // seconds of the glide; 0: the whole note
    Envelope envelope;
    double gain = 0.5;
    double fmRatio = 2.0;
    double fmIndex = 0.0;
    double fmIndexEnd = -1.0; // below 0: same as fmIndex
    double fmIndexTime = 0.3; // seconds for the index to move from start to end
    std::vector<Partial> partials;
    double partialDamping = 0.0; // higher partials fade faster, as on struck wood and metal
    double vibratoRate = 0.0;
    double vibratoDepth = 0.0; // semitones
    double lowpass = 0.0;      // Hz; 0: off
    double lowpassEnd = 0.0;   // Hz at the end of the note; 0: fixed
    double resonance = 0.707;
    double highpass = 0.0;
    double noiseMix = 0.0; // breath added to a tonal wave
    int unison = 1;
    double detune = 0.0; // cents between unison voices
    std::uint32_t seed = 1;
    double pan = 0.0; // -1 left .. 1 right, music only
};

// Reads the voice keys of a section into params (keys absent keep what params already holds).
void ReadVoiceParams(RecipeReader& reader, VoiceParams& params);

// Adds velocity-scaled samples of a note held for gateSeconds (plus its release) to out at offset,
// growing nothing: samples beyond out's end are dropped.
void RenderVoice(const VoiceParams& params, double frequency, double gateSeconds, double velocity,
                 int sampleRate, std::vector<float>& out, size_t offset);

// Length in samples of a note held for gateSeconds.
size_t VoiceLength(const VoiceParams& params, double gateSeconds, int sampleRate);

// "A4" -> 440 Hz; accepts C D E F G A B, an optional '#' or 'b', an octave -1..9. False if not a note.
bool NoteFrequency(const std::string& name, double& frequency);
