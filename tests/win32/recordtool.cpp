// Stands in for a program that the tests start: records that it ran by creating a file named
// after itself with ".ran" added, then ends.
#include <windows.h>

int main() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length + 4 >= MAX_PATH)
        return 1;
    lstrcatW(path, L".ran");
    const HANDLE record =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (record == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(record);
    return 0;
}
