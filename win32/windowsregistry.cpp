#include "win32/windowsregistry.h"

#include "runtime/runtimeerror.h"
#include "win32/windowstext.h"

#include <windows.h>

namespace pomvexa {
namespace {

using OpenKeyFunction = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
using QueryValueFunction = LONG(WINAPI*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using CloseKeyFunction = LONG(WINAPI*)(HKEY);

// Finds an entry point of advapi32 the first time it is needed.
template <typename Function> Function bind(void*& slot, const char* name) {
    if (slot == nullptr) {
        HMODULE library = LoadLibraryA("advapi32");
        if (library == nullptr)
            throw RuntimeError(RuntimeError::dllNotLoaded);
        FARPROC entry = GetProcAddress(library, name);
        if (entry == nullptr)
            throw RuntimeError(RuntimeError::dllEntryPointNotFound);
        slot = reinterpret_cast<void*>(entry);
    }
    return reinterpret_cast<Function>(slot);
}

} // namespace

HKEY WindowsRegistry::rootHandle(std::int32_t root) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
}

std::string WindowsRegistry::toText(std::string_view bytes) const {
    return win32::toUtf8(win32::toWide(CP_ACP, bytes));
}

Registry::Status WindowsRegistry::openKey(std::int32_t root, const std::string& path,
                                          std::uint32_t access, Key& key) {
    const auto open = bind<OpenKeyFunction>(openFunction, "RegOpenKeyExA");
    HKEY handle = nullptr;
    const LONG status = open(rootHandle(root), path.c_str(), 0, access, &handle);
    if (status == ERROR_SUCCESS)
        key = reinterpret_cast<ULONG_PTR>(handle);
    return status;
}

Registry::Status WindowsRegistry::queryValue(Key key, const std::string& name, std::uint32_t& type,
                                             std::uint8_t* data, std::uint32_t& size) {
    const auto query = bind<QueryValueFunction>(queryFunction, "RegQueryValueExA");
    DWORD valueType = 0;
    DWORD valueSize = size;
    const LONG status = query(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key)), name.c_str(),
                              nullptr, &valueType, data, &valueSize);
    if (status == ERROR_SUCCESS) {
        type = valueType;
        size = valueSize;
    }
    return status;
}

Registry::Status WindowsRegistry::closeKey(Key key) {
    const auto close = bind<CloseKeyFunction>(closeFunction, "RegCloseKey");
    return close(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(key)));
}

} // namespace pomvexa
