// A small stereo room: parallel damped comb filters into series all-pass filters.
#pragma once

#include <cstddef>
#include <vector>

class Reverb {
public:
    // size 0..1 sets the decay time, damping 0..1 darkens the tail.
    Reverb(int sampleRate, double size, double damping);

    void Process(double inLeft, double inRight, double& outLeft, double& outRight);

private:
    struct Comb {
        std::vector<double> line;
        size_t index = 0;
        double filtered = 0.0;
    };
    struct AllPass {
        std::vector<double> line;
        size_t index = 0;
    };
    static double RunComb(Comb& comb, double input, double feedback, double damping);
    static double RunAllPass(AllPass& allPass, double input);

    double feedback_;
    double damping_;
    std::vector<Comb> combs_[2];
    std::vector<AllPass> allPasses_[2];
};

// A ping-pong echo whose repeats get darker and quieter.
class Echo {
public:
    Echo(int sampleRate, double delaySeconds, double feedback);

    void Process(double inLeft, double inRight, double& outLeft, double& outRight);

private:
    std::vector<double> left_;
    std::vector<double> right_;
    size_t index_ = 0;
    double feedback_;
    double darkLeft_ = 0.0;
    double darkRight_ = 0.0;
};
