#pragma once

#include "runtime/runtime.h"

#include <cstdint>
#include <string>

// Arithmetic on the runtime's value types: signed 16-bit integers whose overflow is a run-time
// error, conversions from floating point, and packed colours.
namespace pomvexa {

// Adds one; past 32767 raises "Overflow" and leaves the value as it was.
void increment(std::int16_t& value);

// Rounds to the nearest integer, ties to even (0.5 -> 0, 1.5 -> 2); "Overflow" outside 16 bits.
std::int16_t roundToInt16(double value);

// Rounds down; "Overflow" outside 16 bits.
std::int16_t floorToInt16(double value);

// red + 256 * green + 65536 * blue, each part clamped to 0..255.
Colour composeColor(int red, int green, int blue);

// General formatting without a pattern: a hexadecimal literal ("&h" and up to 16 hexadecimal
// digits) becomes its decimal value; any other text stays as it is.
std::string formatValue(const std::string& text);

constexpr Colour black = 0;
constexpr Colour yellow = 0x00FFFF;
constexpr Colour white = 0xFFFFFF;

} // namespace pomvexa
