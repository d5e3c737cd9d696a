#pragma once

#include "runtime/registry.h"

#include <windows.h>

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
    // The strings of the A functions are in the system's ANSI code page.
    std::string toText(std::string_view bytes) const override;

    // The handle of a predefined root key as the system's headers define it: the 32-bit value
    // sign-extended, so that HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 on 64-bit Windows.
    static HKEY rootHandle(std::int32_t root);

private:
    void* openFunction = nullptr;
    void* queryFunction = nullptr;
    void* closeFunction = nullptr;
};

} // namespace pomvexa
