#pragma once

#include "runtime/registry.h"

#include <cstdint>
#include <string>

namespace pomvexa {

// Reads one registry value as text: a string as it is, a DWORD as the decimal value of its
// hexadecimal form; any other type leaves KeyVal as it was. Returns true when the value was
// read; a missing or unreadable key or value, or one larger than 1024 bytes, gives false and an
// empty KeyVal. A value of no bytes at all raises a run-time error. The key is closed on every
// way out once it was opened.
bool GetKeyValue(Registry& registry, std::int32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

} // namespace pomvexa
