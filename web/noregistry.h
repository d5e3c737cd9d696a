#pragma once

#include "runtime/registry.h"

namespace pomvexa {

// The registry of a system that has none, as in a browser: no key exists.
class NoRegistry : public Registry {
public:
    Status openKey(std::int32_t, const std::string&, std::uint32_t, Key&) override {
        return fileNotFound;
    }
    Status queryValue(Key, const std::string&, std::uint32_t&, std::uint8_t*,
                      std::uint32_t&) override {
        return invalidHandle;
    }
    Status closeKey(Key) override { return invalidHandle; }
    std::string toText(std::string_view bytes) const override { return std::string(bytes); }
};

} // namespace pomvexa
