#include "runtime/randomsequence.h"

#include <chrono>

namespace pomvexa {

void RandomSequence::seedFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const auto wide = static_cast<std::uint64_t>(ticks);
    // Both halves of the clock count; the engine spreads the one word over its whole state.
    engine.seed(static_cast<std::uint32_t>(wide ^ (wide >> 32)));
}

float RandomSequence::next() {
    return fromBits(static_cast<std::uint32_t>(engine()));
}

float RandomSequence::fromBits(std::uint32_t bits) {
    constexpr float scale = 1.0F / 16777216.0F; // 2^-24
    return static_cast<float>(bits >> 8) * scale;
}

} // namespace pomvexa
