// Stands in for a program that the tests start: records that it ran in a file named after
// itself with ".ran" added, holding its process id, then ends. The record is written under
// another name and renamed into place once closed, so that it appears only when complete; the
// id lets a test wait for the tool's end before it removes the tool or its record.
#include <windows.h>

#include <string>

int main() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length + 9 >= MAX_PATH)
        return 1;
    const std::wstring record = std::wstring(self, length) + L".ran";
    const std::wstring partial = record + L".part";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const std::string id = std::to_string(GetCurrentProcessId());
    DWORD written = 0;
    const bool complete =
        WriteFile(file, id.data(), static_cast<DWORD>(id.size()), &written, nullptr) &&
        written == id.size();
    CloseHandle(file);
    if (!complete || !MoveFileExW(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING))
        return 1;
    return 0;
}
