#include "Reverb.h"

#include <algorithm>

namespace {

// Delay lengths at 44.1 kHz, chosen without common factors so the echoes do not line up.
const int kCombLengths[] = {1123, 1193, 1277, 1361, 1423, 1499, 1559, 1619};
const int kAllPassLengths[] = {557, 443, 347, 227};
const int kStereoSpread = 23;

size_t Scaled(int length, int sampleRate) {
    return static_cast<size_t>(std::max(1L, static_cast<long>(length) * sampleRate / 44100));
}

} // namespace

Reverb::Reverb(int sampleRate, double size, double damping)
    : feedback_(0.7 + 0.28 * std::clamp(size, 0.0, 1.0)),
      damping_(0.05 + 0.6 * std::clamp(damping, 0.0, 1.0)) {
    for (int channel = 0; channel < 2; ++channel) {
        int spread = channel * kStereoSpread;
        for (int length : kCombLengths) {
            Comb comb;
            comb.line.assign(Scaled(length + spread, sampleRate), 0.0);
            combs_[channel].push_back(comb);
        }
        for (int length : kAllPassLengths) {
            AllPass allPass;
            allPass.line.assign(Scaled(length + spread, sampleRate), 0.0);
            allPasses_[channel].push_back(allPass);
        }
    }
}

double Reverb::RunComb(Comb& comb, double input, double feedback, double damping) {
    double output = comb.line[comb.index];
    comb.filtered = output * (1.0 - damping) + comb.filtered * damping;
    comb.line[comb.index] = input + comb.filtered * feedback;
    comb.index = comb.index + 1 == comb.line.size() ? 0 : comb.index + 1;
    return output;
}

double Reverb::RunAllPass(AllPass& allPass, double input) {
    double delayed = allPass.line[allPass.index];
    double output = delayed - input;
    allPass.line[allPass.index] = input + delayed * 0.5;
    allPass.index = allPass.index + 1 == allPass.line.size() ? 0 : allPass.index + 1;
    return output;
}

void Reverb::Process(double inLeft, double inRight, double& outLeft, double& outRight) {
    // Both channels hear the same mono input; the different delay lengths make the width.
    double input = (inLeft + inRight) * 0.5 * 0.05;
    double out[2];
    for (int channel = 0; channel < 2; ++channel) {
        double sum = 0.0;
        for (Comb& comb : combs_[channel]) {
            sum += RunComb(comb, input, feedback_, damping_);
        }
        for (AllPass& allPass : allPasses_[channel]) {
            sum = RunAllPass(allPass, sum);
        }
        out[channel] = sum;
    }
    outLeft = out[0];
    outRight = out[1];
}

Echo::Echo(int sampleRate, double delaySeconds, double feedback)
    : left_(std::max<size_t>(1, static_cast<size_t>(delaySeconds * sampleRate)), 0.0),
      right_(left_.size(), 0.0), feedback_(std::clamp(feedback, 0.0, 0.9)) {}

void Echo::Process(double inLeft, double inRight, double& outLeft, double& outRight) {
    double delayedLeft = left_[index_];
    double delayedRight = right_[index_];
    darkLeft_ += 0.5 * (delayedLeft - darkLeft_);
    darkRight_ += 0.5 * (delayedRight - darkRight_);
    // Ping-pong: what comes out on the left goes back in on the right.
    left_[index_] = (inLeft + inRight) * 0.5 + darkRight_ * feedback_;
    right_[index_] = darkLeft_ * feedback_;
    index_ = index_ + 1 == left_.size() ? 0 : index_ + 1;
    outLeft = delayedLeft;
    outRight = delayedRight;
}
