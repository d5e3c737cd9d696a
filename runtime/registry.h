#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pomvexa {

// The registry operations that the System Information launcher reads through, with the meanings
// and status codes of the Windows registry. Implementations that cannot be bound raise a
// run-time error instead of returning a status.
class Registry {
public:
    using Key = std::uint64_t;
    using Status = std::int32_t;

    static constexpr Status success = 0;
    static constexpr Status fileNotFound = 2;
    static constexpr Status accessDenied = 5;
    static constexpr Status invalidHandle = 6;
    static constexpr Status moreData = 234;

    static constexpr std::uint32_t typeString = 1; // REG_SZ
    static constexpr std::uint32_t typeDword = 4;  // REG_DWORD

    static constexpr std::int32_t localMachine = static_cast<std::int32_t>(0x80000002U);
    // KEY_READ: query values, enumerate subkeys, notify and read the security descriptor.
    static constexpr std::uint32_t readAccess = 0x20019;

    virtual ~Registry() = default;

    // On success writes the handle of the open key, which must be closed.
    virtual Status openKey(std::int32_t root, const std::string& path, std::uint32_t access,
                           Key& key) = 0;
    // Reads a value into data, whose capacity is size on entry; on success type and size
    // (the number of data bytes, a string's terminating NUL included) are written. A value
    // larger than the capacity gives moreData.
    virtual Status queryValue(Key key, const std::string& name, std::uint32_t& type,
                              std::uint8_t* data, std::uint32_t& size) = 0;
    virtual Status closeKey(Key key) = 0;

    // A string value's bytes, in the registry's own encoding, as UTF-8 text.
    virtual std::string toText(std::string_view bytes) const = 0;
};

} // namespace pomvexa
