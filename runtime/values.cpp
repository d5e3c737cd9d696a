#include "runtime/values.h"

#include "runtime/runtimeerror.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace pomvexa {
namespace {

std::int16_t toInt16(double whole) {
    if (!(whole >= std::numeric_limits<std::int16_t>::min() &&
          whole <= std::numeric_limits<std::int16_t>::max()))
        throw RuntimeError(RuntimeError::overflow);
    return static_cast<std::int16_t>(whole);
}

} // namespace

void increment(std::int16_t& value) {
    if (value == std::numeric_limits<std::int16_t>::max())
        throw RuntimeError(RuntimeError::overflow);
    ++value;
}

std::int16_t roundToInt16(double value) {
    // Done by hand rather than with nearbyint so that it does not depend on the FPU's mode.
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return toInt16(whole);
}

std::int16_t floorToInt16(double value) {
    return toInt16(std::floor(value));
}

Colour composeColor(int red, int green, int blue) {
    const auto part = [](int value) { return std::clamp(value, 0, 255); };
    return part(red) + 256 * part(green) + 65536 * part(blue);
}

std::string formatValue(const std::string& text) {
    constexpr std::size_t maximumDigits = 16;
    const bool literal = text.size() > 2 && text.size() <= 2 + maximumDigits && text[0] == '&' &&
                         (text[1] == 'h' || text[1] == 'H');
    if (!literal)
        return text;
    std::uint64_t number = 0;
    const char* digits = text.data() + 2;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(digits, end, number, 16);
    if (error != std::errc() || stop != end)
        return text;
    return std::to_string(number);
}

} // namespace pomvexa
