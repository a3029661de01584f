// Interleaved float samples with the measurements we check every generated sound against.
#pragma once

#include <cstddef>
#include <vector>

struct AudioBuffer {
    int sampleRate = 44100;
    int channels = 1;
    std::vector<float> samples; // interleaved, full scale is 1.0

    size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
    double Seconds() const { return sampleRate > 0 ? static_cast<double>(Frames()) / sampleRate : 0.0; }
    float At(size_t frame, int channel) const { return samples[frame * channels + channel]; }
};

struct SoundLevels {
    double peak = 0.0;        // largest magnitude
    double rms = 0.0;         // over all samples
    double dcOffset = 0.0;    // largest per-channel mean
    double largestStep = 0.0; // largest jump between neighbouring samples inside the sound
    double seamStep = 0.0;    // jump from the last sample back to the first, as a loop plays it
    double seamSlope = 0.0;   // change of slope across that seam
    double edgeLevel = 0.0;   // larger magnitude of the very first and very last sample
};

SoundLevels MeasureLevels(const AudioBuffer& buffer);

// Scales every sample so the peak lands at peakDecibels (dBFS); silent buffers stay silent.
void NormalisePeak(AudioBuffer& buffer, double peakDecibels);
