#include "about/registryvalue.h"

#include "runtime/runtimeerror.h"
#include "runtime/values.h"

#include <array>

namespace pomvexa {
namespace {

constexpr std::size_t valueBufferSize = 1024;

class OpenKey {
public:
    OpenKey(Registry& registry, Registry::Key key)
        : registry(registry)
        , key(key) {}
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    // The close's own outcome is ignored: there is nothing left to do about it.
    ~OpenKey() {
        try {
            registry.closeKey(key);
        } catch (...) {
        }
    }

private:
    Registry& registry;
    Registry::Key key;
};

// The hexadecimal digits of a little-endian unsigned number, upper case, without leading zeros.
std::string hexDigits(std::string_view littleEndian) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (auto byte = littleEndian.rbegin(); byte != littleEndian.rend(); ++byte) {
        const auto value = static_cast<unsigned char>(*byte);
        text += digits[value >> 4];
        text += digits[value & 0xF];
    }
    const std::size_t first = text.find_first_not_of('0');
    return first == std::string::npos ? "0" : text.substr(first);
}

} // namespace

bool GetKeyValue(Registry& registry, std::int32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal) {
    Registry::Key key = 0;
    if (registry.openKey(KeyRoot, KeyName, Registry::readAccess, key) != Registry::success) {
        KeyVal.clear();
        return false;
    }
    const OpenKey closeOnExit(registry, key);

    std::array<std::uint8_t, valueBufferSize> buffer{};
    std::uint32_t size = valueBufferSize;
    std::uint32_t type = 0;
    if (registry.queryValue(key, SubKeyRef, type, buffer.data(), size) != Registry::success) {
        KeyVal.clear();
        return false;
    }
    if (size == 0)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    // A registry that reports more than it may have written is not trusted past the buffer.
    if (size > buffer.size())
        size = buffer.size();

    // One terminating NUL is dropped, whatever the type; a DWORD loses only a zero top byte.
    std::string_view kept(reinterpret_cast<const char*>(buffer.data()), size);
    if (kept.back() == '\0')
        kept.remove_suffix(1);

    switch (type) {
    case Registry::typeString:
        KeyVal = registry.toText(kept);
        break;
    case Registry::typeDword:
        KeyVal = formatValue("&h" + hexDigits(kept));
        break;
    default:
        break;
    }
    return true;
}

} // namespace pomvexa
