#include "win32/windowslauncher.h"

#include "runtime/runtimeerror.h"
#include "win32/windowstext.h"

#include <windows.h>

namespace pomvexa::win32 {
namespace {

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// A drive and its root ("C:\...") or a network share ("\\server\..."). "C:tool.exe" and
// "\tool.exe" depend on the current folder of a drive and are as relative as "tool.exe".
bool isAbsolute(const std::wstring& path) {
    const wchar_t drive = path.empty() ? 0 : static_cast<wchar_t>(path[0] | 0x20);
    if (path.size() >= 3 && drive >= L'a' && drive <= L'z' && path[1] == L':' &&
        isSeparator(path[2]))
        return true;
    return path.size() >= 3 && isSeparator(path[0]) && isSeparator(path[1]) &&
           !isSeparator(path[2]);
}

} // namespace

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
    // A relative path would start whatever program of that name the current folder holds.
    if (!isAbsolute(application))
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
