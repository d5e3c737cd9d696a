#pragma once

#include "registry.h"

namespace pomvexa {

// The Windows registry through RegOpenKeyExA, RegQueryValueExA and RegCloseKey of advapi32,
// each bound by name on its first use and kept for the rest of the run. A library or function
// that cannot be bound raises a run-time error.
class WindowsRegistry : public Registry {
public:
    Status openKey(std::int32_t root, const std::string& path, std::uint32_t access,
                   Key& key) override;
    Status queryValue(Key key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override;
    Status closeKey(Key key) override;

private:
    void* openFunction = nullptr;
    void* queryFunction = nullptr;
    void* closeFunction = nullptr;
};

} // namespace pomvexa
