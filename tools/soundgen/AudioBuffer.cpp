#include "AudioBuffer.h"

#include "Dsp.h"

#include <algorithm>
#include <cmath>

SoundLevels MeasureLevels(const AudioBuffer& buffer) {
    SoundLevels levels;
    size_t frames = buffer.Frames();
    if (frames == 0) {
        return levels;
    }
    double sumSquares = 0.0;
    for (float sample : buffer.samples) {
        levels.peak = std::max(levels.peak, static_cast<double>(std::fabs(sample)));
        sumSquares += static_cast<double>(sample) * sample;
    }
    levels.rms = std::sqrt(sumSquares / static_cast<double>(buffer.samples.size()));
    for (int channel = 0; channel < buffer.channels; ++channel) {
        double sum = 0.0;
        for (size_t frame = 0; frame < frames; ++frame) {
            sum += buffer.At(frame, channel);
        }
        levels.dcOffset = std::max(levels.dcOffset, std::fabs(sum / static_cast<double>(frames)));
        for (size_t frame = 1; frame < frames; ++frame) {
            double step = std::fabs(buffer.At(frame, channel) - buffer.At(frame - 1, channel));
            levels.largestStep = std::max(levels.largestStep, step);
        }
        double first = buffer.At(0, channel);
        double last = buffer.At(frames - 1, channel);
        levels.edgeLevel = std::max({levels.edgeLevel, std::fabs(first), std::fabs(last)});
        levels.seamStep = std::max(levels.seamStep, std::fabs(first - last));
        if (frames >= 3) {
            double slopeIn = buffer.At(1, channel) - first;
            double slopeOut = last - buffer.At(frames - 2, channel);
            levels.seamSlope = std::max(levels.seamSlope, std::fabs(slopeIn - slopeOut));
        }
    }
    return levels;
}

void NormalisePeak(AudioBuffer& buffer, double peakDecibels) {
    double peak = 0.0;
    for (float sample : buffer.samples) {
        peak = std::max(peak, static_cast<double>(std::fabs(sample)));
    }
    if (peak < 1e-9) {
        return;
    }
    double scale = DecibelsToGain(peakDecibels) / peak;
    for (float& sample : buffer.samples) {
        sample = static_cast<float>(sample * scale);
    }
}
