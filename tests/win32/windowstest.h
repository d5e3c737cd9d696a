#pragma once

#include "win32/windowstext.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

namespace pomvexa::testing {

// A registry key that a test creates, fills and deletes again with everything below it.
class ScopedKey {
public:
    ScopedKey(HKEY root, std::wstring path)
        : root(root)
        , path(std::move(path)) {
        RegDeleteTreeW(root, this->path.c_str());
        created = RegCreateKeyExW(root, this->path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr) == ERROR_SUCCESS;
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey() {
        if (created)
            RegCloseKey(key);
        RegDeleteTreeW(root, path.c_str());
    }

    bool ok() const { return created; }

    // Stores the bytes as they are, with the type given: a string with or without its NUL.
    bool set(const char* name, DWORD type, const std::string& bytes) {
        return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                              static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    }

private:
    HKEY root;
    std::wstring path;
    HKEY key = nullptr;
    bool created = false;
};

// The folder of the running test program, where the programs built beside it are.
inline std::wstring programFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

inline bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A started program runs in a process of its own; waits, at most the given time, for it to
// leave its record.
inline bool waitForFile(const std::wstring& path, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!fileExists(path)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

} // namespace pomvexa::testing
