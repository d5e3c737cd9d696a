#include "runtime/randomsequence.h"

#include <chrono>

namespace pomvexa {

void RandomSequence::seedFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const auto wide = static_cast<std::uint64_t>(ticks);
    std::seed_seq sequence{static_cast<std::uint32_t>(wide),
                           static_cast<std::uint32_t>(wide >> 32)};
    engine.seed(sequence);
}

float RandomSequence::next() {
    return fromBits(static_cast<std::uint32_t>(engine()));
}

float RandomSequence::fromBits(std::uint32_t bits) {
    constexpr float scale = 1.0F / 16777216.0F; // 2^-24
    return static_cast<float>(bits >> 8) * scale;
}

} // namespace pomvexa
