#pragma once

#include <string>
#include <string_view>

namespace pomvexa {

// Converts text in the system's 8-bit code page to UTF-8: on Windows the ANSI code page, on
// other systems the locale's encoding, which is UTF-8 already.
std::string ansiToUtf8(std::string_view bytes);

} // namespace pomvexa
