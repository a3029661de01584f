// The one random generator of the game: the classic runtime rand() sequence, seedable for tests.
#pragma once

#include <cstdint>

class ZoRandom {
public:
    static constexpr int kMax = 0x7FFF;

    void Seed(std::uint32_t seed) { state_ = seed; }
    // 15-bit result: bits 16..30 of the state after state = state * 214013 + 2531011.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    // rand() mod n as the game uses it; n must be positive.
    int Below(int n) { return n > 0 ? Next() % n : 0; }
    std::uint32_t State() const { return state_; }

private:
    std::uint32_t state_ = 1; // same as an unseeded runtime
};

// The process-wide generator.
ZoRandom& SystemRandom();
