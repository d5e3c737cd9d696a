#pragma once

#include <cstdint>
#include <random>

namespace pomvexa {

// The runtime's random numbers: uniform single-precision values in [0, 1).
class RandomSequence {
public:
    // Seeds from the clock, so that every run of the program plays differently.
    void seedFromClock();
    void seed(std::uint32_t value) { engine.seed(value); }

    float next();

    // Turns 32 random bits into a float in [0, 1): the top 24 bits fill the float's mantissa
    // exactly, so the result can never round up to 1.
    static float fromBits(std::uint32_t bits);

private:
    std::mt19937 engine;
};

} // namespace pomvexa
