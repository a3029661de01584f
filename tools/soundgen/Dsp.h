// Small building blocks of our synthesiser: seeded noise, a state-variable filter, note envelopes.
#pragma once

#include <cmath>
#include <cstdint>

constexpr double kPi = 3.14159265358979323846;

// xorshift32: the same seed always gives the same hiss, so every build renders identical files.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}
    double Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

// Topology-preserving state-variable filter: stays stable while its cutoff sweeps.
class StateVariableFilter {
public:
    void SetCutoff(double cutoffHz, double q, double sampleRate) {
        double limited = std::fmin(cutoffHz, sampleRate * 0.45);
        limited = std::fmax(limited, 10.0);
        double g = std::tan(kPi * limited / sampleRate);
        k_ = 1.0 / (q > 0.05 ? q : 0.05);
        a1_ = 1.0 / (1.0 + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    // Returns the low-pass output; High() and Band() give the others of the same step.
    double Process(double input) {
        double v3 = input - ic2_;
        double v1 = a1_ * ic1_ + a2_ * v3;
        double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
        ic1_ = 2.0 * v1 - ic1_;
        ic2_ = 2.0 * v2 - ic2_;
        low_ = v2;
        band_ = v1;
        high_ = input - k_ * v1 - v2;
        return low_;
    }
    double High() const { return high_; }
    double Band() const { return band_; }

private:
    double k_ = 1.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
    double ic1_ = 0.0, ic2_ = 0.0;
    double low_ = 0.0, band_ = 0.0, high_ = 0.0;
};

// Attack (raised cosine), exponential fall towards the sustain level, then a raised-cosine release
// that ends at exactly zero, so no note ever stops with a click.
struct Envelope {
    double attack = 0.005;
    double decay = 0.2;
    double sustain = 1.0;
    double release = 0.05;

    // Level at time t (seconds) of a note held for gate seconds.
    double Level(double t, double gate) const {
        if (t < 0.0 || t >= gate + release) {
            return 0.0;
        }
        if (t < gate) {
            return Held(t);
        }
        double start = Held(gate);
        double x = (t - gate) / release;
        return start * 0.5 * (1.0 + std::cos(kPi * x));
    }

private:
    double Held(double t) const {
        if (t < attack) {
            return 0.5 * (1.0 - std::cos(kPi * t / attack));
        }
        double fall = decay > 0.0 ? std::exp(-(t - attack) / decay) : 0.0;
        return sustain + (1.0 - sustain) * fall;
    }
};

inline double DecibelsToGain(double decibels) {
    return std::pow(10.0, decibels / 20.0);
}
inline double GainToDecibels(double gain) {
    return gain > 1e-12 ? 20.0 * std::log10(gain) : -240.0;
}
