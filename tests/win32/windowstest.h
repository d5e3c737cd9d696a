#pragma once

#include "win32/windowstext.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
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

// A program started by a test stands in for a real one (recordtool.cpp): it leaves a record,
// complete once it is there, holding its process id. Waits, at most the given time, for the
// record and then for that process to end, so that the test may remove or replace the program
// and its record at once.
inline bool waitForRun(const std::wstring& record, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!fileExists(record)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // Opened sharing everything: the tool may still hold the record for a moment after
    // renaming it, with a handle that lets others read and remove it.
    const HANDLE file = CreateFileW(record.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char text[16] = {};
    DWORD read = 0;
    const bool complete = ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    const DWORD id = complete ? std::strtoul(text, nullptr, 10) : 0;
    if (id == 0)
        return false;
    const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr)
        return true; // it has ended already
    // The id may have gone to another program since; only the tool itself is waited for.
    wchar_t image[MAX_PATH];
    DWORD length = MAX_PATH;
    const std::wstring tool = record.substr(0, record.size() - 4);
    const bool isTool = QueryFullProcessImageNameW(process, 0, image, &length) &&
                        CompareStringOrdinal(image, static_cast<int>(length), tool.c_str(),
                                             static_cast<int>(tool.size()), TRUE) == CSTR_EQUAL;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    const DWORD wait = static_cast<DWORD>(std::max<std::int64_t>(0, left.count()));
    const bool ended = !isTool || WaitForSingleObject(process, wait) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

} // namespace pomvexa::testing
