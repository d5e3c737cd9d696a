#include "win32/windowslauncher.h"

#include "runtime/runtimeerror.h"
#include "win32/windowstext.h"

#include <windows.h>

namespace pomvexa::win32 {
std::string findFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(toWide(CP_UTF8, path).c_str());
    const DWORD notNormal =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & notNormal) != 0)
        return {};
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

void launchProgram(const std::string& path) {
    const std::wstring application = toWide(CP_UTF8, path);
    if (application.empty())
        throw RuntimeError(RuntimeError::fileNotFound);
    // The program is named on its own; the command line only repeats it, quoted, as the
    // program's first argument.
    std::wstring commandLine = L"\"" + application + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process))
        throw RuntimeError(RuntimeError::fileNotFound);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

} // namespace pomvexa::win32
